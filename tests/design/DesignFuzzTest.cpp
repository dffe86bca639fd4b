#include "design/NacreformDoc.h"

#include "DesignFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

// Random bytes biased toward what the reader looks at: brackets, equals
// signs, commas, digits, signs, quotes and line ends.
QByteArray RandomBytes(std::mt19937& rng, int length)
{
    static const char alphabet[] = "[]=,;\"'\r\n\t -+.0123456789eEnaNiIfGeneralShapeSize\xE2\x80\x8B\xFF";
    std::uniform_int_distribution<int> pick(0, int(sizeof alphabet) - 2);
    std::uniform_int_distribution<int> raw(0, 255);
    std::bernoulli_distribution useRaw(0.1);
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes.append(useRaw(rng) ? char(raw(rng)) : alphabet[pick(rng)]);
    return bytes;
}

// The default file with a few bytes replaced, inserted or removed.
QByteArray Mutate(std::mt19937& rng, QByteArray data)
{
    std::uniform_int_distribution<int> edits(1, 8);
    for (int n = edits(rng); n > 0 && !data.isEmpty(); --n) {
        std::uniform_int_distribution<qsizetype> at(0, data.size() - 1);
        switch (rng() % 3) {
        case 0: data[at(rng)] = char(rng()); break;
        case 1: data.insert(at(rng), RandomBytes(rng, 1 + int(rng() % 12))); break;
        default: data.remove(at(rng), 1 + qsizetype(rng() % 6)); break;
        }
    }
    return data;
}

// Every save syncs its file to the disk; in memory that costs nothing, so the
// pass runs there when the system offers a memory file system.
QString FastTemporaryTemplate()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable())
        return QStringLiteral("/dev/shm/nacreform-fuzz-XXXXXX");
    return QDir::temp().filePath(QStringLiteral("nacreform-fuzz-XXXXXX"));
}

} // namespace

TEST(DesignFuzz, RandomFilesOpenAndSaveWithoutHarm)
{
    QTemporaryDir dir(FastTemporaryTemplate());
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("fuzz.nfd");
    const QString copy = dir.filePath("copy.nfd");
    const QString clean = dir.filePath("clean.nfd");
    std::mt19937 rng(20261207);
    CNacreformDoc doc;
    for (int i = 0; i < 3000; ++i) {
        const QByteArray input = (i % 2) ? Mutate(rng, kDefaultDesignFile)
                                         : RandomBytes(rng, int(rng() % 600));
        WriteAll(path, input);
        ASSERT_TRUE(doc.OnOpenDocument(path));
        ASSERT_TRUE(doc.OnSaveDocument(path));

        // Whatever came in, what was saved reads back to the same design.
        // Checked on two files in ten: each save syncs to disk, which is slow.
        if (i % 10 > 1)
            continue;
        CNacreformDoc again;
        ASSERT_TRUE(again.OnOpenDocument(path));
        QFile::remove(copy);
        QFile::remove(clean);
        ASSERT_TRUE(again.OnSaveDocument(copy));
        ASSERT_TRUE(doc.OnSaveDocument(clean));
        ASSERT_EQ(ReadAll(copy), ReadAll(clean)) << input.toStdString();
        ASSERT_TRUE(std::isfinite(again.FontSize) && std::isfinite(again.TextPos.x));
    }
}
