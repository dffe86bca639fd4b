#include "design/IniFile.h"
#include "design/NacreformDoc.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Hostile design files just under the read limit, so that a save adding
// the 29 keys still leaves a file that opens again.
enum class EFileShape
{
    SameKey,      // "[General]" and 262 000 lines "a=1"
    Sections,     // 262 000 section headers "[a]"
    DistinctKeys, // "[General]" and 100 000 different keys
    LineEnds,     // nothing but line ends
};

QByteArray HostileFile(EFileShape shape)
{
    constexpr qsizetype kSize = CIniFile::kMaxFileSize - 4096;
    if (shape == EFileShape::LineEnds)
        return QByteArray(kSize, '\n');
    QByteArray text = shape == EFileShape::Sections ? QByteArray() : QByteArray("[General]\n");
    for (int i = 0; text.size() < kSize; ++i) {
        switch (shape) {
        case EFileShape::SameKey: text += "a=1\n"; break;
        case EFileShape::Sections: text += "[a]\n"; break;
        case EFileShape::DistinctKeys: text += QByteArray::number(i, 36) + "=\n"; break;
        case EFileShape::LineEnds: break;
        }
    }
    return text.left(kSize);
}

bool WriteFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Argument: the file shape. Reads the file into the design.
void BM_OpenHostileDesign(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.nfd"));
    const QByteArray text = HostileFile(EFileShape(state.range(0)));
    WriteFile(path, text);
    CNacreformDoc doc;
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.OnOpenDocument(path));
    state.counters["lines"] = double(text.count('\n'));
}

// Argument: the file shape. Opens the file and saves the design over it,
// synced to the disk; the file is put back between runs, untimed.
void BM_OpenAndSaveHostileDesign(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile.nfd"));
    const QByteArray text = HostileFile(EFileShape(state.range(0)));
    CNacreformDoc doc;
    for (auto _ : state) {
        state.PauseTiming();
        WriteFile(path, text);
        state.ResumeTiming();
        if (!doc.OnOpenDocument(path) || !doc.OnSaveDocument(path))
            state.SkipWithError("the design could not be opened or saved");
    }
    state.counters["lines"] = double(text.count('\n'));
}

} // namespace

BENCHMARK(BM_OpenHostileDesign)
    ->ArgName("shape")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndSaveHostileDesign)
    ->ArgName("shape")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond);
