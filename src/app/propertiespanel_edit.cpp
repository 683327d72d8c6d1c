// Showing the selected item in the panel, and the panel's edits of it.
#include "app/propertiespanel.h"

#include "app/dialogkit.h"
#include "app/fadvanced.h"
#include "app/ffontdlg.h"
#include "app/fmemodlg.h"
#include "app/messages.h"
#include "barcode/barcode.h"
#include "canvas/canvaslabel.h"
#include "model/itemproperties.h"
#include "picture/loadgraphic.h"
#include "render/itemrender.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>

#include <algorithm>

namespace {

// Why the barcode cannot hold its text, in the user's words; empty when it can.
QString ExplainedError(const TBarcodeLabel &b)
{
    const QString error = BarcodeItemError(b);
    const TSymbology *row = FindSymbology(b.BarcodeType);
    return error.isEmpty() || !row
               ? error
               : ExplainBarcodeError(error, FilterBarcodeText(b.BarcodeType, b.GetDesignText()), row->Caption());
}

} // namespace

// ---------------------------------------------------------------- showing

TLabelControl *TPropertiesPanel::Item() const
{
    return surface_ ? surface_->SelectedItem : nullptr;
}

QList<TLabelControl *> TPropertiesPanel::Items() const
{
    return surface_ ? surface_->EditedItems() : QList<TLabelControl *>();
}

QList<TLabelControl *> TPropertiesPanel::ItemsOf(TItemKind kind) const
{
    QList<TLabelControl *> out;
    for (TLabelControl *item : Items())
        if (item->Kind == kind || (kind == ikText && item->Kind == ikMemo))
            out.append(item);
    return out;
}

TItemsEdit TPropertiesPanel::BeginEdits(const QList<TLabelControl *> &items)
{
    if (!undoTarget_) {
        if (!ownTarget_)
            ownTarget_ = std::make_unique<TUndoTarget>(*surface_);
        return TItemsEdit(*ownTarget_, items);
    }
    return TItemsEdit(*undoTarget_, items);
}

void TPropertiesPanel::Record(TItemsEdit &edit, const char *name)
{
    edit.Commit(undo_, tr(name));
    emit Changed();
}

void TPropertiesPanel::SetMixedSwatch(QLabel *swatch, bool mixed, const QColor &c)
{
    SetSwatch(swatch, mixed ? QColor(Qt::transparent) : c);
    swatch->setAlignment(Qt::AlignCenter);
    swatch->setText(mixed ? QStringLiteral("?") : QString());
}

void TPropertiesPanel::ShowSeveral(const QList<TLabelControl *> &items)
{
    // The text is each item's own: its controls are off.
    eText->clear();
    lbFields->clear();
    for (QWidget *w : std::initializer_list<QWidget *>{eText, rbSimpleText, sbEditText, rbAdvancedText, sbFieldEdit,
                                                        lbFields})
        w->setEnabled(false);
    SetEditColor(eText, false);
    SetEditColor(lbFields, false);
    auto group = [](TItemKind k) { return k == ikMemo ? ikText : k; };
    const TItemKind kind = group(items.first()->Kind);
    if (!std::all_of(items.begin(), items.end(), [&](const TLabelControl *it) { return group(it->Kind) == kind; })) {
        ShowKindPanel(pNone);
        return;
    }
    const TLabelControl *first = items.first();
    auto same = [&items](auto &&value) {
        return std::all_of(items.begin(), items.end(), [&](const TLabelControl *it) { return value(it) == value(items.first()); });
    };
    for (const TBoundCheck &c : checks_) {
        const TItemProperty *row = FindProperty(first->Kind, c.Key);
        if (!row)
            continue;
        const bool mixed = !same([row](const TLabelControl *it) {
            const TItemProperty *r = FindProperty(it->Kind, row->Key);
            return r ? r->Get(*it) : -1;
        });
        c.Box->setTristate(mixed);
        c.Box->setCheckState(mixed ? Qt::PartiallyChecked : row->Get(*first) ? Qt::Checked : Qt::Unchecked);
    }
    switch (kind) {
    case ikBarcode: {
        auto type = [](const TLabelControl *it) { return int(static_cast<const TBarcodeLabel *>(it)->BarcodeType); };
        auto scale = [](const TLabelControl *it) { return static_cast<const TBarcodeLabel *>(it)->Scale; };
        auto autoScale = [](const TLabelControl *it) { return static_cast<const TBarcodeLabel *>(it)->AutoScale; };
        cbBarcodeType->setCurrentIndex(same(type) ? BarcodeTypeToListIndex(type(first)) : -1);
        const bool scaleShared = same(scale) && same(autoScale) && !autoScale(first);
        LScale->setEnabled(scaleShared);
        seBCScale->setEnabled(scaleShared);
        SetEditColor(seBCScale, scaleShared);
        seBCScale->setValue(scale(first));
        // The options belong to one symbology.
        pBarcodeOptions->setVisible(false);
        cbInterpret->setEnabled(true);
        ShowKindPanel(pBarcode);
        break;
    }
    case ikText: {
        const bool font = same([](const TLabelControl *it) { return it->Font.Font; });
        const bool colour = same([](const TLabelControl *it) { return it->Font.Color; });
        if (font) {
            ShowFontName(first->Font);
        } else {
            eFont->clear();
            eFont->setPlaceholderText(tr("（多种）"));
        }
        SetMixedSwatch(pTextColor, !colour, ColorToQColor(first->Font.Color));
        ShowKindPanel(pText);
        break;
    }
    case ikShape: {
        auto shape = [](const TLabelControl *it) { return int(static_cast<const TShapeLabel *>(it)->ShapeKind); };
        ShapeGroup->setExclusive(false);
        for (QAbstractButton *b : ShapeGroup->buttons())
            b->setChecked(same(shape) && ShapeGroup->id(b) == shape(first));
        ShapeGroup->setExclusive(true);
        cbPenSize->setCurrentIndex(same([](const TLabelControl *it) { return it->Pen.Width; }) ? first->Pen.Width - 1 : -1);
        cbBrushStyle->setCurrentIndex(same([](const TLabelControl *it) { return it->Brush.Style; }) ? first->Brush.Style : -1);
        SetMixedSwatch(pLine, !same([](const TLabelControl *it) { return it->Pen.Color; }), ColorToQColor(first->Pen.Color));
        SetMixedSwatch(pFill, !same([](const TLabelControl *it) { return it->Brush.Color; }),
                       ColorToQColor(first->Brush.Color));
        ShowKindPanel(pGraphics);
        break;
    }
    case ikGraphic:
        eGraphicFilename->clear();
        ShowKindPanel(pGraphicOptions);
        break;
    default:
        ShowKindPanel(pNone);
        break;
    }
    sbGraphicFilename->setEnabled(false);
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
        const QString error = ExplainedError(static_cast<const TBarcodeLabel &>(*item));
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
    ShowBarcodeError();
}

void TPropertiesPanel::ShowBarcodeError()
{
    const auto *b = Selected<TBarcodeLabel>(ikBarcode);
    LBarcodeError->setText(b ? ExplainedError(*b) : QString());
    LBarcodeError->setVisible(!LBarcodeError->text().isEmpty());
}

void TPropertiesPanel::ShowItem(TLabelControl *item)
{
    refreshing_ = true;
    RefreshTextSource();
    // What ShowSeveral marks as mixed or off, back as one item shows it.
    eFont->setPlaceholderText(QString());
    for (QLabel *swatch : {pTextColor, pLine, pFill})
        swatch->setText(QString());
    sbGraphicFilename->setEnabled(true);
    for (const TBoundCheck &c : checks_)
        c.Box->setTristate(false);
    if (const QList<TLabelControl *> items = Items(); item && items.size() > 1) {
        ShowSeveral(items);
        refreshing_ = false;
        return;
    }
    if (!item) {
        eText->clear();
        lbFields->clear();
        ShowKindPanel(pNone);
        refreshing_ = false;
        return;
    }
    sbEditText->setVisible(item->Kind == ikMemo);
    for (const TBoundCheck &c : checks_)
        if (const TItemProperty *row = FindProperty(item->Kind, c.Key))
            c.Box->setChecked(row->Get(*item) != 0);
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
        cbEmbedPicture->setChecked(g->Embedded);
        cbEmbedPicture->setEnabled(!g->PictureData.isEmpty());
        ShowKindPanel(pGraphicOptions);
        break;
    }
    default:
        break;
    }
    ShowBarcodeError();
    refreshing_ = false;
}

void TPropertiesPanel::ShowBarcode(const TBarcodeLabel *b)
{
    cbBarcodeType->setCurrentIndex(BarcodeTypeToListIndex(b->BarcodeType));
    LScale->setEnabled(!b->AutoScale);
    seBCScale->setEnabled(!b->AutoScale);
    SetEditColor(seBCScale, !b->AutoScale);
    seBCScale->setValue(b->Scale);
    ShowBarcodeOptions(b);
    ShowKindPanel(pBarcode);
}

void TPropertiesPanel::ShowBarcodeOptions(const TBarcodeLabel *b)
{
    const TSymbology *row = FindSymbology(b->BarcodeType);
    ShowNamedOptions(b);
    // The first two-dimensional symbologies keep their error correction and
    // size of old; the ones after them say theirs by name.
    const bool matrix = row && row->IsMatrix() && row->ordinal < kClassicSymbologyCount;
    // Two-dimensional symbols have no human-readable line.
    cbInterpret->setEnabled(row && (row->IsLinear() || row->humanReadable));
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

void TPropertiesPanel::ShowNamedOptions(const TBarcodeLabel *b)
{
    const TSymbology *row = FindSymbology(b->BarcodeType);
    const bool was = refreshing_;
    refreshing_ = true;
    if (namedOptionsFor_ != b->BarcodeType) {
        namedOptionsFor_ = b->BarcodeType;
        // Taken out at once, so that no search by name finds them; deleted
        // later, as one of them may be the sender of the edit that got here.
        for (const TOptionControl &c : optionControls_)
            for (QWidget *w : {static_cast<QWidget *>(c.Caption), c.Control})
                if (w) {
                    w->hide();
                    w->setParent(nullptr);
                    w->deleteLater();
                }
        optionControls_.clear();
        for (const TSymbolOption &o : row ? row->options : std::span<const TSymbolOption>{}) {
            const QString name = QLatin1String(o.name);
            const QString suffix = name.left(1).toUpper() + name.mid(1);
            auto *caption = new QLabel(QCoreApplication::translate("Barcode", o.caption), pNamedOptions);
            caption->setObjectName(QStringLiteral("LOpt") + suffix);
            QWidget *control = nullptr;
            const bool automatic = !*o.defaultValue;
            switch (o.kind) {
            case TOptionKind::Choice: {
                auto *box = new QComboBox(pNamedOptions);
                box->setObjectName(QStringLiteral("cbOpt") + suffix);
                if (automatic)
                    box->addItem(tr("自动"), QString());
                for (const TOptionChoice &c : o.choices)
                    box->addItem(QCoreApplication::translate("Barcode", c.caption), QLatin1String(c.name));
                connect(box, &QComboBox::currentIndexChanged, this, [this, &o, box](int i) {
                    if (!refreshing_ && i >= 0)
                        SetNamedOption(o, box->itemData(i).toString());
                });
                control = box;
                break;
            }
            case TOptionKind::Range: {
                auto *spin = new QSpinBox(pNamedOptions);
                spin->setObjectName(QStringLiteral("seOpt") + suffix);
                // One below the range stands for automatic.
                spin->setRange(automatic ? o.min - 1 : o.min, o.max);
                if (automatic)
                    spin->setSpecialValueText(tr("自动"));
                connect(spin, &QSpinBox::valueChanged, this, [this, &o, spin, automatic](int value) {
                    if (!refreshing_)
                        SetNamedOption(o, automatic && value == spin->minimum() ? QString() : QString::number(value));
                });
                spin->installEventFilter(this);
                control = spin;
                break;
            }
            case TOptionKind::Text: {
                auto *edit = new QLineEdit(pNamedOptions);
                edit->setObjectName(QStringLiteral("eOpt") + suffix);
                connect(edit, &QLineEdit::editingFinished, this, [this, &o, edit] {
                    if (!refreshing_)
                        SetNamedOption(o, edit->text());
                });
                edit->installEventFilter(this);
                control = edit;
                break;
            }
            case TOptionKind::Flag: {
                auto *check = new QCheckBox(QCoreApplication::translate("Barcode", o.caption), pNamedOptions);
                check->setObjectName(QStringLiteral("cbOpt") + suffix);
                delete caption;
                caption = nullptr;
                connect(check, &QCheckBox::clicked, this, [this, &o](bool on) {
                    SetNamedOption(o, on ? QStringLiteral("1") : QStringLiteral("0"));
                });
                control = check;
                break;
            }
            }
            const int r = int(optionControls_.size());
            if (caption) {
                NamedOptionsGrid->addWidget(caption, r, 0);
                NamedOptionsGrid->addWidget(control, r, 1);
            } else {
                NamedOptionsGrid->addWidget(control, r, 0, 1, 2);
            }
            optionControls_.push_back({&o, control, caption});
        }
        pNamedOptions->setVisible(!optionControls_.empty());
    }
    for (const TOptionControl &c : optionControls_) {
        const QString stored = b->BarcodeNamedOptions.value(QLatin1String(c.Option->name));
        const QString value = stored.isEmpty() ? QString::fromLatin1(c.Option->defaultValue) : stored;
        if (auto *box = qobject_cast<QComboBox *>(c.Control)) {
            int at = 0;
            for (int i = 0; i < box->count(); ++i)
                if (box->itemData(i).toString().compare(value, Qt::CaseInsensitive) == 0)
                    at = i;
            box->setCurrentIndex(at);
        } else if (auto *spin = qobject_cast<QSpinBox *>(c.Control)) {
            bool ok = false;
            const int n = value.toInt(&ok);
            spin->setValue(ok ? n : spin->minimum());
        } else if (auto *edit = qobject_cast<QLineEdit *>(c.Control)) {
            edit->setText(value);
        } else if (auto *check = qobject_cast<QCheckBox *>(c.Control)) {
            check->setChecked(value == QLatin1String("1"));
        }
    }
    refreshing_ = was;
}

void TPropertiesPanel::SetNamedOption(const TSymbolOption &option, const QString &value)
{
    auto *b = Selected<TBarcodeLabel>(ikBarcode);
    if (!b)
        return;
    const QString name = QLatin1String(option.name);
    // The default is said by leaving the option out, so that the file gets
    // no key for it.
    const QString fallback = QString::fromLatin1(option.defaultValue);
    const bool isDefault = value.isEmpty() || value == fallback
                           || (option.kind == TOptionKind::Flag && fallback.isEmpty() && value == QLatin1String("0"));
    QMap<QString, QString> options = b->BarcodeNamedOptions;
    if (isDefault)
        options.remove(name);
    else
        options.insert(name, value);
    if (options == b->BarcodeNamedOptions)
        return;
    TItemEdit edit = BeginEdit(b);
    b->SetBarcodeNamedOptions(options);
    edit.Commit(undo_, QCoreApplication::translate("Barcode", option.caption));
    emit Changed();
    RefreshState();
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

bool TPropertiesPanel::EditProperty(const char *key, int value)
{
    TLabelControl *item = Item();
    const TItemProperty *row = item ? FindProperty(item->Kind, key) : nullptr;
    if (!row)
        return false;
    // Every selected item that has the property, as one step.
    QList<TLabelControl *> items;
    for (TLabelControl *it : Items())
        if (FindProperty(it->Kind, key))
            items.append(it);
    if (!items.contains(item))
        items.append(item);
    TItemsEdit edit = BeginEdits(items);
    for (TLabelControl *it : std::as_const(items))
        FindProperty(it->Kind, key)->Set(*it, value);
    Record(edit, row->Caption);
    RefreshState();
    return true;
}

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
    const QList<TLabelControl *> items = ItemsOf(ikBarcode);
    TItemsEdit edit = BeginEdits(items);
    for (TLabelControl *it : items) {
        auto *each = static_cast<TBarcodeLabel *>(it);
        each->SetBarcodeType(ListIndexToBarcodeType(index));
        // Options the new symbology does not offer (or offers with another
        // meaning under the same number) go back to automatic.
        TBarcodeOptions o = OfferedOptions(each->BarcodeType, {each->BarcodeEcc, each->BarcodeSize,
                                                               each->BarcodeRectangular, each->BarcodeNamedOptions});
        if (const TSymbology *row = FindSymbology(each->BarcodeType))
            o.named.removeIf([row](auto it) { return !CheckSymbolOption(*row, it.key(), it.value()).isEmpty(); });
        each->SetBarcodeEcc(o.ecc);
        each->SetBarcodeSize(o.size);
        each->SetBarcodeRectangular(o.rectangular);
        each->SetBarcodeNamedOptions(o.named);
    }
    Record(edit, QT_TR_NOOP("条形码系统"));
    RefreshState();
    if (items.size() > 1)
        return;
    SetTextQuietly(b->GetText());
    ShowBarcodeOptions(b);
}

void TPropertiesPanel::cbBarcodeEccChange(int index)
{
    if (!refreshing_ && index >= 0)
        EditProperty("BCECC", cbBarcodeEcc->itemData(index).toInt());
}

void TPropertiesPanel::cbBarcodeSizeChange(int index)
{
    if (refreshing_ || index < 0)
        return;
    EditProperty("BCSIZE", cbBarcodeSize->itemData(index).toInt());
    if (auto *b = Selected<TBarcodeLabel>(ikBarcode))
        cbBarcodeRect->setEnabled(b->BarcodeSize == 0);
}

void TPropertiesPanel::seBCScaleChange(int value)
{
    if (!refreshing_)
        EditProperty("SCALE", value);
}

void TPropertiesPanel::cbAutoScaleClick(bool checked)
{
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
    const QList<TLabelControl *> items = Items();
    TItemsEdit edit = BeginEdits(items);
    for (TLabelControl *it : items) {
        it->SaveOldBounds();
        it->Font = chosen;
        it->MarkChanged(true);
    }
    emit FontChosen(item->Font);
    Record(edit, QT_TR_NOOP("字体"));
    eFont->setPlaceholderText(QString());
    ShowFontName(item->Font);
    SetMixedSwatch(pTextColor, false, ColorToQColor(item->Font.Color));
}

void TPropertiesPanel::TColorBtnClick()
{
    TLabelControl *item = Item();
    if (!item || (item->Kind != ikText && item->Kind != ikMemo))
        return;
    const QColor c = QColorDialog::getColor(ColorToQColor(item->Font.Color), window());
    if (!c.isValid())
        return;
    const QList<TLabelControl *> items = ItemsOf(ikText);
    TItemsEdit edit = BeginEdits(items);
    for (TLabelControl *it : items) {
        it->Font.Color = QColorToColor(c);
        it->MarkChanged(true);
    }
    emit FontChosen(item->Font);
    Record(edit, QT_TR_NOOP("文字颜色"));
    SetMixedSwatch(pTextColor, false, c);
}

void TPropertiesPanel::ShapeButtonClick(int kind)
{
    auto *s = Selected<TShapeLabel>(ikShape);
    if (s && (s->ShapeKind != kind || Several()))
        EditProperty("SHAPEFORMAT", kind);
}

void TPropertiesPanel::cbPenSizeChange(int index)
{
    if (!refreshing_ && index >= 0)
        EditProperty("PEN_WIDTH", index + 1);
}

void TPropertiesPanel::cbBrushStyleChange(int index)
{
    if (!refreshing_ && index >= 0)
        EditProperty("BRUSH_STYLE", index);
}

void TPropertiesPanel::ChooseShapeColour(QLabel *swatch, bool pen)
{
    if (!Selected<TShapeLabel>(ikShape))
        return;
    const QColor c = QColorDialog::getColor(Swatch(swatch), window());
    if (!c.isValid())
        return;
    SetMixedSwatch(swatch, false, c);
    EditProperty(pen ? "PEN_COLOR" : "BRUSH_COLOR", QColorToColor(c));
}

void TPropertiesPanel::sbGraphicFilenameClick()
{
    auto *g = Selected<TGraphicLabel>(ikGraphic);
    if (!g)
        return;
    const QString filter = QStringList{tr("图像 (*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.webp *.svg)"),
                                       QStringLiteral("BMP (*.bmp)"), QStringLiteral("JPEG (*.jpg *.jpeg)"),
                                       QStringLiteral("PNG (*.png)"), QStringLiteral("GIF (*.gif)"),
                                       QStringLiteral("TIFF (*.tif *.tiff)"), QStringLiteral("WebP (*.webp)"),
                                       QStringLiteral("SVG (*.svg)")}
                               .join(QStringLiteral(";;"));
    const QString file = QFileDialog::getOpenFileName(window(), tr("Load Image"), g->FileName, filter);
    if (file.isEmpty())
        return;
    emit State(tr("Loading File"));
    TItemEdit edit = BeginEdit(g);
    QString failure;
    if (LoadGraphic(g, file, &failure)) {
        g->SetFileName(file);
        // An embedded picture stays embedded, unless the new one is too large.
        if (g->Embedded && !SetPictureEmbedded(g, true, &failure)) {
            SetPictureEmbedded(g, false);
            ShowMessage(failure);
        }
        Record(edit, QT_TR_NOOP("图像文件"));
    } else if (!failure.isEmpty()) {
        ShowMessage(failure);
    }
    emit State(tr("Ready"));
    eGraphicFilename->setText(g->FileName);
    cbEmbedPicture->setChecked(g->Embedded);
    cbEmbedPicture->setEnabled(!g->PictureData.isEmpty());
}

void TPropertiesPanel::cbEmbedPictureClick(bool checked)
{
    auto *g = Selected<TGraphicLabel>(ikGraphic);
    if (refreshing_ || !g)
        return;
    TItemEdit edit = BeginEdit(g);
    QString failure;
    if (SetPictureEmbedded(g, checked, &failure))
        Record(edit, QT_TR_NOOP("嵌入图像"));
    else if (!failure.isEmpty())
        ShowMessage(failure);
    cbEmbedPicture->setChecked(g->Embedded);
}

