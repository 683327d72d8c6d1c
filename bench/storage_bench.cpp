// Label files: saving and loading a label of many items, and parsing a large
// file. Run: build/bench/bench_storage

#include "model/labelformat.h"
#include "storage/labelfile.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void Fill(TItemContainer &c, int n)
{
    c.SetSurfaceSize(2000, 2000);
    for (int i = 0; i < n; ++i) {
        TLabelControl *item = CreateItem(TItemKind(i % 4));
        item->Text = QStringLiteral("项目 %1\r\nline").arg(i);
        item->Loading = false;
        c.AddItem(item);
    }
}

void BM_SaveLabel(benchmark::State &state)
{
    QTemporaryDir dir;
    TItemContainer c;
    Fill(c, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveLabelFile(dir.filePath("b.lbl"), c));
}
BENCHMARK(BM_SaveLabel)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_LoadLabel(benchmark::State &state)
{
    QTemporaryDir dir;
    {
        TItemContainer c;
        Fill(c, int(state.range(0)));
        SaveLabelFile(dir.filePath("b.lbl"), c);
    }
    for (auto _ : state) {
        TItemContainer c;
        c.SetSurfaceSize(2000, 2000);
        LoadLabelFile(dir.filePath("b.lbl"), c);
        benchmark::DoNotOptimize(c.Items.size());
    }
}
BENCHMARK(BM_LoadLabel)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// A file of many key lines in few sections (bytes per run in MB).
void BM_ParseLargeFile(benchmark::State &state)
{
    QTemporaryDir dir;
    QByteArray bytes;
    for (int i = 0; bytes.size() < state.range(0) * 1024 * 1024; ++i)
        bytes += "[CNT_" + QByteArray::number(i % 50 + 1) + "]\r\nMEMO_" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + "\r\n";
    QFile f(dir.filePath("big.lbl"));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    for (auto _ : state) {
        TIniFile ini(dir.filePath("big.lbl"));
        benchmark::DoNotOptimize(ini.SectionIndices(QStringLiteral("CNT_")));
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ParseLargeFile)->Arg(5)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
