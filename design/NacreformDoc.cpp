#include "design/NacreformDoc.h"

#include "design/DocumentListener.h"
#include "design/IniFile.h"
#include "design/PicturePath.h"
#include "render/Render.h"
#include "render/RendererTable.h"
#include "util/MessageSink.h"

#include <QFileInfo>

namespace {

// The folder of a file, absolute; empty for a store without a file.
QString FolderOf(const QString& file)
{
    return file.isEmpty() ? QString() : QFileInfo(file).absolutePath();
}

} // namespace

const QString CNacreformDoc::kOpenFailedMessage = QStringLiteral("ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。");
const QString CNacreformDoc::kUntitled = QStringLiteral("無題");

CNacreformDoc::CNacreformDoc()
{
    SelectRenderer(kRenderCircle00, false, true);
}

CNacreformDoc::~CNacreformDoc() = default;

const QStringList& CNacreformDoc::DesignKeys()
{
    static const QStringList keys = {
        QStringLiteral("BGTrans"), QStringLiteral("BGColor"), QStringLiteral("Margin"),
        QStringLiteral("ShapeSize"), QStringLiteral("Color1"), QStringLiteral("Color2"),
        QStringLiteral("EnableShapeShadow"), QStringLiteral("ShapeShadowPos"),
        QStringLiteral("ShapeShadowAlpha"), QStringLiteral("String"), QStringLiteral("FontName"),
        QStringLiteral("Bold"), QStringLiteral("FontSize"), QStringLiteral("TextPos"),
        QStringLiteral("TextColor"), QStringLiteral("TextAlpha"), QStringLiteral("EnableTextShadow"),
        QStringLiteral("TextShadowPos"), QStringLiteral("TextShadowColor"),
        QStringLiteral("TextShadowColorSameAsText"), QStringLiteral("TextShadowAlpha"),
        QStringLiteral("ImagePath"), QStringLiteral("ImageAlpha"), QStringLiteral("ImagePos"),
        QStringLiteral("ImageSize"), QStringLiteral("EnableImageShadow"),
        QStringLiteral("ImageShadowPos"), QStringLiteral("ImageShadowAlpha"),
        QStringLiteral("RenderID"),
    };
    return keys;
}

void CNacreformDoc::CopyDesignFrom(const CNacreformDoc& other)
{
    BGTrans = other.BGTrans;
    BGColor = other.BGColor;
    Margin = other.Margin;
    ShapeSize = other.ShapeSize;
    Color1 = other.Color1;
    Color2 = other.Color2;
    EnableShapeShadow = other.EnableShapeShadow;
    ShapeShadowPos = other.ShapeShadowPos;
    ShapeShadowAlpha = other.ShapeShadowAlpha;
    String = other.String;
    FontName = other.FontName;
    Bold = other.Bold;
    FontSize = other.FontSize;
    TextPos = other.TextPos;
    TextColor = other.TextColor;
    TextAlpha = other.TextAlpha;
    EnableTextShadow = other.EnableTextShadow;
    TextShadowPos = other.TextShadowPos;
    TextShadowColor = other.TextShadowColor;
    TextShadowColorSameAsText = other.TextShadowColorSameAsText;
    TextShadowAlpha = other.TextShadowAlpha;
    ImagePath = other.ImagePath;
    ImageAlpha = other.ImageAlpha;
    ImagePos = other.ImagePos;
    ImageSize = other.ImageSize;
    EnableImageShadow = other.EnableImageShadow;
    ImageShadowPos = other.ImageShadowPos;
    ImageShadowAlpha = other.ImageShadowAlpha;
    m_strDesignFolder = other.m_strDesignFolder;
    CachedImagePath = other.CachedImagePath;
    CachedImage = other.CachedImage;
    SelectRenderer(other.RenderID, true, false);
}

void CNacreformDoc::SelectRenderer(unsigned id, bool force, bool notify)
{
    if (id == RenderID && !force)
        return;
    RenderID = id;
    Renderer.reset();
    Renderer = CreateRenderer(id);
    if (!Renderer) {
        RenderID = kRenderCircle00;
        Renderer = CreateRenderer(kRenderCircle00);
    }
    if (notify && m_pListener) {
        m_pListener->RefreshPageStates();
        m_pListener->UpdatePreview(true);
    }
}

bool CNacreformDoc::OnSelectRenderer(unsigned id)
{
    SelectRenderer(id, false, true);
    return true;
}

COLORREF CNacreformDoc::GetTextShadowColor() const
{
    return TextShadowColorSameAsText ? TextColor : TextShadowColor;
}

void CNacreformDoc::ApplyValues(const CDesignValues& values)
{
    const unsigned previousId = RenderID;
    static_cast<CDesignValues&>(*this) = values;
    if (RenderID != previousId || !Renderer)
        SelectRenderer(RenderID, true, false);
}

void CNacreformDoc::ExchangeDesign(bool save, CIniFile& ini)
{
    const QString section; // "General"
    const QStringList& k = DesignKeys();
    int renderId = int(RenderID);
    ini.ExchangeBool(save, section, k[0], BGTrans);
    ini.ExchangeInt(save, section, k[1], reinterpret_cast<int&>(BGColor));
    ini.ExchangeInt(save, section, k[2], Margin);
    ini.ExchangeIntPair(save, section, k[3], ShapeSize.cx, ShapeSize.cy);
    ini.ExchangeInt(save, section, k[4], reinterpret_cast<int&>(Color1));
    ini.ExchangeInt(save, section, k[5], reinterpret_cast<int&>(Color2));
    ini.ExchangeBool(save, section, k[6], EnableShapeShadow);
    ini.ExchangeFloatPair(save, section, k[7], ShapeShadowPos.x, ShapeShadowPos.y);
    ini.ExchangeInt(save, section, k[8], ShapeShadowAlpha);
    ini.ExchangeString(save, section, k[9], String, false);
    ini.ExchangeString(save, section, k[10], FontName, false);
    ini.ExchangeBool(save, section, k[11], Bold);
    ini.ExchangeFloat(save, section, k[12], FontSize);
    ini.ExchangeFloatPair(save, section, k[13], TextPos.x, TextPos.y);
    ini.ExchangeInt(save, section, k[14], reinterpret_cast<int&>(TextColor));
    ini.ExchangeInt(save, section, k[15], TextAlpha);
    ini.ExchangeBool(save, section, k[16], EnableTextShadow);
    ini.ExchangeFloatPair(save, section, k[17], TextShadowPos.x, TextShadowPos.y);
    ini.ExchangeInt(save, section, k[18], reinterpret_cast<int&>(TextShadowColor));
    ini.ExchangeBool(save, section, k[19], TextShadowColorSameAsText);
    ini.ExchangeInt(save, section, k[20], TextShadowAlpha);
    QString imagePath = save ? StoredPicturePath(ResolvePicturePath(ImagePath, m_strDesignFolder),
                                                 FolderOf(ini.m_strFileName))
                             : ImagePath;
    ini.ExchangeString(save, section, k[21], imagePath, false);
    if (!save)
        ImagePath = ResolvePicturePath(imagePath, m_strDesignFolder);
    ini.ExchangeInt(save, section, k[22], ImageAlpha);
    ini.ExchangeFloatPair(save, section, k[23], ImagePos.x, ImagePos.y);
    ini.ExchangeFloat(save, section, k[24], ImageSize);
    ini.ExchangeBool(save, section, k[25], EnableImageShadow);
    ini.ExchangeFloatPair(save, section, k[26], ImageShadowPos.x, ImageShadowPos.y);
    ini.ExchangeInt(save, section, k[27], ImageShadowAlpha);
    ini.ExchangeInt(save, section, k[28], renderId);
    RenderID = unsigned(renderId);
}

QByteArray CNacreformDoc::DesignFileText()
{
    CIniFile ini(QString(), false);
    ini.LoadText(QByteArray());
    ExchangeDesign(true, ini);
    return ini.Text();
}

bool CNacreformDoc::ExchangeDesign(bool save, const QString& path, QString* why)
{
    CIniFile ini(path, false);
    ExchangeDesign(save, ini);
    return !save || ini.Flush(why);
}

bool CNacreformDoc::OnNewDocument()
{
    m_strPathName.clear();
    m_strDesignFolder.clear();
    return true;
}

bool CNacreformDoc::OnOpenDocument(const QString& path)
{
    QByteArray text;
    QString why;
    if (!CIniFile::ReadWholeFile(path, text, &why)) {
        if (m_pMessageSink)
            m_pMessageSink->ShowFileFailure(FileFailureText(kOpenFailedMessage, path, why),
                                            QStringLiteral("cannot read the design file %1").arg(path), why);
        return false;
    }
    CIniFile ini(path, false);
    ini.LoadText(text);
    m_strDesignFolder = FolderOf(ini.m_strFileName);
    ExchangeDesign(false, ini);
    SelectRenderer(RenderID, true, false);
    return true;
}

bool CNacreformDoc::OnSaveDocument(const QString& path, QString* why)
{
    return ExchangeDesign(true, path, why);
}

bool CNacreformDoc::DoSave(const QString& path, QString* why)
{
    if (!OnSaveDocument(path, why))
        return false;
    m_strPathName = path;
    m_strTitle = QFileInfo(path).fileName();
    m_strDesignFolder = FolderOf(path);
    return true;
}
