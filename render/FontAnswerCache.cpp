#include "render/FontAnswerCache.h"

#include "util/AtomicFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

namespace {

// Raised whenever the catalog's answers change meaning, so that files of an
// older program are not taken for current.
constexpr int kFormat = 1;
// A file of the answers to a few hundred questions is a few tens of
// kilobytes; anything much larger is not ours.
constexpr qint64 kMaxFileBytes = 1 << 20;
constexpr qsizetype kMaxPaths = 4096;
// Longer questions (a family name no font has) are answered, not kept.
constexpr qsizetype kMaxQuestionLength = 256;

QString HomePath(const char* variable, const QString& underHome)
{
    const QString value = qEnvironmentVariable(variable);
    return value.isEmpty() ? QDir::homePath() + underHome : value;
}

// The variables the configuration library reads to find its files and to
// order fonts by language.
QJsonObject Environment()
{
    QJsonObject environment;
    for (const char* name : {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "FC_LANG", "LC_ALL",
                             "LC_CTYPE", "LANG", "HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        if (qEnvironmentVariableIsSet(name))
            environment.insert(QLatin1String(name), qEnvironmentVariable(name));
    }
    return environment;
}

// Modification time, size and inode of the file or folder at path, "" when
// there is none.
QString PathStamp(const QString& path)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return QStringLiteral("%1.%2:%3:%4")
        .arg(status.st_mtim.tv_sec)
        .arg(status.st_mtim.tv_nsec)
        .arg(status.st_size)
        .arg(status.st_ino);
}

// Every file and folder whose change could change an answer, with its stamp.
QJsonObject ConfigurationStamps()
{
    QStringList paths;
    const auto addAll = [&paths](FcStrList* list) {
        while (const FcChar8* path = FcStrListNext(list))
            paths.append(QFile::decodeName(reinterpret_cast<const char*>(path)));
        FcStrListDone(list);
    };
    addAll(FcConfigGetConfigFiles(nullptr));
    // A file added beside those read (a local.conf) changes its folder.
    for (qsizetype i = 0, files = paths.size(); i < files; ++i)
        paths.append(QFileInfo(paths[i]).absolutePath());
    // The user's own configuration, read only when present.
    paths.append(HomePath("XDG_CONFIG_HOME", QStringLiteral("/.config")) + QStringLiteral("/fontconfig"));
    paths.append(QDir::homePath() + QStringLiteral("/.fonts.conf"));
    paths.append(QDir::homePath() + QStringLiteral("/.fonts.conf.d"));
    addAll(FcConfigGetFontDirs(nullptr));

    QJsonObject stamps;
    for (const QString& path : std::as_const(paths))
        stamps.insert(path, PathStamp(path));
    return stamps;
}

// What the answers are drawn from, as the file keeps it.
QJsonObject Stamp()
{
    return {{QLatin1String("format"), kFormat},
            {QLatin1String("fontconfig"), FcGetVersion()},
            {QLatin1String("environment"), Environment()},
            {QLatin1String("paths"), ConfigurationStamps()}};
}

bool IsCurrent(const QJsonObject& file)
{
    if (file.value(QLatin1String("format")).toInt() != kFormat
        || file.value(QLatin1String("fontconfig")).toInt() != FcGetVersion()
        || file.value(QLatin1String("environment")).toObject() != Environment())
        return false;
    const QJsonObject stamps = file.value(QLatin1String("paths")).toObject();
    if (stamps.isEmpty() || stamps.size() > kMaxPaths)
        return false;
    for (auto it = stamps.begin(); it != stamps.end(); ++it) {
        if (!it.value().isString() || PathStamp(it.key()) != it.value().toString())
            return false;
    }
    return true;
}

} // namespace

CFontAnswerCache::CFontAnswerCache(QString path)
    : m_path(std::move(path))
{
    QFile file(m_path);
    if (m_path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return;
    const QJsonObject content = QJsonDocument::fromJson(file.readAll()).object();
    if (!IsCurrent(content))
        return;
    const QJsonObject answers = content.value(QLatin1String("answers")).toObject();
    for (auto it = answers.begin(); it != answers.end() && m_answers.size() < kMaxAnswers; ++it) {
        QStringList answer;
        for (const QJsonValue& part : it.value().toArray())
            answer.append(part.toString());
        m_answers.insert(it.key(), answer);
    }
}

QString CFontAnswerCache::DefaultPath()
{
    return HomePath("XDG_CACHE_HOME", QStringLiteral("/.cache")) + QStringLiteral("/nacreform/font-answers.json");
}

const QStringList* CFontAnswerCache::Find(const QString& question) const
{
    const auto it = m_answers.constFind(question);
    return it == m_answers.constEnd() ? nullptr : &*it;
}

void CFontAnswerCache::StampConfiguration()
{
    m_stamp = Stamp();
}

void CFontAnswerCache::Remember(const QString& question, const QStringList& answer)
{
    if (m_answers.size() >= kMaxAnswers || question.size() > kMaxQuestionLength || m_answers.contains(question))
        return;
    m_answers.insert(question, answer);
    m_unsaved = true;
}

void CFontAnswerCache::Save()
{
    if (!m_unsaved || m_path.isEmpty() || m_stamp.isEmpty() || !QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return;
    m_unsaved = false;
    QJsonObject answers;
    for (auto it = m_answers.constBegin(); it != m_answers.constEnd(); ++it)
        answers.insert(it.key(), QJsonArray::fromStringList(it.value()));
    QJsonObject content = m_stamp;
    content.insert(QLatin1String("answers"), answers);
    // A cache that cannot be written (a read-only home) only costs the next
    // run its speed.
    WriteFileAtomically(m_path, QJsonDocument(content).toJson(QJsonDocument::Compact), nullptr);
}
