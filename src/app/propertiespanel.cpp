// The properties panel built: its pages, their controls and what each reports.
#include "app/propertiespanel.h"

#include "app/dialogkit.h"
#include "app/glyphs.h"
#include "barcode/barcode.h"
#include "model/itemproperties.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <string_view>

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

// A colour button with its swatch at the right, in one row.
void ColourRow(QVBoxLayout *v, QWidget *page, QPushButton *&button, QLabel *&swatch, const char *bname,
               const char *sname, const QString &caption)
{
    auto *row = new QHBoxLayout;
    button = Named(new QPushButton(caption, page), bname);
    swatch = Named(new QLabel(page), sname);
    swatch->setFixedSize(22, 22);
    swatch->setFrameShape(QFrame::Box);
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
    static_cast<QVBoxLayout *>(layout())->insertWidget(layout()->count() - 1, BuildGeometry());
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
    LBarcodeError = Named(new QLabel(this), "LBarcodeError");
    LBarcodeError->setWordWrap(true);
    LBarcodeError->setStyleSheet(QStringLiteral("color: #c00000;"));
    LBarcodeError->setVisible(false);
    outer->addWidget(LBarcodeError);
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
    cbBarcodeType = Named(new TSymbologyCombo(pBarcode), "cbBarcodeType");
    v->addWidget(cbBarcodeType);
    cbInterpret = Named(new QCheckBox(tr("注释行"), pBarcode), "cbInterpret");
    cbInterpret->setToolTip(tr("在条形码的顶端或者底部打印文字"));
    cbInterpret->setChecked(true);
    BindCheck("INTERPRET", cbInterpret);
    v->addWidget(cbInterpret);
    cbAutoScale = Named(new QCheckBox(tr("自动调整比例"), pBarcode), "cbAutoScale");
    cbAutoScale->setToolTip(tr("自动调整条形码为合适比例"));
    cbAutoScale->setChecked(true);
    BindCheck("AUTOSCALE", cbAutoScale);
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
    BindCheck("BCRECT", cbBarcodeRect);
    grid->addWidget(LBarcodeEcc, 0, 0);
    grid->addWidget(cbBarcodeEcc, 0, 1);
    grid->addWidget(LBarcodeSize, 1, 0);
    grid->addWidget(cbBarcodeSize, 1, 1);
    grid->addWidget(cbBarcodeRect, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    pBarcodeOptions->setVisible(false);
    v->addWidget(pBarcodeOptions);
    pNamedOptions = Named(new QWidget(pBarcode), "pNamedOptions");
    NamedOptionsGrid = new QGridLayout(pNamedOptions);
    NamedOptionsGrid->setContentsMargins(0, 0, 0, 0);
    NamedOptionsGrid->setSpacing(4);
    NamedOptionsGrid->setColumnStretch(1, 1);
    pNamedOptions->setVisible(false);
    v->addWidget(pNamedOptions);
    AddUnboundChecks(ikBarcode, pBarcode, v);
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
    ColourRow(v, pText, TColorBtn, pTextColor, "TColorBtn", "pTextColor", tr("选择文字颜色"));
    SetSwatch(pTextColor, Qt::black);
    AddUnboundChecks(ikText, pText, v);
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

    ColourRow(v, pGraphics, LColorBtn, pLine, "LColorBtn", "pLine", tr("选择线条颜色"));
    SetSwatch(pLine, Qt::black);
    ColourRow(v, pGraphics, FColorBtn, pFill, "FColorBtn", "pFill", tr("选择填充颜色"));
    SetSwatch(pFill, Qt::white);
    AddUnboundChecks(ikShape, pGraphics, v);
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
    BindCheck("IMG_ASPECTS", cbMaintainAspect);
    v->addWidget(cbMaintainAspect);
    cbEmbedPicture = Named(new QCheckBox(tr("嵌入标签文件"), pGraphicOptions), "cbEmbedPicture");
    cbEmbedPicture->setToolTip(tr("图像保存在标签文件中，无需图像文件即可打印（最大 10 MB）"));
    v->addWidget(cbEmbedPicture);
    AddUnboundChecks(ikGraphic, pGraphicOptions, v);
    v->addStretch(1);
    return pGraphicOptions;
}

void TPropertiesPanel::BindCheck(const char *key, QCheckBox *box)
{
    checks_.push_back({key, box});
}

void TPropertiesPanel::AddUnboundChecks(TItemKind kind, QWidget *page, QVBoxLayout *v)
{
    // A switch declared with a caption and no place of its own on the page.
    for (const TItemProperty &row : KindProperties(kind)) {
        const auto bound = [&](const TBoundCheck &c) {
            return std::string_view(c.Key) == row.Key && page->isAncestorOf(c.Box);
        };
        if (row.Form != pfBool || !row.Caption || std::any_of(checks_.begin(), checks_.end(), bound))
            continue;
        auto *box = new QCheckBox(tr(row.Caption), page);
        // Named by page too: a switch several kinds have is on each of their pages.
        box->setObjectName(QStringLiteral("cb") + QLatin1String(row.Key) + u'_' + page->objectName());
        BindCheck(row.Key, box);
        v->addWidget(box);
    }
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
    connect(cbAutoScale, &QCheckBox::clicked, this, &P::cbAutoScaleClick);
    connect(cbBarcodeEcc, &QComboBox::currentIndexChanged, this, &P::cbBarcodeEccChange);
    connect(cbBarcodeSize, &QComboBox::currentIndexChanged, this, &P::cbBarcodeSizeChange);
    connect(sbSelectFont, &QToolButton::clicked, this, &P::sbSelectFontClick);
    connect(TColorBtn, &QPushButton::clicked, this, &P::TColorBtnClick);
    connect(ShapeGroup, &QButtonGroup::idClicked, this, &P::ShapeButtonClick);
    connect(cbPenSize, &QComboBox::currentIndexChanged, this, &P::cbPenSizeChange);
    connect(cbBrushStyle, &QComboBox::currentIndexChanged, this, &P::cbBrushStyleChange);
    connect(LColorBtn, &QPushButton::clicked, this, [this] { ChooseShapeColour(pLine, true); });
    connect(FColorBtn, &QPushButton::clicked, this, [this] { ChooseShapeColour(pFill, false); });
    connect(sbGraphicFilename, &QToolButton::clicked, this, &P::sbGraphicFilenameClick);
    connect(cbEmbedPicture, &QCheckBox::clicked, this, &P::cbEmbedPictureClick);
    for (const TBoundCheck &c : checks_)
        connect(c.Box, &QCheckBox::clicked, this, [this, box = c.Box, key = c.Key](bool checked) {
            // A mixed box, clicked, sets every item (one more click clears them).
            box->setTristate(false);
            EditProperty(key, checked);
        });
}

void TPropertiesPanel::SetEditColor(QWidget *w, bool enabled)
{
    QPalette pal = w->palette();
    const QColor c = enabled ? palette().color(QPalette::Active, QPalette::Base) : kInactiveCaptionText;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Base, c);
    w->setPalette(pal);
}

void TPropertiesPanel::SetSwatch(QLabel *swatch, const QColor &c)
{
    swatch->setAutoFillBackground(true);
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, c);
    swatch->setPalette(pal);
}

QColor TPropertiesPanel::Swatch(const QLabel *swatch)
{
    return swatch->palette().color(QPalette::Window);
}
