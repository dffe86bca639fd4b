#include "util/AtomicFileWrite.h"
#include "util/FileSetWrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QString Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// A disk that takes g_room more bytes and then reports itself full.
qint64 g_room = 0;

ssize_t WriteUntilFull(int fd, const void* data, size_t size)
{
    if (g_room <= 0) {
        errno = ENOSPC;
        return -1;
    }
    const size_t taken = std::min<size_t>(size, size_t(std::min<qint64>(g_room, 1000)));
    const ssize_t written = ::write(fd, data, taken);
    if (written > 0)
        g_room -= written;
    return written;
}

class AtomicFileWriteTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { SetFileWriteFunction(nullptr); }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QStringList Entries() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(AtomicFileWriteTest, FullDiskPartWayKeepsTheOldFileAndSaysWhy)
{
    const QString path = Path("design.nfd");
    const QByteArray old = "[General]\nMargin=1\n";
    ASSERT_TRUE(WriteFileAtomically(path, old, nullptr));
    const QByteArray large(15000, 'x');
    for (const qint64 room : {qint64(0), qint64(4096), large.size() - qint64(1)}) {
        g_room = room;
        SetFileWriteFunction(&WriteUntilFull);
        QString why;
        EXPECT_FALSE(WriteFileAtomically(path, large, &why)) << room;
        EXPECT_EQ(why, Reason(ENOSPC));
        EXPECT_EQ(ReadAll(path), old) << room;
        EXPECT_EQ(Entries(), QStringList{"design.nfd"}) << "the temporary file is left behind";

        // A new file that cannot be written whole does not appear at all.
        g_room = room;
        EXPECT_FALSE(WriteFileAtomically(Path("new.png"), large, &why));
        EXPECT_EQ(Entries(), QStringList{"design.nfd"});
    }
    SetFileWriteFunction(nullptr);
    ASSERT_TRUE(WriteFileAtomically(path, large, nullptr));
    EXPECT_EQ(ReadAll(path), large);
}

TEST_F(AtomicFileWriteTest, UnwritableTargetsNameTheSystemsReason)
{
    const QString readOnly = Path("read-only.nfd");
    ASSERT_TRUE(WriteFileAtomically(readOnly, "old", nullptr));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    ASSERT_TRUE(QDir().mkpath(Path("folder.nfd")));
    const struct
    {
        QString path;
        int error;
    } cases[] = {
        {readOnly, EACCES},
        {Path("missing/x.nfd"), ENOENT},
        {Path(QString(300, u'n')), ENAMETOOLONG},
        {Path("folder.nfd"), EISDIR},
        {readOnly + "/below", ENOTDIR},
    };
    for (const auto& c : cases) {
        QString why;
        EXPECT_FALSE(WriteFileAtomically(c.path, "new", &why)) << c.path.toStdString();
        EXPECT_EQ(why, Reason(c.error)) << c.path.toStdString();
    }
    EXPECT_EQ(ReadAll(readOnly), "old");
}

TEST_F(AtomicFileWriteTest, ReplacesThroughALinkAndKeepsPermissions)
{
    const QString target = Path("real.nfd");
    ASSERT_TRUE(WriteFileAtomically(target, "old", nullptr));
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
    QFile::setPermissions(target, mode);
    ASSERT_TRUE(QFile::link(target, Path("link.nfd")));
    ASSERT_TRUE(WriteFileAtomically(Path("link.nfd"), "new", nullptr));
    EXPECT_TRUE(QFileInfo(Path("link.nfd")).isSymLink());
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_EQ(QFile::permissions(target) & QFileDevice::Permissions(0x7077), mode);
}

TEST_F(AtomicFileWriteTest, StaleTemporariesOfEndedWritersGoAndLiveOnesStay)
{
    // A writer killed between writing and renaming: its temporary file stays.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto* staged = new CStagedFile; // never destroyed, as after kill -9
        ::_exit(staged->Stage(Path("killed.png"), "bytes", nullptr) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_EQ(Entries().size(), 1);
    const QString stale = Entries().front();

    CStagedFile live;
    ASSERT_TRUE(live.Stage(Path("live.png"), "bytes", nullptr));
    WriteFileAtomically(Path(".nacreform-foreign.tmp"), "a file of another program", nullptr);
    EXPECT_EQ(RemoveStaleTemporaries(m_dir.path()), 1);
    EXPECT_FALSE(Entries().contains(stale));
    EXPECT_EQ(Entries().size(), 2) << "the live writer's temporary file and the other file stay";
    ASSERT_TRUE(live.Commit(nullptr));
    EXPECT_EQ(ReadAll(Path("live.png")), "bytes");
}

// A set made on every core that fails leaves no temporary file behind by the
// time WriteFileSet returns, however late the pool's threads let go of
// their share of the work.
TEST_F(AtomicFileWriteTest, AFailedSetLeavesNoTemporaryWhenItReturns)
{
    ASSERT_TRUE(QDir().mkpath(Path("b.png"))); // a folder: that file cannot be written
    QList<SPlannedFile> files;
    for (const char* name : {"a.png", "b.png", "c.css", "d.html"})
        files.append({Path(name), [](QString*) { return QByteArray(4096, 'x'); }});
    for (int round = 0; round < 200; ++round) {
        const SFileSetOutcome outcome = WriteFileSet(files, ESetThreads::EveryCore);
        ASSERT_EQ(outcome.failures.size(), 1);
        ASSERT_EQ(Entries(), QStringList{"b.png"}) << "round " << round;
    }
}
