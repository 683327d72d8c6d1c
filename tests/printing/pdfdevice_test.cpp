#include "printing/pdfdevice.h"
#include "printing/qprinter_device.h"

#include "model/labelformat.h"
#include "printing/sheetlayout.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(PdfDevice, PaperNames)
{
    struct Case {
        const char *text;
        bool ok;
        QSizeF mm;
    } cases[] = {
        {"A4", true, {210, 297}},          {"letter", true, {215.9, 279.4}}, {"100x150mm", true, {100, 150}},
        {"62.5 X 29mm", true, {62.5, 29}}, {"100x150", false, {}},           {"0x10mm", false, {}},
        {"B7", false, {}},                 {"-5x10mm", false, {}},           {"99999x10mm", false, {}},
    };
    for (const Case &c : cases) {
        QPageSize paper;
        ASSERT_EQ(TPdfPrinterDevice::ParsePaper(c.text, paper), c.ok) << c.text;
        if (c.ok) {
            EXPECT_NEAR(paper.size(QPageSize::Millimeter).width(), c.mm.width(), 0.2) << c.text;
            EXPECT_NEAR(paper.size(QPageSize::Millimeter).height(), c.mm.height(), 0.2) << c.text;
        }
    }
}

TEST(PdfDevice, WholePageInDevicePixels)
{
    struct Case {
        QPageSize::PageSizeId id;
        int dpi, w, h;
        const char *custom = nullptr;
    } cases[] = {{QPageSize::Letter, 600, 5100, 6600},       {QPageSize::A4, 600, 4960, 7015},
                 {QPageSize::Letter, 300, 2550, 3300},       {QPageSize::A4, 300, 2480, 3507},
                 {QPageSize::Custom, 600, 4960, 7015, "210x297mm"}, {QPageSize::Custom, 300, 1181, 1771, "100x150mm"},
                 {QPageSize::Custom, 600, 6000, 600, "254x25.4mm"}};
    for (const Case &c : cases) {
        QPageSize paper(c.id);
        if (c.custom) {
            ASSERT_TRUE(TPdfPrinterDevice::ParsePaper(c.custom, paper));
        }
        TPdfPrinterDevice pdf("unused.pdf", paper, c.dpi);
        TPrinterMetrics m;
        ASSERT_TRUE(pdf.Metrics(m));
        EXPECT_EQ(m.DpiX, c.dpi);
        EXPECT_EQ(m.DpiY, c.dpi);
        EXPECT_EQ(m.PaperWidth, c.w);
        EXPECT_EQ(m.PaperHeight, c.h);
        EXPECT_EQ(m.OffsetX + m.OffsetY + m.RightMargin + m.BottomMargin, 0);
    }
    // Three 70 mm labels fill an A4 sheet edge to edge.
    const TLabelFormat saved = LabelFormat;
    LabelFormat = TLabelFormat();
    LabelFormat.Label_Width = 2.7559;
    LabelFormat.Margin_Left = LabelFormat.Gap_Width = 0;
    LabelFormat.Metric = false;
    TPdfPrinterDevice a4("unused.pdf", QPageSize(QPageSize::A4), 600);
    TPrinterMetrics m;
    ASSERT_TRUE(a4.Metrics(m));
    ApplyPrinterMetrics(m);
    EXPECT_EQ(LabelColumns, 3);
    LabelFormat = saved;
}

// The page of the file is the paper to the hundredth of a point or better, and
// what is drawn at the device's top left lies at the paper's top left on
// every page.
TEST(PdfDevice, PageIsThePaper)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath("a4.pdf");
    TPdfPrinterDevice pdf(path, QPageSize(QPageSize::A4), 600);
    ASSERT_TRUE(pdf.Begin("job", nullptr));
    pdf.Painter()->fillRect(0, 0, 600, 600, Qt::black); // one inch
    ASSERT_TRUE(pdf.NewPage());
    pdf.Painter()->fillRect(0, 0, 600, 600, Qt::black);
    ASSERT_TRUE(pdf.End(nullptr));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().count("/MediaBox [0 0 595.275591 841.889764]"), 2);

    // At 7200 DPI the square's lower edge is row 7200 from the top of the
    // sheet, and its right edge column 7200.
    for (int page : {1, 2}) {
        const QString out = dir.filePath(QStringLiteral("p%1").arg(page));
        const int rc = QProcess::execute(pdftoppm, {"-r", "7200", "-f", QString::number(page), "-l",
                                                    QString::number(page), "-x", "7150", "-y", "7150", "-W", "100",
                                                    "-H", "100", "-gray", "-singlefile", path, out});
        ASSERT_EQ(rc, 0);
        const QImage img(out + ".pgm");
        ASSERT_EQ(img.size(), QSize(100, 100));
        int lastDarkRow = -1, lastDarkColumn = -1;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                if (qGray(img.pixel(x, y)) < 128) {
                    lastDarkRow = qMax(lastDarkRow, y);
                    lastDarkColumn = qMax(lastDarkColumn, x);
                }
        EXPECT_NEAR(lastDarkRow, 49, 1) << "page " << page;
        EXPECT_NEAR(lastDarkColumn, 49, 1) << "page " << page;
    }
}

TEST(PdfDevice, NothingHalfWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.pdf");
    {
        TPdfPrinterDevice pdf(path, QPageSize(QPageSize::A4), 300);
        QString error;
        ASSERT_TRUE(pdf.Begin("job", &error)) << error.toStdString();
        pdf.Painter()->fillRect(0, 0, 100, 100, Qt::black);
        EXPECT_FALSE(QFile::exists(path)); // only the temporary exists while printing
        pdf.Abort();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    {
        TPdfPrinterDevice pdf(path, QPageSize(QPageSize::A4), 300);
        ASSERT_TRUE(pdf.Begin("job", nullptr));
        // Destroyed without End: the job did not finish, nothing is kept.
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    {
        TPdfPrinterDevice pdf(path, QPageSize(QPageSize::A4), 300);
        ASSERT_TRUE(pdf.Begin("job", nullptr));
        pdf.Painter()->fillRect(0, 0, 100, 100, Qt::black);
        ASSERT_TRUE(pdf.NewPage());
        QString error;
        ASSERT_TRUE(pdf.End(&error)) << error.toStdString();
        EXPECT_EQ(pdf.Pages(), 2);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"out.pdf"}));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5) == "%PDF-");

    TPdfPrinterDevice bad(dir.filePath("no/such/folder/out.pdf"));
    QString error;
    EXPECT_FALSE(bad.Begin("job", &error));
    EXPECT_TRUE(error.contains("out.pdf"));
}

TEST(QPrinterDevice, WithoutPrinterFallsBackToPdf)
{
    if (!TQPrinterDevice::PrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed";
    TQPrinterDevice device;
    EXPECT_TRUE(device.IsPdfFallback());
    EXPECT_TRUE(device.DefaultPrinterName().isEmpty());
    TPrinterMetrics m;
    ASSERT_TRUE(device.Metrics(m));
    EXPECT_EQ(m.DpiX, 600);
    EXPECT_EQ(m.DpiY, 600);
    const bool letter = TPdfPrinterDevice::LocalePaper().id() == QPageSize::Letter;
    EXPECT_EQ(m.PaperWidth, letter ? 5100 : 4958);
    EXPECT_EQ(m.PaperHeight, letter ? 6600 : 7016);
    EXPECT_EQ(m.OffsetX + m.OffsetY + m.RightMargin + m.BottomMargin, 0);
    EXPECT_FALSE(device.SelectPrinter("No Such Printer"));

    QTemporaryDir dir;
    device.SetOutputFileName(dir.filePath("fallback.pdf"));
    ASSERT_TRUE(device.Begin("job", nullptr));
    device.Painter()->fillRect(0, 0, 600, 600, Qt::black);
    device.Abort(); // a cancelled job leaves nothing
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    ASSERT_TRUE(device.Begin("job", nullptr));
    device.Painter()->fillRect(0, 0, 600, 600, Qt::black);
    ASSERT_TRUE(device.End(nullptr));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"fallback.pdf"}));
    EXPECT_EQ(device.Printer()->outputFileName(), dir.filePath("fallback.pdf"));
}
