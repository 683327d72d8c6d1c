// The main window as a person uses it: add tools, edit commands, format menus,
// status bar, rulers and the properties panel, driven through the widgets.

#include "app/fmain.h"
#include "app/fmemodlg.h"
#include "app/linklabel.h"
#include "app/propertiespanel.h"
#include "app/rulers.h"
#include "barcode/barcode.h"
#include "canvas/canvaslabel.h"
#include "model/labelformat.h"
#include "app/messages.h"
#include "app/appprinter.h"
#include "app/fadvanced.h"
#include "app/fprintdlg.h"
#include "printing/qprinter_device.h"
#include "printing/sheetlayout.h"
#include "storage/document.h"
#include "storage/fileassociate.h"
#include "storage/fileguard.h"
#include "storage/labelfile.h"
#include "storage/recovery.h"
#include "printing/pdfdevice.h"
#include "picture/loadgraphic.h"
#include "dialogs_testkit.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QMimeData>
#include <QScrollArea>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>
#include <QWheelEvent>
#include <QCheckBox>
#include <QColorDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QFile>
#include <QSpinBox>
#include <QtTest>

#include <memory>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Receives the links the link label asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir home;
    QStringList questions;
    QStringList messages;
    TAsk::TAnswer answer = TAsk::No;
    std::unique_ptr<TFMain> win;
    TCanvasLabel *surface() const { return win->findChild<TCanvasLabel *>(); }
    QToolButton *button(const char *name) const { return Find<QToolButton>(win.get(), name); }
    QAction *action(const char *name) const { return Find<QAction>(win.get(), name); }
    QString panel(int i) const
    {
        const char *names[] = {"StatusPanel0", "StatusPanel1", "StatusPanel2"};
        return Find<QLabel>(win.get(), names[i])->text();
    }
    void whenModal(std::function<void(QDialog *)> steps) { WhenModal(this, std::move(steps)); }
    TLabelControl *clickWithTool(const char *tool, QPoint at, Qt::MouseButton b = Qt::LeftButton)
    {
        button(tool)->click();
        QTest::mouseClick(surface(), b, {}, at);
        return surface()->SelectedItem;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        // Settings, file types and crash copies go to a throw-away home.
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        qputenv("XDG_STATE_HOME", home.filePath("state").toUtf8());
        SetMessageHandler([this](const QString &m) { messages << m; });
        TAsk::Replace(std::make_unique<AnswerWith>([this](const QString &q) {
            questions << q;
            return answer;
        }));
        QGuiApplication::clipboard()->clear();
    }

    void init()
    {
        questions.clear();
        messages.clear();
        answer = TAsk::No;
        win = std::make_unique<TFMain>();
        win->OpenedFromCommandLine = false; // the test program's own arguments
        win->Surface->ScreenDpiX = win->Surface->ScreenDpiY = 96;
        win->SizeSurfaceFromFormat();
        win->show();
        QVERIFY(QTest::qWaitForWindowActive(win.get()));
    }

    void cleanup()
    {
        win.reset();
    }

    void startsWithFormTexts()
    {
        QCOMPARE(win->windowTitle(), QStringLiteral("未命名 — Quorvane"));
        QVERIFY(win->minimumWidth() >= 500 && win->minimumHeight() >= 400);
        QCOMPARE(panel(1), QStringLiteral("W:0   H:0"));
        QCOMPARE(panel(2), QStringLiteral("就绪"));
        QVERIFY(button("sbSelect")->isChecked());
        QVERIFY(!button("WriteBtn")->isEnabled());
        QVERIFY(!action("Save1")->isEnabled());
        QCOMPARE(action("Open1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(action("Delete1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Delete));
        QCOMPARE(button("sbBarcode")->toolTip(), QStringLiteral("添加条形码"));
        QCOMPARE(Find<QStackedWidget>(win.get(), "pLabelOptions")->currentWidget()->objectName(),
                 QStringLiteral("pNone"));
        QCOMPARE(surface()->width(), 240);
        QCOMPARE(surface()->height(), 144);
    }

    void textToolCreatesItemCentredOnClick()
    {
        button("sbText")->click();
        QCOMPARE(panel(2), QStringLiteral("Add Text"));
        QVERIFY(!surface()->DesignMode);
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(100, 40));
        QCOMPARE(surface()->Items.size(), 1);
        TLabelControl *item = surface()->Items.first();
        QCOMPARE(surface()->SelectedItem, item);
        QCOMPARE(item->Kind, ikText);
        QCOMPARE(item->Left, 90);
        QCOMPARE(item->Top, 30);
        QCOMPARE(panel(2), QStringLiteral("Edit Text"));
        QVERIFY(button("sbSelect")->isChecked());
        QVERIFY(surface()->DesignMode);
        QVERIFY(button("WriteBtn")->isEnabled());
        QVERIFY(action("Save1")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), Find<QLineEdit>(win.get(), "eText"));
        QCOMPARE(item->Font.Font.family(), QStringLiteral("Arial"));
        QCOMPARE(Find<QStackedWidget>(win.get(), "pLabelOptions")->currentWidget()->objectName(),
                 QStringLiteral("pText"));

        // Typing in the panel goes straight to the item.
        QTest::keyClicks(Find<QLineEdit>(win.get(), "eText"), QStringLiteral("AB"));
        QCOMPARE(item->Text, QStringLiteral("AB"));
    }

    void rightClickDisarmsWithoutCreating()
    {
        button("sbShape")->click();
        QCOMPARE(panel(2), QStringLiteral("Add Shape"));
        QTest::mouseClick(surface(), Qt::RightButton, {}, QPoint(50, 50));
        QVERIFY(surface()->Items.isEmpty());
        QCOMPARE(panel(2), QStringLiteral("Ready"));
        QVERIFY(button("sbSelect")->isChecked());
        QVERIFY(surface()->DesignMode);
        // Disarmed: the next left click creates nothing either.
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(surface()->Items.isEmpty());
    }

    void barcodeToolUsesChosenSymbology()
    {
        auto *list = Find<QComboBox>(win.get(), "cbBarcodeType");
        QCOMPARE(list->count(), kSymbologyCount);
        QCOMPARE(list->itemText(7), QStringLiteral("EAN 13"));
        QCOMPARE(list->itemText(17), QStringLiteral("GS1 DataMatrix"));
        list->setCurrentIndex(7);
        auto *b = static_cast<TBarcodeLabel *>(clickWithTool("sbBarcode", {120, 70}));
        QVERIFY(b);
        QCOMPARE(b->Kind, ikBarcode);
        QCOMPARE(int(b->BarcodeType), 6);
        QCOMPARE(b->Height, 50);
        QCOMPARE(b->Scale, 1);
        QCOMPARE(panel(2), QStringLiteral("Edit Barcode"));
    }

    void barcodeListFollowsSelectedSymbology()
    {
        auto *b = static_cast<TBarcodeLabel *>(clickWithTool("sbBarcode", {120, 70}));
        b->SetBarcodeType(9); // POSTNET
        surface()->SelectItem(b);
        QCOMPARE(Find<QComboBox>(win.get(), "cbBarcodeType")->currentIndex(), 12);
        // Auto scale on: the scale box cannot be changed; off: it can.
        auto *scale = Find<QWidget>(win.get(), "seBCScale");
        QVERIFY(!scale->isEnabled());
        Find<QAbstractButton>(win.get(), "cbAutoScale")->click();
        QVERIFY(!b->AutoScale);
        QVERIFY(scale->isEnabled());
    }

    void twoDimensionalSymbologyOptions()
    {
        auto *list = Find<QComboBox>(win.get(), "cbBarcodeType");
        list->setCurrentIndex(13); // QR Code
        auto *b = static_cast<TBarcodeLabel *>(clickWithTool("sbBarcode", {120, 70}));
        QVERIFY(b);
        QCOMPARE(int(b->BarcodeType), int(bcQRCode));
        auto *interpret = Find<QWidget>(win.get(), "cbInterpret");
        auto *options = Find<QWidget>(win.get(), "pBarcodeOptions");
        auto *ecc = Find<QComboBox>(win.get(), "cbBarcodeEcc");
        auto *size = Find<QComboBox>(win.get(), "cbBarcodeSize");
        auto *rect = Find<QCheckBox>(win.get(), "cbBarcodeRect");
        QVERIFY(!interpret->isEnabled());
        QVERIFY(!options->isHidden());
        QVERIFY(rect->isHidden()); // QR Code has no rectangles
        QCOMPARE(ecc->count(), 5);  // automatic, L, M, Q, H
        QCOMPARE(size->count(), 41);
        QCOMPARE(size->itemText(1), QStringLiteral("21x21"));
        ecc->setCurrentIndex(4);
        size->setCurrentIndex(2);
        QCOMPARE(b->BarcodeEcc, 3);
        QCOMPARE(b->BarcodeSize, 2);
        // Text the chosen version cannot hold: the status bar says why.
        Find<QLineEdit>(win.get(), "eText")->setText(QString(200, QLatin1Char('x')));
        QCOMPARE(panel(2), QStringLiteral("Data too long for QR Code"));
        Find<QLineEdit>(win.get(), "eText")->setText(QStringLiteral("ok"));
        QCOMPARE(panel(2), QStringLiteral("Edit Barcode"));
        // Data Matrix: no error correction choice, sizes of its own, rectangles;
        // the QR options it does not offer are back to automatic.
        list->setCurrentIndex(14);
        QCOMPARE(int(b->BarcodeType), int(bcDataMatrix));
        QCOMPARE(std::pair(b->BarcodeEcc, b->BarcodeSize), std::pair(-1, 2));
        QVERIFY(ecc->isHidden());
        QVERIFY(!rect->isHidden());
        QCOMPARE(size->currentText(), QStringLiteral("12x12"));
        size->setCurrentIndex(0);
        rect->click();
        QVERIFY(b->BarcodeRectangular);
        // Back to a linear symbology: no options, a human-readable line.
        list->setCurrentIndex(0);
        QVERIFY(options->isHidden());
        QVERIFY(interpret->isEnabled());
    }

    // A symbology found by typing in the list's search box and taken with the
    // keys; one of its options set, saved under its key, undone as one step;
    // a text it cannot hold said under the text box.
    void symbologySearchOptionsAndTextError_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("downs");
        QTest::addColumn<QString>("cliName");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("badText");
        QTest::addColumn<QString>("message");
        QTest::newRow("choice, by caption in capitals") << "ITF-14" << 0 << "itf14" << "cbOptBearer" << "bars"
                                                        << "BCOPT_BEARER=bars" << "12a4"
                                                        << "第3个字符“a”不能用于ITF-14：只能是数字";
        QTest::newRow("choice, second match") << "micro" << 1 << "microqr" << "cbOptVersion" << "M2"
                                              << "BCOPT_VERSION=M2" << "" << "";
        QTest::newRow("range, by command-line name") << "code16k" << 0 << "code16k" << "seOptRows" << "4"
                                                     << "BCOPT_ROWS=4" << "" << "";
        QTest::newRow("flag") << "logm" << 0 << "logmars" << "cbOptCheckdigit" << "1" << "BCOPT_CHECKDIGIT=1" << ""
                              << "";
        QTest::newRow("text") << "maxi" << 0 << "maxicode" << "eOptPrimary" << "152382802840001"
                              << "BCOPT_PRIMARY=152382802840001" << "" << "";
        QTest::newRow("quoted characters") << "codabar" << 0 << "codabar" << "cbOptCheckdigit" << "1"
                                           << "BCOPT_CHECKDIGIT=1" << "A12x4B"
                                           << "第4个字符“x”不能用于Codabar：只能是“0123456789-$:/.+ABCD”";
    }

    void symbologySearchOptionsAndTextError()
    {
        QFETCH(QString, typed);
        QFETCH(int, downs);
        QFETCH(QString, cliName);
        QFETCH(QString, control);
        QFETCH(QString, value);
        QFETCH(QString, key);
        QFETCH(QString, badText);
        QFETCH(QString, message);
        auto *b = static_cast<TBarcodeLabel *>(clickWithTool("sbBarcode", {120, 70}));
        QVERIFY(b);
        auto *list = Find<TSymbologyCombo>(win.get(), "cbBarcodeType");
        list->showPopup();
        QVERIFY(list->Popup()->isVisible());
        auto *search = Find<QLineEdit>(win.get(), "eBarcodeSearch");
        QTest::keyClicks(search, typed);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(search, Qt::Key_Down);
        QTest::keyClick(search, Qt::Key_Return);
        QVERIFY(!list->Popup()->isVisible());
        QCOMPARE(QLatin1String(FindSymbology(b->BarcodeType)->cliName), cliName);
        QCOMPARE(win->Document->Undo().undoText(), QStringLiteral("条形码系统"));

        QWidget *w = Find<QWidget>(win.get(), control.toLatin1().constData());
        if (auto *box = qobject_cast<QComboBox *>(w))
            box->setCurrentIndex(box->findData(value));
        else if (auto *spin = qobject_cast<QSpinBox *>(w))
            spin->setValue(value.toInt());
        else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            QTest::keyClicks(edit, value);
            QTest::keyClick(edit, Qt::Key_Return);
        } else
            qobject_cast<QCheckBox *>(w)->click();
        const QString name = key.section(QLatin1Char('='), 0, 0).mid(6).toLower();
        QCOMPARE(b->BarcodeNamedOptions, (QMap<QString, QString>{{name, value}}));
        const QString file = home.filePath(QStringLiteral("option.lbl"));
        QVERIFY(win->Document->SaveLabelFile(file));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString keys = QString::fromUtf8(saved.readAll());
        QVERIFY2(keys.contains(key), qPrintable(keys));
        QCOMPARE(keys.count(QStringLiteral("BCOPT_")), 1);

        action("Undo1")->trigger();
        QVERIFY(b->BarcodeNamedOptions.isEmpty());
        QCOMPARE(win->Document->Undo().undoText(), QStringLiteral("条形码系统"));

        auto *error = Find<QLabel>(win.get(), "LBarcodeError");
        if (!badText.isEmpty()) {
            Find<QLineEdit>(win.get(), "eText")->setText(badText);
            QVERIFY(!error->isHidden());
            QCOMPARE(error->text(), message);
        }
        Find<QLineEdit>(win.get(), "eText")->clear();
        QVERIFY(error->isHidden());
    }

    void copyThenPasteTwice()
    {
        TLabelControl *first = clickWithTool("sbMemo", {150, 80});
        QVERIFY(first);
        first->SetText(QStringLiteral("line 1\nline 2"));
        // A new item hands the focus to the text box, where Copy and Paste
        // work on the text; a click on the item gives the focus to the surface.
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(150, 80));
        QVERIFY(surface()->hasFocus());
        action("Copy1")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("line 1\nline 2"));
        // The pointer rests over the label: the copy goes under it.
        QTest::mouseMove(surface(), QPoint(60, 50));
        action("Paste1")->trigger();
        // Away from the label: to the middle of the part in view.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(surface(), &leave);
        action("Paste1")->trigger();
        QCOMPARE(surface()->Items.size(), 3);
        const QRect view = QRect(-surface()->pos(), Find<QWidget>(win.get(), "PMain")->size()) & surface()->rect();
        const QPoint centres[] = {{60, 50}, view.center()};
        for (int i : {1, 2}) {
            TLabelControl *p = surface()->Items[i];
            QCOMPARE(p->Kind, ikMemo);
            QVERIFY2(qAbs(p->Left + p->Width / 2 - centres[i - 1].x()) <= 1, qPrintable(QString::number(p->Left)));
            QVERIFY2(qAbs(p->Top + p->Height / 2 - centres[i - 1].y()) <= 1, qPrintable(QString::number(p->Top)));
            QCOMPARE(p->Width, first->Width);
            QCOMPARE(p->Text, QStringLiteral("line 1\nline 2"));
        }
        QCOMPARE(surface()->SelectedItem, surface()->Items[2]);
        QVERIFY(surface()->Items[1] != surface()->Items[2]);
    }

    // Several items through real input: Shift-click, a drag, the keys where a
    // click on the surface leaves the focus, select all, duplicate, cut and
    // paste; the saved file holds the exact design pixels.
    void severalItemsTogether()
    {
        TLabelControl *a = clickWithTool("sbShape", {40, 40});   // 28,28 25 x 25
        TLabelControl *b = clickWithTool("sbShape", {120, 80});  // 108,68
        TLabelControl *c = clickWithTool("sbShape", {200, 40});  // 188,28
        const QString file = home.filePath("group.lbl");
        auto savedBoxes = [&] {
            QList<QRect> boxes;
            if (!win->Document->SaveLabelFile(file))
                return boxes;
            TItemContainer back;
            back.ScreenDpiX = back.ScreenDpiY = 96;
            if (!LoadLabelFormat(file, back.LabelFormat))
                return boxes;
            back.FitSurfaceToFormat();
            if (!LoadLabel(file, back))
                return boxes;
            for (const TLabelControl *it : back.Items)
                boxes << QRect(it->Left, it->Top, it->Width, it->Height);
            return boxes;
        };
        auto key = [](Qt::Key k, Qt::KeyboardModifiers m = {}) { QTest::keyClick(QApplication::focusWidget(), k, m); };
        auto selected = [&] { return surface()->SelectedItems(); };

        // The panel's text box has the focus after an add; a click on the
        // surface takes it, and Shift adds the second item.
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(40, 40));
        QCOMPARE(QApplication::focusWidget(), surface());
        QTest::mouseClick(surface(), Qt::LeftButton, Qt::ShiftModifier, QPoint(120, 80));
        QCOMPARE(selected(), (QList<TLabelControl *>{a, b}));
        QCOMPARE(panel(0), QStringLiteral("X:0.29  Y:0.29"));
        QCOMPARE(panel(1), QStringLiteral("W:1.09  H:0.68"));

        // Snapping has its own test (dragSnaps); here the offsets are the mouse's.
        surface()->SnapToItems = false;
        QTest::mousePress(surface(), Qt::LeftButton, {}, QPoint(40, 40));
        QTest::mouseMove(surface(), QPoint(50, 45));
        QTest::mouseMove(surface(), QPoint(55, 47));
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, QPoint(55, 47));
        QCOMPARE(savedBoxes(), (QList<QRect>{{43, 35, 25, 25}, {123, 75, 25, 25}, {188, 28, 25, 25}}));
        QCOMPARE(win->Document->Undo().undoText(), QStringLiteral("移动"));
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(savedBoxes(), (QList<QRect>{{28, 28, 25, 25}, {108, 68, 25, 25}, {188, 28, 25, 25}}));
        QCOMPARE(selected(), (QList<TLabelControl *>{a, b}));

        // Keys: one pixel, ten with Shift, Alt sizes.
        key(Qt::Key_Right);
        key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_Right, Qt::AltModifier);
        key(Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), surface());
        QCOMPARE(savedBoxes(), (QList<QRect>{{29, 38, 26, 24}, {109, 78, 26, 24}, {188, 28, 25, 25}}));

        // Select all, then duplicate: one grid step (a quarter inch) off.
        key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(selected(), (QList<TLabelControl *>{a, b, c}));
        QTest::mouseClick(surface(), Qt::LeftButton, Qt::ControlModifier, QPoint(120, 85)); // b out again
        key(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(win->Document->Undo().undoText(), QStringLiteral("复制副本"));
        QCOMPARE(savedBoxes().mid(3), (QList<QRect>{{53, 62, 26, 24}, {212, 52, 25, 25}}));
        QCOMPARE(selected(), surface()->Items.mid(3));

        // Cut the copies, then paste them under the pointer: their box's
        // centre there, their places kept.
        key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(surface()->Items.size(), 3);
        QCOMPARE(win->HeldItems.size(), size_t(2));
        QTest::mouseMove(surface(), QPoint(130, 100));
        key(Qt::Key_V, Qt::ControlModifier);
        // Box 53..237 x 52..86, centre (145, 69); moved by (-15, 31).
        QCOMPARE(savedBoxes().mid(3), (QList<QRect>{{38, 93, 26, 24}, {197, 83, 25, 25}}));
        // Near the edge the group is kept inside the label (240 x 144).
        QTest::mouseMove(surface(), QPoint(235, 140));
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(savedBoxes().mid(5), (QList<QRect>{{56, 120, 26, 24}, {215, 110, 25, 25}}));
        // One step takes the paste away again, both items.
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(surface()->Items.size(), 5);
        // All deleted in one step, and back each in its place.
        const QList<QRect> five = savedBoxes();
        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_Delete);
        QVERIFY(surface()->Items.isEmpty());
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(savedBoxes(), five);
        QCOMPARE(surface()->SelectedItems().size(), 5);
    }

    // The panel shows what several items share, and a value they do not
    // share as mixed; the text, each item's own, is off.
    void panelShowsMixedValues()
    {
        TLabelControl *t = clickWithTool("sbText", {60, 40});
        TLabelControl *m = clickWithTool("sbMemo", {160, 90});
        m->Font.Font.setPointSize(14);
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(60, 40));
        QTest::mouseClick(surface(), Qt::LeftButton, Qt::ShiftModifier, QPoint(160, 90));
        QCOMPARE(surface()->SelectedItems(), (QList<TLabelControl *>{t, m}));
        auto *eFont = Find<QLineEdit>(win.get(), "eFont");
        QVERIFY(eFont->isVisible());
        QCOMPARE(eFont->text(), QString());
        QVERIFY(!eFont->placeholderText().isEmpty());
        QVERIFY(!Find<QLineEdit>(win.get(), "eText")->isEnabled());
        if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
            win->grab().save(shots + QStringLiteral("/several.png"));
        // Transparency differs: unchecked; then set on both as one step.
        t->SetTransparent(false);
        QTest::mouseClick(surface(), Qt::LeftButton, Qt::ControlModifier, QPoint(160, 90));
        QTest::mouseClick(surface(), Qt::LeftButton, Qt::ControlModifier, QPoint(160, 90));
        QVERIFY(!action("Transparent1")->isChecked());
        action("Transparent1")->trigger();
        QVERIFY(t->Transparent && m->Transparent);
        QVERIFY(action("Transparent1")->isChecked());
        // A shape beside them: no page is shared.
        clickWithTool("sbShape", {200, 30});
        surface()->SelectAll();
        QCOMPARE(Find<QStackedWidget>(win.get(), "pLabelOptions")->currentWidget()->objectName(), QStringLiteral("pNone"));
    }

    void pasteBeforeCopyDoesNothing()
    {
        action("Paste1")->trigger();
        QVERIFY(surface()->Items.isEmpty());
        QVERIFY(win->HeldItems.empty());
    }

    void copyOfPictureLeavesClipboard()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("keep me"));
        clickWithTool("sbGraphic", {60, 60});
        action("Copy1")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep me"));
        QCOMPARE(win->HeldItems.size(), size_t(1));
        QCOMPARE(win->HeldItems[0]->Kind, ikGraphic);
    }

    void cloneCopiesKindFieldsAndParts()
    {
        auto *s = static_cast<TShapeLabel *>(clickWithTool("sbShape", {60, 60}));
        s->SetShapeKind(skTriangle);
        s->Pen = {4, 0x0000FF};
        s->Brush = {3, 0x00FF00};
        s->SetAttach(iaBottom);
        auto text = std::make_unique<TTextField>();
        text->Text = QStringLiteral("X");
        s->Fields.push_back(std::move(text));
        std::unique_ptr<TLabelControl> c(win->CloneItem(s));
        auto *cs = static_cast<TShapeLabel *>(c.get());
        QCOMPARE(cs->ShapeKind, skTriangle);
        QCOMPARE(cs->Pen.Width, 4);
        QCOMPARE(cs->Brush.Style, 3);
        QCOMPARE(cs->Brush.Color, 0x00FF00);
        QCOMPARE(cs->Attach, iaBottom);
        QCOMPARE(cs->Left, 0);
        QCOMPARE(cs->Width, s->Width);
        QVERIFY(!cs->Loading);
        QCOMPARE(cs->Fields.size(), size_t(1));
        QCOMPARE(cs->Fields[0]->FieldType, QStringLiteral("TEXT"));
        QVERIFY(cs->Fields[0].get() != s->Fields[0].get());
    }

    void attachToClientChecksBothMenus()
    {
        TLabelControl *item = clickWithTool("sbShape", {60, 60});
        action("atClient")->trigger();
        QVERIFY(action("atClient")->isChecked());
        QVERIFY(action("atClient2")->isChecked());
        QVERIFY(!action("atNone2")->isChecked());
        QCOMPARE(item->Left, 0);
        QCOMPARE(item->Top, 0);
        QCOMPARE(item->Width, surface()->width());
        QCOMPARE(item->Height, surface()->height());
        QVERIFY(!item->AutoSize);
    }

    void formatCommandsSetItemAndChecks_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("twin");
        QTest::addColumn<QString>("tool");
        QTest::newRow("h centre") << "HACenter" << "HACenter2" << "sbHACenter";
        QTest::newRow("h right (pop-up)") << "HARight2" << "HARight" << "sbHARight";
        QTest::newRow("v bottom") << "VABottom" << "VABottom2" << "sbVABottom";
        QTest::newRow("v centre (pop-up)") << "VACenter2" << "VACenter" << "sbVACenter";
        QTest::newRow("rotate 270") << "Ro2701" << "Ro2702" << "";
        QTest::newRow("rotate 90 (pop-up)") << "Ro902" << "Ro901" << "";
    }

    void formatCommandsSetItemAndChecks()
    {
        QFETCH(QString, entry);
        QFETCH(QString, twin);
        QFETCH(QString, tool);
        TLabelControl *item = clickWithTool("sbText", {100, 60});
        action(entry.toLatin1().constData())->trigger();
        QVERIFY(action(twin.toLatin1().constData())->isChecked());
        if (!tool.isEmpty())
            QVERIFY(button(tool.toLatin1().constData())->isChecked());
        if (entry.startsWith("HA"))
            QCOMPARE(item->HorzAlign, entry.startsWith("HACenter") ? iaCenter : iaRight);
        else if (entry.startsWith("VA"))
            QCOMPARE(item->VertAlign, entry.startsWith("VABottom") ? iaBottom : iaCenter);
        else
            QCOMPARE(int(item->Rotation), entry.startsWith("Ro270") ? 3 : 1);
    }

    void alignmentButtonsAndToggles()
    {
        TLabelControl *item = clickWithTool("sbMemo", {100, 60});
        button("sbHARight")->click();
        QCOMPARE(item->HorzAlign, iaRight);
        QVERIFY(action("HARight")->isChecked());
        QVERIFY(action("Transparent1")->isChecked()); // memos start transparent
        action("Transparent2")->trigger();
        QVERIFY(!item->Transparent);
        QVERIFY(!action("Transparent1")->isChecked());
        action("AutoSize1")->trigger();
        QCOMPARE(item->AutoSize, action("AutoSize2")->isChecked());
        // Every kind but a shape turns; only shapes and pictures flip.
        QVERIFY(Find<QMenu>(win.get(), "Rotate1")->menuAction()->isEnabled());
        QVERIFY(!Find<QMenu>(win.get(), "Flip2")->menuAction()->isEnabled());
        clickWithTool("sbShape", {40, 40});
        QVERIFY(!Find<QMenu>(win.get(), "Rotation1")->menuAction()->isEnabled());
        QVERIFY(Find<QMenu>(win.get(), "Flip1")->menuAction()->isEnabled());
    }

    // X, Y, width and height typed in the label's unit: Enter applies as one
    // step, the label's edge holds, and the saved file has the exact pixels.
    void typedGeometryAppliesWithEnter_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("pixels");
        QTest::newRow("x inches") << "sbShape" << false << 0 << "1.25" << 120;
        QTest::newRow("y inches") << "sbShape" << false << 1 << "0.75" << 72;
        QTest::newRow("width inches") << "sbGraphic" << false << 2 << "0.75" << 72;
        QTest::newRow("height centimetres") << "sbShape" << true << 3 << "1.5" << 57; // 38 pixels a centimetre
        QTest::newRow("x past the edge") << "sbShape" << false << 0 << "9" << 240 - 25;
        QTest::newRow("memo width") << "sbMemo" << false << 2 << "1.01" << 97;
    }

    void typedGeometryAppliesWithEnter()
    {
        QFETCH(QString, tool);
        QFETCH(bool, metric);
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(int, pixels);
        const char *names[] = {"eGeometryX", "eGeometryY", "eGeometryW", "eGeometryH"};
        auto value = [field](const TLabelControl *item) {
            const int v[] = {item->Left, item->Top, item->Width, item->Height};
            return v[field];
        };
        TLabelControl *item = clickWithTool(tool.toLatin1().constData(), {60, 60});
        surface()->LabelFormat = ConvertUnits(surface()->LabelFormat, metric);
        win->SizeSurfaceFromFormat();
        surface()->SelectItem(item);
        auto *edit = Find<QLineEdit>(win.get(), names[field]);
        QVERIFY(edit->isEnabled());
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(value(item), pixels);
        QCOMPARE(action("Undo1")->text(), field < 2 ? QStringLiteral("撤销 移动(&U)") : QStringLiteral("撤销 调整大小(&U)"));
        const QString file = home.filePath("typed.lbl");
        QVERIFY(win->Document->SaveLabelFile(file));
        action("New1")->trigger();
        QVERIFY(win->LoadLabelFile(file));
        QCOMPARE(value(surface()->Items.first()), pixels);
    }

    // Esc puts the shown value back; the rotation turns memos and pictures,
    // the flips mirror pictures and shapes; each is a step, and each is saved.
    void typedGeometryEscRotationAndFlips()
    {
        TLabelControl *memo = clickWithTool("sbMemo", {100, 60});
        QTest::keyClicks(Find<QLineEdit>(win.get(), "eText"), "Lot 42 best before 2027");
        auto *x = Find<QLineEdit>(win.get(), "eGeometryX");
        const QString shown = x->text();
        const int steps = win->Document->Undo().count();
        QTest::mouseClick(x, Qt::LeftButton);
        QTest::keyClick(x, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(x, "2");
        QTest::keyClick(x, Qt::Key_Escape);
        QCOMPARE(x->text(), shown);
        QTest::keyClick(x, Qt::Key_Return);
        QCOMPARE(win->Document->Undo().count(), steps);

        const QSize upright(memo->Width, memo->Height);
        auto *rotation = Find<QComboBox>(win.get(), "cbRotation");
        QVERIFY(rotation->isEnabled());
        rotation->setFocus();
        QTest::keyClick(rotation, Qt::Key_Down);
        QCOMPARE(int(memo->Rotation), 1);
        QCOMPARE(QSize(memo->Width, memo->Height), upright.transposed());
        QVERIFY(action("Ro901")->isChecked());
        QCOMPARE(Find<QLineEdit>(win.get(), "eGeometryW")->text(), QLocale().toString(upright.height() / 96.0, 'f', 2));
        action("Undo1")->trigger();
        QCOMPARE(int(memo->Rotation), 0);
        QCOMPARE(rotation->currentIndex(), 0);
        QCOMPARE(Find<QLineEdit>(win.get(), "eGeometryW")->text(), QLocale().toString(upright.width() / 96.0, 'f', 2));
        action("Redo1")->trigger();
        QCOMPARE(rotation->currentIndex(), 1);

        QImage quad(40, 20, QImage::Format_RGB32);
        quad.fill(Qt::red);
        QPainter(&quad).fillRect(20, 0, 20, 10, Qt::blue);
        const QString bmp = home.filePath("quad.bmp");
        QVERIFY(quad.save(bmp));
        auto *picture = static_cast<TGraphicLabel *>(clickWithTool("sbGraphic", {60, 60}));
        QVERIFY(LoadGraphic(picture, bmp, nullptr));
        picture->SetFileName(bmp);
        action("Ro2701")->trigger();
        action("FlipHorz1")->trigger();
        QVERIFY(picture->FlipHorz);
        QVERIFY(action("FlipHorz2")->isChecked());
        QVERIFY(Find<QCheckBox>(win.get(), "cbFLIP_HORZ_pGraphicOptions")->isChecked());
        auto *triangle = static_cast<TShapeLabel *>(clickWithTool("sbShape", {180, 100}));
        button("sbTriangle")->click();
        action("FlipVert2")->trigger();
        QVERIFY(triangle->FlipVert);
        QCOMPARE(action("Undo1")->text(), QStringLiteral("撤销 翻转(&U)"));
        surface()->SelectItem(picture);
        if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
            win->grab().save(QDir(shots).filePath("geometry.png"));

        const QString file = home.filePath("turned.lbl");
        QVERIFY(win->Document->SaveLabelFile(file));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.count("ROTATE=90\r\n"), 1);
        QCOMPARE(bytes.count("ROTATE=270\r\n"), 1);
        QCOMPARE(bytes.count("FLIP_HORZ=1\r\n"), 1);
        QCOMPARE(bytes.count("FLIP_VERT=1\r\n"), 1);
        QVERIFY(!bytes.contains("FLIP_HORZ=0") && !bytes.contains("FLIP_VERT=0"));
        action("New1")->trigger();
        QVERIFY(win->LoadLabelFile(file));
        QCOMPARE(int(surface()->Items[0]->Rotation), 1);
        QCOMPARE(int(surface()->Items[1]->Rotation), 3);
        QVERIFY(surface()->Items[1]->FlipHorz && surface()->Items[2]->FlipVert);

        // Several selected: the box around them all, for reading only.
        int left = INT_MAX, right = 0;
        for (TLabelControl *item : surface()->Items) {
            item->SetSelected(true);
            left = qMin(left, item->Left);
            right = qMax(right, item->Left + item->Width);
        }
        surface()->SelectItem(surface()->Items[2]);
        QVERIFY(!x->isEnabled() && !rotation->isEnabled());
        QCOMPARE(x->text(), QLocale().toString(left / 96.0, 'f', 2));
        QCOMPARE(Find<QLineEdit>(win.get(), "eGeometryW")->text(), QLocale().toString((right - left) / 96.0, 'f', 2));
    }

    // 排列: each arrangement through its menu entry places the selected
    // items exactly, as the saved file tells; one undo puts all back.
    void arrangeMenuPlacesTheSelection_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("selected"); // the first n of the three
        QTest::addColumn<QList<QRect>>("boxes");
        // The three: (20,10)-(60,30), (100,50)-(130,90), (60,25)-(75,36).
        QTest::newRow("left") << "AlignLeft1" << 3
                              << QList<QRect>{{20, 10, 40, 20}, {20, 50, 30, 40}, {20, 25, 15, 11}};
        QTest::newRow("one to the label's right") << "AlignRight1" << 1
                                                  << QList<QRect>{{200, 10, 40, 20}, {100, 50, 30, 40}, {60, 25, 15, 11}};
        QTest::newRow("distribute") << "DistributeHorz1" << 3
                                    << QList<QRect>{{20, 10, 40, 20}, {100, 50, 30, 40}, {72, 25, 15, 11}};
        QTest::newRow("centre on the label") << "CentreVert1" << 2
                                             << QList<QRect>{{20, 32, 40, 20}, {100, 72, 30, 40}, {60, 25, 15, 11}};
        QTest::newRow("same height") << "SameHeight1" << 3
                                     << QList<QRect>{{20, 10, 40, 20}, {100, 50, 30, 20}, {60, 25, 15, 20}};
    }

    void arrangeMenuPlacesTheSelection()
    {
        QFETCH(QString, entry);
        QFETCH(int, selected);
        QFETCH(QList<QRect>, boxes);
        const QList<QRect> start{{20, 10, 40, 20}, {100, 50, 30, 40}, {60, 25, 15, 11}};
        QList<TLabelControl *> items;
        for (const QRect &r : start) {
            items << clickWithTool("sbShape", r.center());
            items.last()->SetBoundsRect({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, true);
        }
        for (int i = 0; i < 3; ++i)
            items[i]->SetSelected(i < selected);
        surface()->SelectItem(items[0]);
        // Distributing wants three, matching sizes two.
        QCOMPARE(action("DistributeHorz1")->isEnabled(), selected >= 3);
        QCOMPARE(action("SameWidth1")->isEnabled(), selected >= 2);
        QVERIFY(button("sbAlignLeft")->isEnabled());
        if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty() && selected == 3) {
            auto *menu = Find<QMenu>(win.get(), "Arrange1");
            menu->popup(win->mapToGlobal(QPoint(120, 20)));
            QTest::qWait(50);
            menu->grab().save(shots + "/arrange-menu.png");
            menu->hide();
            win->findChild<QWidget *>("pArrange")->grab().save(shots + "/arrange-bar.png");
        }
        QUndoStack &stack = win->Document->Undo();
        const int steps = stack.count();
        QAction *a = action(entry.toLatin1().constData());
        a->trigger();
        QCOMPARE(stack.count(), steps + 1);
        QCOMPARE(stack.undoText(), a->text());
        const QString file = home.filePath("arranged.lbl");
        QVERIFY(win->Document->SaveLabelFile(file));
        auto boxesOf = [](const QList<TLabelControl *> &list) {
            QList<QRect> out;
            for (const TLabelControl *it : list)
                out << QRect(it->Left, it->Top, it->Width, it->Height);
            return out;
        };
        action("Undo1")->trigger();
        QCOMPARE(boxesOf(items), start);
        QVERIFY(win->LoadLabelFile(file));
        QCOMPARE(boxesOf(surface()->Items), boxes);
    }

    // A dragged item snaps to another's edge within a few screen pixels at
    // any zoom, not with Alt held; to the grid when that is on, at the
    // spacing set in the label's unit. The choices are kept in the settings.
    void dragSnaps()
    {
        TLabelControl *fixed = clickWithTool("sbShape", {120, 50});
        fixed->SetBoundsRect({100, 40, 140, 60}, true);
        TLabelControl *moved = clickWithTool("sbShape", {40, 110});
        QVERIFY(action("SnapToItems1")->isChecked());
        QVERIFY(!action("SnapToGrid1")->isChecked());
        const struct {
            const char *name;
            double zoom;
            bool alt, grid, items;
            double inches;
            int to, left;
        } rows[] = {
            // 3 short of the other's right edge (140).
            {"100%", 1, false, false, true, 0.25, 137, 140},
            {"200%", 2, false, false, true, 0.25, 137, 140},
            {"Alt", 2, true, false, true, 0.25, 137, 137},
            {"400%: 12 screen pixels is too far", 4, false, false, true, 0.25, 137, 137},
            {"snap off", 1, false, false, false, 0.25, 137, 137},
            {"grid of a quarter inch", 1, false, true, false, 0.25, 50, 48},
            {"grid of a tenth", 1, false, true, false, 0.1, 31, 29},
        };
        for (const auto &r : rows) {
            moved->SetBoundsRect({20, 96, 60, 116}, true);
            if (action("SnapToGrid1")->isChecked() != r.grid)
                action("SnapToGrid1")->trigger();
            if (action("SnapToItems1")->isChecked() != r.items)
                action("SnapToItems1")->trigger();
            whenModal([&r](QDialog *dialog) {
                QCOMPARE(dialog->objectName(), QStringLiteral("GridSpacingDialog"));
                static_cast<QInputDialog *>(dialog)->setDoubleValue(r.inches);
                dialog->accept();
            });
            action("GridSpacing1")->trigger();
            QCOMPARE(win->Settings.GridInches, r.inches);
            surface()->SetZoom(r.zoom);
            auto at = [&r](int x, int y) { return QPoint(qRound(x * r.zoom), qRound(y * r.zoom)); };
            const Qt::KeyboardModifiers mods = r.alt ? Qt::AltModifier : Qt::NoModifier;
            QTest::mousePress(surface(), Qt::LeftButton, mods, at(40, 106));
            QTest::mouseEvent(QTest::MouseMove, surface(), Qt::NoButton, mods, at(40 + (r.to - 20) / 2, 106));
            QTest::mouseEvent(QTest::MouseMove, surface(), Qt::NoButton, mods, at(40 + r.to - 20, 106));
            // The guide shows while it snaps to an item, and goes with the button.
            QCOMPARE(!surface()->SnapGuides.isEmpty(), r.items && r.left != r.to);
            if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty() && r.zoom == 2 && !r.alt)
                win->grab().save(shots + "/snap-guide.png");
            QTest::mouseRelease(surface(), Qt::LeftButton, mods, at(40 + r.to - 20, 106));
            QVERIFY(surface()->SnapGuides.isEmpty());
            QVERIFY2(moved->Left == r.left && moved->Top == 96,
                     qPrintable(QStringLiteral("%1: %2,%3").arg(r.name).arg(moved->Left).arg(moved->Top)));
        }
        QVERIFY(win->Settings.SnapToGrid);
        QVERIFY(!win->Settings.SnapToItems);
        surface()->SetZoom(1);
        if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
            surface()->grab().save(shots + "/grid-tenth-inch.png");
        // The same entries in 编辑 as under 排列.
        QVERIFY(Find<QMenu>(win.get(), "Edit1")->actions().contains(action("SnapToGrid1")));
        QVERIFY(Find<QMenu>(win.get(), "Arrange1")->actions().contains(action("GridSpacing1")));
    }

    void statusShowsPositionInUnits()
    {
        TLabelControl *item = clickWithTool("sbShape", {60, 60});
        item->SetLeft(144);
        item->SetTop(48);
        QCOMPARE(panel(0), QStringLiteral("X:1.50  Y:0.50"));
        QCOMPARE(panel(1), QStringLiteral("W:0.26  H:0.26"));
        surface()->LabelFormat.Metric = true; // 38 pixels a centimetre at 96 DPI
        surface()->SelectItem(item);
        QCOMPARE(panel(0), QStringLiteral("X:3.79  Y:1.26"));
        SetLabelUnit(surface()->LabelFormat, TLabelUnit::Millimetre); // 96 / 25.4 pixels a millimetre
        surface()->SelectItem(item);
        QCOMPARE(panel(0), QStringLiteral("X:38.10  Y:12.70"));
    }

    // A text turned near the label's edge moves back onto the label whole;
    // one longer than the label says that its end is not printed.
    void rotatedTextStaysWhole()
    {
        const int width = surface()->SurfaceWidth(), height = surface()->SurfaceHeight();
        for (const char *text : {"ROTATE 90", "A text far longer than the label is high, turned on its side"}) {
            TLabelControl *item = clickWithTool("sbText", {width - 40, height - 12});
            item->SetText(QString::fromLatin1(text));
            surface()->repaint();
            action("Ro901")->trigger();
            surface()->repaint(); // the box takes the turned drawing's size
            QCOMPARE(item->Height, item->ItemBitmap.height());
            QCOMPARE(item->Width, item->ItemBitmap.width());
            const bool fits = item->ItemBitmap.height() <= height;
            QVERIFY(item->Top + item->Height <= height && item->Left + item->Width <= width);
            QCOMPARE(item->Top >= 0, fits);
            QCOMPARE(panel(2) == QStringLiteral("Edit Text"), fits);
        }
    }

    void selectionRefreshByKind()
    {
        auto *s = static_cast<TShapeLabel *>(clickWithTool("sbShape", {60, 60}));
        s->SetShapeKind(skTriangle);
        surface()->SelectItem(s);
        QVERIFY(button("sbTriangle")->isChecked());
        auto *stack = Find<QStackedWidget>(win.get(), "pLabelOptions");
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pGraphics"));
        Find<QComboBox>(win.get(), "cbBrushStyle")->setCurrentIndex(3);
        QCOMPARE(s->Brush.Style, 3);
        Find<QComboBox>(win.get(), "cbPenSize")->setCurrentIndex(8);
        QCOMPARE(s->Pen.Width, 9);
        button("sbEllipse")->click();
        QCOMPARE(s->ShapeKind, skEllipse);
        surface()->SelectItem(nullptr);
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pNone"));
        QCOMPARE(panel(2), QStringLiteral("Ready"));
    }

    void tabMovesThePanelToTheNextItem()
    {
        TLabelControl *text = clickWithTool("sbText", {100, 60});
        auto *shape = static_cast<TShapeLabel *>(clickWithTool("sbShape", {40, 40}));
        surface()->SelectItem(text);
        surface()->setFocus();
        QTest::keyClick(surface(), Qt::Key_Tab);
        QCOMPARE(surface()->SelectedItem, shape);
        QCOMPARE(Find<QStackedWidget>(win.get(), "pLabelOptions")->currentWidget()->objectName(),
                 QStringLiteral("pGraphics"));
        QCOMPARE(panel(2), QStringLiteral("Edit Shape"));
        QVERIFY(!Find<QLineEdit>(win.get(), "eText")->isEnabled());
        // The panel's edits reach the item it shows.
        Find<QComboBox>(win.get(), "cbPenSize")->setCurrentIndex(4);
        QCOMPARE(shape->Pen.Width, 5);
        QTest::keyClick(surface(), Qt::Key_Tab);
        QCOMPARE(panel(2), QStringLiteral("Edit Text"));
    }

    void shapePanelKeepsItsControlsAtTheSmallestWindow()
    {
        clickWithTool("sbShape", {60, 60});
        win->resize(win->minimumSize());
        QTRY_COMPARE(win->size(), QSize(500, 400));
        auto *page = Find<QWidget>(win.get(), "pGraphics");
        QVERIFY(page->isVisible());
        const QList<QWidget *> controls = page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *w : controls) {
            if (!w->isVisible() || w->objectName().startsWith("qt_"))
                continue;
            const QSize need = w->minimumSizeHint().expandedTo(w->minimumSize());
            QVERIFY2(w->width() >= need.width() && w->height() >= need.height(),
                     qPrintable(QStringLiteral("%1 is %2x%3, needs %4x%5").arg(w->objectName()).arg(w->width())
                                    .arg(w->height()).arg(need.width()).arg(need.height())));
        }
        for (const char *name : {"sbRectangle", "sbHLine", "LColorBtn", "FColorBtn"}) {
            auto *w = Find<QWidget>(win.get(), name);
            QVERIFY2(w->height() >= w->sizeHint().height(), name);
        }
        const QRect line(Find<QWidget>(win.get(), "pLine")->mapTo(page, QPoint()), QSize(22, 22));
        const QRect fill(Find<QWidget>(win.get(), "pFill")->mapTo(page, QPoint()), QSize(22, 22));
        QVERIFY(!line.intersects(fill));
        // What does not fit is reached by scrolling.
        auto *bar = Find<QScrollArea>(win.get(), "pBCScroll")->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        const QPoint bottom = Find<QWidget>(win.get(), "FColorBtn")->mapTo(Find<QWidget>(win.get(), "pBCScroll"), QPoint(0, 0));
        QVERIFY(bottom.y() + Find<QWidget>(win.get(), "FColorBtn")->height() <= Find<QWidget>(win.get(), "pBCScroll")->height());
    }

    void fontDialogStartsOnTheItemsFont_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("effects"); // underline and strike-out
        QTest::addColumn<int>("color");
        QTest::newRow("bold SimSun") << "SimSun" << 12 << true << false << false << 0;
        QTest::newRow("宋体") << "宋体" << 9 << false << false << false << 0x000080;
        QTest::newRow("white italic Arial") << "Arial" << 8 << false << true << true << 0xFFFFFF;
        QTest::newRow("Courier New, odd colour") << "Courier New" << 72 << true << true << false << 0x123456;
        QTest::newRow("a face nobody has") << "Tahoma" << 10 << false << false << true << 0;
        QTest::newRow("odd size") << "Arial" << 13 << false << false << false << 0;
    }

    void fontDialogStartsOnTheItemsFont()
    {
        QFETCH(QString, family);
        QFETCH(int, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, effects);
        QFETCH(int, color);
        TLabelControl *item = clickWithTool("sbText", {100, 60});
        item->Font.Font = QFont(family, size);
        item->Font.Font.setBold(bold);
        item->Font.Font.setItalic(italic);
        item->Font.Font.setUnderline(effects);
        item->Font.Font.setStrikeOut(effects);
        item->Font.Color = color;
        surface()->SelectItem(item);
        const TItemFont before = item->Font;
        bool seen = false;
        whenModal([&](QDialog *dialog) {
            seen = true;
            auto *families = Find<QListWidget>(dialog, "lbFamily");
            QVERIFY(families->currentItem());
            QCOMPARE(families->currentItem()->text(), family);
            // The label faces are offered by their label names.
            for (const char *face : {"Arial", "Courier New", "宋体", "SimSun"})
                QVERIFY2(!families->findItems(QString::fromUtf8(face), Qt::MatchExactly).isEmpty(), face);
            QCOMPARE(Find<QListWidget>(dialog, "lbStyle")->currentRow(), (bold ? 2 : 0) + (italic ? 1 : 0));
            QCOMPARE(Find<QComboBox>(dialog, "cbSize")->currentText(), QString::number(size));
            QCOMPARE(Find<QCheckBox>(dialog, "cbUnderline")->isChecked(), effects);
            QCOMPARE(Find<QCheckBox>(dialog, "cbStrikeOut")->isChecked(), effects);
            QCOMPARE(Find<QComboBox>(dialog, "cbColor")->currentData().toInt(), color);
            Find<QPushButton>(dialog, "OkayBtn")->click();
        });
        button("sbSelectFont")->click();
        QVERIFY(seen);
        // OK without a change leaves the item exactly as it was.
        QVERIFY(item->Font == before);
        QCOMPARE(item->Font.Font.family(), family);
        QCOMPARE(item->Font.Font.pointSize(), size);
        QCOMPARE(item->Font.Font.bold(), bold);
        QCOMPARE(item->Font.Color, color);
    }

    void fontDialogAndColourButtonChangeTheItem()
    {
        TLabelControl *item = clickWithTool("sbText", {100, 60});
        item->SetText(QStringLiteral("白"));
        whenModal([&](QDialog *dialog) {
            auto *families = Find<QListWidget>(dialog, "lbFamily");
            families->setCurrentItem(families->findItems(QStringLiteral("宋体"), Qt::MatchExactly).value(0));
            Find<QListWidget>(dialog, "lbStyle")->setCurrentRow(2);
            Find<QComboBox>(dialog, "cbSize")->setCurrentText(QStringLiteral("14"));
            auto *colours = Find<QComboBox>(dialog, "cbColor");
            colours->setCurrentIndex(colours->findText(QStringLiteral("白色")));
            Find<QPushButton>(dialog, "OkayBtn")->click();
        });
        button("sbSelectFont")->click();
        QCOMPARE(item->Font.Font.family(), QStringLiteral("宋体"));
        QVERIFY(item->Font.Font.bold() && !item->Font.Font.italic());
        QCOMPARE(item->Font.Font.pointSize(), 14);
        QCOMPARE(item->Font.Color, clWhite);
        QCOMPARE(Find<QLineEdit>(win.get(), "eFont")->text(), QStringLiteral("宋体 [14pt]"));
        QVERIFY(win->CurrentFont == item->Font);
        // White text on a transparent item survives a save and a load.
        if (!item->Transparent)
            action("Transparent1")->trigger();
        QVERIFY(item->Transparent);
        const QString file = home.filePath("white.lbl");
        QVERIFY(win->Document->SaveLabelFile(file));
        action("New1")->trigger();
        QVERIFY(win->LoadLabelFile(file));
        TLabelControl *back = surface()->Items.value(0);
        QVERIFY(back);
        QCOMPARE(back->Font.Color, clWhite);
        QCOMPARE(back->Font.Font.family(), QStringLiteral("宋体"));
        QVERIFY(back->Transparent);

        // The panel's own colour button.
        surface()->SelectItem(back);
        whenModal([](QDialog *dialog) {
            auto *colours = qobject_cast<QColorDialog *>(dialog);
            QVERIFY(colours);
            colours->setCurrentColor(QColor(255, 0, 0));
            colours->accept();
        });
        Find<QPushButton>(win.get(), "TColorBtn")->click();
        QCOMPARE(back->Font.Color, 0x0000FF);
        QCOMPARE(Find<QLabel>(win.get(), "pTextColor")->palette().color(QPalette::Window), QColor(255, 0, 0));
    }

    void textSourceSwitch()
    {
        clickWithTool("sbText", {100, 60});
        auto *eText = Find<QLineEdit>(win.get(), "eText");
        auto *fields = Find<QWidget>(win.get(), "lbFields");
        QVERIFY(eText->isEnabled());
        QVERIFY(!fields->isEnabled());
        Find<QAbstractButton>(win.get(), "rbAdvancedText")->click();
        QVERIFY(surface()->SelectedItem->Advanced);
        QVERIFY(!eText->isEnabled());
        QVERIFY(fields->isEnabled());
        QVERIFY(Find<QWidget>(win.get(), "sbFieldEdit")->isEnabled());
        QVERIFY(eText->palette().color(QPalette::Base) != fields->palette().color(QPalette::Base));
        Find<QAbstractButton>(win.get(), "rbSimpleText")->click();
        QVERIFY(!surface()->SelectedItem->Advanced);
        QVERIFY(eText->isEnabled());
        QCOMPARE(QApplication::focusWidget(), eText);
    }

    // The editor offers the header of the print dialog's source; a column
    // chosen by name is listed by it in the panel.
    void advancedEditorOffersTheSourcesColumns()
    {
        const QString file = home.filePath("goods.db");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
            db.setDatabaseName(file);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("create table goods (lot text, made text)")));
            QVERIFY(q.exec(QStringLiteral("insert into goods values ('A1', '2026-03-09')")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("make"));
        win->EnsureForms();
        win->FPrintDlg->SetSqlSource(QLatin1String("sqlite://") + file, QStringLiteral("select lot, made from goods"));
        clickWithTool("sbText", {100, 60});
        Find<QAbstractButton>(win.get(), "rbAdvancedText")->click();
        QStringList offered;
        whenModal([&](QDialog *dialog) {
            auto *editor = qobject_cast<TFAdvanced *>(dialog);
            QVERIFY(editor);
            for (int i = 0; i < editor->cbFieldName->count(); ++i)
                offered << editor->cbFieldName->itemText(i);
            ClickIndicator(editor->rbField);
            editor->cbFieldName->setCurrentIndex(1);
            QTest::mouseClick(editor->AddBtn, Qt::LeftButton);
            QTest::mouseClick(editor->OKBtn, Qt::LeftButton);
        });
        Find<QAbstractButton>(win.get(), "sbFieldEdit")->click();
        QCOMPARE(offered, (QStringList{"lot", "made"}));
        auto *list = Find<QListWidget>(win.get(), "lbFields");
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("FIELD[F_made]"));
    }

    void newLabelClearsItems()
    {
        clickWithTool("sbText", {100, 60});
        action("New1")->trigger();
        QVERIFY(surface()->Items.isEmpty());
        QVERIFY(!button("WriteBtn")->isEnabled());
        QVERIFY(!action("SaveFormat1")->isEnabled());
        QCOMPARE(Find<QStackedWidget>(win.get(), "pLabelOptions")->currentWidget()->objectName(),
                 QStringLiteral("pNone"));
    }

    void showGridsToggles()
    {
        QVERIFY(action("ShowGrids1")->isChecked());
        action("ShowGrids1")->trigger();
        QVERIFY(!surface()->ShowGrids);
        // A label saved without the grid brings the check off with it.
        const QString file = home.filePath("nogrid.lbl");
        QVERIFY(win->Document->SaveLabelFile(file));
        action("ShowGrids1")->trigger();
        QVERIFY(surface()->ShowGrids);
        QVERIFY(win->LoadLabelFile(file));
        QVERIFY(!surface()->ShowGrids);
        QVERIFY(!action("ShowGrids1")->isChecked());
        action("ShowGrids1")->trigger();
        QVERIFY(surface()->ShowGrids);
        action("AutoSaveSequence")->trigger();
        QVERIFY(!win->Settings.AutoSaveSeq);
        action("AutoSaveSequence")->trigger();
        QVERIFY(win->Settings.AutoSaveSeq);
    }

    void scrollingMovesSurfaceAndRulers()
    {
        auto *h = Find<QScrollBar>(win.get(), "HScrollBar");
        auto *v = Find<QScrollBar>(win.get(), "VScrollBar");
        // The default 240 x 144 label plus an inch fits the viewport.
        win->resize(900, 700);
        QTRY_COMPARE(h->maximum(), 0);
        QCOMPARE(v->maximum(), 0);
        surface()->LabelFormat.Label_Width = 12;
        surface()->LabelFormat.Label_Height = 10;
        win->SizeSurfaceFromFormat();
        auto *pmain = Find<QWidget>(win.get(), "PMain");
        QCOMPARE(h->maximum(), 12 * 96 + 96 - pmain->width());
        QCOMPARE(v->maximum(), 10 * 96 + 96 - pmain->height());
        QCOMPARE(h->pageStep(), 96);
        QCOMPARE(h->singleStep(), 12);
        h->setValue(30);
        v->setValue(20);
        QCOMPARE(surface()->pos(), QPoint(-30, -20));
        // Pasting while scrolled puts the copy under the pointer; away from
        // the label, in the middle of its visible part, and a copy too big
        // for the rest stays on the label.
        TLabelControl *shape = clickWithTool("sbShape", {100, 100});
        action("Copy1")->trigger();
        h->setValue(40);
        action("Paste1")->trigger();
        QCOMPARE(surface()->SelectedItem->Left, 100 - 12 + 10);
        QCOMPARE(surface()->SelectedItem->Top, 100 - 12);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(surface(), &leave);
        shape->SetWidth(700);
        shape->SetHeight(800);
        surface()->SelectItem(shape);
        action("Copy1")->trigger();
        h->setValue(h->maximum());
        v->setValue(v->maximum());
        QVERIFY(-surface()->x() + 5 > surface()->width() - 700);
        action("Paste1")->trigger();
        QCOMPARE(surface()->SelectedItem->Left, surface()->width() - 700);
        QCOMPARE(surface()->SelectedItem->Top, surface()->height() - 800);
        Find<QToolButton>(win.get(), "PReAlign")->click();
        QCOMPARE(surface()->pos(), QPoint(0, 0));
        QCOMPARE(h->value(), 0);
    }

    void zoomMapsClicksAndRulers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("zoom");
        QTest::newRow("25%") << "25%" << 0.25;
        QTest::newRow("50 without %") << "50" << 0.5;
        QTest::newRow("67%") << "67%" << 0.67;
        QTest::newRow("150%") << "150%" << 1.5;
        QTest::newRow("400%") << "400%" << 4.0;
        QTest::newRow("800%") << "800%" << 8.0;
        QTest::newRow("above the limit") << "1000%" << 8.0;
        QTest::newRow("below the limit") << "10%" << 0.25;
    }
    void zoomMapsClicksAndRulers()
    {
        QFETCH(QString, typed);
        QFETCH(double, zoom);
        win->resize(1200, 900);
        surface()->LabelFormat.Label_Width = 6;
        surface()->LabelFormat.Label_Height = 4;
        win->SizeSurfaceFromFormat();
        auto *box = Find<QComboBox>(win.get(), "ZoomBox");
        box->setEditText(typed);
        emit box->lineEdit()->editingFinished();
        QCOMPARE(surface()->Zoom(), zoom);
        QCOMPARE(box->currentText(), QString::number(qRound(zoom * 100)) + "%");
        QCOMPARE(surface()->size(), QSize(qRound(576 * zoom), qRound(384 * zoom)));
        QCOMPARE(surface()->SurfaceWidth(), 576);
        Find<QToolButton>(win.get(), "PReAlign")->click();

        // Where the rulers put one inch across and half an inch down, a click
        // with the shape tool centres the new item on that design pixel.
        auto *hr = Find<TRulerBox>(win.get(), "pbHRuler");
        auto *vr = Find<TRulerBox>(win.get(), "pbVRuler");
        QTRY_VERIFY(hr->width() > 800);
        auto at = [zoom](TRulerBox *r, TRulerTickKind kind) {
            for (const TRulerTick &t : RulerTicks(r->width() + r->height(), r->Origin(), 96, false, zoom))
                if (t.Kind == kind)
                    return t.Pos;
            return -1;
        };
        const int x = at(hr, TRulerTickKind::Whole), y = at(vr, TRulerTickKind::Half);
        QCOMPARE(x, ScreenPixel(96, zoom));
        QCOMPARE(y, ScreenPixel(48, zoom));
        TLabelControl *shape = clickWithTool("sbShape", QPoint(x, y) - surface()->pos());
        QVERIFY(shape);
        // Zoomed out, one screen pixel covers 1 / zoom design pixels.
        const int slack = zoom < 1 ? qCeil(1 / zoom) - 1 : 0;
        QVERIFY(qAbs(shape->Left + shape->Width / 2 - 96) <= slack);
        QVERIFY(qAbs(shape->Top + shape->Height / 2 - 48) <= slack);
        // The status bar gives the design position in inches.
        QCOMPARE(panel(0), QStringLiteral("X:%1  Y:%2").arg(QLocale().toString(shape->Left / 96.0, 'f', 2),
                                                            QLocale().toString(shape->Top / 96.0, 'f', 2)));

        // Ctrl+wheel zooms one step around the pointer: the design pixel under
        // it stays put unless the view is at its scroll limits.
        const QPoint before = surface()->pos();
        const QPointF where(x - before.x() + 0.5, y - before.y() + 0.5);
        QWheelEvent wheel(where, surface()->mapToGlobal(where), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(surface(), &wheel);
        const double stepped = surface()->Zoom();
        QCOMPARE(stepped, TCanvasLabel::StepZoom(zoom, 1));
        const auto *h = Find<QScrollBar>(win.get(), "HScrollBar");
        if (h->value() > 0 && h->value() < h->maximum())
            QVERIFY(qAbs(surface()->x() + where.x() / zoom * stepped - (before.x() + where.x())) <= 1);

        // Ctrl+0 returns to the actual size.
        QTest::keyClick(win.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(surface()->Zoom(), 1.0);
        QCOMPARE(surface()->size(), QSize(576, 384));
        QCOMPARE(box->currentText(), QStringLiteral("100%"));
        QVERIFY(qAbs(shape->Left + shape->Width / 2 - 96) <= slack); // the item never moved
    }

    void rulerTicks_data()
    {
        QTest::addColumn<int>("origin");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<int>("firstNumberAt");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("halfAt");
        QTest::addColumn<int>("eighths");
        QTest::newRow("inch") << 0 << false << 96 << 96 << 48 << 12;
        QTest::newRow("inch scrolled 30") << -30 << false << 66 << 96 << 18 << 12;
        QTest::newRow("metric") << 0 << true << 38 << 38 << 19 << 0;
        QTest::newRow("metric scrolled 30") << -30 << true << 8 << 38 << 27 << 0;
    }

    void rulerTicks()
    {
        QFETCH(int, origin);
        QFETCH(bool, metric);
        QFETCH(int, firstNumberAt);
        QFETCH(int, step);
        QFETCH(int, halfAt);
        QFETCH(int, eighths);
        const auto ticks = RulerTicks(400, origin, metric ? 38 : 96, metric);
        QVector<int> whole, half, eighth;
        for (const TRulerTick &t : ticks) {
            QVERIFY(t.Pos >= 1 && t.Pos <= 400);
            if (t.Kind == TRulerTickKind::Whole) {
                whole << t.Pos;
                QCOMPARE(t.Number, (t.Pos - origin) / step);
            } else if (t.Kind == TRulerTickKind::Half) {
                half << t.Pos;
            } else {
                eighth << t.Pos;
            }
        }
        QVERIFY(!whole.isEmpty());
        QCOMPARE(whole.first(), firstNumberAt);
        for (int i = 1; i < whole.size(); ++i)
            QCOMPARE(whole[i] - whole[i - 1], step);
        QVERIFY(half.contains(halfAt));
        if (eighths == 0) {
            QVERIFY(eighth.isEmpty());
        } else {
            // Whole, half and eighth ticks together mark every eighth inch.
            for (size_t i = 1; i < ticks.size(); ++i)
                QCOMPARE(ticks[i].Pos - ticks[i - 1].Pos, eighths);
        }
    }

    // Figures every so many whole ticks, by the zoom: the fewest of 1, 2, 5,
    // 10 … that keep them apart. Ticks are the ruler's own at each unit and
    // zoom, figures as wide as the ruler's font draws them.
    // The title names the file and marks unsaved changes.
    void titleNamesTheFileAndItsChanges()
    {
        clickWithTool("sbShape", {60, 60});
        QCOMPARE(win->windowTitle(), QStringLiteral("未命名* — Quorvane"));
        QVERIFY(win->Document->SaveLabelFile(home.filePath("product.lbl")));
        QCOMPARE(win->windowTitle(), QStringLiteral("product.lbl — Quorvane"));
        QTest::keyClick(surface(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(win->windowTitle(), QStringLiteral("product.lbl* — Quorvane"));
        action("Undo1")->trigger(); // back to the label as saved
        QCOMPARE(win->windowTitle(), QStringLiteral("product.lbl — Quorvane"));
        action("New1")->trigger();
        QCOMPARE(win->windowTitle(), QStringLiteral("未命名 — Quorvane"));
    }

    // Zoom to fit: the largest whole percent at which the label shows whole,
    // by the menu, its key and the zoom box; nothing is then scrolled.
    void zoomToFitShowsTheWholeLabel_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("small label") << 2.5 << 1.5;
        QTest::newRow("wide label") << 12.0 << 2.0;
        QTest::newRow("tall label") << 3.0 << 14.0;
    }

    void zoomToFitShowsTheWholeLabel()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        win->resize(900, 700);
        auto *pmain = Find<QWidget>(win.get(), "PMain");
        QTRY_VERIFY(pmain->width() > 500);
        surface()->LabelFormat.Label_Width = width;
        surface()->LabelFormat.Label_Height = height;
        win->SizeSurfaceFromFormat();
        auto *box = Find<QComboBox>(win.get(), "ZoomBox");
        auto *h = Find<QScrollBar>(win.get(), "HScrollBar");
        auto *v = Find<QScrollBar>(win.get(), "VScrollBar");
        action("ZoomToFit1")->trigger();
        const double fit = surface()->Zoom();
        QCOMPARE(fit, qRound(fit * 100) / 100.0);
        QVERIFY(surface()->width() <= pmain->width() && surface()->height() <= pmain->height());
        const double more = fit + 0.01;
        QVERIFY(width * 96 * more > pmain->width() - 8 || height * 96 * more > pmain->height() - 8);
        QCOMPARE(surface()->pos(), QPoint(0, 0));
        QCOMPARE(h->maximum(), 0);
        QCOMPARE(v->maximum(), 0);
        QCOMPARE(box->currentText(), QString::number(qRound(fit * 100)) + "%");
        // Ctrl+9, and the zoom box's last entry, from the actual size.
        QTest::keyClick(win.get(), Qt::Key_0, Qt::ControlModifier);
        QTest::keyClick(win.get(), Qt::Key_9, Qt::ControlModifier);
        QCOMPARE(surface()->Zoom(), fit);
        QTest::keyClick(win.get(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(box->itemText(box->count() - 1), QStringLiteral("缩放到合适大小"));
        emit box->activated(box->count() - 1);
        QCOMPARE(surface()->Zoom(), fit);
        QCOMPARE(box->currentText(), QString::number(qRound(fit * 100)) + "%");
    }

    // A label that fits the window at 200% (with less than an inch to
    // spare) stays in view when zoomed there around the view's centre.
    void aLabelThatFitsIsNotScrolledAway()
    {
        win->resize(900, 700);
        auto *pmain = Find<QWidget>(win.get(), "PMain");
        QTRY_VERIFY(pmain->width() > 500);
        surface()->LabelFormat.Label_Width = (pmain->width() - 20) / 192.0;
        surface()->LabelFormat.Label_Height = (pmain->height() - 20) / 192.0;
        win->SizeSurfaceFromFormat();
        while (surface()->Zoom() < 2)
            QTest::keyClick(win.get(), Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(surface()->Zoom(), 2.0);
        QVERIFY(surface()->height() <= pmain->height());
        QCOMPARE(surface()->pos(), QPoint(0, 0));
        QCOMPARE(Find<QScrollBar>(win.get(), "VScrollBar")->maximum(), 0);
        QCOMPARE(Find<QScrollBar>(win.get(), "HScrollBar")->maximum(), 0);
        if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty()) {
            win->grab().save(shots + QStringLiteral("/fits-at-200.png"));
            surface()->LabelFormat = ConvertUnits(surface()->LabelFormat, TLabelUnit::Millimetre);
            win->SizeSurfaceFromFormat();
            win->grab().save(shots + QStringLiteral("/millimetres-at-200.png"));
            while (surface()->Zoom() > 0.25)
                QTest::keyClick(win.get(), Qt::Key_Minus, Qt::ControlModifier);
            win->grab().save(shots + QStringLiteral("/millimetres-at-25.png"));
        }
    }

    // The window's first place lies on the screen's available area, at any
    // scale (ctest runs this once more under QT_SCALE_FACTOR=2).
    void opensWithinTheScreen()
    {
        const QRect avail = win->screen()->availableGeometry();
        QVERIFY2(avail.contains(win->frameGeometry()),
                 qPrintable(QStringLiteral("%1x%2+%3+%4 on %5x%6")
                                .arg(win->frameGeometry().width())
                                .arg(win->frameGeometry().height())
                                .arg(win->frameGeometry().x())
                                .arg(win->frameGeometry().y())
                                .arg(avail.width())
                                .arg(avail.height())));
        // Smaller than its usual least size only where the screen is.
        const QSize frame = win->frameGeometry().size();
        QVERIFY(frame.width() >= qMin(500, avail.width()) && frame.height() >= qMin(400, avail.height()));
    }

    void rulerFiguresKeepApart_data()
    {
        QTest::addColumn<int>("unit");
        QTest::addColumn<double>("unitPx");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("step"); // 0: whatever keeps them apart
        QTest::newRow("inch 100%") << int(TLabelUnit::Inch) << 96.0 << 1.0 << 1;
        QTest::newRow("inch 25%") << int(TLabelUnit::Inch) << 96.0 << 0.25 << 0;
        QTest::newRow("cm 100%") << int(TLabelUnit::Centimetre) << 38.0 << 1.0 << 1;
        QTest::newRow("cm 25%") << int(TLabelUnit::Centimetre) << 38.0 << 0.25 << 0;
        QTest::newRow("mm 100%") << int(TLabelUnit::Millimetre) << 96 / 25.4 << 1.0 << 1;
        QTest::newRow("mm 25%") << int(TLabelUnit::Millimetre) << 96 / 25.4 << 0.25 << 0;
        QTest::newRow("mm 800%") << int(TLabelUnit::Millimetre) << 96 / 25.4 << 8.0 << 1;
        QTest::newRow("mm 25% at 192 dpi") << int(TLabelUnit::Millimetre) << 192 / 25.4 << 0.25 << 0;
    }

    void rulerFiguresKeepApart()
    {
        QFETCH(int, unit);
        QFETCH(double, unitPx);
        QFETCH(double, zoom);
        QFETCH(int, step);
        const TLabelUnit u = TLabelUnit(unit);
        const QFontMetrics fm(TRulerBox(Qt::Horizontal).font());
        const auto ticks = RulerTicks(4000, 0, unitPx, u, zoom);
        const int per = RulerWholeNumber(u);
        int widest = 0;
        for (const TRulerTick &t : ticks)
            if (t.Kind == TRulerTickKind::Whole)
                widest = qMax(widest, fm.horizontalAdvance(QString::number(t.Number)));
        const int chosen = RulerFigureStep(unitPx * per * zoom, widest);
        if (step)
            QCOMPARE(chosen, step);
        int end = INT_MIN, shown = 0;
        for (const TRulerTick &t : ticks) {
            if (t.Kind != TRulerTickKind::Whole || (t.Number / per) % chosen)
                continue;
            const int w = fm.horizontalAdvance(QString::number(t.Number));
            QVERIFY2(t.Pos - w / 2 >= end + 4, qPrintable(QString::number(t.Number)));
            end = t.Pos - w / 2 + w;
            ++shown;
        }
        QVERIFY(shown >= 3);
        // The step is the fewest: the one below it in the series would not do.
        static const int series[] = {1, 2, 5, 10, 20, 50, 100, 200, 500};
        const int *at = std::find(std::begin(series), std::end(series), chosen);
        QVERIFY(at != std::end(series));
        if (at != std::begin(series))
            QVERIFY(*(at - 1) * unitPx * per * zoom < widest + 4);
    }

    void rulerFigureStep_data()
    {
        QTest::addColumn<double>("spacing");
        QTest::addColumn<int>("extent");
        QTest::addColumn<int>("step");
        QTest::newRow("an inch at 100%") << 96.0 << 20 << 1;
        QTest::newRow("a centimetre at 25%") << 9.5 << 14 << 2;
        QTest::newRow("ten millimetres at 25%") << 9.45 << 21 << 5;
        QTest::newRow("just enough") << 25.0 << 20 << 1;
        QTest::newRow("a pixel short") << 24.9 << 20 << 2;
        QTest::newRow("tiny") << 0.05 << 30 << 1000;
        QTest::newRow("no spacing") << 0.0 << 10 << 1;
    }

    void rulerFigureStep()
    {
        QFETCH(double, spacing);
        QFETCH(int, extent);
        QFETCH(int, step);
        QCOMPARE(RulerFigureStep(spacing, extent), step);
    }

    // In millimetres the rulers number every ten from the label's corner, on
    // the design pixel nearest to each, with a tick at every millimetre.
    void millimetreRulerTicks()
    {
        const double mmPx = 96 / 25.4;
        const auto ticks = RulerTicks(400, 0, mmPx, TLabelUnit::Millimetre, 1.0);
        QVector<int> numbered, counted;
        for (const TRulerTick &t : ticks) {
            if (t.Kind == TRulerTickKind::Whole) {
                numbered << t.Number;
                QCOMPARE(t.Pos, ScreenPixel(Round(t.Number * mmPx), 1.0));
            }
            counted << t.Pos;
        }
        QCOMPARE(numbered.mid(0, 3), (QVector<int>{10, 20, 30}));
        QCOMPARE(int(ticks.size()), int(400 / mmPx)); // every millimetre from 1 on
        // Zoomed out, single millimetres go before the fives and tens.
        for (const TRulerTick &t : RulerTicks(400, 0, mmPx, TLabelUnit::Millimetre, 0.5))
            QVERIFY(t.Kind != TRulerTickKind::Eighth);
    }

    void rulerTickEdgeCases()
    {
        // Column 0 is never marked, whatever the origin.
        for (const TRulerTick &t : RulerTicks(200, 0, 96, false))
            QVERIFY(t.Pos != 0);
        // Units too small to halve or split in eight give whole ticks only.
        for (const TRulerTick &t : RulerTicks(20, 0, 1, false))
            QCOMPARE(t.Kind, TRulerTickKind::Whole);
        QVERIFY(RulerTicks(20, 0, 0, false).empty());
        QVERIFY(RulerTicks(0, 0, 96, false).empty());
    }

    void rulerPaintBoxPixels()
    {
        win->resize(900, 700);
        auto *ruler = Find<TRulerBox>(win.get(), "pbHRuler");
        QTRY_VERIFY(ruler->width() > 300);
        const QImage img = ruler->grab().toImage();
        const int h = img.height();
        QCOMPARE(h, 20);
        auto black = [&](int x, int y) { return qGray(img.pixel(x, y)) < 60; };
        QVERIFY(black(96, h - 1));
        QVERIFY(black(96, 17));          // full-height tick (the number sits left of it)
        QVERIFY(black(48, h - 1));       // half tick reaches the middle
        QVERIFY(black(48, h / 2 + 1));
        QVERIFY(!black(48, 2));
        QVERIFY(black(12, h - 1));       // eighth tick, a quarter high
        QVERIFY(!black(12, h / 2));
        QVERIFY(!black(0, h - 1));       // nothing at column 0
        QVERIFY(!black(50, h - 1));

        auto *vruler = Find<TRulerBox>(win.get(), "pbVRuler");
        const QImage vimg = vruler->grab().toImage();
        QVERIFY(qGray(vimg.pixel(vimg.width() - 1, 48)) < 60);
        QVERIFY(qGray(vimg.pixel(2, 48)) > 60);
    }

    void memoDialogFirstLine_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("edited");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text keeps first of three") << int(ikText) << "one\ntwo\nthree" << "one";
        QTest::newRow("text CR LF") << int(ikText) << "one\r\ntwo" << "one";
        QTest::newRow("barcode empty") << int(ikBarcode) << "" << "";
        QTest::newRow("memo takes all") << int(ikMemo) << "one\ntwo" << "one\ntwo";
        QTest::newRow("shape keeps its text") << int(ikShape) << "new" << "old";
    }

    void memoDialogFirstLine()
    {
        QFETCH(int, kind);
        QFETCH(QString, edited);
        QFETCH(QString, expected);
        std::unique_ptr<TLabelControl> item(CreateItem(TItemKind(kind)));
        item->Text = QStringLiteral("old");
        ApplyEditedText(item.get(), edited);
        QCOMPARE(item->Text, expected);
    }

    void linkLabelOpensOnlyWithCaption()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        TLinkLabel empty;
        empty.SetLink(QStringLiteral("https://quorvane.example.org/a"));
        QTest::mousePress(&empty, Qt::LeftButton);
        QVERIFY(catcher.urls.isEmpty());
        QVERIFY(!empty.Visited());

        TLinkLabel link(QStringLiteral("quorvane.example.org"));
        link.SetLink(QStringLiteral("https://quorvane.example.org/b"));
        QCOMPARE(link.palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(link.font().underline());
        QTest::mousePress(&link, Qt::RightButton);
        QVERIFY(catcher.urls.isEmpty());
        QTest::mousePress(&link, Qt::LeftButton);
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl(QStringLiteral("https://quorvane.example.org/b"))});
        QVERIFY(link.Visited());
        QCOMPARE(link.palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    void brushNames()
    {
        const QStringList expected = {"Solid", "Clear", "Horizontal", "Vertical", "FDiagonal", "BDiagonal", "Cross", "DiagCross"};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(BrushStyleName(i), expected[i]);
        QCOMPARE(BrushStyleName(8), QStringLiteral("???"));
        QCOMPARE(BrushStyleName(-1), QStringLiteral("???"));
    }

    void saveAndLoadThroughTheWindow()
    {
        clickWithTool("sbMemo", {150, 80});
        clickWithTool("sbShape", {40, 40});
        QVERIFY(win->Document->LabelModified);
        const QString file = home.filePath("two.lbl");
        QVERIFY(win->Document->SaveLabelFile(file));
        QVERIFY(!button("WriteBtn")->isEnabled());
        action("New1")->trigger();
        QVERIFY(surface()->Items.isEmpty());
        QVERIFY(win->LoadLabelFile(file));
        QCOMPARE(surface()->Items.size(), 2);
        QCOMPARE(surface()->SelectedItem, nullptr);
        QCOMPARE(win->Document->CurrentLabelFile, file);
        // Loaded items report their moves to the status bar.
        TLabelControl *shape = surface()->Items[1];
        surface()->SelectItem(shape);
        shape->SetLeft(96);
        QVERIFY(panel(0).startsWith(QStringLiteral("X:1.00")));
        // A missing file opens nothing and keeps the label.
        QVERIFY(!win->OpenDocument(home.filePath("missing.lbl")));
        QVERIFY(!win->OpenDocument(home.filePath("picture.bmp")));
        QCOMPARE(surface()->Items.size(), 2);
        QVERIFY(messages.isEmpty());
        // A file that is no label (as chosen in the open dialog) is refused
        // by name, and the label, its name and its state stay.
        const QString data = home.filePath("prices.txt");
        QFile f(data);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("name,price\r\napple,3\r\n");
        f.close();
        surface()->SelectItem(shape);
        win->Document->SetLabelModified(true);
        QVERIFY(!win->LoadLabelFile(data));
        QCOMPARE(messages, QStringList{NotALabelMessage(data)});
        QCOMPARE(surface()->Items.size(), 2);
        QCOMPARE(surface()->SelectedItem, shape);
        QCOMPARE(win->Document->CurrentLabelFile, file);
        QVERIFY(win->Document->LabelModified);
        QVERIFY(!win->LoadTemplateFile(data));
        QCOMPARE(win->Document->CurrentTemplateFile, QString());
        // What a label reads other than as written is shown as it opens, one
        // message each, in the order met.
        const QString odd = home.filePath("odd.lbl");
        f.setFileName(odd);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[FORMAT]\r\nTOPMARGIN=-1\r\nCONTROLS=1\r\n[CNT_1]\r\nTYPE=GRAPHIC\r\nIMG_NAME=gone.bmp\r\n");
        f.close();
        messages.clear();
        QVERIFY(win->LoadLabelFile(odd));
        QCOMPARE(messages, (QStringList{QCoreApplication::translate("Storage", "%1: %2 would place labels outside the page; read as 0.")
                                            .arg(QDir::toNativeSeparators(odd), QStringLiteral("TOPMARGIN=-1")),
                                        QCoreApplication::translate("Picture", "Unable to locate Graphic file") + "\n\r" +
                                            home.filePath("gone.bmp")}));
    }

    // Two designers on one file, each through its own window and the real
    // file code: the second is warned, and a save over the other's save asks
    // first (cancel, overwrite, reload, another name); a lock whose process is
    // gone is taken over without a word.
    void twoDesignersOnOneFile()
    {
        struct Chooser : TAsk {
            QStringList asked;
            QList<int> answers;
            void Info(QWidget *, const QString &) override {}
            void Error(QWidget *, const QString &) override {}
            TAnswer Question(QWidget *, const QString &, bool) override { return Yes; }
            int Choose(QWidget *, const QString &text, const QStringList &) override
            {
                asked << text;
                return answers.isEmpty() ? -1 : answers.takeFirst();
            }
        };
        auto chooserOwned = std::make_unique<Chooser>();
        Chooser *chooser = chooserOwned.get();
        std::unique_ptr<TAsk> previous = TAsk::Replace(std::move(chooserOwned));
        const auto restore = qScopeGuard([&previous] { TAsk::Replace(std::move(previous)); });
        auto readFile = [](const QString &name) {
            QFile f(name);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };

        clickWithTool("sbText", {100, 60});
        const QString file = home.filePath("shared.lbl");
        QVERIFY(win->Document->SaveLabelFile(file));
        QVERIFY(win->LoadLabelFile(file));
        QVERIFY(QFile::exists(TLabelFileGuard::LockFileName(file)));
        QVERIFY(messages.isEmpty());

        auto other = std::make_unique<TFMain>();
        QVERIFY(other->LoadLabelFile(file));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QDir::toNativeSeparators(file)));
        QVERIFY(messages[0].contains(QString::number(QCoreApplication::applicationPid())));
        auto moveAndSave = [](TFMain *w, int left) {
            TLabelControl *item = w->findChild<TCanvasLabel *>()->Items[0];
            item->SetLeft(left);
            w->Document->SetLabelModified(true);
            Find<QAction>(w, "Save1")->trigger();
        };
        moveAndSave(other.get(), 30); // the file as this one opened it: no question
        QVERIFY(chooser->asked.isEmpty());
        const QByteArray theirs = readFile(file);

        moveAndSave(win.get(), 50); // cancelled: the file and the changes stay
        QCOMPARE(chooser->asked.size(), 1);
        QVERIFY(chooser->asked[0].contains(QDir::toNativeSeparators(file)));
        QCOMPARE(readFile(file), theirs);
        QVERIFY(win->Document->LabelModified);
        chooser->answers = {-1};
        QVERIFY(!win->QuerySave()); // nor does the window close over them

        chooser->answers = {2}; // overwrite
        Find<QAction>(win.get(), "Save1")->trigger();
        QVERIFY(!win->Document->LabelModified);
        const QByteArray ours = readFile(file);
        QVERIFY(ours != theirs);
        moveAndSave(win.get(), 60); // written by this one last: no question
        QCOMPARE(chooser->asked.size(), 3);

        chooser->answers = {1}; // the other reloads and gets this one's label
        moveAndSave(other.get(), 10);
        QCOMPARE(chooser->asked.size(), 4);
        QCOMPARE(other->findChild<TCanvasLabel *>()->Items[0]->Left, 60);
        QVERIFY(!other->Document->LabelModified);

        action("New1")->trigger(); // the label is no longer that file
        QVERIFY(!win->Document->LabelModified);
        other.reset();
        QVERIFY(!QFile::exists(TLabelFileGuard::LockFileName(file)));

        // A designer that was killed left its lock: taken over silently.
        QProcess gone;
        gone.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
        QVERIFY(gone.waitForFinished());
        const QByteArray deadPid = gone.readAllStandardOutput().trimmed();
        QFile lock(TLabelFileGuard::LockFileName(file));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(deadPid + "\nquorvane\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();
        messages.clear();
        QVERIFY(win->LoadLabelFile(file));
        QVERIFY(messages.isEmpty());
        QVERIFY(readFile(TLabelFileGuard::LockFileName(file))
                    .startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
    }

    void commandLineFileOpensAtFirstShow()
    {
        clickWithTool("sbText", {100, 60});
        const QString file = home.filePath("one.lbl");
        QVERIFY(win->Document->SaveLabelFile(file));
        win.reset();
        win = std::make_unique<TFMain>();
        win->CommandLineFile = file;
        win->OpenedFromCommandLine = true;
        win->show();
        QVERIFY(QTest::qWaitForWindowExposed(win.get()));
        QCOMPARE(surface()->Items.size(), 1);
        QCOMPARE(surface()->Items[0]->Kind, ikText);
        QVERIFY(!win->OpenedFromCommandLine);
    }

    void closingAsksAboutChanges()
    {
        clickWithTool("sbText", {100, 60});
        answer = TAsk::Cancel;
        questions.clear();
        QVERIFY(!win->close());
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0], kSaveChangesQuestion);
        QVERIFY(win->isVisible());
        answer = TAsk::No;
        QVERIFY(win->close());
    }

    void editsMarkTheLabelChanged()
    {
        TLabelControl *item = clickWithTool("sbShape", {60, 60});
        auto saved = [&] {
            QVERIFY(win->Document->SaveLabelFile(home.filePath("changed.lbl")));
            QVERIFY(!button("WriteBtn")->isEnabled());
        };
        saved();
        QTest::keyClick(surface(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(item->Left, 49); // 60 - 25 div 2, then one to the right
        QVERIFY(win->Document->LabelModified);
        QVERIFY(button("WriteBtn")->isEnabled());
        saved();
        action("Ro1802")->trigger();
        QVERIFY(action("Save1")->isEnabled());
        saved();
        Find<QComboBox>(win.get(), "cbPenSize")->setCurrentIndex(2);
        QVERIFY(action("Save1")->isEnabled());
        saved();
        // A press that changes nothing leaves the label as saved.
        QTest::mouseClick(surface(), Qt::LeftButton, {}, QPoint(200, 120));
        QVERIFY(!win->Document->LabelModified);
    }

    void everyNamedPartExists()
    {
        const char *actions[] = {
            "New1", "Open1", "LoadFormat1", "Save1", "SaveLabelAs1", "SaveFormat1", "SaveLabelFormatAs1", "Print1",
            "PrintPreview1", "PrintSetup1", "Exit1", "Cut1", "Copy1", "Paste1", "Delete1", "Duplicate1", "SelectAll1", "LabelOptions1", "ShowGrids1", "AutoSaveSequence",
            "HALeft", "HACenter", "HARight", "VATop", "VACenter", "VABottom", "atNone", "atLeft", "atRight", "atTop",
            "atBottom", "atClient", "RoNone1", "Ro901", "Ro1801", "Ro2701", "AutoSize1", "Transparent1", "WebHelp1",
            "About1", "BringToFront1", "SendToBack1", "HALeft2", "HACenter2", "HARight2", "VATop2", "VACenter2",
            "VABottom2", "atNone2", "atLeft2", "atRight2", "atTop2", "atBottom2", "atClient2", "RoNone2", "Ro902",
            "Ro1802", "Ro2702", "AutoSize2", "Transparent2", "FlipHorz1", "FlipVert1", "FlipHorz2", "FlipVert2"};
        for (const char *name : actions)
            QVERIFY2(win->findChild<QAction *>(name), name);
        const char *menus[] = {"File1", "Edit1", "Help1", "FormatOptions1", "HorizontalAL", "VerticalAL", "AttachTo",
                               "Rotate1", "LabelPopupMenu", "HorizontalAL2", "VerticalAl2", "AttachTo2", "Rotation1",
                               "Flip1", "Flip2"};
        for (const char *name : menus)
            QVERIFY2(win->findChild<QMenu *>(name), name);
        const char *widgets[] = {
            "FileOptions", "Panel3", "pAlign", "sbNew", "LoadBtn", "WriteBtn", "sbPrint", "sbSelect", "sbText",
            "sbBarcode", "sbMemo", "sbShape", "sbGraphic", "sbVATop", "sbVACenter", "sbVABottom", "sbHALeft",
            "sbHACenter", "sbHARight", "Panel2", "pBCSettings", "Panel7", "pRuler", "PReAlign", "pHRuler", "pbHRuler",
            "pVRuler", "pbVRuler", "PSubMain", "Panel1", "HScrollBar", "Panel4", "VScrollBar", "PMain", "StatusBar1",
            "rbSimpleText", "eText", "sbEditText", "rbAdvancedText", "sbFieldEdit", "lbFields", "pLabelOptions",
            "pNone", "pBarcode", "pText", "pGraphics", "pGraphicOptions", "cbBarcodeType", "cbInterpret",
            "eBarcodeSearch", "lbBarcodeTypes", "pNamedOptions", "LBarcodeError",
            "cbAutoScale", "seBCScale", "LScale", "eFont", "sbSelectFont", "sbRectangle", "sbEllipse", "sbTriangle",
            "sbRRectangle", "sbHLine", "sbVLine", "cbPenSize", "cbBrushStyle", "LColorBtn", "FColorBtn", "pLine",
            "pFill", "eGraphicFilename", "sbGraphicFilename", "cbMaintainAspect", "pGeometry", "eGeometryX",
            "eGeometryY", "eGeometryW", "eGeometryH", "cbRotation"};
        for (const char *name : widgets)
            QVERIFY2(win->findChild<QWidget *>(name), name);
        QCOMPARE(Find<QWidget>(win.get(), "PReAlign")->toolTip(), QStringLiteral("重置标签画布"));
        QCOMPARE(Find<QWidget>(win.get(), "pRuler")->height(), 20);
        QCOMPARE(Find<QWidget>(win.get(), "pVRuler")->width(), 20);
        QCOMPARE(Find<QWidget>(win.get(), "VScrollBar")->width(), 16);
        QCOMPARE(Find<QWidget>(win.get(), "Panel1")->height(), 13);
        QCOMPARE(Find<QWidget>(win.get(), "StatusPanel0")->width(), 110);
        QVERIFY(Find<QWidget>(win.get(), "pBCSettings")->minimumWidth() >= 152);
        // The rulers' x and y agree with the viewport's.
        const QPoint h = Find<QWidget>(win.get(), "pbHRuler")->mapTo(win.get(), QPoint(0, 0));
        const QPoint v = Find<QWidget>(win.get(), "pbVRuler")->mapTo(win.get(), QPoint(0, 0));
        const QPoint m = Find<QWidget>(win.get(), "PMain")->mapTo(win.get(), QPoint(0, 0));
        QCOMPARE(h.x(), m.x());
        QCOMPARE(v.y(), m.y());
    }

    void textBoxTakesCopyAndPaste()
    {
        clickWithTool("sbText", {100, 60});
        auto *eText = Find<QLineEdit>(win.get(), "eText");
        QCOMPARE(QApplication::focusWidget(), eText);
        eText->setText(QStringLiteral("hello"));
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        action("Copy1")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("hello"));
        QVERIFY(win->HeldItems.empty());
        eText->selectAll();
        QGuiApplication::clipboard()->setText(QStringLiteral("world"));
        action("Paste1")->trigger();
        QCOMPARE(eText->text(), QStringLiteral("world"));
        QCOMPARE(surface()->SelectedItem->Text, QStringLiteral("world"));
        QCOMPARE(surface()->Items.size(), 1);
    }

    void droppedLabelOpens()
    {
        clickWithTool("sbMemo", {100, 60});
        const QString file = home.filePath("dropped.lbl");
        QVERIFY(win->Document->SaveLabelFile(file));
        action("New1")->trigger();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(home.filePath("nothing.txt")), QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(win.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QCoreApplication::sendEvent(win.get(), &drop);
        QCOMPARE(surface()->Items.size(), 1);
        QCOMPARE(surface()->Items[0]->Kind, ikMemo);
    }

    void printFormsAreWired()
    {
        win->EnsureForms();
        QVERIFY(win->FPrintDlg);
        QVERIFY(win->FPrintDlg->DeviceFactory);
        QVERIFY(win->FPrintDlg->PrinterSetup);
        QVERIFY(win->Document->SaveLabelFile(home.filePath("named.lbl")));
        QCOMPARE(win->FPrintDlg->LabelFileName(), home.filePath("named.lbl"));
        // While a job runs the label cannot be edited.
        win->FPrintDlg->OnJobRunning(true);
        QVERIFY(!Find<QWidget>(win.get(), "PMain")->isEnabled());
        QVERIFY(!action("Delete1")->isEnabled() || !win->menuBar()->isEnabled());
        for (const char *band : {"FileOptions", "Panel3", "pAlign"})
            QVERIFY(!Find<QWidget>(win.get(), band)->isEnabled());
        win->FPrintDlg->OnJobRunning(false);
        QVERIFY(Find<QWidget>(win.get(), "PMain")->isEnabled());
        QVERIFY(button("sbText")->isEnabled());
    }

    void printShowsTheAdvancedCounter()
    {
        TLabelControl *item = clickWithTool("sbText", {100, 60});
        auto counter = std::make_unique<TSequenceField>();
        counter->CurVal = 7;
        item->Fields.push_back(std::move(counter));
        item->SetAdvanced(true);
        surface()->SelectItem(item);
        auto *list = Find<QListWidget>(win.get(), "lbFields");
        QCOMPARE(list->count(), 1);
        const QString before = list->item(0)->text();
        win->EnsureForms();
        win->FPrintDlg->DeviceFactory = [this] {
            return std::make_unique<TPdfPrinterDevice>(home.filePath("counter.pdf"));
        };
        WhenShown(win->FPrintDlg, [this] { QTest::mouseClick(win->FPrintDlg->OkayBtn, Qt::LeftButton); });
        action("Print1")->trigger();
        const int now = static_cast<TSequenceField *>(item->Fields[0].get())->CurVal;
        QVERIFY(now > 7);
        QCOMPARE(list->item(0)->text(), QStringLiteral("SEQUENCE[") + FieldDesignText(*item->Fields[0]) + "]");
        QVERIFY(list->item(0)->text() != before);
    }

    void recentFilesListTheLabelsOpenedAndDropMissingOnes()
    {
        const QString a = home.filePath("recent-a.lbl"), b = home.filePath("recent-b.lbl");
        QVERIFY(win->Document->SaveLabelFile(a) && win->Document->SaveLabelFile(b));
        for (const QString &f : {b, a, b})
            QVERIFY(win->LoadLabelFile(f));
        auto entries = [this] {
            QStringList out;
            for (QAction *e : Find<QMenu>(win.get(), "RecentFiles1")->actions())
                out << e->text();
            return out;
        };
        QCOMPARE(entries().mid(0, 2), (QStringList{"&1 " + b, "&2 " + a}));
        // The next start has them too.
        win = std::make_unique<TFMain>();
        QCOMPARE(entries().mid(0, 2), (QStringList{"&1 " + b, "&2 " + a}));

        QVERIFY(QFile::remove(b));
        messages.clear();
        action("RecentFile1")->trigger();
        QCOMPARE(messages, QStringList{"找不到文件 “" + b + "”，已将它从最近的文件中删除。"});
        QCOMPARE(entries().value(0), "&1 " + a);
        QVERIFY(!entries().join('\n').contains(b));
        action("RecentFile1")->trigger();
        QCOMPARE(win->Document->CurrentLabelFile, a);
    }

    void aModifiedLabelIsCopiedAndACrashedRunsCopyOffered()
    {
        const QString own = win->Recovery->FilePath();
        for (int i = 0; i < 5; ++i)
            clickWithTool("sbText", QPoint(20 + 40 * i, 40));
        QVERIFY(QFile::exists(own));
        QVERIFY(win->Document->SaveLabelFile(home.filePath("copied.lbl")));
        QVERIFY(!QFile::exists(own));

        // A run that died with an unsaved label.
        const QString lost = QStringLiteral("/nowhere/崩溃.lbl");
        auto crashedRun = [&] {
            const pid_t child = fork();
            if (child == 0) {
                TItemContainer items;
                auto *text = new TTextLabel;
                text->Text = QStringLiteral("未保存");
                items.AddItem(text);
                TRecoveryStore(RecoveryFolder(), getpid()).Write(items, lost, QString());
                _exit(0); // no clean-up, as in a crash
            }
            waitpid(child, nullptr, 0);
        };
        const QString asked = QStringLiteral("上次运行未正常结束。是否恢复未保存的标签 “崩溃.lbl”？");
        crashedRun();
        questions.clear();
        answer = TAsk::No;
        win->OfferRecovery();
        QCOMPARE(questions, QStringList{asked});
        QVERIFY(QDir(RecoveryFolder()).entryList({"recovery-*"}).isEmpty());

        crashedRun();
        questions.clear();
        answer = TAsk::Yes;
        win->OfferRecovery();
        QCOMPARE(questions, QStringList{asked});
        QCOMPARE(surface()->Items.size(), 1);
        QCOMPARE(surface()->Items[0]->GetText(), QStringLiteral("未保存"));
        QCOMPARE(win->Document->CurrentLabelFile, lost);
        QVERIFY(action("Save1")->isEnabled());
        // The label is this window's now: its copy only.
        QCOMPARE(QDir(RecoveryFolder()).entryList({"recovery-*.qvl"}), QStringList{QFileInfo(own).fileName()});
        win.reset(); // a clean end
        QVERIFY(QDir(RecoveryFolder()).entryList({"recovery-*"}).isEmpty());
    }

    void aSaveOnAFullDiskKeepsTheFileTheChangesAndTheCopy()
    {
        const QString own = win->Recovery->FilePath();
        const QString file = home.filePath("full.lbl");
        clickWithTool("sbText", {20, 40});
        QVERIFY(win->Document->SaveLabelFile(file));
        QFile old(file);
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray before = old.readAll();
        old.close();
        for (int i = 0; i < 5; ++i)
            clickWithTool("sbText", QPoint(60 + 30 * i, 40));
        QVERIFY(QFile::exists(own));

        // Any file over a few hundred bytes fails to grow, as on a full disk.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 300;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        messages.clear();
        action("Save1")->trigger();
        answer = TAsk::Yes; // closing saves, fails again, and must not let the label go
        const bool closed = win->close();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        QVERIFY(!closed);
        QCOMPARE(messages.size(), 2);
        QVERIFY2(messages[0].startsWith(QStringLiteral("无法写入到 %1: ").arg(file)), qPrintable(messages[0]));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
        QCOMPARE(QDir(home.path()).entryList({"full.lbl*"}), QStringList{"full.lbl"});
        QVERIFY(win->Document->LabelModified);
        QVERIFY(QFile::exists(own));
        action("Save1")->trigger();
        QVERIFY(!win->Document->LabelModified);
        QCOMPARE(surface()->Items.size(), 6);
    }

    void firstStartAsksOneQuestionAndANoHolds()
    {
        // A newcomer: no settings, no file types bound.
        QTemporaryDir fresh;
        const QByteArray config = qgetenv("XDG_CONFIG_HOME"), data = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", fresh.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", fresh.filePath("data").toUtf8());
        answer = TAsk::No;
        for (int start = 1; start <= 2; ++start) {
            questions.clear();
            win = std::make_unique<TFMain>();
            QCOMPARE(questions, start == 1 ? QStringList{kAssociateQuestion} : QStringList());
            QVERIFY(win->close());
        }
        qputenv("XDG_CONFIG_HOME", config);
        qputenv("XDG_DATA_HOME", data);
    }

    void dialogsOpenCentredOnTheWindow_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<int>("kind"); // item selected first, -1 for none
        QTest::newRow("label format") << "LabelOptions1" << -1;
        QTest::newRow("print") << "Print1" << -1;
        QTest::newRow("print preview") << "PrintPreview1" << -1;
        QTest::newRow("about") << "About1" << -1;
        QTest::newRow("memo text") << "sbEditText" << int(ikMemo);
        QTest::newRow("advanced text") << "sbFieldEdit" << int(ikText);
    }

    void dialogsOpenCentredOnTheWindow()
    {
        QFETCH(QString, opener);
        QFETCH(int, kind);
        if (kind == ikMemo)
            clickWithTool("sbMemo", {100, 60});
        if (kind == ikText) {
            clickWithTool("sbText", {100, 60});
            Find<QAbstractButton>(win.get(), "rbAdvancedText")->click();
        }
        QRect shown;
        QString caption;
        whenModal([&](QDialog *dialog) {
            shown = dialog->geometry();
            caption = dialog->windowTitle();
        });
        if (QAction *a = win->findChild<QAction *>(opener))
            a->trigger();
        else
            Find<QAbstractButton>(win.get(), opener.toLatin1().constData())->click();
        QVERIFY(shown.isValid());
        const QPoint off = shown.center() - win->geometry().center();
        QVERIFY2(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1,
                 qPrintable(QStringLiteral("%1 is off by %2, %3").arg(caption).arg(off.x()).arg(off.y())));
    }

    void printerSetupChoosesPrinterPaperAndOrientationOnly()
    {
        QPrinter *printer = win->Printer->Selected().Printer();
        const QPageLayout before = printer->pageLayout();
        // The measurements every layout is made from follow the choice.
        const auto measuredPaper = [this] {
            TPrinterMetrics m;
            win->Printer->Selected().Metrics(m);
            return m.PaperWidth;
        };
        const int paperWidth = measuredPaper();
        QPageSize chosen;
        auto choose = [&](bool confirm) {
            whenModal([&](QDialog *dialog) {
                QVERIFY(!qobject_cast<QPrintDialog *>(dialog));
                QCOMPARE(dialog->windowTitle(), QStringLiteral("打印设置"));
                // Printer, paper, orientation, OK and Cancel: nothing that prints.
                QVERIFY(Find<QComboBox>(dialog, "cbPrinter")->count() >= 1);
                QVERIFY(dialog->findChildren<QSpinBox *>().isEmpty());
                QCOMPARE(dialog->findChildren<QPushButton *>().size(), 2);
                auto *paper = Find<QComboBox>(dialog, "cbPaper");
                QVERIFY(paper->count() > 1);
                QVERIFY(paper->currentData().value<QPageSize>().isEquivalentTo(before.pageSize()));
                QVERIFY(Find<QRadioButton>(dialog, "rbPortrait")->isChecked());
                paper->setCurrentIndex(paper->currentIndex() == 0 ? 1 : 0);
                chosen = paper->currentData().value<QPageSize>();
                Find<QRadioButton>(dialog, "rbLandscape")->click();
                Find<QPushButton>(dialog, confirm ? "OkayBtn" : "CancelBtn")->click();
            });
            action("PrintSetup1")->trigger();
        };
        choose(false);
        QVERIFY(printer->pageLayout().pageSize().isEquivalentTo(before.pageSize()));
        QCOMPARE(printer->pageLayout().orientation(), QPageLayout::Portrait);
        choose(true);
        QVERIFY(printer->pageLayout().pageSize().isEquivalentTo(chosen));
        QCOMPARE(printer->pageLayout().orientation(), QPageLayout::Landscape);
        // The sheet layout was measured again on the new paper.
        QVERIFY(measuredPaper() != paperWidth);
        QCOMPARE(measuredPaper(), printer->pageLayout().fullRectPixels(printer->resolution()).width());
    }

    void helpFileIsFound()
    {
        // The build folders sit in the source tree, so the development copy is found.
        const QString help = TFMain::HelpFile();
        QVERIFY2(!help.isEmpty(), "Help.html not found");
        QFile f(help);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(f.readAll()).contains(QStringLiteral("添加条形码")));
    }
};

int main(int argc, char **argv)
{
    // The label faces as the installed program has them: through its font rule.
    const QString rule = qEnvironmentVariable("QV_BINARY_DIR") + QStringLiteral("/fontconfig/fonts.conf");
    if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE") && QFile::exists(rule))
        qputenv("FONTCONFIG_FILE", QFile::encodeName(rule));
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    MainWindowTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "mainwindow_qtest.moc"
