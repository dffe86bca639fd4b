#include "HeadlessHarness.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/resource.h>

namespace {

// Sets and batches run on files a user keeps: what they must never do.
class ExportSafetyTest : public CHeadlessHarness
{
protected:
    QStringList Files(const QString& folder) const
    {
        return QDir(Path(folder)).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
};

QStringList Arguments(std::initializer_list<const char*> arguments)
{
    QStringList list;
    for (const char* argument : arguments)
        list.append(QString::fromUtf8(argument));
    return list;
}

} // namespace

TEST_F(ExportSafetyTest, BatchRowsWhoseFilesCollideWriteNothing)
{
    const struct
    {
        QByteArray csv;
        QStringList arguments;
        const char* message;
    } cases[] = {
        {"name,Color1\nok,255\nok@2x,65280\n", Arguments({"--scales", "1,2"}),
         "row 3: \"ok@2x.png\" is also a file of row 2"},
        {"name,Color1\nok,255\n\nok-hover,65280\n", Arguments({"--scales", "1"}),
         "row 4: \"ok-hover.png\" is also a file of row 2"},
        {"name\nok\nok@2x\n", Arguments({"--scales", "1,2", "--sprite"}),
         "row 3: \"ok@2x.png\" is also a file of row 2"},
        {"name,String\nsame,A\nsame,B\n", {}, "row 3: \"same.png\" is also a file of row 2"},
    };
    for (const auto& c : cases) {
        WriteFile(QStringLiteral("rows.csv"), c.csv);
        QStringList arguments = {QStringLiteral("--batch"), QStringLiteral("rows.csv")};
        if (!c.arguments.isEmpty())
            arguments += QStringList{QStringLiteral("--export-set"), QStringLiteral("out")} + c.arguments;
        const SRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_TRUE(Files(QStringLiteral("out")).isEmpty()) << c.message;
        EXPECT_FALSE(QFile::exists(Path(QStringLiteral("same.png"))));
    }
}

TEST_F(ExportSafetyTest, NoFileOfARunIsOneOfItsInputs)
{
    QImage star(8, 8, QImage::Format_ARGB32);
    star.fill(Qt::yellow);
    ASSERT_TRUE(star.save(Path(QStringLiteral("star.png"))));
    const QByteArray picture = ReadFile(QStringLiteral("star.png"));
    WriteDesign(QStringLiteral("design.nfd"), "ImagePath=star.png\n");
    const QByteArray design = ReadFile(QStringLiteral("design.nfd"));
    const QByteArray csv = "name,String\nstar,A\nrows.csv,B\ndesign.nfd,C\n";
    const QList<QStringList> runs = {
        // A row named as the design's picture.
        Arguments({"--batch", "rows.csv", "design.nfd"}),
        // A batch of sets whose pattern names a row's file as the picture.
        Arguments({"--batch", "rows.csv", "--export-set", ".", "--pattern", "{name}.png", "--scales", "1",
                   "--states", "normal", "--", "design.nfd"}),
        // A set named as its own design's picture.
        Arguments({"--export-set", ".", "--name", "star", "--pattern", "{name}.png", "--scales", "1", "--states",
                   "normal", "--", "design.nfd"}),
    };
    for (const QStringList& arguments : runs) {
        WriteFile(QStringLiteral("rows.csv"), csv);
        const SRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("is one of the files this run reads"))) << run.err.toStdString();
        EXPECT_EQ(ReadFile(QStringLiteral("rows.csv")), csv);
        EXPECT_EQ(ReadFile(QStringLiteral("design.nfd")), design);
        EXPECT_EQ(ReadFile(QStringLiteral("star.png")), picture);
    }
}

TEST_F(ExportSafetyTest, LinksOutOfTheTargetFolderAreRefusedAndTypedPathsFollowed)
{
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("out"))));
    WriteFile(QStringLiteral("keep.png"), "keep");
    ASSERT_TRUE(QFile::link(QStringLiteral("../keep.png"), Path(QStringLiteral("out/ok@2x.png"))));
    const QStringList set = Arguments({"--export-set", "out", "--name", "ok", "--scales", "1,2"});
    const SRun refused = Run(set);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("\"ok@2x.png\" is a symbolic link"))) << refused.err.toStdString();
    EXPECT_EQ(ReadFile(QStringLiteral("keep.png")), "keep");
    EXPECT_EQ(Files(QStringLiteral("out")), QStringList{"ok@2x.png"});
    WriteFile(QStringLiteral("rows.csv"), "name\nok\n");
    EXPECT_EQ(Run(QStringList{QStringLiteral("--batch"), QStringLiteral("rows.csv")} + set.mid(0, 2)).exitCode, 1);
    EXPECT_EQ(ReadFile(QStringLiteral("keep.png")), "keep");

    // A link that stays in the folder is written through; so is a path typed
    // for a single image.
    ASSERT_TRUE(QFile::remove(Path(QStringLiteral("out/ok@2x.png"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("kept.png"), Path(QStringLiteral("out/ok@2x.png"))));
    WriteFile(QStringLiteral("out/kept.png"), "old");
    ASSERT_EQ(Run(set).exitCode, 0);
    EXPECT_TRUE(ReadFile(QStringLiteral("out/kept.png")).startsWith("\x89PNG"));
    ASSERT_TRUE(QFile::link(QStringLiteral("keep.png"), Path(QStringLiteral("typed.png"))));
    ASSERT_EQ(Run(Arguments({"--export", "typed.png"})).exitCode, 0);
    EXPECT_TRUE(ReadFile(QStringLiteral("keep.png")).startsWith("\x89PNG"));
}

TEST_F(ExportSafetyTest, ASetIsAllOldOrAllNewAndListedWhenWritten)
{
    const QStringList set = Arguments({"--export-set", "out", "--name", "ok", "--scales", "1,2", "--sprite"});
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("out/ok@2x.png")))); // a folder: that file cannot be written
    WriteFile(QStringLiteral("out/ok.png"), "old sheet");
    WriteFile(QStringLiteral("out/ok.css"), "old style");
    const SRun failed = Run(set);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains(QStringLiteral("ok@2x.png: "))) << failed.err.toStdString();
    EXPECT_EQ(ReadFile(QStringLiteral("out/ok.png")), "old sheet");
    EXPECT_EQ(ReadFile(QStringLiteral("out/ok.css")), "old style");
    EXPECT_EQ(Files(QStringLiteral("out")), QStringList({"ok.css", "ok.png"})) << "temporary files are left";

    ASSERT_TRUE(QDir(Path(QStringLiteral("out/ok@2x.png"))).removeRecursively());
    const SRun quiet = Run(set);
    ASSERT_EQ(quiet.exitCode, 0) << quiet.err.toStdString();
    EXPECT_EQ(quiet.err, QString());
    const SRun listed = Run(set + QStringList{QStringLiteral("--verbose")});
    ASSERT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.err, QStringLiteral("nacreform: wrote out/ok.png\nnacreform: wrote out/ok@2x.png\n"
                                         "nacreform: wrote out/ok.css\nnacreform: wrote out/ok.html\n"));
}

TEST_F(ExportSafetyTest, MessagesQuoteValuesShortAndAsTyped)
{
    const QString longValue(100000, QLatin1Char('7'));
    WriteFile(QStringLiteral("rows.csv"), "name,Margin\nrow%1,5\nrow%1,6\n");
    WriteFile(QStringLiteral("long.csv"), "name,Margin\nok," + longValue.toUtf8() + "\n");
    const struct
    {
        QStringList arguments;
        QString message;
    } cases[] = {
        {Arguments({"--export", "a.png", "--scale", "%1"}), "--scale: \"%1\" is no scale from 0.25 to 8"},
        {Arguments({"--export-set", "d", "--scales", "1,%2"}), "--scales: \"%2\" is no scale from 0.25 to 8"},
        {Arguments({"--batch", "rows.csv"}), "\"row%1.png\" is also a file of row 2"},
        {Arguments({"--batch", "long.csv"}), "Margin=\"" + longValue.left(80) + QChar(0x2026) + "\": expected"},
        {{"--export", "a.png", "--set", "Margin=x" + longValue}, "\"x" + longValue.left(79) + QChar(0x2026) + "\""},
        {{"--export-set", "d", "--name", "a\nb"}, "the name \"a\\nb\" holds a control character"},
    };
    for (const auto& c : cases) {
        const SRun run = Run(c.arguments);
        EXPECT_TRUE(run.err.contains(c.message)) << c.message.toStdString() << "\n" << run.err.toStdString();
        for (const QString& line : run.err.split(QLatin1Char('\n')))
            EXPECT_LT(line.size(), 300) << c.message.toStdString();
    }
}

TEST_F(ExportSafetyTest, PictureFailuresOfRowsUseTheCommandLinesWords)
{
    WriteFile(QStringLiteral("rows.csv"), "name,ImagePath\nzero,/dev/zero\n");
    const SRun row = Run(Arguments({"--batch", "rows.csv"}));
    EXPECT_EQ(row.exitCode, 1);
    EXPECT_TRUE(row.err.startsWith(QStringLiteral("nacreform: row 2: cannot load the picture /dev/zero: not a regular file\n")))
        << row.err.toStdString();
}

TEST_F(ExportSafetyTest, AFailingBatchKeepsToItsMemory)
{
    // Kept to the end, the reports of these rows took about 100 MB more than
    // the limit leaves. The program runs on two cores with two heaps, so that
    // its address space does not grow with the machine's cores.
    QByteArray csv = "name,Color1\n";
    for (int row = 0; row < 150000; ++row)
        csv += "row" + QByteArray::number(row) + ",blue\n";
    WriteFile(QStringLiteral("rows.csv"), csv);
    qputenv("MALLOC_ARENA_MAX", "2");
    const SRun run = Run(Arguments({"--batch", "rows.csv"}), QString(), [] {
        cpu_set_t cores;
        if (::sched_getaffinity(0, sizeof cores, &cores) == 0) {
            cpu_set_t two;
            CPU_ZERO(&two);
            for (int core = 0, taken = 0; core < CPU_SETSIZE && taken < 2; ++core) {
                if (CPU_ISSET(core, &cores)) {
                    CPU_SET(core, &two);
                    ++taken;
                }
            }
            ::sched_setaffinity(0, sizeof two, &two);
        }
        const rlimit limit{300'000'000, 300'000'000};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    qunsetenv("MALLOC_ARENA_MAX");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.endsWith(QStringLiteral("nacreform: 150000 of 150000 rows failed\n"))) << run.err.right(300).toStdString();
}
