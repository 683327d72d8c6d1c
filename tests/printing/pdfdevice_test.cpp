#include "printing/pdfdevice.h"
#include "printing/qprinter_device.h"

#include "model/labelformat.h"
#include "printing/sheetlayout.h"
#include "storage/document.h"
#include "storage/labelfile.h"
#include "zbar_decode.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include "missing_tool.h"

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
    TLabelFormat format;
    format.Label_Width = 2.7559;
    format.Margin_Left = format.Gap_Width = 0;
    format.Metric = false;
    TPdfPrinterDevice a4("unused.pdf", QPageSize(QPageSize::A4), 600);
    TPrinterMetrics m;
    ASSERT_TRUE(a4.Metrics(m));
    EXPECT_EQ(TSheetLayout(format, m, 96, 96).LabelColumns, 3);
}

// The page of the file is the paper to the hundredth of a point or better, and
// what is drawn at the device's top left lies at the paper's top left on
// every page.
TEST(PdfDevice, PageIsThePaper)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        QV_SKIP_MISSING("pdftoppm");
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

// A label in millimetres saves, opens again and prints its box where the
// rulers put it (the millimetre's nearest design pixel): 20 mm across and
// 10 mm down from each label's corner, the labels 50 x 30 mm, 10 mm from the
// paper's edges and 5 mm apart.
TEST(PdfDevice, MillimetreLabelPrintsWhereTheRulersSay)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty())
        QV_SKIP_MISSING("pdftoppm");
    QTemporaryDir dir;
    TItemContainer made;
    made.ScreenDpiX = made.ScreenDpiY = 96;
    TLabelFormat &f = made.LabelFormat;
    SetLabelUnit(f, TLabelUnit::Millimetre);
    f.Label_Width = 50;
    f.Label_Height = 30;
    f.Margin_Top = f.Margin_Left = 10;
    f.Gap_Width = f.Gap_Height = 5;
    made.FitSurfaceToFormat();
    const double mmPx = UnitPixelsX(f, 96);
    auto *box = new TShapeLabel;
    box->Brush.Color = clBlack;
    box->Left = Round(20 * mmPx);
    box->Top = Round(10 * mmPx);
    box->Width = Round(15 * mmPx);
    box->Height = Round(8 * mmPx);
    box->AutoSize = false;
    box->Loading = false;
    made.AddItem(box);
    const QString label = dir.filePath("mm.lbl");
    ASSERT_TRUE(SaveLabelFile(label, made));

    TItemContainer items;
    items.ScreenDpiX = items.ScreenDpiY = 96;
    TLabelDocument doc(items);
    ASSERT_TRUE(doc.LoadLabelFile(label));
    ASSERT_EQ(LabelUnit(items.LabelFormat), TLabelUnit::Millimetre);
    ASSERT_EQ(items.LabelFormat.Label_Width, 50);
    const QString path = dir.filePath("mm.pdf");
    TPdfPrinterDevice pdf(path, QPageSize(QPageSize::A4), 300);
    TPrintChoices choices;
    QString message;
    ASSERT_EQ(PrintLabels(items, choices, pdf, nullptr, &message), TPrintResult::Printed) << message.toStdString();
    ASSERT_EQ(QProcess::execute(pdftoppm, {"-r", "300", "-f", "1", "-l", "1", "-gray", "-singlefile", path,
                                           dir.filePath("p")}),
              0);
    const QImage page = QImage(dir.filePath("p.pgm")).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(page.isNull());
    const auto px = [](double mm) { return mm / 25.4 * 300; };
    const auto dark = [&page](int x, int y) { return qGray(page.pixel(x, y)) < 128; };
    // The box's left and top edges on the first two labels across and down.
    for (const int column : {0, 1})
        for (const int row : {0, 1}) {
            SCOPED_TRACE(column * 10 + row);
            const double labelX = 10 + 55 * column, labelY = 10 + 35 * row;
            const int midY = qRound(px(labelY + 14)), midX = qRound(px(labelX + 27));
            int left = -1, top = -1;
            for (int x = qRound(px(labelX)); x < qRound(px(labelX + 50)) && left < 0; ++x)
                if (dark(x, midY))
                    left = x;
            for (int y = qRound(px(labelY)); y < qRound(px(labelY + 30)) && top < 0; ++y)
                if (dark(midX, y))
                    top = y;
            // The ruler's tick for 20 mm marks design pixel 76 (20.11 mm):
            // the edge lies within that pixel, 3 1/8 printer pixels wide.
            const double onePixel = 300 / 96.0;
            EXPECT_NEAR(left, px(labelX) + Round(20 * mmPx) * onePixel, onePixel);
            EXPECT_NEAR(top, px(labelY) + Round(10 * mmPx) * onePixel, onePixel);
        }
}

// Roll labels at a thermal printer's resolution: each label and copy on a
// page of its own, the label's size with its margins all round, the bars
// whole dots, every page reading back to its record.
TEST(PdfDevice, RollPagesKeepWholeDots)
{
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty() || !ZbarAvailable())
        QV_SKIP_MISSING("pdftoppm or zbar");
    QTemporaryDir dir;
    const auto write = [&](const char *name, const QByteArray &text) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return f.fileName();
    };
    const QString label = write("roll.lbl", "[FORMAT]\nWIDTH=2\nHEIGHT=1\nTOPMARGIN=0.1\nLEFTMARGIN=0.1\n"
                                            "GAPHEIGHT=0.5\nGAPWIDTH=0.5\nMETRIC=0\nROLL=1\nCONTROLS=1\n"
                                            "[CNT_1]\nTYPE=BARCODE\nBCTYPE=0\nSCALE=1\nINTERPRET=0\n"
                                            "AUTOSCALE=1\nTOP=0.1\nLEFT=0.1\nWIDTH=1.8\nHEIGHT=0.8\n"
                                            "AUTOSIZE=0\nTRANSPARENT=0\nROTATE=0\nADVANCED=1\nADV_COUNT=1\n"
                                            "ADVTYPE_1=FIELD\nADVNUM_1=1\nADVSIZE_1=0\nADVCHAR_1=32\n");
    const QString data = write("d.csv", "R-17\nR-2048\nR-31337\n");
    for (const int dpi : {203, 300}) {
        TItemContainer items;
        TLabelDocument doc(items);
        ASSERT_TRUE(doc.LoadLabelFile(label));
        ASSERT_TRUE(items.LabelFormat.Roll);
        const QString path = dir.filePath(QStringLiteral("roll%1.pdf").arg(dpi));
        TPdfPrinterDevice pdf(path, QPageSize(QPageSize::A4), dpi);
        TPrintChoices choices;
        choices.DataFile = data;
        choices.Split.Mode = TSplitMode::Comma;
        choices.Split.IgnoreHeader = false;
        choices.RangeKind = rkAll;
        choices.Copies = 2;
        QString message;
        TPrintStats stats;
        ASSERT_EQ(PrintLabels(items, choices, pdf, nullptr, &message, &stats), TPrintResult::Printed)
            << message.toStdString();
        EXPECT_EQ(stats.PagesPrinted, 6) << dpi;
        ASSERT_EQ(QProcess::execute(pdftoppm, {"-r", QString::number(dpi), "-gray", path, dir.filePath("p")}), 0);
        const QStringList pages = QDir(dir.path()).entryList({"p-*.pgm"}, QDir::Files, QDir::Name);
        ASSERT_EQ(pages.size(), 6) << dpi;
        const QStringList records = {"R-17", "R-17", "R-2048", "R-2048", "R-31337", "R-31337"};
        for (int i = 0; i < 6; ++i) {
            const QImage img = QImage(dir.filePath(pages[i])).convertToFormat(QImage::Format_Grayscale8);
            EXPECT_NEAR(img.width(), 2.2 * dpi, 1) << dpi;
            EXPECT_NEAR(img.height(), 1.2 * dpi, 1) << dpi;
            const QList<TDecodedSymbol> read = ZbarDecode(img);
            ASSERT_EQ(read.size(), 1) << dpi << " page " << i;
            EXPECT_EQ(QString::fromLatin1(read[0].data), records[i]) << dpi;
            // Every bar and space across the middle is a whole number of modules.
            QList<int> runs;
            const uchar *row = img.constScanLine(img.height() / 2);
            int first = 0, last = img.width() - 1;
            while (first < img.width() && row[first] >= 128)
                ++first;
            while (last > first && row[last] >= 128)
                --last;
            for (int x = first, n = 1; x <= last; ++x, ++n)
                if (x == last || (row[x] < 128) != (row[x + 1] < 128)) {
                    runs.append(n);
                    n = 0;
                }
            ASSERT_GT(runs.size(), 20) << dpi;
            const int module = *std::min_element(runs.begin(), runs.end());
            for (int r : runs)
                EXPECT_EQ(r % module, 0) << dpi << " dpi: run " << r << " of module " << module;
        }
        for (const QString &f : pages)
            QFile::remove(dir.filePath(f));
    }
}

// The paper a roll page asks for: itself where custom sizes hold it, else the
// smallest listed size that holds it, turned when only that way fits.
TEST(QPrinterDevice, RollMediaChoice)
{
    const QList<QPageSize> listed = {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5), QPageSize(QPageSize::A6)};
    struct Case {
        QSizeF mm;
        bool custom;
        const char *media; // "" when nothing holds it
        bool landscape;
    } cases[] = {
        {{50.8, 25.4}, true, "Custom.50.8x25.4mm", false},
        {{50.8, 25.4}, false, "A6", false},
        {{150, 100}, false, "A5", true},        // 148 mm is too narrow upright
        {{148, 105}, false, "A6", true},        // exactly, turned
        {{250, 30}, true, "A4", true},          // wider than custom sizes go
        {{400, 400}, false, "", false},
    };
    for (const Case &c : cases) {
        const TRollMedia m = ChooseRollMedia(c.mm, listed, c.custom, {25, 6}, {203.2, 1270});
        EXPECT_EQ(m.Media, QString::fromLatin1(c.media)) << c.mm.width() << "x" << c.mm.height();
        EXPECT_EQ(m.Size.isValid(), *c.media != 0);
        EXPECT_EQ(m.Landscape, c.landscape) << c.media;
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
        GTEST_SKIP() << "not applicable: a printer is installed, so there is no fallback to check";
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
