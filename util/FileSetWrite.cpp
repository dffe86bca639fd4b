#include "util/FileSetWrite.h"

#include "util/AtomicFileWrite.h"

#include <QFileInfo>
#include <QtConcurrent/QtConcurrentMap>

#include <memory>

namespace {

struct SStaged
{
    std::shared_ptr<CStagedFile> file; // shared: QtConcurrent copies results
    QString failure;
};

SStaged Stage(const SPlannedFile& planned)
{
    const auto failed = [&planned](const QString& why) {
        return SStaged{nullptr, QFileInfo(planned.path).fileName() + QStringLiteral(": ") + why};
    };
    QString why;
    const QByteArray bytes = planned.bytes(&why);
    if (bytes.isEmpty())
        return failed(why);
    auto staged = std::make_shared<CStagedFile>();
    if (!staged->Stage(planned.path, bytes, &why))
        return failed(why);
    return {staged, {}};
}

} // namespace

SFileSetOutcome WriteFileSet(const QList<SPlannedFile>& files, ESetThreads threads)
{
    QList<SStaged> staged;
    if (threads == ESetThreads::EveryCore) {
        staged = QtConcurrent::blockingMapped<QList<SStaged>>(files, Stage);
    } else {
        for (const SPlannedFile& file : files)
            staged.append(Stage(file));
    }
    SFileSetOutcome outcome;
    for (const SStaged& file : std::as_const(staged)) {
        if (!file.failure.isEmpty())
            outcome.failures.append(file.failure);
    }
    if (!outcome.failures.isEmpty())
        return outcome; // the staged files go with their objects
    for (qsizetype i = 0; i < files.size(); ++i) {
        QString why;
        if (!staged[i].file->Commit(&why))
            outcome.failures.append(QFileInfo(files[i].path).fileName() + QStringLiteral(": ") + why);
        else
            outcome.written.append(files[i].path);
    }
    return outcome;
}
