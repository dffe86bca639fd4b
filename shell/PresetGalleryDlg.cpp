#include "shell/PresetGalleryDlg.h"

#include "design/NacreformDoc.h"
#include "design/PresetLibrary.h"
#include "export/ButtonStates.h"
#include "render/PictureLayer.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

const QString CPresetGalleryDlg::kTitle = QStringLiteral("새로 만들기");
const QString CPresetGalleryDlg::kDefaultDesignTitle = QStringLiteral("기본 디자인");

namespace {

// The design drawn by the renderer at the screen's density, scaled down (never
// up) to fit a thumbnail.
QIcon Thumbnail(const CDesignValues& values, qreal devicePixelRatio)
{
    CNacreformDoc doc;
    doc.ApplyValues(values);
    RefreshPictureCache(doc);
    const QImage full = RenderButtonState(doc, EButtonState::Normal, 1);
    if (full.isNull())
        return {};
    const double fit = std::min({1.0, double(CPresetGalleryDlg::kThumbnailWidth) / full.width(),
                                 double(CPresetGalleryDlg::kThumbnailHeight) / full.height()});
    QImage image = RenderButtonState(doc, EButtonState::Normal, fit * devicePixelRatio);
    image.setDevicePixelRatio(devicePixelRatio);
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

CPresetGalleryDlg::CPresetGalleryDlg(QWidget* parent)
    : QDialog(parent)
    , m_pList(new QListWidget(this))
{
    constexpr int kCellMargin = 24;
    constexpr int kColumns = 4;
    constexpr int kRows = 4;
    setWindowTitle(kTitle);
    m_pList->setViewMode(QListView::IconMode);
    m_pList->setMovement(QListView::Static);
    m_pList->setResizeMode(QListView::Adjust);
    m_pList->setWrapping(true);
    m_pList->setIconSize(QSize(kThumbnailWidth, kThumbnailHeight));
    const QSize cell(kThumbnailWidth + kCellMargin, kThumbnailHeight + kCellMargin + fontMetrics().height());
    m_pList->setGridSize(cell);
    m_pList->setMinimumSize(cell.width() * kColumns + kCellMargin, cell.height() * kRows + kCellMargin);

    const qreal ratio = devicePixelRatioF();
    const auto add = [this, ratio](const QString& title, const QString& name, const CDesignValues& values) {
        auto* item = new QListWidgetItem(Thumbnail(values, ratio), title, m_pList);
        item->setData(Qt::UserRole, name);
        item->setToolTip(title);
    };
    add(kDefaultDesignTitle, QString(), CNacreformDoc());
    for (const SPreset& preset : BuiltInPresets()) {
        if (const std::optional<CDesignValues> values = LoadPreset(preset.name))
            add(preset.title, preset.name, *values);
    }
    m_pList->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("만들기"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("취소"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pList, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(m_pList, &QListWidget::currentRowChanged, this,
            [buttons](int row) { buttons->button(QDialogButtonBox::Ok)->setEnabled(row >= 0); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
}

QString CPresetGalleryDlg::SelectedPreset() const
{
    const QListWidgetItem* item = m_pList->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}
