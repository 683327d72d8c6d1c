#pragma once
// The main window: tool bands, properties panel, rulers, the design surface in
// its scrolled viewport, status bar, main menu and the item pop-up menu.
// Its controls are its own; tests and other windows find them by object name.

#include "model/items.h"
#include "storage/settings.h"

#include <QMainWindow>
#include <memory>
#include <vector>

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QToolButton;
class QWheelEvent;
class TAppPrinter;
class TCanvasLabel;
class TFPrintDlg;
class TFLabelSettings;
class TFAdvanced;
class TFPrintProgress;
class TFTextImport;
class TItemEdit;
class TItemsEdit;
class QUndoStack;
class TLabelDocument;
class TPropertiesPanel;
class TRulerBox;
class TRecoveryStore;
class TLabelFileGuard;
struct TLeftRecovery;
class QTimer;
enum class TArrange;

class TFMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFMain(QWidget *parent = nullptr);
    ~TFMain() override;

    // --- state ---
    TCanvasLabel *Surface = nullptr;
    TItemFont CurrentFont;
    bool OpenedFromCommandLine = false;
    // What copy or cut took, kept where it was on the label (the places of the
    // items relative to each other are kept when pasted).
    std::vector<std::unique_ptr<TLabelControl>> HeldItems;
    // The first command-line argument, opened at the first showing.
    QString CommandLineFile;
    // File names and modified states of the open label and template.
    std::unique_ptr<TLabelDocument> Document;
    // The preferences, read at start and written at exit.
    TSettings Settings;
    // The selected printer, and the print forms that live as long as the window.
    std::unique_ptr<TAppPrinter> Printer;
    TFLabelSettings *FLabelSettings = nullptr;
    TFAdvanced *FAdvanced = nullptr;
    TFPrintDlg *FPrintDlg = nullptr;
    TFTextImport *FTextImport = nullptr;
    TFPrintProgress *FPrintProgress = nullptr;
    // Binds the forms created at start-up to this window; any still missing
    // (a window made on its own, as in tests) is created here, in start-up order.
    void AttachForms(TFLabelSettings *labelSettings, TFAdvanced *advanced, TFPrintDlg *printDlg,
                     TFTextImport *textImport, TFPrintProgress *printProgress);
    void EnsureForms();
    // The advanced text editor, offering the header names of the data source
    // the print dialog holds for named columns.
    TFAdvanced *AdvancedEditor();

    // Loading without dialogs (command line, drops, the open commands); false
    // when nothing was opened.
    bool LoadLabelFile(const QString &fileName);
    bool LoadTemplateFile(const QString &fileName);
    bool OpenDocument(const QString &fileName);
    // Whether the current label may be discarded (asks when it has changes).
    bool QuerySave();
    // Resizes the surface from the label format, with the scroll bars.
    void SizeSurfaceFromFormat();
    // A detached copy of an item, not in the surface's list.
    TLabelControl *CloneItem(const TLabelControl *source);

    // Offers the labels that runs which did not end left unsaved (at start).
    void OfferRecovery();
    // The copy of the modified label kept against a crash.
    std::unique_ptr<TRecoveryStore> Recovery;
    // The label file's lock and what it held when read or written last.
    std::unique_ptr<TLabelFileGuard> FileGuard;

    // Help.html next to the program, or in the source tree's resources while
    // developing; empty when neither exists.
    static QString HelpFile();

protected:
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    // What a format entry of the menus or an alignment button sets.
    enum class TFormat { None, HorzAlign, VertAlign, Attach, Rotate, AutoSize, Transparent, Flip };
    struct TFormatControl {
        QAction *Action = nullptr;      // a menu entry, or a submenu's own action
        QToolButton *Button = nullptr;  // or an alignment button
        TFormat Format = TFormat::None;
        int Arg = 0;
        bool IsMenu = false;
    };
    struct TMenuRow;
    struct TToolRow;

    // Building (fmain_build.cpp).
    void BuildToolBands();
    void BuildMenus();
    void BuildPopupMenu();
    template <class Root> void AddMenuRows(Root *root, const TMenuRow *rows, int count, bool popup);
    // The format entries, shared by 格式选项 of the main menu and the pop-up menu.
    static const TMenuRow *FormatRows(int *count);
    void BuildWorkArea();
    void BuildStatusBar();
    void CreateSurface();

    // Commands of the file menu (fmain_file.cpp).
    void New1Click();
    void Open1Click();
    void LoadFormat1Click();
    void Save1Click();
    void SaveLabelAs1Click();
    void SaveFormat1Click();
    void SaveLabelFormatAs1Click();
    void Exit1Click();
    void OpenWithDialog(bool isTemplate);
    // Saves to the current name, or asks for one when there is none or askName.
    void SaveDocument(bool isTemplate, bool askName);
    // The file dialogs of the file commands; empty when cancelled.
    QString FileDialog(bool save, const QString &title, const QString &filter, const QString &suffix,
                       const QString &initial);
    void AfterDocumentLoad();
    // Before saving over the open label file: when someone else has written it
    // since, asks whether to save under another name, reload it or overwrite.
    // False when the save is not to go on (*askName set for another name).
    bool MaySaveOver(const QString &fileName, bool *askName);
    // Set when the person cancelled a save that the file's change stopped:
    // closing or replacing the label must then not go on.
    bool saveStopped_ = false;

    // Recent files and the crash copy (fmain_recover.cpp).
    void RefreshRecentMenu();
    void NoteRecentFile(const QString &fileName);
    void OpenRecentFile(const QString &fileName);
    void StartRecovery();
    void DocumentStateChanged();
    void WriteRecovery();
    bool RestoreRecovery(const TLeftRecovery &left);
    // One message for the recovery copies set aside as unreadable.
    void ReportSetAsideRecovery();

    // Print and format commands, help (fmain_dialogs.cpp).
    void Print1Click();
    void PrintPreview1Click();
    void PrintSetup1Click();
    void LabelOptions1Click();
    void WebHelp1Click();
    void About1Click();

    // Edit commands and item format (fmain.cpp).
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void BringToFront1Click();
    void SendToBack1Click();
    void ShowGrids1Click();
    void AutoSaveSequenceClick();
    void ApplyFormat(TFormat format, int arg, bool checked);
    // After a format command: the label changed, the menus follow the item.
    void FormatDone();
    // The item's setting a format control shows; an out-of-range value shows
    // as the first entry of its group.
    static int FormatValue(const TLabelControl *item, TFormat format);

    // Undo and redo (fmain_undo.cpp).
    void Undo1Click();
    void Redo1Click();
    void ConnectUndo();
    QUndoStack *UndoStack() const;
    // The captions of the undo and redo entries and buttons, with the step's name.
    void RefreshUndoActions();
    // After a step was undone or redone: the window follows the label.
    void AfterUndoStep();
    void SurfaceEditStart(TLabelControl *item);
    void SurfaceEditEnd(TLabelControl *item, bool repeat);
    static QString FormatStepName(TFormat format);

    // Tools, surface events and refreshes.
    void AddToolClick(int kind);
    void sbSelectClick();
    void SurfaceMouseDown(Qt::MouseButton button, int x, int y);
    void SurfaceSelectItem(TLabelControl *item);
    void RefreshChecks();
    void RefreshStatus();
    void SetStateText(const QString &text);
    void UpdateScrollRanges();
    void ApplyScroll();
    void SetToolCursor(bool armed);
    void EnableSave();
    void RefreshSaveButtons();
    void CentreOnMain(QWidget *dialog) const;

    // Zoom of the surface (fmain_zoom.cpp).
    void BuildZoomBox();
    void ZoomIn1Click();
    void ZoomOut1Click();
    void ActualSize1Click();
    void ApplyZoomBoxText();
    // Sets the zoom keeping the label point under `anchor` (a point of the
    // viewport; its centre when negative) where it is.
    void SetZoom(double zoom, QPoint anchor = QPoint(-1, -1));
    // Ctrl+wheel zooms around the pointer; the plain wheel scrolls.
    bool WheelOnSurface(QWidget *watched, QWheelEvent *event);

    TPropertiesPanel *pBCSettings = nullptr;
    // The panel's text box; the edit commands act on it while it has the focus.
    QLineEdit *eText = nullptr;
    QButtonGroup *ToolGroup = nullptr; // button ids: the item kind, -1 for sbSelect
    QToolButton *WriteBtn = nullptr, *sbSelect = nullptr;
    QAction *Save1 = nullptr, *SaveFormat1 = nullptr, *ShowGrids1 = nullptr, *AutoSaveSequence = nullptr;
    QAction *Undo1 = nullptr, *Redo1 = nullptr;
    QToolButton *sbUndo = nullptr, *sbRedo = nullptr;
    // The drag or key press on the surface being recorded.
    std::unique_ptr<TItemsEdit> surfaceEdit_;
    QMenu *LabelPopupMenu = nullptr;
    QMenu *RecentFiles1 = nullptr;
    QStringList recentFiles_;
    QTimer *recoveryTimer_ = nullptr;
    bool recoveryWarned_ = false; // a failed write of the copy was told
    QList<TFormatControl> formatControls_;
    QWidget *PMain = nullptr;
    TRulerBox *pbHRuler = nullptr, *pbVRuler = nullptr;
    QScrollBar *HScrollBar = nullptr, *VScrollBar = nullptr;
    QLabel *StatusPanel0 = nullptr, *StatusPanel1 = nullptr, *StatusPanel2 = nullptr;
    QComboBox *ZoomBox = nullptr;
    int wheelZoom_ = 0; // wheel turn not yet spent on a zoom step

    bool toolCursorSet_ = false;
    bool shownOnce_ = false;

    // Several items at once (fmain_selection.cpp).
    void SelectAll1Click();
    void Cut1Click();
    void Duplicate1Click();
    // Copies of `sources` added as one step named `name`, moved by (dx, dy)
    // as far as the label lets their box go, and selected.
    void AddCopies(const std::vector<const TLabelControl *> &sources, int dx, int dy, const QString &name);
    // Where a paste puts the centre of what it places: the design point under
    // the pointer, or the centre of the part of the label in view.
    QPoint PasteCentre() const;
    // The items the edit commands act on (TItemContainer::EditedItems).
    QList<TLabelControl *> SelectionList() const;
    // The file's name and whether it has unsaved changes, in the title.
    void RefreshWindowTitle();
    // The zoom at which the whole label shows in the work area.
    void ZoomToFit1Click();
    // Keeps the window on its screen's available area (a large scale factor
    // can make the first size larger than the screen).
    void FitWindowToScreen();
    // 排列 and snapping (fmain_arrange.cpp): the menu, its tool bar, the
    // snap entries of 编辑 and the grid's spacing.
    void BuildArrange();
    // After the settings are read: the snap checks and the grid's spacing.
    void ApplySnapSettings();
    // Each arrangement enabled only for a selection it applies to.
    void RefreshArrangeActions();
    void ArrangeSelection(TArrange how);
    void SnapToggled();
    void GridSpacing1Click();
    QList<QPair<QAction *, TArrange>> arrangeActions_;
    QAction *SnapToGrid1 = nullptr, *SnapToItems1 = nullptr, *GridSpacing1 = nullptr;
};

extern TFMain *FMain;
