#include "model/itemproperties.h"

#include <QtGlobal>
#include <cstring>
#include <type_traits>

namespace {

template <class> struct TSetterArg;
template <class C, class A> struct TSetterArg<void (C::*)(A)> {
    using type = A;
};

template <class K, auto Member> int GetMember(const TLabelControl &item)
{
    return int(static_cast<const K &>(item).*Member);
}

template <class K, auto Member> void PutMember(TLabelControl &item, int value)
{
    auto &m = static_cast<K &>(item).*Member;
    m = static_cast<std::remove_reference_t<decltype(m)>>(value);
}

template <class K, auto Setter> void CallSetter(TLabelControl &item, int value)
{
    (static_cast<K &>(item).*Setter)(static_cast<typename TSetterArg<decltype(Setter)>::type>(value));
}

// A row whose member has a setter of its own.
template <class K, auto Member, auto Setter>
constexpr TItemProperty Row(const char *key, TPropertyForm form, TPropertyRange range, int def, int lo, int hi,
                            quint8 flags, const char *caption)
{
    return {key, form, range, def, lo, hi, flags, caption, &GetMember<K, Member>, &CallSetter<K, Setter>,
            &PutMember<K, Member>};
}

// Captions are the names of the panel's edits and are translated there.
using L = TLabelControl;
using B = TBarcodeLabel;
using S = TShapeLabel;
using G = TGraphicLabel;

// The shape's pen and brush have no setters: a change is the member and a
// new drawing.
template <auto Part, auto Member> void SetShapePart(TLabelControl &item, int value)
{
    (static_cast<S &>(item).*Part).*Member = value;
    item.MarkChanged(true);
}
template <auto Part, auto Member> int GetShapePart(const TLabelControl &item)
{
    return (static_cast<const S &>(item).*Part).*Member;
}
template <auto Part, auto Member> void PutShapePart(TLabelControl &item, int value)
{
    (static_cast<S &>(item).*Part).*Member = value;
}
template <auto Part, auto Member>
constexpr TItemProperty ShapePart(const char *key, TPropertyRange range, int def, int lo, int hi, const char *caption)
{
    return {key, pfInt, range, def, lo, hi, 0, caption, &GetShapePart<Part, Member>, &SetShapePart<Part, Member>,
            &PutShapePart<Part, Member>};
}

const TItemProperty kCommon[] = {
    Row<L, &L::AutoSize, &L::SetAutoSize>("AUTOSIZE", pfBool, prFallback, true, 0, 1, kpSetLast, nullptr),
    Row<L, &L::Transparent, &L::SetTransparent>("TRANSPARENT", pfBool, prFallback, false, 0, 1, 0, nullptr),
    Row<L, &L::Rotation, &L::SetRotation>("ROTATE", pfQuarterTurns, prFallback, 0, 0, 3, 0, nullptr),
    Row<L, &L::Attach, &L::SetAttach>("ALIGN", pfInt, prFallback, iaNone, 0, 6, 0, nullptr),
    Row<L, &L::HorzAlign, &L::SetHorzAlign>("HALIGN", pfInt, prFallback, iaLeft, 0, 6, 0, nullptr),
    Row<L, &L::VertAlign, &L::SetVertAlign>("VALIGN", pfInt, prFallback, iaTop, 0, 6, 0, nullptr),
    Row<L, &L::Advanced, &L::SetAdvanced>("ADVANCED", pfBool, prFallback, false, 0, 1, kpAfterText, nullptr),
};

// The symbology's number is kept to a byte here; the barcode engine's list
// is shorter, and a number beyond it reads as 0 too.
const TItemProperty kBarcode[] = {
    Row<B, &B::BarcodeType, &B::SetBarcodeType>("BCTYPE", pfInt, prFallback, 0, 0, 255, 0,
                                                QT_TRANSLATE_NOOP("TPropertiesPanel", "条形码系统")),
    Row<B, &B::Scale, &B::SetScale>("SCALE", pfInt, prClamp, 1, 1, 9, 0,
                                    QT_TRANSLATE_NOOP("TPropertiesPanel", "刻度")),
    Row<B, &B::Interpretation, &B::SetInterpretation>("INTERPRET", pfBool, prFallback, true, 0, 1, 0,
                                                      QT_TRANSLATE_NOOP("TPropertiesPanel", "注释行")),
    Row<B, &B::AutoScale, &B::SetAutoScale>("AUTOSCALE", pfBool, prFallback, true, 0, 1, 0,
                                            QT_TRANSLATE_NOOP("TPropertiesPanel", "自动调整比例")),
    Row<B, &B::BarcodeEcc, &B::SetBarcodeEcc>("BCECC", pfInt, prSetter, -1, -1, B::kMaxBarcodeEcc,
                                              kpSymbologyOption, QT_TRANSLATE_NOOP("TPropertiesPanel", "纠错级别")),
    Row<B, &B::BarcodeSize, &B::SetBarcodeSize>("BCSIZE", pfInt, prSetter, 0, 0, B::kMaxBarcodeSize,
                                                kpSymbologyOption, QT_TRANSLATE_NOOP("TPropertiesPanel", "尺寸")),
    Row<B, &B::BarcodeRectangular, &B::SetBarcodeRectangular>("BCRECT", pfBool, prFallback, false, 0, 1,
                                                              kpSymbologyOption,
                                                              QT_TRANSLATE_NOOP("TPropertiesPanel", "长方形")),
};

const TItemProperty kShape[] = {
    Row<S, &S::ShapeKind, &S::SetShapeKind>("SHAPEFORMAT", pfInt, prFallback, skRectangle, 0, 5, 0,
                                            QT_TRANSLATE_NOOP("TPropertiesPanel", "图形")),
    ShapePart<&S::Pen, &TPen::Width>("PEN_WIDTH", prClamp, 1, 0, 1000,
                                     QT_TRANSLATE_NOOP("TPropertiesPanel", "线条尺寸")),
    ShapePart<&S::Pen, &TPen::Color>("PEN_COLOR", prAny, clBlack, 0, 0,
                                     QT_TRANSLATE_NOOP("TPropertiesPanel", "线条颜色")),
    ShapePart<&S::Brush, &TBrush::Style>("BRUSH_STYLE", prFallback, bsSolid, 0, 7,
                                         QT_TRANSLATE_NOOP("TPropertiesPanel", "填充风格")),
    ShapePart<&S::Brush, &TBrush::Color>("BRUSH_COLOR", prAny, clWhite, 0, 0,
                                         QT_TRANSLATE_NOOP("TPropertiesPanel", "填充颜色")),
    Row<S, &S::FlipHorz, &S::SetFlipHorz>("FLIP_HORZ", pfBool, prFallback, false, 0, 1, kpWrittenWhenSet,
                                          QT_TRANSLATE_NOOP("TPropertiesPanel", "水平翻转")),
    Row<S, &S::FlipVert, &S::SetFlipVert>("FLIP_VERT", pfBool, prFallback, false, 0, 1, kpWrittenWhenSet,
                                          QT_TRANSLATE_NOOP("TPropertiesPanel", "垂直翻转")),
};

const TItemProperty kGraphic[] = {
    Row<G, &G::KeepAspect, &G::SetKeepAspect>("IMG_ASPECTS", pfBool, prFallback, true, 0, 1, 0,
                                              QT_TRANSLATE_NOOP("TPropertiesPanel", "保持纵横比")),
    Row<G, &G::FlipHorz, &G::SetFlipHorz>("FLIP_HORZ", pfBool, prFallback, false, 0, 1, kpWrittenWhenSet,
                                          QT_TRANSLATE_NOOP("TPropertiesPanel", "水平翻转")),
    Row<G, &G::FlipVert, &G::SetFlipVert>("FLIP_VERT", pfBool, prFallback, false, 0, 1, kpWrittenWhenSet,
                                          QT_TRANSLATE_NOOP("TPropertiesPanel", "垂直翻转")),
};

} // namespace

int TItemProperty::Bounded(int value) const
{
    switch (Range) {
    case prFallback: return value < Min || value > Max ? Default : value;
    case prClamp: return qBound(Min, value, Max);
    default: return value;
    }
}

std::span<const TItemProperty> CommonProperties()
{
    return kCommon;
}

std::span<const TItemProperty> KindProperties(TItemKind kind)
{
    switch (kind) {
    case ikBarcode: return kBarcode;
    case ikShape: return kShape;
    case ikGraphic: return kGraphic;
    default: return {};
    }
}

const TItemProperty *FindProperty(TItemKind kind, const char *key)
{
    for (auto rows : {CommonProperties(), KindProperties(kind)})
        for (const TItemProperty &row : rows)
            if (std::strcmp(row.Key, key) == 0)
                return &row;
    return nullptr;
}

void CopyProperties(const TLabelControl &from, TLabelControl &to)
{
    for (auto rows : {CommonProperties(), KindProperties(from.Kind)})
        for (const TItemProperty &row : rows)
            row.Put(to, row.Get(from));
}
