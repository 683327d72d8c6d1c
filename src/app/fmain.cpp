#include "app/fmain.h"

#include "app/fabout.h"
#include "app/appprinter.h"
#include "app/dialogkit.h"
#include "app/fadvanced.h"
#include "app/flabelsettings.h"
#include "app/fprintdlg.h"
#include "app/fprintprogress.h"
#include "app/ftextimport.h"
#include "app/glyphs.h"
#include "app/language.h"
#include "app/propertiespanel.h"
#include "app/rulers.h"
#include "barcode/barcode.h"
#include "canvas/canvaslabel.h"
#include "render/itemrender.h"
#include "model/labelformat.h"
#include "printing/sheetlayout.h"
#include "storage/document.h"
#include "storage/fileassociate.h"
#include "storage/settings.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "model/messages.h"

TFMain *FMain = nullptr;

std::function<int(QWidget *, const QString &, bool)> TFMain::Ask = [](QWidget *parent, const QString &question,
                                                                      bool withCancel) {
    QMessageBox box(QMessageBox::Question, kConfirmCaption, question, QMessageBox::NoButton, parent);
    box.addButton(QMessageBox::Yes)->setText(kYesButton);
    box.addButton(QMessageBox::No)->setText(kNoButton);
    if (withCancel)
        box.addButton(QMessageBox::Cancel)->setText(kCancelButton);
    box.setDefaultButton(QMessageBox::Yes);
    const int r = box.exec();
    // Closing the box without a button is a No, or a Cancel when offered.
    if (r != QMessageBox::Yes && r != QMessageBox::No)
        return withCancel ? int(QMessageBox::Cancel) : int(QMessageBox::No);
    return r;
};

namespace {

QAction *MakeAction(QObject *parent, QMenu *menu, const char *name, const QString &caption,
                    const QKeySequence &shortcut = {})
{
    auto *a = new QAction(caption, parent);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    menu->addAction(a);
    return a;
}

QAction *MakeCheck(QObject *parent, QMenu *menu, const char *name, const QString &caption, bool checked,
                   QActionGroup *group = nullptr)
{
    QAction *a = MakeAction(parent, menu, name, caption);
    a->setCheckable(true);
    a->setChecked(checked);
    if (group)
        group->addAction(a);
    return a;
}

QMenu *MakeMenu(QWidget *parent, const char *name, const QString &caption)
{
    auto *m = new QMenu(caption, parent);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QWidget *MakePanel(QWidget *parent, const char *name)
{
    auto *w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

void SetBackground(QWidget *w, QPalette::ColorRole role)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, pal.color(role));
    w->setPalette(pal);
}

} // namespace

TFMain::TFMain(QWidget *parent) : QMainWindow(parent)
{
    FMain = this;
    setObjectName(QStringLiteral("FMain"));
    setWindowTitle(QStringLiteral("Quorvane V1.00"));
    setWindowIcon(ProgramIcon());
    setMinimumSize(500, 400);

    CurrentFont.Font = QFont(QStringLiteral("Arial"), 8);

    BuildToolBands();
    BuildMenus();
    BuildPopupMenu();
    BuildWorkArea();
    BuildStatusBar();

    CreateSurface();
    Document = std::make_unique<TLabelDocument>(*Surface);
    Document->OnStateChange = [this] { RefreshSaveButtons(); };
    InitScreenDpi();
    Surface->move(0, 0);
    cbBarcodeType->setCurrentIndex(0);

    LoadSettings();
    AutoSaveSequence->setChecked(AutoSaveSeq);
    QString error;
    if (!CheckFileAssociations(
            QCoreApplication::applicationFilePath(),
            [this](const QString &q) { return Ask(this, q, false) == QMessageBox::Yes; }, &error)
        && !error.isEmpty())
        ShowMessage(error);

    SizeSurfaceFromFormat();
    ShowGrids1->setChecked(::ShowGrids);
    ShowKindPanel(pNone);

    const QStringList args = QCoreApplication::arguments();
    OpenedFromCommandLine = args.size() > 1;
    // Resolved before the folder changes: a relative name is the user's.
    if (OpenedFromCommandLine)
        CommandLineFile = QFileInfo(args[1]).absoluteFilePath();
    if (!QCoreApplication::applicationDirPath().isEmpty())
        QDir::setCurrent(QCoreApplication::applicationDirPath());
    cbPenSize->setCurrentIndex(0);
    cbBrushStyle->setCurrentIndex(0);
    Printer = std::make_unique<TAppPrinter>();
    ComputeSheetLayout();
    setAcceptDrops(true);

    resize(860, 600);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());
    }
}

TFMain::~TFMain()
{
    SetToolCursor(false);
    // The surface's items call back into this window; cut those ties before
    // the window's members go.
    if (Surface) {
        Surface->OnSelectItem = nullptr;
        Surface->OnMouseDown = nullptr;
        Surface->OnPopup = nullptr;
        for (TLabelControl *item : Surface->Items)
            item->OnBoundsChange = nullptr;
        // Its destructor still sends events, which the filter would read as
        // coming from a whole TCanvasLabel.
        Surface->removeEventFilter(this);
        delete Surface;
        Surface = nullptr;
    }
    HeldCopy.reset();
    if (FMain == this)
        FMain = nullptr;
}

// ---------------------------------------------------------------- layout

void TFMain::BuildToolBands()
{
    auto tool = [](QToolBar *bar, const char *name, const QString &hint, bool checkable) {
        auto *b = new QToolButton(bar);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setIcon(ToolGlyph(b->objectName()));
        b->setIconSize(QSize(20, 20));
        b->setCheckable(checkable);
        b->setAutoRaise(true);
        bar->addWidget(b);
        return b;
    };
    auto band = [this](const char *name, int minWidth) {
        auto *bar = new QToolBar(this);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setMinimumWidth(minWidth);
        bar->setMovable(true);
        addToolBar(Qt::TopToolBarArea, bar);
        return bar;
    };

    FileOptions = band("FileOptions", 120);
    sbNew = tool(FileOptions, "sbNew", QStringLiteral("新标签"), false);
    LoadBtn = tool(FileOptions, "LoadBtn", QStringLiteral("载入标签"), false);
    WriteBtn = tool(FileOptions, "WriteBtn", QStringLiteral("保存标签"), false);
    WriteBtn->setEnabled(false);
    FileOptions->addSeparator();
    sbPrint = tool(FileOptions, "sbPrint", QStringLiteral("打印标签"), false);
    connect(sbNew, &QToolButton::clicked, this, &TFMain::New1Click);
    connect(LoadBtn, &QToolButton::clicked, this, &TFMain::Open1Click);
    connect(WriteBtn, &QToolButton::clicked, this, &TFMain::Save1Click);
    connect(sbPrint, &QToolButton::clicked, this, &TFMain::Print1Click);

    Panel3 = band("Panel3", 160);
    sbSelect = tool(Panel3, "sbSelect", QStringLiteral("选择工具"), true);
    sbText = tool(Panel3, "sbText", QStringLiteral("添加文字"), true);
    sbBarcode = tool(Panel3, "sbBarcode", QStringLiteral("添加条形码"), true);
    sbMemo = tool(Panel3, "sbMemo", QStringLiteral("添加备注"), true);
    sbShape = tool(Panel3, "sbShape", QStringLiteral("添加图形"), true);
    sbGraphic = tool(Panel3, "sbGraphic", QStringLiteral("添加图像"), true);
    ToolGroup = new QButtonGroup(this);
    for (QToolButton *b : {sbSelect, sbText, sbBarcode, sbMemo, sbShape, sbGraphic})
        ToolGroup->addButton(b);
    sbSelect->setChecked(true);
    connect(sbSelect, &QToolButton::clicked, this, &TFMain::sbSelectClick);
    for (QToolButton *b : {sbText, sbBarcode, sbMemo, sbShape, sbGraphic})
        connect(b, &QToolButton::clicked, this, [this, b] { AddToolClick(b); });

    pAlign = band("pAlign", 170);
    sbVATop = tool(pAlign, "sbVATop", QStringLiteral("垂直靠顶排列"), true);
    sbVACenter = tool(pAlign, "sbVACenter", QStringLiteral("垂直居中排列"), true);
    sbVABottom = tool(pAlign, "sbVABottom", QStringLiteral("垂直靠底排列"), true);
    pAlign->addSeparator();
    sbHALeft = tool(pAlign, "sbHALeft", QStringLiteral("水平靠左排列"), true);
    sbHACenter = tool(pAlign, "sbHACenter", QStringLiteral("水平居中排列"), true);
    sbHARight = tool(pAlign, "sbHARight", QStringLiteral("水平靠右排列"), true);
    VAlignGroup = new QButtonGroup(this);
    VAlignGroup->addButton(sbVATop);
    VAlignGroup->addButton(sbVACenter);
    VAlignGroup->addButton(sbVABottom);
    HAlignGroup = new QButtonGroup(this);
    HAlignGroup->addButton(sbHALeft);
    HAlignGroup->addButton(sbHACenter);
    HAlignGroup->addButton(sbHARight);
    sbVATop->setChecked(true);
    sbHALeft->setChecked(true);
    connect(sbVATop, &QToolButton::clicked, this, [this] { SetVertAlign(iaTop); });
    connect(sbVACenter, &QToolButton::clicked, this, [this] { SetVertAlign(iaCenter); });
    connect(sbVABottom, &QToolButton::clicked, this, [this] { SetVertAlign(iaBottom); });
    connect(sbHALeft, &QToolButton::clicked, this, [this] { SetHorzAlign(iaLeft); });
    connect(sbHACenter, &QToolButton::clicked, this, [this] { SetHorzAlign(iaCenter); });
    connect(sbHARight, &QToolButton::clicked, this, [this] { SetHorzAlign(iaRight); });
}

void TFMain::BuildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    File1 = MakeMenu(this, "File1", QStringLiteral("文件(&F)"));
    bar->addMenu(File1);
    New1 = MakeAction(this, File1, "New1", QStringLiteral("新建(&N)"));
    File1->addSeparator();
    Open1 = MakeAction(this, File1, "Open1", QStringLiteral("打开标签(&O)"), QKeySequence(Qt::CTRL | Qt::Key_O));
    LoadFormat1 = MakeAction(this, File1, "LoadFormat1", QStringLiteral("载入标签格式"));
    File1->addSeparator();
    Save1 = MakeAction(this, File1, "Save1", QStringLiteral("保存标签(&S)"), QKeySequence(Qt::CTRL | Qt::Key_S));
    Save1->setEnabled(false);
    SaveLabelAs1 = MakeAction(this, File1, "SaveLabelAs1", QStringLiteral("另存标签为(&A)"));
    SaveFormat1 = MakeAction(this, File1, "SaveFormat1", QStringLiteral("保存标签格式"));
    SaveFormat1->setEnabled(false);
    SaveLabelFormatAs1 = MakeAction(this, File1, "SaveLabelFormatAs1", QStringLiteral("另存标签格式为"));
    File1->addSeparator();
    Print1 = MakeAction(this, File1, "Print1", QStringLiteral("打印"), QKeySequence(Qt::CTRL | Qt::Key_P));
    PrintSetup1 = MakeAction(this, File1, "PrintSetup1", QStringLiteral("打印设置"));
    File1->addSeparator();
    Exit1 = MakeAction(this, File1, "Exit1", QStringLiteral("退出(&X)"));
    connect(New1, &QAction::triggered, this, &TFMain::New1Click);
    connect(Open1, &QAction::triggered, this, &TFMain::Open1Click);
    connect(LoadFormat1, &QAction::triggered, this, &TFMain::LoadFormat1Click);
    connect(Save1, &QAction::triggered, this, &TFMain::Save1Click);
    connect(SaveLabelAs1, &QAction::triggered, this, &TFMain::SaveLabelAs1Click);
    connect(SaveFormat1, &QAction::triggered, this, &TFMain::SaveFormat1Click);
    connect(SaveLabelFormatAs1, &QAction::triggered, this, &TFMain::SaveLabelFormatAs1Click);
    connect(Print1, &QAction::triggered, this, &TFMain::Print1Click);
    connect(PrintSetup1, &QAction::triggered, this, &TFMain::PrintSetup1Click);
    connect(Exit1, &QAction::triggered, this, &QWidget::close);

    Edit1 = MakeMenu(this, "Edit1", QStringLiteral("编辑(&E)"));
    bar->addMenu(Edit1);
    Copy1 = MakeAction(this, Edit1, "Copy1", QStringLiteral("复制(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = MakeAction(this, Edit1, "Paste1", QStringLiteral("粘贴(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V));
    Delete1 = MakeAction(this, Edit1, "Delete1", QStringLiteral("删除(&D)"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    Edit1->addSeparator();
    LabelOptions1 = MakeAction(this, Edit1, "LabelOptions1", QStringLiteral("自定义标签设置"));
    FormatOptions1 = MakeMenu(this, "FormatOptions1", QStringLiteral("格式选项"));
    Edit1->addMenu(FormatOptions1);
    Edit1->addSeparator();
    ShowGrids1 = MakeCheck(this, Edit1, "ShowGrids1", QStringLiteral("显示栅格"), true);
    AutoSaveSequence = MakeCheck(this, Edit1, "AutoSaveSequence", QStringLiteral("自动记忆次序"), true);
    connect(Copy1, &QAction::triggered, this, &TFMain::Copy1Click);
    connect(Paste1, &QAction::triggered, this, &TFMain::Paste1Click);
    connect(Delete1, &QAction::triggered, this, &TFMain::Delete1Click);
    connect(LabelOptions1, &QAction::triggered, this, &TFMain::LabelOptions1Click);
    connect(ShowGrids1, &QAction::triggered, this, &TFMain::ShowGrids1Click);
    connect(AutoSaveSequence, &QAction::triggered, this, &TFMain::AutoSaveSequenceClick);

    {
        const TFormatMenus m = BuildFormatMenus(QString(), QStringLiteral("1"));
        HorizontalAL = m.Horz;
        VerticalAL = m.Vert;
        AttachTo = m.Attach;
        Rotate1 = m.Rotate;
        HALeft = m.Entries[0], HACenter = m.Entries[1], HARight = m.Entries[2];
        VATop = m.Entries[3], VACenter = m.Entries[4], VABottom = m.Entries[5];
        atNone = m.Entries[6], atLeft = m.Entries[7], atRight = m.Entries[8];
        atTop = m.Entries[9], atBottom = m.Entries[10], atClient = m.Entries[11];
        RoNone1 = m.Entries[12], Ro901 = m.Entries[13], Ro1801 = m.Entries[14], Ro2701 = m.Entries[15];
    }
    FormatOptions1->addMenu(HorizontalAL);
    FormatOptions1->addMenu(VerticalAL);
    FormatOptions1->addMenu(AttachTo);
    FormatOptions1->addMenu(Rotate1);
    FormatOptions1->addSeparator();
    AutoSize1 = MakeCheck(this, FormatOptions1, "AutoSize1", QStringLiteral("自动调整大小以适应"), true);
    Transparent1 = MakeCheck(this, FormatOptions1, "Transparent1", QStringLiteral("透明"), false);

    Help1 = MakeMenu(this, "Help1", QStringLiteral("帮助(&H)"));
    bar->addMenu(Help1);
    WebHelp1 = MakeAction(this, Help1, "WebHelp1", QStringLiteral("网络帮助"));
    AddLanguageMenu(Help1);
    Help1->addSeparator();
    About1 = MakeAction(this, Help1, "About1", QStringLiteral("关于"));
    connect(WebHelp1, &QAction::triggered, this, &TFMain::WebHelp1Click);
    connect(About1, &QAction::triggered, this, &TFMain::About1Click);
}

void TFMain::BuildPopupMenu()
{
    LabelPopupMenu = MakeMenu(this, "LabelPopupMenu", QString());
    BringToFront1 = MakeAction(this, LabelPopupMenu, "BringToFront1", QStringLiteral("置前"));
    SendToBack1 = MakeAction(this, LabelPopupMenu, "SendToBack1", QStringLiteral("置后"));
    LabelPopupMenu->addSeparator();
    connect(BringToFront1, &QAction::triggered, this, &TFMain::BringToFront1Click);
    connect(SendToBack1, &QAction::triggered, this, &TFMain::SendToBack1Click);

    {
        const TFormatMenus m = BuildFormatMenus(QStringLiteral("2"), QStringLiteral("2"));
        HorizontalAL2 = m.Horz;
        VerticalAl2 = m.Vert;
        AttachTo2 = m.Attach;
        Rotation1 = m.Rotate;
        HALeft2 = m.Entries[0], HACenter2 = m.Entries[1], HARight2 = m.Entries[2];
        VATop2 = m.Entries[3], VACenter2 = m.Entries[4], VABottom2 = m.Entries[5];
        atNone2 = m.Entries[6], atLeft2 = m.Entries[7], atRight2 = m.Entries[8];
        atTop2 = m.Entries[9], atBottom2 = m.Entries[10], atClient2 = m.Entries[11];
        RoNone2 = m.Entries[12], Ro902 = m.Entries[13], Ro1802 = m.Entries[14], Ro2702 = m.Entries[15];
    }
    LabelPopupMenu->addMenu(HorizontalAL2);
    LabelPopupMenu->addMenu(VerticalAl2);
    LabelPopupMenu->addMenu(AttachTo2);
    LabelPopupMenu->addMenu(Rotation1);
    LabelPopupMenu->addSeparator();
    AutoSize2 = MakeCheck(this, LabelPopupMenu, "AutoSize2", QStringLiteral("自动调整大小以适应"), true);
    Transparent2 = MakeCheck(this, LabelPopupMenu, "Transparent2", QStringLiteral("透明"), false);

    // Both menus share the handlers.
    const QList<QAction *> twins[] = {
        {HALeft, HACenter, HARight, VATop, VACenter, VABottom, atNone, atLeft, atRight, atTop, atBottom, atClient,
         RoNone1, Ro901, Ro1801, Ro2701},
        {HALeft2, HACenter2, HARight2, VATop2, VACenter2, VABottom2, atNone2, atLeft2, atRight2, atTop2, atBottom2,
         atClient2, RoNone2, Ro902, Ro1802, Ro2702}};
    const TItemAlign horz[] = {iaLeft, iaCenter, iaRight};
    const TItemAlign vert[] = {iaTop, iaCenter, iaBottom};
    const TItemAlign att[] = {iaNone, iaLeft, iaRight, iaTop, iaBottom, iaClient};
    for (const QList<QAction *> &e : twins) {
        for (int i = 0; i < 3; ++i) {
            connect(e[i], &QAction::triggered, this, [this, v = horz[i]] { SetHorzAlign(v); });
            connect(e[3 + i], &QAction::triggered, this, [this, v = vert[i]] { SetVertAlign(v); });
        }
        for (int i = 0; i < 6; ++i)
            connect(e[6 + i], &QAction::triggered, this, [this, v = att[i]] { SetAttach(v); });
        for (int i = 0; i < 4; ++i)
            connect(e[12 + i], &QAction::triggered, this, [this, i] { SetRotation(i); });
    }
    connect(AutoSize1, &QAction::triggered, this, &TFMain::AutoSizeClick);
    connect(AutoSize2, &QAction::triggered, this, &TFMain::AutoSizeClick);
    connect(Transparent1, &QAction::triggered, this, &TFMain::TransparentClick);
    connect(Transparent2, &QAction::triggered, this, &TFMain::TransparentClick);
}

TFMain::TFormatMenus TFMain::BuildFormatMenus(const QString &suffix, const QString &rotationSuffix)
{
    TFormatMenus m;
    auto radio = [this, &m](QMenu *menu, std::initializer_list<std::pair<QString, QString>> entries) {
        auto *group = new QActionGroup(this);
        bool first = true;
        for (const auto &[name, caption] : entries) {
            m.Entries << MakeCheck(this, menu, name.toLatin1().constData(), caption, first, group);
            first = false;
        }
    };
    const bool popup = suffix == QLatin1String("2");
    m.Horz = MakeMenu(this, popup ? "HorizontalAL2" : "HorizontalAL", QStringLiteral("水平排列"));
    radio(m.Horz, {{"HALeft" + suffix, QStringLiteral("靠左")},
                   {"HACenter" + suffix, QStringLiteral("居中")},
                   {"HARight" + suffix, QStringLiteral("靠右")}});
    m.Vert = MakeMenu(this, popup ? "VerticalAl2" : "VerticalAL", QStringLiteral("垂直排列"));
    radio(m.Vert, {{"VATop" + suffix, QStringLiteral("靠顶")},
                   {"VACenter" + suffix, QStringLiteral("居中")},
                   {"VABottom" + suffix, QStringLiteral("靠底")}});
    m.Attach = MakeMenu(this, popup ? "AttachTo2" : "AttachTo", QStringLiteral("附加到"));
    radio(m.Attach, {{"atNone" + suffix, QStringLiteral("无")},
                     {"atLeft" + suffix, QStringLiteral("靠左")},
                     {"atRight" + suffix, QStringLiteral("靠右")},
                     {"atTop" + suffix, QStringLiteral("靠顶")},
                     {"atBottom" + suffix, QStringLiteral("靠底")},
                     {"atClient" + suffix, QStringLiteral("客户端")}});
    m.Rotate = MakeMenu(this, popup ? "Rotation1" : "Rotate1", QStringLiteral("旋转"));
    radio(m.Rotate, {{"RoNone" + rotationSuffix, QStringLiteral("无")},
                     {"Ro90" + rotationSuffix, QStringLiteral("90°")},
                     {"Ro180" + rotationSuffix, QStringLiteral("180°")},
                     {"Ro270" + rotationSuffix, QStringLiteral("270°")}});
    return m;
}

void TFMain::BuildWorkArea()
{
    auto *Panel2 = MakePanel(this, "Panel2");
    setCentralWidget(Panel2);
    auto *p2 = new QHBoxLayout(Panel2);
    p2->setContentsMargins(0, 0, 0, 0);

    Splitter1 = new QSplitter(Qt::Horizontal, Panel2);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    p2->addWidget(Splitter1);

    BuildPropertiesPanel();
    // In a short window the panel scrolls rather than squeezing its controls.
    pBCScroll = new QScrollArea(Splitter1);
    pBCScroll->setObjectName(QStringLiteral("pBCScroll"));
    pBCScroll->setFrameShape(QFrame::NoFrame);
    pBCScroll->setWidgetResizable(true);
    pBCScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pBCScroll->setWidget(pBCSettings);
    pBCScroll->setMinimumWidth(pBCSettings->minimumWidth() + pBCScroll->verticalScrollBar()->sizeHint().width());
    Splitter1->addWidget(pBCScroll);

    Panel7 = MakePanel(Splitter1, "Panel7");
    Splitter1->addWidget(Panel7);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({190, 600});

    auto *grid = new QGridLayout(Panel7);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    // Ruler strip: the re-align button over the vertical ruler, then the
    // horizontal ruler over the viewport, so their x coordinates agree.
    pRuler = MakePanel(Panel7, "pRuler");
    pRuler->setFixedHeight(20);
    SetBackground(pRuler, QPalette::Base);
    auto *rl = new QHBoxLayout(pRuler);
    rl->setContentsMargins(0, 0, 0, 0);
    rl->setSpacing(0);
    PReAlign = new QToolButton(pRuler);
    PReAlign->setObjectName(QStringLiteral("PReAlign"));
    PReAlign->setFixedSize(20, 20);
    PReAlign->setToolTip(QStringLiteral("重置标签画布"));
    PReAlign->setText(QStringLiteral("+"));
    connect(PReAlign, &QToolButton::clicked, this, [this] {
        HScrollBar->setValue(0);
        VScrollBar->setValue(0);
        ApplyScroll();
    });
    rl->addWidget(PReAlign);
    pHRuler = MakePanel(pRuler, "pHRuler");
    SetBackground(pHRuler, QPalette::Button);
    auto *hl = new QHBoxLayout(pHRuler);
    hl->setContentsMargins(0, 0, 0, 0);
    pbHRuler = new TRulerBox(Qt::Horizontal, pHRuler);
    pbHRuler->setObjectName(QStringLiteral("pbHRuler"));
    hl->addWidget(pbHRuler);
    rl->addWidget(pHRuler, 1);
    grid->addWidget(pRuler, 0, 0, 1, 2);

    pVRuler = MakePanel(Panel7, "pVRuler");
    pVRuler->setFixedWidth(20);
    SetBackground(pVRuler, QPalette::Button);
    auto *vl = new QVBoxLayout(pVRuler);
    vl->setContentsMargins(0, 0, 0, 0);
    pbVRuler = new TRulerBox(Qt::Vertical, pVRuler);
    pbVRuler->setObjectName(QStringLiteral("pbVRuler"));
    vl->addWidget(pbVRuler);
    grid->addWidget(pVRuler, 1, 0);

    PSubMain = MakePanel(Panel7, "PSubMain");
    SetBackground(PSubMain, QPalette::Dark);
    auto *sg = new QGridLayout(PSubMain);
    sg->setContentsMargins(0, 0, 0, 0);
    sg->setSpacing(0);
    PMain = MakePanel(PSubMain, "PMain");
    SetBackground(PMain, QPalette::Mid);
    PMain->installEventFilter(this);
    sg->addWidget(PMain, 0, 0);
    VScrollBar = new QScrollBar(Qt::Vertical, PSubMain);
    VScrollBar->setObjectName(QStringLiteral("VScrollBar"));
    VScrollBar->setFixedWidth(16);
    VScrollBar->setFocusPolicy(Qt::NoFocus);
    sg->addWidget(VScrollBar, 0, 1);
    Panel1 = MakePanel(PSubMain, "Panel1");
    Panel1->setFixedHeight(13);
    auto *bl = new QHBoxLayout(Panel1);
    bl->setContentsMargins(0, 0, 0, 0);
    bl->setSpacing(0);
    HScrollBar = new QScrollBar(Qt::Horizontal, Panel1);
    HScrollBar->setObjectName(QStringLiteral("HScrollBar"));
    HScrollBar->setFocusPolicy(Qt::NoFocus);
    bl->addWidget(HScrollBar, 1);
    Panel4 = MakePanel(Panel1, "Panel4");
    Panel4->setFixedSize(13, 13);
    bl->addWidget(Panel4);
    sg->addWidget(Panel1, 1, 0, 1, 2);
    grid->addWidget(PSubMain, 1, 1);

    connect(HScrollBar, &QScrollBar::valueChanged, this, [this] { ApplyScroll(); });
    connect(VScrollBar, &QScrollBar::valueChanged, this, [this] { ApplyScroll(); });

    pbHRuler->Origin = [this] { return Surface ? Surface->x() : 0; };
    pbHRuler->UnitPixels = [] { return UnitPixelsX(); };
    pbHRuler->Metric = [] { return LabelFormat.Metric; };
    pbVRuler->Origin = [this] { return Surface ? Surface->y() : 0; };
    pbVRuler->UnitPixels = [] { return UnitPixelsY(); };
    pbVRuler->Metric = [] { return LabelFormat.Metric; };
}

void TFMain::BuildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    auto panel = [bar](const char *name, const QString &text, int width, int stretch) {
        auto *l = new QLabel(text, bar);
        l->setObjectName(QString::fromLatin1(name));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        if (stretch)
            l->setMinimumWidth(width);
        else
            l->setFixedWidth(width);
        bar->addWidget(l, stretch);
        return l;
    };
    StatusPanel0 = panel("StatusPanel0", QStringLiteral("X:0    Y:0"), 110, 0);
    StatusPanel1 = panel("StatusPanel1", QStringLiteral("W:0   H:0"), 110, 0);
    // The last panel takes the rest of the bar, so the longer state texts fit.
    StatusPanel2 = panel("StatusPanel2", QStringLiteral("就绪"), 50, 1);
}

void TFMain::CreateSurface()
{
    Surface = new TCanvasLabel(PMain);
    Surface->setObjectName(QStringLiteral("Surface"));
    Surface->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { SurfaceMouseDown(b, x, y); };
    Surface->OnSelectItem = [this](TLabelControl *item) { SurfaceSelectItem(item); };
    Surface->OnPopup = [this] { RefreshChecks(); };
    Surface->PopupMenu = LabelPopupMenu;
    Surface->installEventFilter(this);
    Surface->show();
}

// ---------------------------------------------------------------- scrolling

void TFMain::UpdateScrollRanges()
{
    if (!Surface)
        return;
    const int v = Surface->height() + ScreenDpiY - PMain->height();
    const int h = Surface->width() + ScreenDpiX - PMain->width();
    VScrollBar->setRange(0, v < 1 ? 0 : v);
    HScrollBar->setRange(0, h < 1 ? 0 : h);
    VScrollBar->setPageStep(ScreenDpiY);
    VScrollBar->setSingleStep(qMax(1, ScreenDpiY / 8));
    HScrollBar->setPageStep(ScreenDpiX);
    HScrollBar->setSingleStep(qMax(1, ScreenDpiX / 8));
}

void TFMain::ApplyScroll()
{
    if (!Surface)
        return;
    Surface->move(-HScrollBar->value(), -VScrollBar->value());
    pbHRuler->update();
    pbVRuler->update();
}

void TFMain::SizeSurfaceFromFormat()
{
    Surface->SetSurfaceSize(SurfaceWidthPx(), SurfaceHeightPx());
    UpdateScrollRanges();
    ApplyScroll();
}

bool TFMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PMain && event->type() == QEvent::Resize)
        UpdateScrollRanges();
    if (watched == Surface && Surface && Surface->DesignMode) {
        // Every press on the surface counts as a change already; the keys
        // that move, size or delete items must too.
        if (event->type() == QEvent::KeyPress && Surface->SelectedItem) {
            const auto *k = static_cast<QKeyEvent *>(event);
            const bool arrow = k->key() == Qt::Key_Up || k->key() == Qt::Key_Down || k->key() == Qt::Key_Left
                               || k->key() == Qt::Key_Right;
            if (k->key() == Qt::Key_Delete || (arrow && (k->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))))
                EnableSave();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- add tools

void TFMain::SetToolCursor(bool armed)
{
    if (armed && !toolCursorSet_) {
        QGuiApplication::setOverrideCursor(DragCursor());
        toolCursorSet_ = true;
    } else if (!armed && toolCursorSet_) {
        QGuiApplication::restoreOverrideCursor();
        toolCursorSet_ = false;
    }
}

void TFMain::AddToolClick(QToolButton *tool)
{
    SetToolCursor(true);
    Surface->DesignMode = false;
    if (tool == sbBarcode)
        SetStateText(QStringLiteral("Add Barcode"));
    else if (tool == sbText)
        SetStateText(QStringLiteral("Add Text"));
    else if (tool == sbMemo)
        SetStateText(QStringLiteral("Add Memo"));
    else if (tool == sbShape)
        SetStateText(QStringLiteral("Add Shape"));
    else if (tool == sbGraphic)
        SetStateText(QStringLiteral("Add Graphic"));
}

void TFMain::sbSelectClick()
{
    SetToolCursor(false);
    Surface->DesignMode = true;
    SetStateText(QStringLiteral("Ready"));
}

void TFMain::SurfaceMouseDown(Qt::MouseButton button, int x, int y)
{
    TLabelControl *item = nullptr;
    if (button == Qt::LeftButton && !sbSelect->isChecked()) {
        if (sbBarcode->isChecked()) {
            auto *b = new TBarcodeLabel;
            b->SetBarcodeType(ListIndexToBarcodeType(qMax(0, cbBarcodeType->currentIndex())));
            b->SetScale(1);
            b->SetHeight(50);
            item = b;
        } else if (sbText->isChecked() || sbMemo->isChecked()) {
            item = sbText->isChecked() ? static_cast<TLabelControl *>(new TTextLabel) : new TMemoLabel;
            item->SetText(QString());
            item->Font = CurrentFont;
        } else if (sbShape->isChecked()) {
            item = new TShapeLabel;
        } else if (sbGraphic->isChecked()) {
            item = new TGraphicLabel;
        }
    }
    if (item) {
        item->OnBoundsChange = [this](TLabelControl *) { RefreshStatus(); };
        item->SetText(QString());
        item->SetTop(y - item->Height / 2);
        item->SetLeft(x - item->Width / 2);
        item->SetAdvanced(false);
        Surface->AddItem(item);
        if (eText->isEnabled())
            eText->setFocus();
    } else {
        // A disarmed tool no longer describes what the next click does.
        SetStateText(StateText(Surface->SelectedItem));
    }
    sbSelect->setChecked(true);
    SetToolCursor(false);
    Surface->DesignMode = true;
    EnableSave();
}

void TFMain::EnableSave()
{
    Document->SetLabelModified(true);
}

void TFMain::RefreshSaveButtons()
{
    WriteBtn->setEnabled(Document->LabelModified);
    Save1->setEnabled(Document->LabelModified);
    SaveFormat1->setEnabled(Document->TemplateModified);
}

// ---------------------------------------------------------------- refreshes

void TFMain::SetStateText(const QString &text)
{
    StatusPanel2->setText(text);
}

void TFMain::RefreshStatus()
{
    const TLabelControl *item = Surface ? Surface->SelectedItem : nullptr;
    if (!item) {
        StatusPanel0->setText(QStringLiteral("X:0   Y:0"));
        StatusPanel1->setText(QStringLiteral("W:0   H:0"));
        return;
    }
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    const double ux = UnitPixelsX();
    const double uy = UnitPixelsY();
    auto f = [&loc](double v) { return loc.toString(v, 'f', 2); };
    StatusPanel0->setText(QStringLiteral("X:") + f(item->Left / ux) + QStringLiteral("  Y:") + f(item->Top / uy));
    StatusPanel1->setText(QStringLiteral("W:") + f(item->Width / ux) + QStringLiteral("  H:") + f(item->Height / uy));
}

void TFMain::RefreshChecks()
{
    const TLabelControl *item = Surface ? Surface->SelectedItem : nullptr;
    if (!item)
        return;
    AutoSize1->setChecked(item->AutoSize);
    AutoSize2->setChecked(item->AutoSize);
    Transparent1->setChecked(item->Transparent);
    Transparent2->setChecked(item->Transparent);

    switch (item->HorzAlign) {
    case iaCenter: HACenter->setChecked(true); HACenter2->setChecked(true); sbHACenter->setChecked(true); break;
    case iaRight: HARight->setChecked(true); HARight2->setChecked(true); sbHARight->setChecked(true); break;
    default: HALeft->setChecked(true); HALeft2->setChecked(true); sbHALeft->setChecked(true); break;
    }
    switch (item->VertAlign) {
    case iaCenter: VACenter->setChecked(true); VACenter2->setChecked(true); sbVACenter->setChecked(true); break;
    case iaBottom: VABottom->setChecked(true); VABottom2->setChecked(true); sbVABottom->setChecked(true); break;
    default: VATop->setChecked(true); VATop2->setChecked(true); sbVATop->setChecked(true); break;
    }
    switch (item->Attach) {
    case iaLeft: atLeft->setChecked(true); atLeft2->setChecked(true); break;
    case iaRight: atRight->setChecked(true); atRight2->setChecked(true); break;
    case iaTop: atTop->setChecked(true); atTop2->setChecked(true); break;
    case iaBottom: atBottom->setChecked(true); atBottom2->setChecked(true); break;
    case iaClient: atClient->setChecked(true); atClient2->setChecked(true); break;
    default: atNone->setChecked(true); atNone2->setChecked(true); break;
    }
    switch (item->Rotation) {
    case 1: Ro901->setChecked(true); Ro902->setChecked(true); break;
    case 2: Ro1801->setChecked(true); Ro1802->setChecked(true); break;
    case 3: Ro2701->setChecked(true); Ro2702->setChecked(true); break;
    default: RoNone1->setChecked(true); RoNone2->setChecked(true); break;
    }
}

// ---------------------------------------------------------------- item format

void TFMain::FormatDone()
{
    if (Surface->SelectedItem)
        EnableSave();
    RefreshChecks();
}

void TFMain::SetHorzAlign(TItemAlign a)
{
    if (TLabelControl *item = Surface->SelectedItem)
        item->SetHorzAlign(a);
    FormatDone();
}

void TFMain::SetVertAlign(TItemAlign a)
{
    if (TLabelControl *item = Surface->SelectedItem)
        item->SetVertAlign(a);
    FormatDone();
}

void TFMain::SetAttach(TItemAlign a)
{
    if (TLabelControl *item = Surface->SelectedItem)
        item->SetAttach(a);
    FormatDone();
}

void TFMain::SetRotation(int r)
{
    if (TLabelControl *item = Surface->SelectedItem)
        item->SetRotation(r);
    FormatDone();
}

void TFMain::AutoSizeClick(bool checked)
{
    if (TLabelControl *item = Surface->SelectedItem)
        item->SetAutoSize(checked);
    FormatDone();
}

void TFMain::TransparentClick(bool checked)
{
    if (TLabelControl *item = Surface->SelectedItem)
        item->SetTransparent(checked);
    FormatDone();
}

// ---------------------------------------------------------------- edit

TLabelControl *TFMain::CloneItem(const TLabelControl *src)
{
    std::unique_ptr<TLabelControl> c = src->Clone();
    // Pasting places the copy.
    c->Top = 0;
    c->Left = 0;
    return c.release();
}

void TFMain::Copy1Click()
{
    QClipboard *clip = QGuiApplication::clipboard();
    const QMimeData *mime = clip->mimeData();
    if (eText->hasFocus() && mime && mime->hasText()) {
        clip->setText(eText->text().left(254));
        return;
    }
    const TLabelControl *item = Surface->SelectedItem;
    if (!item)
        return;
    HeldCopy.reset(CloneItem(item));
    if (item->Kind == ikText || item->Kind == ikMemo)
        clip->setText(item->GetText());
    else if (item->Kind == ikBarcode && !item->ItemBitmap.isNull())
        clip->setImage(item->ItemBitmap);
}

void TFMain::Paste1Click()
{
    QClipboard *clip = QGuiApplication::clipboard();
    const QMimeData *mime = clip->mimeData();
    if (eText->hasFocus() && mime && mime->hasText()) {
        eText->insert(clip->text());
        return;
    }
    if (!HeldCopy)
        return;
    TLabelControl *item = HeldCopy.release();
    item->OnBoundsChange = [this](TLabelControl *) { RefreshStatus(); };
    // 5 pixels inside the visible part of the label, and on the label.
    const int top = qMin(qMax(0, -Surface->y()) + 5, Surface->height() - item->Height);
    const int left = qMin(qMax(0, -Surface->x()) + 5, Surface->width() - item->Width);
    item->SetTop(qMax(0, top));
    item->SetLeft(qMax(0, left));
    Surface->AddItem(item);
    EnableSave();
    Copy1Click();
}

void TFMain::Delete1Click()
{
    if (!Surface->SelectedItem)
        return;
    Surface->DeleteSelected();
    EnableSave();
}

void TFMain::BringToFront1Click()
{
    Surface->BringToFront();
    FormatDone();
}

void TFMain::SendToBack1Click()
{
    Surface->SendToBack();
    FormatDone();
}

// ---------------------------------------------------------------- file, print

void TFMain::New1Click()
{
    Document->NewLabel();
    SurfaceSelectItem(nullptr);
    ShowKindPanel(pNone);
    Surface->update();
}

QString TFMain::FileDialog(bool save, const QString &title, const QString &filter, const QString &suffix,
                           const QString &initial)
{
    QFileDialog dlg(this, title, initial, filter);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setDefaultSuffix(suffix);
    if (!initial.isEmpty())
        dlg.selectFile(initial);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    const QString file = dlg.selectedFiles().first();
    QDir::setCurrent(QFileInfo(file).absolutePath());
    return file;
}

void TFMain::AfterDocumentLoad()
{
    HScrollBar->setValue(0);
    VScrollBar->setValue(0);
    SizeSurfaceFromFormat();
    // A label file brings its own grid setting.
    ShowGrids1->setChecked(::ShowGrids);
    for (TLabelControl *item : Surface->Items)
        item->OnBoundsChange = [this](TLabelControl *) { RefreshStatus(); };
    for (TLabelControl *item : Surface->Items)
        item->SetSelected(false);
    Surface->SelectedItem = nullptr;
    SurfaceSelectItem(nullptr);
    pbHRuler->update();
    pbVRuler->update();
    Surface->update();
}

bool TFMain::LoadLabelFile(const QString &fileName)
{
    QString error;
    const bool ok = Document->LoadLabelFile(fileName, &error);
    if (!error.isEmpty())
        ShowMessage(error);
    if (ok)
        AfterDocumentLoad();
    return ok;
}

bool TFMain::LoadTemplateFile(const QString &fileName)
{
    QString error;
    const bool ok = Document->LoadTemplateFile(fileName, &error);
    if (!error.isEmpty())
        ShowMessage(error);
    if (ok) {
        HScrollBar->setValue(0);
        VScrollBar->setValue(0);
        SizeSurfaceFromFormat();
        Surface->FitItems();
        pbHRuler->update();
        pbVRuler->update();
        Surface->update();
    }
    return ok;
}

bool TFMain::OpenDocument(const QString &fileName)
{
    switch (DocumentKindOf(fileName)) {
    case TDocumentKind::Label:
        return LoadLabelFile(fileName);
    case TDocumentKind::Template:
        return LoadTemplateFile(fileName);
    default:
        return false;
    }
}

bool TFMain::QuerySave()
{
    return Document->QuerySave([this] { Save1Click(); },
                               [this] {
                                   switch (Ask(this, kSaveChangesQuestion, true)) {
                                   case QMessageBox::Yes: return TSaveAnswer::Yes;
                                   case QMessageBox::No: return TSaveAnswer::No;
                                   default: return TSaveAnswer::Cancel;
                                   }
                               });
}

void TFMain::Open1Click()
{
    OpenWithDialog(false);
}

void TFMain::LoadFormat1Click()
{
    OpenWithDialog(true);
}

void TFMain::OpenWithDialog(bool isTemplate)
{
    if (!QuerySave())
        return;
    const TFileDialogSetup &d = isTemplate ? kOpenTemplateDialog : kOpenLabelDialog;
    const QString file = FileDialog(false, d.Title, d.Filter, d.DefaultSuffix,
                                    isTemplate ? Document->CurrentTemplateFile : Document->CurrentLabelFile);
    if (file.isEmpty())
        return;
    if (isTemplate)
        LoadTemplateFile(file);
    else
        LoadLabelFile(file);
}

void TFMain::SaveDocument(bool isTemplate, bool askName)
{
    QString file = isTemplate ? Document->CurrentTemplateFile : Document->CurrentLabelFile;
    if (askName || file.isEmpty()) {
        const TFileDialogSetup &d = isTemplate ? kSaveTemplateDialog : kSaveLabelDialog;
        file = FileDialog(true, d.Title, d.Filter, d.DefaultSuffix, file);
        if (file.isEmpty())
            return;
    }
    QString error;
    const bool ok = isTemplate ? Document->SaveTemplateFile(file, &error) : Document->SaveLabelFile(file, &error);
    if (!ok)
        ShowMessage(error);
}

void TFMain::Save1Click()
{
    SaveDocument(false, false);
}

void TFMain::SaveLabelAs1Click()
{
    SaveDocument(false, true);
}

void TFMain::SaveFormat1Click()
{
    SaveDocument(true, false);
}

void TFMain::SaveLabelFormatAs1Click()
{
    SaveDocument(true, true);
}

void TFMain::Print1Click()
{
    EnsureForms();
    CentreOnMain(FPrintDlg);
    const bool printed = FPrintDlg->Execute(*Surface);
    // The job may have advanced counters that the panel shows.
    SurfaceSelectItem(Surface->SelectedItem);
    if (!printed)
        return;
    // Printing advanced the counters: the label has changed.
    if (HasSequenceField(Surface->Items)) {
        for (TLabelControl *item : Surface->Items)
            item->MarkChanged(true);
        EnableSave();
    }
}

void TFMain::AttachForms(TFLabelSettings *labelSettings, TFAdvanced *advanced, TFPrintDlg *printDlg,
                         TFTextImport *textImport, TFPrintProgress *printProgress)
{
    FLabelSettings = labelSettings;
    FAdvanced = advanced;
    FPrintDlg = printDlg;
    FTextImport = textImport;
    FPrintProgress = printProgress;
    FLabelSettings->PrinterSetup = [this](QWidget *parent) { return Printer->Setup(parent); };
    FPrintDlg->SetForms(FTextImport, FPrintProgress);
    FPrintDlg->PrinterSetup = [this](QWidget *parent) { return Printer->Setup(parent); };
    FPrintDlg->DeviceFactory = [this] { return Printer->NewDevice(FPrintDlg); };
    FPrintDlg->LabelFileName = [this] { return Document->CurrentLabelFile; };
    FPrintDlg->OnJobRunning = [this](bool running) {
        // The job reads the items between pages; nothing may change them.
        centralWidget()->setEnabled(!running);
        menuBar()->setEnabled(!running);
        for (QToolBar *bar : {FileOptions, Panel3, pAlign})
            bar->setEnabled(!running);
    };
}

void TFMain::EnsureForms()
{
    if (FLabelSettings && FAdvanced && FPrintDlg && FTextImport && FPrintProgress)
        return;
    auto *labelSettings = FLabelSettings ? FLabelSettings : new TFLabelSettings(this);
    auto *advanced = FAdvanced ? FAdvanced : new TFAdvanced(this);
    auto *printDlg = FPrintDlg ? FPrintDlg : new TFPrintDlg(this, nullptr, nullptr);
    auto *textImport = FTextImport ? FTextImport : new TFTextImport(this);
    auto *printProgress = FPrintProgress ? FPrintProgress : new TFPrintProgress(this);
    AttachForms(labelSettings, advanced, printDlg, textImport, printProgress);
}

void TFMain::PrintSetup1Click()
{
    if (Printer->Setup(this))
        ComputeSheetLayout();
}

void TFMain::LabelOptions1Click()
{
    EnsureForms();
    CentreOnMain(FLabelSettings);
    if (!FLabelSettings->Execute())
        return;
    SizeSurfaceFromFormat();
    pbHRuler->update();
    pbVRuler->update();
    Surface->FitItems();
    Surface->update();
    Document->SetLabelModified(true);
    Document->SetTemplateModified(true);
}

void TFMain::ShowGrids1Click()
{
    ::ShowGrids = ShowGrids1->isChecked();
    Surface->update();
}

void TFMain::AutoSaveSequenceClick()
{
    AutoSaveSeq = AutoSaveSequence->isChecked();
}

// ---------------------------------------------------------------- help

QString TFMain::HelpFile()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    const QString candidates[] = {
        dir.filePath(QStringLiteral("Help.html")),
        dir.filePath(QStringLiteral("../share/quorvane/Help.html")),
        dir.filePath(QStringLiteral("../resources/Help.html")),
        dir.filePath(QStringLiteral("../../resources/Help.html")),
    };
    for (const QString &c : candidates) {
        const QFileInfo fi(c);
        if (fi.isFile())
            return fi.canonicalFilePath();
    }
    return {};
}

void TFMain::WebHelp1Click()
{
    const QString file = HelpFile();
    if (file.isEmpty()) {
        ShowMessage(QStringLiteral("The help file Help.html was not found next to the program."));
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    const bool ok = QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    QGuiApplication::restoreOverrideCursor();
    if (!ok)
        ShowMessage(QStringLiteral("Unable to open the help file ") + file);
}

void TFMain::About1Click()
{
    TFAbout about(this);
    CentreOnMain(&about);
    about.exec();
}

void TFMain::CentreOnMain(QWidget *dialog) const
{
    CenterOver(dialog, this);
}

// ---------------------------------------------------------------- lifecycle

void TFMain::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    UpdateScrollRanges();
    if (OpenedFromCommandLine) {
        OpenedFromCommandLine = false;
        if (!CommandLineFile.isEmpty() && !QFileInfo(CommandLineFile).exists())
            ShowMessage(FileNotFoundMessage(CommandLineFile));
        else if (!CommandLineFile.isEmpty())
            OpenDocument(CommandLineFile);
    }
}

void TFMain::closeEvent(QCloseEvent *e)
{
    // The job walks the items; the window stays until it ends or is cancelled.
    if (TFPrintDlg::JobRunning() || !QuerySave()) {
        e->ignore();
        return;
    }
    HeldCopy.reset();
    SetToolCursor(false);
    SaveSettings();
    e->accept();
}

void TFMain::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void TFMain::dropEvent(QDropEvent *e)
{
    QStringList files;
    for (const QUrl &url : e->mimeData()->urls())
        if (url.isLocalFile())
            files << url.toLocalFile().left(254);
    e->acceptProposedAction();
    // No question first: a dropped file replaces the label as it is.
    const QString file = FirstOpenableFile(files);
    if (!file.isEmpty())
        OpenDocument(file);
}
