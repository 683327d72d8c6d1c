#include "model/labelformat.h"
#include "printing/calibrationpage.h"
#include "printing/printengine.h"
#include "printing/printpreview.h"

#include <QFile>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextItem>
#include <gtest/gtest.h>

#include <memory>

namespace {

// One drawn text: where the painter's origin stood, on which page.
struct Drawn {
    int page;
    QPoint at;
    QString text;
};

// A paint engine that keeps every text it is given and ignores the rest.
class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawRects(const QRect *, int) override {}
    void drawRects(const QRectF *, int) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawPolygon(const QPoint *, int, PolygonDrawMode) override {}
    void drawTextItem(const QPointF &, const QTextItem &item) override
    {
        const QTransform t = painter()->transform();
        texts.append({page, QPoint(int(t.dx()), int(t.dy())), item.text()});
    }
    Type type() const override { return QPaintEngine::User; }

    QList<Drawn> texts;
    int page = 1;
};

class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice(int w, int h) : w_(w), h_(h) {}
    QPaintEngine *paintEngine() const override { return &engine; }
    mutable RecordingEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return w_;
        case PdmHeight:
            return h_;
        case PdmWidthMM:
            return w_ * 254 / 6000;
        case PdmHeightMM:
            return h_ * 254 / 6000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 600;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    int w_, h_;
};

class FakePrinter : public TPrinterDevice {
public:
    FakePrinter(int w, int h) : device(w, h) {}
    QString Name() const override { return QStringLiteral("Fake"); }
    bool Metrics(TPrinterMetrics &m) override
    {
        m = TPrinterMetrics();
        m.PaperWidth = rollPage.isValid() ? int(rollPage.width() / 25.4 * 600) : device.width();
        m.PaperHeight = rollPage.isValid() ? int(rollPage.height() / 25.4 * 600) : device.height();
        return true;
    }
    bool SetRollPage(const QSizeF &mm) override
    {
        rollPage = mm;
        return true;
    }
    QSizeF rollPage;
    bool Begin(const QString &title, QString *) override
    {
        ++begun;
        docTitle = title;
        return painter.begin(&device);
    }
    QPainter *Painter() override { return &painter; }
    bool NewPage() override
    {
        ++device.engine.page;
        return true;
    }
    bool End(QString *) override
    {
        ended = true;
        return painter.end();
    }
    void Abort() override
    {
        aborted = true;
        painter.end();
    }
    const QList<Drawn> &Texts() const { return device.engine.texts; }
    int Pages() const { return device.engine.page; }

    RecordingDevice device;
    QPainter painter;
    QString docTitle;
    int begun = 0;
    bool ended = false, aborted = false;
};

class Sink : public TPrintProgressSink {
public:
    void StartProgress(qint64 total) override { this->total = total; }
    void SetPagesTotal(qint64 pages) override { pagesTotal = pages; }
    void SetPage(int page) override
    {
        pages.append(page);
        if (page == cancelAtPage)
            cancelled = true;
    }
    bool Cancelled() const override { return cancelled; }
    void Finish() override { ++finished; }
    QList<int> pages;
    int cancelAtPage = -1;
    bool cancelled = false;
    int finished = 0;
    qint64 total = 0, pagesTotal = 0;
};

// A label with one transparent text item at its corner: column 1 of the
// record, "|", and a counter that starts at 1; 1 in labels, no margins, no
// gaps unless told.
struct Label {
    explicit Label(const TLabelFormat &format = {1, 1, 0, 0, 0, 0, false})
    {
        container.LabelFormat = format;
        auto *t = new TTextLabel;
        t->Left = t->Top = 0;
        t->Width = 90;
        t->Height = 40;
        t->AutoSize = false;
        t->Transparent = true;
        t->Advanced = true;
        auto field = std::make_unique<TImportedField>();
        field->FieldNum = 1;
        t->Fields.push_back(std::move(field));
        auto bar = std::make_unique<TTextField>();
        bar->Text = QStringLiteral("|");
        t->Fields.push_back(std::move(bar));
        auto seq = std::make_unique<TSequenceField>();
        seq->CurVal = 1;
        t->Fields.push_back(std::move(seq));
        container.AddItem(t);
    }
    TItemContainer container;
};

QString WriteData(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

QStringList Texts(const FakePrinter &p)
{
    QStringList out;
    for (const Drawn &d : p.Texts())
        out << d.text;
    return out;
}

} // namespace

TEST(PrintEngine, RangesCopiesRecordsAndCounters)
{
    QTemporaryDir dir;
    const QString four = WriteData(dir, "four.csv", "r1\nr2\nr3\nr4\n");
    const QString two = WriteData(dir, "two.csv", "a\r\nb\r\n");
    const QString twoAndEmpty = WriteData(dir, "empty-last.csv", "a\r\nb\r\n\r\n");
    TSplitSettings csv;
    csv.Mode = TSplitMode::Comma;
    csv.IgnoreHeader = false;

    struct Case {
        const char *name;
        int columns, rows; // sheet in 1 in labels
        int copies, range, pages, labels;
        QString data;
        int expectedPages;
        QStringList expected;
        int firstPage = 1;
        qint64 firstRecord = 0, lastRecord = 0;
        bool collate = false;
        int counterAfter = 0; // 0: as far as the labels printed
    } cases[] = {
        {"pages 2 on 2 x 3", 2, 3, 1, rkPages, 2, 0, QString(), 2,
         {"|1", "|2", "|3", "|4", "|5", "|6", "|7", "|8", "|9", "|10", "|11", "|12"}},
        {"labels 5 on 2 x 3", 2, 3, 1, rkLabels, 0, 5, QString(), 1, {"|1", "|2", "|3", "|4", "|5"}},
        {"counters with two copies", 2, 3, 2, rkLabels, 0, 6, QString(), 1, {"|1", "|1", "|2", "|2", "|3", "|3"}},
        {"copies 3 of 4 records, 10 a page", 2, 5, 3, rkAll, 0, 0, four, 2,
         {"r1|1", "r1|1", "r1|1", "r2|2", "r2|2", "r2|2", "r3|3", "r3|3", "r3|3", "r4|4", "r4|4", "r4|4"}},
        {"all records end the job", 1, 1, 1, rkAll, 0, 0, two, 2, {"a|1", "b|2"}},
        {"an empty last line is a record", 1, 1, 1, rkAll, 0, 0, twoAndEmpty, 3, {"a|1", "b|2", "|3"}},
        {"page limit stops inside copies", 2, 1, 3, rkPages, 1, 0, four, 1, {"r1|1", "r1|1"}},
        {"label limit before the data ends", 2, 2, 1, rkLabels, 0, 3, four, 1, {"r1|1", "r2|2", "r3|3"}},
        {"data ends before the label limit", 2, 2, 1, rkLabels, 0, 50, two, 1, {"a|1", "b|2"}},
        {"all without data prints one page", 2, 1, 1, rkAll, 0, 0, QString(), 1, {"|1", "|2"}},
        // Ranges print what the whole job has there, counters included.
        {"pages 2-3 inside copies", 2, 1, 3, rkPages, 3, 0, four, 2, {"r1|1", "r2|2", "r2|2", "r2|2"}, 2, 0, 0, false, 3},
        {"page 2 without data", 2, 1, 2, rkPages, 2, 0, QString(), 1, {"|2", "|2"}, 2, 0, 0, false, 3},
        {"records 2-3", 2, 2, 2, rkAll, 0, 0, four, 1, {"r2|2", "r2|2", "r3|3", "r3|3"}, 1, 2, 3, false, 4},
        {"collated: each run from a new page", 2, 2, 2, rkAll, 0, 0, two, 2, {"a|1", "b|2", "a|1", "b|2"}, 1, 0, 0,
         true, 3},
    };
    for (const Case &c : cases) {
        Label label;
        FakePrinter printer(c.columns * 600, c.rows * 600);
        Sink sink;
        TPrintChoices choices;
        choices.Copies = c.copies;
        choices.RangeKind = c.range;
        choices.PageCount = c.pages;
        choices.LabelCount = c.labels;
        choices.DataFile = c.data;
        choices.Split = csv;
        choices.FirstPage = c.firstPage;
        choices.FirstRecord = c.firstRecord;
        choices.LastRecord = c.lastRecord;
        choices.Collate = c.collate;
        QString message;
        TPrintStats stats;
        EXPECT_EQ(PrintLabels(label.container, choices, printer, &sink, &message, &stats),
                  TPrintResult::Printed)
            << c.name << ": " << message.toStdString();
        EXPECT_EQ(sink.pagesTotal, c.expectedPages) << c.name;
        EXPECT_EQ(Texts(printer), c.expected) << c.name;
        EXPECT_EQ(printer.Pages(), c.expectedPages) << c.name;
        EXPECT_EQ(stats.PagesPrinted, c.expectedPages) << c.name;
        EXPECT_EQ(stats.LabelsPrinted, c.expected.size()) << c.name;
        EXPECT_TRUE(printer.ended) << c.name;
        EXPECT_FALSE(printer.aborted) << c.name;
        EXPECT_EQ(sink.finished, 1) << c.name;
        // The counter went on as far as the labels printed.
        auto *seq = static_cast<TSequenceField *>(label.container.Items[0]->Fields[2].get());
        const int contents = (c.expected.size() + c.copies - 1) / c.copies;
        EXPECT_EQ(seq->CurVal, c.counterAfter ? c.counterAfter : 1 + contents - (c.expected.size() % c.copies ? 1 : 0))
            << c.name;
    }
}

TEST(PrintEngine, LabelsFillThePageRowByRow)
{
    Label label({1, 0.5, 0.25, 0.5, 0.1, 0.2, false});
    label.container.Items[0]->Left = 10; // 62 printer pixels
    label.container.Items[0]->Top = 5;   // 31
    FakePrinter printer(2400, 1600);
    TPrintChoices choices;
    choices.PageCount = 1;
    QString message;
    ASSERT_EQ(PrintLabels(label.container, choices, printer, nullptr, &message), TPrintResult::Printed);
    // Columns: 300 + 62 + 720 c (3 fit in 2400); rows: 150 + 31 + 360 r (4 fit in 1600).
    TPrinterMetrics metrics;
    printer.Metrics(metrics);
    const TSheetLayout layout(label.container.LabelFormat, metrics, 96, 96);
    EXPECT_EQ(layout.LabelColumns, 3);
    EXPECT_EQ(layout.LabelRows, 4);
    ASSERT_EQ(printer.Texts().size(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(printer.Texts()[i].at, QPoint(362 + 720 * (i % 3), 181 + 360 * (i / 3))) << i;
    EXPECT_EQ(printer.docTitle, "Quorvane");
}

TEST(PrintEngine, CancelIsSeenAfterTheNextLabel)
{
    Label label;
    FakePrinter printer(1200, 1800);
    Sink sink;
    sink.cancelAtPage = 4; // clicked during page 3, noticed when page 4 starts
    TPrintChoices choices;
    choices.PageCount = 10;
    choices.LabelFile = "/tmp/some/shelf.lbl";
    QString message;
    EXPECT_EQ(PrintLabels(label.container, choices, printer, &sink, &message), TPrintResult::Cancelled);
    EXPECT_EQ(printer.Texts().size(), 3 * 6 + 1);
    EXPECT_TRUE(printer.aborted);
    EXPECT_FALSE(printer.ended);
    EXPECT_EQ(sink.pages, QList<int>({1, 2, 3, 4}));
    EXPECT_EQ(sink.total, 60);
    EXPECT_EQ(sink.finished, 1);
    EXPECT_EQ(printer.docTitle, "shelf.lbl");
}

TEST(PrintEngine, JobsThatPrintNothing)
{
    QTemporaryDir dir;
    const QString headerOnly = WriteData(dir, "header.csv", "name\r\n");
    const QString empty = WriteData(dir, "empty.csv", "");
    const QString missing = dir.filePath("missing.csv");
    struct Case {
        const char *name;
        double labelWidth;
        QString data;
        TPrintResult result;
        QString message;
    } cases[] = {
        {"label wider than the sheet", 3, QString(), TPrintResult::NoFit, "The label does not fit on the page."},
        {"header line only", 1, headerOnly, TPrintResult::NoRecords, "The data file has no records."},
        {"empty data file", 1, empty, TPrintResult::NoRecords, "The data file has no records."},
        {"missing data file", 1, missing, TPrintResult::DataError, "missing.csv"},
        {"a folder as data file", 1, dir.path(), TPrintResult::DataError, dir.path()},
    };
    for (const Case &c : cases) {
        Label label({c.labelWidth, 1, 0, 0, 0, 0, false});
        FakePrinter printer(1200, 1200);
        Sink sink;
        TPrintChoices choices;
        choices.RangeKind = rkAll;
        choices.DataFile = c.data;
        choices.Split.Mode = TSplitMode::Comma;
        QString message;
        EXPECT_EQ(PrintLabels(label.container, choices, printer, &sink, &message), c.result) << c.name;
        EXPECT_TRUE(message.contains(c.message)) << c.name << ": " << message.toStdString();
        EXPECT_EQ(printer.begun, 0) << c.name;
        EXPECT_EQ(sink.finished, 1) << c.name;
        auto *seq = static_cast<TSequenceField *>(label.container.Items[0]->Fields[2].get());
        EXPECT_EQ(seq->CurVal, 1) << c.name;
    }
}

TEST(PrintEngine, DataFileIsIgnoredWithoutImportedField)
{
    Label label;
    label.container.Items[0]->Fields.erase(label.container.Items[0]->Fields.begin());
    FakePrinter printer(600, 600);
    TPrintChoices choices;
    choices.DataFile = "/nonexistent/data.csv"; // not opened: nothing imports from it
    choices.PageCount = 2;
    QString message;
    EXPECT_EQ(PrintLabels(label.container, choices, printer, nullptr, &message), TPrintResult::Printed);
    EXPECT_EQ(Texts(printer), QStringList({"|1", "|2"}));
}

// Roll labels print one a page whatever the paper, sized by the label and the
// margins of a roll format (a sheet label made a roll by the job has none); a
// printer's calibration moves and scales all that is drawn.
TEST(PrintEngine, RollPagesAndCalibration)
{
    QTemporaryDir dir;
    const QString three = WriteData(dir, "three.csv", "a\nb\nc\n");
    struct Case {
        const char *name;
        bool labelRoll, jobRoll;
        TCalibration calibration;
        int expectedPages;
        QSizeF page;  // asked for, mm; invalid when not asked
        QPoint shift; // device pixels the label moves by from the sheet's first
        bool mirror = false;
    } cases[] = {
        {"sheet", false, false, {}, 2, QSizeF(), {}},
        {"roll label", true, false, {}, 6, {38.1, 17.78}, {}},
        {"roll job of a sheet label", false, true, {}, 6, {25.4, 12.7}, {-150, -60}},
        {"roll job of a roll label", true, true, {}, 6, {38.1, 17.78}, {}},
        {"offset", true, false, {1, -0.5, 100, 100}, 6, {38.1, 17.78}, {24, -12}},
        {"scale", false, false, {0, 0, 102, 98}, 2, QSizeF(), {}},
        // Mirrored about the page's centre first; the calibration then
        // corrects the printer as it would any page.
        {"mirror with an offset", true, false, {1, -0.5, 100, 100}, 6, {38.1, 17.78}, {24, -12}, true},
        {"mirror with a scale", false, false, {0, 0, 102, 98}, 2, QSizeF(), {}, true},
    };
    QPoint base; // where the first label's text lands without calibration
    for (const Case &c : cases) {
        Label label({1, 0.5, 0.1, 0.25, 0.2, 0.2, false, c.labelRoll});
        FakePrinter printer(1200, 1200); // sheets of 1 x 3 labels
        TPrintChoices choices;
        choices.Copies = 2;
        choices.RangeKind = rkAll;
        choices.DataFile = three;
        choices.Split.Mode = TSplitMode::Comma;
        choices.Split.IgnoreHeader = false;
        choices.Roll = c.jobRoll;
        choices.Calibration = c.calibration;
        choices.Mirror = c.mirror;
        QString message;
        ASSERT_EQ(PrintLabels(label.container, choices, printer, nullptr, &message), TPrintResult::Printed)
            << c.name << ": " << message.toStdString();
        EXPECT_EQ(printer.Pages(), c.expectedPages) << c.name;
        EXPECT_EQ(Texts(printer), QStringList({"a|1", "a|1", "b|2", "b|2", "c|3", "c|3"})) << c.name;
        EXPECT_EQ(printer.rollPage.isValid(), c.page.isValid()) << c.name;
        if (c.page.isValid()) {
            EXPECT_NEAR(printer.rollPage.width(), c.page.width(), 1e-9) << c.name;
            EXPECT_NEAR(printer.rollPage.height(), c.page.height(), 1e-9) << c.name;
            for (const Drawn &d : printer.Texts()) // the same place on every page
                EXPECT_EQ(d.at, printer.Texts()[0].at) << c.name << " page " << d.page;
        }
        if (base.isNull())
            base = printer.Texts()[0].at;
        const QPoint at = printer.Texts()[0].at;
        const int paperWidth = c.page.isValid() ? int(c.page.width() / 25.4 * 600) : 1200;
        EXPECT_NEAR(at.x(), (c.mirror ? paperWidth - base.x() : base.x()) * c.calibration.ScaleX / 100 + c.shift.x(), 1)
            << c.name;
        EXPECT_NEAR(at.y(), base.y() * c.calibration.ScaleY / 100 + c.shift.y(), 1) << c.name;
        EXPECT_EQ(label.container.LabelFormat.Roll, c.labelRoll) << c.name << ": the job left the format as it was";
    }
}

// The calibration page takes the roll label's page, else a label printer's
// media, else the paper; its rulers are whole centimetres inside the page (5
// mm on the smallest), its crosses 5 mm or more inside the printable area,
// its instruction shortened or left out where it does not fit.
TEST(PrintEngine, CalibrationPageFitsThePage)
{
    struct Case {
        const char *name;
        QSizeF roll, media, page; // the page asked for; invalid: the paper (A4)
        int strip;                // unprintable pixels all round, at 600 DPI
        double mark;
        QSizeF rulers;
        const char *says; // in a text drawn
    } cases[] = {
        {"office paper", {}, {210, 297}, {}, 0, 10, {180, 270}, "Scale X = 180 ÷ LX"},
        {"unprintable strips", {}, {}, {}, 150, 11.35, {180, 270}, nullptr},
        {"label printer's media", {}, {101.6, 127}, {101.6, 127}, 0, 10, {80, 100}, "Scale X = 80 ÷ LX"},
        {"roll label", {50.8, 25.4}, {101.6, 127}, {50.8, 25.4}, 0, 5, {40, 10}, "Scale = 40 ÷ LX, 10 ÷ LY"},
        {"smallest label", {25.4, 15.24}, {}, {25.4, 15.24}, 0, 5, {10, 5}, "10"},
    };
    for (const Case &c : cases) {
        const QSizeF page = CalibrationPageMm(c.roll, c.media);
        EXPECT_EQ(page, c.page) << c.name;
        FakePrinter printer(4960, 7016); // A4
        TPrinterMetrics m;
        printer.SetRollPage(page);
        printer.Metrics(m);
        m.OffsetX = m.OffsetY = m.RightMargin = m.BottomMargin = c.strip;
        EXPECT_NEAR(CalibrationMarkMm(m), c.mark, 0.01) << c.name;
        EXPECT_EQ(CalibrationRulersMm(m), c.rulers) << c.name;
        if (!c.says)
            continue;
        printer.rollPage = {};
        QString message;
        ASSERT_EQ(PrintCalibrationPage(printer, &message, page), TPrintResult::Printed) << c.name;
        EXPECT_EQ(printer.rollPage, page) << c.name;
        bool said = false;
        for (const Drawn &d : printer.Texts())
            said = said || d.text.contains(QString::fromUtf8(c.says));
        EXPECT_TRUE(said) << c.name << ": no '" << c.says << "' in " << Texts(printer).join('|').toStdString();
    }
}

// A source read forward only, as a database query is.
class ForwardOnly : public TRecordSource {
public:
    explicit ForwardOnly(std::unique_ptr<TRecordSource> s) : s_(std::move(s)) {}
    void ReadRecord() override { s_->ReadRecord(); }
    bool DataEof() const override { return s_->DataEof(); }
    const TDataRow &DataRow() const override { return s_->DataRow(); }
    bool HasRecord() const override { return s_->HasRecord(); }
    bool Failed() const override { return s_->Failed(); }
    QString ErrorString() const override { return s_->ErrorString(); }
    QString SourceName() const override { return s_->SourceName(); }
    QStringList ColumnNames() const override { return s_->ColumnNames(); }
    QDateTime CellDate(int column) const override { return s_->CellDate(column); }

private:
    std::unique_ptr<TRecordSource> s_;
};

// A text source with a header line, named as a spreadsheet's would be.
class WithHeader : public ForwardOnly {
public:
    WithHeader(std::unique_ptr<TRecordSource> s, QStringList names) : ForwardOnly(std::move(s)), names_(std::move(names)) {}
    QStringList ColumnNames() const override { return names_; }

private:
    QStringList names_;
};

// Asked values, columns by name and quantities per record settle what the
// job prints, or stop it: before the device is begun when the choices are at
// fault, discarding it when a record is.
TEST(PrintEngine, AskedValuesNamedColumnsAndQuantities)
{
    QTemporaryDir dir;
    const QString data = WriteData(dir, "data.csv", "name,qty\na,2\nb,0\nc,1\n");
    const QString zeros = WriteData(dir, "zeros.csv", "name,qty\na,0\nb, 0\n");
    const QString bad = WriteData(dir, "bad.csv", "name,qty\na,1\nb,-2\n");
    const QHash<QString, QString> none;
    const QHash<QString, QString> x9{{"lot", "X9"}};
    struct Case {
        const char *name;
        QString data, column, quantity;
        QHash<QString, QString> answers;
        QString def, pattern;
        int size, copies, labelsAPage;
        TCountPer per;
        int step;
        bool check;
        TPrintResult result;
        QStringList expected; // or what the message holds
        int begun;
    } cases[] = {
        {"default answer", data, "name", "", none, "B1", "", 0, 1, 6, TCountPer::Label, 1, false, TPrintResult::Printed,
         {"a|B1|1", "b|B1|2", "c|B1|3"}, 1},
        {"given answer", data, "NAME ", "", x9, "B1", "[A-Z][0-9]+", 2, 1, 6, TCountPer::Label, 1, false,
         TPrintResult::Printed, {"a|X9|1", "b|X9|2", "c|X9|3"}, 1},
        {"missing answer", data, "name", "", none, "", "", 0, 1, 6, TCountPer::Label, 1, false,
         TPrintResult::DataError, {"\"lot\""}, 0},
        {"answer refused by its pattern", data, "name", "", {{"lot", "x9"}}, "B1", "[A-Z][0-9]+", 0, 1, 6,
         TCountPer::Label, 1, false, TPrintResult::DataError, {"\"lot\"", "[A-Z][0-9]+"}, 0},
        {"answer too long", data, "name", "", {{"lot", "X123"}}, "B1", "", 3, 1, 6, TCountPer::Label, 1, false,
         TPrintResult::DataError, {"\"lot\"", "3 characters"}, 0},
        {"named column missing", data, "nom", "", none, "B1", "", 0, 1, 6, TCountPer::Label, 1, false,
         TPrintResult::DataError, {"\"nom\"", "data.csv", "\"name\", \"qty\""}, 0},
        {"quantity column missing", data, "name", "count", none, "B1", "", 0, 1, 6, TCountPer::Label, 1, false,
         TPrintResult::DataError, {"\"count\"", "\"name\", \"qty\""}, 0},
        {"quantities by name, 0 skips", data, "name", "qty", none, "B1", "", 0, 1, 6, TCountPer::Label, 1, false,
         TPrintResult::Printed, {"a|B1|1", "a|B1|2", "c|B1|3"}, 1},
        {"quantities by number times copies", data, "name", "2", none, "B1", "", 0, 2, 6, TCountPer::Label, 1, false,
         TPrintResult::Printed, {"a|B1|1", "a|B1|1", "a|B1|2", "a|B1|2", "c|B1|3", "c|B1|3"}, 1},
        {"counter per record, step 5", data, "name", "qty", none, "B1", "", 0, 2, 6, TCountPer::Record, 5, false,
         TPrintResult::Printed, {"a|B1|1", "a|B1|1", "a|B1|1", "a|B1|1", "c|B1|6", "c|B1|6"}, 1},
        {"counter per page, down", data, "name", "qty", none, "B1", "", 0, 1, 2, TCountPer::Page, -1, false,
         TPrintResult::Printed, {"a|B1|1", "a|B1|1", "c|B1|0"}, 1},
        {"without data a label content is a record", QString(), "", "", none, "B1", "", 0, 2, 4, TCountPer::Record, 2,
         false, TPrintResult::Printed, {"|B1|1", "|B1|1", "|B1|3", "|B1|3"}, 1},
        {"every quantity 0", zeros, "name", "qty", none, "B1", "", 0, 1, 6, TCountPer::Label, 1, false,
         TPrintResult::NoRecords, {"zeros.csv", "0 labels"}, 0},
        {"negative quantity", bad, "name", "qty", none, "B1", "", 0, 1, 6, TCountPer::Label, 1, false,
         TPrintResult::DataError, {"Record 2", "\"-2\"", "discarded"}, 1},
        {"check digit over letters", data, "name", "", none, "B1", "", 0, 1, 6, TCountPer::Label, 1, true,
         TPrintResult::DataError, {"Item 1 (text)", "record 1", "GS1", "a|B1|1", "discarded"}, 1},
    };
    for (const Case &c : cases) {
        Label label;
        auto &fields = label.container.Items[0]->Fields;
        static_cast<TImportedField *>(fields[0].get())->FieldName = c.column;
        if (c.data.isEmpty())
            fields[0] = std::make_unique<TTextField>();
        auto ask = std::make_unique<TAskField>();
        ask->Name = "lot";
        ask->Default = c.def;
        ask->Pattern = c.pattern;
        ask->Size = c.size;
        fields.insert(fields.begin() + 2, std::move(ask));
        auto bar = std::make_unique<TTextField>();
        bar->Text = "|";
        fields.insert(fields.begin() + 3, std::move(bar));
        auto *seq = static_cast<TSequenceField *>(fields[4].get());
        seq->Per = c.per;
        seq->Step = c.step;
        seq->MinVal = c.step < 0 ? -5 : 0;
        if (c.check)
            fields.push_back(std::make_unique<TCheckField>());

        FakePrinter printer(600, c.labelsAPage * 600);
        Sink sink;
        TPrintChoices choices;
        choices.Copies = c.copies;
        choices.RangeKind = c.data.isEmpty() ? rkLabels : rkAll;
        choices.LabelCount = 4;
        choices.DataFile = c.data;
        choices.Split.Mode = TSplitMode::Comma;
        choices.Split.IgnoreHeader = false; // named columns read the header all the same
        choices.Answers = c.answers;
        choices.QuantityColumn = c.quantity;
        const auto open = [](const TSourceChoice &ch, QString *error) -> std::unique_ptr<TRecordSource> {
            auto reader = OpenRecordSource(ch, error);
            return reader ? std::make_unique<WithHeader>(std::move(reader), QStringList{"name", "qty"}) : nullptr;
        };
        QString message;
        EXPECT_EQ(PrintLabels(label.container, choices, printer, &sink, &message, nullptr, open), c.result)
            << c.name << ": " << message.toStdString();
        EXPECT_EQ(printer.begun, c.begun) << c.name;
        if (c.result == TPrintResult::Printed) {
            EXPECT_EQ(Texts(printer), c.expected) << c.name;
            if (!c.quantity.isEmpty()) {
                EXPECT_EQ(sink.total, c.expected.size()) << c.name << ": the progress counts the labels printed";
            }
        } else {
            for (const QString &part : c.expected)
                EXPECT_TRUE(message.contains(part)) << c.name << ": " << message.toStdString() << " lacks "
                                                    << part.toStdString();
            EXPECT_EQ(printer.aborted, c.begun > 0) << c.name;
        }
    }
}

// The preview draws any page alone, out of order, and gets what the job
// printed there: records, copies and counters (wrapping ones too) included.
TEST(PrintPreview, EveryPageAloneAsTheJobPrintsIt)
{
    QTemporaryDir dir;
    QByteArray many = "header\r\n";
    for (int i = 1; i <= 40; ++i)
        many += "第" + QByteArray::number(i) + "\r\n";
    const QString five = WriteData(dir, "five.csv", many);
    const QString four = WriteData(dir, "four.csv", "r1\nr2\nr3\nr4\n");
    const QString counts = WriteData(dir, "counts.csv", "r1,2\nr2,0\nr3,3\nr4,1\nr5,0\nr6,4\n");

    const struct {
        const char *name;
        int columns, rows, copies, range, pages, labels;
        QString data;
        bool header;
        int cur, min, max;
        QString quantity; // column
        TCountPer per;
        int step, repeat;
        int first = 1; // the first label's position on page 1
    } cases[] = {
        {"three pages, no data", 2, 3, 1, rkPages, 3, 0, QString(), false, 1, 0, 999999999, "", TCountPer::Label, 1, 1},
        {"copies across pages, wrapping counter", 2, 3, 4, rkLabels, 0, 17, QString(), false, 8, 5, 9, "", TCountPer::Label, 1, 1},
        {"all records with a header, copies 3", 2, 2, 3, rkAll, 0, 0, five, true, 98, 0, 99, "", TCountPer::Label, 1, 1},
        {"page limit inside the data", 3, 1, 2, rkPages, 2, 0, four, false, 1, 1, 3, "", TCountPer::Label, 1, 1},
        {"copies 3 of 4 records, 10 a page", 2, 5, 3, rkAll, 0, 0, four, false, 0, 0, 0, "", TCountPer::Label, 1, 1},
        {"label limit beyond the data", 1, 1, 1, rkLabels, 0, 50, five, true, -2, 0, 4, "", TCountPer::Label, 1, 1},
        {"quantities, counter per record stepping 3", 2, 2, 1, rkAll, 0, 0, counts, false, 1, 0, 20, "2",
         TCountPer::Record, 3, 1},
        {"quantities and copies, counter per page twice each", 3, 1, 2, rkAll, 0, 0, counts, false, 1, 0, 99, "2",
         TCountPer::Page, 1, 2},
        {"quantities, label limit, counter down by 2 every 3", 2, 2, 1, rkLabels, 0, 7, counts, false, 9, 0, 9, "2",
         TCountPer::Label, -2, 3},
        {"no data, counter per record wrapping", 2, 3, 2, rkPages, 3, 0, QString(), false, 4, 1, 6, "",
         TCountPer::Record, 2, 1},
        {"first label 5 of 6, copies 3, counter per page", 2, 3, 3, rkAll, 0, 0, four, false, 1, 0, 99, "",
         TCountPer::Page, 1, 1, 5},
        {"first label 6, three pages", 2, 3, 1, rkPages, 3, 0, QString(), false, 1, 0, 99, "", TCountPer::Label, 1, 1, 6},
    };
    for (const auto &c : cases) {
        TPrintChoices choices;
        choices.Copies = c.copies;
        choices.RangeKind = c.range;
        choices.PageCount = c.pages;
        choices.LabelCount = c.labels;
        choices.DataFile = c.data;
        choices.Split.Mode = TSplitMode::Comma;
        choices.Split.IgnoreHeader = c.header;
        choices.QuantityColumn = c.quantity;
        choices.FirstLabel = c.first;
        auto setCounter = [&c](Label &l) {
            auto *seq = static_cast<TSequenceField *>(l.container.Items[0]->Fields[2].get());
            seq->CurVal = c.cur;
            seq->MinVal = c.min;
            seq->MaxVal = c.max;
            seq->Per = c.per;
            seq->Step = c.step;
            seq->Repeat = c.repeat;
            return seq;
        };

        Label printed;
        setCounter(printed);
        FakePrinter printer(c.columns * 600, c.rows * 600);
        QString message;
        TPrintStats stats;
        ASSERT_EQ(PrintLabels(printed.container, choices, printer, nullptr, &message, &stats), TPrintResult::Printed)
            << c.name << ": " << message.toStdString();
        QList<QStringList> jobPages(printer.Pages());
        for (const Drawn &d : printer.Texts())
            jobPages[d.page - 1] << d.text;

        // Sources that cannot seek (a database query) have their records kept.
        for (const bool seeking : {true, false}) {
            Label shown;
            TSequenceField *seq = setCounter(shown);
            TPrinterMetrics metrics;
            printer.Metrics(metrics);
            TPrintPreview preview(shown.container, choices, metrics);
            if (!seeking)
                preview.OpenSource = [](const TSourceChoice &ch, QString *error) -> std::unique_ptr<TRecordSource> {
                    auto reader = OpenRecordSource(ch, error);
                    return reader ? std::make_unique<ForwardOnly>(std::move(reader)) : nullptr;
                };
            ASSERT_EQ(preview.Open(&message), TPrintResult::Printed) << c.name << ": " << message.toStdString();
            ASSERT_EQ(preview.PageCount(), jobPages.size()) << c.name;
            EXPECT_EQ(preview.LabelsPerPage(), c.columns * c.rows) << c.name;
            EXPECT_EQ(preview.LabelCount(), stats.LabelsPrinted) << c.name;
            for (int n = preview.PageCount() - 1; n >= 0; --n) {
                FakePrinter page(c.columns * 600, c.rows * 600);
                ASSERT_TRUE(page.Begin(QString(), nullptr));
                EXPECT_TRUE(preview.DrawPage(n, *page.Painter(), &message)) << c.name << ": " << message.toStdString();
                page.End(nullptr);
                EXPECT_EQ(Texts(page), jobPages[n]) << c.name << " page " << n + 1;
            }
            // The label's own counter is where it was.
            EXPECT_EQ(seq->CurVal, c.cur) << c.name;
        }
    }
}
