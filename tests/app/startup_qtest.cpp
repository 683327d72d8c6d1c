// The program's start: six forms made in a fixed order and kept, the label
// named on the command line opened at the first showing.

#include "app/appforms.h"
#include "app/dialogkit.h"
#include "app/fadvanced.h"
#include "app/flabelsettings.h"
#include "app/fmain.h"
#include "app/fprintdlg.h"
#include "app/fprintprogress.h"
#include "app/ftextimport.h"
#include "app/language.h"
#include "canvas/canvaslabel.h"
#include "model/labelformat.h"
#include "app/messages.h"
#include "printing/printengine.h"
#include "dialogs_testkit.h"
#include "storage/document.h"
#include "storage/settings.h"

#include <QColorDialog>
#include <QMenu>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class StartupTest : public QObject {
    Q_OBJECT
    QTemporaryDir home;
    QStringList messages;

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        qputenv("XDG_STATE_HOME", home.filePath("state").toUtf8());
        SetMessageHandler([this](const QString &m) { messages << m; });
        TAsk::Replace(std::make_unique<AnswerWith>([](const QString &) { return TAsk::No; }));
    }

    void standardDialogsSpeakChinese()
    {
        QColorDialog colour;
        QCOMPARE(colour.windowTitle(), QStringLiteral("Select Color"));
        QVERIFY(InitApplication());
        QColorDialog again;
        QCOMPARE(again.windowTitle(), QStringLiteral("选择颜色"));
        QFileDialog files(nullptr, QString(), QString(), QStringLiteral("Label Files (*.lbl)"));
        files.setOption(QFileDialog::DontUseNativeDialog);
        const auto *buttons = files.findChild<QDialogButtonBox *>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
        // The windows keep their own captions: no display name appended.
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    }

    // Messages of the lower layers are written in English, the captions in
    // Chinese; each language's catalogue has both.
    void messagesSpeakTheWindowsLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::newRow("zh") << "zh" << QString::fromUtf8("标签在页面上放不下。") << QString::fromUtf8("证实");
        QTest::newRow("en") << "en" << "The label does not fit on the page." << "Confirm";
    }
    void messagesSpeakTheWindowsLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QVERIFY(InitApplication(language));
        QCOMPARE(QCoreApplication::translate("Printing", kMsgNoFit), message);
        QCOMPARE(QCoreApplication::translate("TAsk", "证实"), caption);
        // A message the print dialog gives as it is stays so in Chinese.
        QCOMPARE(QCoreApplication::translate("TFPrintDlg", "You cannot print \"All\" without"),
                 QStringLiteral("You cannot print \"All\" without"));
        QVERIFY(InitApplication(QStringLiteral("zh")));
    }

    void plainMessagesCarryTheProductsName()
    {
        std::unique_ptr<TAsk> test = TAsk::Replace(nullptr);
        QString title;
        QWidget owner;
        WhenModal(&owner, [&title](QDialog *box) { title = box->windowTitle(); });
        DialogMessage(nullptr, QStringLiteral("x"));
        TAsk::Replace(std::move(test));
        QCOMPARE(title, QStringLiteral("Quorvane"));
    }

    void formsAreMadeInOrderAndKept()
    {
        CreateApplicationForms();
        QCOMPARE(Forms.CreationOrder, QStringList({"TFMain", "TFLabelSettings", "TFAdvanced", "TFPrintDlg",
                                                   "TFTextImport", "TFPrintProgress"}));
        // The main window uses the very forms made at start, not copies.
        QCOMPARE(Forms.FMain->FLabelSettings, Forms.FLabelSettings);
        QCOMPARE(Forms.FMain->FAdvanced, Forms.FAdvanced);
        QCOMPARE(Forms.FMain->FPrintDlg, Forms.FPrintDlg);
        QCOMPARE(Forms.FMain->FTextImport, Forms.FTextImport);
        QCOMPARE(Forms.FMain->FPrintProgress, Forms.FPrintProgress);
        for (QWidget *w : std::initializer_list<QWidget *>{Forms.FLabelSettings, Forms.FAdvanced, Forms.FPrintDlg,
                                                            Forms.FTextImport, Forms.FPrintProgress})
            QCOMPARE(w->parent(), Forms.FMain);
        QVERIFY(Forms.FPrintDlg->DeviceFactory);
        QVERIFY(Forms.FLabelSettings->PrinterSetup);
        DestroyApplicationForms();
        QVERIFY(!Forms.FMain);
    }

    void commandLineLabelOpensAtFirstShowing()
    {
        const QString label = QString::fromLocal8Bit(qgetenv("QV_SOURCE_DIR")) + "/examples/counter.lbl";
        QVERIFY(QFile::exists(label));
        CreateApplicationForms(label);
        TFMain *main = Forms.FMain;
        QCOMPARE(main->Surface->Items.size(), 0);
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        QTRY_VERIFY(!main->Surface->Items.isEmpty());
        QCOMPARE(main->Document->CurrentLabelFile, label);
        const int loaded = main->Surface->Items.size();
        // Only the first showing opens it.
        main->hide();
        main->show();
        QCOMPARE(main->Surface->Items.size(), loaded);
        DestroyApplicationForms();
    }

    void relativeCommandLineNameMeansTheStartFolder()
    {
        const QString examples = QString::fromLocal8Bit(qgetenv("QV_SOURCE_DIR")) + "/examples";
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(examples));
        CreateApplicationForms(QStringLiteral("counter.lbl"));
        Forms.FMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(Forms.FMain));
        QTRY_VERIFY(!Forms.FMain->Surface->Items.isEmpty());
        QCOMPARE(Forms.FMain->Document->CurrentLabelFile, QDir(examples).absoluteFilePath("counter.lbl"));
        DestroyApplicationForms();

        // A name that does not exist is told, and the label stays empty.
        QVERIFY(QDir::setCurrent(examples));
        messages.clear();
        CreateApplicationForms(QStringLiteral("no such.lbl"));
        Forms.FMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(Forms.FMain));
        QCOMPARE(messages, QStringList{FileNotFoundMessage(QDir(examples).absoluteFilePath("no such.lbl"))});
        QVERIFY(Forms.FMain->Surface->Items.isEmpty());
        DestroyApplicationForms();
        QDir::setCurrent(before);
    }

    // Last: it changes the translations installed in the process.
    void windowsSpeakTheChosenLanguage()
    {
        QStringList told;
        const auto old = SetDialogMessageHook([&told](QWidget *, const QString &m) { told << m; });
        struct Row {
            QString language;
            QString labelSettings, printProgress, colourDialog, fileMenu, textTool;
        };
        const Row rows[] = {
            {"en", "Custom Label Settings", "Printing...", "Select Color", "&File", "Add text"},
            {"zh", "自定义标签设置", "正在打印中...", "选择颜色", "文件(&F)", "添加文字"},
        };
        for (const Row &r : rows) {
            QVERIFY(InitApplication(r.language));
            QCOMPARE(InstalledLanguage(), r.language);
            CreateApplicationForms();
            QCOMPARE(Forms.FLabelSettings->windowTitle(), r.labelSettings);
            QCOMPARE(Forms.FPrintProgress->windowTitle(), r.printProgress);
            QCOMPARE(QColorDialog().windowTitle(), r.colourDialog);
            QCOMPARE(Forms.FMain->findChild<QMenu *>("File1")->title(), r.fileMenu);
            QCOMPARE(Forms.FMain->findChild<QWidget *>("sbText")->toolTip(), r.textTool);
            DestroyApplicationForms();
        }

        // The Help menu's choice is kept for the next start, which is told.
        QCOMPARE(ChosenLanguage(), QStringLiteral("zh"));
        CreateApplicationForms();
        auto *english = Forms.FMain->findChild<QAction *>("LanguageEnglish1");
        QVERIFY(english);
        english->trigger();
        QCOMPARE(LoadLanguageSetting(), QStringLiteral("en"));
        QCOMPARE(told.size(), 1);
        DestroyApplicationForms();
        QVERIFY(InitApplication());
        QCOMPARE(InstalledLanguage(), QStringLiteral("en"));

        QVERIFY(SaveLanguageSetting(QStringLiteral("zh")));
        QVERIFY(InitApplication());
        SetDialogMessageHook(old);
    }
};

QTEST_MAIN(StartupTest)
#include "startup_qtest.moc"
