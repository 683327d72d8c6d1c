#include "app/fmain.h"

#include "app/appprinter.h"
#include "app/ask.h"
#include "app/dialogkit.h"
#include "app/fprintdlg.h"
#include "app/glyphs.h"
#include "app/propertiespanel.h"
#include "app/rulers.h"
#include "canvas/canvaslabel.h"
#include "model/labelformat.h"
#include "model/labelundo.h"
#include "model/selection.h"
#include "printing/sheetlayout.h"
#include "storage/document.h"
#include "storage/fileassociate.h"
#include "storage/fileguard.h"
#include "storage/recovery.h"
#include "storage/settings.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QUrl>

#include "app/messages.h"

TFMain *FMain = nullptr;

TFMain::TFMain(QWidget *parent) : QMainWindow(parent)
{
    FMain = this;
    setObjectName(QStringLiteral("FMain"));
    setWindowIcon(ProgramIcon());
    setMinimumSize(500, 400);

    CurrentFont.Font = QFont(QStringLiteral("Arial"), 8);

    BuildToolBands();
    BuildMenus();
    BuildPopupMenu();
    BuildArrange();
    BuildWorkArea();
    BuildStatusBar();

    CreateSurface();
    const TDpi dpi = ScreenLogicalDpi();
    Surface->ScreenDpiX = dpi.X;
    Surface->ScreenDpiY = dpi.Y;
    Document = std::make_unique<TLabelDocument>(*Surface);
    FileGuard = std::make_unique<TLabelFileGuard>();
    StartRecovery();
    Document->OnStateChange = [this] {
        RefreshSaveButtons();
        DocumentStateChanged();
        RefreshWindowTitle();
    };
    ConnectUndo();
    Surface->move(0, 0);

    Settings = LoadSettings();
    Surface->LabelFormat = Settings.LabelFormat;
    Surface->ShowGrids = Settings.ShowGrids;
    AutoSaveSequence->setChecked(Settings.AutoSaveSeq);
    ApplySnapSettings();
    QString error;
    if (!CheckFileAssociations(
            QCoreApplication::applicationFilePath(), Settings,
            [this](const QString &q) { return TAsk::Current().Question(this, q, false) == TAsk::Yes; }, &error)
        && !error.isEmpty())
        ShowMessage(error);

    SizeSurfaceFromFormat();
    ShowGrids1->setChecked(Surface->ShowGrids);

    const QStringList args = QCoreApplication::arguments();
    OpenedFromCommandLine = args.size() > 1;
    // Resolved before the folder changes: a relative name is the user's.
    if (OpenedFromCommandLine)
        CommandLineFile = QFileInfo(args[1]).absoluteFilePath();
    if (!QCoreApplication::applicationDirPath().isEmpty())
        QDir::setCurrent(QCoreApplication::applicationDirPath());
    Printer = std::make_unique<TAppPrinter>();
    RefreshRecentMenu();
    setAcceptDrops(true);
    RefreshWindowTitle();

    resize(860, 600);
    FitWindowToScreen();
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
        pBCSettings->SetSurface(nullptr);
        delete Surface;
        Surface = nullptr;
    }
    HeldItems.clear();
    // The window goes without a crash: its copy is not needed.
    if (Recovery)
        Recovery->Remove();
    if (FMain == this)
        FMain = nullptr;
}

// ---------------------------------------------------------------- scrolling

void TFMain::UpdateScrollRanges()
{
    if (!Surface)
        return;
    // An inch of room past a label larger than the view; one that fits has
    // nothing to scroll, so that no zoom can leave it partly out of sight.
    const int v = Surface->height() <= PMain->height() ? 0 : Surface->height() + Surface->ScreenDpiY - PMain->height();
    const int h = Surface->width() <= PMain->width() ? 0 : Surface->width() + Surface->ScreenDpiX - PMain->width();
    VScrollBar->setRange(0, v < 1 ? 0 : v);
    HScrollBar->setRange(0, h < 1 ? 0 : h);
    VScrollBar->setPageStep(Surface->ScreenDpiY);
    VScrollBar->setSingleStep(qMax(1, Surface->ScreenDpiY / 8));
    HScrollBar->setPageStep(Surface->ScreenDpiX);
    HScrollBar->setSingleStep(qMax(1, Surface->ScreenDpiX / 8));
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
    Surface->FitSurfaceToFormat();
    UpdateScrollRanges();
    ApplyScroll();
}

bool TFMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PMain && event->type() == QEvent::Resize)
        UpdateScrollRanges();
    if ((watched == PMain || (Surface && watched == Surface)) && event->type() == QEvent::Wheel
        && WheelOnSurface(static_cast<QWidget *>(watched), static_cast<QWheelEvent *>(event)))
        return true;
    if (watched == Surface && Surface && Surface->DesignMode) {
        // The Delete key deletes as the menu does, as one undoable step.
        if (event->type() == QEvent::KeyPress && Surface->SelectedItem
            && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
            Delete1Click();
            return true;
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

void TFMain::AddToolClick(int kind)
{
    static const char *const states[] = {QT_TR_NOOP("Add Barcode"), QT_TR_NOOP("Add Text"), QT_TR_NOOP("Add Memo"),
                                         QT_TR_NOOP("Add Shape"), QT_TR_NOOP("Add Graphic")};
    SetToolCursor(true);
    Surface->DesignMode = false;
    if (kind >= 0 && kind < int(std::size(states)))
        SetStateText(tr(states[kind]));
}

void TFMain::sbSelectClick()
{
    SetToolCursor(false);
    Surface->DesignMode = true;
    SetStateText(tr("Ready"));
}

void TFMain::SurfaceMouseDown(Qt::MouseButton button, int x, int y)
{
    TLabelControl *item = nullptr;
    if (button == Qt::LeftButton) {
        switch (ToolGroup->checkedId()) {
        case ikBarcode: {
            auto *b = new TBarcodeLabel;
            b->SetBarcodeType(pBCSettings->ChosenBarcodeType());
            b->SetScale(1);
            b->SetHeight(50);
            item = b;
            break;
        }
        case ikText:
        case ikMemo:
            item = ToolGroup->checkedId() == ikText ? static_cast<TLabelControl *>(new TTextLabel) : new TMemoLabel;
            item->SetText(QString());
            item->Font = CurrentFont;
            break;
        case ikShape:
            item = new TShapeLabel;
            break;
        case ikGraphic:
            item = new TGraphicLabel;
            break;
        default:
            break;
        }
    }
    if (item) {
        item->OnBoundsChange = [this](TLabelControl *) { RefreshStatus(); };
        item->SetText(QString());
        item->SetTop(y - item->Height / 2);
        item->SetLeft(x - item->Width / 2);
        item->SetAdvanced(false);
        Surface->AddItem(item);
        RecordItemAdded(UndoStack(), Document->UndoTarget(), item, tr("添加"));
        if (eText->isEnabled())
            eText->setFocus();
    } else {
        // A disarmed tool no longer describes what the next click does.
        SetStateText(TPropertiesPanel::StateText(Surface->SelectedItem));
    }
    sbSelect->setChecked(true);
    SetToolCursor(false);
    Surface->DesignMode = true;
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
    if (pBCSettings)
        pBCSettings->RefreshGeometry();
    const TLabelControl *item = Surface ? Surface->SelectedItem : nullptr;
    const QList<TLabelControl *> several = Surface ? Surface->EditedItems() : QList<TLabelControl *>();
    if (!item && several.isEmpty()) {
        StatusPanel0->setText(QStringLiteral("X:0   Y:0"));
        StatusPanel1->setText(QStringLiteral("W:0   H:0"));
        return;
    }
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    const double ux = UnitPixelsX(Surface->LabelFormat, Surface->ScreenDpiX);
    const double uy = UnitPixelsY(Surface->LabelFormat, Surface->ScreenDpiY);
    auto f = [&loc](double v) { return loc.toString(v, 'f', 2); };
    // Several items: the box around all of them.
    const TRect box = several.size() > 1 || !item ? BoundsOf(several) : item->BoundsRect();
    StatusPanel0->setText(QStringLiteral("X:") + f(box.Left / ux) + QStringLiteral("  Y:") + f(box.Top / uy));
    StatusPanel1->setText(QStringLiteral("W:") + f(box.width() / ux) + QStringLiteral("  H:") + f(box.height() / uy));
    // A text's box follows its drawing, which may now reach past the label.
    if (item && several.size() <= 1 && item->Kind == ikText)
        SetStateText(TPropertiesPanel::StateText(item));
}

int TFMain::FormatValue(const TLabelControl *item, TFormat format)
{
    auto oneOf = [](int v, std::initializer_list<int> known, int fallback) {
        return std::find(known.begin(), known.end(), v) != known.end() ? v : fallback;
    };
    switch (format) {
    case TFormat::HorzAlign: return oneOf(item->HorzAlign, {iaCenter, iaRight}, iaLeft);
    case TFormat::VertAlign: return oneOf(item->VertAlign, {iaCenter, iaBottom}, iaTop);
    case TFormat::Attach: return oneOf(item->Attach, {iaLeft, iaRight, iaTop, iaBottom, iaClient}, iaNone);
    case TFormat::Rotate: return oneOf(item->Rotation, {1, 2, 3}, 0);
    case TFormat::AutoSize: return item->AutoSize;
    case TFormat::Transparent: return item->Transparent;
    case TFormat::Flip: return (item->FlipHorz ? 1 : 0) | (item->FlipVert ? 2 : 0); // bit 1 << Arg
    case TFormat::None: break;
    }
    return 0;
}

void TFMain::RefreshChecks()
{
    const TLabelControl *item = Surface ? Surface->SelectedItem : nullptr;
    if (!item)
        return;
    const QList<TLabelControl *> items = SelectionList();
    for (const TFormatControl &c : formatControls_) {
        if (c.IsMenu)
            continue;
        const int value = FormatValue(item, c.Format);
        // Items that differ show no choice as made.
        const bool mixed = std::any_of(items.begin(), items.end(),
                                       [&](const TLabelControl *it) { return FormatValue(it, c.Format) != value; });
        const bool flag = c.Format == TFormat::AutoSize || c.Format == TFormat::Transparent;
        if (c.Format == TFormat::Flip) {
            const int bit = 1 << c.Arg;
            c.Action->setChecked(std::all_of(items.begin(), items.end(), [&](const TLabelControl *it) {
                return (FormatValue(it, c.Format) & bit) != 0;
            }));
        } else if (flag) {
            c.Action->setChecked(value && !mixed);
        } else if (mixed) {
            if (c.Action && c.Action->actionGroup()) {
                // An exclusive group keeps one entry checked; for a moment it may have none.
                QActionGroup *group = c.Action->actionGroup();
                const auto policy = group->exclusionPolicy();
                group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
                c.Action->setChecked(false);
                group->setExclusionPolicy(policy);
            } else if (c.Button && c.Button->group()) {
                QButtonGroup *group = c.Button->group();
                group->setExclusive(false);
                c.Button->setChecked(false);
                group->setExclusive(true);
            }
        } else if (value == c.Arg) {
            c.Action ? c.Action->setChecked(true) : c.Button->setChecked(true);
        }
    }
}

void TFMain::SurfaceSelectItem(TLabelControl *item)
{
    pBCSettings->ShowItem(item);
    SetStateText(TPropertiesPanel::StateText(item));
    if (item) {
        // An entry is offered when every selected item takes it.
        const QList<TLabelControl *> items = SelectionList();
        auto all = [&items](auto &&test) {
            return std::all_of(items.begin(), items.end(), [&](const TLabelControl *it) { return test(it->Kind); });
        };
        for (const TFormatControl &c : formatControls_) {
            if (c.Format == TFormat::Rotate && c.IsMenu)
                c.Action->setEnabled(all([](TItemKind k) { return k != ikShape; }));
            else if (c.Format == TFormat::Flip && c.IsMenu)
                c.Action->setEnabled(all([](TItemKind k) { return k == ikShape || k == ikGraphic; }));
            else if (c.Format == TFormat::AutoSize)
                c.Action->setEnabled(all([](TItemKind k) { return k == ikBarcode || k == ikText || k == ikMemo; }));
            else if (c.Format == TFormat::Transparent)
                c.Action->setEnabled(all([](TItemKind k) { return k != ikBarcode; }));
        }
        RefreshChecks();
    }
    RefreshStatus();
    RefreshArrangeActions();
}

// ---------------------------------------------------------------- item format

void TFMain::ApplyFormat(TFormat format, int arg, bool checked)
{
    if (const QList<TLabelControl *> items = SelectionList(); !items.isEmpty()) {
        TItemsEdit edit(Document->UndoTarget(), items);
        for (TLabelControl *item : items) {
            switch (format) {
            case TFormat::HorzAlign: item->SetHorzAlign(TItemAlign(arg)); break;
            case TFormat::VertAlign: item->SetVertAlign(TItemAlign(arg)); break;
            case TFormat::Attach: item->SetAttach(TItemAlign(arg)); break;
            case TFormat::Rotate: item->SetRotation(arg); break;
            case TFormat::AutoSize: item->SetAutoSize(checked); break;
            case TFormat::Transparent: item->SetTransparent(checked); break;
            case TFormat::Flip: arg ? item->SetFlipVert(checked) : item->SetFlipHorz(checked); break;
            case TFormat::None: break;
            }
        }
        edit.Commit(UndoStack(), FormatStepName(format));
    }
    FormatDone();
}

void TFMain::FormatDone()
{
    RefreshChecks();
    RefreshStatus();
}

void TFMain::ShowGrids1Click()
{
    Surface->ShowGrids = ShowGrids1->isChecked();
    Surface->update();
}

void TFMain::AutoSaveSequenceClick()
{
    Settings.AutoSaveSeq = AutoSaveSequence->isChecked();
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
    const QList<TLabelControl *> items = SelectionList();
    if (items.isEmpty())
        return;
    HeldItems.clear();
    QStringList texts;
    for (const TLabelControl *item : items) {
        HeldItems.push_back(item->Clone());
        if (item->Kind == ikText || item->Kind == ikMemo)
            texts << item->GetText();
    }
    // Other programs get the texts, or a lone barcode's picture.
    const TLabelControl *item = items.first();
    if (!texts.isEmpty())
        clip->setText(texts.join(u'\n'));
    else if (items.size() == 1 && item->Kind == ikBarcode && !item->ItemBitmap.isNull())
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
    if (HeldItems.empty())
        return;
    std::vector<const TLabelControl *> sources;
    QList<TLabelControl *> held;
    for (const auto &item : HeldItems) {
        sources.push_back(item.get());
        held.append(item.get());
    }
    const TRect box = BoundsOf(held);
    const QPoint centre = PasteCentre();
    AddCopies(sources, centre.x() - (box.Left + box.width() / 2), centre.y() - (box.Top + box.height() / 2),
              tr("粘贴"));
}

void TFMain::Delete1Click()
{
    DeleteSelectedItem(UndoStack(), Document->UndoTarget(), tr("删除"));
}

void TFMain::BringToFront1Click()
{
    RestackSelectedItem(UndoStack(), Document->UndoTarget(), true, tr("置前"));
    FormatDone();
}

void TFMain::SendToBack1Click()
{
    RestackSelectedItem(UndoStack(), Document->UndoTarget(), false, tr("置后"));
    FormatDone();
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
    FitWindowToScreen(); // now with its frame
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
    HeldItems.clear();
    SetToolCursor(false);
    // The label last in use gives the next start its format and grid.
    Settings.LabelFormat = Surface->LabelFormat;
    Settings.ShowGrids = Surface->ShowGrids;
    if (QString error; !SaveSettings(Settings, &error))
        ShowMessage(error);
    Recovery->Remove();
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
