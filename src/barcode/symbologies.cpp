// The table of symbologies: one row each, and the lookups over it.

#include "barcode/barcode.h"
#include "barcode/gs1.h"
#include "barcode/symbology.h"

#include <QCoreApplication>

#include <zint.h>

#include <iterator>

namespace {

QString Square(int side)
{
    return QStringLiteral("%1x%1").arg(side);
}

QString QrSize(int version)
{
    return Square(17 + 4 * version);
}

QString DataMatrixSize(int size)
{
    // ISO/IEC 16022's ECC 200 sizes, rows x columns, in libzint's order: its
    // size number is what label files keep.
    static const char *const kSizes[30] = {
        "10x10", "12x12", "14x14", "16x16", "18x18", "20x20",   "22x22",   "24x24",   "26x26",  "32x32",
        "36x36", "40x40", "44x44", "48x48", "52x52", "64x64",   "72x72",   "80x80",   "88x88",  "96x96",
        "104x104", "120x120", "132x132", "144x144", "8x18", "8x32", "12x26", "12x36", "16x36", "16x48",
    };
    return size >= 1 && size <= 30 ? QString::fromLatin1(kSizes[size - 1]) : QString();
}

QString Pdf417Size(int columns)
{
    return QCoreApplication::translate("Barcode", "%1 columns").arg(columns);
}

QString AztecSize(int size)
{
    // Full-range symbols grow by 4 modules a layer, plus 2 for every reference
    // grid line the growth crosses.
    static const int kFull[32] = {19, 23, 27, 31, 37, 41, 45, 49, 53, 57, 61, 67, 71, 75, 79, 83,
                                  87, 91, 95, 101, 105, 109, 113, 117, 121, 125, 131, 135, 139, 143, 147, 151};
    if (size >= 1 && size <= 4)
        return Square(11 + 4 * size) + QLatin1String(" compact");
    return size >= 5 && size <= 36 ? Square(kFull[size - 5]) : QString();
}

const TEccChoice kQrEcc[] = {{0, "L"}, {1, "M"}, {2, "Q"}, {3, "H"}};
const TEccChoice kPdf417Ecc[] = {{0, "0"}, {1, "1"}, {2, "2"}, {3, "3"}, {4, "4"},
                                 {5, "5"}, {6, "6"}, {7, "7"}, {8, "8"}};
const TEccChoice kAztecEcc[] = {{10, "10"}, {23, "23"}, {36, "36"}, {50, "50"}};

int Code128Modules(const QString &t) { return int(Code128Encode(t, false).size()) * 11 + 22; }
int EAN128Modules(const QString &t) { return int(Code128Encode(Gs1128Data(t), true).size()) * 11 + 22; }
int Code39Modules(const QString &t) { return (int(t.size()) + 2) * 13 + 20; }
int Code39ExtModules(const QString &t) { return (2 + Code39ExtLength(t)) * 13 + 20; }
int Code93Modules(const QString &t) { return Code93Length(t) * 9 + 57; }
int ITFModules(const QString &t) { return int(t.size() + t.size() % 2) * 9 + 29; }
int PostnetModules(const QString &t) { return (int(t.size()) + 1) * 10 + 23; }
int UPCAModules(const QString &) { return 115; }
int EAN8Modules(const QString &) { return 87; }
int UPCEModules(const QString &) { return 71; }
int UPCSupp2Modules(const QString &) { return 40; }
int UPCSupp5Modules(const QString &) { return 67; }

using K = TKeepSet;
using T = TTextLayout;

// Indexed by ordinal. listIndex is the order of the designer's list.
const TSymbology kSymbologies[kSymbologyCount] = {
    {.ordinal = bcCode128, .caption = "Code 128", .cliName = "code128", .listIndex = 0, .keep = K::Ascii,
     .maxLength = 0, .modules = Code128Modules, .draw = DrawCode128, .textLayout = T::Below},
    {.ordinal = bcCode39, .caption = "Code 39", .cliName = "code39", .listIndex = 1, .keep = K::Code39,
     .maxLength = 0, .modules = Code39Modules, .draw = DrawCode39, .textLayout = T::Below, .barsClearText = true},
    {.ordinal = bcCode39Ext, .caption = "扩展的Code 39", .cliName = "code39ext", .listIndex = 2, .keep = K::Ascii,
     .maxLength = 0, .modules = Code39ExtModules, .draw = DrawCode39Ext, .textLayout = T::Below,
     .barsClearText = true},
    {.ordinal = bcUPCA, .caption = "UPC A", .cliName = "upca", .listIndex = 4, .keep = K::Digits, .maxLength = 11,
     .modules = UPCAModules, .draw = DrawUPCA, .textLayout = T::UPCA},
    {.ordinal = bcITF, .caption = "Interleaved 2 of 5", .cliName = "itf", .listIndex = 11, .keep = K::Digits,
     .maxLength = 0, .modules = ITFModules, .draw = DrawITF, .textLayout = T::Below, .barsClearText = true},
    {.ordinal = bcCode93, .caption = "Code 93", .cliName = "code93", .listIndex = 3, .keep = K::Ascii,
     .maxLength = 0, .modules = Code93Modules, .draw = DrawCode93, .textLayout = T::Below},
    {.ordinal = bcEAN13, .caption = "EAN 13", .cliName = "ean13", .listIndex = 7, .keep = K::Digits,
     .maxLength = 12, .modules = UPCAModules, .draw = DrawEAN13, .textLayout = T::EAN13},
    {.ordinal = bcEAN8, .caption = "EAN 8", .cliName = "ean8", .listIndex = 8, .keep = K::Digits, .maxLength = 7,
     .modules = EAN8Modules, .draw = DrawEAN8, .textLayout = T::Below},
    // GS1-128: any text, so that the GS1 check names what it cannot carry.
    {.ordinal = bcEAN128, .caption = "EAN 128", .cliName = "ean128", .listIndex = 6, .keep = K::Any,
     .maxLength = 0, .modules = EAN128Modules, .draw = DrawEAN128, .textLayout = T::Below, .gs1 = true},
    {.ordinal = bcPostnet, .caption = "POSTNET", .cliName = "postnet", .listIndex = 12, .keep = K::Digits,
     .maxLength = 11, .modules = PostnetModules, .draw = DrawPostnet, .textLayout = T::None},
    {.ordinal = bcUPCE, .caption = "UPC E", .cliName = "upce", .listIndex = 5, .keep = K::Digits, .maxLength = 6,
     .modules = UPCEModules, .draw = DrawUPCE, .textLayout = T::UPCE},
    {.ordinal = bcUPCSupp2, .caption = "UPC 2 digit Extention", .cliName = "upc2", .listIndex = 9,
     .keep = K::Digits, .maxLength = 2, .modules = UPCSupp2Modules, .draw = DrawUPCSupp2, .textLayout = T::Above},
    {.ordinal = bcUPCSupp5, .caption = "UPC 5 digit Extention", .cliName = "upc5", .listIndex = 10,
     .keep = K::Digits, .maxLength = 5, .modules = UPCSupp5Modules, .draw = DrawUPCSupp5, .textLayout = T::Above},

    // Quiet zones: ISO/IEC 18004, 16022, 15438, 24778.
    {.ordinal = bcQRCode, .caption = "QR Code", .cliName = "qr", .listIndex = 13, .keep = K::Any, .maxLength = 0,
     .zintSymbology = BARCODE_QRCODE, .quietZone = 4, .eccChoices = kQrEcc, .eccZintAuto = 2, .eccZintFirst = 1,
     .eccRule = QT_TRANSLATE_NOOP("Barcode", "error correction must be L, M, Q or H"), .sizeCount = 40,
     .sizeRule = QT_TRANSLATE_NOOP("Barcode", "version must be 1 to 40 or automatic"), .sizeName = QrSize},
    {.ordinal = bcDataMatrix, .caption = "Data Matrix", .cliName = "datamatrix", .listIndex = 14, .keep = K::Any,
     .maxLength = 0, .zintSymbology = BARCODE_DATAMATRIX, .quietZone = 1, .sizeCount = 30,
     .sizeRule = QT_TRANSLATE_NOOP("Barcode", "size must be 1 to 30 or automatic"), .sizeName = DataMatrixSize,
     .rectangles = true},
    {.ordinal = bcPDF417, .caption = "PDF417", .cliName = "pdf417", .listIndex = 15, .keep = K::Any,
     .maxLength = 0, .zintSymbology = BARCODE_PDF417, .quietZone = 2, .eccChoices = kPdf417Ecc,
     .eccZintAuto = -1, .eccZintFirst = 0,
     .eccRule = QT_TRANSLATE_NOOP("Barcode", "security level must be 0 to 8 or automatic"), .sizeCount = 30,
     .sizeRule = QT_TRANSLATE_NOOP("Barcode", "columns must be 1 to 30 or automatic"), .sizeName = Pdf417Size},
    {.ordinal = bcAztec, .caption = "Aztec Code", .cliName = "aztec", .listIndex = 16, .keep = K::Any,
     .maxLength = 0, .zintSymbology = BARCODE_AZTEC, .quietZone = 0, .eccChoices = kAztecEcc, .eccZintAuto = -1,
     .eccZintFirst = 1, .eccRule = QT_TRANSLATE_NOOP("Barcode", "error correction must be 10, 23, 36 or 50 %"),
     .sizeCount = 36, .sizeRule = QT_TRANSLATE_NOOP("Barcode", "size must be 1 to 36 or automatic"),
     .sizeName = AztecSize},
    {.ordinal = bcGS1DataMatrix, .caption = "GS1 DataMatrix", .cliName = "gs1datamatrix", .listIndex = 17,
     .keep = K::Any, .maxLength = 0, .zintSymbology = BARCODE_DATAMATRIX, .gs1 = true, .quietZone = 1,
     .sizeCount = 30, .sizeRule = QT_TRANSLATE_NOOP("Barcode", "size must be 1 to 30 or automatic"),
     .sizeName = DataMatrixSize, .rectangles = true},
};

bool IsCode39Char(ushort u)
{
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || u == ' ' || u == '$' || u == '%' || u == '+' ||
           u == '-' || u == '.' || u == '/';
}

bool Keeps(TKeepSet keep, ushort u)
{
    switch (keep) {
    case TKeepSet::Ascii:
        return u >= 1 && u <= 127;
    case TKeepSet::Code39:
        return IsCode39Char(u);
    case TKeepSet::Any:
        return true;
    case TKeepSet::Digits:
        break;
    }
    return u >= '0' && u <= '9';
}

} // namespace

std::span<const TSymbology> Symbologies()
{
    return kSymbologies;
}

const TSymbology *FindSymbology(int ordinal)
{
    return ordinal >= 0 && ordinal < kSymbologyCount ? &kSymbologies[ordinal] : nullptr;
}

const TSymbology *FindSymbologyByCliName(QStringView name)
{
    for (const TSymbology &s : kSymbologies)
        if (name.compare(QLatin1String(s.cliName), Qt::CaseInsensitive) == 0)
            return &s;
    return nullptr;
}

const TSymbology *SymbologyAtListIndex(int index)
{
    for (const TSymbology &s : kSymbologies)
        if (s.listIndex == index)
            return &s;
    return nullptr;
}

TBarcodeOptions OfferedOptions(int type, const TBarcodeOptions &options)
{
    const TSymbology *row = FindSymbology(type);
    TBarcodeOptions out;
    if (!row || !row->IsMatrix())
        return out;
    for (const TEccChoice &c : row->eccChoices)
        if (c.value == options.ecc)
            out.ecc = c.value;
    if (options.size >= 1 && options.size <= row->sizeCount)
        out.size = options.size;
    out.rectangular = row->rectangles && options.rectangular;
    return out;
}

int BarcodeTypeToListIndex(int type)
{
    const TSymbology *s = FindSymbology(type);
    return (s ? *s : kSymbologies[bcPostnet]).listIndex;
}

int ListIndexToBarcodeType(int index)
{
    const TSymbology *s = SymbologyAtListIndex(index);
    return s ? s->ordinal : bcPostnet;
}

QString BarcodeListCaption(int index)
{
    return kSymbologies[ListIndexToBarcodeType(index)].Caption();
}

QString FilterBarcodeText(int type, const QString &text)
{
    const TSymbology *row = FindSymbology(type);
    const TKeepSet keep = row ? row->keep : TKeepSet::Digits;
    if (keep == TKeepSet::Any)
        return text;
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        ushort u = c.unicode();
        if (keep == TKeepSet::Code39 && u >= 'a' && u <= 'z')
            u -= 'a' - 'A';
        if (Keeps(keep, u))
            out.append(QChar(u));
    }
    if (row && row->maxLength > 0)
        out.truncate(row->maxLength);
    return out;
}

QString EmptyBarcodeTextError(int type, const QString &text)
{
    const TSymbology *row = FindSymbology(type);
    if (!row || !row->IsLinear() || !FilterBarcodeText(type, text).isEmpty())
        return {};
    if (text.isEmpty())
        return QCoreApplication::translate("Barcode", "%1: the text is empty").arg(row->Caption());
    // By TKeepSet; Any keeps every text.
    static const char *const kTakes[] = {
        QT_TRANSLATE_NOOP("Barcode", "digits"),
        QT_TRANSLATE_NOOP("Barcode", "ASCII characters"),
        QT_TRANSLATE_NOOP("Barcode", "0-9, A-Z, space and $ % + - . /"),
    };
    return QCoreApplication::translate("Barcode", "%1 takes only %2, and the text has none")
        .arg(row->Caption(), QCoreApplication::translate("Barcode", kTakes[int(row->keep)]));
}
