#include "design/NacreformDoc.h"

#include "design/DocumentListener.h"
#include "design/IniFile.h"
#include "render/Render.h"
#include "render/ImageFiles.h"
#include "render/Picture.h"
#include "render/RendererTable.h"
#include "util/MessageSink.h"

#include "DesignFiles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

namespace {

class RecordingSink : public IMessageSink
{
public:
    void ShowMessage(const QString& text) override { messages.append(text); }
    QStringList messages;
};

class RecordingListener : public IDocumentListener
{
public:
    void RefreshPageStates() override { events.append("refresh"); }
    void UpdatePreview(bool immediate) override { events.append(immediate ? "render now" : "render later"); }
    QStringList events;
};

// Every design parameter away from its default.
void SetEveryParameter(CNacreformDoc& doc)
{
    doc.BGTrans = false;
    doc.BGColor = 0x00123456;
    doc.Margin = 17;
    doc.ShapeSize = {300, 120};
    doc.Color1 = 0x000000FF;
    doc.Color2 = 0x0000FF00;
    doc.EnableShapeShadow = false;
    doc.ShapeShadowPos = {-12.5f, 33.25f};
    doc.ShapeShadowAlpha = 77;
    doc.String = "버튼 ボタン";
    doc.FontName = "DejaVu Sans";
    doc.Bold = true;
    doc.FontSize = 37.125f;
    doc.TextPos = {1.5f, -2.75f};
    doc.TextColor = 0x00ABCDEF;
    doc.TextAlpha = 11;
    doc.EnableTextShadow = false;
    doc.TextShadowPos = {-100.0f, 100.0f};
    doc.TextShadowColor = 0x00010203;
    doc.TextShadowColorSameAsText = false;
    doc.TextShadowAlpha = 255;
    doc.ImagePath = "/tmp/图 片.png";
    doc.ImageAlpha = 0;
    doc.ImagePos = {9.0f, 8.0f};
    doc.ImageSize = 150.5f;
    doc.EnableImageShadow = false;
    doc.ImageShadowPos = {7.0f, -6.0f};
    doc.ImageShadowAlpha = 128;
    doc.SelectRenderer(kRenderCapsule, false, false);
}

void ExpectSameDesign(const CNacreformDoc& a, const CNacreformDoc& b)
{
    EXPECT_EQ(a.BGTrans, b.BGTrans);
    EXPECT_EQ(a.BGColor, b.BGColor);
    EXPECT_EQ(a.Margin, b.Margin);
    EXPECT_EQ(a.ShapeSize, b.ShapeSize);
    EXPECT_EQ(a.Color1, b.Color1);
    EXPECT_EQ(a.Color2, b.Color2);
    EXPECT_EQ(a.EnableShapeShadow, b.EnableShapeShadow);
    EXPECT_EQ(a.ShapeShadowPos, b.ShapeShadowPos);
    EXPECT_EQ(a.ShapeShadowAlpha, b.ShapeShadowAlpha);
    EXPECT_EQ(a.String, b.String);
    EXPECT_EQ(a.FontName, b.FontName);
    EXPECT_EQ(a.Bold, b.Bold);
    EXPECT_EQ(a.FontSize, b.FontSize);
    EXPECT_EQ(a.TextPos, b.TextPos);
    EXPECT_EQ(a.TextColor, b.TextColor);
    EXPECT_EQ(a.TextAlpha, b.TextAlpha);
    EXPECT_EQ(a.EnableTextShadow, b.EnableTextShadow);
    EXPECT_EQ(a.TextShadowPos, b.TextShadowPos);
    EXPECT_EQ(a.TextShadowColor, b.TextShadowColor);
    EXPECT_EQ(a.TextShadowColorSameAsText, b.TextShadowColorSameAsText);
    EXPECT_EQ(a.TextShadowAlpha, b.TextShadowAlpha);
    EXPECT_EQ(a.ImagePath, b.ImagePath);
    EXPECT_EQ(a.ImageAlpha, b.ImageAlpha);
    EXPECT_EQ(a.ImagePos, b.ImagePos);
    EXPECT_EQ(a.ImageSize, b.ImageSize);
    EXPECT_EQ(a.EnableImageShadow, b.EnableImageShadow);
    EXPECT_EQ(a.ImageShadowPos, b.ImageShadowPos);
    EXPECT_EQ(a.ImageShadowAlpha, b.ImageShadowAlpha);
    EXPECT_EQ(a.RenderID, b.RenderID);
}

class DocumentFileTest : public ::testing::Test
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    // Opens a design made of the given [General] lines into m_doc.
    bool OpenLines(const QByteArray& lines)
    {
        const QString path = PathOf("case.nfd");
        WriteAll(path, "[General]\n" + lines);
        return m_doc.OnOpenDocument(path);
    }

    QTemporaryDir m_dir;
    CNacreformDoc m_doc;
};

} // namespace

TEST(Document, StartsWithTheDefaultDesign)
{
    CNacreformDoc doc;
    EXPECT_EQ(doc.RenderID, 32771u);
    EXPECT_EQ(doc.ShapeSize, (DesignSize{128, 128}));
    EXPECT_EQ(doc.String, "NACRE");
    EXPECT_EQ(doc.GetTitle(), "無題");
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(bool(doc.Renderer), bool(CreateRenderer(kRenderCircle00)));
}

TEST(Document, TextShadowColorFollowsTheTextWhenAsked)
{
    CNacreformDoc doc;
    doc.TextColor = 0x000000FF;
    doc.TextShadowColor = 0x0000FF00;
    EXPECT_EQ(doc.GetTextShadowColor(), 0x000000FFu);
    doc.TextShadowColorSameAsText = false;
    EXPECT_EQ(doc.GetTextShadowColor(), 0x0000FF00u);
}

TEST(Document, SelectRendererReplacesOnlyWhenNeeded)
{
    CNacreformDoc doc;
    RecordingListener listener;
    doc.SetListener(&listener);

    const CRender* before = doc.Renderer.get();
    EXPECT_TRUE(doc.OnSelectRenderer(kRenderCircle00));
    EXPECT_EQ(doc.Renderer.get(), before);
    EXPECT_TRUE(listener.events.isEmpty());

    EXPECT_TRUE(doc.OnSelectRenderer(kRenderRectangle));
    EXPECT_EQ(doc.RenderID, unsigned(kRenderRectangle));
    EXPECT_EQ(listener.events, QStringList({"refresh", "render now"}));

    listener.events.clear();
    doc.SelectRenderer(kRenderRectangle, true, false);
    EXPECT_TRUE(listener.events.isEmpty());

    doc.SelectRenderer(5, false, false);
    EXPECT_EQ(doc.RenderID, unsigned(kRenderCircle00));
}

TEST_F(DocumentFileTest, DefaultDesignSavesTheKeyTable)
{
    const QString path = PathOf("default.nfd");
    ASSERT_TRUE(m_doc.OnSaveDocument(path));
    EXPECT_EQ(ReadAll(path), kDefaultDesignFile);
}

TEST_F(DocumentFileTest, EveryParameterSurvivesARoundTrip)
{
    SetEveryParameter(m_doc);
    const QString path = PathOf("all.nfd");
    ASSERT_TRUE(m_doc.OnSaveDocument(path));

    CNacreformDoc fresh;
    ASSERT_TRUE(fresh.OnOpenDocument(path));
    ExpectSameDesign(m_doc, fresh);
}

TEST_F(DocumentFileTest, UnusualValuesReadAsTheProfileReaderDoes)
{
    ASSERT_TRUE(OpenLines("ShapeSize=12\nBold=true\nFontSize=\nMargin=abc\n"));
    EXPECT_EQ(m_doc.ShapeSize, (DesignSize{128, 128}));
    EXPECT_FALSE(m_doc.Bold);
    EXPECT_EQ(m_doc.FontSize, 20.0f);
    EXPECT_EQ(m_doc.Margin, 0);

    ASSERT_TRUE(OpenLines("ShapeSize=12,34,56\nBold=1abc\nFontSize=1e1\nMargin=2000\n"));
    EXPECT_EQ(m_doc.ShapeSize, (DesignSize{128, 128}));
    EXPECT_TRUE(m_doc.Bold);
    EXPECT_EQ(m_doc.FontSize, 10.0f);
    EXPECT_EQ(m_doc.Margin, 2000);

    ASSERT_TRUE(OpenLines("ShapeSize=,7\nBold=\nFontSize=abc\n"));
    EXPECT_EQ(m_doc.ShapeSize, (DesignSize{0, 7}));
    EXPECT_TRUE(m_doc.Bold);
    EXPECT_EQ(m_doc.FontSize, 0.0f);

    ASSERT_TRUE(OpenLines("ShapeSize=abc,def\nShapeSize=1,1\n"));
    EXPECT_EQ(m_doc.ShapeSize, (DesignSize{0, 0})); // the first of two equal keys counts

    ASSERT_TRUE(OpenLines("ShapeSize=\n"));
    EXPECT_EQ(m_doc.ShapeSize, (DesignSize{0, 0}));
}

TEST_F(DocumentFileTest, FloatsThatAreNotNumbersReadAsZero)
{
    ASSERT_TRUE(OpenLines("FontSize=nan\nTextPos=inf,-nan\nImageSize=1e300\nShapeShadowPos=1e39,2\n"));
    EXPECT_EQ(m_doc.FontSize, 0.0f);
    EXPECT_EQ(m_doc.TextPos, (DesignPoint{0.0f, 0.0f}));
    EXPECT_EQ(m_doc.ImageSize, 0.0f);
    EXPECT_EQ(m_doc.ShapeShadowPos, (DesignPoint{0.0f, 2.0f}));
}

TEST_F(DocumentFileTest, StringsReadBackAsWritten)
{
    ASSERT_TRUE(OpenLines("String=\n"));
    EXPECT_EQ(m_doc.String, "");

    m_doc.String = "a___LF___b";
    const QString path = PathOf("marker.nfd");
    ASSERT_TRUE(m_doc.OnSaveDocument(path));
    m_doc.String.clear();
    ASSERT_TRUE(m_doc.OnOpenDocument(path));
    EXPECT_EQ(m_doc.String, "a___LF___b");

    m_doc.String = "\"quoted\"";
    ASSERT_TRUE(m_doc.OnSaveDocument(path));
    EXPECT_TRUE(ReadAll(path).contains("String=\"quoted\"\n"));
    ASSERT_TRUE(m_doc.OnOpenDocument(path));
    EXPECT_EQ(m_doc.String, "quoted");

    m_doc.String = QString(300, 'x');
    ASSERT_TRUE(m_doc.OnSaveDocument(path));
    ASSERT_TRUE(m_doc.OnOpenDocument(path));
    EXPECT_EQ(m_doc.String, QString(254, 'x'));

    ASSERT_TRUE(OpenLines("string=lower\n"));
    EXPECT_EQ(m_doc.String, "lower");
}

TEST_F(DocumentFileTest, BytesThatAreNotUtf8SurviveAnEditAndASave)
{
    // A Latin-1 caption and a picture whose Linux file name is Latin-1.
    const QByteArray folder = QFile::encodeName(m_dir.path());
    const QByteArray picture = folder + "/p\xe9.png";
    QImage(4, 2, QImage::Format_ARGB32).save(QFile::decodeName(folder + "/plain.png"));
    ASSERT_EQ(::rename(folder + "/plain.png", picture.constData()), 0);
    ASSERT_TRUE(OpenLines("String=caf\xe9 \xff\nImagePath=" + picture + "\nMargin=1\n"));

    CPicture loaded;
    EXPECT_TRUE(LoadPicture(m_doc.ImagePath, loaded));
    EXPECT_EQ(loaded.size(), QSize(4, 2));

    m_doc.Margin = 2;
    const QString path = PathOf("case.nfd");
    ASSERT_TRUE(m_doc.OnSaveDocument(path));
    const QByteArray saved = ReadAll(path);
    EXPECT_TRUE(saved.contains("\nString=caf\xe9 \xff\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\nImagePath=p\xe9.png\n")) << saved.toStdString(); // beside the design
    EXPECT_TRUE(saved.contains("\nMargin=2\n"));
}

TEST_F(DocumentFileTest, PicturePathsTravelWithTheDesignFolder)
{
    const QDir root(m_dir.path());
    for (const char* folder : {"designs/pics", "other"})
        ASSERT_TRUE(root.mkpath(folder));
    for (const char* file : {"designs/b.png", "designs/pics/a.png", "other/b.png", "other/c.png"})
        WriteAll(root.filePath(file), "");
    const QString previousFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root.filePath("other")));

    // Saved: relative when the picture lies in the design's folder or below.
    const QString design = root.filePath("designs/d.nfd");
    const struct { QString inMemory; QString stored; } kCases[] = {
        {root.filePath("designs/b.png"), "b.png"},
        {root.filePath("designs/pics/a.png"), "pics/a.png"},
        {root.filePath("other/c.png"), root.filePath("other/c.png")},
        {"missing.png", "missing.png"},
    };
    for (const auto& c : kCases) {
        m_doc.ImagePath = c.inMemory;
        ASSERT_TRUE(m_doc.DoSave(design));
        EXPECT_TRUE(ReadAll(design).contains("\nImagePath=" + c.stored.toUtf8() + "\n")) << c.stored.toStdString();
    }

    // Read: beside the design first, then from the current folder.
    const struct { QByteArray stored; QString inMemory; } kReads[] = {
        {"pics/a.png", root.filePath("designs/pics/a.png")},
        {"b.png", root.filePath("designs/b.png")},
        {"c.png", root.filePath("other/c.png")},
        {"missing.png", "missing.png"},
    };
    for (const auto& r : kReads) {
        WriteAll(design, "[General]\nImagePath=" + r.stored + "\n");
        ASSERT_TRUE(m_doc.OnOpenDocument(design));
        EXPECT_EQ(m_doc.ImagePath, r.inMemory) << r.stored.toStdString();
    }

    // Saved elsewhere, the picture keeps pointing at the same file.
    WriteAll(design, "[General]\nImagePath=pics/a.png\n");
    ASSERT_TRUE(m_doc.OnOpenDocument(design));
    ASSERT_TRUE(m_doc.DoSave(root.filePath("other/e.nfd")));
    EXPECT_TRUE(ReadAll(root.filePath("other/e.nfd")).contains("\nImagePath=" + root.filePath("designs/pics/a.png").toUtf8() + "\n"));
    ASSERT_TRUE(m_doc.DoSave(root.filePath("f.nfd")));
    EXPECT_TRUE(ReadAll(root.filePath("f.nfd")).contains("\nImagePath=designs/pics/a.png\n"));
    QDir::setCurrent(previousFolder);
}

TEST_F(DocumentFileTest, MissingKeysKeepThePreviousDesign)
{
    SetEveryParameter(m_doc);
    CNacreformDoc expected;
    SetEveryParameter(expected);
    expected.Margin = 3;

    ASSERT_TRUE(OpenLines("Margin=3\n"));
    ExpectSameDesign(m_doc, expected);

    const QString path = PathOf("not-ini.nfd");
    WriteAll(path, QByteArray("\x89PNG\r\n\x1a\n\0\0binary", 16));
    ASSERT_TRUE(m_doc.OnOpenDocument(path));
    ExpectSameDesign(m_doc, expected);
}

TEST_F(DocumentFileTest, UnknownRendererBecomesTheDefaultCircle)
{
    m_doc.SelectRenderer(kRenderRectangle, false, false);
    ASSERT_TRUE(OpenLines("RenderID=5\n"));
    EXPECT_EQ(m_doc.RenderID, unsigned(kRenderCircle00));

    const QString path = PathOf("saved.nfd");
    ASSERT_TRUE(m_doc.OnSaveDocument(path));
    EXPECT_TRUE(ReadAll(path).contains("RenderID=32771\n"));
}

TEST_F(DocumentFileTest, OpenRefusesWhatIsNoReadableDesign)
{
    SetEveryParameter(m_doc);
    CNacreformDoc expected;
    SetEveryParameter(expected);
    m_doc.SetPathName("/kept/path.nfd");
    RecordingSink sink;
    m_doc.SetMessageSink(&sink);

    const QString large = PathOf("large.nfd");
    WriteAll(large, "[General]\nMargin=1\n" + QByteArray(CIniFile::kMaxFileSize, ';'));
    const QString fifo = PathOf("fifo.nfd");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    const struct
    {
        QString path;
        QString reason;
    } refused[] = {
        {PathOf("missing.nfd"), strerror(ENOENT)}, {m_dir.path(), "not a regular file"},
        {"/dev/zero", "not a regular file"},      {large, "larger than 1 MiB"},
        {fifo, "not a regular file"},
    };
    for (const auto& c : refused) {
        sink.messages.clear();
        EXPECT_FALSE(m_doc.OnOpenDocument(c.path)) << c.path.toStdString();
        EXPECT_EQ(sink.messages, QStringList{CNacreformDoc::kOpenFailedMessage + "\n\n" + c.path + "\n" + c.reason});
    }
    ExpectSameDesign(m_doc, expected);
    EXPECT_EQ(m_doc.GetPathName(), "/kept/path.nfd");
}

TEST_F(DocumentFileTest, FailedSaveKeepsPathAndTitle)
{
    m_doc.SetPathName("/old.nfd");
    m_doc.SetTitle("old.nfd");
    EXPECT_FALSE(m_doc.DoSave(PathOf("missing-folder/x.nfd")));
    EXPECT_EQ(m_doc.GetPathName(), "/old.nfd");
    EXPECT_EQ(m_doc.GetTitle(), "old.nfd");

    const QString path = PathOf("new.nfd");
    EXPECT_TRUE(m_doc.DoSave(path));
    EXPECT_EQ(m_doc.GetPathName(), path);
    EXPECT_EQ(m_doc.GetTitle(), "new.nfd");
}
