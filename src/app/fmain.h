#pragma once
// The main window: tool bands, properties panel, rulers, the design surface in
// its scrolled viewport, status bar, main menu and the item pop-up menu.

#include "model/items.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QSpinBox;
class QSplitter;
class QStackedWidget;
class QToolBar;
class QToolButton;
class TAppPrinter;
class TCanvasLabel;
class TFPrintDlg;
class TFLabelSettings;
class TFAdvanced;
class TFPrintProgress;
class TFTextImport;
class TLabelDocument;
class TRulerBox;
class TOwnerDrawCombo;

class TFMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFMain(QWidget *parent = nullptr);
    ~TFMain() override;

    // --- state ---
    TCanvasLabel *Surface = nullptr;
    QWidget *OptionsPanel = nullptr;
    TItemFont CurrentFont;
    bool OpenedFromCommandLine = false;
    std::unique_ptr<TLabelControl> HeldCopy;
    // The first command-line argument, opened at the first showing.
    QString CommandLineFile;
    // File names and modified states of the open label and template.
    std::unique_ptr<TLabelDocument> Document;
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

    // Questions to the person at the program: Yes/No (withCancel false) or
    // Yes/No/Cancel; returns QMessageBox::Yes, No or Cancel. Tests replace it.
    static std::function<int(QWidget *parent, const QString &question, bool withCancel)> Ask;

    // --- tool bands ---
    QToolBar *FileOptions, *Panel3, *pAlign;
    QToolButton *sbNew, *LoadBtn, *WriteBtn, *sbPrint;
    QToolButton *sbSelect, *sbText, *sbBarcode, *sbMemo, *sbShape, *sbGraphic;
    QToolButton *sbVATop, *sbVACenter, *sbVABottom, *sbHALeft, *sbHACenter, *sbHARight;
    QButtonGroup *ToolGroup, *VAlignGroup, *HAlignGroup;

    // --- layout ---
    QSplitter *Splitter1;
    QScrollArea *pBCScroll;
    QWidget *pBCSettings, *Panel7, *pRuler, *pHRuler, *pVRuler, *PSubMain, *Panel1, *Panel4, *PMain;
    QToolButton *PReAlign;
    TRulerBox *pbHRuler, *pbVRuler;
    QScrollBar *HScrollBar, *VScrollBar;
    QLabel *StatusPanel0, *StatusPanel1, *StatusPanel2;

    // --- properties panel ---
    QRadioButton *rbSimpleText, *rbAdvancedText;
    QLineEdit *eText;
    QToolButton *sbEditText;
    QPushButton *sbFieldEdit;
    QListWidget *lbFields;
    QStackedWidget *pLabelOptions;
    QWidget *pNone, *pBarcode, *pText, *pGraphics, *pGraphicOptions;
    QComboBox *cbBarcodeType;
    QCheckBox *cbInterpret, *cbAutoScale;
    QSpinBox *seBCScale;
    QLabel *LScale;
    QLineEdit *eFont;
    QToolButton *sbSelectFont;
    QPushButton *TColorBtn;
    QLabel *pTextColor;
    QToolButton *sbRectangle, *sbEllipse, *sbTriangle, *sbRRectangle, *sbHLine, *sbVLine;
    QButtonGroup *ShapeGroup;
    TOwnerDrawCombo *cbPenSize, *cbBrushStyle;
    QPushButton *LColorBtn, *FColorBtn;
    QLabel *pLine, *pFill;
    QLineEdit *eGraphicFilename;
    QToolButton *sbGraphicFilename;
    QCheckBox *cbMaintainAspect;

    // --- menus ---
    QMenu *File1, *Edit1, *Help1, *FormatOptions1, *HorizontalAL, *VerticalAL, *AttachTo, *Rotate1;
    QAction *New1, *Open1, *LoadFormat1, *Save1, *SaveLabelAs1, *SaveFormat1, *SaveLabelFormatAs1,
        *Print1, *PrintSetup1, *Exit1;
    QAction *Copy1, *Paste1, *Delete1, *LabelOptions1, *ShowGrids1, *AutoSaveSequence;
    QAction *HALeft, *HACenter, *HARight, *VATop, *VACenter, *VABottom;
    QAction *atNone, *atLeft, *atRight, *atTop, *atBottom, *atClient;
    QAction *RoNone1, *Ro901, *Ro1801, *Ro2701, *AutoSize1, *Transparent1;
    QAction *WebHelp1, *About1;

    QMenu *LabelPopupMenu, *HorizontalAL2, *VerticalAl2, *AttachTo2, *Rotation1;
    QAction *BringToFront1, *SendToBack1;
    QAction *HALeft2, *HACenter2, *HARight2, *VATop2, *VACenter2, *VABottom2;
    QAction *atNone2, *atLeft2, *atRight2, *atTop2, *atBottom2, *atClient2;
    QAction *RoNone2, *Ro902, *Ro1802, *Ro2702, *AutoSize2, *Transparent2;

    // --- commands (one method each, so that later layers can wire them) ---
    void New1Click();
    void Open1Click();
    void LoadFormat1Click();
    void Save1Click();
    void SaveLabelAs1Click();
    void SaveFormat1Click();
    void SaveLabelFormatAs1Click();
    void Print1Click();
    void PrintSetup1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void LabelOptions1Click();
    void ShowGrids1Click();
    void AutoSaveSequenceClick();
    void WebHelp1Click();
    void About1Click();
    void BringToFront1Click();
    void SendToBack1Click();
    void AddToolClick(QToolButton *tool);
    void sbSelectClick();
    void SetHorzAlign(TItemAlign a);
    void SetVertAlign(TItemAlign a);
    void SetAttach(TItemAlign a);
    void SetRotation(int r);
    void AutoSizeClick(bool checked);
    void TransparentClick(bool checked);

    // Loading without dialogs (command line, drops, the open commands); false
    // when nothing was opened.
    bool LoadLabelFile(const QString &fileName);
    bool LoadTemplateFile(const QString &fileName);
    bool OpenDocument(const QString &fileName);
    // Whether the current label may be discarded (asks when it has changes).
    bool QuerySave();

    // Surface events.
    void SurfaceMouseDown(Qt::MouseButton button, int x, int y);
    void SurfaceSelectItem(TLabelControl *item);

    // Refreshes.
    void RefreshChecks();
    void RefreshStatus();
    void RefreshTextSource();
    void SetStateText(const QString &text);
    // The third status panel for a selection: "Edit Barcode" ... or "Ready".
    static QString StateText(const TLabelControl *item);
    void UpdateScrollRanges();
    // Resizes the surface from the label format, with the scroll bars.
    void SizeSurfaceFromFormat();
    void ShowKindPanel(QWidget *panel);

    // A detached copy of an item, not in the surface's list.
    TLabelControl *CloneItem(const TLabelControl *source);

    // Places a dialog over the middle of the main window.
    void CentreOnMain(QWidget *dialog) const;

    // Properties panel actions.
    void eTextChange(const QString &text);
    void rbTextSourceClick();
    void sbEditTextClick();
    void sbFieldEditClick();
    void cbBarcodeTypeChange(int index);
    void seBCScaleChange(int value);
    void cbInterpretClick(bool checked);
    void cbAutoScaleClick(bool checked);
    void sbSelectFontClick();
    void TColorBtnClick();
    void ShapeButtonClick(int kind);
    void cbPenSizeChange(int index);
    void cbBrushStyleChange(int index);
    void LColorBtnClick();
    void FColorBtnClick();
    void sbGraphicFilenameClick();
    void cbMaintainAspectClick(bool checked);

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
    struct TFormatMenus {
        QMenu *Horz, *Vert, *Attach, *Rotate;
        QList<QAction *> Entries; // 3 horizontal, 3 vertical, 6 attach, 4 rotation
    };
    TFormatMenus BuildFormatMenus(const QString &suffix, const QString &rotationSuffix);
    void BuildToolBands();
    void BuildMenus();
    void BuildPopupMenu();
    void BuildWorkArea();
    void BuildPropertiesPanel();
    void BuildStatusBar();
    void CreateSurface();
    void SetToolCursor(bool armed);
    void EnableSave();
    // After a format command: the label changed, the menus follow the item.
    void FormatDone();
    void RefreshSaveButtons();
    void AfterDocumentLoad();
    void OpenWithDialog(bool isTemplate);
    // Saves to the current name, or asks for one when there is none or askName.
    void SaveDocument(bool isTemplate, bool askName);
    // The file dialogs of the file commands; empty when cancelled.
    QString FileDialog(bool save, const QString &title, const QString &filter, const QString &suffix,
                       const QString &initial);
    void ApplyScroll();
    void RefreshFieldList();
    void SetEditColor(QWidget *w, bool enabled);
    void ShowFontName(const TItemFont &font);
    void ChooseShapeColour(QLabel *swatch, bool pen);
    template <class T> T *Selected(TItemKind kind) const;

    bool toolCursorSet_ = false;
    bool shownOnce_ = false;
    bool refreshing_ = false;
};

extern TFMain *FMain;
