// Undo and redo through the main window: every kind of change is one step,
// and the saved label after undoing it is byte for byte the label before it,
// after redoing it the label after it.

#include "app/fadvanced.h"
#include "app/flabelsettings.h"
#include "app/fprintdlg.h"
#include "app/fmain.h"
#include "canvas/canvaslabel.h"
#include "model/labelformat.h"
#include "app/messages.h"
#include "picture/loadgraphic.h"
#include "printing/pdfdevice.h"
#include "storage/document.h"
#include "storage/labelfile.h"
#include "dialogs_testkit.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <QtTest>

#include <functional>
#include <memory>

class UndoTest;

namespace {

// One kind of change: the item selected first (-1 none), the change, the
// step's name as the undo entry shows it, and what the label needs first.
struct TStepRow {
    const char *Name;
    int Select;
    const char *StepName;
    std::function<void(UndoTest &)> Change;
    std::function<void(UndoTest &)> Prepare = nullptr;
};
const std::vector<TStepRow> &Rows();

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

public:
    QTemporaryDir home;
    QStringList questions;
    std::unique_ptr<TFMain> win;
    QString baseFile;

    TCanvasLabel *surface() const { return win->findChild<TCanvasLabel *>(); }
    QAction *action(const char *name) const { return Find<QAction>(win.get(), name); }
    QUndoStack &stack() const { return win->Document->Undo(); }
    TLabelControl *item(int i) const { return surface()->Items.value(i); }

    void select(int i)
    {
        for (TLabelControl *it : surface()->Items)
            it->SetSelected(false);
        item(i)->SetSelected(true);
        surface()->SelectItem(item(i));
        surface()->setFocus();
    }
    // Draws what changed, as the window does before anyone looks: auto-sized
    // boxes take their drawn size.
    void settle()
    {
        surface()->repaint();
        QCoreApplication::processEvents();
    }
    QByteArray saved()
    {
        settle();
        const QString file = home.filePath("check.lbl");
        QString error;
        if (!SaveLabelFile(file, *surface(), &error))
            qFatal("save failed: %s", qPrintable(error));
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    void whenModal(std::function<void(QDialog *)> steps) { WhenModal(this, std::move(steps)); }
    // A key pressed and held: the first press, then repeats.
    void keyBurst(Qt::Key key, Qt::KeyboardModifiers mods, int repeats)
    {
        for (int i = 0; i <= repeats; ++i) {
            QKeyEvent press(QEvent::KeyPress, key, mods, QString(), i > 0);
            QApplication::sendEvent(surface(), &press);
        }
        QKeyEvent release(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(surface(), &release);
    }
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(surface(), Qt::LeftButton, {}, from);
        QTest::mouseMove(surface(), (from + to) / 2);
        QTest::mouseMove(surface(), to);
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, to);
    }
    void addToSelection(int i) { QTest::mouseClick(surface(), Qt::LeftButton, Qt::ShiftModifier, centre(i)); }
    QPoint centre(int i) const
    {
        const TLabelControl *it = item(i);
        return {it->Left + it->Width / 2, it->Top + it->Height / 2};
    }
    QString picture(const char *name, QRgb colour)
    {
        QImage image(12, 8, QImage::Format_RGB32);
        image.fill(colour);
        const QString file = home.filePath(QString::fromLatin1(name));
        image.save(file, "BMP");
        return file;
    }
    void chooseColour()
    {
        whenModal([](QDialog *dialog) {
            auto *colours = qobject_cast<QColorDialog *>(dialog);
            QVERIFY(colours);
            colours->setCurrentColor(QColor(200, 10, 30));
            colours->accept();
        });
    }
    TLabelControl *add(const char *tool, QPoint at)
    {
        Find<QToolButton>(win.get(), tool)->click();
        QTest::mouseClick(surface(), Qt::LeftButton, {}, at);
        return surface()->SelectedItem;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        SetMessageHandler([](const QString &m) { qWarning("message: %s", qPrintable(m)); });
        TAsk::Replace(std::make_unique<AnswerWith>([this](const QString &q) {
            questions << q;
            return TAsk::No;
        }));
    }

    // A saved and loaded label of every kind of item: a text with parts (a
    // counter among them), a barcode, a shape, a picture and a memo.
    void init()
    {
        questions.clear();
        win = std::make_unique<TFMain>();
        win->OpenedFromCommandLine = false;
        win->Surface->ScreenDpiX = win->Surface->ScreenDpiY = 96;
        win->SizeSurfaceFromFormat();
        win->show();
        QVERIFY(QTest::qWaitForWindowActive(win.get()));

        TLabelControl *text = add("sbText", {60, 30});
        text->SetText(QStringLiteral("ABC"));
        auto part = std::make_unique<TTextField>();
        part->Text = QStringLiteral("N-");
        text->Fields.push_back(std::move(part));
        auto counter = std::make_unique<TSequenceField>();
        counter->CurVal = 7;
        text->Fields.push_back(std::move(counter));
        add("sbBarcode", {150, 50})->SetText(QStringLiteral("12345"));
        add("sbShape", {40, 100});
        auto *graphic = static_cast<TGraphicLabel *>(add("sbGraphic", {200, 100}));
        const QString red = picture("red.bmp", qRgb(255, 0, 0));
        QVERIFY(LoadGraphic(graphic, red));
        graphic->SetFileName(red);
        add("sbMemo", {120, 115})->SetText(QStringLiteral("L1\r\nL2"));
        baseFile = home.filePath("base.lbl");
        QVERIFY(win->Document->SaveLabelFile(baseFile));
        QVERIFY(win->LoadLabelFile(baseFile));
        QCOMPARE(surface()->Items.size(), 5);
        QCOMPARE(stack().count(), 0);
        QVERIFY(!win->Document->LabelModified);
        win->EnsureForms();
        questions.clear();
    }

    void cleanup()
    {
        win.reset();
    }

    void everyChangeIsOneStep_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(Rows().size()); ++i)
            QTest::newRow(Rows()[i].Name) << i;
    }

    void everyChangeIsOneStep()
    {
        QFETCH(int, row);
        const TStepRow &r = Rows()[row];
        if (r.Select >= 0)
            select(r.Select);
        if (r.Prepare) {
            r.Prepare(*this);
            stack().clear();
            win->Document->SetLabelModified(false);
        }
        const QByteArray before = saved();
        QVERIFY(!action("Undo1")->isEnabled());

        r.Change(*this);
        const QByteArray after = saved();
        QVERIFY2(after != before, "the change changed nothing");
        QCOMPARE(stack().count(), 1);
        const QString name = QString::fromUtf8(r.StepName);
        QCOMPARE(stack().undoText(), name);
        QCOMPARE(action("Undo1")->text(), QStringLiteral("撤销 %1(&U)").arg(name));
        QVERIFY(action("Undo1")->isEnabled());
        QVERIFY(!action("Redo1")->isEnabled());
        QVERIFY(Find<QToolButton>(win.get(), "sbUndo")->isEnabled());
        QVERIFY(win->Document->LabelModified);

        action("Undo1")->trigger();
        QCOMPARE(saved(), before);
        // Back at the loaded label: unmodified, and leaving it asks nothing.
        QVERIFY(!win->Document->LabelModified);
        QVERIFY(!Find<QToolButton>(win.get(), "WriteBtn")->isEnabled());
        QVERIFY(win->QuerySave());
        QVERIFY(questions.isEmpty());
        QCOMPARE(action("Undo1")->text(), QStringLiteral("撤销(&U)"));
        QVERIFY(!action("Undo1")->isEnabled());
        QCOMPARE(action("Redo1")->text(), QStringLiteral("重做 %1(&R)").arg(name));

        action("Redo1")->trigger();
        QCOMPARE(saved(), after);
        QVERIFY(win->Document->LabelModified);
    }

    // A thousand steps go back to the loaded label; a save in between is the
    // state that counts as unmodified, and New forgets every step.
    void manyStepsAndTheSavedState()
    {
        select(2);
        const QByteArray base = saved();
        for (int i = 0; i < 1000; ++i)
            QTest::keyClick(surface(), i % 2 ? Qt::Key_Left : Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(stack().count(), 1000);
        QVERIFY(win->Document->SaveLabelFile(home.filePath("mid.lbl")));
        const QByteArray mid = saved();
        QVERIFY(!win->Document->LabelModified);
        action("Undo1")->trigger();
        QVERIFY(win->Document->LabelModified);
        action("Redo1")->trigger();
        QVERIFY(!win->Document->LabelModified);
        while (stack().canUndo())
            action("Undo1")->trigger();
        QCOMPARE(saved(), base);
        QVERIFY(win->Document->LabelModified); // the save was of the moved label
        while (stack().canRedo())
            action("Redo1")->trigger();
        QCOMPARE(saved(), mid);
        QVERIFY(!win->Document->LabelModified);

        // The keys, as a person presses them.
        QCOMPARE(action("Undo1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(action("Redo1")->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
        QTest::keyClick(win.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(win->Document->LabelModified);
        QTest::keyClick(win.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!win->Document->LabelModified);
        QTest::keyClick(win.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(win.get(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(saved(), mid);

        action("New1")->trigger();
        QCOMPARE(stack().count(), 0);
        QVERIFY(!action("Undo1")->isEnabled());
        QVERIFY(!win->Document->LabelModified);
        // A press that changes nothing is no step.
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(100, 60));
        QCOMPARE(stack().count(), 0);
        QVERIFY(!win->Document->LabelModified);
    }

    // The keys in a field of the properties panel work on the label's steps:
    // what was typed goes and comes back, and no key makes a step of its own.
    void keysInAFieldUndoTheLabel()
    {
        select(0);
        auto *field = Find<QLineEdit>(win.get(), "eText");
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("XY"));
        QCOMPARE(item(0)->Text, QStringLiteral("ABCXY"));
        const struct {
            QKeyCombination key;
            const char *text;
        } presses[] = {
            {Qt::CTRL | Qt::Key_Z, "ABC"},
            {Qt::CTRL | Qt::Key_Z, "ABC"}, // nothing left to undo
            {Qt::CTRL | Qt::Key_Y, "ABCXY"},
            {Qt::CTRL | Qt::Key_Z, "ABC"},
            {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, "ABCXY"},
            {Qt::CTRL | Qt::Key_Y, "ABCXY"}, // nothing left to redo
        };
        for (const auto &p : presses) {
            QTest::keyClick(field, p.key.key(), p.key.keyboardModifiers());
            const QString want = QString::fromLatin1(p.text);
            QCOMPARE(item(0)->Text, want);
            QCOMPARE(field->text(), want);
            QVERIFY(field->hasFocus());
            QCOMPARE(stack().count(), 1);
        }
        QCOMPARE(stack().undoText(), QStringLiteral("编辑文字"));
    }

    // Undoing a delete brings back the same item, with its parts and its
    // counter, at its place in the stacking order.
    void deletedItemComesBackWhole()
    {
        TLabelControl *text = item(0);
        select(0);
        action("Delete1")->trigger();
        QCOMPARE(surface()->Items.size(), 4);
        action("Undo1")->trigger();
        QCOMPARE(item(0), text);
        QCOMPARE(surface()->SelectedItem, text);
        QCOMPARE(text->Fields.size(), size_t(2));
        QCOMPARE(static_cast<TSequenceField *>(text->Fields[1].get())->CurVal, 7);
        QCOMPARE(Find<QLineEdit>(win.get(), "eText")->text(), QStringLiteral("ABC"));
    }
};

namespace {
const std::vector<TStepRow> &Rows()
{
    static const std::vector<TStepRow> rows = {
    {"add", -1, "添加", [](UndoTest &t) { t.add("sbText", {30, 125}); }},
    {"paste", 2, "粘贴",
     [](UndoTest &t) {
         t.action("Copy1")->trigger();
         t.action("Paste1")->trigger();
     }},
    {"delete from the menu", 1, "删除", [](UndoTest &t) { t.action("Delete1")->trigger(); }},
    {"delete key", 4, "删除", [](UndoTest &t) { QTest::keyClick(t.surface(), Qt::Key_Delete); }},
    {"drag", 2, "移动", [](UndoTest &t) { t.drag(t.centre(2), t.centre(2) + QPoint(15, -9)); }},
    {"drag a corner", 2, "调整大小",
     [](UndoTest &t) {
         const TLabelControl *s = t.item(2);
         const QPoint corner(s->Left + s->Width - 1, s->Top + s->Height - 1);
         t.drag(corner, corner + QPoint(12, 6));
     }},
    {"held move keys", 2, "移动", [](UndoTest &t) { t.keyBurst(Qt::Key_Right, Qt::ControlModifier, 4); }},
    {"held size keys", 2, "调整大小", [](UndoTest &t) { t.keyBurst(Qt::Key_Down, Qt::AltModifier, 3); }},
    // Several items: the second added with Shift, as a person does.
    {"group drag", 2, "移动", [](UndoTest &t) { t.drag(t.centre(2), t.centre(2) + QPoint(15, -9)); },
     [](UndoTest &t) { t.addToSelection(3); }},
    {"group keys", 2, "移动", [](UndoTest &t) { t.keyBurst(Qt::Key_Right, Qt::ShiftModifier, 2); },
     [](UndoTest &t) { t.addToSelection(4); }},
    {"group size keys", 2, "调整大小", [](UndoTest &t) { t.keyBurst(Qt::Key_Left, Qt::AltModifier, 1); },
     [](UndoTest &t) { t.addToSelection(3); }},
    {"group delete", 1, "删除", [](UndoTest &t) { QTest::keyClick(t.surface(), Qt::Key_Delete); },
     [](UndoTest &t) { t.addToSelection(3); }},
    {"cut", 0, "剪切", [](UndoTest &t) { QTest::keyClick(t.surface(), Qt::Key_X, Qt::ControlModifier); },
     [](UndoTest &t) { t.addToSelection(4); }},
    {"group paste", 2, "粘贴",
     [](UndoTest &t) {
         t.action("Copy1")->trigger();
         t.action("Paste1")->trigger();
     },
     [](UndoTest &t) { t.addToSelection(1); }},
    {"duplicate", 2, "复制副本", [](UndoTest &t) { QTest::keyClick(t.surface(), Qt::Key_D, Qt::ControlModifier); },
     [](UndoTest &t) { t.addToSelection(3); }},
    {"group font", 0, "字体",
     [](UndoTest &t) {
         t.whenModal([](QDialog *dialog) {
             Find<QComboBox>(dialog, "cbSize")->setCurrentText(QStringLiteral("15"));
             Find<QPushButton>(dialog, "OkayBtn")->click();
         });
         Find<QToolButton>(t.win.get(), "sbSelectFont")->click();
     },
     [](UndoTest &t) { t.addToSelection(4); }},
    {"group alignment", 0, "水平排列", [](UndoTest &t) { t.action("HACenter")->trigger(); },
     [](UndoTest &t) { t.addToSelection(4); }},
    {"typing", 0, "编辑文字",
     [](UndoTest &t) { QTest::keyClicks(Find<QLineEdit>(t.win.get(), "eText"), QStringLiteral("XY")); }},
    {"text source", 0, "高级区域",
     [](UndoTest &t) { ClickIndicator(Find<QRadioButton>(t.win.get(), "rbAdvancedText")); }},
    {"symbology", 1, "条形码系统",
     [](UndoTest &t) { Find<QComboBox>(t.win.get(), "cbBarcodeType")->setCurrentIndex(3); }},
    {"interpretation", 1, "注释行", [](UndoTest &t) { Find<QCheckBox>(t.win.get(), "cbInterpret")->click(); }},
    {"auto scale", 1, "自动调整比例", [](UndoTest &t) { Find<QCheckBox>(t.win.get(), "cbAutoScale")->click(); }},
    {"font", 0, "字体",
     [](UndoTest &t) {
         t.whenModal([](QDialog *dialog) {
             Find<QListWidget>(dialog, "lbStyle")->setCurrentRow(2);
             Find<QComboBox>(dialog, "cbSize")->setCurrentText(QStringLiteral("14"));
             Find<QPushButton>(dialog, "OkayBtn")->click();
         });
         Find<QToolButton>(t.win.get(), "sbSelectFont")->click();
     }},
    {"text colour", 4, "文字颜色",
     [](UndoTest &t) {
         t.chooseColour();
         Find<QPushButton>(t.win.get(), "TColorBtn")->click();
     }},
    {"shape", 2, "图形", [](UndoTest &t) { Find<QToolButton>(t.win.get(), "sbEllipse")->click(); }},
    {"pen", 2, "线条尺寸", [](UndoTest &t) { Find<QComboBox>(t.win.get(), "cbPenSize")->setCurrentIndex(4); }},
    {"brush", 2, "填充风格", [](UndoTest &t) { Find<QComboBox>(t.win.get(), "cbBrushStyle")->setCurrentIndex(3); }},
    {"pen colour", 2, "线条颜色",
     [](UndoTest &t) {
         t.chooseColour();
         Find<QPushButton>(t.win.get(), "LColorBtn")->click();
     }},
    {"picture", 3, "图像文件",
     [](UndoTest &t) {
         const QString blue = t.picture("blue.bmp", qRgb(0, 0, 255));
         t.whenModal([blue](QDialog *dialog) {
             auto *files = qobject_cast<QFileDialog *>(dialog);
             QVERIFY(files);
             Find<QLineEdit>(files, "fileNameEdit")->setText(blue);
             static_cast<QDialog *>(files)->accept();
         });
         Find<QToolButton>(t.win.get(), "sbGraphicFilename")->click();
     }},
    {"aspect", 3, "保持纵横比", [](UndoTest &t) { Find<QCheckBox>(t.win.get(), "cbMaintainAspect")->click(); }},
    {"horizontal alignment", 0, "水平排列", [](UndoTest &t) { t.action("HACenter")->trigger(); }},
    {"vertical alignment", 4, "垂直排列", [](UndoTest &t) { t.action("VABottom2")->trigger(); }},
    {"attach", 2, "附加到", [](UndoTest &t) { t.action("atClient")->trigger(); }},
    {"rotate", 1, "旋转", [](UndoTest &t) { t.action("Ro901")->trigger(); }},
    {"rotate a memo in the panel", 4, "旋转",
     [](UndoTest &t) {
         auto *list = Find<QComboBox>(t.win.get(), "cbRotation");
         list->setFocus();
         QTest::keyClick(list, Qt::Key_Down);
     }},
    {"typed width", 2, "调整大小",
     [](UndoTest &t) {
         auto *field = Find<QLineEdit>(t.win.get(), "eGeometryW");
         TypeInto(field, QStringLiteral("0.5"));
         QTest::keyClick(field, Qt::Key_Return);
     }},
    {"flip", 3, "翻转", [](UndoTest &t) { t.action("FlipHorz2")->trigger(); }},
    {"flip check box", 2, "垂直翻转",
     [](UndoTest &t) { Find<QCheckBox>(t.win.get(), "cbFLIP_VERT_pGraphics")->click(); }},
    {"auto-size", 0, "自动调整大小以适应", [](UndoTest &t) { t.action("AutoSize1")->trigger(); }},
    {"transparent", 2, "透明", [](UndoTest &t) { t.action("Transparent1")->trigger(); }},
    {"advanced text editor", 0, "高级区域",
     [](UndoTest &t) {
         TFAdvanced *dlg = t.win->FAdvanced;
         WhenShown(dlg, [dlg] {
             ClickIndicator(dlg->rbText);
             TypeInto(dlg->eText, QStringLiteral("Z"));
             QTest::mouseClick(dlg->AddBtn, Qt::LeftButton);
             QTest::mouseClick(dlg->OKBtn, Qt::LeftButton);
         });
         Find<QPushButton>(t.win.get(), "sbFieldEdit")->click();
     },
     [](UndoTest &t) { ClickIndicator(Find<QRadioButton>(t.win.get(), "rbAdvancedText")); }},
    {"label format", -1, "自定义标签设置",
     [](UndoTest &t) {
         TFLabelSettings *dlg = t.win->FLabelSettings;
         WhenShown(dlg, [dlg] {
             TypeInto(dlg->eLabelHeight, QStringLiteral("0.8"));
             MoveFocusTo(dlg->eLabelWidth);
             QTest::mouseClick(dlg->btnOk, Qt::LeftButton);
         });
         t.action("LabelOptions1")->trigger();
     }},
    {"template", -1, "载入标签格式",
     [](UndoTest &t) {
         const QString file = t.home.filePath("small.lbf");
         QFile f(file);
         QVERIFY(f.open(QIODevice::WriteOnly));
         f.write("[FORMAT]\r\nHEIGHT=0.7\r\nWIDTH=2\r\nTOPMARGIN=0\r\nLEFTMARGIN=0\r\nGAPHEIGHT=0\r\n"
                 "GAPWIDTH=0\r\nMETRIC=0\r\n");
         f.close();
         QVERIFY(t.win->LoadTemplateFile(file));
     }},
    // The same lengths with a sheet's grid limits: the limits alone are a step.
    {"template limits", -1, "载入标签格式",
     [](UndoTest &t) {
         const QString file = t.home.filePath("limits.lbf");
         QFile f(file);
         QVERIFY(f.open(QIODevice::WriteOnly));
         f.write("[FORMAT]\r\nHEIGHT=1.5\r\nWIDTH=2.5\r\nTOPMARGIN=0.25\r\nLEFTMARGIN=0.25\r\nGAPHEIGHT=0\r\n"
                 "GAPWIDTH=0\r\nMETRIC=0\r\nCOLUMNS=3\r\nROWS=20\r\n");
         f.close();
         QVERIFY(t.win->LoadTemplateFile(file));
     }},
    {"print advances the counter", 0, "打印计数",
     [](UndoTest &t) {
         TFPrintDlg *dlg = t.win->FPrintDlg;
         dlg->DeviceFactory = [&t] { return std::make_unique<TPdfPrinterDevice>(t.home.filePath("print.pdf")); };
         WhenShown(dlg, [dlg] { QTest::mouseClick(dlg->OkayBtn, Qt::LeftButton); });
         t.action("Print1")->trigger();
     },
     [](UndoTest &t) { ClickIndicator(Find<QRadioButton>(t.win.get(), "rbAdvancedText")); }},
    {"align several", -1, "左对齐",
     [](UndoTest &t) {
         for (int i : {0, 2, 4})
             t.item(i)->SetSelected(true);
         t.surface()->SelectItem(t.item(0));
         t.action("AlignLeft1")->trigger();
     }},
    {"bring to front", 0, "置前", [](UndoTest &t) { t.action("BringToFront1")->trigger(); }},
    {"send to back", 4, "置后", [](UndoTest &t) { t.action("SendToBack1")->trigger(); }},
    };
    return rows;
}
} // namespace

QTEST_MAIN(UndoTest)
#include "undo_qtest.moc"
