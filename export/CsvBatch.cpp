#include "export/CsvBatch.h"

#include "design/NacreformDoc.h"
#include "export/DesignValueInput.h"
#include "export/FileNamePattern.h"
#include "render/PictureLayer.h"
#include "util/AtomicFileWrite.h"
#include "util/MessageSink.h"

#include <QDir>
#include <QHash>
#include <QMutex>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <atomic>
#include <numeric>

#include <malloc.h>

namespace {

const QString kNameColumn = QStringLiteral("name");

// Freed memory a thread's heap keeps for the next row.
constexpr int kKeptHeapBytes = 32 * 1024 * 1024;

// The columns of a batch: where the name is, and the design key of every
// other column.
struct SBatchColumns
{
    qsizetype name = -1;
    QStringList keys; // empty text at the name's column
};

QString ReadHeader(const SCsvRecord& header, SBatchColumns& columns)
{
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const QString title = header.fields[i].trimmed();
        if (title.compare(kNameColumn, Qt::CaseInsensitive) == 0 && columns.name < 0) {
            columns.name = i;
            columns.keys.append(QString());
            continue;
        }
        const QString key = FindDesignKey(title);
        if (key.isEmpty())
            return QStringLiteral("header: column \"%1\" is neither \"name\" nor a design key (%2)")
                .arg(title, CNacreformDoc::DesignKeys().join(QStringLiteral(", ")));
        columns.keys.append(key);
    }
    if (columns.name < 0)
        return QStringLiteral("header: there is no column \"name\"");
    return {};
}

// Twice as many of Qt's pool threads as cores while it lives. A row spends
// about a third of its time waiting for its file to reach the disk, and the
// other rows under way keep the cores busy meanwhile. The rows must run in
// the pool's own threads: Qt spreads a fill made elsewhere over the pool.
class CDoubledThreadPool
{
public:
    CDoubledThreadPool() : m_threads(QThreadPool::globalInstance()->maxThreadCount())
    {
        QThreadPool::globalInstance()->setMaxThreadCount(2 * m_threads);
    }
    ~CDoubledThreadPool() { QThreadPool::globalInstance()->setMaxThreadCount(m_threads); }
    CDoubledThreadPool(const CDoubledThreadPool&) = delete;
    CDoubledThreadPool& operator=(const CDoubledThreadPool&) = delete;

private:
    const int m_threads;
};

// Keeps the one message a row's picture may bring.
class CRowMessage : public IMessageSink
{
public:
    void ShowMessage(const QString& text) override { m_text = text.simplified(); }
    const QString& Text() const { return m_text; }

private:
    QString m_text;
};

// Renders and writes one row; the failure, or an empty text.
QString RunRow(const CNacreformDoc& design, const SBatchColumns& columns, const SCsvRecord& record,
               const SBatchOptions& options)
{
    if (record.fields.size() != columns.keys.size())
        return QStringLiteral("%1 fields where the header has %2").arg(record.fields.size()).arg(columns.keys.size());
    const QString name = record.fields[columns.name];
    QString why;
    if (!IsPlainFileName(name, &why))
        return QStringLiteral("name: %1").arg(why);

    CNacreformDoc doc;
    doc.CopyDesignFrom(design);
    for (qsizetype i = 0; i < columns.keys.size(); ++i) {
        if (i != columns.name && !ApplyDesignValue(doc, columns.keys[i], record.fields[i], &why))
            return why;
    }
    CRowMessage message;
    doc.SetMessageSink(&message);
    RefreshPictureCache(doc);
    doc.SetMessageSink(nullptr);
    if (!message.Text().isEmpty())
        return message.Text();

    if (options.set) {
        SImageSetOptions set = *options.set;
        set.name = name;
        return WriteImageSet(doc, set, options.folder, ESetThreads::CallingThread).join(QStringLiteral("; "));
    }
    const QImage rendered = RenderButtonState(doc, EButtonState::Normal, options.scale);
    const QByteArray png = rendered.isNull() ? QByteArray() : EncodePng(ComposeExportImage(doc, rendered));
    if (png.isEmpty())
        return QStringLiteral("the image cannot be allocated (too large)");
    if (!WriteFileAtomically(QDir(options.folder).filePath(name + QStringLiteral(".png")), png, &why))
        return why;
    return {};
}

} // namespace

SBatchReport RunBatch(const CNacreformDoc& design, const QList<SCsvRecord>& records, const SBatchOptions& options,
                      const std::function<void(int done, int total)>& progress)
{
    SBatchReport report;
    if (records.isEmpty()) {
        report.failures.append(QStringLiteral("header: the file is empty"));
        return report;
    }
    SBatchColumns columns;
    if (const QString problem = ReadHeader(records.front(), columns); !problem.isEmpty()) {
        report.failures.append(problem);
        return report;
    }
    report.rows = int(records.size() - 1);

    // A second row of a name would overwrite the first one's files.
    QList<QString> earlier(report.rows);
    QHash<QString, int> firstRow;
    for (int row = 1; row <= report.rows; ++row) {
        const QStringList& fields = records[row].fields;
        if (columns.name >= fields.size())
            continue;
        const QString& name = fields[columns.name];
        if (firstRow.contains(name))
            earlier[row - 1] = QStringLiteral("the name \"%1\" is used by row %2 already").arg(name).arg(firstRow[name]);
        else
            firstRow.insert(name, row);
    }

    // Every row allocates and frees a few hundred kilobytes (the canvas, the
    // PNG encoder's tables). glibc hands the freed top of a heap back to the
    // system from 128 KB on, and the next row then faults every page in
    // again: a seventh of a row's time. Kept for the rest of the process.
    mallopt(M_TRIM_THRESHOLD, kKeptHeapBytes);

    QList<int> rows(report.rows);
    std::iota(rows.begin(), rows.end(), 1);
    QMutex progressLock;
    std::atomic<int> done = 0;
    const CDoubledThreadPool threads;
    const QStringList results = QtConcurrent::blockingMapped<QStringList>(rows, [&](int row) {
        const QString result =
            earlier[row - 1].isEmpty() ? RunRow(design, columns, records[row], options) : earlier[row - 1];
        if (progress) {
            const QMutexLocker lock(&progressLock);
            progress(++done, report.rows);
        }
        return result;
    });
    for (int row = 1; row <= report.rows; ++row) {
        if (!results[row - 1].isEmpty())
            report.failures.append(QStringLiteral("row %1: %2").arg(row).arg(results[row - 1]));
    }
    return report;
}
