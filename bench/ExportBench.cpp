#include "design/NacreformDoc.h"
#include "export/CsvBatch.h"
#include "export/ImageSet.h"

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
        const QStringList failures = WriteImageSet(doc, options, dir.path());
        if (!failures.isEmpty())
            state.SkipWithError(failures.front().toUtf8().constData());
    }
    ReportProcessTime(state, start);
    state.SetItemsProcessed(state.iterations() * 12);
}

// A batch of rows of the default design at 1x, each with a caption of its
// own: one PNG a row.
void BM_Batch(benchmark::State& state)
{
    QTemporaryDir dir;
    const int rows = int(state.range(0));
    QList<SCsvRecord> records = {{{QStringLiteral("name"), QStringLiteral("String")}, 1}};
    for (int row = 1; row <= rows; ++row)
        records.append({{QStringLiteral("row%1").arg(row), QStringLiteral("OK %1").arg(row)}, row + 1});
    const CNacreformDoc doc;
    const double start = ProcessSeconds();
    for (auto _ : state) {
        const SBatchReport report = RunBatch(doc, records, SBatchOptions{1, std::nullopt, dir.path()});
        if (!report.failures.isEmpty())
            state.SkipWithError(report.failures.front().toUtf8().constData());
    }
    ReportProcessTime(state, start);
    state.SetItemsProcessed(state.iterations() * rows);
}

double Fastest(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

} // namespace

BENCHMARK(BM_DefaultSet)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", Fastest);
BENCHMARK(BM_Batch)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->ComputeStatistics("min", Fastest);
