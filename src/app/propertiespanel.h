#pragma once
// The properties panel at the left of the main window ("pBCSettings"): where
// the selected item's text comes from, and one page of controls per item kind.
// Every control writes straight to the selected item of the surface; the
// item's plain properties through their rows in model/itemproperties.h.

#include "app/ownerdrawlists.h"
#include "app/symbologylist.h"
#include "model/items.h"
#include "model/labelundo.h"

#include <QFrame>
#include <functional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;
class QUndoStack;
class TCanvasLabel;
class TFAdvanced;
struct TSymbolOption;

class TPropertiesPanel : public QFrame {
    Q_OBJECT
public:
    explicit TPropertiesPanel(QWidget *parent = nullptr);

    // The surface whose selected item the panel edits.
    void SetSurface(TCanvasLabel *surface) { surface_ = surface; }
    // Where each edit is recorded as one undoable step; without it the
    // edits are made but not recorded.
    void SetUndo(QUndoStack *stack, TUndoTarget *target)
    {
        undo_ = stack;
        undoTarget_ = target;
    }
    // The advanced text editor form, made on first use by the main window.
    std::function<TFAdvanced *()> AdvancedForm;

    // Fills the panel from the item, or empties it for none.
    void ShowItem(TLabelControl *item);
    // Which controls of the text source are usable for the selected item.
    void RefreshTextSource();
    // The symbology chosen in the list, for a new barcode.
    int ChosenBarcodeType() const;
    // The plain-text box: the edit commands work on it while it has the focus.
    QLineEdit *TextEdit() const { return eText; }
    // The third status panel for a selection: "Edit Barcode" ... or "Ready";
    // for a barcode whose text its symbology cannot hold, the reason.
    static QString StateText(const TLabelControl *item);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The selected item was changed through the panel.
    void Changed();
    // A text for the third status panel.
    void State(const QString &text);
    // A font was chosen for the item; new text items take it too.
    void FontChosen(const TItemFont &font);

private:
    void BuildTextSource();
    QWidget *BuildBarcodePage();
    QWidget *BuildTextPage();
    QWidget *BuildShapePage();
    QWidget *BuildPicturePage();
    void Connect();
    // A check box that shows and edits the property row of `key` (see
    // model/itemproperties.h) of whichever item has it.
    void BindCheck(const char *key, QCheckBox *box);
    // A check box for each switch of the kind that has a caption but no box.
    void AddUnboundChecks(TItemKind kind, QWidget *page, QVBoxLayout *layout);
    // Sets the property row of `key` of the selected item through its
    // setter, as one step named by the row's caption.
    bool EditProperty(const char *key, int value);
    void ShowKindPanel(QWidget *panel);
    void ShowBarcode(const TBarcodeLabel *b);
    // The options of the item's symbology, shown only for two-dimensional ones.
    void ShowBarcodeOptions(const TBarcodeLabel *b);
    // The third status panel again after an edit that may change it.
    void RefreshState();
    void ShowShape(const TShapeLabel *s);
    void SetEditColor(QWidget *w, bool enabled);
    static void SetSwatch(QLabel *swatch, const QColor &c);
    static QColor Swatch(const QLabel *swatch);
    void ShowFontName(const TItemFont &font);
    void RefreshFieldList();
    void SetTextQuietly(const QString &text);
    void ChooseShapeColour(QLabel *swatch, bool pen);
    TLabelControl *Item() const;
    // Begins an edit of the selected item; Record makes it one step named
    // `name` (typing in eText joins the step before it) and reports it.
    TItemEdit BeginEdit(const TLabelControl *item);
    void Record(TItemEdit &edit, const char *name, TItemEdit::TMerge merge = TItemEdit::Alone);
    template <class T> T *Selected(TItemKind kind) const;

    void eTextChange(const QString &text);
    void rbTextSourceClick();
    void sbEditTextClick();
    void sbFieldEditClick();
    void cbBarcodeTypeChange(int index);
    void seBCScaleChange(int value);
    // The scale is typed only when not automatic.
    void cbAutoScaleClick(bool checked);
    void cbBarcodeEccChange(int index);
    void cbBarcodeSizeChange(int index);
    void sbSelectFontClick();
    void TColorBtnClick();
    void ShapeButtonClick(int kind);
    void cbPenSizeChange(int index);
    void cbBrushStyleChange(int index);
    void sbGraphicFilenameClick();
    // The named options of the item's symbology, one control each; made
    // again only when the symbology changes.
    void ShowNamedOptions(const TBarcodeLabel *b);
    // Sets (or, for the default, removes) one named option, as one step
    // named by the option's caption.
    void SetNamedOption(const TSymbolOption &option, const QString &value);
    // The reason under the text why the selected barcode cannot hold it.
    void ShowBarcodeError();

    TCanvasLabel *surface_ = nullptr;
    QUndoStack *undo_ = nullptr;
    TUndoTarget *undoTarget_ = nullptr;
    std::unique_ptr<TUndoTarget> ownTarget_;
    // The kind page in front, brought forward only when it changes.
    QWidget *OptionsPanel = nullptr;
    bool refreshing_ = false;
    struct TBoundCheck {
        const char *Key;
        QCheckBox *Box;
    };
    std::vector<TBoundCheck> checks_;

    // Text source.
    QRadioButton *rbSimpleText, *rbAdvancedText;
    QLineEdit *eText;
    QToolButton *sbEditText;
    QPushButton *sbFieldEdit;
    QListWidget *lbFields;
    QStackedWidget *pLabelOptions;
    QWidget *pNone;
    // Barcode.
    QWidget *pBarcode;
    TSymbologyCombo *cbBarcodeType;
    QCheckBox *cbInterpret, *cbAutoScale;
    QSpinBox *seBCScale;
    QLabel *LScale;
    QWidget *pBarcodeOptions;
    QLabel *LBarcodeEcc, *LBarcodeSize;
    QComboBox *cbBarcodeEcc, *cbBarcodeSize;
    QCheckBox *cbBarcodeRect;
    // Text and memo.
    QWidget *pText;
    QLineEdit *eFont;
    QToolButton *sbSelectFont;
    QPushButton *TColorBtn;
    QLabel *pTextColor;
    // Shape.
    QWidget *pGraphics;
    QButtonGroup *ShapeGroup;
    TOwnerDrawCombo *cbPenSize, *cbBrushStyle;
    QPushButton *LColorBtn, *FColorBtn;
    QLabel *pLine, *pFill;
    // Picture.
    QWidget *pGraphicOptions;
    QLineEdit *eGraphicFilename;
    QToolButton *sbGraphicFilename;
    QCheckBox *cbMaintainAspect;

    // Several items selected: the panel edits what they share, all of them
    // in one step, and shows a value they do not share as mixed.
    QList<TLabelControl *> Items() const;
    bool Several() const { return Items().size() > 1; }
    TItemsEdit BeginEdits(const QList<TLabelControl *> &items);
    void Record(TItemsEdit &edit, const char *name);
    // The selected items of the kind (text and memo for ikText).
    QList<TLabelControl *> ItemsOf(TItemKind kind) const;
    // The page for several items: their kind's when they share one, else none.
    void ShowSeveral(const QList<TLabelControl *> &items);
    static void SetMixedSwatch(QLabel *swatch, bool mixed, const QColor &c);
    QCheckBox *cbEmbedPicture;
    void cbEmbedPictureClick(bool checked);
    // Named options and the barcode's error, under the text.
    QWidget *pNamedOptions = nullptr;
    QGridLayout *NamedOptionsGrid = nullptr;
    struct TOptionControl {
        const TSymbolOption *Option;
        QWidget *Control;
        QLabel *Caption;  // none for a flag: its box says it
    };
    std::vector<TOptionControl> optionControls_;
    int namedOptionsFor_ = -1;
    QLabel *LBarcodeError = nullptr;
    // Position, size and rotation typed in the label's unit
    // (propertiespanel_geometry.cpp).
public:
    // The fields from the selected items again (after a move, a key, an undo).
    void RefreshGeometry();

private:
    QWidget *BuildGeometry();
    // Field 0..3 (X, Y, width, height) as typed, applied to the item.
    void ApplyGeometryField(int field);
    void ApplyRotation(int index);
    QWidget *pGeometry = nullptr;
    QLineEdit *geometryFields_[4] = {};
    QComboBox *cbRotation = nullptr;
};
