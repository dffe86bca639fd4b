#include "program/VersionInfo.h"

#include "program/ElfSection.h"
#include "design/IniFile.h"

#include <optional>

namespace {

const char* const kItemKeys[CVersionInfo::kItemCount] = {
    "\\CompanyName",     "\\FileDescription", "\\FileVersion",   "\\InternalName",
    "\\LegalCopyright",  "\\OriginalFileName", "\\ProductName",  "\\ProductVersion",
    "\\Comments",        "\\LegalTrademarks", "\\PrivateBuild",  "\\SpecialBuild",
};

// A version query against the record: "\Folder\...\Name" reads key Name of
// section "Folder\...". Empty optional when the record has no such value.
class CVersionRecord
{
public:
    explicit CVersionRecord(const QByteArray& text)
        : m_store(QString(), false)
    {
        m_store.LoadText(text);
    }

    std::optional<QString> Query(const QString& path)
    {
        // No value read from one line can hold a line feed, so it marks a miss.
        static const QString kAbsent = QStringLiteral("\n");
        const qsizetype cut = path.lastIndexOf(QLatin1Char('\\'));
        if (!path.startsWith(QLatin1Char('\\')) || cut <= 0)
            return std::nullopt;
        const QString value = m_store.GetString(path.mid(1, cut - 1), path.mid(cut + 1), kAbsent, false);
        if (value == kAbsent)
            return std::nullopt;
        return value;
    }

    // The first (language, code page) pair of the translation table.
    bool FirstTranslation(unsigned& language, unsigned& codePage)
    {
        const std::optional<QString> table = Query(QStringLiteral("\\VarFileInfo\\Translation"));
        if (!table)
            return false;
        const QStringList pair = table->section(QLatin1Char(';'), 0, 0).split(QLatin1Char(','));
        bool languageOk = false;
        bool codePageOk = false;
        if (pair.size() != 2)
            return false;
        language = pair[0].trimmed().toUInt(&languageOk, 16);
        codePage = pair[1].trimmed().toUInt(&codePageOk, 16);
        return languageOk && codePageOk && language <= 0xFFFF && codePage <= 0xFFFF;
    }

private:
    CIniFile m_store;
};

} // namespace

const QString CVersionInfo::kMissing = QStringLiteral("-");

CVersionInfo::~CVersionInfo() = default;

void CVersionInfo::SetAll(const QString& text)
{
    m_items.fill(text);
}

void CVersionInfo::Load(const QString& path)
{
    SetAll(QString());
    QByteArray record;
    if (!ReadElfSection(path, QByteArray(kSectionName), record)) {
        SetAll(kMissing);
        return;
    }
    // The build stores the text NUL-terminated.
    const qsizetype end = record.indexOf('\0');
    LoadRecord(end < 0 ? record : record.left(end));
}

void CVersionInfo::LoadRecord(const QByteArray& text)
{
    SetAll(QString());
    CVersionRecord record(text);
    unsigned language = 0;
    unsigned codePage = 0;
    if (!record.FirstTranslation(language, codePage)) {
        SetAll(kMissing);
        return;
    }
    for (int i = 0; i < kItemCount; ++i) {
        const QString key = QString::asprintf("%s%04x%04x%s", "\\StringFileInfo\\", language, codePage,
                                              kItemKeys[i]);
        m_items[size_t(i)] = record.Query(key).value_or(kMissing);
    }
}
