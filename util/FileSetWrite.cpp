#include "util/FileSetWrite.h"

#include "util/AtomicFileWrite.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentMap>

#include <vector>

namespace {

// One file of the set on its way: staged in place by whichever thread takes
// it, so that no copy of it outlives the call. (QtConcurrent's mapped
// results were copies whose last one a pool thread could let go of after
// the call returned, or never, when the program ended first: a failed set
// then left its temporary files behind.)
struct SStaging
{
    const SPlannedFile* planned = nullptr;
    CStagedFile file;
    QString failure;
};

void Stage(SStaging& staging)
{
    const SPlannedFile& planned = *staging.planned;
    QString why;
    const QByteArray bytes = planned.bytes(&why);
    if (bytes.isEmpty() || !staging.file.Stage(planned.path, bytes, &why))
        staging.failure = QFileInfo(planned.path).fileName() + QStringLiteral(": ") + why;
}

} // namespace

SFileSetOutcome WriteFileSet(const QList<SPlannedFile>& files, ESetThreads threads)
{
    std::vector<SStaging> staged(size_t(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i)
        staged[size_t(i)].planned = &files[i];
    if (threads == ESetThreads::EveryCore) {
        QtConcurrent::blockingMap(staged, Stage);
    } else {
        for (SStaging& staging : staged)
            Stage(staging);
    }
    SFileSetOutcome outcome;
    for (const SStaging& staging : staged) {
        if (!staging.failure.isEmpty())
            outcome.failures.append(staging.failure);
    }
    if (!outcome.failures.isEmpty())
        return outcome; // the staged files are removed with staged
    for (SStaging& staging : staged) {
        QString why;
        if (!staging.file.Commit(&why))
            outcome.failures.append(QFileInfo(staging.planned->path).fileName() + QStringLiteral(": ") + why);
        else
            outcome.written.append(staging.planned->path);
    }
    return outcome;
}
