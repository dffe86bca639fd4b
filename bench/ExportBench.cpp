#include "design/NacreformDoc.h"
#include "export/ButtonStates.h"
#include "export/CsvBatch.h"
#include "export/ImageSet.h"
#include "render/ImageFiles.h"
#include "render/Render.h"
#include "render/RendererTable.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <vector>

namespace {

// Processor seconds (user and system) of every thread of the process so far.
// On a shared machine the wall clock depends on what else runs; this does
// not, and divided by the cores it is what the wall clock would be on an
// idle machine.
double ProcessSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void ReportProcessTime(benchmark::State& state, double start)
{
    state.counters["process_cpu_ms"] = (ProcessSeconds() - start) * 1e3 / double(state.iterations());
}

// The full set of the default design: 4 states at 1x, 2x and 3x, 12 PNG
// files written.
void BM_DefaultSet(benchmark::State& state)
{
    QTemporaryDir dir;
    CNacreformDoc doc;
    SImageSetOptions options; // every state at 1, 2 and 3
    const double start = ProcessSeconds();
    for (auto _ : state) {
        const QStringList failures = WriteImageSet(doc, options, dir.path()).failures;
        if (!failures.isEmpty())
            state.SkipWithError(failures.front().toUtf8().constData());
    }
    ReportProcessTime(state, start);
    state.SetItemsProcessed(state.iterations() * 12);
}

// Keeps a batch's first failure.
class CQuietBatch : public IBatchEvents
{
public:
    void RowFailed(int, const QString& why) override
    {
        if (failure.isEmpty())
            failure = why;
    }
    void RowWritten(const QStringList&) override {}
    void RowCutOff(int, const QString&, const QString&) override {}
    void RowsDone(int, int) override {}

    QString failure;
};

// A batch of rows of the default design at 1x, each with a caption of its
// own: one PNG a row.
void BM_Batch(benchmark::State& state)
{
    QTemporaryDir dir;
    const int rows = int(state.range(0));
    QByteArray csv = "name,String\n";
    for (int row = 1; row <= rows; ++row)
        csv += "row" + QByteArray::number(row) + ",OK " + QByteArray::number(row) + '\n';
    const CNacreformDoc doc;
    CQuietBatch quiet;
    const double start = ProcessSeconds();
    for (auto _ : state) {
        SBatchOptions options;
        options.folder = dir.path();
        const SBatchReport report = RunBatch(doc, csv, options, quiet);
        if (!report.refused.isEmpty() || !quiet.failure.isEmpty())
            state.SkipWithError((report.refused + quiet.failure).toUtf8().constData());
    }
    ReportProcessTime(state, start);
    state.SetItemsProcessed(state.iterations() * rows);
}

// Canvases 0-11: the four shapes at the default size (128 wide, shadows and
// caption as by default) at 1x, 2x and 3x, a set's sizes; 12-14: the capsule
// of the command-line comparison, 400, 1000 and 2000 wide.
constexpr int kPngCanvases = 15;

QImage BenchCanvas(int index)
{
    constexpr unsigned kShapes[] = {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule};
    constexpr int kCapsuleWidths[] = {400, 1000, 2000};
    CNacreformDoc doc;
    const bool wide = index >= 12;
    doc.SelectRenderer(wide ? kRenderCapsule : kShapes[index / 3], false, false);
    const int width = wide ? kCapsuleWidths[index - 12] : 128;
    doc.ShapeSize = {width, doc.Renderer->IsSquareShape() ? width : width * 2 / 5};
    return RenderButtonState(doc, EButtonState::Normal, wide ? 1 : index % 3 + 1);
}

enum class EPngWriter { Qt, Program };

// Arguments: canvas, writer. The program's writer next to Qt's (zlib's
// default level, libpng's choice of filter), with the bytes each makes.
void BM_EncodePng(benchmark::State& state)
{
    const QImage image = BenchCanvas(int(state.range(0)));
    const auto writer = EPngWriter(state.range(1));
    qsizetype size = 0;
    for (auto _ : state) {
        QByteArray bytes;
        if (writer == EPngWriter::Qt) {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter(&buffer, "png").write(image);
        } else {
            bytes = EncodePng(image);
        }
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.counters["bytes"] = double(size);
    state.SetLabel(QStringLiteral("%1x%2").arg(image.width()).arg(image.height()).toStdString());
}

double Fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

BENCHMARK(BM_DefaultSet)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", Fastest);
BENCHMARK(BM_Batch)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", Fastest);
BENCHMARK(BM_EncodePng)
    ->ArgNames({"canvas", "writer"})
    ->ArgsProduct({benchmark::CreateDenseRange(0, kPngCanvases - 1, 1), {int(EPngWriter::Qt), int(EPngWriter::Program)}})
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);
