#include "storage/labelfile.h"

#include "barcode/barcode.h"
#include "picture/loadgraphic.h"
#include "model/itemproperties.h"
#include "model/labelformat.h"
#include "storage/textencoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

const QString kTypeNames[] = {QStringLiteral("BARCODE"), QStringLiteral("TEXT"), QStringLiteral("MEMO"),
                              QStringLiteral("SHAPE"), QStringLiteral("GRAPHIC")};

QString ItemSection(int i) { return kItemSectionPrefix + QString::number(i); }
QString Key(const char *prefix, int k) { return QLatin1String(prefix) + QString::number(k); }

// Pixels from stored inches; far-out values are bounded so that later
// arithmetic on the box cannot overflow.
int PixelsFromInches(double inches, int dpi)
{
    constexpr double kLimit = 1000000;
    return Round(qBound(-kLimit, inches * dpi, kLimit));
}

// An enumeration value read from the file, its default when out of range.
int ReadRanged(const TIniFile &ini, const QString &section, const QString &key, int def, int lo, int hi)
{
    const int v = ini.ReadInteger(section, key, def);
    return v < lo || v > hi ? def : v;
}

void WriteAdvancedFields(TIniFile &ini, const QString &section, const TLabelControl &item)
{
    ini.WriteInteger(section, QStringLiteral("ADV_COUNT"), int(item.Fields.size()));
    int k = 0;
    for (const auto &field : item.Fields) {
        ++k;
        ini.WriteString(section, Key("ADVTYPE_", k), field->FieldType);
        if (field->FieldType == u"TEXT") {
            if (auto *f = dynamic_cast<const TTextField *>(field.get()))
                ini.WriteString(section, Key("ADVTXT_", k), f->Text);
        } else if (field->FieldType == u"FIELD") {
            if (auto *f = dynamic_cast<const TImportedField *>(field.get())) {
                ini.WriteInteger(section, Key("ADVNUM_", k), f->FieldNum);
                ini.WriteInteger(section, Key("ADVSIZE_", k), f->MinSize);
                ini.WriteInteger(section, Key("ADVCHAR_", k), f->PadChar.unicode());
                if (!f->FieldName.isEmpty())
                    ini.WriteString(section, Key("ADVNAME_", k), f->FieldName);
            }
        } else if (field->FieldType == u"SEQUENCE") {
            if (auto *f = dynamic_cast<const TSequenceField *>(field.get())) {
                ini.WriteInteger(section, Key("ADVCUR_", k), f->CurVal);
                ini.WriteInteger(section, Key("ADVMIN_", k), f->MinVal);
                ini.WriteInteger(section, Key("ADVMAX_", k), f->MaxVal);
                ini.WriteInteger(section, Key("ADVSIZE_", k), f->MinSize);
                // Written only when used: a plain counter's entry stays as it always was.
                if (f->Step != 1)
                    ini.WriteInteger(section, Key("ADVSTEP_", k), f->Step);
                if (f->Repeat != 1)
                    ini.WriteInteger(section, Key("ADVREPEAT_", k), f->Repeat);
                if (f->Per != TCountPer::Label)
                    ini.WriteString(section, Key("ADVPER_", k), QLatin1String(f->Per == TCountPer::Record ? "record" : "page"));
                if (f->Radix != TCountRadix::Decimal)
                    ini.WriteString(section, Key("ADVRADIX_", k), QLatin1String(f->Radix == TCountRadix::Hex ? "16" : "letters"));
            }
        } else if (field->FieldType == u"DATE") {
            if (auto *f = dynamic_cast<const TDateField *>(field.get())) {
                ini.WriteString(section, Key("ADVFMT_", k), f->Format);
                if (f->Offset != 0)
                    ini.WriteString(section, Key("ADVOFFSET_", k), DateOffsetText(f->Offset, f->OffsetUnit));
                if (f->Source != TDateSource::Now)
                    ini.WriteString(section, Key("ADVDATESRC_", k), DateSourceText(f->Source, f->SourceName));
                if (f->InputPattern != TDateField().InputPattern)
                    ini.WriteString(section, Key("ADVDATEIN_", k), f->InputPattern);
                if (!f->TimeOfDay.isEmpty())
                    ini.WriteString(section, Key("ADVTIME_", k), f->TimeOfDay);
            }
        } else if (field->FieldType == u"ASK") {
            if (auto *f = dynamic_cast<const TAskField *>(field.get())) {
                ini.WriteString(section, Key("ADVNAME_", k), f->Name);
                if (!f->Caption.isEmpty())
                    ini.WriteString(section, Key("ADVCAPTION_", k), f->Caption);
                if (!f->Default.isEmpty())
                    ini.WriteString(section, Key("ADVDEFAULT_", k), f->Default);
                if (!f->Pattern.isEmpty())
                    ini.WriteString(section, Key("ADVPATTERN_", k), f->Pattern);
                if (f->Size != 0)
                    ini.WriteInteger(section, Key("ADVSIZE_", k), f->Size);
            }
        } else if (field->FieldType == u"CHECK") {
            if (auto *f = dynamic_cast<const TCheckField *>(field.get())) {
                ini.WriteString(section, Key("ADVSCHEME_", k), CheckSchemeName(f->Scheme));
                if (!f->Over.isEmpty())
                    ini.WriteString(section, Key("ADVOVER_", k), f->Over);
            }
        }
    }
}

QString RowKey(const TItemProperty &row) { return QLatin1String(row.Key); }

// Only the classic two-dimensional symbologies have these options (the
// others keep theirs by name), and flips are written only when set; files
// without them stay as they always were.
bool Written(const TItemProperty &row, const TLabelControl &item)
{
    if (row.Has(kpWrittenWhenSet))
        return row.Get(item) != row.Default;
    if (!row.Has(kpSymbologyOption))
        return true;
    const TSymbology *symbology = FindSymbology(static_cast<const TBarcodeLabel &>(item).BarcodeType);
    return symbology && symbology->IsMatrix() && symbology->ordinal < kClassicSymbologyCount;
}

void WriteProperty(TIniFile &ini, const QString &section, const TItemProperty &row, int value)
{
    switch (row.Form) {
    case pfBool: ini.WriteBool(section, RowKey(row), value != 0); break;
    case pfQuarterTurns: ini.WriteString(section, RowKey(row), RotationToIni(value)); break;
    default: ini.WriteInteger(section, RowKey(row), value); break;
    }
}

int ReadProperty(const TIniFile &ini, const QString &section, const TItemProperty &row)
{
    switch (row.Form) {
    case pfBool: return ini.ReadBool(section, RowKey(row), row.Default != 0);
    case pfQuarterTurns:
        return RotationFromIni(ini.ReadString(section, RowKey(row), RotationToIni(row.Default)));
    default: return row.Bounded(ini.ReadInteger(section, RowKey(row), row.Default));
    }
}

// The rows of one list that are written after the text (or not), in order.
void WriteProperties(TIniFile &ini, const QString &section, const TLabelControl &item,
                     std::span<const TItemProperty> rows, bool afterText)
{
    for (const TItemProperty &row : rows)
        if (row.Has(kpAfterText) == afterText && Written(row, item))
            WriteProperty(ini, section, row, row.Get(item));
}

// An embedded picture: its format and the file's bytes in base64, on one
// line each; nothing for a linked one.
void WriteEmbeddedPicture(TIniFile &ini, const QString &section, const TGraphicLabel &item)
{
    if (!item.Embedded || item.PictureData.isEmpty() || item.PictureData.size() > kMaxEmbeddedPictureBytes)
        return;
    ini.WriteString(section, QStringLiteral("IMG_FORMAT"), QString::fromLatin1(item.PictureFormat));
    ini.WriteString(section, QStringLiteral("IMG_DATA"), QString::fromLatin1(item.PictureData.toBase64()));
}

// The embedded picture of the section, when it has one: true when it was
// loaded (a refusal or bad data goes to *failure, and the linked file is
// read instead).
bool ReadEmbeddedPicture(const TIniFile &ini, const QString &section, TGraphicLabel &item, const QString &name,
                         QString *failure)
{
    const QString text = ini.ReadString(section, QStringLiteral("IMG_DATA"), QString());
    if (text.isEmpty())
        return false;
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    const QByteArray format = ini.ReadString(section, QStringLiteral("IMG_FORMAT"), QString()).toLatin1().toLower();
    if (decoded.decoded.size() > kMaxEmbeddedPictureBytes) {
        *failure = QCoreApplication::translate("Picture",
                                               "The embedded picture is larger than %1 MB and was not loaded.")
                       .arg(kMaxEmbeddedPictureBytes / (1024 * 1024));
        return false;
    }
    const QString damaged = decoded ? QString() : QCoreApplication::translate("Picture", "the embedded data is damaged");
    if (!LoadGraphicData(&item, decoded.decoded, format, name, failure, damaged))
        return false;
    item.Embedded = true;
    return true;
}

// A symbology's named options, each under BCOPT_<NAME>, only those set.
QString NamedOptionKey(const char *name)
{
    return QLatin1String("BCOPT_") + QString::fromLatin1(name).toUpper();
}

void WriteNamedOptions(TIniFile &ini, const QString &section, const TBarcodeLabel &b)
{
    const TSymbology *row = FindSymbology(b.BarcodeType);
    if (!row)
        return;
    for (const TSymbolOption &o : row->options) {
        const auto it = b.BarcodeNamedOptions.constFind(QLatin1String(o.name));
        if (it != b.BarcodeNamedOptions.cend())
            ini.WriteString(section, NamedOptionKey(o.name), it.value());
    }
}

void WriteItem(TIniFile &ini, const QString &section, TLabelControl &item, const QString &labelFile, int dpiX, int dpiY)
{
    const int kind = item.Kind;
    ini.WriteString(section, QStringLiteral("TYPE"), kind < 5 ? kTypeNames[kind] : QStringLiteral("UNKNOWN"));
    if (item.Kind == ikGraphic)
        ini.WriteString(section, QStringLiteral("IMG_NAME"),
                        PictureNameForLabel(static_cast<const TGraphicLabel &>(item).FileName, labelFile));
    WriteProperties(ini, section, item, KindProperties(item.Kind), false);
    if (item.Kind == ikGraphic)
        WriteEmbeddedPicture(ini, section, static_cast<const TGraphicLabel &>(item));
    if (item.Kind == ikBarcode)
        WriteNamedOptions(ini, section, static_cast<const TBarcodeLabel &>(item));

    // WIDTH and HEIGHT are the unrotated extents.
    const bool turned = item.Rotation == 1 || item.Rotation == 3;
    const int w = turned ? item.Height : item.Width;
    const int h = turned ? item.Width : item.Height;
    ini.WriteFloat(section, QStringLiteral("TOP"), double(item.Top) / dpiY);
    ini.WriteFloat(section, QStringLiteral("LEFT"), double(item.Left) / dpiX);
    ini.WriteFloat(section, QStringLiteral("WIDTH"), double(w) / dpiX);
    ini.WriteFloat(section, QStringLiteral("HEIGHT"), double(h) / dpiY);
    WriteProperties(ini, section, item, CommonProperties(), false);

    const QFont &font = item.Font.Font;
    ini.WriteString(section, QStringLiteral("FONT_NAME"), font.family());
    ini.WriteInteger(section, QStringLiteral("FONT_SIZE"), font.pointSize() > 0 ? font.pointSize() : 8);
    ini.WriteInteger(section, QStringLiteral("FONT_COLOR"), item.Font.Color);
    ini.WriteBool(section, QStringLiteral("FONT_BOLD"), font.bold());
    ini.WriteBool(section, QStringLiteral("FONT_ITALIC"), font.italic());
    ini.WriteBool(section, QStringLiteral("FONT_UNDERLINE"), font.underline());
    ini.WriteBool(section, QStringLiteral("FONT_STRIKEOUT"), font.strikeOut());
    ini.WriteInteger(section, QStringLiteral("FONT_CHARSET"), item.Font.Charset);

    if (item.Kind == ikMemo)
        SaveMemoLines(ini, section, item);
    else
        ini.WriteString(section, QStringLiteral("TEXT"), item.GetText());
    WriteProperties(ini, section, item, CommonProperties(), true);
    WriteAdvancedFields(ini, section, item);
}

void ReadItemFont(const TIniFile &ini, const QString &section, TLabelControl &item)
{
    TItemFont font = item.Font;
    font.Font.setFamily(ini.ReadString(section, QStringLiteral("FONT_NAME"), QStringLiteral("Courier New")));
    int size = ini.ReadInteger(section, QStringLiteral("FONT_SIZE"), 8);
    font.Font.setPointSize(size < 1 ? 8 : qMin(size, 1000));
    font.Color = ini.ReadInteger(section, QStringLiteral("FONT_COLOR"), clBlack);
    font.Font.setBold(ini.ReadBool(section, QStringLiteral("FONT_BOLD"), false));
    font.Font.setItalic(ini.ReadBool(section, QStringLiteral("FONT_ITALIC"), false));
    font.Font.setUnderline(ini.ReadBool(section, QStringLiteral("FONT_UNDERLINE"), false));
    font.Font.setStrikeOut(ini.ReadBool(section, QStringLiteral("FONT_STRIKEOUT"), false));
    font.Charset = ReadRanged(ini, section, QStringLiteral("FONT_CHARSET"), 1, 0, 255);
    item.Font = font;
}

// The kind's rows through their setters. A symbology's options are set
// last, those it does not offer back at automatic.
void ReadKindProperties(const TIniFile &ini, const QString &section, TLabelControl &item)
{
    TBarcodeOptions options;
    for (const TItemProperty &row : KindProperties(item.Kind)) {
        const int value = ReadProperty(ini, section, row);
        if (!row.Has(kpSymbologyOption))
            row.Set(item, value);
        else if (row.Key == std::string_view("BCECC"))
            options.ecc = value;
        else if (row.Key == std::string_view("BCSIZE"))
            options.size = value;
        else
            options.rectangular = value != 0;
    }
    if (item.Kind != ikBarcode)
        return;
    auto &b = static_cast<TBarcodeLabel &>(item);
    if (!FindSymbology(b.BarcodeType))
        b.SetBarcodeType(0);
    for (const TSymbolOption &o : FindSymbology(b.BarcodeType)->options)
        if (ini.ValueExists(section, NamedOptionKey(o.name)))
            options.named.insert(QLatin1String(o.name), ini.ReadString(section, NamedOptionKey(o.name), QString()));
    options = OfferedOptions(b.BarcodeType, options);
    b.SetBarcodeNamedOptions(options.named);
    b.SetBarcodeEcc(options.ecc);
    b.SetBarcodeSize(options.size);
    b.SetBarcodeRectangular(options.rectangular);
}

// The common rows written where `afterText` says, but for those set last.
void ReadCommonProperties(const TIniFile &ini, const QString &section, TLabelControl &item, bool afterText,
                          bool last)
{
    for (const TItemProperty &row : CommonProperties())
        if (row.Has(kpSetLast) ? last : !last && row.Has(kpAfterText) == afterText)
            row.Set(item, ReadProperty(ini, section, row));
}

// Fills one item from its section in the order the format fixes: kind keys
// (a picture is loaded before any geometry), geometry, rotation, alignment,
// font, text, advanced parts, and AUTOSIZE last so an auto-sized item sizes
// itself from everything else.
void ReadItem(const TIniFile &ini, const QString &section, TLabelControl &item, int dpiX, int dpiY,
              QStringList *warnings)
{
    QString picture;
    if (item.Kind == ikGraphic) {
        picture = PictureFileFromLabel(ini.ReadString(section, QStringLiteral("IMG_NAME"), QString()), ini.FileName());
        static_cast<TGraphicLabel &>(item).SetFileName(picture);
    }
    ReadKindProperties(ini, section, item);
    if (item.Kind == ikGraphic) {
        auto &graphic = static_cast<TGraphicLabel &>(item);
        QString failure;
        const bool embedded = ReadEmbeddedPicture(ini, section, graphic, picture, &failure);
        if (!failure.isEmpty() && warnings)
            warnings->append(failure);
        failure.clear();
        if (!embedded && !picture.isEmpty() && !LoadGraphic(&graphic, picture, &failure) && warnings
            && !failure.isEmpty())
            warnings->append(failure);
    }

    item.SetTop(PixelsFromInches(ini.ReadFloat(section, QStringLiteral("TOP"), 0), dpiY));
    item.SetLeft(PixelsFromInches(ini.ReadFloat(section, QStringLiteral("LEFT"), 0), dpiX));
    item.SetWidth(PixelsFromInches(ini.ReadFloat(section, QStringLiteral("WIDTH"), 20), dpiX));
    item.SetHeight(PixelsFromInches(ini.ReadFloat(section, QStringLiteral("HEIGHT"), 20), dpiY));
    ReadCommonProperties(ini, section, item, false, false);
    ReadItemFont(ini, section, item);

    if (item.Kind == ikMemo)
        item.SetText(LoadMemoLines(ini, section));
    else
        item.SetText(ini.ReadString(section, QStringLiteral("TEXT"), QString()));

    ReadCommonProperties(ini, section, item, true, false);
    // A part without its ADVTYPE_k would be skipped as unknown.
    const int count = ini.ReadInteger(section, QStringLiteral("ADV_COUNT"), 0);
    for (int k : ini.KeyIndices(section, QStringLiteral("ADVTYPE_"))) {
        if (k > count)
            break;
        if (auto field = LoadAdvancedField(ini, k, section))
            item.Fields.push_back(std::move(field));
    }
    ReadCommonProperties(ini, section, item, false, true);
}

} // namespace

// Writing -----------------------------------------------------------------------

namespace {

// The keys of grid n (from 2): GRIDn_TOPMARGIN and so on.
QString GridKey(int n, const char *key)
{
    return QStringLiteral("GRID%1_%2").arg(n).arg(QLatin1String(key));
}

const char *const kGridLengthKeys[] = {"TOPMARGIN", "LEFTMARGIN", "GAPHEIGHT", "GAPWIDTH"};

// Written only for a sheet of more than one grid; GRIDS counts them all.
void WriteExtraGrids(TIniFile &ini, const TLabelFormat &format)
{
    const int before = ini.ReadInteger(kFormatSection, QStringLiteral("GRIDS"), 1);
    const int grids = int(format.ExtraGrids.size()) + 1;
    for (int n = grids + 1; n <= qMin(before, 1000); ++n) {
        for (const char *key : kGridLengthKeys)
            ini.DeleteKey(kFormatSection, GridKey(n, key));
        ini.DeleteKey(kFormatSection, GridKey(n, "COLUMNS"));
        ini.DeleteKey(kFormatSection, GridKey(n, "ROWS"));
    }
    if (grids == 1) {
        ini.DeleteKey(kFormatSection, QStringLiteral("GRIDS"));
        return;
    }
    ini.WriteInteger(kFormatSection, QStringLiteral("GRIDS"), grids);
    for (int n = 2; n <= grids; ++n) {
        const TLabelGrid &g = format.ExtraGrids[n - 2];
        const double lengths[] = {g.Margin_Top, g.Margin_Left, g.Gap_Height, g.Gap_Width};
        for (int i = 0; i < 4; ++i)
            ini.WriteFloat(kFormatSection, GridKey(n, kGridLengthKeys[i]), lengths[i]);
        ini.WriteInteger(kFormatSection, GridKey(n, "COLUMNS"), g.Columns);
        ini.WriteInteger(kFormatSection, GridKey(n, "ROWS"), g.Rows);
    }
}

// A grid with a length out of range, a negative margin or no labels is
// dropped: it would print off the paper or not at all.
void ReadExtraGrids(const TIniFile &ini, TLabelFormat &format)
{
    format.ExtraGrids.clear();
    const int grids = qBound(1, ini.ReadInteger(kFormatSection, QStringLiteral("GRIDS"), 1), 1000);
    for (int n = 2; n <= grids; ++n) {
        TLabelGrid g;
        double *lengths[] = {&g.Margin_Top, &g.Margin_Left, &g.Gap_Height, &g.Gap_Width};
        bool usable = true;
        for (int i = 0; i < 4; ++i) {
            *lengths[i] = ini.ReadFloat(kFormatSection, GridKey(n, kGridLengthKeys[i]), 0);
            usable = usable && UsableLabelLength(*lengths[i], false) && (i >= 2 || *lengths[i] >= 0);
        }
        g.Columns = ini.ReadInteger(kFormatSection, GridKey(n, "COLUMNS"), 0);
        g.Rows = ini.ReadInteger(kFormatSection, GridKey(n, "ROWS"), 0);
        if (usable && g.Columns > 0 && g.Rows > 0 && g.Columns <= 1000 && g.Rows <= 1000)
            format.ExtraGrids.append(g);
    }
}

} // namespace

void WriteLabelFormat(TIniFile &ini, const TLabelFormat &format)
{
    ini.WriteFloat(kFormatSection, QStringLiteral("HEIGHT"), format.Label_Height);
    ini.WriteFloat(kFormatSection, QStringLiteral("WIDTH"), format.Label_Width);
    ini.WriteFloat(kFormatSection, QStringLiteral("TOPMARGIN"), format.Margin_Top);
    ini.WriteFloat(kFormatSection, QStringLiteral("LEFTMARGIN"), format.Margin_Left);
    ini.WriteFloat(kFormatSection, QStringLiteral("GAPHEIGHT"), format.Gap_Height);
    ini.WriteFloat(kFormatSection, QStringLiteral("GAPWIDTH"), format.Gap_Width);
    ini.WriteBool(kFormatSection, QStringLiteral("METRIC"), format.Metric || format.Millimetres);
    // Written only when chosen, so files in inches or centimetres stay as they were.
    if (format.Millimetres)
        ini.WriteBool(kFormatSection, QStringLiteral("MILLIMETRES"), true);
    else
        ini.DeleteKey(kFormatSection, QStringLiteral("MILLIMETRES"));
    // Written only when set, so files of sheet labels stay as they were.
    if (format.Roll)
        ini.WriteBool(kFormatSection, QStringLiteral("ROLL"), true);
    else
        ini.DeleteKey(kFormatSection, QStringLiteral("ROLL"));
    if (format.MaxColumns > 0)
        ini.WriteInteger(kFormatSection, QStringLiteral("COLUMNS"), format.MaxColumns);
    else
        ini.DeleteKey(kFormatSection, QStringLiteral("COLUMNS"));
    if (format.MaxRows > 0)
        ini.WriteInteger(kFormatSection, QStringLiteral("ROWS"), format.MaxRows);
    else
        ini.DeleteKey(kFormatSection, QStringLiteral("ROWS"));
    // A plain rectangle writes neither key.
    const char *shape = format.Shape == TLabelShape::RoundedRectangle ? "ROUNDED"
                        : format.Shape == TLabelShape::Round          ? "ROUND"
                        : format.Shape == TLabelShape::Ellipse        ? "ELLIPSE"
                                                                      : nullptr;
    if (shape)
        ini.WriteString(kFormatSection, QStringLiteral("SHAPE"), QLatin1String(shape));
    else
        ini.DeleteKey(kFormatSection, QStringLiteral("SHAPE"));
    if (format.Shape == TLabelShape::RoundedRectangle)
        ini.WriteFloat(kFormatSection, QStringLiteral("RADIUS"), format.CornerRadius);
    else
        ini.DeleteKey(kFormatSection, QStringLiteral("RADIUS"));
    WriteExtraGrids(ini, format);
}

void WriteLabel(TIniFile &ini, const TItemContainer &items)
{
    ini.WriteBool(kFormatSection, QStringLiteral("SHOWGRID"), items.ShowGrids);
    // Written only when chosen, so other labels stay as they were.
    if (!items.DataEncoding.isEmpty())
        ini.WriteString(kFormatSection, QStringLiteral("DATAENCODING"), items.DataEncoding);
    else
        ini.DeleteKey(kFormatSection, QStringLiteral("DATAENCODING"));
    ini.WriteInteger(kFormatSection, QStringLiteral("CONTROLS"), int(items.Items.size()));
    for (qsizetype i = 0; i < items.Items.size(); ++i)
        WriteItem(ini, ItemSection(int(i) + 1), *items.Items[i], ini.FileName(), items.ScreenDpiX, items.ScreenDpiY);
}

void SaveMemoLines(TIniFile &ini, const QString &section, const QString &text)
{
    int line = 1;
    QString buffer;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            buffer += c;
            continue;
        }
        // CR LF and LF CR are one break; a doubled CR or LF is an empty line.
        if (i + 1 < text.size()) {
            const QChar next = text[i + 1];
            if ((next == u'\r' || next == u'\n') && next != c)
                ++i;
        }
        ini.WriteString(section, Key("MEMO_", line), buffer);
        ++line;
        buffer.clear();
    }
    ini.WriteString(section, Key("MEMO_", line), buffer);
    ini.WriteInteger(section, QStringLiteral("MEMO_LINES"), line);
}

void SaveMemoLines(TIniFile &ini, const QString &section, const TLabelControl &memo)
{
    SaveMemoLines(ini, section, memo.GetText());
}

// Reading -----------------------------------------------------------------------

bool UsableLabelLength(double v, bool isSize)
{
    return std::isfinite(v) && std::abs(v) <= kMaxLabelLength && (!isSize || v > 0);
}

void ReadLabelFormat(const TIniFile &ini, TLabelFormat &format, QStringList *warnings)
{
    auto length = [&](const char *key, double def, bool isSize) {
        const double v = ini.ReadFloat(kFormatSection, QLatin1String(key), def);
        return UsableLabelLength(v, isSize) ? v : def;
    };
    format.Label_Height = length("HEIGHT", 1, true);
    format.Label_Width = length("WIDTH", 2, true);
    format.Margin_Top = length("TOPMARGIN", 0, false);
    format.Margin_Left = length("LEFTMARGIN", 0, false);
    format.Gap_Height = length("GAPHEIGHT", 0, false);
    format.Gap_Width = length("GAPWIDTH", 0, false);
    // The print job refuses margins that put labels off the paper; the label
    // opens with them at 0 and says so, naming the file and the keys.
    QStringList offPage;
    for (auto [margin, key] : {std::pair{&format.Margin_Top, "TOPMARGIN"},
                               std::pair{&format.Margin_Left, "LEFTMARGIN"}}) {
        if (*margin < 0) {
            offPage << QLatin1String(key) + u'=' + FormatIniFloat(*margin);
            *margin = 0;
        }
    }
    if (!offPage.isEmpty() && warnings)
        warnings->append(QCoreApplication::translate("Storage", "%1: %2 would place labels outside the page; read as 0.")
                             .arg(QDir::toNativeSeparators(ini.FileName()), offPage.join(QStringLiteral(", "))));
    format.Metric = ini.ReadBool(kFormatSection, QStringLiteral("METRIC"), false);
    if (ini.ReadBool(kFormatSection, QStringLiteral("MILLIMETRES"), false))
        SetLabelUnit(format, TLabelUnit::Millimetre);
    else
        format.Millimetres = false;
    format.Roll = ini.ReadBool(kFormatSection, QStringLiteral("ROLL"), false);
    // A count below one limits nothing.
    format.MaxColumns = qMax(0, ini.ReadInteger(kFormatSection, QStringLiteral("COLUMNS"), 0));
    format.MaxRows = qMax(0, ini.ReadInteger(kFormatSection, QStringLiteral("ROWS"), 0));
    ReadExtraGrids(ini, format);
    // A shape this version does not know is cut as a rectangle.
    const QString shape = ini.ReadString(kFormatSection, QStringLiteral("SHAPE"), QString()).trimmed().toUpper();
    format.Shape = shape == QLatin1String("ROUNDED") ? TLabelShape::RoundedRectangle
                   : shape == QLatin1String("ROUND")  ? TLabelShape::Round
                   : shape == QLatin1String("ELLIPSE") ? TLabelShape::Ellipse
                                                       : TLabelShape::Rectangle;
    format.CornerRadius = format.Shape == TLabelShape::RoundedRectangle ? qMax(0.0, length("RADIUS", 0, false)) : 0.0;
}

void ReadLabel(const TIniFile &ini, TItemContainer &items, QStringList *warnings)
{
    items.ShowGrids = ini.ReadBool(kFormatSection, QStringLiteral("SHOWGRID"), true);
    // A name this version does not know leaves the choice to the files' bytes.
    TTextEncoding encoding{};
    items.DataEncoding =
        TextEncodingFromName(ini.ReadString(kFormatSection, QStringLiteral("DATAENCODING"), QString()), &encoding)
            ? TextEncodingName(encoding)
            : QString();
    // A missing section would be skipped as of unknown kind, so only the
    // sections present are visited, however large CONTROLS claims to be.
    const int count = ini.ReadInteger(kFormatSection, QStringLiteral("CONTROLS"), 0);
    for (int i : ini.SectionIndices(kItemSectionPrefix)) {
        if (i > count)
            break;
        const QString section = ItemSection(i);
        const QString type = ini.ReadString(section, QStringLiteral("TYPE"), QStringLiteral("UNKNOWN"));
        int kind = 0;
        while (kind < 5 && type != kTypeNames[kind])
            ++kind;
        if (kind == 5)
            continue;
        std::unique_ptr<TLabelControl> item(CreateItem(TItemKind(kind)));
        if (!item)
            continue;
        item->Loading = true;
        ReadItem(ini, section, *item, items.ScreenDpiX, items.ScreenDpiY, warnings);
        TLabelControl *added = item.release();
        items.AddItem(added);
        added->Loading = false;
    }
}

std::unique_ptr<TAdvancedField> LoadAdvancedField(const TIniFile &ini, int k, const QString &section)
{
    const QString type = ini.ReadString(section, Key("ADVTYPE_", k), QStringLiteral("UNKNOWN"));
    if (type == u"TEXT") {
        auto f = std::make_unique<TTextField>();
        f->Text = ini.ReadString(section, Key("ADVTXT_", k), QString());
        return f;
    }
    if (type == u"FIELD") {
        auto f = std::make_unique<TImportedField>();
        f->FieldNum = ini.ReadInteger(section, Key("ADVNUM_", k), 1);
        f->MinSize = ini.ReadInteger(section, Key("ADVSIZE_", k), 0);
        const int code = ini.ReadInteger(section, Key("ADVCHAR_", k), 32);
        const bool usable = code >= 0 && code <= 0xFFFF && !QChar::isSurrogate(char32_t(code));
        f->PadChar = QChar(usable ? code : 32);
        f->FieldName = ini.ReadString(section, Key("ADVNAME_", k), QString()).trimmed();
        return f;
    }
    if (type == u"SEQUENCE") {
        auto f = std::make_unique<TSequenceField>();
        f->CurVal = ini.ReadInteger(section, Key("ADVCUR_", k), 0);
        f->MinVal = ini.ReadInteger(section, Key("ADVMIN_", k), 0);
        f->MaxVal = ini.ReadInteger(section, Key("ADVMAX_", k), 999999999);
        f->MinSize = ini.ReadInteger(section, Key("ADVSIZE_", k), 0);
        // A step of 0 would never count: such a file counts by one.
        const int step = ini.ReadInteger(section, Key("ADVSTEP_", k), 1);
        f->Step = step == 0 ? 1 : step;
        f->Repeat = std::max(1, ini.ReadInteger(section, Key("ADVREPEAT_", k), 1));
        const QString per = ini.ReadString(section, Key("ADVPER_", k), QString()).trimmed().toLower();
        f->Per = per == u"record" ? TCountPer::Record : per == u"page" ? TCountPer::Page : TCountPer::Label;
        const QString radix = ini.ReadString(section, Key("ADVRADIX_", k), QString()).trimmed().toLower();
        f->Radix = radix == u"16" ? TCountRadix::Hex : radix == u"letters" ? TCountRadix::Letters : TCountRadix::Decimal;
        return f;
    }
    if (type == u"DATE") {
        auto f = std::make_unique<TDateField>();
        f->Format = ini.ReadString(section, Key("ADVFMT_", k), QStringLiteral("YYYYMMDD"));
        // Values that do not read keep their defaults: the date prints as
        // before rather than the part being lost.
        ParseDateOffset(ini.ReadString(section, Key("ADVOFFSET_", k), QString()), &f->Offset, &f->OffsetUnit);
        ParseDateSource(ini.ReadString(section, Key("ADVDATESRC_", k), QString()), &f->Source, &f->SourceName);
        f->InputPattern = ini.ReadString(section, Key("ADVDATEIN_", k), f->InputPattern);
        if (f->InputPattern.isEmpty())
            f->InputPattern = TDateField().InputPattern;
        f->TimeOfDay = ini.ReadString(section, Key("ADVTIME_", k), QString()).trimmed();
        return f;
    }
    if (type == u"ASK") {
        auto f = std::make_unique<TAskField>();
        f->Name = ini.ReadString(section, Key("ADVNAME_", k), QString()).trimmed();
        f->Caption = ini.ReadString(section, Key("ADVCAPTION_", k), QString());
        f->Default = ini.ReadString(section, Key("ADVDEFAULT_", k), QString());
        f->Pattern = ini.ReadString(section, Key("ADVPATTERN_", k), QString());
        f->Size = std::max(0, ini.ReadInteger(section, Key("ADVSIZE_", k), 0));
        return f;
    }
    if (type == u"CHECK") {
        auto f = std::make_unique<TCheckField>();
        // An unknown scheme would check nothing it was meant to: no part.
        if (!ParseCheckScheme(ini.ReadString(section, Key("ADVSCHEME_", k), QStringLiteral("gs1")), &f->Scheme))
            return nullptr;
        f->Over = ini.ReadString(section, Key("ADVOVER_", k), QString()).trimmed();
        return f;
    }
    return nullptr;
}

QString LoadMemoLines(const TIniFile &ini, const QString &section)
{
    // A missing line is an empty one, but a file that skips from MEMO_1 to
    // MEMO_2000000000 must not build gigabytes of line breaks: past what the
    // designer can show (kMaxShownText) further gaps add nothing.
    const int count = ini.ReadInteger(section, QStringLiteral("MEMO_LINES"), 0);
    QString text;
    qint64 emptyLines = 0;
    int previous = 0;
    for (int k : ini.KeyIndices(section, QStringLiteral("MEMO_"))) {
        if (k > count)
            break;
        const qint64 gap = qMin<qint64>(qint64(k) - previous - 1, kMaxShownText - emptyLines);
        emptyLines += gap;
        if (previous > 0)
            text += QStringLiteral("\r\n");
        for (qint64 i = 0; i < gap; ++i)
            text += QStringLiteral("\r\n");
        text += ini.ReadString(section, Key("MEMO_", k), QString());
        previous = k;
    }
    return text;
}

// Files ---------------------------------------------------------------------------

bool SaveLabelFormat(const QString &fileName, const TLabelFormat &format, QString *error)
{
    TIniFile ini(fileName, TIniFile::StartEmpty);
    WriteLabelFormat(ini, format);
    return ini.UpdateFile(error);
}

bool SaveLabel(const QString &fileName, const TItemContainer &items, QString *error)
{
    TIniFile ini(fileName);
    WriteLabel(ini, items);
    return ini.UpdateFile(error);
}

bool SaveLabelFile(const QString &fileName, const TItemContainer &items, QString *error)
{
    TIniFile ini(fileName, TIniFile::StartEmpty);
    WriteLabelFormat(ini, items.LabelFormat);
    WriteLabel(ini, items);
    return ini.UpdateFile(error);
}

namespace {
bool OpenForReading(const TIniFile &ini, QString *error)
{
    // A file read only in part is refused: it would load cut short.
    if (!ini.Readable() || !ini.ReadError().isEmpty()) {
        if (error)
            *error = ini.ReadError().isEmpty() ? IniReadErrorText(ini.FileName()) : ini.ReadError();
        return false;
    }
    return true;
}
} // namespace

bool LoadLabelFormat(const QString &fileName, TLabelFormat &format, QString *error, QStringList *warnings)
{
    TIniFile ini(fileName);
    if (!OpenForReading(ini, error))
        return false;
    ReadLabelFormat(ini, format, warnings);
    return true;
}

bool LoadLabel(const QString &fileName, TItemContainer &items, QString *error, QStringList *warnings)
{
    TIniFile ini(fileName);
    if (!OpenForReading(ini, error))
        return false;
    ReadLabel(ini, items, warnings);
    return true;
}

bool LoadLabelFile(const QString &fileName, TItemContainer &items, QString *error, QStringList *warnings)
{
    TIniFile ini(fileName);
    if (!OpenForReading(ini, error))
        return false;
    ReadLabelFormat(ini, items.LabelFormat, warnings);
    ReadLabel(ini, items, warnings);
    return true;
}

// Picture names -------------------------------------------------------------------

QString ExtractFileDir(const QString &path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

QString PictureNameForLabel(const QString &pictureFile, const QString &labelFile)
{
    if (pictureFile.isEmpty())
        return pictureFile;
    const QString picture = QFileInfo(pictureFile).absoluteFilePath();
    const QString label = QFileInfo(labelFile).absoluteFilePath();
    if (ExtractFileDir(picture) == ExtractFileDir(label))
        return picture.mid(ExtractFileDir(picture).size());
    return picture;
}

QString PictureFileFromLabel(const QString &storedName, const QString &labelFile)
{
    if (storedName.isEmpty() || QDir::isAbsolutePath(storedName))
        return storedName;
    // Relative names are taken from the label's folder, not from whatever the
    // current folder happens to be.
    return QDir::cleanPath(QFileInfo(labelFile).absoluteDir().filePath(storedName));
}
