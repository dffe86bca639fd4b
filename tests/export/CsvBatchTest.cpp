#include "design/NacreformDoc.h"
#include "export/CsvBatch.h"
#include "export/CsvReader.h"
#include "render/Render.h"

#include <QDir>
#include <QImage>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every record of text, or none when the reader fails (why says so).
QList<SCsvRecord> ReadAll(const QByteArray& text, QString* why)
{
    CCsvReader reader(text);
    QList<SCsvRecord> records;
    for (SCsvRecord record; reader.Next(record);)
        records.append(record);
    *why = reader.Problem();
    return why->isEmpty() ? records : QList<SCsvRecord>();
}

QList<QStringList> Fields(const QList<SCsvRecord>& records)
{
    QList<QStringList> fields;
    for (const SCsvRecord& record : records)
        fields.append(record.fields);
    return fields;
}

// What a batch told, the failures by line.
class CBatchLog : public IBatchEvents
{
public:
    void RowFailed(int line, const QString& why) override { failures.insert(line, why); }
    void RowWritten(const QStringList& paths) override { written += paths; }
    void RowCutOff(int, const QString&, const QString&) override {}
    void RowsDone(int done, int) override { lastDone = std::max(lastDone, done); }

    QMap<int, QString> failures;
    QStringList written;
    int lastDone = 0;
};

SBatchReport RunRows(const QByteArray& csv, const QString& folder, CBatchLog& log)
{
    SBatchOptions options;
    options.folder = folder;
    return RunBatch(CNacreformDoc(), csv, options, log);
}

} // namespace

TEST(CsvReaderTest, ReadsQuotedFieldsAsRfc4180Has)
{
    QString why;
    const QByteArray text = "\xEF\xBB\xBFname,String\r\n"
                            "a,\"Yes, please\"\r\n"
                            "\n"
                            "b,\"say \"\"hi\"\"\"\n"
                            "c,\"two\nlines\"\n"
                            "d,확인,\n"
                            "e,";
    const QList<SCsvRecord> records = ReadAll(text, &why);
    ASSERT_TRUE(why.isEmpty()) << why.toStdString();
    const QList<QStringList> expected = {
        {"name", "String"}, {"a", "Yes, please"}, {"b", "say \"hi\""}, {"c", "two\nlines"},
        {"d", QStringLiteral("확인"), ""}, {"e", ""},
    };
    EXPECT_EQ(Fields(records), expected);
    EXPECT_EQ(records[3].line, 5);
    EXPECT_EQ(records[4].line, 7);

    for (const QByteArray& bad : {QByteArray("a,\"open\nb,c\n"), QByteArray("a,\"x\"y\n"), QByteArray("a,\xff\n")}) {
        EXPECT_TRUE(ReadAll(bad, &why).isEmpty()) << bad.constData();
        EXPECT_FALSE(why.isEmpty());
    }
}

TEST(CsvBatchTest, BadRowsAreReportedByLineAndTheOthersAreWritten)
{
    QTemporaryDir dir;
    const QByteArray text = "name,String,Color1,ShapeSize\n"
                            "ok,확인,255,\"64,64\"\n"
                            "comma,\"Yes, please\",65280,\"200,60\"\n"
                            "bad,\"Bad,\nsaid twice\",0,\"64,64\"\n"
                            "../escape,Up,0,\"64,64\"\n"
                            "short,Short\n"
                            "blue,Blue,blue,\"64,64\"\n";
    CBatchLog log;
    const SBatchReport report = RunRows(text, dir.path(), log);
    EXPECT_TRUE(report.refused.isEmpty()) << report.refused.toStdString();
    EXPECT_EQ(report.rows, 6);
    EXPECT_EQ(report.failedRows, 4);
    EXPECT_EQ(log.lastDone, 6);
    // A row by the line it starts on: the quoted line break moves the rest.
    EXPECT_EQ(log.failures.keys(), QList<int>({4, 6, 7, 8}));
    EXPECT_TRUE(log.failures[4].contains(QStringLiteral("String=\"Bad,\\nsaid twice\": expected text on one line")))
        << log.failures[4].toStdString();
    EXPECT_TRUE(log.failures[8].startsWith(QStringLiteral("Color1=\"blue\": expected #RGB, #RRGGBB")))
        << log.failures[8].toStdString();

    QStringList written = QDir(dir.path()).entryList(QDir::Files);
    written.sort();
    EXPECT_EQ(written, QStringList({"comma.png", "ok.png"}));
    EXPECT_EQ(log.written.size(), 2);
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

TEST(CsvBatchTest, FaultsOfTheFileOrItsHeaderRefuseTheBatch)
{
    QTemporaryDir dir;
    const struct
    {
        QByteArray text;
        const char* reason;
    } cases[] = {
        {"", "empty"},
        {"String\nA\n", "no column \"name\""},
        {"name,Colour\na,1\n", "\"Colour\" is neither"},
        {"name,String\n\n", "no rows"},
        {"name,Color1,color1\na,1,2\n", "\"Color1\" is given twice"},
        {"name,String,Name\na,b,c\n", "\"name\" is given twice"},
        {"name,String\na,\"open\n", "never closed"},
    };
    for (const auto& c : cases) {
        CBatchLog log;
        const SBatchReport report = RunRows(c.text, dir.path(), log);
        EXPECT_TRUE(report.refused.contains(QLatin1String(c.reason))) << report.refused.toStdString();
        EXPECT_TRUE(log.failures.isEmpty() && log.written.isEmpty());
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}
