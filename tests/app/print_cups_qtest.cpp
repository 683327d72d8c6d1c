// The print dialog and its progress window on a real printer queue (a
// private CUPS scheduler, see tests/common/with_private_cups.sh): a job
// reaches the queue, and a job cancelled from the progress window does not.

#include "app/appprinter.h"
#include "app/fprintdlg.h"
#include "app/fprintersetup.h"
#include "app/fprintprogress.h"
#include "app/ftextimport.h"
#include "dialogs_testkit.h"
#include "missing_tool_qtest.h"
#include "model/items.h"
#include "model/labelformat.h"
#include "printing/qprinter_device.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

QStringList lpstat(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("lpstat"), args);
    p.waitForFinished(30000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Every job the queue has seen, whatever became of it.
int jobsSeen(const QString &queue)
{
    return int(lpstat({"-W", "all", "-o", queue}).size());
}

} // namespace

class PrintCupsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        queue_ = qEnvironmentVariable("QV_CUPS_QUEUE");
        output_ = qEnvironmentVariable("QV_CUPS_OUTPUT");
        if (queue_.isEmpty())
            QSKIP("not applicable: runs inside tests/common/with_private_cups.sh, as CTest starts it");
        QVERIFY(TQPrinterDevice::PrinterNames().contains(queue_));
        TLabelFormat f;
        f.Label_Width = 2;
        f.Label_Height = 1;
        f.Margin_Top = f.Margin_Left = 0.5;
        f.Gap_Height = f.Gap_Width = 0;
        f.Metric = false;
        label_.LabelFormat = f;
        TLabelControl *item = CreateItem(ikText);
        item->Text = QStringLiteral("Quorvane");
        label_.AddItem(item);
    }
    void printsAndCancels();
    // Last: it removes the default queue.
    void everyQueueWithoutDefault();

private:
    QString queue_, output_;
    TItemContainer label_;
};

void PrintCupsTest::printsAndCancels()
{
    TAppPrinter printer;
    QCOMPARE(printer.Selected().Name(), queue_);
    TFTextImport wizard;
    TFPrintProgress progress;
    TFPrintDlg dlg(nullptr, &wizard, &progress);
    dlg.DeviceFactory = [&] { return printer.NewDevice(&dlg); };
    const auto run = [&](int pages, bool cancel) {
        WhenShown(&dlg, [&] {
            dlg.rbPageRange->setChecked(true);
            TypeInto(dlg.ePages, QString::number(pages));
            if (cancel) {
                // Pressed as soon as the progress window shows the first page.
                auto *poll = new QTimer(&progress);
                connect(poll, &QTimer::timeout, &progress, [&progress, poll] {
                    if (!progress.isVisible())
                        return;
                    poll->deleteLater();
                    QTest::mouseClick(progress.CancelBtn, Qt::LeftButton);
                });
                poll->start(0);
            }
            QTest::mouseClick(dlg.OkayBtn, Qt::LeftButton);
        });
        QVERIFY(dlg.Execute(label_));
        QVERIFY(!progress.isVisible());
        // The scheduler has the job, if any, once the dialog returns.
        QTRY_VERIFY_WITH_TIMEOUT(lpstat({"-o", queue_}).isEmpty(), 120000);
    };

    run(2, false);
    QCOMPARE(int(dlg.LastResult), int(TPrintResult::Printed));
    QCOMPARE(jobsSeen(queue_), 1);
    QVERIFY(QFile(output_).size() > 0);
    QFile::remove(output_);

    run(50, true);
    QCOMPARE(int(dlg.LastResult), int(TPrintResult::Cancelled));
    QCOMPARE(jobsSeen(queue_), 1);
    QVERIFY(!QFile::exists(output_));
}

// With no default printer every queue is offered and the designer prints on
// one of them, not into a PDF.
void PrintCupsTest::everyQueueWithoutDefault()
{
    const QString dir = QFileInfo(output_).absolutePath();
    const QString ppd = dir + QStringLiteral("/cups/ppd/") + queue_ + QStringLiteral(".ppd");
    const QString lpadmin =
        QFile::exists(QStringLiteral("/usr/sbin/lpadmin")) ? QStringLiteral("/usr/sbin/lpadmin") : QStringLiteral("lpadmin");
    const auto admin = [&](const QStringList &args) {
        QProcess p;
        p.start(lpadmin, args);
        return p.waitForFinished(30000) && p.exitCode() == 0;
    };
    for (const char *name : {"zebra", "alpha"})
        QVERIFY(admin({"-p", QLatin1String(name), "-E", "-v", "file://" + dir + "/" + name + ".out", "-P", ppd}));
    QVERIFY(admin({"-x", queue_}));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");
    QVERIFY(TQPrinterDevice::DefaultPrinterName().isEmpty());

    TAppPrinter printer;
    QVERIFY(!printer.Selected().IsPdfFallback());
    TFPrinterSetup setup;
    QStringList listed;
    WhenShown(&setup, [&] {
        for (int i = 0; i < setup.cbPrinter->count(); ++i)
            listed << setup.cbPrinter->itemText(i);
        QTest::mouseClick(setup.CancelBtn, Qt::LeftButton);
    });
    setup.Execute(printer.Selected());
    QCOMPARE(listed, QStringList({"alpha", "zebra"}));
}

QV_QTEST_MAIN(PrintCupsTest)
#include "print_cups_qtest.moc"
