// Print preview on a large merge: the example shipping label over 100,000
// CSV records, six labels a Letter page at 600 dpi. First opening (the data
// file read once to index the pages, page 1 drawn) and page N drawn alone,
// both at a screen's size (96 dpi).

#include "model/labelformat.h"
#include "printing/pdfdevice.h"
#include "printing/printpreview.h"
#include "storage/document.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 100000;
constexpr double kScreenScale = 96.0 / 600.0;

struct Job {
    TItemContainer items;
    TLabelDocument doc{items};
    QTemporaryDir dir;
    TPrintChoices choices;
    TPrinterMetrics metrics;

    Job()
    {
        const QString label = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../examples/shipping.lbl";
        if (!doc.LoadLabelFile(label))
            qFatal("cannot read %s", qPrintable(label));
        QFile f(dir.filePath(QStringLiteral("addresses.csv")));
        f.open(QIODevice::WriteOnly);
        QByteArray data = "订单号,收货人,地址,城市,邮编\n";
        for (int i = 0; i < kRecords; ++i)
            data += QByteArray::number(100000 + i) + ",收货人" + QByteArray::number(i) + ",中关村大街" +
                    QByteArray::number(i % 997) + "号,北京," + QByteArray::number(100000 + i % 900) + "\n";
        f.write(data);
        choices.DataFile = f.fileName();
        choices.Split.Mode = TSplitMode::Comma;
        choices.Split.IgnoreHeader = true;
        choices.RangeKind = rkAll;
        TPdfPrinterDevice(dir.filePath(QStringLiteral("unused.pdf")), QPageSize(QPageSize::Letter), 600)
            .Metrics(metrics);
    }
};

Job &TheJob()
{
    static Job job;
    return job;
}

void BM_PreviewFirstOpening(benchmark::State &state)
{
    Job &job = TheJob();
    for (auto _ : state) {
        TPrintPreview preview(job.items, job.choices, job.metrics);
        if (preview.Open(nullptr) != TPrintResult::Printed)
            state.SkipWithError("the preview did not open");
        benchmark::DoNotOptimize(preview.RenderPage(0, kScreenScale));
        state.counters["pages"] = preview.PageCount();
    }
}
BENCHMARK(BM_PreviewFirstOpening)->Unit(benchmark::kMillisecond);

// Pages far apart, in no order, each drawn without those before it.
void BM_PreviewPageN(benchmark::State &state)
{
    Job &job = TheJob();
    TPrintPreview preview(job.items, job.choices, job.metrics);
    if (preview.Open(nullptr) != TPrintResult::Printed) {
        state.SkipWithError("the preview did not open");
        return;
    }
    const int pages = preview.PageCount();
    const double scale = kScreenScale * double(state.range(0)) / 100;
    int n = pages / 2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(preview.RenderPage(n, scale));
        n = int((qint64(n) * 7919 + 104729) % pages);
    }
}
// Argument: the zoom in per cent of the paper's size on a 96 dpi screen (the
// window draws reduced pages at twice their size and smooths them down).
BENCHMARK(BM_PreviewPageN)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
