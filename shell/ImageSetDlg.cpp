#include "shell/ImageSetDlg.h"

#include "shell/QtShellDialogs.h"
#include "design/NacreformDoc.h"
#include "export/ButtonStates.h"
#include "export/FileNamePattern.h"
#include "render/DisplayBitmap.h"

#include <QCheckBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

const QString CImageSetDlg::kCaption = QStringLiteral("이미지 세트로 저장");

namespace {

QString StateLabel(EButtonState state)
{
    switch (state) {
    case EButtonState::Normal: return QStringLiteral("기본");
    case EButtonState::Hover: return QStringLiteral("마우스 오버");
    case EButtonState::Pressed: return QStringLiteral("누름");
    case EButtonState::Disabled: return QStringLiteral("사용 안 함");
    }
    return {};
}

// The state over the preview's background, at the screen's pixel density:
// at its own size when it fits the preview box, else reduced into it.
QPixmap StatePreview(const CNacreformDoc& design, EButtonState state, qreal devicePixelRatio)
{
    const QImage rendered = RenderButtonState(design, state, devicePixelRatio);
    QImage shown = ComposeDisplayImage(design, rendered);
    if (shown.isNull())
        return {};
    const QSize box = CImageSetDlg::kPreviewBox * devicePixelRatio;
    if (shown.width() > box.width() || shown.height() > box.height())
        shown = shown.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap preview = QPixmap::fromImage(shown);
    preview.setDevicePixelRatio(devicePixelRatio);
    return preview;
}

} // namespace

CImageSetDlg::CImageSetDlg(const CNacreformDoc& design, const SImageSetChoice& choice, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(kCaption);

    auto* scales = new QGroupBox(QStringLiteral("배율"), this);
    auto* scaleRow = new QHBoxLayout(scales);
    for (double scale : OfferedExportScales()) {
        auto* box = new QCheckBox(QStringLiteral("%1×").arg(ScaleText(scale)), scales);
        box->setProperty("scale", scale);
        box->setChecked(choice.options.scales.contains(scale));
        scaleRow->addWidget(box);
        m_scaleBoxes.append(box);
    }
    scaleRow->addStretch();

    auto* states = new QGroupBox(QStringLiteral("상태"), this);
    auto* stateGrid = new QGridLayout(states);
    // Two by two, so that previews large enough to read keep the dialog
    // narrow.
    constexpr int kStateColumns = 2;
    for (EButtonState state : AllButtonStates()) {
        const int index = int(m_stateBoxes.size());
        const int row = index / kStateColumns * 2;
        const int column = index % kStateColumns;
        auto* preview = new QLabel(states);
        preview->setFixedSize(kPreviewBox);
        preview->setAlignment(Qt::AlignCenter);
        preview->setPixmap(StatePreview(design, state, devicePixelRatioF()));
        auto* box = new QCheckBox(StateLabel(state), states);
        box->setProperty("state", int(state));
        box->setChecked(choice.options.states.contains(state));
        stateGrid->addWidget(preview, row, column, Qt::AlignCenter);
        stateGrid->addWidget(box, row + 1, column, Qt::AlignCenter);
        m_stateBoxes.append(box);
        m_statePreviews.append(preview);
    }

    auto* formats = new QGroupBox(QStringLiteral("형식"), this);
    auto* formatRow = new QHBoxLayout(formats);
    // No formats chosen means the pattern's: shown as that one ticked.
    QList<EImageFormat> chosenFormats = choice.options.formats;
    if (chosenFormats.isEmpty())
        chosenFormats.append(ImageFormatOfPath(choice.options.pattern).value_or(EImageFormat::Png));
    for (EImageFormat format : AllImageFormats()) {
        auto* box = new QCheckBox(ImageFormatTitle(format), formats);
        box->setProperty("format", int(format));
        box->setChecked(chosenFormats.contains(format));
        formatRow->addWidget(box);
        m_formatBoxes.append(box);
    }
    formatRow->addStretch();

    m_pName = new QLineEdit(choice.options.name, this);
    m_pPattern = new QLineEdit(choice.options.pattern.isEmpty() ? kDefaultFileNamePattern : choice.options.pattern,
                               this);
    m_pPattern->setToolTip(QStringLiteral("{name} 이름, {state} 상태, {-state} 기본이 아닌 상태 앞에 -, "
                                          "{scale} 배율, {@scale} 1× 이외의 배율 앞에 @와 뒤에 x"));
    m_pFolder = new QLineEdit(choice.folder, this);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("...")) * 3);
    m_pSprite = new QCheckBox(QStringLiteral("스프라이트 시트로 저장 (배율마다 이미지 하나, CSS와 미리보기 HTML)"), this);
    m_pSprite->setChecked(choice.options.sprite);
    m_pFiles = new QListWidget(this);
    m_pFiles->setSelectionMode(QAbstractItemView::NoSelection);
    m_pProblem = new QLabel(this);
    m_pProblem->setWordWrap(true);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("기본 이름(&N):"), this), 0, 0);
    fields->addWidget(m_pName, 0, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("파일 이름 형식(&P):"), this), 1, 0);
    fields->addWidget(m_pPattern, 1, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("폴더(&D):"), this), 2, 0);
    fields->addWidget(m_pFolder, 2, 1);
    fields->addWidget(browse, 2, 2);
    for (int row = 0; row < 3; ++row)
        static_cast<QLabel*>(fields->itemAtPosition(row, 0)->widget())->setBuddy(fields->itemAtPosition(row, 1)->widget());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    m_pOk->setText(QStringLiteral("저장(&S)"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("취소"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scales);
    layout->addWidget(states);
    layout->addWidget(formats);
    layout->addLayout(fields);
    layout->addWidget(m_pSprite);
    layout->addWidget(new QLabel(QStringLiteral("저장할 파일:"), this));
    layout->addWidget(m_pFiles, 1);
    layout->addWidget(m_pProblem);
    layout->addWidget(buttons);

    for (QCheckBox* box : m_scaleBoxes + m_stateBoxes + m_formatBoxes + QList<QCheckBox*>{m_pSprite})
        connect(box, &QCheckBox::toggled, this, &CImageSetDlg::OnChanged);
    for (QLineEdit* edit : {m_pName, m_pPattern, m_pFolder})
        connect(edit, &QLineEdit::textChanged, this, &CImageSetDlg::OnChanged);
    connect(browse, &QPushButton::clicked, this, &CImageSetDlg::OnBrowseFolder);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    OnChanged();
}

SImageSetChoice CImageSetDlg::GetChoice() const
{
    SImageSetChoice choice;
    choice.options.scales.clear();
    for (const QCheckBox* box : m_scaleBoxes) {
        if (box->isChecked())
            choice.options.scales.append(box->property("scale").toDouble());
    }
    choice.options.states.clear();
    for (const QCheckBox* box : m_stateBoxes) {
        if (box->isChecked())
            choice.options.states.append(EButtonState(box->property("state").toInt()));
    }
    for (const QCheckBox* box : m_formatBoxes) {
        if (box->isChecked())
            choice.options.formats.append(EImageFormat(box->property("format").toInt()));
    }
    choice.options.name = m_pName->text().trimmed();
    choice.options.pattern = m_pPattern->text().trimmed();
    choice.options.sprite = m_pSprite->isChecked();
    choice.folder = m_pFolder->text().trimmed();
    return choice;
}

QStringList CImageSetDlg::GetListedFiles() const
{
    QStringList files;
    for (int i = 0; i < m_pFiles->count(); ++i)
        files.append(m_pFiles->item(i)->text());
    return files;
}

bool CImageSetDlg::CanAccept() const
{
    return m_pOk->isEnabled();
}

void CImageSetDlg::accept()
{
    if (m_acceptCheck && !m_acceptCheck(this, GetChoice()))
        return;
    QDialog::accept();
}

void CImageSetDlg::OnChanged()
{
    const SImageSetChoice choice = GetChoice();
    QString why = QStringLiteral("형식을 하나 이상 선택하십시오.");
    // Without a format the plan would take the pattern's; here the boxes say.
    const QStringList files = choice.options.formats.isEmpty() ? QStringList() : PlanImageSet(choice.options, &why);
    m_pFiles->clear();
    m_pFiles->addItems(files);
    if (files.isEmpty())
        m_pProblem->setText(QStringLiteral("저장할 수 없습니다: %1").arg(why));
    else if (choice.folder.isEmpty())
        m_pProblem->setText(QStringLiteral("폴더를 지정하십시오."));
    else
        m_pProblem->clear();
    m_pProblem->setVisible(!m_pProblem->text().isEmpty());
    m_pOk->setEnabled(!files.isEmpty() && !choice.folder.isEmpty());
}

void CImageSetDlg::OnBrowseFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダーの選択"), m_pFolder->text());
    if (!folder.isEmpty())
        m_pFolder->setText(folder);
}

bool CQtImageSetDialogs::EditImageSet(QWidget* parent, const CNacreformDoc& design, SImageSetChoice& choice,
                                      const AcceptCheck& check)
{
    CImageSetDlg dialog(design, choice, parent);
    dialog.SetAcceptCheck(check);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.GetChoice();
    return true;
}

QString CQtImageSetDialogs::ReplaceQuestion(const QStringList& existing)
{
    if (existing.size() == 1)
        return QStringLiteral("%1 は既に存在します。\n置き換えますか?").arg(existing.front());
    return QStringLiteral("次のファイルは既に存在します。\n\n%1\n\n置き換えますか?").arg(existing.join(QLatin1Char('\n')));
}

bool CQtImageSetDialogs::ConfirmReplace(QWidget* parent, const QStringList& existing)
{
    QMessageBox box(QMessageBox::Warning, CQtShellDialogs::kMessageCaption, ReplaceQuestion(existing),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString CQtImageSetDialogs::WrittenText(const QStringList& files)
{
    return QStringLiteral("파일 %1개를 저장했습니다.").arg(files.size());
}

bool CQtImageSetDialogs::ReportWritten(QWidget* parent, const QString& folder, const QStringList& files)
{
    QMessageBox box(QMessageBox::Information, CImageSetDlg::kCaption, WrittenText(files), QMessageBox::NoButton, parent);
    box.setInformativeText(QDir::toNativeSeparators(folder));
    box.setDetailedText(files.join(QLatin1Char('\n')));
    QPushButton* open = box.addButton(QStringLiteral("폴더 열기(&O)"), QMessageBox::ActionRole);
    QPushButton* close = box.addButton(QStringLiteral("닫기"), QMessageBox::RejectRole);
    box.setDefaultButton(close);
    box.setEscapeButton(close);
    box.exec();
    return box.clickedButton() == open;
}
