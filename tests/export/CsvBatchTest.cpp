#include "design/NacreformDoc.h"
#include "export/CsvBatch.h"
#include "export/CsvReader.h"
#include "render/Render.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QList<QStringList> Fields(const QList<SCsvRecord>& records)
{
    QList<QStringList> fields;
    for (const SCsvRecord& record : records)
        fields.append(record.fields);
    return fields;
}

} // namespace

TEST(CsvReaderTest, ReadsQuotedFieldsAsRfc4180Has)
{
    QList<SCsvRecord> records;
    QString why;
    const QByteArray text = "\xEF\xBB\xBFname,String\r\n"
                            "a,\"Yes, please\"\r\n"
                            "\n"
                            "b,\"say \"\"hi\"\"\"\n"
                            "c,\"two\nlines\"\n"
                            "d,확인,\n"
                            "e,";
    ASSERT_TRUE(ReadCsv(text, records, &why)) << why.toStdString();
    const QList<QStringList> expected = {
        {"name", "String"}, {"a", "Yes, please"}, {"b", "say \"hi\""}, {"c", "two\nlines"},
        {"d", QStringLiteral("확인"), ""}, {"e", ""},
    };
    EXPECT_EQ(Fields(records), expected);
    EXPECT_EQ(records[3].line, 5);
    EXPECT_EQ(records[4].line, 7);

    for (const QByteArray& bad : {QByteArray("a,\"open\nb,c\n"), QByteArray("a,\"x\"y\n"), QByteArray("a,\xff\n")}) {
        why.clear();
        EXPECT_FALSE(ReadCsv(bad, records, &why)) << bad.constData();
        EXPECT_FALSE(why.isEmpty());
    }
}

TEST(CsvBatchTest, BadRowsAreReportedByNumberAndTheOthersAreWritten)
{
    QTemporaryDir dir;
    QList<SCsvRecord> records;
    const QByteArray text = "name,String,Color1,ShapeSize\n"
                            "ok,확인,255,\"64,64\"\n"
                            "comma,\"Yes, please\",65280,\"200,60\"\n"
                            "bad,Bad,blue,\"64,64\"\n"
                            "ok,Again,0,\"64,64\"\n"
                            "../escape,Up,0,\"64,64\"\n"
                            "short,Short\n"
                            "small,Small,0,\"50,1x\"\n";
    ASSERT_TRUE(ReadCsv(text, records, nullptr));
    CNacreformDoc design;
    int lastProgress = 0;
    SBatchOptions options;
    options.folder = dir.path();
    const SBatchReport report =
        RunBatch(design, records, options, [&lastProgress](int done, int) { lastProgress = std::max(lastProgress, done); });
    EXPECT_EQ(report.rows, 7);
    EXPECT_EQ(lastProgress, 7);
    ASSERT_EQ(report.failures.size(), 5) << report.failures.join("\n").toStdString();
    const char* const rows[] = {"row 3: ", "row 4: ", "row 5: ", "row 6: ", "row 7: "};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(report.failures[i].startsWith(QLatin1String(rows[i]))) << report.failures[i].toStdString();
    EXPECT_TRUE(report.failures[0].contains(QStringLiteral("Color1")));
    EXPECT_TRUE(report.failures[1].contains(QStringLiteral("row 1")));

    QStringList written = QDir(dir.path()).entryList(QDir::Files);
    written.sort();
    EXPECT_EQ(written, QStringList({"comma.png", "ok.png"}));
    // Each row's values reach its image: the Korean caption and the sizes.
    const QImage ok(dir.filePath(QStringLiteral("ok.png")));
    const QImage comma(dir.filePath(QStringLiteral("comma.png")));
    EXPECT_EQ(ok.width(), 64 + 2 * 5 + 3); // circle: width, margin, shadow spread
    EXPECT_GT(comma.width(), 200);
    CNacreformDoc blank;
    blank.ShapeSize = {64, 64};
    blank.Color1 = 255;
    blank.String.clear();
    EXPECT_NE(ok, blank.Renderer->Render(blank).convertToFormat(ok.format()));
}

TEST(CsvBatchTest, HeaderWithoutNameOrWithUnknownColumnStopsTheBatch)
{
    QTemporaryDir dir;
    for (const QByteArray& text : {QByteArray("String\nA\n"), QByteArray("name,Colour\na,1\n")}) {
        QList<SCsvRecord> records;
        ASSERT_TRUE(ReadCsv(text, records, nullptr));
        const SBatchReport report = RunBatch(CNacreformDoc(), records, SBatchOptions{1, std::nullopt, dir.path()});
        ASSERT_EQ(report.failures.size(), 1);
        EXPECT_TRUE(report.failures.front().startsWith(QStringLiteral("header: ")));
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
