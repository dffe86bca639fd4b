#include "design/IniFile.h"

#include "DesignFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(IniFileTest, ReadsNamesWithoutCaseAndValuesWithoutQuotes)
{
    const QString path = PathOf("a.ini");
    WriteAll(path, "[general]\r\nbgtrans = 0 \r\nQuoted=\"hello\"\r\nSingle='x'\r\nHalf=\"open\r\n");
    CIniFile ini(path, false);
    EXPECT_FALSE(ini.GetBool("", "BGTrans", true));
    EXPECT_EQ(ini.GetString("General", "QUOTED", "d", false), "hello");
    EXPECT_EQ(ini.GetString({}, "Single", "d", false), "x");
    EXPECT_EQ(ini.GetString({}, "Half", "d", false), "\"open");
    EXPECT_EQ(ini.GetString({}, "Missing", "fallback", false), "fallback");
    EXPECT_EQ(ini.GetString("Nowhere", "BGTrans", "fallback", false), "fallback");
}

TEST_F(IniFileTest, LoneCarriageReturnsEndLinesAndQuotedDefaultsStay)
{
    const QString path = PathOf("cr.ini");
    WriteAll(path, "[General]\rMargin=3\rString=x\r");
    CIniFile ini(path, false);
    EXPECT_EQ(ini.GetInt({}, "Margin", 42), 3);
    EXPECT_EQ(ini.GetString({}, "Missing", "\"Q\"", false), "\"Q\"");
    ini.WriteInt({}, "Margin", 4);
    ini.WriteInt({}, "Added", 5);
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(ReadAll(path), "[General]\rMargin=4\rString=x\rAdded=5\r");
}

TEST_F(IniFileTest, MissingFileGivesDefaults)
{
    CIniFile ini(PathOf("none.ini"), false);
    EXPECT_EQ(ini.GetInt({}, "Margin", 42), 42);
    EXPECT_DOUBLE_EQ(ini.GetDouble({}, "FontSize", 2.5), 2.5);
    EXPECT_TRUE(ini.GetBool({}, "Bold", true));
}

TEST_F(IniFileTest, ReadsOnlyRegularFilesOfModestSize)
{
    // A pipe would block the first read until a writer came, which none will.
    const QString pipe = PathOf("pipe.ini");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    CIniFile fromPipe(pipe, false);
    EXPECT_EQ(fromPipe.GetInt({}, "Margin", 42), 42);
    EXPECT_TRUE(fromPipe.WriteInt({}, "Margin", 7));
    EXPECT_FALSE(fromPipe.Flush());

    // Anything larger than a profile can be is not read into memory, and a
    // save over it fails: it would throw away every line it did not read.
    const QString large = PathOf("large.nfd");
    QByteArray content = "[General]\nMargin=9\n";
    for (int i = 0; content.size() <= CIniFile::kMaxFileSize; ++i)
        content += "Foreign" + QByteArray::number(i) + "=1\n";
    WriteAll(large, content);
    CIniFile fromLarge(large, false);
    EXPECT_EQ(fromLarge.GetInt({}, "Margin", 42), 42);
    EXPECT_TRUE(fromLarge.WriteInt({}, "Margin", 7));
    QString why;
    EXPECT_FALSE(fromLarge.Flush(&why));
    EXPECT_TRUE(why.contains("larger than 1 MiB")) << why.toStdString();
    EXPECT_EQ(ReadAll(large), content);
}

TEST_F(IniFileTest, ConvertsNumbersLikeTheProfileReader)
{
    EXPECT_EQ(CIniFile::ParseInt("12abc"), 12);
    EXPECT_EQ(CIniFile::ParseInt("  -7"), -7);
    EXPECT_EQ(CIniFile::ParseInt("abc"), 0);
    // Beyond 32 bits the profile reader wraps; the pair conversion saturates.
    EXPECT_EQ(CIniFile::ParseInt("4294967295"), -1);
    EXPECT_EQ(CIniFile::ParseInt("4294967296"), 0);
    EXPECT_EQ(CIniFile::ParseInt("4294967297"), 1);
    EXPECT_EQ(CIniFile::ParseInt("-4294967297"), -1);
    EXPECT_EQ(CIniFile::ParseIntClamped("99999999999999999999"), 2147483647);
    EXPECT_EQ(CIniFile::ParseIntClamped("-99999999999999999999"), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(CIniFile::ParseDouble("1e1"), 10.0);
    EXPECT_DOUBLE_EQ(CIniFile::ParseDouble(" -2.5x"), -2.5);
    EXPECT_DOUBLE_EQ(CIniFile::ParseDouble("abc"), 0.0);
    EXPECT_DOUBLE_EQ(CIniFile::ParseDouble("nan"), 0.0);
    EXPECT_DOUBLE_EQ(CIniFile::ParseDouble("-inf"), 0.0);
    EXPECT_DOUBLE_EQ(CIniFile::ParseDouble("1e999"), 0.0);
    EXPECT_EQ(CIniFile::FormatDouble(20.0), "20.000000");
    EXPECT_EQ(CIniFile::FormatDouble(-0.5), "-0.500000");
}

TEST_F(IniFileTest, CutsReadsAt254Characters)
{
    const QString path = PathOf("long.ini");
    const QString longText(300, QChar(u'가'));
    {
        CIniFile ini(path, false);
        ini.WriteString({}, "String", longText, false);
        ASSERT_TRUE(ini.Flush());
    }
    CIniFile ini(path, false);
    EXPECT_EQ(ini.GetString({}, "String", {}, false), longText.left(254));
}

TEST_F(IniFileTest, LineBreakMarkerOnlyWhenAsked)
{
    const QString path = PathOf("lf.ini");
    CIniFile ini(path, false);
    ini.WriteString({}, "Encoded", "a\r\nb", true);
    ini.WriteString({}, "Lone", "a\nb", true);
    EXPECT_EQ(ini.GetString({}, "Encoded", {}, false), "a___LF___b");
    EXPECT_EQ(ini.GetString({}, "Encoded", {}, true), "a\r\nb");
    // A value must never break into a second line of the file.
    ini.WriteString({}, "Injected", "x\nRenderID=5", false);
    ASSERT_TRUE(ini.Flush());
    const QByteArray data = ReadAll(path);
    EXPECT_FALSE(data.contains("\nRenderID=5"));
    EXPECT_EQ(data.count('\n'), 4);
}

TEST_F(IniFileTest, WritesKeepForeignLinesAndOrder)
{
    const QString path = PathOf("keep.ini");
    WriteAll(path,
             "; top comment\r\n"
             "[Other]\r\n"
             "x=1\r\n"
             "[General]\r\n"
             "Foreign=2\r\n"
             "margin=9\r\n"
             "\r\n"
             "[Tail]\r\n"
             "y=3\r\n");
    CIniFile ini(path, false);
    ini.WriteInt({}, "Margin", 7);     // replaced in place, spelling kept
    ini.WriteInt({}, "NewKey", 1);     // after the last line of its section
    ini.WriteInt("Added", "z", 4);     // a new section at the end
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(ReadAll(path),
              "; top comment\r\n"
              "[Other]\r\n"
              "x=1\r\n"
              "[General]\r\n"
              "Foreign=2\r\n"
              "margin=7\r\n"
              "NewKey=1\r\n"
              "\r\n"
              "[Tail]\r\n"
              "y=3\r\n"
              "\r\n"
              "[Added]\r\n"
              "z=4\r\n");
}

TEST_F(IniFileTest, FailedWriteLeavesTheFileAlone)
{
    const QString folder = PathOf("locked");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/design.nfd";
    WriteAll(path, "[General]\nMargin=1\n");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);

    CIniFile ini(path, false);
    ini.WriteInt({}, "Margin", 2);
    EXPECT_FALSE(ini.Flush());
    EXPECT_EQ(ReadAll(path), "[General]\nMargin=1\n");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // A read-only file in a writable folder is not replaced either.
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    CIniFile again(path, false);
    again.WriteInt({}, "Margin", 3);
    EXPECT_FALSE(again.Flush());
    EXPECT_EQ(ReadAll(path), "[General]\nMargin=1\n");

    CIniFile missingFolder(PathOf("no/such/folder.nfd"), false);
    missingFolder.WriteInt({}, "Margin", 3);
    EXPECT_FALSE(missingFolder.Flush());
}

TEST_F(IniFileTest, SaveKeepsPermissions)
{
    const QString path = PathOf("perm.nfd");
    WriteAll(path, "[General]\n");
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QFile::setPermissions(path, mode);
    CIniFile ini(path, false);
    ini.WriteInt({}, "Margin", 3);
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(QFile::permissions(path) & QFileDevice::Permissions(0x7077), mode);
}
