// Encoding and drawing speed of the barcode engine: Code 128 symbols of 20
// characters on a screen bitmap and on a PDF page, and one symbol of every
// symbology.

#include "barcode/barcode.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

namespace {

const QString kText = QStringLiteral("QV-2026/12 Lot 48151");  // 20 characters

void BM_Code128Encode(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Code128Encode(kText, false));
}
BENCHMARK(BM_Code128Encode);

void BM_FilterAndWidth(benchmark::State &state)
{
    for (auto _ : state) {
        const QString filtered = FilterBarcodeText(bcCode128, kText);
        benchmark::DoNotOptimize(BarcodeWidth(1, bcCode128, filtered));
    }
}
BENCHMARK(BM_FilterAndWidth);

// As the item renderer does: module 1 (or 2), 50 pixels high, line shown.
void BM_DrawCode128Image(benchmark::State &state)
{
    const int module = int(state.range(0));
    const bool text = state.range(1) != 0;
    const int width = BarcodeWidth(module, bcCode128, kText);
    QImage image(width, 50 * module, QImage::Format_RGB32);
    QPainter painter(&image);
    TPainterSurface surface(painter);
    for (auto _ : state)
        DrawBarcode(surface, bcCode128, 0, 0, module, 50 * module, kText, text, 0, false);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DrawCode128Image)->Args({1, 1})->Args({1, 0})->Args({2, 1})->Iterations(100000);

// As the print engine does: a 600 dpi page, module 600 div 80 = 7.
void BM_DrawCode128Pdf(benchmark::State &state)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    TPainterSurface surface(painter);
    int row = 0;
    for (auto _ : state) {
        DrawBarcode(surface, bcCode128, 100, 100 + (row % 40) * 160, 7, 150, kText, true, 0, false);
        ++row;
    }
    painter.end();
    state.SetItemsProcessed(state.iterations());
    state.counters["pdf_MB"] = double(buffer.size()) / 1e6;
}
BENCHMARK(BM_DrawCode128Pdf)->Iterations(100000)->Unit(benchmark::kMillisecond);

void BM_DrawEachSymbology(benchmark::State &state)
{
    const int type = int(state.range(0));
    const QString text = FilterBarcodeText(type, QStringLiteral("0123456789AB"));
    QImage image(BarcodeWidth(2, type, text), 100, QImage::Format_RGB32);
    QPainter painter(&image);
    TPainterSurface surface(painter);
    for (auto _ : state)
        DrawBarcode(surface, type, 0, 0, 2, 100, text, true, 0, false);
    state.SetLabel(BarcodeListCaption(BarcodeTypeToListIndex(type)).toStdString());
}
BENCHMARK(BM_DrawEachSymbology)->DenseRange(0, kBarcodeTypeCount - 1);

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
