// The properties panel of the main window: building it, filling it from the
// selected item and writing its edits back.

#include "app/fmain.h"

#include "app/fadvanced.h"
#include "app/ffontdlg.h"
#include "app/fmemodlg.h"
#include "app/glyphs.h"
#include "app/propertiespanel.h"
#include "barcode/barcode.h"
#include "canvas/canvaslabel.h"
#include "picture/loadgraphic.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
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

} // namespace

template <class T> T *TFMain::Selected(TItemKind kind) const
{
    TLabelControl *item = Surface ? Surface->SelectedItem : nullptr;
    return item && item->Kind == kind ? static_cast<T *>(item) : nullptr;
}

void TFMain::BuildPropertiesPanel()
{
    pBCSettings = new QFrame(this);
    pBCSettings->setObjectName(QStringLiteral("pBCSettings"));
    pBCSettings->setMinimumWidth(152);
    auto *outer = new QVBoxLayout(pBCSettings);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->setSpacing(4);

    // Where the text comes from.
    rbSimpleText = Named(new QRadioButton(QStringLiteral("示例文字"), pBCSettings), "rbSimpleText");
    rbSimpleText->setChecked(true);
    eText = Named(new QLineEdit(pBCSettings), "eText");
    sbEditText = Named(new QToolButton(pBCSettings), "sbEditText");
    sbEditText->setText(QStringLiteral("..."));
    sbEditText->setToolTip(QStringLiteral("编辑文字"));
    sbEditText->setVisible(false);
    rbAdvancedText = Named(new QRadioButton(QStringLiteral("高级区域"), pBCSettings), "rbAdvancedText");
    sbFieldEdit = Named(new QPushButton(QStringLiteral("编辑>>"), pBCSettings), "sbFieldEdit");
    lbFields = Named(new QListWidget(pBCSettings), "lbFields");
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

    auto *rule = new QFrame(pBCSettings);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    outer->addWidget(rule);

    pLabelOptions = Named(new QStackedWidget(pBCSettings), "pLabelOptions");
    outer->addWidget(pLabelOptions);
    outer->addStretch(1);

    // Nothing selected.
    pNone = Named(new QWidget(pLabelOptions), "pNone");
    pLabelOptions->addWidget(pNone);

    // Barcode.
    pBarcode = Named(new QWidget(pLabelOptions), "pBarcode");
    {
        auto *v = PageLayout(pBarcode);
        v->addWidget(Caption(pBarcode, "Label1", QStringLiteral("条形码系统")));
        cbBarcodeType = Named(new QComboBox(pBarcode), "cbBarcodeType");
        for (int i = 0; i < kBarcodeTypeCount; ++i)
            cbBarcodeType->addItem(BarcodeListCaption(i));
        v->addWidget(cbBarcodeType);
        cbInterpret = Named(new QCheckBox(QStringLiteral("注释行"), pBarcode), "cbInterpret");
        cbInterpret->setToolTip(QStringLiteral("在条形码的顶端或者底部打印文字"));
        cbInterpret->setChecked(true);
        v->addWidget(cbInterpret);
        cbAutoScale = Named(new QCheckBox(QStringLiteral("自动调整比例"), pBarcode), "cbAutoScale");
        cbAutoScale->setToolTip(QStringLiteral("自动调整条形码为合适比例"));
        cbAutoScale->setChecked(true);
        v->addWidget(cbAutoScale);
        auto *row = new QHBoxLayout;
        LScale = Caption(pBarcode, "LScale", QStringLiteral("刻度"));
        LScale->setEnabled(false);
        seBCScale = Named(new QSpinBox(pBarcode), "seBCScale");
        seBCScale->setRange(1, 9);
        seBCScale->setValue(1);
        seBCScale->setEnabled(false);
        SetEditColor(seBCScale, false);
        row->addWidget(LScale);
        row->addWidget(seBCScale, 1);
        v->addLayout(row);
        v->addStretch(1);
    }
    pLabelOptions->addWidget(pBarcode);

    // Text and memo.
    pText = Named(new QWidget(pLabelOptions), "pText");
    {
        auto *v = PageLayout(pText);
        v->addWidget(Caption(pText, "Label2", QStringLiteral("选择字体")));
        auto *row = new QHBoxLayout;
        eFont = Named(new QLineEdit(pText), "eFont");
        eFont->setReadOnly(true);
        sbSelectFont = Named(new QToolButton(pText), "sbSelectFont");
        sbSelectFont->setText(QStringLiteral("F"));
        row->addWidget(eFont, 1);
        row->addWidget(sbSelectFont);
        v->addLayout(row);
        // The letters' colour, also offered among the font dialog's effects.
        auto *colour = new QHBoxLayout;
        TColorBtn = Named(new QPushButton(QStringLiteral("选择文字颜色"), pText), "TColorBtn");
        pTextColor = Named(new QLabel(pText), "pTextColor");
        pTextColor->setFixedSize(22, 22);
        pTextColor->setFrameShape(QFrame::Box);
        SetSwatch(pTextColor, Qt::black);
        colour->addWidget(TColorBtn, 1);
        colour->addWidget(pTextColor);
        v->addLayout(colour);
        v->addStretch(1);
    }
    pLabelOptions->addWidget(pText);

    // Shape.
    pGraphics = Named(new QWidget(pLabelOptions), "pGraphics");
    {
        auto *v = PageLayout(pGraphics);
        auto *shapes = new QGridLayout;
        ShapeGroup = new QButtonGroup(this);
        auto shape = [&](const char *name, const QString &hint, int kind) {
            auto *b = Named(new QToolButton(pGraphics), name);
            b->setToolTip(hint);
            b->setIcon(ToolGlyph(b->objectName()));
            b->setCheckable(true);
            ShapeGroup->addButton(b, kind);
            shapes->addWidget(b, kind / 3, kind % 3);
            return b;
        };
        sbRectangle = shape("sbRectangle", QStringLiteral("矩形"), skRectangle);
        sbEllipse = shape("sbEllipse", QStringLiteral("椭圆形"), skEllipse);
        sbTriangle = shape("sbTriangle", QStringLiteral("三角形"), skTriangle);
        sbRRectangle = shape("sbRRectangle", QStringLiteral("园矩形"), skRoundRect);
        sbHLine = shape("sbHLine", QStringLiteral("水平线条"), skHorzLine);
        sbVLine = shape("sbVLine", QStringLiteral("垂直线条"), skVertLine);
        sbRectangle->setChecked(true);
        v->addLayout(shapes);

        v->addWidget(Caption(pGraphics, "Label4", QStringLiteral("线条尺寸")));
        cbPenSize = Named(new TOwnerDrawCombo(pGraphics), "cbPenSize");
        cbPenSize->setItemDelegate(new TPenSizeDelegate(cbPenSize));
        for (int w = 1; w <= 9; ++w)
            cbPenSize->addItem(QString::number(w));
        v->addWidget(cbPenSize);
        v->addWidget(Caption(pGraphics, "Label3", QStringLiteral("填充风格")));
        cbBrushStyle = Named(new TOwnerDrawCombo(pGraphics), "cbBrushStyle");
        cbBrushStyle->setItemDelegate(new TBrushStyleDelegate(cbBrushStyle));
        for (int s = 0; s < 7; ++s)
            cbBrushStyle->addItem(BrushStyleName(s));
        v->addWidget(cbBrushStyle);

        auto colourRow = [&](QPushButton *&button, QLabel *&swatch, const char *bname, const char *sname,
                             const QString &caption, const QColor &initial) {
            auto *row = new QHBoxLayout;
            button = Named(new QPushButton(caption, pGraphics), bname);
            swatch = Named(new QLabel(pGraphics), sname);
            swatch->setFixedSize(22, 22);
            swatch->setFrameShape(QFrame::Box);
            SetSwatch(swatch, initial);
            row->addWidget(button, 1);
            row->addWidget(swatch);
            v->addLayout(row);
        };
        colourRow(LColorBtn, pLine, "LColorBtn", "pLine", QStringLiteral("选择线条颜色"), Qt::black);
        colourRow(FColorBtn, pFill, "FColorBtn", "pFill", QStringLiteral("选择填充颜色"), Qt::white);
        v->addStretch(1);
    }
    pLabelOptions->addWidget(pGraphics);

    // Picture.
    pGraphicOptions = Named(new QWidget(pLabelOptions), "pGraphicOptions");
    {
        auto *v = PageLayout(pGraphicOptions);
        v->addWidget(Caption(pGraphicOptions, "Label5", QStringLiteral("图像文件")));
        auto *row = new QHBoxLayout;
        eGraphicFilename = Named(new QLineEdit(pGraphicOptions), "eGraphicFilename");
        eGraphicFilename->setReadOnly(true);
        sbGraphicFilename = Named(new QToolButton(pGraphicOptions), "sbGraphicFilename");
        sbGraphicFilename->setText(QStringLiteral("..."));
        row->addWidget(eGraphicFilename, 1);
        row->addWidget(sbGraphicFilename);
        v->addLayout(row);
        cbMaintainAspect = Named(new QCheckBox(QStringLiteral("保持纵横比"), pGraphicOptions), "cbMaintainAspect");
        cbMaintainAspect->setChecked(true);
        v->addWidget(cbMaintainAspect);
        v->addStretch(1);
    }
    pLabelOptions->addWidget(pGraphicOptions);

    connect(eText, &QLineEdit::textChanged, this, &TFMain::eTextChange);
    connect(rbSimpleText, &QRadioButton::clicked, this, &TFMain::rbTextSourceClick);
    connect(rbAdvancedText, &QRadioButton::clicked, this, &TFMain::rbTextSourceClick);
    connect(sbEditText, &QToolButton::clicked, this, &TFMain::sbEditTextClick);
    connect(sbFieldEdit, &QPushButton::clicked, this, &TFMain::sbFieldEditClick);
    connect(cbBarcodeType, &QComboBox::currentIndexChanged, this, &TFMain::cbBarcodeTypeChange);
    connect(seBCScale, &QSpinBox::valueChanged, this, &TFMain::seBCScaleChange);
    connect(cbInterpret, &QCheckBox::clicked, this, &TFMain::cbInterpretClick);
    connect(cbAutoScale, &QCheckBox::clicked, this, &TFMain::cbAutoScaleClick);
    connect(sbSelectFont, &QToolButton::clicked, this, &TFMain::sbSelectFontClick);
    connect(TColorBtn, &QPushButton::clicked, this, &TFMain::TColorBtnClick);
    connect(ShapeGroup, &QButtonGroup::idClicked, this, &TFMain::ShapeButtonClick);
    connect(cbPenSize, &QComboBox::currentIndexChanged, this, &TFMain::cbPenSizeChange);
    connect(cbBrushStyle, &QComboBox::currentIndexChanged, this, &TFMain::cbBrushStyleChange);
    connect(LColorBtn, &QPushButton::clicked, this, &TFMain::LColorBtnClick);
    connect(FColorBtn, &QPushButton::clicked, this, &TFMain::FColorBtnClick);
    connect(sbGraphicFilename, &QToolButton::clicked, this, &TFMain::sbGraphicFilenameClick);
    connect(cbMaintainAspect, &QCheckBox::clicked, this, &TFMain::cbMaintainAspectClick);

    RefreshTextSource();
}

void TFMain::SetEditColor(QWidget *w, bool enabled)
{
    QPalette pal = w->palette();
    const QColor c = enabled ? palette().color(QPalette::Active, QPalette::Base) : kInactiveCaptionText;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, c);
    w->setPalette(pal);
}

void TFMain::ShowKindPanel(QWidget *panel)
{
    if (OptionsPanel == panel)
        return;
    OptionsPanel = panel;
    pLabelOptions->setCurrentWidget(panel);
}

void TFMain::ShowFontName(const TItemFont &font)
{
    const int pt = font.Font.pointSize() > 0 ? font.Font.pointSize() : qRound(font.Font.pointSizeF());
    eFont->setText(font.Font.family() + QStringLiteral(" [") + QString::number(pt) + QStringLiteral("pt]"));
}

void TFMain::RefreshFieldList()
{
    lbFields->clear();
    const TLabelControl *item = Surface->SelectedItem;
    if (!item)
        return;
    for (const auto &f : item->Fields)
        lbFields->addItem(f->FieldType + QStringLiteral("[") + FieldDesignText(*f) + QStringLiteral("]"));
}

void TFMain::RefreshTextSource()
{
    const TLabelControl *item = Surface ? Surface->SelectedItem : nullptr;
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

QString TFMain::StateText(const TLabelControl *item)
{
    static const char *const states[] = {"Edit Barcode", "Edit Text", "Edit Memo", "Edit Shape", "Edit Graphic"};
    if (!item)
        return QStringLiteral("Ready");
    return item->Kind <= ikGraphic ? QString::fromLatin1(states[item->Kind]) : QString();
}

void TFMain::SurfaceSelectItem(TLabelControl *item)
{
    refreshing_ = true;
    RefreshTextSource();
    if (item) {
        const TItemKind k = item->Kind;
        SetStateText(StateText(item));
        const bool rotates = k == ikBarcode || k == ikText;
        Rotate1->menuAction()->setEnabled(rotates);
        Rotation1->menuAction()->setEnabled(rotates);
        const bool sizes = k == ikBarcode || k == ikText || k == ikMemo;
        AutoSize1->setEnabled(sizes);
        AutoSize2->setEnabled(sizes);
        Transparent1->setEnabled(k != ikBarcode);
        Transparent2->setEnabled(k != ikBarcode);
        sbEditText->setVisible(k == ikMemo);
        RefreshFieldList();
        RefreshChecks();
        RefreshStatus();
        eText->setText(item->GetText());

        switch (k) {
        case ikBarcode: {
            auto *b = static_cast<TBarcodeLabel *>(item);
            cbBarcodeType->setCurrentIndex(BarcodeTypeToListIndex(b->BarcodeType));
            cbAutoScale->setChecked(b->AutoScale);
            LScale->setEnabled(!b->AutoScale);
            seBCScale->setEnabled(!b->AutoScale);
            SetEditColor(seBCScale, !b->AutoScale);
            seBCScale->setValue(b->Scale);
            cbInterpret->setChecked(b->Interpretation);
            ShowKindPanel(pBarcode);
            break;
        }
        case ikText:
        case ikMemo:
            ShowFontName(item->Font);
            SetSwatch(pTextColor, ColorToQColor(item->Font.Color));
            ShowKindPanel(pText);
            break;
        case ikShape: {
            auto *s = static_cast<TShapeLabel *>(item);
            if (QAbstractButton *b = ShapeGroup->button(s->ShapeKind))
                b->setChecked(true);
            cbPenSize->setCurrentIndex(s->Pen.Width - 1);
            cbBrushStyle->setCurrentIndex(s->Brush.Style);
            SetSwatch(pLine, ColorToQColor(s->Pen.Color));
            SetSwatch(pFill, ColorToQColor(s->Brush.Color));
            ShowKindPanel(pGraphics);
            break;
        }
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
    } else {
        eText->clear();
        lbFields->clear();
        ShowKindPanel(pNone);
        SetStateText(StateText(nullptr));
        RefreshStatus();
    }
    refreshing_ = false;
}

// ---------------------------------------------------------------- edits

void TFMain::eTextChange(const QString &text)
{
    if (refreshing_)
        return;
    TLabelControl *item = Surface->SelectedItem;
    if (item && item->Text != text) {
        item->SetText(text);
        EnableSave();
    }
}

void TFMain::rbTextSourceClick()
{
    TLabelControl *item = Surface->SelectedItem;
    if (!item)
        return;
    item->SetAdvanced(!rbSimpleText->isChecked());
    EnableSave();
    RefreshTextSource();
    if (rbSimpleText->isChecked() && eText->isEnabled()) {
        eText->setFocus();
        eText->selectAll();
    }
}

void TFMain::sbEditTextClick()
{
    TLabelControl *item = Surface->SelectedItem;
    if (!item)
        return;
    TFMemoDlg dlg(this);
    CentreOnMain(&dlg);
    dlg.Memo1->setPlainText(item->GetText());
    if (dlg.exec() != QDialog::Accepted)
        return;
    ApplyEditedText(item, dlg.Memo1->toPlainText());
    EnableSave();
    refreshing_ = true;
    eText->setText(item->GetText());
    refreshing_ = false;
}

void TFMain::sbFieldEditClick()
{
    TLabelControl *item = Surface->SelectedItem;
    if (!item)
        return;
    EnsureForms();
    CentreOnMain(FAdvanced);
    FAdvanced->Execute(item->Fields);
    RefreshFieldList();
    item->MarkChanged(true);
    EnableSave();
}

void TFMain::cbBarcodeTypeChange(int index)
{
    if (refreshing_ || index < 0)
        return;
    auto *b = Selected<TBarcodeLabel>(ikBarcode);
    if (!b)
        return;
    b->SetBarcodeType(ListIndexToBarcodeType(index));
    EnableSave();
    refreshing_ = true;
    eText->setText(b->GetText());
    refreshing_ = false;
}

void TFMain::seBCScaleChange(int value)
{
    if (refreshing_)
        return;
    if (auto *b = Selected<TBarcodeLabel>(ikBarcode)) {
        b->SetScale(value);
        EnableSave();
    }
}

void TFMain::cbInterpretClick(bool checked)
{
    if (auto *b = Selected<TBarcodeLabel>(ikBarcode)) {
        b->SetInterpretation(checked);
        EnableSave();
    }
}

void TFMain::cbAutoScaleClick(bool checked)
{
    auto *b = Selected<TBarcodeLabel>(ikBarcode);
    if (!b)
        return;
    b->SetAutoScale(checked);
    EnableSave();
    LScale->setEnabled(!checked);
    seBCScale->setEnabled(!checked);
    SetEditColor(seBCScale, !checked);
}

void TFMain::sbSelectFontClick()
{
    TLabelControl *item = Surface->SelectedItem;
    if (!item)
        return;
    TItemFont chosen = item->Font;
    TFFontDlg dlg(this);
    if (!dlg.Execute(chosen))
        return;
    item->SaveOldBounds();
    item->Font = chosen;
    item->MarkChanged(true);
    CurrentFont = item->Font;
    EnableSave();
    ShowFontName(item->Font);
    SetSwatch(pTextColor, ColorToQColor(item->Font.Color));
}

void TFMain::TColorBtnClick()
{
    TLabelControl *item = Surface->SelectedItem;
    if (!item || (item->Kind != ikText && item->Kind != ikMemo))
        return;
    const QColor c = QColorDialog::getColor(ColorToQColor(item->Font.Color), this);
    if (!c.isValid())
        return;
    item->Font.Color = QColorToColor(c);
    item->MarkChanged(true);
    CurrentFont = item->Font;
    EnableSave();
    SetSwatch(pTextColor, c);
}

void TFMain::ShapeButtonClick(int kind)
{
    auto *s = Selected<TShapeLabel>(ikShape);
    if (s && s->ShapeKind != kind) {
        s->SetShapeKind(static_cast<TShapeKind>(kind));
        EnableSave();
    }
}

void TFMain::cbPenSizeChange(int index)
{
    if (refreshing_ || index < 0)
        return;
    if (auto *s = Selected<TShapeLabel>(ikShape)) {
        s->Pen.Width = index + 1;
        s->MarkChanged(true);
        EnableSave();
    }
}

void TFMain::cbBrushStyleChange(int index)
{
    if (refreshing_ || index < 0)
        return;
    if (auto *s = Selected<TShapeLabel>(ikShape)) {
        s->Brush.Style = index;
        s->MarkChanged(true);
        EnableSave();
    }
}

void TFMain::ChooseShapeColour(QLabel *swatch, bool pen)
{
    auto *s = Selected<TShapeLabel>(ikShape);
    if (!s)
        return;
    const QColor c = QColorDialog::getColor(Swatch(swatch), this);
    if (!c.isValid())
        return;
    SetSwatch(swatch, c);
    (pen ? s->Pen.Color : s->Brush.Color) = QColorToColor(c);
    s->MarkChanged(true);
    EnableSave();
}

void TFMain::LColorBtnClick()
{
    ChooseShapeColour(pLine, true);
}

void TFMain::FColorBtnClick()
{
    ChooseShapeColour(pFill, false);
}

void TFMain::sbGraphicFilenameClick()
{
    auto *g = Selected<TGraphicLabel>(ikGraphic);
    if (!g)
        return;
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Load Image"), g->FileName,
        QStringLiteral("Bitmap Images (*.bmp);;Jpg Images (*.jpg *.jpeg)"));
    if (file.isEmpty())
        return;
    SetStateText(QStringLiteral("Loading File"));
    if (LoadGraphic(g, file)) {
        g->SetFileName(file);
        EnableSave();
    }
    SetStateText(QStringLiteral("Ready"));
    eGraphicFilename->setText(g->FileName);
}

void TFMain::cbMaintainAspectClick(bool checked)
{
    if (auto *g = Selected<TGraphicLabel>(ikGraphic)) {
        g->SetKeepAspect(checked);
        EnableSave();
    }
}
