// The print dialog, the text import wizard and the progress window.

#include "app/fprintdlg.h"
#include "app/fprintpreview.h"
#include "app/fprintprogress.h"
#include "app/fsqlsource.h"
#include "app/ftextimport.h"
#include "dialogs_testkit.h"
#include "model/items.h"
#include "model/labelformat.h"
#include "printing/sheetlayout.h"
#include "storage/recentsources.h"
#include "storage/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include "storage/document.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QToolButton>
#include "data/spreadsheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <tuple>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// 2 columns and 3 rows of 2 x 1 inch labels at 100 pixels per inch.
TPrinterMetrics smallSheet()
{
    TPrinterMetrics m;
    m.DpiX = m.DpiY = 100;
    m.PaperWidth = 450;
    m.PaperHeight = 350;
    return m;
}

class FakeDevice : public TPrinterDevice {
public:
    // The dialog frees its device when the job ends: tests that look at the
    // page count afterwards have it copied out here.
    ~FakeDevice() override
    {
        if (PagesOut)
            *PagesOut = Pages;
    }
    int *PagesOut = nullptr;
    QString Name() const override { return QStringLiteral("Fake"); }
    bool Metrics(TPrinterMetrics &m) override
    {
        m = smallSheet();
        return true;
    }
    bool Begin(const QString &title, QString *) override
    {
        Title = title;
        page_ = QImage(450, 350, QImage::Format_RGB32);
        painter_.begin(&page_);
        return true;
    }
    QPainter *Painter() override { return &painter_; }
    bool NewPage() override
    {
        ++Pages;
        return true;
    }
    bool End(QString *) override
    {
        painter_.end();
        Ended = true;
        return true;
    }
    void Abort() override
    {
        painter_.end();
        Aborted = true;
    }
    QString Title;
    int Pages = 1;
    bool Ended = false;
    bool Aborted = false;

private:
    QImage page_;
    QPainter painter_;
};

void writeFile(const QString &name, const QByteArray &content)
{
    QFile f(name);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// A 2 x 1 in label, no margins or gaps, with one text item; with a part taken
// from the data file when asked.
void fillLabel(TItemContainer &label, bool imported)
{
    label.LabelFormat = TLabelFormat{2, 1, 0, 0, 0, 0, false};
    TLabelControl *item = CreateItem(ikText);
    item->Advanced = true;
    if (imported)
        item->Fields.push_back(std::make_unique<TImportedField>());
    else
        item->Fields.push_back(std::make_unique<TTextField>());
    label.AddItem(item);
}

QString sheetFixture(const char *name)
{
    return qEnvironmentVariable("QV_SOURCE_DIR", QStringLiteral(".")) + QStringLiteral("/tests/sheets/") +
           QLatin1String(name);
}

// The selected printer's measurements as the dialog reads them.
TPrinterMetrics g_printer;

struct Forms {
    Forms()
    {
        dlg.PrinterMetrics = [](TPrinterMetrics &m) {
            m = g_printer;
            return true;
        };
    }
    TFTextImport wizard;
    TFPrintProgress progress;
    TFPrintDlg dlg{nullptr, &wizard, &progress};
};

QStringList gridRow(const QTableWidget *grid, int row)
{
    QStringList r;
    for (int c = 0; c < grid->columnCount(); ++c)
        r << (grid->item(row, c) ? grid->item(row, c)->text() : QString());
    return r;
}
} // namespace

class PrintDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        g_printer = smallSheet();
    }
    void rangeFollowsImportedParts();
    void numberFields();
    void okChecks_data();
    void okChecks();
    void browseHandsOverToWizard_data();
    void browseHandsOverToWizard();
    void okRunsTheJob();
    void jobReadsTheDataFileAsTheWizardSplitsIt();
    void jobReadsADatabaseQuery();
    void progressWindow();
    void wizardFixedForPrn_data();
    void wizardFixedForPrn();
    void wizardQuotedPreview();
    void wizardCustomSeparator();
    void wizardColumnEditing();
    void wizardUnreadableFile();
    void previewShowsTheJobAndPrintsIt();
    void wizardSpreadsheet();
    void askValues_data();
    void askValues();

private:
    QTemporaryDir dir_;
    QString path(const char *name) const { return dir_.filePath(QLatin1String(name)); }
};

void PrintDialogsTest::rangeFollowsImportedParts()
{
    Forms f;
    TItemContainer plain, merged;
    fillLabel(plain, false);
    fillLabel(merged, true);
    WhenShown(&f.dlg, [&] {
        QCOMPARE(f.dlg.lRows->text(), QStringLiteral("行：3"));
        QCOMPARE(f.dlg.lColumns->text(), QStringLiteral("列：2"));
        QCOMPARE(f.dlg.LLabels->text(), QStringLiteral("Labels per page: 6"));
        // A click on the sheet's grid picks the first free label; the number follows, up to the page's six.
        QCOMPARE(f.dlg.spFirstLabel->maximum(), 6);
        QTest::mouseClick(f.dlg.gridFirstLabel, Qt::LeftButton, {}, f.dlg.gridFirstLabel->PositionRect(4).center());
        QCOMPARE(f.dlg.spFirstLabel->value(), 5);
        QCOMPARE(f.dlg.Choices().FirstLabel, 5);
        QVERIFY(!f.dlg.rbAllRange->isEnabled());
        QVERIFY(!f.dlg.eFile->isEnabled());
        QVERIFY(!f.dlg.BrowseBtn->isEnabled());
        QVERIFY(f.dlg.rbPageRange->isChecked());
    });
    f.dlg.Execute(plain);

    WhenShown(&f.dlg, [&] {
        QVERIFY(f.dlg.rbAllRange->isEnabled());
        QVERIFY(f.dlg.rbAllRange->isChecked());
        ClickIndicator(f.dlg.rbLabelRange);
    });
    f.dlg.Execute(merged);
    // Checked again on the next opening, whatever was chosen last.
    WhenShown(&f.dlg, [&] { QVERIFY(f.dlg.rbAllRange->isChecked()); });
    f.dlg.Execute(merged);

    // A sheet of 3 x 5 labels on paper that holds 2 x 3: the lost ones named,
    // and the line gone once the printer set-up gives paper that holds them.
    plain.LabelFormat.MaxColumns = 3;
    plain.LabelFormat.MaxRows = 5;
    f.dlg.PrinterSetup = [](QWidget *) {
        g_printer.PaperWidth = 650;
        g_printer.PaperHeight = 550;
        return true;
    };
    WhenShown(&f.dlg, [&] {
        QVERIFY(f.dlg.lPaperShortfall->isVisible());
        QCOMPARE(f.dlg.lPaperShortfall->text(),
                 QStringLiteral("纸张放不下第 4–5 行（共 5 行），只打印 3 行；纸张放不下第 3 列（共 3 列），只打印 2 列"));
        QTest::mouseClick(f.dlg.btnPrinterSetup, Qt::LeftButton);
        QVERIFY(!f.dlg.lPaperShortfall->isVisible());
    });
    f.dlg.Execute(plain);
    plain.LabelFormat.MaxColumns = plain.LabelFormat.MaxRows = 0;

    // Roll pages: one label a page, on paper of its own size (no printer: a
    // PDF). A sheet label printed as a roll leaves its margins out; a roll
    // label keeps those its format sets.
    const struct {
        bool formatRoll, jobRoll;
        double margin;
        const char *labels, *paper;
    } rolls[] = {
        {true, false, 0, "每页 1 个标签，页面即标签，无边距", "纸张：50.8 × 25.4 mm"},
        {true, false, 0.5, "每页 1 个标签，页面含标签格式设定的边距", "纸张：76.2 × 50.8 mm"},
        {false, true, 0.5, "每页 1 个标签，页面即标签，无边距", "纸张：50.8 × 25.4 mm"},
    };
    for (const auto &r : rolls) {
        plain.LabelFormat.Roll = r.formatRoll;
        plain.LabelFormat.Margin_Top = plain.LabelFormat.Margin_Left = r.margin;
        WhenShown(&f.dlg, [&] {
            QCOMPARE(f.dlg.chkRoll->isVisible(), !r.formatRoll);
            if (r.jobRoll)
                ClickIndicator(f.dlg.chkRoll);
            QVERIFY(f.dlg.lRows->text().isEmpty());
            QCOMPARE(f.dlg.LLabels->text(), QString::fromUtf8(r.labels));
            QCOMPARE(f.dlg.lRollMedia->text(), QString::fromUtf8(r.paper));
            QCOMPARE(f.dlg.Choices().Roll, r.jobRoll);
        });
        f.dlg.Execute(plain);
    }
}

void PrintDialogsTest::numberFields()
{
    Forms f;
    TItemContainer label;
    WhenShown(&f.dlg, [&] {
        TypeInto(f.dlg.eCopies, QStringLiteral("0"));
        MoveFocusTo(f.dlg.ePages);
        QCOMPARE(f.dlg.eCopies->text(), QStringLiteral("1"));
        TypeInto(f.dlg.ePages, QStringLiteral("a7b"));
        QCOMPARE(f.dlg.ePages->text(), QStringLiteral("7"));
        TypeInto(f.dlg.eLabels, QString());
        MoveFocusTo(f.dlg.eCopies);
        QCOMPARE(f.dlg.eLabels->text(), QStringLiteral("1"));
        TypeInto(f.dlg.eCopies, QStringLiteral("123"));
        QCOMPARE(f.dlg.eCopies->text(), QStringLiteral("12"));
        ClickIndicator(f.dlg.rbMultipleLabel);
        ClickIndicator(f.dlg.rbLabelRange);
        const TPrintChoices c = f.dlg.Choices();
        QCOMPARE(c.Copies, 12);
        QCOMPARE(c.RangeKind, int(rkLabels));
        QCOMPARE(c.PageCount, 7);
    });
    f.dlg.Execute(label);
}

void PrintDialogsTest::okChecks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("message");
    const QString missing = dir_.filePath(QStringLiteral("missing.csv"));
    QTest::newRow("all without file") << QString() << true
                                      << "You cannot print \"All\" without\n\rselecting a file to import from.";
    QTest::newRow("missing file") << missing << false << missing + "\n\rfile does not exist!";
    QTest::newRow("folder is no file") << dir_.path() << false << dir_.path() + "\n\rfile does not exist!";
}

void PrintDialogsTest::okChecks()
{
    QFETCH(QString, file);
    QFETCH(bool, all);
    QFETCH(QString, message);
    Forms f;
    TItemContainer label;
    fillLabel(label, true);
    MessageCatcher messages;
    bool printed = true;
    WhenShown(&f.dlg, [&] {
        f.dlg.eFile->setText(file);
        if (!all)
            ClickIndicator(f.dlg.rbPageRange);
        QTest::mouseClick(f.dlg.OkayBtn, Qt::LeftButton);
        QCOMPARE(messages.texts, QStringList{message});
        QVERIFY(f.dlg.isVisible());
    });
    printed = f.dlg.Execute(label);
    QVERIFY(!printed);
}

void PrintDialogsTest::browseHandsOverToWizard_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("wizardOk");
    QTest::addColumn<bool>("wizardShown");
    QTest::addColumn<bool>("kept");
    QTest::newRow("xls, wizard confirmed") << "book.XLS" << true << true << true;
    QTest::newRow("csv, wizard cancelled") << "data.csv" << false << true << false;
    QTest::newRow("csv, wizard confirmed") << "data.csv" << true << true << true;
}

void PrintDialogsTest::browseHandsOverToWizard()
{
    QFETCH(QString, file);
    QFETCH(bool, wizardOk);
    QFETCH(bool, wizardShown);
    QFETCH(bool, kept);
    const QString name = dir_.filePath(file);
    if (IsSpreadsheetFile(name))
        QVERIFY(QFile::copy(sheetFixture("stock.xls"), name));
    else
        writeFile(name, "a,b\n1,2\n");
    Forms f;
    TItemContainer label;
    fillLabel(label, true);
    f.dlg.ChooseDataFile = [&](QWidget *) { return name; };
    bool sawWizard = false;
    WhenShown(&f.wizard, [&] {
        sawWizard = true;
        QVERIFY(IsSpreadsheetFile(name) ? f.wizard.cbSheet->isVisible() : f.wizard.rbCommaDel->isChecked());
        QTest::mouseClick(wizardOk ? f.wizard.OkayBtn : f.wizard.CancelBtn, Qt::LeftButton);
    });
    WhenShown(&f.dlg, [&] {
        QTest::mouseClick(f.dlg.BrowseBtn, Qt::LeftButton);
        QCOMPARE(sawWizard, wizardShown);
        QCOMPARE(f.dlg.eFile->text(), kept ? name : QString());
        // Leaving the field with the same name does not ask again.
        sawWizard = false;
        f.dlg.eFile->setFocus();
        MoveFocusTo(f.dlg.ePages);
        QVERIFY(!sawWizard);
    });
    f.dlg.Execute(label);
}

void PrintDialogsTest::okRunsTheJob()
{
    Forms f;
    TItemContainer label;
    fillLabel(label, false);
    FakeDevice *device = nullptr;
    int asked = 0;
    // The first time as when the PDF file chooser is cancelled.
    f.dlg.DeviceFactory = [&]() -> std::unique_ptr<TPrinterDevice> {
        if (asked++ == 0)
            return nullptr;
        auto d = std::make_unique<FakeDevice>();
        device = d.get();
        return d;
    };
    MessageCatcher told;
    QList<bool> running;
    f.dlg.OnJobRunning = [&](bool r) {
        running << r;
        QCOMPARE(TFPrintDlg::JobRunning(), r);
    };
    f.dlg.LabelFileName = [] { return QStringLiteral("/x/shelf.lbl"); };
    WhenShown(&f.dlg, [&] {
        ClickIndicator(f.dlg.rbPageRange);
        TypeInto(f.dlg.ePages, QStringLiteral("2"));
        QTest::mouseClick(f.dlg.OkayBtn, Qt::LeftButton);
        // A cancel comes back to the dialog as it was, saying nothing.
        QCOMPARE(asked, 1);
        QVERIFY(f.dlg.isVisible());
        QVERIFY(running.isEmpty());
        QCOMPARE(f.dlg.ePages->text(), QStringLiteral("2"));
        QVERIFY(told.texts.isEmpty());
        QTest::mouseClick(f.dlg.OkayBtn, Qt::LeftButton);
    });
    QVERIFY(f.dlg.Execute(label));
    QCOMPARE(asked, 2);
    QVERIFY(told.texts.isEmpty());
    QCOMPARE(int(f.dlg.LastResult), int(TPrintResult::Printed));
    QCOMPARE(running, (QList<bool>{true, false}));
    QVERIFY(!f.progress.isVisible());
    QCOMPARE(f.progress.windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(f.progress.LPage->text(), QStringLiteral("第 2 页，共 2 页"));
    QCOMPARE(f.progress.LDocName->text(), QStringLiteral("shelf.lbl"));
    QCOMPARE(f.progress.LPrinterName->text(), QStringLiteral("Fake"));
    QVERIFY(device);
}

void PrintDialogsTest::jobReadsTheDataFileAsTheWizardSplitsIt()
{
    // Header and seven records, semicolons: all records, two copies each,
    // fill 14 labels on three 6-label pages. The encoding chosen becomes the
    // label's, which is then to be saved.
    const QString name = path("records.dat");
    writeFile(name, "h;v\r\n1;a\r\n2;b\r\n3;c\r\n4;d\r\n5;e\r\n6;f\r\n7;g\r\n");
    Forms f;
    TItemContainer label;
    fillLabel(label, true);
    int pages = 0;
    f.dlg.DeviceFactory = [&]() -> std::unique_ptr<TPrinterDevice> {
        auto d = std::make_unique<FakeDevice>();
        d->PagesOut = &pages;
        return d;
    };
    f.dlg.ChooseDataFile = [&](QWidget *) { return name; };
    int encodingChanges = 0;
    f.dlg.OnDataEncodingChanged = [&] { ++encodingChanges; };
    WhenShown(&f.wizard, [&] {
        TypeInto(f.wizard.eFieldSeparator, QStringLiteral(";"));
        f.wizard.cbEncoding->setCurrentIndex(f.wizard.cbEncoding->findText(QStringLiteral("UTF-8")));
        QTest::mouseClick(f.wizard.OkayBtn, Qt::LeftButton);
    });
    WhenShown(&f.dlg, [&] {
        QTest::mouseClick(f.dlg.BrowseBtn, Qt::LeftButton);
        QVERIFY(f.dlg.rbAllRange->isChecked());
        ClickIndicator(f.dlg.rbMultipleLabel);
        QTest::mouseClick(f.dlg.OkayBtn, Qt::LeftButton);
    });
    QVERIFY(f.dlg.Execute(label));
    QCOMPARE(int(f.dlg.LastResult), int(TPrintResult::Printed));
    QCOMPARE(f.dlg.Choices().Split.Separator(), QLatin1Char(';'));
    QCOMPARE(label.DataEncoding, QStringLiteral("UTF-8"));
    QCOMPARE(f.dlg.Choices().Split.Encoding, std::optional(TTextEncoding::Utf8));
    QCOMPARE(encodingChanges, 1);
    QCOMPARE(pages, 3);
    // The records were counted before printing: the total is known.
    QCOMPARE(f.progress.LPage->text(), QStringLiteral("第 3 页，共 3 页"));
}

void PrintDialogsTest::jobReadsADatabaseQuery()
{
    // Seven records in an SQLite file: a bad query is told in the dialog and
    // keeps it open, as is one that would write; a good one shows its first
    // rows, is remembered without a password and feeds the job: two copies
    // each fill 14 labels on 3 pages.
    qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
    const QString file = path("stock.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("create table stock (sku text, price real, note text)")));
        for (int i = 1; i <= 7; ++i)
            QVERIFY(q.exec(QStringLiteral("insert into stock values ('QV-%1', %2, %3)")
                               .arg(i).arg(i * 0.1).arg(i == 2 ? QStringLiteral("null") : QStringLiteral("'n'"))));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
    const QString url = QLatin1String("sqlite://") + file;
    const QString query = QStringLiteral("select sku, price, note from stock order by sku");

    Forms f;
    TFSqlSource sql(&f.dlg);
    TItemContainer label;
    fillLabel(label, true);
    int pages = 0;
    f.dlg.DeviceFactory = [&]() -> std::unique_ptr<TPrinterDevice> {
        auto d = std::make_unique<FakeDevice>();
        d->PagesOut = &pages;
        return d;
    };
    f.dlg.ChooseSqlSource = [&](QWidget *, QString *u, QString *q) { return sql.Execute(u, q); };
    QString badStatus, createStatus, twoStatus;
    WhenShown(&sql, [&] {
        sql.cbDriver->setCurrentIndex(0);
        QVERIFY(!sql.eHost->isEnabled());
        TypeInto(sql.eDatabase, file);
        sql.eQuery->setPlainText(QStringLiteral("select nosuch from stock"));
        QTest::mouseClick(sql.OkayBtn, Qt::LeftButton);
        QVERIFY(sql.isVisible());
        badStatus = sql.lStatus->text();
        sql.eQuery->setPlainText(QStringLiteral("create table evil (x int)"));
        QTest::mouseClick(sql.btnPreview, Qt::LeftButton);
        createStatus = sql.lStatus->text();
        sql.eQuery->setPlainText(query + QStringLiteral("; drop table stock"));
        QTest::mouseClick(sql.btnPreview, Qt::LeftButton);
        twoStatus = sql.lStatus->text();
        sql.eQuery->setPlainText(query);
        QTest::mouseClick(sql.btnPreview, Qt::LeftButton);
        QCOMPARE(sql.gridPreview->columnCount(), 3);
        QCOMPARE(sql.gridPreview->horizontalHeaderItem(1)->text(), QStringLiteral("price"));
        QCOMPARE(sql.gridPreview->rowCount(), 7);
        QCOMPARE(gridRow(sql.gridPreview, 1), (QStringList{QStringLiteral("QV-2"), QStringLiteral("0.2"), QString()}));
        QTest::mouseClick(sql.OkayBtn, Qt::LeftButton);
    });
    WhenShown(&f.dlg, [&] {
        QTest::mouseClick(f.dlg.SqlBtn, Qt::LeftButton);
        QVERIFY(f.dlg.rbSqlSource->isChecked());
        ClickIndicator(f.dlg.rbMultipleLabel);
        QTest::mouseClick(f.dlg.OkayBtn, Qt::LeftButton);
    });
    QVERIFY(f.dlg.Execute(label));
    QVERIFY2(badStatus.contains(url) && badStatus.contains(QLatin1String("no such column: nosuch")),
             qPrintable(badStatus));
    QVERIFY2(createStatus.contains(QLatin1String("readonly")), qPrintable(createStatus));
    QVERIFY2(twoStatus.contains(QLatin1String("only one SELECT statement is allowed")), qPrintable(twoStatus));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("select count(*) from sqlite_master where name = 'evil'")) && q.next());
        QCOMPARE(q.value(0).toInt(), 0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
    QCOMPARE(int(f.dlg.LastResult), int(TPrintResult::Printed));
    QCOMPARE(f.dlg.Choices().SqlUrl, url);
    QVERIFY(f.dlg.Choices().DataFile.isEmpty());
    QCOMPARE(pages, 3);
    const QList<TRecentSqlSource> recent = LoadRecentSqlSources();
    QCOMPARE(recent.size(), 1);
    QCOMPARE(recent.first().Url, url);
    QCOMPARE(recent.first().Query, query);
    qunsetenv("XDG_CONFIG_HOME");
}

void PrintDialogsTest::progressWindow()
{
    TFPrintProgress p;
    QCOMPARE(p.windowTitle(), QStringLiteral("正在打印中..."));
    QCOMPARE(p.LPage->text(), QStringLiteral("页 1"));
    QCOMPARE(p.CancelBtn->text(), QStringLiteral("取消(&C)"));
    p.SetPagesTotal(4);
    p.StartProgress(12);
    QVERIFY(p.isVisible());
    QCOMPARE(p.windowTitle(), QStringLiteral("Quorvane"));
    QCOMPARE(p.LPage->text(), QStringLiteral("第 1 页，共 4 页"));
    QVERIFY(p.Bar->isVisible());
    QCOMPARE(p.Bar->maximum(), 4);
    QVERIFY(!p.Cancelled());
    // A click waiting in the queue is seen when the page changes.
    QTimer::singleShot(0, p.CancelBtn, [&p] { QTest::mouseClick(p.CancelBtn, Qt::LeftButton); });
    p.SetPage(3);
    QCOMPARE(p.PageNumber, 3);
    QCOMPARE(p.LPage->text(), QStringLiteral("第 3 页，共 4 页"));
    QCOMPARE(p.Bar->value(), 2);
    if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
        p.grab().save(shots + QStringLiteral("/print-progress.png"));
    QVERIFY(p.Cancelled());
    p.Finish();
    QVERIFY(!p.isVisible());
    // Labels without pages fill the bar by labels; nothing known: a busy bar.
    p.StartProgress(12);
    QVERIFY(!p.Cancelled());
    p.LabelPrinted(6);
    QCOMPARE(p.Bar->value() * 2, p.Bar->maximum());
    p.Finish();
    p.StartProgress(-1);
    QCOMPARE(p.LPage->text(), QStringLiteral("第 1 页"));
    QVERIFY(p.Bar->isVisible());
    QCOMPARE(p.Bar->maximum(), 0);
    p.Finish();
}

void PrintDialogsTest::wizardFixedForPrn_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("alreadyFixed");
    QTest::addColumn<int>("width");
    QTest::newRow("longest line") << QByteArray("abc\r\n12345678901234567890123\r\nxy\r\n") << false << 23;
    QTest::newRow("at least 10") << QByteArray("abc\r\nxy\r\n") << false << 10;
    QTest::newRow("new file while fixed") << QByteArray("123456789012345\r\n") << true << 15;
    // Widths count bytes: a hanzi two, a rare character four in GB18030 and two in UTF-8.
    QTest::newRow("hanzi in GB18030") << EncodeGb18030(QStringLiteral("名称\r\n张三李四王五赵六\r\n")) << false << 16;
    QTest::newRow("rare characters in GB18030") << EncodeGb18030(QStringLiteral("𠀀𠀀𠀀𠀀𠀀𠀀\r\n")) << false << 24;
    QTest::newRow("rare characters in UTF-8") << QStringLiteral("𠀀𠀀𠀀𠀀𠀀𠀀\r\n").toUtf8() << false << 12;
}

void PrintDialogsTest::wizardFixedForPrn()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, alreadyFixed);
    QFETCH(int, width);
    const QString name = path("sheet.PRN");
    writeFile(name, content);
    TFTextImport w;
    if (alreadyFixed) {
        w.rbFixed->setChecked(true);
        w.ColumnSizes = {3, 4};
    }
    WhenShown(&w, [&] {
        QVERIFY(w.rbFixed->isChecked());
        QCOMPARE(w.ColumnSizes, QList<int>{width});
        QVERIFY(w.eColumnSize->isVisible());
        QVERIFY(w.cbLtrim->isVisible());
        QVERIFY(w.LFixedInstr->isVisible());
        QVERIFY(!w.eFieldSeparator->isVisible());
        QVERIFY(!w.eQuoteChar->isVisible());
        QCOMPARE(w.eColumnSize->text(), QString::number(width));
        QTest::mouseClick(w.OkayBtn, Qt::LeftButton);
    });
    QVERIFY(w.Execute(name));
    QCOMPARE(w.SplitSettings().Mode, TSplitMode::Fixed);
}

void PrintDialogsTest::wizardQuotedPreview()
{
    const QString name = path("quoted.csv");
    writeFile(name, "h1,h2,h3\r\na,'b,c',d\r\nx'y,z'w\r\na,'b''c',d\r\n");
    TFTextImport w;
    WhenShown(&w, [&] {
        QVERIFY(w.rbCommaDel->isChecked());
        QCOMPARE(w.eFieldSeparator->text(), QStringLiteral(","));
        QVERIFY(w.eFieldSeparator->isReadOnly());
        TypeInto(w.eQuoteChar, QStringLiteral("'"));
        QCOMPARE(w.sgParams->columnCount(), 3);
        QCOMPARE(w.sgParams->horizontalHeaderItem(2)->text(), QStringLiteral("Field #3 h3"));
        QCOMPARE(w.sgParams->rowCount(), 3);
        QCOMPARE(gridRow(w.sgParams, 0), (QStringList{"a", "b,c", "d"}));
        QCOMPARE(gridRow(w.sgParams, 1), (QStringList{"xy,zw", "", ""}));
        QCOMPARE(gridRow(w.sgParams, 2), (QStringList{"a", "b'c", "d"}));
        QVERIFY(w.sgParams->columnWidth(1) >= w.sgParams->fontMetrics().horizontalAdvance("b,c"));
        ClickIndicator(w.cbIgnoreHeader);
        QCOMPARE(w.sgParams->rowCount(), 4);
        QCOMPARE(w.sgParams->horizontalHeaderItem(2)->text(), QStringLiteral("Field #3"));
        QCOMPARE(gridRow(w.sgParams, 0), (QStringList{"h1", "h2", "h3"}));
        TypeInto(w.eQuoteChar, QString());
        QCOMPARE(gridRow(w.sgParams, 1), (QStringList{"a", "'b", "c'"}));
    });
    w.Execute(name);
    // Cancel keeps what the wizard shows.
    QCOMPARE(w.SplitSettings().QuoteChar, QString());
    QVERIFY(!w.SplitSettings().IgnoreHeader);

    // A quoted field across lines is one record, and the preview reads the
    // file again in the encoding chosen.
    const QString latin = path("latin.csv");
    writeFile(latin, "h1,h2\r\n\"Z\xC3\xBCrich\r\nJos\xC3\xA9\",1\r\n");
    WhenShown(&w, [&] {
        TypeInto(w.eQuoteChar, QStringLiteral("\""));
        ClickIndicator(w.cbIgnoreHeader);
        QCOMPARE(w.sgParams->rowCount(), 1);
        QCOMPARE(gridRow(w.sgParams, 0), (QStringList{QStringLiteral("Zürich\nJosé"), "1"}));
        w.cbEncoding->setCurrentIndex(w.cbEncoding->findText(QStringLiteral("GB18030")));
        QCOMPARE(gridRow(w.sgParams, 0).value(0), QStringLiteral("Z眉rich\nJos茅"));
        QTest::mouseClick(w.OkayBtn, Qt::LeftButton);
    });
    QVERIFY(w.Execute(latin));
    QCOMPARE(w.SplitSettings().Encoding, std::optional(TTextEncoding::Gb18030));
}

void PrintDialogsTest::wizardCustomSeparator()
{
    const QString name = path("semi.dat");
    writeFile(name, "a;b;c\r\n1;2;3\r\n");
    TFTextImport w;
    WhenShown(&w, [&] {
        QVERIFY(w.rbCustomDel->isChecked());
        QVERIFY(!w.eFieldSeparator->isReadOnly());
        TypeInto(w.eFieldSeparator, QStringLiteral(";"));
        QCOMPARE(gridRow(w.sgParams, 0), (QStringList{"1", "2", "3"}));
        ClickIndicator(w.rbTabDel);
        QCOMPARE(w.eFieldSeparator->text(), QStringLiteral("tab"));
        QCOMPARE(gridRow(w.sgParams, 0), QStringList{"1;2;3"});
        QTest::mouseClick(w.OkayBtn, Qt::LeftButton);
    });
    QVERIFY(w.Execute(name));
    QCOMPARE(w.SplitSettings().Mode, TSplitMode::Tab);
}

void PrintDialogsTest::wizardColumnEditing()
{
    const QString name = path("cols.prn");
    writeFile(name, "head\r\nab  cdefghij\r\n");
    TFTextImport w;
    QStringList answers;
    w.AskColumnSize = [&](QWidget *, QString &answer) {
        if (answers.isEmpty())
            return false;
        answer = answers.takeFirst();
        return true;
    };
    WhenShown(&w, [&] {
        QCOMPARE(w.ColumnSizes, QList<int>{12});
        // Right click on the only column, insert a column of 4 before it.
        const QRect cell = w.sgParams->visualRect(w.sgParams->model()->index(0, 0));
        QTest::mousePress(w.sgParams->viewport(), Qt::RightButton, {}, cell.center());
        QVERIFY(w.PopupMenu1->isVisible());
        w.PopupMenu1->hide();
        answers = {QStringLiteral("4")};
        w.InsertColumn1->trigger();
        QCOMPARE(w.ColumnSizes, (QList<int>{4, 12}));
        QCOMPARE(gridRow(w.sgParams, 0), (QStringList{"ab", "cdefghij"}));
        answers = {QStringLiteral("x")};
        w.InsertColumn1Click();
        QCOMPARE(w.ColumnSizes, (QList<int>{1, 4, 12}));
        answers = {QStringLiteral("0")};
        w.InsertColumn1Click();
        w.InsertColumn1Click(); // cancelled
        QCOMPARE(w.ColumnSizes, (QList<int>{1, 4, 12}));
        // The size edit changes the current column; 0 and 1 are ignored.
        w.SetCurrentColumn(2);
        QCOMPARE(w.eColumnSize->text(), QStringLiteral("12"));
        TypeInto(w.eColumnSize, QStringLiteral("5"));
        QCOMPARE(w.ColumnSizes, (QList<int>{1, 4, 5}));
        TypeInto(w.eColumnSize, QStringLiteral("1"));
        QCOMPARE(w.ColumnSizes, (QList<int>{1, 4, 5}));
        QCOMPARE(gridRow(w.sgParams, 0), (QStringList{"a", "b  c", "defgh"}));
        w.DeleteColumn1Click();
        w.DeleteColumn1Click();
        QCOMPARE(w.ColumnSizes, QList<int>{1});
        w.DeleteColumn1Click(); // the last column stays
        QCOMPARE(w.ColumnSizes, QList<int>{1});
        // Right clicks do nothing outside fixed mode.
        ClickIndicator(w.rbCommaDel);
        QTest::mousePress(w.sgParams->viewport(), Qt::RightButton, {}, cell.center());
        QVERIFY(!w.PopupMenu1->isVisible());
    });
    w.Execute(name);
}

void PrintDialogsTest::wizardUnreadableFile()
{
    TFTextImport w;
    MessageCatcher messages;
    QVERIFY(!w.Execute(path("nothing-here.txt")));
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts.first().contains(QStringLiteral("nothing-here.txt")));
}

namespace {
// Runs steps on the print preview once it is open, then closes it unless the
// steps did.
void whenPreviewShown(std::function<void(TFPrintPreview *)> steps)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, steps = std::move(steps)] {
        auto *preview = qobject_cast<TFPrintPreview *>(QApplication::activeModalWidget());
        if (!preview || !preview->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        steps(preview);
        if (preview->isVisible())
            preview->reject();
    });
    poll->start();
}
} // namespace

void PrintDialogsTest::previewShowsTheJobAndPrintsIt()
{
    // The example shipping label (4 x 3 in, six a Letter page) merged with
    // its five addresses, two copies each, and a counter from 5: two pages.
    TPrinterMetrics letter;
    letter.DpiX = letter.DpiY = 100;
    letter.PaperWidth = 850;
    letter.PaperHeight = 1100;
    g_printer = letter;
    const QString examples = qEnvironmentVariable("QV_SOURCE_DIR") + QStringLiteral("/examples/");
    TItemContainer label;
    TLabelDocument doc(label);
    QVERIFY(doc.LoadLabelFile(examples + QStringLiteral("shipping.lbl")));
    TLabelControl *counted = CreateItem(ikText);
    counted->Advanced = true;
    auto counter = std::make_unique<TSequenceField>();
    counter->CurVal = 5;
    TSequenceField *seq = counter.get();
    counted->Fields.push_back(std::move(counter));
    label.AddItem(counted);

    Forms f;
    // The job prints on the same sheet, its pages kept as pictures.
    struct Printer : TPreviewDevice {
        using TPreviewDevice::TPreviewDevice;
        ~Printer() override { *PagesOut = int(Pages().size()); }
        int *PagesOut = nullptr;
    };
    int pages = 0;
    f.dlg.DeviceFactory = [&]() -> std::unique_ptr<TPrinterDevice> {
        auto d = std::make_unique<Printer>(letter, 0.1);
        d->PagesOut = &pages;
        return d;
    };
    f.dlg.ChooseDataFile = [&](QWidget *) { return examples + QStringLiteral("addresses.csv"); };
    WhenShown(&f.wizard, [&] {
        ClickIndicator(f.wizard.rbCommaDel);
        QTest::mouseClick(f.wizard.OkayBtn, Qt::LeftButton);
    });
    WhenShown(&f.dlg, [&] {
        QTest::mouseClick(f.dlg.BrowseBtn, Qt::LeftButton);
        // With a source a quantity may come from one of its columns.
        QVERIFY(f.dlg.chkQuantity->isEnabled());
        QVERIFY(!f.dlg.cbQuantityColumn->isEnabled());
        ClickIndicator(f.dlg.chkQuantity);
        QVERIFY(f.dlg.cbQuantityColumn->isEnabled());
        f.dlg.cbQuantityColumn->setEditText(QStringLiteral(" 5 "));
        QCOMPARE(f.dlg.Choices().QuantityColumn, QStringLiteral("5"));
        ClickIndicator(f.dlg.chkQuantity);
        QVERIFY(f.dlg.Choices().QuantityColumn.isEmpty());
        // Records follow the source, collated copies the copies; pages run from-to.
        QVERIFY(f.dlg.chkRecords->isEnabled() && !f.dlg.eFirstRecord->isEnabled());
        QVERIFY(!f.dlg.chkCollate->isEnabled());
        ClickIndicator(f.dlg.chkRecords);
        TypeInto(f.dlg.eFirstRecord, QStringLiteral("2"));
        TypeInto(f.dlg.eLastRecord, QStringLiteral("4"));
        ClickIndicator(f.dlg.rbMultipleLabel);
        ClickIndicator(f.dlg.chkCollate);
        ClickIndicator(f.dlg.rbPageRange);
        TypeInto(f.dlg.eFirstPage, QStringLiteral("2"));
        TypeInto(f.dlg.ePages, QStringLiteral("3"));
        const TPrintChoices ranged = f.dlg.Choices();
        QCOMPARE(std::tuple(ranged.FirstRecord, ranged.LastRecord, ranged.Collate), std::tuple(2LL, 4LL, true));
        QCOMPARE(std::tuple(ranged.RangeKind, ranged.FirstPage, ranged.PageCount), std::tuple(int(rkPages), 2, 3));
        if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
            f.dlg.grab().save(shots + QStringLiteral("/print-ranges.png"));
        ClickIndicator(f.dlg.chkRecords);
        ClickIndicator(f.dlg.chkCollate);
        ClickIndicator(f.dlg.rbAllRange);
        QCOMPARE(std::tuple(f.dlg.Choices().FirstRecord, f.dlg.Choices().Collate, f.dlg.Choices().FirstPage),
                 std::tuple(0LL, false, 1));
        ClickIndicator(f.dlg.rbMultipleLabel);
        whenPreviewShown([&](TFPrintPreview *p) {
            // Page 1 opens fitted to the window as laid out: it reaches two
            // opposite sides of the room and passes none.
            const QSize room = p->PageArea->contentsRect().size() - QSize(16, 16);
            const QSize shown = p->PageView->pixmap().size();
            QVERIFY2(shown.width() >= room.width() - 1 || shown.height() >= room.height() - 1,
                     qPrintable(QStringLiteral("page %1x%2 in %3x%4").arg(shown.width()).arg(shown.height())
                                    .arg(room.width()).arg(room.height())));
            QVERIFY(shown.width() <= room.width() + 1 && shown.height() <= room.height() + 1);
            QCOMPARE(p->Job()->PageCount(), 2);
            QCOMPARE(p->lPageCount->text(), QStringLiteral("共 2 页"));
            QCOMPARE(p->lLabelsPerPage->text(), QStringLiteral("每页 6 个标签，共 10 个标签"));
            QCOMPARE(p->CurrentPage(), 0);
            QVERIFY(!p->PrevBtn->isEnabled());
            QTest::mouseClick(p->LastBtn, Qt::LeftButton);
            QCOMPARE(p->CurrentPage(), 1);
            QCOMPARE(p->ePage->value(), 2);
            QVERIFY(!p->NextBtn->isEnabled());
            p->ePage->setValue(1);
            QCOMPARE(p->CurrentPage(), 0);
            const int fitted = p->PageView->pixmap().width();
            p->cbZoom->setCurrentIndex(p->cbZoom->findText(QStringLiteral("400%")));
            QCOMPARE(p->PageView->pixmap().width(), qRound(850 * 4.0 * p->logicalDpiX() / 100));
            QVERIFY(fitted < p->PageView->pixmap().width());
            if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty()) {
                p->cbZoom->setCurrentIndex(0);
                p->resize(900, 760);
                QTest::qWait(50);
                p->grab().save(shots + QStringLiteral("/preview-shipping.png"));
            }
            QTest::mouseClick(p->CloseBtn, Qt::LeftButton);
        });
        QTest::mouseClick(f.dlg.PreviewBtn, Qt::LeftButton);
        QCOMPARE(seq->CurVal, 5); // a preview advances no counter
        QVERIFY(f.dlg.isVisible());
        whenPreviewShown([](TFPrintPreview *p) { QTest::mouseClick(p->PrintBtn, Qt::LeftButton); });
        QTest::mouseClick(f.dlg.PreviewBtn, Qt::LeftButton);
    });
    QVERIFY(f.dlg.Execute(label));
    QCOMPARE(int(f.dlg.LastResult), int(TPrintResult::Printed));
    QCOMPARE(pages, 2);
    QCOMPARE(seq->CurVal, 10); // five contents printed
}

// A workbook shows its sheets instead of the splitting controls and its
// first rows in the grid; the sheet chosen goes to the job with the file.
void PrintDialogsTest::wizardSpreadsheet()
{
    const QString name = path("stock.ODS");
    QVERIFY(QFile::copy(sheetFixture("stock.ods"), name));
    Forms f;
    f.dlg.eFile->setText(name);
    WhenShown(&f.wizard, [&] {
        QVERIFY(f.wizard.cbSheet->isVisible());
        QVERIFY(!f.wizard.rgFileFormat->isVisible());
        QVERIFY(!f.wizard.eFieldSeparator->isVisible());
        QVERIFY(f.wizard.cbIgnoreHeader->isVisible());
        QCOMPARE(f.wizard.cbSheet->count(), 2);
        QCOMPARE(f.wizard.sgParams->columnCount(), 5);
        QCOMPARE(f.wizard.sgParams->rowCount(), 9);
        QCOMPARE(gridRow(f.wizard.sgParams, 0), (QStringList{"QV-00001", "0.1", "2024-03-02", "Item 1", "12"}));
        QCOMPARE(gridRow(f.wizard.sgParams, 4), (QStringList{"QV-00005", "0.5", "2024-03-06", "", "60"}));
        f.wizard.cbSheet->setCurrentText(QStringLiteral("Notes"));
        ClickIndicator(f.wizard.cbIgnoreHeader);
        QCOMPARE(f.wizard.sgParams->rowCount(), 1);
        QCOMPARE(gridRow(f.wizard.sgParams, 0), QStringList{"second sheet"});
        QTest::mouseClick(f.wizard.OkayBtn, Qt::LeftButton);
    });
    QVERIFY(f.wizard.Execute(name));
    QCOMPARE(f.dlg.Choices().Sheet, QStringLiteral("Notes"));
    QVERIFY(!f.dlg.Choices().Split.IgnoreHeader);
    // A text file afterwards shows the splitting controls again.
    const QString csv = path("after.csv");
    writeFile(csv, "a,b\n1,2\n");
    WhenShown(&f.wizard, [&] {
        QVERIFY(f.wizard.rgFileFormat->isVisible());
        QVERIFY(!f.wizard.cbSheet->isVisible());
        QCOMPARE(gridRow(f.wizard.sgParams, 0), (QStringList{"a", "b"}));
        QTest::mouseClick(f.wizard.OkayBtn, Qt::LeftButton);
    });
    QVERIFY(f.wizard.Execute(csv));
    f.dlg.eFile->setText(csv);
    QCOMPARE(f.dlg.Choices().Sheet, QString());
    // A hidden sheet is marked, and passed over for the first visible one.
    WhenShown(&f.wizard, [&] {
        QCOMPARE(f.wizard.cbSheet->itemText(0), QStringLiteral("Hidden（隐藏）"));
        QCOMPARE(f.wizard.cbSheet->currentText(), QStringLiteral("Formats"));
        QCOMPARE(gridRow(f.wizard.sgParams, 1).value(0), QStringLiteral("0.3"));
        QTest::mouseClick(f.wizard.OkayBtn, Qt::LeftButton);
    });
    QVERIFY(f.wizard.Execute(sheetFixture("formats.xlsx")));
}

void PrintDialogsTest::askValues_data()
{
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<QString>("remembered"); // for this label, from an earlier job
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");      // null: left as shown
    QTest::addColumn<QString>("refusal");    // a text the message holds; empty: accepted
    QTest::newRow("default") << "A1" << QString() << "A1" << QString() << QString();
    QTest::newRow("remembered") << "A1" << "B22" << "B22" << QString() << QString();
    QTest::newRow("typed") << "A1" << "B22" << "B22" << "C333" << QString();
    QTest::newRow("pattern") << "A1" << QString() << "A1" << "a-1" << "[A-Z][0-9]+";
    QTest::newRow("missing") << QString() << QString() << QString() << QString() << "批号";
}

// A label that asks for its lot: the form comes before the job, prefilled,
// and its values go to the job and are remembered for the label; a refused
// value keeps the form open on it, and its Cancel leaves the print dialog
// open without a job.
void PrintDialogsTest::askValues()
{
    QFETCH(QString, defaultValue);
    QFETCH(QString, remembered);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    qputenv("XDG_CONFIG_HOME", path(QTest::currentDataTag()).toUtf8());
    const QString file = path("lot.lbl");
    if (!remembered.isNull())
        QVERIFY(SaveRememberedAnswers(file, {{QStringLiteral("LOT"), remembered}}));

    TItemContainer label;
    fillLabel(label, false);
    auto lot = std::make_unique<TAskField>();
    lot->Name = QStringLiteral("LOT");
    lot->Caption = QStringLiteral("批号");
    lot->Default = defaultValue;
    lot->Pattern = QStringLiteral("[A-Z][0-9]+");
    lot->Size = 6;
    label.Items.constFirst()->Fields.push_back(std::move(lot));

    Forms f;
    f.dlg.LabelFileName = [&] { return file; };
    int devices = 0;
    f.dlg.DeviceFactory = [&]() -> std::unique_ptr<TPrinterDevice> {
        ++devices;
        return std::make_unique<FakeDevice>();
    };
    MessageCatcher told;
    bool sawForm = false;
    WhenShown(&f.dlg, [&] {
        WhenModal(&f.dlg, [&](QDialog *form) {
            sawForm = true;
            QCOMPARE(form->objectName(), QStringLiteral("FAskValues"));
            QCOMPARE(form->windowTitle(), QStringLiteral("打印时输入"));
            auto *edit = Find<QLineEdit>(form, "eAsk_LOT");
            QCOMPARE(edit->text(), shown);
            QCOMPARE(edit->maxLength(), 6);
            if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty() && refusal.isEmpty()) {
                form->grab().save(shots + QStringLiteral("/ask-values.png"));
                f.dlg.grab().save(shots + QStringLiteral("/print-dialog.png"));
            }
            if (!typed.isNull())
                TypeInto(edit, typed);
            QTest::mouseClick(Find<QPushButton>(form, "OkayBtn"), Qt::LeftButton);
            if (refusal.isEmpty())
                return;
            QCOMPARE(told.texts.size(), 1);
            QVERIFY2(told.texts.constFirst().contains(refusal), qPrintable(told.texts.constFirst()));
            QVERIFY(form->isVisible());
            QCOMPARE(QApplication::focusWidget(), edit);
            QTest::mouseClick(Find<QPushButton>(form, "CancelBtn"), Qt::LeftButton);
        });
        QTest::mouseClick(f.dlg.OkayBtn, Qt::LeftButton);
        if (!refusal.isEmpty()) {
            QVERIFY(f.dlg.isVisible());
            QCOMPARE(devices, 0);
        }
    });
    const bool printed = f.dlg.Execute(label);
    QVERIFY(sawForm);
    const QString given = typed.isNull() ? shown : typed;
    if (refusal.isEmpty()) {
        QVERIFY(printed);
        QCOMPARE(int(f.dlg.LastResult), int(TPrintResult::Printed));
        QCOMPARE(f.dlg.Choices().Answers, (QHash<QString, QString>{{QStringLiteral("LOT"), given}}));
        QCOMPARE(LoadRememberedAnswers(QFileInfo(file).absoluteFilePath()).value(QStringLiteral("LOT")), given);
    } else {
        QVERIFY(!printed);
        QCOMPARE(devices, 0);
    }
    qunsetenv("XDG_CONFIG_HOME");
}

QTEST_MAIN(PrintDialogsTest)
#include "dialogs_print_qtest.moc"
