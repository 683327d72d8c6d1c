// The print dialog and its progress window on a real printer queue (a
// private CUPS scheduler, see tests/common/with_private_cups.sh): a job
// reaches the queue, and a job cancelled from the progress window does not.

#include "app/appprinter.h"
#include "app/fprintdlg.h"
#include "app/fprintprogress.h"
#include "app/ftextimport.h"
#include "dialogs_testkit.h"
#include "missing_tool_qtest.h"
#include "model/items.h"
#include "model/labelformat.h"
#include "printing/qprinter_device.h"

#include <QFile>
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

QV_QTEST_MAIN(PrintCupsTest)
#include "print_cups_qtest.moc"
