#include "export/CsvBatch.h"

#include "design/NacreformDoc.h"
#include "export/CsvReader.h"
#include "export/DesignValueInput.h"
#include "export/FileNamePattern.h"
#include "export/ImageFileEncoder.h"
#include "export/OutputFolder.h"
#include "render/ContentPlacement.h"
#include "render/PictureLayer.h"
#include "util/AtomicFileWrite.h"
#include "util/MessageSink.h"
#include "util/QuotedValue.h"

#include <QDir>
#include <QMutex>
#include <QSemaphore>
#include <QSet>
#include <QThreadPool>

#include <algorithm>
#include <utility>

#include <malloc.h>
#include <sys/resource.h>

namespace {

const QString kNameColumn = QStringLiteral("name");

// Freed memory a thread's heap keeps for the next row.
constexpr int kKeptHeapBytes = 32 * 1024 * 1024;

// Runs of rows handed to the pool for each of its threads, and runs read
// ahead of those finished: enough to keep every thread busy, few enough
// that the memory of the rows under way is small.
constexpr int kRunsPerThread = 8;
constexpr int kRunsAheadPerThread = 2;
constexpr int kMaxRunLength = 64;

// The columns of a batch: where the name is, and the design key of every
// other column.
struct SBatchColumns
{
    qsizetype name = -1;
    qsizetype picture = -1;
    QStringList keys; // empty text at the name's column
};

QString ReadHeader(const SCsvRecord& header, SBatchColumns& columns)
{
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const QString title = header.fields[i].trimmed();
        const bool name = title.compare(kNameColumn, Qt::CaseInsensitive) == 0;
        const QString key = name ? QString() : FindDesignKey(title);
        if (!name && key.isEmpty())
            return QStringLiteral("header: column ") + QuotedValue(title)
                   + QStringLiteral(" is neither \"name\" nor a design key (")
                   + CNacreformDoc::DesignKeys().join(QStringLiteral(", ")) + QLatin1Char(')');
        if ((name && columns.name >= 0) || (!name && columns.keys.contains(key)))
            return QStringLiteral("header: column ") + QuotedValue(name ? kNameColumn : key)
                   + QStringLiteral(" is given twice");
        if (name)
            columns.name = i;
        if (key == QLatin1String("ImagePath"))
            columns.picture = i;
        columns.keys.append(key);
    }
    if (columns.name < 0)
        return QStringLiteral("header: there is no column \"name\"");
    return {};
}

// The file names a row writes, or why it cannot be run, found before any
// rendering: the count of its fields, its name, the form of its values.
QString PlanRow(const SBatchColumns& columns, const SCsvRecord& record, const SBatchOptions& options,
                QStringList& fileNames)
{
    if (record.fields.size() != columns.keys.size())
        return QString::number(record.fields.size()) + QStringLiteral(" fields where the header has ")
               + QString::number(columns.keys.size());
    const QString& name = record.fields[columns.name];
    QString why;
    if (options.set) {
        SImageSetOptions set = *options.set;
        set.name = name;
        fileNames = PlanImageSet(set, &why);
    } else if (IsUsableName(name, &why) && IsPlainFileName(name, &why)) {
        fileNames = {name + QLatin1Char('.') + ImageFormatSuffix(options.format)};
    }
    return why.isEmpty() ? QString() : QStringLiteral("name: ") + why;
}

// Why a value of the row does not fit its column; empty when all do.
QString CheckValues(const SBatchColumns& columns, const SCsvRecord& record)
{
    QString why;
    for (qsizetype i = 0; i < columns.keys.size() && why.isEmpty(); ++i) {
        if (i != columns.name)
            CheckDesignValue(columns.keys[i], record.fields[i], &why);
    }
    return why;
}

// Reads every row before any is written: counts them, and refuses the
// batch when a row that can be run would write a file that may not be
// written. The rows' pictures are inputs too, so they are all known first.
QString PlanBatch(const CNacreformDoc& design, QByteArrayView csv, const SBatchColumns& columns,
                  const SBatchOptions& options, int& rows)
{
    COutputFolder folder(options.folder, options.inputs + QStringList{design.GetPathName(), design.ImagePath});
    SCsvRecord record;
    if (columns.picture >= 0) {
        CNacreformDoc reading;
        reading.CopyDesignFrom(design);
        QSet<QString> pictures;
        CCsvReader reader(csv);
        for (reader.Next(record); reader.Next(record);) {
            if (columns.picture < record.fields.size()
                && ApplyDesignValue(reading, QStringLiteral("ImagePath"), record.fields[columns.picture], nullptr)
                && !pictures.contains(reading.ImagePath)) {
                pictures.insert(reading.ImagePath);
                folder.AddInput(reading.ImagePath);
            }
        }
    }
    CCsvReader reader(csv);
    reader.Next(record);
    rows = 0;
    while (reader.Next(record)) {
        ++rows;
        QStringList fileNames;
        if (!PlanRow(columns, record, options, fileNames).isEmpty() || !CheckValues(columns, record).isEmpty())
            continue;
        for (const QString& fileName : std::as_const(fileNames)) {
            if (const QString refused = folder.Claim(fileName, record.line); !refused.isEmpty())
                return QStringLiteral("row ") + QString::number(record.line) + QStringLiteral(": ") + refused;
        }
    }
    if (!reader.Problem().isEmpty())
        return reader.Problem();
    return rows == 0 ? QStringLiteral("the file has a header but no rows") : QString();
}

// Address space a pool thread takes: its stack and the heap glibc reserves
// for it.
constexpr rlim_t kThreadAddressSpace = (8 + 64) * 1024 * 1024;

// Twice as many of Qt's pool threads as cores while it lives. A row spends
// about a third of its time waiting for its file to reach the disk, and the
// other rows under way keep the cores busy meanwhile. The rows must run in
// the pool's own threads: Qt spreads a fill made elsewhere over the pool.
// Under a limit of the address space (ulimit -v) the threads take at most
// half of it: a thread that cannot be made loses the task Qt gave it, and
// the batch would wait for that task forever.
class CBatchThreadPool
{
public:
    CBatchThreadPool() : m_threads(QThreadPool::globalInstance()->maxThreadCount())
    {
        int threads = 2 * m_threads;
        rlimit limit{};
        if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
            threads = int(std::clamp<rlim_t>(limit.rlim_cur / 2 / kThreadAddressSpace, 1, rlim_t(threads)));
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
    }
    ~CBatchThreadPool() { QThreadPool::globalInstance()->setMaxThreadCount(m_threads); }
    CBatchThreadPool(const CBatchThreadPool&) = delete;
    CBatchThreadPool& operator=(const CBatchThreadPool&) = delete;

private:
    const int m_threads;
};

// Keeps the one message a row's picture may bring, in the command line's
// words: what could not be loaded, and the system's reason.
class CRowMessage : public IMessageSink
{
public:
    void ShowMessage(const QString& text) override { m_text = text.simplified(); }
    void ShowFileFailure(const QString&, const QString& summary, const QString& reason) override
    {
        m_text = reason.isEmpty() ? summary : summary + QStringLiteral(": ") + reason;
    }
    const QString& Text() const { return m_text; }

private:
    QString m_text;
};

// What became of a row: why it failed, or the files written and what the
// canvas cuts off of it.
struct SRowOutcome
{
    QString failure;
    QStringList written = {};
    QString cutOff = {};
};

// Renders and writes one row.
SRowOutcome RunRow(const CNacreformDoc& design, const SBatchColumns& columns, const SCsvRecord& record,
                   const SBatchOptions& options)
{
    QStringList fileNames;
    QString why = PlanRow(columns, record, options, fileNames);
    if (!why.isEmpty())
        return {why};
    CNacreformDoc doc;
    doc.CopyDesignFrom(design);
    QList<std::pair<QString, QString>> values;
    for (qsizetype i = 0; i < columns.keys.size(); ++i) {
        if (i != columns.name)
            values.append({columns.keys[i], record.fields[i]});
    }
    // Checks the row's values as it sets them: a value of the wrong form
    // fails the row with the same words the plan's check has.
    if (!ApplyDesignValues(doc, values, &why))
        return {why};
    CRowMessage message;
    doc.SetMessageSink(&message);
    RefreshPictureCache(doc);
    doc.SetMessageSink(nullptr);
    if (!message.Text().isEmpty())
        return {message.Text()};
    if (options.fit && !FitShapeToCaption(doc, options.fit->padding, &why))
        return {QStringLiteral("--fit: ") + why};
    const QString cutOff = DescribeContentCuts(FindContentCuts(doc));

    if (options.set) {
        SImageSetOptions set = *options.set;
        set.name = record.fields[columns.name];
        const SFileSetOutcome outcome =
            WriteFileSet(ImageSetFiles(doc, set, options.folder), ESetThreads::CallingThread);
        return {outcome.failures.join(QStringLiteral("; ")), outcome.written, cutOff};
    }
    const QByteArray bytes =
        EncodeImageFile(doc, {EButtonState::Normal}, options.scale, options.format, &why);
    const QString path = QDir(options.folder).filePath(fileNames.front());
    if (bytes.isEmpty() || !WriteFileAtomically(path, bytes, &why))
        return {why};
    return {{}, {path}, cutOff};
}

} // namespace

SBatchReport RunBatch(const CNacreformDoc& design, QByteArrayView csv, const SBatchOptions& options,
                      IBatchEvents& events)
{
    SBatchReport report;
    CCsvReader reader(csv);
    SCsvRecord header;
    if (!reader.Next(header)) {
        report.refused = reader.Problem().isEmpty() ? QStringLiteral("the file is empty") : reader.Problem();
        return report;
    }
    SBatchColumns columns;
    report.refused = ReadHeader(header, columns);
    if (report.refused.isEmpty())
        report.refused = PlanBatch(design, csv, columns, options, report.rows);
    if (!report.refused.isEmpty())
        return report;
    RemoveStaleTemporaries(options.folder);

    // Every row allocates and frees a few hundred kilobytes (the canvas, the
    // PNG encoder's tables). glibc hands the freed top of a heap back to the
    // system from 128 KB on, and the next row then faults every page in
    // again: a seventh of a row's time. Kept for the rest of the process.
    mallopt(M_TRIM_THRESHOLD, kKeptHeapBytes);

    // Rows go to the pool in runs: a row that fails at once takes less time
    // than handing it to another thread. Enough runs for every thread to
    // have several, so that a short batch still uses every core.
    const CBatchThreadPool threads;
    QThreadPool& pool = *QThreadPool::globalInstance();
    const int runLength = std::clamp(report.rows / (kRunsPerThread * pool.maxThreadCount()), 1, kMaxRunLength);
    const int runsAhead = kRunsAheadPerThread * pool.maxThreadCount();
    QSemaphore free(runsAhead);
    QMutex eventsLock;
    int done = 0;
    const auto runRows = [&](const QList<SCsvRecord>& run) {
        QList<SRowOutcome> outcomes;
        for (const SCsvRecord& record : run)
            outcomes.append(RunRow(design, columns, record, options));
        const QMutexLocker lock(&eventsLock);
        for (qsizetype i = 0; i < run.size(); ++i) {
            if (outcomes[i].failure.isEmpty()) {
                events.RowWritten(outcomes[i].written);
                if (!outcomes[i].cutOff.isEmpty())
                    events.RowCutOff(run[i].line, run[i].fields[columns.name], outcomes[i].cutOff);
            } else {
                ++report.failedRows;
                events.RowFailed(run[i].line, outcomes[i].failure);
            }
            events.RowsDone(++done, report.rows);
        }
    };
    QList<SCsvRecord> run;
    const auto submit = [&] {
        free.acquire();
        pool.start([&runRows, &free, rows = std::exchange(run, {})] {
            runRows(rows);
            free.release();
        });
    };
    for (SCsvRecord record; reader.Next(record);) {
        run.append(std::move(record));
        if (run.size() == runLength)
            submit();
    }
    if (!run.isEmpty())
        submit();
    free.acquire(runsAhead);
    return report;
}
