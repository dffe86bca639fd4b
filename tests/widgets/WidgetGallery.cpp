// Writes a picture of every input widget in its states, for the developer
// documentation: widget_gallery docs/widgets.png

#include "util/DlgItems.h"
#include "widgets/ColorWnd.h"
#include "widgets/EditDouble.h"
#include "widgets/EditInt.h"
#include "widgets/EditText.h"
#include "widgets/FlatButton.h"
#include "widgets/FontComboBox.h"
#include "widgets/HandleSpin.h"
#include "widgets/SpinButtonCtrl.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int kRowHeight = 22;

QImage BoldLetterImage()
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("B"));
    return image;
}

// A field with its spin, placed the way a page places them.
template <class Field>
QWidget* FieldWithSpin(Field*& field, int spinId)
{
    auto* box = new QWidget;
    box->setFixedSize(80, kRowHeight);
    field = new Field(box);
    field->setGeometry(0, 0, 80, kRowHeight);
    auto* spin = new CSpinButtonCtrl(box);
    SetDlgCtrlId(spin, spinId);
    spin->resize(16, kRowHeight);
    spin->SetBuddy(field);
    QObject::connect(spin, &CSpinButtonCtrl::scrolled, spin, &HandleSpin);
    return box;
}

CFlatButton* BoldButton(const QString& state)
{
    auto* button = new CFlatButton;
    button->setFixedSize(24, 24);
    button->SetupImageButton(BoldLetterImage(), 0);
    if (state == QLatin1String("pressed"))
        button->setDown(true);
    else if (state == QLatin1String("checked"))
        button->SetChecked(true);
    else if (state == QLatin1String("disabled"))
        button->setEnabled(false);
    return button;
}

CColorWnd* Swatch(COLORREF color, bool enabled)
{
    auto* swatch = new CColorWnd;
    swatch->setFixedSize(40, kRowHeight);
    swatch->SetColor(color);
    swatch->EnableSwatch(enabled);
    return swatch;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: widget_gallery output.png\n");
        return 2;
    }

    QWidget gallery;
    gallery.setWindowTitle(QStringLiteral("Input widgets"));
    auto* rows = new QFormLayout(&gallery);
    auto addRow = [rows](const QString& caption, const QList<QWidget*>& widgets) {
        auto* line = new QHBoxLayout;
        line->setSpacing(12);
        for (QWidget* widget : widgets)
            line->addWidget(widget, 0, Qt::AlignTop);
        line->addStretch();
        rows->addRow(caption, line);
    };

    CEditInt* width = nullptr;
    CEditInt* clamped = nullptr;
    CEditInt* disabled = nullptr;
    QWidget* widthBox = FieldWithSpin(width, 1025);
    QWidget* clampedBox = FieldWithSpin(clamped, 1027);
    QWidget* disabledBox = FieldWithSpin(disabled, 1036);
    width->Setup(128, 1, 1000, 1025);
    clamped->Setup(128, 1, 1000, 1027);
    clamped->setText(QString()); // emptied: the minimum, selected
    disabled->Setup(160, 0, 255, 1036);
    disabledBox->setEnabled(false);
    addRow(QStringLiteral("CEditInt + spin (128; emptied; disabled)"), {widthBox, clampedBox, disabledBox});

    CEditDouble* offset = nullptr;
    CEditDouble* typed = nullptr;
    QWidget* offsetBox = FieldWithSpin(offset, 1032);
    QWidget* typedBox = FieldWithSpin(typed, 1034);
    offset->Setup(13.0, -100.0, 100.0, 1032);
    typed->Setup(0.0, -100.0, 100.0, 1034);
    typed->setText(QStringLiteral("150")); // clamped to the maximum
    addRow(QStringLiteral("CEditDouble + spin (13.00; 150 typed)"), {offsetBox, typedBox});

    auto* caption = new CEditText;
    caption->setFixedWidth(160);
    caption->SetTextSilently(QStringLiteral("Gel \u30dc\u30bf\u30f3 \ubc84\ud2bc"));
    addRow(QStringLiteral("CEditText"), {caption});

    addRow(QStringLiteral("CColorWnd (colours; disabled)"),
           {Swatch(0x00BF6900, true), Swatch(0x00EDBC3A, true), Swatch(0x00EDBC3A, false)});

    CFlatButton* hovered = BoldButton(QStringLiteral("hover"));
    addRow(QStringLiteral("CFlatButton (rest, hover, pressed, checked, disabled)"),
           {BoldButton(QStringLiteral("rest")), hovered, BoldButton(QStringLiteral("pressed")),
            BoldButton(QStringLiteral("checked")), BoldButton(QStringLiteral("disabled"))});

    auto* fonts = new CFontComboBox;
    fonts->setFixedWidth(160);
    fonts->SelectString(QStringLiteral("DejaVu Sans"));
    addRow(QStringLiteral("CFontComboBox"), {fonts});

    // The dropped list, drawn as the combo box draws it.
    auto* list = new QListView;
    list->setModel(fonts->model());
    list->setItemDelegate(fonts->itemDelegate());
    list->setFixedSize(280, 25 * 10 + 4);
    list->setCurrentIndex(fonts->model()->index(fonts->currentIndex(), 0));
    addRow(QStringLiteral("its list"), {list});

    gallery.show();
    clamped->setFocus();
    clamped->selectAll();
    QCoreApplication::processEvents();
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), hovered->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(hovered, &move);
    QCoreApplication::processEvents();

    if (!gallery.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
