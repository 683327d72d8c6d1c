#include "model/labelformat.h"
#include "printing/pdfdevice.h"
#include "printing/printpreview.h"
#include "storage/document.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "missing_tool.h"

namespace {

// How far two pictures of one page differ, in 4 x 4 cells of grey: the
// share of cells whose mean differs by more than a quarter of the range.
// Antialiasing and font rasterising move single pixels; a missing, moved or
// different text moves whole cells.
double DifferingCells(const QImage &a, const QImage &b)
{
    const QImage ga = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage gb = b.convertToFormat(QImage::Format_Grayscale8);
    const int w = qMin(ga.width(), gb.width()) / 4, h = qMin(ga.height(), gb.height()) / 4;
    qint64 differing = 0;
    for (int cy = 0; cy < h; ++cy) {
        for (int cx = 0; cx < w; ++cx) {
            int sa = 0, sb = 0;
            for (int y = cy * 4; y < cy * 4 + 4; ++y) {
                const uchar *la = ga.constScanLine(y), *lb = gb.constScanLine(y);
                for (int x = cx * 4; x < cx * 4 + 4; ++x) {
                    sa += la[x];
                    sb += lb[x];
                }
            }
            if (qAbs(sa - sb) / 16 > 64)
                ++differing;
        }
    }
    return double(differing) / (qint64(w) * h);
}

} // namespace

// A preview page is the page the printer gets: the shipping label merged
// with 40 addresses, two copies each, page 3 drawn by the preview against
// page 3 of the same job printed to PDF and rasterised by poppler; on sheets
// and on roll pages.
TEST(PrintPreview, PageIsThePrintedPage)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        QV_SKIP_MISSING("pdftoppm (poppler-utils)");
    TItemContainer items;
    TLabelDocument doc(items);
    QString error;
    ASSERT_TRUE(doc.LoadLabelFile(QString::fromLocal8Bit(qgetenv("QV_SOURCE_DIR")) + "/examples/shipping.lbl", &error))
        << error.toStdString();

    QTemporaryDir dir;
    QByteArray data = "订单号,收货人,地址,城市,邮编\n";
    for (int i = 0; i < 40; ++i)
        data += QByteArray::number(100300 + i) + ",收货人" + QByteArray::number(i) + ",道路" +
                QByteArray::number(i * 7) + "号,北京," + QByteArray::number(100000 + i) + "\n";
    QFile f(dir.filePath("addresses.csv"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();

    // A roll label too: one label a page, the page the label with its margins;
    // the sheet label made a roll by the job: the label alone; and round
    // labels with every alignment aid, mirrored.
    for (const int kind : {0, 1, 2, 3}) {
        SCOPED_TRACE(kind == 0 ? "sheet" : kind == 1 ? "roll" : kind == 2 ? "roll job" : "aids");
        const bool aids = kind == 3;
        items.LabelFormat.Roll = kind == 1;
        items.LabelFormat.Shape = aids ? TLabelShape::Ellipse : TLabelShape::Rectangle;
        TPrintChoices choices;
        choices.Roll = kind == 2;
        choices.Outline = choices.CropMarks = choices.Mirror = aids;
        choices.DataFile = f.fileName();
        choices.Split.Mode = TSplitMode::Comma;
        choices.Split.IgnoreHeader = true;
        choices.RangeKind = rkAll;
        choices.Copies = 2;
        const QString pdf = dir.filePath(QStringLiteral("job%1.pdf").arg(kind));
        constexpr int kDpi = 100;
        TPdfPrinterDevice device(pdf, QPageSize(QPageSize::Letter), kDpi);
        QString message;
        ASSERT_EQ(PrintLabels(items, choices, device, nullptr, &message), TPrintResult::Printed)
            << message.toStdString();
        ASSERT_GE(device.Pages(), 4);

        TPrinterMetrics metrics;
        ASSERT_TRUE(device.Metrics(metrics));
        TPrintPreview preview(items, choices, metrics);
        ASSERT_EQ(preview.Open(&message), TPrintResult::Printed) << message.toStdString();
        ASSERT_EQ(preview.PageCount(), device.Pages());
        const QImage page3 = preview.RenderPage(2, 1.0, &message);
        const QImage page2 = preview.RenderPage(1, 1.0, &message);
        ASSERT_FALSE(page3.isNull()) << message.toStdString();

        QProcess raster;
        raster.start(pdftoppm, {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-f"), QStringLiteral("3"),
                                QStringLiteral("-l"), QStringLiteral("3"), QStringLiteral("-singlefile"),
                                QStringLiteral("-png"), pdf, dir.filePath(QStringLiteral("page%1").arg(kind))});
        ASSERT_TRUE(raster.waitForFinished(60000));
        ASSERT_EQ(raster.exitCode(), 0) << raster.readAllStandardError().toStdString();
        const QImage printed(dir.filePath(QStringLiteral("page%1.png").arg(kind)));
        ASSERT_FALSE(printed.isNull());
        EXPECT_LE(qAbs(printed.width() - page3.width()), 1);
        EXPECT_LE(qAbs(printed.height() - page3.height()), 1);

        // The page before differs only in its addresses and numbers: the measure
        // must tell them apart (on a page that is the label alone, its edge
        // lines round a pixel apart too).
        const double same = DifferingCells(page3, printed), other = DifferingCells(page2, printed);
        EXPECT_LT(same, other / (kind == 2 ? 4 : 10)) << same << " vs " << other;
        if (HasFailure()) {
            page3.save(dir.filePath("preview.png"));
            dir.setAutoRemove(false);
            ADD_FAILURE() << "pictures kept in " << dir.path().toStdString();
        }
    }
}
