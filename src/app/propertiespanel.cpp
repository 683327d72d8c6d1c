#include "app/propertiespanel.h"

#include "app/dialogkit.h"
#include "app/fadvanced.h"
#include "app/ffontdlg.h"
#include "app/fmemodlg.h"
#include "app/glyphs.h"
#include "barcode/barcode.h"
#include "canvas/canvaslabel.h"
#include "render/itemrender.h"
#include "picture/loadgraphic.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The colour of a disabled entry field.
const QColor kInactiveCaptionText(0xD4, 0xD0, 0xC8);

template <class W> W *Named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel *Caption(QWidget *parent, const char *name, const QString &text)
{
    return Named(new QLabel(text, parent), name);
}

QVBoxLayout *PageLayout(QWidget *page)
{
    auto *v = new QVBoxLayout(page);
    v->setContentsMargins(4, 4, 4, 4);
    v->setSpacing(4);
    return v;
}

void SetSwatch(QLabel *swatch, const QColor &c)
{
    swatch->setAutoFillBackground(true);
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, c);
    swatch->setPalette(pal);
}

QColor Swatch(const QLabel *swatch)
{
    return swatch->palette().color(QPalette::Window);
}

// A colour button with its swatch at the right, in one row.
void ColourRow(QVBoxLayout *v, QWidget *page, QPushButton *&button, QLabel *&swatch, const char *bname,
               const char *sname, const QString &caption, const QColor &initial)
{
    auto *row = new QHBoxLayout;
    button = Named(new QPushButton(caption, page), bname);
    swatch = Named(new QLabel(page), sname);
    swatch->setFixedSize(22, 22);
    swatch->setFrameShape(QFrame::Box);
    SetSwatch(swatch, initial);
    row->addWidget(button, 1);
    row->addWidget(swatch);
    v->addLayout(row);
}

} // namespace

TPropertiesPanel::TPropertiesPanel(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("pBCSettings"));
    setMinimumWidth(152);
    BuildTextSource();
    pLabelOptions->addWidget(pNone = Named(new QWidget(pLabelOptions), "pNone"));
    pLabelOptions->addWidget(BuildBarcodePage());
    pLabelOptions->addWidget(BuildTextPage());
    pLabelOptions->addWidget(BuildShapePage());
    pLabelOptions->addWidget(BuildPicturePage());
    cbBarcodeType->setCurrentIndex(0);
    cbPenSize->setCurrentIndex(0);
    cbBrushStyle->setCurrentIndex(0);
    Connect();
    RefreshTextSource();
    ShowKindPanel(pNone);
    // Every edit in a field is already a step of the label: the field's own
    // undo would make its undoing one more step, and what was typed could not
    // be redone. The window's undo and redo take the keys instead.
    for (QWidget *field : findChildren<QLineEdit *>())
        field->installEventFilter(this);
    for (QWidget *field : findChildren<QAbstractSpinBox *>())
        field->installEventFilter(this);
}

bool TPropertiesPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const QKeyCombination key = static_cast<QKeyEvent *>(event)->keyCombination();
        const Qt::KeyboardModifiers mods = key.keyboardModifiers() & ~Qt::KeypadModifier;
        const bool undoKey = (key.key() == Qt::Key_Z && (mods == Qt::ControlModifier
                                                         || mods == (Qt::ControlModifier | Qt::ShiftModifier)))
                             || (key.key() == Qt::Key_Y && mods == Qt::ControlModifier);
        if (undoKey) {
            // A spin box holds typed digits until it interprets them.
            if (auto *spin = qobject_cast<QAbstractSpinBox *>(watched))
                spin->interpretText();
            // Left unaccepted, the override lets the window's shortcut run;
            // the press itself (when there is nothing to undo) goes nowhere.
            event->ignore();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

// ---------------------------------------------------------------- building

void TPropertiesPanel::BuildTextSource()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);

    rbSimpleText = Named(new QRadioButton(tr("示例文字"), this), "rbSimpleText");
    rbSimpleText->setChecked(true);
    eText = Named(new QLineEdit(this), "eText");
    sbEditText = Named(new QToolButton(this), "sbEditText");
    sbEditText->setText(QStringLiteral("..."));
    sbEditText->setToolTip(tr("编辑文字"));
    sbEditText->setVisible(false);
    rbAdvancedText = Named(new QRadioButton(tr("高级区域"), this), "rbAdvancedText");
    sbFieldEdit = Named(new QPushButton(tr("编辑>>"), this), "sbFieldEdit");
    lbFields = Named(new QListWidget(this), "lbFields");
    lbFields->setMaximumHeight(90);

    outer->addWidget(rbSimpleText);
    auto *textRow = new QHBoxLayout;
    textRow->addWidget(eText, 1);
    textRow->addWidget(sbEditText);
    outer->addLayout(textRow);
    auto *advRow = new QHBoxLayout;
    advRow->addWidget(rbAdvancedText, 1);
    advRow->addWidget(sbFieldEdit);
    outer->addLayout(advRow);
    outer->addWidget(lbFields);

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    outer->addWidget(rule);

    pLabelOptions = Named(new QStackedWidget(this), "pLabelOptions");
    outer->addWidget(pLabelOptions);
    outer->addStretch(1);
}

QWidget *TPropertiesPanel::BuildBarcodePage()
{
    pBarcode = Named(new QWidget(pLabelOptions), "pBarcode");
    auto *v = PageLayout(pBarcode);
    v->addWidget(Caption(pBarcode, "Label1", tr("条形码系统")));
    cbBarcodeType = Named(new QComboBox(pBarcode), "cbBarcodeType");
    for (int i = 0; i < kSymbologyCount; ++i)
        cbBarcodeType->addItem(BarcodeListCaption(i));
    v->addWidget(cbBarcodeType);
    cbInterpret = Named(new QCheckBox(tr("注释行"), pBarcode), "cbInterpret");
    cbInterpret->setToolTip(tr("在条形码的顶端或者底部打印文字"));
    cbInterpret->setChecked(true);
    v->addWidget(cbInterpret);
    cbAutoScale = Named(new QCheckBox(tr("自动调整比例"), pBarcode), "cbAutoScale");
    cbAutoScale->setToolTip(tr("自动调整条形码为合适比例"));
    cbAutoScale->setChecked(true);
    v->addWidget(cbAutoScale);
    auto *row = new QHBoxLayout;
    LScale = Caption(pBarcode, "LScale", tr("刻度"));
    LScale->setEnabled(false);
    seBCScale = Named(new QSpinBox(pBarcode), "seBCScale");
    seBCScale->setRange(1, 9);
    seBCScale->setValue(1);
    seBCScale->setEnabled(false);
    SetEditColor(seBCScale, false);
    row->addWidget(LScale);
    row->addWidget(seBCScale, 1);
    v->addLayout(row);

    pBarcodeOptions = Named(new QWidget(pBarcode), "pBarcodeOptions");
    auto *grid = new QGridLayout(pBarcodeOptions);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    LBarcodeEcc = Caption(pBarcodeOptions, "LBarcodeEcc", tr("纠错级别"));
    cbBarcodeEcc = Named(new QComboBox(pBarcodeOptions), "cbBarcodeEcc");
    LBarcodeSize = Caption(pBarcodeOptions, "LBarcodeSize", tr("尺寸"));
    cbBarcodeSize = Named(new QComboBox(pBarcodeOptions), "cbBarcodeSize");
    cbBarcodeRect = Named(new QCheckBox(tr("长方形"), pBarcodeOptions), "cbBarcodeRect");
    cbBarcodeRect->setToolTip(tr("自动尺寸时使用长方形符号"));
    grid->addWidget(LBarcodeEcc, 0, 0);
    grid->addWidget(cbBarcodeEcc, 0, 1);
    grid->addWidget(LBarcodeSize, 1, 0);
    grid->addWidget(cbBarcodeSize, 1, 1);
    grid->addWidget(cbBarcodeRect, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    pBarcodeOptions->setVisible(false);
    v->addWidget(pBarcodeOptions);
    v->addStretch(1);
    return pBarcode;
}

QWidget *TPropertiesPanel::BuildTextPage()
{
    pText = Named(new QWidget(pLabelOptions), "pText");
    auto *v = PageLayout(pText);
    v->addWidget(Caption(pText, "Label2", tr("选择字体")));
    auto *row = new QHBoxLayout;
    eFont = Named(new QLineEdit(pText), "eFont");
    eFont->setReadOnly(true);
    sbSelectFont = Named(new QToolButton(pText), "sbSelectFont");
    sbSelectFont->setText(QStringLiteral("F"));
    row->addWidget(eFont, 1);
    row->addWidget(sbSelectFont);
    v->addLayout(row);
    // The letters' colour, also offered among the font dialog's effects.
    ColourRow(v, pText, TColorBtn, pTextColor, "TColorBtn", "pTextColor", tr("选择文字颜色"), Qt::black);
    v->addStretch(1);
    return pText;
}

QWidget *TPropertiesPanel::BuildShapePage()
{
    static const struct {
        const char *Name;
        const char *Hint;
        TShapeKind Kind;
    } shapes[] = {
        {"sbRectangle", QT_TR_NOOP("矩形"), skRectangle},   {"sbEllipse", QT_TR_NOOP("椭圆形"), skEllipse},
        {"sbTriangle", QT_TR_NOOP("三角形"), skTriangle},   {"sbRRectangle", QT_TR_NOOP("园矩形"), skRoundRect},
        {"sbHLine", QT_TR_NOOP("水平线条"), skHorzLine}, {"sbVLine", QT_TR_NOOP("垂直线条"), skVertLine},
    };
    pGraphics = Named(new QWidget(pLabelOptions), "pGraphics");
    auto *v = PageLayout(pGraphics);
    auto *grid = new QGridLayout;
    ShapeGroup = new QButtonGroup(this);
    for (const auto &s : shapes) {
        auto *b = Named(new QToolButton(pGraphics), s.Name);
        b->setToolTip(tr(s.Hint));
        b->setIcon(ToolGlyph(b->objectName()));
        b->setCheckable(true);
        b->setChecked(s.Kind == skRectangle);
        ShapeGroup->addButton(b, s.Kind);
        grid->addWidget(b, s.Kind / 3, s.Kind % 3);
    }
    v->addLayout(grid);

    v->addWidget(Caption(pGraphics, "Label4", tr("线条尺寸")));
    cbPenSize = Named(new TOwnerDrawCombo(pGraphics), "cbPenSize");
    cbPenSize->setItemDelegate(new TPenSizeDelegate(cbPenSize));
    for (int w = 1; w <= 9; ++w)
        cbPenSize->addItem(QString::number(w));
    v->addWidget(cbPenSize);
    v->addWidget(Caption(pGraphics, "Label3", tr("填充风格")));
    cbBrushStyle = Named(new TOwnerDrawCombo(pGraphics), "cbBrushStyle");
    cbBrushStyle->setItemDelegate(new TBrushStyleDelegate(cbBrushStyle));
    for (int s = 0; s < 7; ++s)
        cbBrushStyle->addItem(BrushStyleName(s));
    v->addWidget(cbBrushStyle);

    ColourRow(v, pGraphics, LColorBtn, pLine, "LColorBtn", "pLine", tr("选择线条颜色"), Qt::black);
    ColourRow(v, pGraphics, FColorBtn, pFill, "FColorBtn", "pFill", tr("选择填充颜色"), Qt::white);
    v->addStretch(1);
    return pGraphics;
}

QWidget *TPropertiesPanel::BuildPicturePage()
{
    pGraphicOptions = Named(new QWidget(pLabelOptions), "pGraphicOptions");
    auto *v = PageLayout(pGraphicOptions);
    v->addWidget(Caption(pGraphicOptions, "Label5", tr("图像文件")));
    auto *row = new QHBoxLayout;
    eGraphicFilename = Named(new QLineEdit(pGraphicOptions), "eGraphicFilename");
    eGraphicFilename->setReadOnly(true);
    sbGraphicFilename = Named(new QToolButton(pGraphicOptions), "sbGraphicFilename");
    sbGraphicFilename->setText(QStringLiteral("..."));
    row->addWidget(eGraphicFilename, 1);
    row->addWidget(sbGraphicFilename);
    v->addLayout(row);
    cbMaintainAspect = Named(new QCheckBox(tr("保持纵横比"), pGraphicOptions), "cbMaintainAspect");
    cbMaintainAspect->setChecked(true);
    v->addWidget(cbMaintainAspect);
    v->addStretch(1);
    return pGraphicOptions;
}

void TPropertiesPanel::Connect()
{
    using P = TPropertiesPanel;
    connect(eText, &QLineEdit::textChanged, this, &P::eTextChange);
    connect(rbSimpleText, &QRadioButton::clicked, this, &P::rbTextSourceClick);
    connect(rbAdvancedText, &QRadioButton::clicked, this, &P::rbTextSourceClick);
    connect(sbEditText, &QToolButton::clicked, this, &P::sbEditTextClick);
    connect(sbFieldEdit, &QPushButton::clicked, this, &P::sbFieldEditClick);
    connect(cbBarcodeType, &QComboBox::currentIndexChanged, this, &P::cbBarcodeTypeChange);
    connect(seBCScale, &QSpinBox::valueChanged, this, &P::seBCScaleChange);
    connect(cbInterpret, &QCheckBox::clicked, this, &P::cbInterpretClick);
    connect(cbAutoScale, &QCheckBox::clicked, this, &P::cbAutoScaleClick);
    connect(cbBarcodeEcc, &QComboBox::currentIndexChanged, this, &P::cbBarcodeEccChange);
    connect(cbBarcodeSize, &QComboBox::currentIndexChanged, this, &P::cbBarcodeSizeChange);
    connect(cbBarcodeRect, &QCheckBox::clicked, this, &P::cbBarcodeRectClick);
    connect(sbSelectFont, &QToolButton::clicked, this, &P::sbSelectFontClick);
    connect(TColorBtn, &QPushButton::clicked, this, &P::TColorBtnClick);
    connect(ShapeGroup, &QButtonGroup::idClicked, this, &P::ShapeButtonClick);
    connect(cbPenSize, &QComboBox::currentIndexChanged, this, &P::cbPenSizeChange);
    connect(cbBrushStyle, &QComboBox::currentIndexChanged, this, &P::cbBrushStyleChange);
    connect(LColorBtn, &QPushButton::clicked, this, [this] { ChooseShapeColour(pLine, true); });
    connect(FColorBtn, &QPushButton::clicked, this, [this] { ChooseShapeColour(pFill, false); });
    connect(sbGraphicFilename, &QToolButton::clicked, this, &P::sbGraphicFilenameClick);
    connect(cbMaintainAspect, &QCheckBox::clicked, this, &P::cbMaintainAspectClick);
}

// ---------------------------------------------------------------- showing

TLabelControl *TPropertiesPanel::Item() const
{
    return surface_ ? surface_->SelectedItem : nullptr;
}

TItemEdit TPropertiesPanel::BeginEdit(const TLabelControl *item)
{
    if (!undoTarget_) {
        if (!ownTarget_)
            ownTarget_ = std::make_unique<TUndoTarget>(*surface_);
        return TItemEdit(*ownTarget_, item);
    }
    return TItemEdit(*undoTarget_, item);
}

void TPropertiesPanel::Record(TItemEdit &edit, const char *name, TItemEdit::TMerge merge)
{
    edit.Commit(undo_, tr(name), merge, merge != TItemEdit::Alone);
    emit Changed();
}

template <class T> T *TPropertiesPanel::Selected(TItemKind kind) const
{
    TLabelControl *item = Item();
    return item && item->Kind == kind ? static_cast<T *>(item) : nullptr;
}

int TPropertiesPanel::ChosenBarcodeType() const
{
    return ListIndexToBarcodeType(qMax(0, cbBarcodeType->currentIndex()));
}

void TPropertiesPanel::SetEditColor(QWidget *w, bool enabled)
{
    QPalette pal = w->palette();
    const QColor c = enabled ? palette().color(QPalette::Active, QPalette::Base) : kInactiveCaptionText;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, c);
    w->setPalette(pal);
}

void TPropertiesPanel::ShowKindPanel(QWidget *panel)
{
    if (OptionsPanel == panel)
        return;
    OptionsPanel = panel;
    pLabelOptions->setCurrentWidget(panel);
}

void TPropertiesPanel::ShowFontName(const TItemFont &font)
{
    const int pt = font.Font.pointSize() > 0 ? font.Font.pointSize() : qRound(font.Font.pointSizeF());
    eFont->setText(font.Font.family() + QStringLiteral(" [") + QString::number(pt) + QStringLiteral("pt]"));
}

void TPropertiesPanel::RefreshFieldList()
{
    lbFields->clear();
    const TLabelControl *item = Item();
    if (!item)
        return;
    for (const auto &f : item->Fields)
        lbFields->addItem(f->FieldType + QStringLiteral("[") + FieldDesignText(*f) + QStringLiteral("]"));
}

void TPropertiesPanel::SetTextQuietly(const QString &text)
{
    refreshing_ = true;
    eText->setText(text);
    refreshing_ = false;
}

void TPropertiesPanel::RefreshTextSource()
{
    const TLabelControl *item = Item();
    if (item)
        (item->Advanced ? rbAdvancedText : rbSimpleText)->setChecked(true);
    const bool e = item && (item->Kind == ikBarcode || item->Kind == ikText || item->Kind == ikMemo);
    for (QWidget *w : std::initializer_list<QWidget *>{eText, rbSimpleText, sbEditText, rbAdvancedText,
                                                        sbFieldEdit, lbFields})
        w->setEnabled(e);
    if (e) {
        const bool simple = rbSimpleText->isChecked();
        eText->setEnabled(simple);
        sbEditText->setEnabled(simple);
        lbFields->setEnabled(!simple);
        sbFieldEdit->setEnabled(!simple);
    }
    SetEditColor(eText, eText->isEnabled());
    SetEditColor(lbFields, lbFields->isEnabled());
}

QString TPropertiesPanel::StateText(const TLabelControl *item)
{
    static const char *const states[] = {QT_TR_NOOP("Edit Barcode"), QT_TR_NOOP("Edit Text"),
                                         QT_TR_NOOP("Edit Memo"), QT_TR_NOOP("Edit Shape"),
                                         QT_TR_NOOP("Edit Graphic")};
    if (!item)
        return tr("Ready");
    if (item->Kind == ikBarcode) {
        const QString error = BarcodeItemError(static_cast<const TBarcodeLabel &>(*item));
        if (!error.isEmpty())
            return error;
    }
    // A text longer than the label cannot be moved inside it: say so rather
    // than let the label's edge cut it unnoticed.
    if (item->Kind == ikText && item->OutsideLabel())
        return tr("文字超出标签，超出的部分不会打印");
    return item->Kind <= ikGraphic ? tr(states[item->Kind]) : QString();
}

void TPropertiesPanel::RefreshState()
{
    emit State(StateText(Item()));
}

void TPropertiesPanel::ShowItem(TLabelControl *item)
{
    refreshing_ = true;
    RefreshTextSource();
    if (!item) {
        eText->clear();
        lbFields->clear();
        ShowKindPanel(pNone);
        refreshing_ = false;
        return;
    }
    sbEditText->setVisible(item->Kind == ikMemo);
    RefreshFieldList();
    eText->setText(item->GetText());
    switch (item->Kind) {
    case ikBarcode:
        ShowBarcode(static_cast<TBarcodeLabel *>(item));
        break;
    case ikText:
    case ikMemo:
        ShowFontName(item->Font);
        SetSwatch(pTextColor, ColorToQColor(item->Font.Color));
        ShowKindPanel(pText);
        break;
    case ikShape:
        ShowShape(static_cast<TShapeLabel *>(item));
        break;
    case ikGraphic: {
        auto *g = static_cast<TGraphicLabel *>(item);
        eGraphicFilename->setText(g->FileName);
        cbMaintainAspect->setChecked(g->KeepAspect);
        ShowKindPanel(pGraphicOptions);
        break;
    }
    default:
        break;
    }
    refreshing_ = false;
}

void TPropertiesPanel::ShowBarcode(const TBarcodeLabel *b)
{
    cbBarcodeType->setCurrentIndex(BarcodeTypeToListIndex(b->BarcodeType));
    cbAutoScale->setChecked(b->AutoScale);
    LScale->setEnabled(!b->AutoScale);
    seBCScale->setEnabled(!b->AutoScale);
    SetEditColor(seBCScale, !b->AutoScale);
    seBCScale->setValue(b->Scale);
    cbInterpret->setChecked(b->Interpretation);
    ShowBarcodeOptions(b);
    ShowKindPanel(pBarcode);
}

void TPropertiesPanel::ShowBarcodeOptions(const TBarcodeLabel *b)
{
    const TSymbology *row = FindSymbology(b->BarcodeType);
    const bool matrix = row && row->IsMatrix();
    // Two-dimensional symbols have no human-readable line.
    cbInterpret->setEnabled(!matrix);
    pBarcodeOptions->setVisible(matrix);
    if (!matrix)
        return;
    const bool was = refreshing_;
    refreshing_ = true;
    cbBarcodeEcc->clear();
    cbBarcodeEcc->addItem(tr("自动"), -1);
    for (const TEccChoice &c : row->eccChoices)
        cbBarcodeEcc->addItem(row->ordinal == bcAztec ? QStringLiteral("%1%").arg(QLatin1String(c.name))
                                                      : QString::fromLatin1(c.name),
                              c.value);
    cbBarcodeEcc->setCurrentIndex(qMax(0, cbBarcodeEcc->findData(b->BarcodeEcc)));
    // Data Matrix has a fixed error correction.
    LBarcodeEcc->setVisible(!row->eccChoices.empty());
    cbBarcodeEcc->setVisible(!row->eccChoices.empty());
    cbBarcodeSize->clear();
    cbBarcodeSize->addItem(tr("自动"), 0);
    for (int size = 1; size <= row->sizeCount; ++size)
        cbBarcodeSize->addItem(row->sizeName ? row->sizeName(size) : QString::number(size), size);
    cbBarcodeSize->setCurrentIndex(qMax(0, cbBarcodeSize->findData(b->BarcodeSize)));
    cbBarcodeRect->setVisible(row->rectangles);
    cbBarcodeRect->setEnabled(b->BarcodeSize == 0);
    cbBarcodeRect->setChecked(b->BarcodeRectangular);
    refreshing_ = was;
}

void TPropertiesPanel::ShowShape(const TShapeLabel *s)
{
    if (QAbstractButton *b = ShapeGroup->button(s->ShapeKind))
        b->setChecked(true);
    cbPenSize->setCurrentIndex(s->Pen.Width - 1);
    cbBrushStyle->setCurrentIndex(s->Brush.Style);
    SetSwatch(pLine, ColorToQColor(s->Pen.Color));
    SetSwatch(pFill, ColorToQColor(s->Brush.Color));
    ShowKindPanel(pGraphics);
}

// ---------------------------------------------------------------- edits

void TPropertiesPanel::eTextChange(const QString &text)
{
    if (refreshing_)
        return;
    TLabelControl *item = Item();
    if (item && item->Text != text) {
        TItemEdit edit = BeginEdit(item);
        item->SetText(text);
        Record(edit, QT_TR_NOOP("编辑文字"), TItemEdit::Typing);
        RefreshState();
    }
}

void TPropertiesPanel::rbTextSourceClick()
{
    TLabelControl *item = Item();
    if (!item)
        return;
    TItemEdit edit = BeginEdit(item);
    item->SetAdvanced(!rbSimpleText->isChecked());
    Record(edit, rbSimpleText->isChecked() ? QT_TR_NOOP("示例文字") : QT_TR_NOOP("高级区域"));
    RefreshState();
    RefreshTextSource();
    if (rbSimpleText->isChecked() && eText->isEnabled()) {
        eText->setFocus();
        eText->selectAll();
    }
}

void TPropertiesPanel::sbEditTextClick()
{
    TLabelControl *item = Item();
    if (!item)
        return;
    TFMemoDlg dlg(window());
    CenterOver(&dlg, window());
    dlg.eTextLines->setPlainText(item->GetText());
    if (dlg.exec() != QDialog::Accepted)
        return;
    TItemEdit edit = BeginEdit(item);
    ApplyEditedText(item, dlg.eTextLines->toPlainText());
    Record(edit, QT_TR_NOOP("编辑文字"));
    SetTextQuietly(item->GetText());
}

void TPropertiesPanel::sbFieldEditClick()
{
    TLabelControl *item = Item();
    if (!item || !AdvancedForm)
        return;
    TFAdvanced *form = AdvancedForm();
    CenterOver(form, window());
    TItemEdit edit = BeginEdit(item);
    form->Execute(item->Fields);
    RefreshFieldList();
    item->MarkChanged(true);
    Record(edit, QT_TR_NOOP("高级区域"));
    RefreshState();
}

void TPropertiesPanel::cbBarcodeTypeChange(int index)
{
    if (refreshing_ || index < 0)
        return;
    auto *b = Selected<TBarcodeLabel>(ikBarcode);
    if (!b)
        return;
    TItemEdit edit = BeginEdit(b);
    b->SetBarcodeType(ListIndexToBarcodeType(index));
    // Options the new symbology does not offer (or offers with another
    // meaning under the same number) go back to automatic.
    const TBarcodeOptions o = OfferedOptions(b->BarcodeType, {b->BarcodeEcc, b->BarcodeSize, b->BarcodeRectangular});
    b->SetBarcodeEcc(o.ecc);
    b->SetBarcodeSize(o.size);
    b->SetBarcodeRectangular(o.rectangular);
    Record(edit, QT_TR_NOOP("条形码系统"));
    SetTextQuietly(b->GetText());
    ShowBarcodeOptions(b);
    RefreshState();
}

void TPropertiesPanel::cbBarcodeEccChange(int index)
{
    if (refreshing_ || index < 0)
        return;
    if (auto *b = Selected<TBarcodeLabel>(ikBarcode)) {
        TItemEdit edit = BeginEdit(b);
        b->SetBarcodeEcc(cbBarcodeEcc->itemData(index).toInt());
        Record(edit, QT_TR_NOOP("纠错级别"));
        RefreshState();
    }
}

void TPropertiesPanel::cbBarcodeSizeChange(int index)
{
    if (refreshing_ || index < 0)
        return;
    if (auto *b = Selected<TBarcodeLabel>(ikBarcode)) {
        TItemEdit edit = BeginEdit(b);
        b->SetBarcodeSize(cbBarcodeSize->itemData(index).toInt());
        cbBarcodeRect->setEnabled(b->BarcodeSize == 0);
        Record(edit, QT_TR_NOOP("尺寸"));
        RefreshState();
    }
}

void TPropertiesPanel::cbBarcodeRectClick(bool checked)
{
    if (auto *b = Selected<TBarcodeLabel>(ikBarcode)) {
        TItemEdit edit = BeginEdit(b);
        b->SetBarcodeRectangular(checked);
        Record(edit, QT_TR_NOOP("长方形"));
        RefreshState();
    }
}

void TPropertiesPanel::seBCScaleChange(int value)
{
    if (refreshing_)
        return;
    if (auto *b = Selected<TBarcodeLabel>(ikBarcode)) {
        TItemEdit edit = BeginEdit(b);
        b->SetScale(value);
        Record(edit, QT_TR_NOOP("刻度"));
    }
}

void TPropertiesPanel::cbInterpretClick(bool checked)
{
    if (auto *b = Selected<TBarcodeLabel>(ikBarcode)) {
        TItemEdit edit = BeginEdit(b);
        b->SetInterpretation(checked);
        Record(edit, QT_TR_NOOP("注释行"));
    }
}

void TPropertiesPanel::cbAutoScaleClick(bool checked)
{
    auto *b = Selected<TBarcodeLabel>(ikBarcode);
    if (!b)
        return;
    TItemEdit edit = BeginEdit(b);
    b->SetAutoScale(checked);
    Record(edit, QT_TR_NOOP("自动调整比例"));
    LScale->setEnabled(!checked);
    seBCScale->setEnabled(!checked);
    SetEditColor(seBCScale, !checked);
}

void TPropertiesPanel::sbSelectFontClick()
{
    TLabelControl *item = Item();
    if (!item)
        return;
    TItemFont chosen = item->Font;
    TFFontDlg dlg(window());
    if (!dlg.Execute(chosen))
        return;
    TItemEdit edit = BeginEdit(item);
    item->SaveOldBounds();
    item->Font = chosen;
    item->MarkChanged(true);
    emit FontChosen(item->Font);
    Record(edit, QT_TR_NOOP("字体"));
    ShowFontName(item->Font);
    SetSwatch(pTextColor, ColorToQColor(item->Font.Color));
}

void TPropertiesPanel::TColorBtnClick()
{
    TLabelControl *item = Item();
    if (!item || (item->Kind != ikText && item->Kind != ikMemo))
        return;
    const QColor c = QColorDialog::getColor(ColorToQColor(item->Font.Color), window());
    if (!c.isValid())
        return;
    TItemEdit edit = BeginEdit(item);
    item->Font.Color = QColorToColor(c);
    item->MarkChanged(true);
    emit FontChosen(item->Font);
    Record(edit, QT_TR_NOOP("文字颜色"));
    SetSwatch(pTextColor, c);
}

void TPropertiesPanel::ShapeButtonClick(int kind)
{
    auto *s = Selected<TShapeLabel>(ikShape);
    if (s && s->ShapeKind != kind) {
        TItemEdit edit = BeginEdit(s);
        s->SetShapeKind(static_cast<TShapeKind>(kind));
        Record(edit, QT_TR_NOOP("图形"));
    }
}

void TPropertiesPanel::cbPenSizeChange(int index)
{
    if (refreshing_ || index < 0)
        return;
    if (auto *s = Selected<TShapeLabel>(ikShape)) {
        TItemEdit edit = BeginEdit(s);
        s->Pen.Width = index + 1;
        s->MarkChanged(true);
        Record(edit, QT_TR_NOOP("线条尺寸"));
    }
}

void TPropertiesPanel::cbBrushStyleChange(int index)
{
    if (refreshing_ || index < 0)
        return;
    if (auto *s = Selected<TShapeLabel>(ikShape)) {
        TItemEdit edit = BeginEdit(s);
        s->Brush.Style = index;
        s->MarkChanged(true);
        Record(edit, QT_TR_NOOP("填充风格"));
    }
}

void TPropertiesPanel::ChooseShapeColour(QLabel *swatch, bool pen)
{
    auto *s = Selected<TShapeLabel>(ikShape);
    if (!s)
        return;
    const QColor c = QColorDialog::getColor(Swatch(swatch), window());
    if (!c.isValid())
        return;
    SetSwatch(swatch, c);
    TItemEdit edit = BeginEdit(s);
    (pen ? s->Pen.Color : s->Brush.Color) = QColorToColor(c);
    s->MarkChanged(true);
    Record(edit, pen ? QT_TR_NOOP("线条颜色") : QT_TR_NOOP("填充颜色"));
}

void TPropertiesPanel::sbGraphicFilenameClick()
{
    auto *g = Selected<TGraphicLabel>(ikGraphic);
    if (!g)
        return;
    const QString file = QFileDialog::getOpenFileName(window(), tr("Load Image"), g->FileName,
                                                      tr("Bitmap Images (*.bmp);;Jpg Images (*.jpg *.jpeg)"));
    if (file.isEmpty())
        return;
    emit State(tr("Loading File"));
    TItemEdit edit = BeginEdit(g);
    if (LoadGraphic(g, file)) {
        g->SetFileName(file);
        Record(edit, QT_TR_NOOP("图像文件"));
    }
    emit State(tr("Ready"));
    eGraphicFilename->setText(g->FileName);
}

void TPropertiesPanel::cbMaintainAspectClick(bool checked)
{
    if (auto *g = Selected<TGraphicLabel>(ikGraphic)) {
        TItemEdit edit = BeginEdit(g);
        g->SetKeepAspect(checked);
        Record(edit, QT_TR_NOOP("保持纵横比"));
    }
}
