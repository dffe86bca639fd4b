#include "export/ExportFileWrite.h"

#include <QSaveFile>

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* why)
{
    QSaveFile file(path);
    const auto fail = [&file, why] {
        if (why)
            *why = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    if (file.write(bytes) != bytes.size())
        return fail();
    if (!file.commit()) {
        if (why)
            *why = file.errorString();
        return false;
    }
    return true;
}
