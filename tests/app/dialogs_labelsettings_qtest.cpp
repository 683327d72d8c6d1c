// The label format dialog with a printer whose measurements the test sets.

#include "app/fcalibration.h"
#include "app/flabelsettings.h"
#include "app/fstockchooser.h"
#include "dialogs_testkit.h"
#include "printing/sheetlayout.h"
#include "printing/stocksheets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

namespace {
// A Letter sheet at 600 pixels per inch.
TPrinterMetrics letter(int offsetY = 0)
{
    TPrinterMetrics m;
    m.DpiX = m.DpiY = 600;
    m.PaperWidth = 5100;
    m.PaperHeight = 6600;
    m.OffsetX = 150;
    m.OffsetY = offsetY;
    m.RightMargin = 300;
    m.BottomMargin = 75;
    return m;
}

// The selected printer's measurements as the dialog reads them.
TPrinterMetrics g_printer;

void usePrinter(const TPrinterMetrics &m)
{
    g_printer = m;
}

// The dialog on the printer usePrinter chose last.
struct TestDialog : TFLabelSettings {
    TestDialog()
    {
        PrinterMetrics = [](TPrinterMetrics &out) {
            out = g_printer;
            return true;
        };
    }
};

TLabelFormat inchFormat()
{
    TLabelFormat f;
    f.Label_Width = 2.5;
    f.Label_Height = 1.25;
    f.Margin_Top = f.Margin_Left = f.Gap_Height = f.Gap_Width = 0;
    f.Metric = false;
    return f;
}
} // namespace

class LabelSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { usePrinter(letter(100)); }
    void formatPattern_data();
    void formatPattern();
    void letterSheetCounts();
    void minimumSizes_data();
    void minimumSizes();
    void unitRoundTrip();
    void notANumberInGap();
    void stripFigures();
    void overlappingGapEnds();
    void enterOnOkChecksFocusedField();
    void cancelLeavesFormat();
    void stockSheetFillsFields();
    void rollLabelAndCalibration();
};

void LabelSettingsTest::formatPattern_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0 << "0.0";
    QTest::newRow("whole") << 2.0 << "2.0";
    QTest::newRow("quarter") << 1.25 << "1.25";
    QTest::newRow("three decimals") << 3.125 << "3.125";
    QTest::newRow("five decimals at most") << 1.0 / 3 << "0.33333";
    QTest::newRow("rounded up") << 123.456789 << "123.45679";
    QTest::newRow("negative") << -0.5 << "-0.5";
    QTest::newRow("tiny negative has no sign") << -0.000001 << "0.0";
}

void LabelSettingsTest::formatPattern()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatLabelUnits(value), text);
}

void LabelSettingsTest::letterSheetCounts()
{
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    WhenShown(&dlg, [&] {
        QCOMPARE(dlg.lColumns->text(), QStringLiteral("列：3"));
        QCOMPARE(dlg.lRows->text(), QStringLiteral("行：8"));
        QCOMPARE(dlg.eLabelHeight->text(), QStringLiteral("1.25"));
        QCOMPARE(dlg.eMarginTop->text(), QStringLiteral("0.0"));
        // The figures follow the typed values, not the stored format.
        TypeInto(dlg.eGapWidth, QStringLiteral("0.6"));
        MoveFocusTo(dlg.eGapHeight);
        QCOMPARE(dlg.eGapWidth->text(), QStringLiteral("0.6"));
        QCOMPARE(dlg.lColumns->text(), QStringLiteral("列：2"));
        TypeInto(dlg.eMarginTop, QStringLiteral("-1"));
        MoveFocusTo(dlg.eMarginLeft);
        QCOMPARE(dlg.eMarginTop->text(), QStringLiteral("-1.0"));
        QCOMPARE(dlg.lRows->text(), QStringLiteral("行：9"));
    });
    dlg.Execute(f);
    QCOMPARE(f.Gap_Width, 0.0);
}

void LabelSettingsTest::minimumSizes_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("message");
    QTest::newRow("inch height") << false << "Edit3" << "0.1" << "0.25" << "Minimum label height is 0.25\" tall!";
    QTest::newRow("inch width") << false << "Edit4" << "-3" << "0.25" << "Minimum label width is 0.25\" wide!";
    QTest::newRow("cm height") << true << "Edit3" << "0.5" << "1.0" << "Minimum label height is 1 centimeter tall!";
    QTest::newRow("cm width") << true << "Edit4" << "0.99" << "1.0" << "Minimum label width is 1 centimeter wide!";
    QTest::newRow("at the minimum") << false << "Edit3" << "0.25" << "0.25" << "";
    QTest::newRow("not a number, inch") << false << "Edit4" << "-" << "0.25" << "";
    QTest::newRow("not a number, cm") << true << "Edit3" << "1..2" << "1.0" << "";
}

void LabelSettingsTest::minimumSizes()
{
    QFETCH(bool, metric);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(QString, message);
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    if (metric)
        f = ConvertUnits(f, true);
    MessageCatcher messages;
    WhenShown(&dlg, [&] {
        auto *edit = dlg.findChild<QLineEdit *>(field);
        TypeInto(edit, typed);
        MoveFocusTo(dlg.eMarginTop);
        QCOMPARE(edit->text(), after);
        QCOMPARE(messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
        // The focus moves on as asked.
        QCOMPARE(QApplication::focusWidget(), dlg.eMarginTop);
    });
    dlg.Execute(f);
}

void LabelSettingsTest::unitRoundTrip()
{
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    f.Margin_Top = 0.5;
    // A rounded rectangle's radius changes unit with the lengths.
    f.Shape = TLabelShape::RoundedRectangle;
    f.CornerRadius = 0.125;
    WhenShown(&dlg, [&] {
        QCOMPARE(dlg.cbShape->currentText(), QStringLiteral("圆角矩形"));
        QVERIFY(dlg.eRadius->isEnabled());
        ClickIndicator(dlg.rbCentimetres);
        QCOMPARE(dlg.eRadius->text(), QStringLiteral("0.3125"));
        QCOMPARE(dlg.eLabelHeight->text(), QStringLiteral("3.125"));
        QCOMPARE(dlg.eLabelWidth->text(), QStringLiteral("6.25"));
        QCOMPARE(dlg.eMarginTop->text(), QStringLiteral("1.25"));
        QCOMPARE(dlg.lColumns->text(), QStringLiteral("列：3"));
        ClickIndicator(dlg.rbCentimetres); // already chosen: nothing
        QCOMPARE(dlg.eLabelHeight->text(), QStringLiteral("3.125"));
        ClickIndicator(dlg.rbInches);
        QCOMPARE(dlg.eLabelHeight->text(), QStringLiteral("1.25"));
        QCOMPARE(dlg.eLabelWidth->text(), QStringLiteral("2.5"));
        QCOMPARE(dlg.eMarginTop->text(), QStringLiteral("0.5"));
        ClickIndicator(dlg.rbMillimetres);
        QCOMPARE(dlg.eLabelHeight->text(), QStringLiteral("31.75"));
        QCOMPARE(dlg.eLabelWidth->text(), QStringLiteral("63.5"));
        QCOMPARE(dlg.eRadius->text(), QStringLiteral("3.175"));
        QCOMPARE(dlg.LnpTop->text().endsWith(QStringLiteral("mm")), true);
        ClickIndicator(dlg.rbCentimetres); // from millimetres, not from inches
        QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(f));
    QVERIFY(f.Metric);
    QCOMPARE(f.Label_Height, 3.125);
    QCOMPARE(f.Label_Width, 6.25);
    QCOMPARE(f.Margin_Top, 1.25);
    QCOMPARE(int(f.Shape), int(TLabelShape::RoundedRectangle));
    QCOMPARE(f.CornerRadius, 0.3125);

    // 圆形 makes the label as high as it is wide and has no radius.
    WhenShown(&dlg, [&] {
        dlg.cbShape->setCurrentIndex(int(TLabelShape::Round));
        emit dlg.cbShape->activated(int(TLabelShape::Round));
        QVERIFY(!dlg.eRadius->isEnabled());
        QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(f));
    QCOMPARE(int(f.Shape), int(TLabelShape::Round));
    QCOMPARE(f.Label_Height, 6.25);
    QCOMPARE(f.CornerRadius, 0.0);
}

void LabelSettingsTest::notANumberInGap()
{
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    WhenShown(&dlg, [&] {
        for (QLineEdit *gap : {dlg.eGapHeight, dlg.eGapWidth, dlg.eMarginLeft}) {
            TypeInto(gap, QStringLiteral("1.2.3"));
            MoveFocusTo(dlg.eLabelHeight);
            QCOMPARE(gap->text(), QStringLiteral("0.0"));
        }
        TypeInto(dlg.eGapHeight, QStringLiteral("abc-.5"));
        QCOMPARE(dlg.eGapHeight->text(), QStringLiteral("-.5"));
        MoveFocusTo(dlg.eLabelHeight);
        QCOMPARE(dlg.eGapHeight->text(), QStringLiteral("-0.5"));
    });
    dlg.Execute(f);
}

void LabelSettingsTest::stripFigures()
{
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    WhenShown(&dlg, [&] {
        QCOMPARE(dlg.LnpTop->text(), QStringLiteral("顶：0.167\""));
        QCOMPARE(dlg.LnpLeft->text(), QStringLiteral("左：0.25\""));
        QCOMPARE(dlg.LnpRight->text(), QStringLiteral("右：0.5\""));
        QCOMPARE(dlg.LnpBottom->text(), QStringLiteral("底：0.125\""));
        ClickIndicator(dlg.rbCentimetres);
        QCOMPARE(dlg.LnpTop->text(), QStringLiteral("顶：0.417ct"));
        QCOMPARE(dlg.LnpRight->text(), QStringLiteral("右：1.25ct"));
    });
    dlg.Execute(f);
}

void LabelSettingsTest::overlappingGapEnds()
{
    // A negative gap as large as the label: the counts must still come back.
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    WhenShown(&dlg, [&] {
        for (const char *gap : {"-2.5", "-9999", "-2.49"}) {
            TypeInto(dlg.eGapWidth, QString::fromLatin1(gap));
            MoveFocusTo(dlg.eGapHeight);
            QVERIFY(dlg.lColumns->text().startsWith(QStringLiteral("列：")));
        }
        QCOMPARE(dlg.lColumns->text(), QStringLiteral("列：") + QString::number(CountLabels(0, 1500, -1494, 5100)));
        TypeInto(dlg.eLabelWidth, QStringLiteral("9999999"));
        MoveFocusTo(dlg.eGapHeight);
        QCOMPARE(dlg.lColumns->text(), QStringLiteral("列：0"));
    });
    dlg.Execute(f);
}

void LabelSettingsTest::enterOnOkChecksFocusedField()
{
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    MessageCatcher messages;
    WhenShown(&dlg, [&] {
        TypeInto(dlg.eLabelHeight, QStringLiteral("0.1"));
        QTest::keyClick(dlg.eLabelHeight, Qt::Key_Return);
    });
    QVERIFY(dlg.Execute(f));
    QCOMPARE(f.Label_Height, 0.25);
    QCOMPARE(messages.texts, QStringList{QStringLiteral("Minimum label height is 0.25\" tall!")});

    // A margin that puts labels off the paper keeps the dialog open at it.
    messages.texts.clear();
    WhenShown(&dlg, [&] {
        TypeInto(dlg.eMarginLeft, QStringLiteral("-0.1"));
        QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
        QVERIFY(dlg.isVisible());
        QCOMPARE(QApplication::focusWidget(), dlg.eMarginLeft);
        TypeInto(dlg.eMarginLeft, QStringLiteral("0.1"));
        QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(f));
    QCOMPARE(f.Margin_Left, 0.1);
    QCOMPARE(messages.texts, QStringList{QStringLiteral("纸边界“靠左”不能为负数：标签会落在纸外。")});
}

void LabelSettingsTest::cancelLeavesFormat()
{
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    WhenShown(&dlg, [&] {
        ClickIndicator(dlg.rbCentimetres);
        TypeInto(dlg.eLabelWidth, QStringLiteral("7"));
        QTest::mouseClick(dlg.btnCancel, Qt::LeftButton);
    });
    QVERIFY(!dlg.Execute(f));
    QVERIFY(!f.Metric);
    QCOMPARE(f.Label_Width, 2.5);
    // The next showing shows the stored values in the stored unit.
    WhenShown(&dlg, [&] {
        QVERIFY(dlg.rbInches->isChecked());
        QCOMPARE(dlg.eLabelWidth->text(), QStringLiteral("2.5"));
    });
    dlg.Execute(f);
}

// The stock chooser as a person uses it: search, pick, OK; the fields take
// the sheet's figures in the unit the sheet maps to, and OK stores them.
void LabelSettingsTest::stockSheetFillsFields()
{
    TPrinterMetrics a4 = letter();
    a4.PaperWidth = 4960; // 210 x 297 mm at 600 pixels per inch
    a4.PaperHeight = 7015;
    usePrinter(a4);
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    bool chose = false;
    WhenShown(&dlg, [&] {
        auto *poll = new QTimer(&dlg);
        poll->setInterval(5);
        connect(poll, &QTimer::timeout, &dlg, [&dlg, poll, &chose] {
            auto *chooser = dlg.findChild<TFStockChooser *>();
            if (!chooser || !chooser->isVisible())
                return;
            poll->stop();
            // The kind is searched in Chinese too, and the count is what is shown.
            // Chinese comes through an input method, not key clicks.
            chooser->eSearch->setText(QString::fromUtf8("avery j8160 地址"));
            QVERIFY(chooser->Select(QStringLiteral("Avery J8160")));
            QVERIFY(!chooser->tvSheets->currentItem()->isHidden());
            QCOMPARE(chooser->tvSheets->currentItem()->text(2), QString::fromUtf8("地址标签"));
            int shown = 0;
            for (int g = 0; g < chooser->tvSheets->topLevelItemCount(); ++g)
                for (int i = 0; i < chooser->tvSheets->topLevelItem(g)->childCount(); ++i)
                    shown += !chooser->tvSheets->topLevelItem(g)->child(i)->isHidden();
            QCOMPARE(chooser->lMatches->text(), QString::fromUtf8("找到 %1 种标签纸").arg(shown));
            // A sheet that does not map cannot be taken.
            QVERIFY(chooser->Select(QStringLiteral("Avery 8676")));
            QVERIFY(!chooser->btnOk->isEnabled());
            QVERIFY(chooser->Select(QStringLiteral("Avery J8160")));
            QVERIFY(chooser->btnOk->isEnabled());
            // The library's drawing (of Avery 7160, in points), and said so.
            QVERIFY(chooser->lDetails->text().endsWith(QString::fromUtf8("来源：模板库")));
            QTest::mouseClick(chooser->btnOk, Qt::LeftButton);
            chose = true;
        });
        poll->start();
        QTest::mouseClick(dlg.btnStock, Qt::LeftButton);
        QVERIFY(chose);
        QVERIFY(dlg.rbInches->isChecked());
        QCOMPARE(dlg.eLabelWidth->text(), QStringLiteral("2.51944"));
        QCOMPARE(dlg.eLabelHeight->text(), QStringLiteral("1.5"));
        QCOMPARE(dlg.eMarginTop->text(), QStringLiteral("0.60972"));
        QCOMPARE(dlg.eMarginLeft->text(), QStringLiteral("0.29444"));
        QCOMPARE(dlg.eGapWidth->text(), QStringLiteral("0.08056"));
        QCOMPARE(dlg.eGapHeight->text(), QStringLiteral("0.0"));
        QCOMPARE(dlg.lColumns->text(), QStringLiteral("列：3"));
        QCOMPARE(dlg.lRows->text(), QStringLiteral("行：7"));
        QVERIFY(dlg.lStock->text().contains(QStringLiteral("Avery J8160")));
        // Still editable before OK.
        TypeInto(dlg.eGapWidth, QStringLiteral("0.3"));
        QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(f));
    QVERIFY(!f.Metric);
    QCOMPARE(f.Label_Width, 2.51944);
    QCOMPARE(f.Margin_Left, 0.29444);
    QCOMPARE(f.Gap_Width, 0.3);
    // A length typed after the sheet drops the sheet's grid limits.
    QCOMPARE(f.MaxColumns, 0);
    QCOMPARE(f.MaxRows, 0);

    // Letter has room for a 21st row of Avery 5167 on its top margin's
    // height: the sheet's 4 x 20 limit the grid shown and are stored.
    usePrinter(letter());
    const TStockSheet *avery5167 = FindStockSheet(StockCatalogue().Sheets, QStringLiteral("Avery 5167"));
    QVERIFY(avery5167);
    TestDialog sheetDlg;
    TLabelFormat g = inchFormat();
    WhenShown(&sheetDlg, [&] {
        sheetDlg.ApplyStock(*avery5167);
        QCOMPARE(sheetDlg.lRows->text(), QStringLiteral("行：20"));
        QCOMPARE(sheetDlg.lColumns->text(), QStringLiteral("列：4"));
        QTest::mouseClick(sheetDlg.btnOk, Qt::LeftButton);
    });
    QVERIFY(sheetDlg.Execute(g));
    QCOMPARE(g.MaxColumns, 4);
    QCOMPARE(g.MaxRows, 20);

    // A sheet of three layouts: said, and its further grids kept through a
    // change of unit.
    const TStockSheet *jac = FindStockSheet(StockCatalogue().Sheets, QStringLiteral("JAC 987349-2"));
    QVERIFY(jac);
    usePrinter(a4);
    TestDialog gridsDlg;
    WhenShown(&gridsDlg, [&] {
        gridsDlg.ApplyStock(*jac);
        // Drawn in millimetres: the drawing's own figures.
        QVERIFY(gridsDlg.rbMillimetres->isChecked());
        QCOMPARE(gridsDlg.eLabelWidth->text(), QStringLiteral("70.0"));
        QCOMPARE(gridsDlg.eLabelHeight->text(), QStringLiteral("34.0"));
        QVERIFY(gridsDlg.findChild<QLabel *>(QStringLiteral("lGrids"))->text().startsWith(
            QString::fromUtf8("这张标签纸有 3 组标签排列")));
        ClickIndicator(gridsDlg.rbInches);
        QTest::mouseClick(gridsDlg.btnOk, Qt::LeftButton);
    });
    QVERIFY(gridsDlg.Execute(g));
    QVERIFY(!g.Metric);
    QCOMPARE(g.ExtraGrids.size(), 2);
    QVERIFY(std::abs(g.ExtraGrids[0].Margin_Top - 216.5 / 25.4) < 1e-9);
    QCOMPARE(g.ExtraGrids[1].Rows, 1);
}

// Roll mode shows one label a page and has no gaps; the calibration dialog,
// reached from here, stores the printer's values and prints its page.
void LabelSettingsTest::rollLabelAndCalibration()
{
    QTemporaryDir config;
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    TestDialog dlg;
    TLabelFormat f = inchFormat();
    QString pagePrinter;
    int calibrations = 0;
    dlg.Calibrate = [&](QWidget *parent) {
        ++calibrations;
        TFCalibration cal(parent);
        cal.PrintPage = [&](const QString &printer) {
            pagePrinter = printer;
            return QString();
        };
        WhenShown(&cal, [&] {
            QCOMPARE(cal.cbPrinter->currentText(), QStringLiteral("thermal"));
            QCOMPARE(cal.eOffsetX->value(), 0.0);
            QCOMPARE(cal.eScaleY->value(), 100.0);
            QTest::mouseClick(cal.btnPrintPage, Qt::LeftButton);
            cal.eOffsetX->setValue(-1.25); // a tenth of a millimetre at most
            cal.eOffsetY->setValue(12);    // held to the limit
            cal.eScaleX->setValue(99.5);
            QTest::mouseClick(cal.btnOk, Qt::LeftButton);
        });
        QVERIFY(cal.Execute(QStringLiteral("thermal")));
    };
    WhenShown(&dlg, [&] {
        QVERIFY(!dlg.cbRoll->isChecked());
        ClickIndicator(dlg.cbRoll);
        QCOMPARE(dlg.lRows->text(), QStringLiteral("每页 1 个标签"));
        QVERIFY(!dlg.eGapWidth->isEnabled());
        QTest::mouseClick(dlg.btnCalibration, Qt::LeftButton);
        QTest::mouseClick(dlg.btnOk, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(f));
    QVERIFY(f.Roll);
    QCOMPARE(calibrations, 1);
    QCOMPARE(pagePrinter, QStringLiteral("thermal"));
    const TCalibration stored = LoadCalibration(QStringLiteral("thermal"));
    QCOMPARE(stored.OffsetX, -1.3);
    QCOMPARE(stored.OffsetY, 10.0);
    QCOMPARE(stored.ScaleX, 99.5);
    QCOMPARE(stored.ScaleY, 100.0);
    qputenv("XDG_CONFIG_HOME", savedConfig);
}

QTEST_MAIN(LabelSettingsTest)
#include "dialogs_labelsettings_qtest.moc"
