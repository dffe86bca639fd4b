#include "util/ByteText.h"
#include "util/Helpers.h"
#include "util/WideString.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>

TEST(NumberText, FormatsIntegersAndTwoDecimals)
{
    EXPECT_EQ(IntToString(-7), "-7");
    EXPECT_EQ(DoubleToString(-0.5), "-0.50");
    EXPECT_EQ(DoubleToString(3), "3.00");
    EXPECT_EQ(DoubleToString(2.675), "2.67"); // binary 2.67499..., rounded as printf does
    EXPECT_EQ(DoubleToString(0.125), "0.12");  // an exact tie goes to the even digit
    EXPECT_EQ(DoubleToString(-0.0), "-0.00");
}

TEST(NumberText, IgnoresTheProcessLocale)
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale installed";
    EXPECT_EQ(DoubleToString(1.5), "1.50");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(SplitString, KeepsEmptyPartsAndAppends)
{
    struct Case
    {
        QString source;
        QStringList parts;
    };
    const Case cases[] = {
        {"1,2", {"1", "2"}},
        {"5,", {"5", ""}},
        {"a,,b", {"a", "", "b"}},
        {"", {""}},
        {",7", {"", "7"}},
        {"한글,日本", {"한글", "日本"}},
    };
    for (const Case& c : cases) {
        QStringList parts;
        SplitString(parts, c.source, ",");
        EXPECT_EQ(parts, c.parts) << c.source.toStdString();
    }

    QStringList existing{"kept"};
    SplitString(existing, "x--y", "--");
    EXPECT_EQ(existing, QStringList({"kept", "x", "y"}));
}

TEST(WideString, ConvertsUtf8AndKeepsNull)
{
    CWideString null(nullptr);
    EXPECT_EQ(null.m_pszWide, nullptr);

    CWideString empty("");
    ASSERT_NE(empty.m_pszWide, nullptr);
    EXPECT_EQ(empty.m_pszWide[0], u'\0');

    CWideString text("無題 A");
    EXPECT_EQ(std::u16string(text.m_pszWide), u"無題 A");
}

TEST(ModulePath, DirectoryIsCachedAndEndsInSeparator)
{
    const QString dir = GetModuleDirectory();
    ASSERT_FALSE(dir.isEmpty());
    EXPECT_TRUE(dir.endsWith(QDir::separator()));
    EXPECT_EQ(QFileInfo(GetModulePath()).absolutePath() + "/", dir);

    QTemporaryDir elsewhere;
    const QString before = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    EXPECT_EQ(GetModuleDirectory(), dir);
    QDir::setCurrent(before);
}

TEST(ByteText, EveryByteSequenceComesBackAsItWas)
{
    const QByteArray samples[] = {
        "plain", "caf\xe9", "p\xe9.png", "\xff\xfe", "\xc3", "\xe2\x82", "\xed\xa0\x80", // broken or surrogate
        "\xc0\xaf", "\xf4\x90\x80\x80",                                          // overlong, beyond U+10FFFF
        "\xea\xb0\x80\xf0\x9f\x98\x80\x80",                                      // valid, then a stray byte
    };
    for (const QByteArray& bytes : samples)
        EXPECT_EQ(BytesFromText(TextFromBytes(bytes)), bytes) << bytes.toHex().toStdString();
    EXPECT_EQ(TextFromBytes("\xea\xb0\x80"), QString(u'가'));
    EXPECT_EQ(TextFromBytes("caf\xe9").left(3), "caf");
    EXPECT_EQ(BytesFromText(QString::fromUtf8("\xf0\x9f\x98\x80")), "\xf0\x9f\x98\x80");
}
