// Writes the manual page at build time:
//   nacreform_manual_page TEMPLATE.1.in VERSION_RECORD.ini OUT.1
// The version comes from the same record the executable embeds, the date is
// the build date, and the command line parts from the option table.
#include "program/BuildDate.h"
#include "cli/ManualPage.h"
#include "program/VersionInfo.h"

#include <QFile>

#include <cstdio>

namespace {

bool ReadFile(const char* path, QByteArray& contents)
{
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    contents = file.readAll();
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fputs("usage: nacreform_manual_page TEMPLATE.1.in VERSION_RECORD.ini OUT.1\n", stderr);
        return 2;
    }
    QByteArray templateText;
    QByteArray record;
    if (!ReadFile(argv[1], templateText) || !ReadFile(argv[2], record)) {
        std::fprintf(stderr, "nacreform_manual_page: cannot read %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    CVersionInfo info;
    info.LoadRecord(record);
    const QString page = MakeManualPage(QString::fromUtf8(templateText), info.GetProductVersion(), GetBuildDate());
    QFile out(QString::fromLocal8Bit(argv[3]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(page.toUtf8()) < 0 || !out.flush()) {
        std::fprintf(stderr, "nacreform_manual_page: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
