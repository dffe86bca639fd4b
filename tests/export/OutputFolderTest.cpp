#include "export/OutputFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

void Touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(OutputFolderTest, RefusesInputsLinksOutAndTwoClaimsOfOneFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(out));
    const QString design = dir.filePath(QStringLiteral("design.nfd"));
    Touch(design);
    Touch(dir.filePath(QStringLiteral("outside.png")));
    Touch(QDir(out).filePath(QStringLiteral("inside.png")));
    ASSERT_EQ(::link(QFile::encodeName(design).constData(), QFile::encodeName(out + "/hard.nfd").constData()), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("../outside.png"), out + "/away.png"));
    ASSERT_TRUE(QFile::link(QStringLiteral("../nowhere.png"), out + "/dangling.png"));
    ASSERT_TRUE(QFile::link(QStringLiteral("inside.png"), out + "/near.png"));
    const QString picture = QDir(out).filePath(QStringLiteral("star.png"));
    Touch(picture);

    COutputFolder folder(out, {design}, COutputFolder::ELetterCase::AsTheFileSystem);
    folder.AddInput(picture);
    folder.AddInput(dir.filePath(QStringLiteral("missing.png")));
    const struct
    {
        const char* fileName;
        int owner;
        const char* refusal; // empty: may be written
    } claims[] = {
        {"ok.png", 2, ""},
        {"OK.png", 3, ""}, // another file where letter case counts
        {"ok.png", 4, "\"ok.png\" is also a file of row 2"},
        {"hard.nfd", 2, "one of the files this run reads"},
        {"star.png", 2, "one of the files this run reads"},
        {"away.png", 2, "symbolic link"},
        {"dangling.png", 2, "symbolic link"},
        {"inside.png", 5, ""},
        {"near.png", 6, "\"near.png\" is also a file of row 5 (as \"inside.png\""},
        {"a.css", 0, ""},
        {"a.css", 0, "two files would be \"a.css\""},
    };
    for (const auto& claim : claims) {
        const QString refusal = folder.Claim(QString::fromUtf8(claim.fileName), claim.owner);
        if (*claim.refusal == '\0')
            EXPECT_TRUE(refusal.isEmpty()) << claim.fileName << ": " << refusal.toStdString();
        else
            EXPECT_TRUE(refusal.contains(QString::fromUtf8(claim.refusal))) << claim.fileName << ": " << refusal.toStdString();
    }

    COutputFolder ignoringCase(out, {}, COutputFolder::ELetterCase::Ignored);
    EXPECT_TRUE(ignoringCase.Claim(QStringLiteral("Ärger.png"), 2).isEmpty());
    EXPECT_TRUE(ignoringCase.Claim(QStringLiteral("äRGER.PNG"), 3).contains(QStringLiteral("row 2")));
}
