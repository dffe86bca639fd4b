#include "panel/ControlImageDlg.h"

#include "design/NacreformDoc.h"
#include "panel/PictureFileChooser.h"
#include "res/layouts/ImagePageTemplate.h"
#include "util/DlgItems.h"
#include "widgets/EditDouble.h"
#include "widgets/EditInt.h"

#include <QAbstractButton>
#include <QLineEdit>

using namespace ImagePageTemplate;
using namespace ShadowBlock;

CControlImageDlg::CControlImageDlg(QWidget* parent)
    : CControlPage(parent)
    , m_pFileChooser(std::make_unique<CPictureFileDialog>())
    , m_editFileName(new QLineEdit(this))
    , m_editImageAlpha(new CEditInt(this))
    , m_editImageSize(new CEditDouble(this))
    , m_editShadowY(new CEditDouble(this))
    , m_editShadowX(new CEditDouble(this))
    , m_editShadowAlpha(new CEditInt(this))
    , m_editImageY(new CEditDouble(this))
    , m_editImageX(new CEditDouble(this))
    , m_shadow{m_editShadowX, m_editShadowY, m_editShadowAlpha, IDC_SHADOW_ALPHA, IDC_SHADOW_ALPHA_SPIN,
               &CNacreformDoc::EnableImageShadow, &CNacreformDoc::ImageShadowPos, &CNacreformDoc::ImageShadowAlpha}
{
    m_editFileName->setReadOnly(true);
    CreateControls(kTemplate, {
        {IDC_FILE_NAME, m_editFileName},
        {IDC_SIZE, m_editImageSize},
        {IDC_IMAGE_X, m_editImageX},
        {IDC_IMAGE_Y, m_editImageY},
        {IDC_IMAGE_ALPHA, m_editImageAlpha},
        {IDC_SHADOW_X, m_editShadowX},
        {IDC_SHADOW_Y, m_editShadowY},
        {IDC_SHADOW_ALPHA, m_editShadowAlpha},
    });

    m_editImageSize->Setup(20.0, 1.0, 200.0, IDC_SIZE_SPIN);
    m_editImageX->Setup(0.0, -100.0, 100.0, IDC_IMAGE_X_SPIN);
    m_editImageY->Setup(0.0, -100.0, 100.0, IDC_IMAGE_Y_SPIN);
    m_editImageAlpha->Setup(255, 0, 255, IDC_IMAGE_ALPHA_SPIN);
    m_editShadowX->Setup(0.0, -100.0, 100.0, IDC_SHADOW_X_SPIN);
    m_editShadowY->Setup(0.0, -100.0, 100.0, IDC_SHADOW_Y_SPIN);
    m_editShadowAlpha->Setup(255, 0, 255, IDC_SHADOW_ALPHA_SPIN);

    connect(GetButton(IDC_CHOOSE), &QAbstractButton::clicked, this, &CControlImageDlg::OnChooseFile);
    // Emptying the cache key makes the next render decode the file again,
    // even under the same path.
    OnClicked(IDC_RELOAD, [](CNacreformDoc& doc) { doc.CachedImagePath.clear(); });
    OnClicked(IDC_DELETE, [this](CNacreformDoc& doc) { OnDeleteFile(doc); });
    BindShadowControls(m_shadow);
    OnFieldChanged(m_editImageSize, [](CNacreformDoc& doc, float value) { doc.ImageSize = value; });
    OnFieldChanged(m_editImageX, [](CNacreformDoc& doc, float value) { doc.ImagePos.x = value; });
    OnFieldChanged(m_editImageY, [](CNacreformDoc& doc, float value) { doc.ImagePos.y = value; });
    OnFieldChanged(m_editImageAlpha, [](CNacreformDoc& doc, int value) { doc.ImageAlpha = value; });
}

CControlImageDlg::~CControlImageDlg() = default;

void CControlImageDlg::SetFileChooser(std::unique_ptr<IPictureFileChooser> chooser)
{
    m_pFileChooser = std::move(chooser);
}

QString CControlImageDlg::FileNamePart(const QString& path)
{
    const qsizetype separator = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(separator + 1);
}

void CControlImageDlg::LoadFromDocument()
{
    const CNacreformDoc* doc = GetDocument();
    if (!doc)
        return;
    m_editFileName->setText(FileNamePart(doc->ImagePath));
    m_editImageSize->SetValue(doc->ImageSize);
    m_editImageX->SetValue(doc->ImagePos.x);
    m_editImageY->SetValue(doc->ImagePos.y);
    m_editImageAlpha->SetValue(doc->ImageAlpha);
    LoadShadowControls(m_shadow, *doc);
    UpdateControlStates();
}

void CControlImageDlg::UpdateControlStates()
{
    const CNacreformDoc* doc = GetDocument();
    if (!doc)
        return;
    const bool picture = !doc->ImagePath.isEmpty();
    const EnableDlgItem table[] = {
        {IDC_RELOAD, picture},
        {IDC_DELETE, picture},
        {0, 0},
    };
    EnableDlgItems(this, table);
    // Follows the document, not the check box.
    EnableShadowControls(m_shadow, doc->EnableImageShadow);
}

void CControlImageDlg::OnChooseFile()
{
    const QString path = m_pFileChooser->ChoosePictureFile();
    if (path.isEmpty())
        return;
    // The picture cache stays: the next render sees a new path and decodes it.
    Commit([&](CNacreformDoc& doc) {
        doc.ImagePath = path;
        m_editFileName->setText(FileNamePart(path));
        UpdateControlStates();
    }, true);
}

void CControlImageDlg::OnDeleteFile(CNacreformDoc& doc)
{
    doc.ImagePath.clear();
    UpdateControlStates();
    m_editFileName->clear();
}
