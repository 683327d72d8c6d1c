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

// ---- the options of the rows drawn from libzint's rows: names as libzint's
// and the standards' own, libzint's field and value for each.
using O = TOptionKind;
using Z = TZintField;

const TSymbolOption kCheckDigitOpt2[] = {
    {.name = "checkdigit", .caption = QT_TRANSLATE_NOOP("Barcode", "Check digit"), .kind = O::Flag,
     .defaultValue = "0", .field = Z::Option2, .zintOffset = 1},
};
const TOptionChoice kCode11Checks[] = {
    {"2", QT_TRANSLATE_NOOP("Barcode", "Two check digits (C and K)"), 0},
    {"1", QT_TRANSLATE_NOOP("Barcode", "One check digit (C)"), 1},
    {"0", QT_TRANSLATE_NOOP("Barcode", "No check digit"), 2},
};
const TSymbolOption kCode11Options[] = {
    {.name = "checkdigit", .caption = QT_TRANSLATE_NOOP("Barcode", "Check digits"), .kind = O::Choice,
     .choices = kCode11Checks, .defaultValue = "2", .field = Z::Option2},
};
const TOptionChoice kMsiChecks[] = {
    {"none", QT_TRANSLATE_NOOP("Barcode", "None"), 0}, {"mod10", QT_TRANSLATE_NOOP("Barcode", "Modulo 10"), 1},
    {"mod1010", QT_TRANSLATE_NOOP("Barcode", "Modulo 10, twice"), 2},
    {"mod11", QT_TRANSLATE_NOOP("Barcode", "Modulo 11 (IBM)"), 3},
    {"mod1110", QT_TRANSLATE_NOOP("Barcode", "Modulo 11 and modulo 10"), 4},
};
const TSymbolOption kMsiOptions[] = {
    {.name = "checkdigit", .caption = QT_TRANSLATE_NOOP("Barcode", "Check digits"), .kind = O::Choice,
     .choices = kMsiChecks, .defaultValue = "none", .field = Z::Option2},
};
const TOptionChoice kBearers[] = {
    {"box", QT_TRANSLATE_NOOP("Barcode", "Bearer box"), 2},
    {"bars", QT_TRANSLATE_NOOP("Barcode", "Bearer bars top and bottom"), 1},
    {"none", QT_TRANSLATE_NOOP("Barcode", "No bearer bars"), 0},
};
const TSymbolOption kItf14Options[] = {
    {.name = "bearer", .caption = QT_TRANSLATE_NOOP("Barcode", "Bearer bars"), .kind = O::Choice,
     .choices = kBearers, .defaultValue = "box", .field = Z::Bearer},
};
const TSymbolOption kAddOnOptions[] = {
    {.name = "addongap", .caption = QT_TRANSLATE_NOOP("Barcode", "Add-on gap (modules)"), .kind = O::Range, .min = 7,
     .max = 12, .defaultValue = "9", .field = Z::Option2},
};
const TSymbolOption kChannelOptions[] = {
    {.name = "channels", .caption = QT_TRANSLATE_NOOP("Barcode", "Channels"), .kind = O::Range, .min = 3, .max = 8,
     .field = Z::Option2},
};
const TSymbolOption kVinOptions[] = {
    {.name = "importchar", .caption = QT_TRANSLATE_NOOP("Barcode", "Import character prefix"), .kind = O::Flag,
     .defaultValue = "0", .field = Z::Option2, .zintOffset = 1},
};
const TSymbolOption kRowsOptions[] = {
    {.name = "rows", .caption = QT_TRANSLATE_NOOP("Barcode", "Rows"), .kind = O::Range, .min = 2, .max = 16,
     .field = Z::Option1},
};
const TSymbolOption kCodablockOptions[] = {
    {.name = "rows", .caption = QT_TRANSLATE_NOOP("Barcode", "Rows"), .kind = O::Range, .min = 1, .max = 44,
     .field = Z::Option1},
    {.name = "columns", .caption = QT_TRANSLATE_NOOP("Barcode", "Data columns"), .kind = O::Range, .min = 4,
     .max = 62, .field = Z::Option2, .zintOffset = 5},
};
const TSymbolOption kMicroPdfOptions[] = {
    {.name = "columns", .caption = QT_TRANSLATE_NOOP("Barcode", "Data columns"), .kind = O::Range, .min = 1,
     .max = 4, .field = Z::Option2},
};
const TSymbolOption kPdfOptions[] = {
    {.name = "ecc", .caption = QT_TRANSLATE_NOOP("Barcode", "Security level"), .kind = O::Range, .min = 0, .max = 8,
     .field = Z::Option1},
    {.name = "columns", .caption = QT_TRANSLATE_NOOP("Barcode", "Data columns"), .kind = O::Range, .min = 1,
     .max = 30, .field = Z::Option2},
};
const TSymbolOption kSegmentsOptions[] = {
    {.name = "columns", .caption = QT_TRANSLATE_NOOP("Barcode", "Segment pairs per row"), .kind = O::Range, .min = 1,
     .max = 11, .field = Z::Option2},
};
const TOptionChoice kCompositeModes[] = {
    {"a", QT_TRANSLATE_NOOP("Barcode", "CC-A"), 1}, {"b", QT_TRANSLATE_NOOP("Barcode", "CC-B"), 2},
    {"c", QT_TRANSLATE_NOOP("Barcode", "CC-C"), 3},
};
const TSymbolOption kCompositeOptions[] = {
    {.name = "composite", .caption = QT_TRANSLATE_NOOP("Barcode", "2D component (element string)"), .kind = O::Text,
     .field = Z::Composite},
    {.name = "ccmode", .caption = QT_TRANSLATE_NOOP("Barcode", "Composite component"), .kind = O::Choice,
     .choices = kCompositeModes, .field = Z::Option1},
};
const TSymbolOption kCompositeSegmentsOptions[] = {

    kCompositeOptions[0],
    kCompositeOptions[1],
    kSegmentsOptions[0],
};
const TOptionChoice kMicroQrVersions[] = {
    {"M1", "M1", 1}, {"M2", "M2", 2}, {"M3", "M3", 3}, {"M4", "M4", 4},
};
const TOptionChoice kMicroQrEcc[] = {
    {"L", QT_TRANSLATE_NOOP("Barcode", "L (7 %)"), 1}, {"M", QT_TRANSLATE_NOOP("Barcode", "M (15 %)"), 2},
    {"Q", QT_TRANSLATE_NOOP("Barcode", "Q (25 %)"), 3},
};
const TSymbolOption kMicroQrOptions[] = {
    {.name = "version", .caption = QT_TRANSLATE_NOOP("Barcode", "Version"), .kind = O::Choice,
     .choices = kMicroQrVersions, .field = Z::Option2},
    {.name = "ecc", .caption = QT_TRANSLATE_NOOP("Barcode", "Error correction level"), .kind = O::Choice,
     .choices = kMicroQrEcc, .field = Z::Option1},
};
// ISO/IEC 23941's sizes, rows x columns, in its (and libzint's) order.
const TOptionChoice kRmqrVersions[] = {
    {"R7x43", "R7x43", 1}, {"R7x59", "R7x59", 2}, {"R7x77", "R7x77", 3}, {"R7x99", "R7x99", 4},
    {"R7x139", "R7x139", 5}, {"R9x43", "R9x43", 6}, {"R9x59", "R9x59", 7}, {"R9x77", "R9x77", 8},
    {"R9x99", "R9x99", 9}, {"R9x139", "R9x139", 10}, {"R11x27", "R11x27", 11}, {"R11x43", "R11x43", 12},
    {"R11x59", "R11x59", 13}, {"R11x77", "R11x77", 14}, {"R11x99", "R11x99", 15}, {"R11x139", "R11x139", 16},
    {"R13x27", "R13x27", 17}, {"R13x43", "R13x43", 18}, {"R13x59", "R13x59", 19}, {"R13x77", "R13x77", 20},
    {"R13x99", "R13x99", 21}, {"R13x139", "R13x139", 22}, {"R15x43", "R15x43", 23}, {"R15x59", "R15x59", 24},
    {"R15x77", "R15x77", 25}, {"R15x99", "R15x99", 26}, {"R15x139", "R15x139", 27}, {"R17x43", "R17x43", 28},
    {"R17x59", "R17x59", 29}, {"R17x77", "R17x77", 30}, {"R17x99", "R17x99", 31}, {"R17x139", "R17x139", 32},
};
const TOptionChoice kRmqrEcc[] = {
    {"M", QT_TRANSLATE_NOOP("Barcode", "M (15 %)"), 2}, {"H", QT_TRANSLATE_NOOP("Barcode", "H (30 %)"), 4},
};
const TSymbolOption kRmqrOptions[] = {
    {.name = "version", .caption = QT_TRANSLATE_NOOP("Barcode", "Version"), .kind = O::Choice,
     .choices = kRmqrVersions, .field = Z::Option2},
    {.name = "ecc", .caption = QT_TRANSLATE_NOOP("Barcode", "Error correction level"), .kind = O::Choice,
     .choices = kRmqrEcc, .field = Z::Option1},
};
const TOptionChoice kHanXinEcc[] = {
    {"L1", "L1", 1}, {"L2", "L2", 2}, {"L3", "L3", 3}, {"L4", "L4", 4},
};
const TSymbolOption kHanXinOptions[] = {
    {.name = "version", .caption = QT_TRANSLATE_NOOP("Barcode", "Version"), .kind = O::Range, .min = 1, .max = 84,
     .field = Z::Option2},
    {.name = "ecc", .caption = QT_TRANSLATE_NOOP("Barcode", "Error correction level"), .kind = O::Choice,
     .choices = kHanXinEcc, .field = Z::Option1},
};
const TSymbolOption kDotCodeOptions[] = {
    {.name = "columns", .caption = QT_TRANSLATE_NOOP("Barcode", "Columns"), .kind = O::Range, .min = 5, .max = 200,
     .field = Z::Option2},
};
const TSymbolOption kGridMatrixOptions[] = {
    {.name = "version", .caption = QT_TRANSLATE_NOOP("Barcode", "Version"), .kind = O::Range, .min = 1, .max = 13,
     .field = Z::Option2},
    {.name = "ecc", .caption = QT_TRANSLATE_NOOP("Barcode", "Error correction level"), .kind = O::Range, .min = 1,
     .max = 5, .field = Z::Option1},
};
const TOptionChoice kCodeOneVersions[] = {
    {"A", "A", 1}, {"B", "B", 2}, {"C", "C", 3}, {"D", "D", 4}, {"E", "E", 5}, {"F", "F", 6}, {"G", "G", 7},
    {"H", "H", 8}, {"S", "S", 9}, {"T", "T", 10},
};
const TSymbolOption kCodeOneOptions[] = {
    {.name = "version", .caption = QT_TRANSLATE_NOOP("Barcode", "Version"), .kind = O::Choice,
     .choices = kCodeOneVersions, .field = Z::Option2},
};
const TOptionChoice kUltraEcc[] = {
    {"EC0", "EC0", 1}, {"EC1", "EC1", 2}, {"EC2", "EC2", 3}, {"EC3", "EC3", 4}, {"EC4", "EC4", 5},
    {"EC5", "EC5", 6},
};
const TSymbolOption kUltraOptions[] = {
    {.name = "ecc", .caption = QT_TRANSLATE_NOOP("Barcode", "Error correction level"), .kind = O::Choice,
     .choices = kUltraEcc, .field = Z::Option1},
};
const TOptionChoice kMaxiModes[] = {
    {"2", QT_TRANSLATE_NOOP("Barcode", "Mode 2: numeric postcode"), 2},
    {"3", QT_TRANSLATE_NOOP("Barcode", "Mode 3: alphanumeric postcode"), 3},
    {"4", QT_TRANSLATE_NOOP("Barcode", "Mode 4: standard symbol"), 4},
    {"5", QT_TRANSLATE_NOOP("Barcode", "Mode 5: full error correction"), 5},
    {"6", QT_TRANSLATE_NOOP("Barcode", "Mode 6: reader programming"), 6},
};
const TSymbolOption kMaxiCodeOptions[] = {
    {.name = "mode", .caption = QT_TRANSLATE_NOOP("Barcode", "Mode"), .kind = O::Choice, .choices = kMaxiModes,
     .defaultValue = "4", .field = Z::Option1},
    {.name = "primary", .caption = QT_TRANSLATE_NOOP("Barcode", "Primary message (postcode, country, service)"),
     .kind = O::Text, .field = Z::Primary},
};
const TOptionChoice kQrEccChoices[] = {
    {"L", QT_TRANSLATE_NOOP("Barcode", "L (7 %)"), 1}, {"M", QT_TRANSLATE_NOOP("Barcode", "M (15 %)"), 2},
    {"Q", QT_TRANSLATE_NOOP("Barcode", "Q (25 %)"), 3}, {"H", QT_TRANSLATE_NOOP("Barcode", "H (30 %)"), 4},
};
const TSymbolOption kQrEccOptions[] = {
    {.name = "ecc", .caption = QT_TRANSLATE_NOOP("Barcode", "Error correction level"), .kind = O::Choice,
     .choices = kQrEccChoices, .field = Z::Option1},
    {.name = "version", .caption = QT_TRANSLATE_NOOP("Barcode", "Version"), .kind = O::Range, .min = 1, .max = 40,
     .field = Z::Option2},
};

using K = TKeepSet;
using T = TTextLayout;
using F = TSymbologyFamily;

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
     .maxLength = 0, .modules = EAN128Modules, .draw = DrawEAN128, .textLayout = T::Below, .gs1 = true,
     .family = F::GS1},
    {.ordinal = bcPostnet, .caption = "POSTNET", .cliName = "postnet", .listIndex = 12, .keep = K::Digits,
     .maxLength = 11, .modules = PostnetModules, .draw = DrawPostnet, .textLayout = T::None, .family = F::Postal},
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
     .sizeRule = QT_TRANSLATE_NOOP("Barcode", "version must be 1 to 40 or automatic"), .sizeName = QrSize,
     .family = F::Matrix2D},
    {.ordinal = bcDataMatrix, .caption = "Data Matrix", .cliName = "datamatrix", .listIndex = 14, .keep = K::Any,
     .maxLength = 0, .zintSymbology = BARCODE_DATAMATRIX, .quietZone = 1, .sizeCount = 30,
     .sizeRule = QT_TRANSLATE_NOOP("Barcode", "size must be 1 to 30 or automatic"), .sizeName = DataMatrixSize,
     .rectangles = true, .family = F::Matrix2D},
    {.ordinal = bcPDF417, .caption = "PDF417", .cliName = "pdf417", .listIndex = 15, .keep = K::Any,
     .maxLength = 0, .zintSymbology = BARCODE_PDF417, .quietZone = 2, .eccChoices = kPdf417Ecc,
     .eccZintAuto = -1, .eccZintFirst = 0,
     .eccRule = QT_TRANSLATE_NOOP("Barcode", "security level must be 0 to 8 or automatic"), .sizeCount = 30,
     .sizeRule = QT_TRANSLATE_NOOP("Barcode", "columns must be 1 to 30 or automatic"), .sizeName = Pdf417Size,
     .family = F::Matrix2D},
    {.ordinal = bcAztec, .caption = "Aztec Code", .cliName = "aztec", .listIndex = 16, .keep = K::Any,
     .maxLength = 0, .zintSymbology = BARCODE_AZTEC, .quietZone = 0, .eccChoices = kAztecEcc, .eccZintAuto = -1,
     .eccZintFirst = 1, .eccRule = QT_TRANSLATE_NOOP("Barcode", "error correction must be 10, 23, 36 or 50 %"),
     .sizeCount = 36, .sizeRule = QT_TRANSLATE_NOOP("Barcode", "size must be 1 to 36 or automatic"),
     .sizeName = AztecSize, .family = F::Matrix2D},
    {.ordinal = bcGS1DataMatrix, .caption = "GS1 DataMatrix", .cliName = "gs1datamatrix", .listIndex = 17,
     .keep = K::Any, .maxLength = 0, .zintSymbology = BARCODE_DATAMATRIX, .gs1 = true, .quietZone = 1,
     .sizeCount = 30, .sizeRule = QT_TRANSLATE_NOOP("Barcode", "size must be 1 to 30 or automatic"),
     .sizeName = DataMatrixSize, .rectangles = true, .family = F::GS1},

#include "barcode/zint_symbologies.inc"
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

QString SymbologyFamilyCaption(TSymbologyFamily family)
{
    static const char *const kCaptions[kSymbologyFamilyCount] = {
        QT_TRANSLATE_NOOP("Barcode", "Linear"),   QT_TRANSLATE_NOOP("Barcode", "GS1"),
        QT_TRANSLATE_NOOP("Barcode", "2D"),       QT_TRANSLATE_NOOP("Barcode", "Postal"),
        QT_TRANSLATE_NOOP("Barcode", "Pharmacy"), QT_TRANSLATE_NOOP("Barcode", "HIBC"),
    };
    const int i = int(family);
    return i < kSymbologyFamilyCount ? QCoreApplication::translate("Barcode", kCaptions[i]) : QString();
}

const TSymbolOption *FindSymbolOption(const TSymbology &row, QStringView name)
{
    for (const TSymbolOption &o : row.options)
        if (name.compare(QLatin1String(o.name), Qt::CaseInsensitive) == 0)
            return &o;
    return nullptr;
}

QString CheckSymbolOption(const TSymbology &row, QStringView name, QStringView value)
{
    const TSymbolOption *o = FindSymbolOption(row, name);
    if (!o)
        return QCoreApplication::translate("Barcode", "%1 has no option '%2'").arg(row.Caption(), name.toString());
    const QString optionName = QLatin1String(o->name);
    auto bad = [&](const QString &rule) { return QStringLiteral("%1: %2").arg(row.Caption(), rule); };
    switch (o->kind) {
    case TOptionKind::Choice: {
        QStringList names;
        for (const TOptionChoice &c : o->choices) {
            if (value.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return {};
            names.append(QLatin1String(c.name));
        }
        return bad(QCoreApplication::translate("Barcode", "%1 must be one of %2")
                       .arg(optionName, names.join(QLatin1String(", "))));
    }
    case TOptionKind::Range: {
        bool ok = false;
        const int v = value.trimmed().toInt(&ok);
        if (ok && v >= o->min && v <= o->max)
            return {};
        return bad(QCoreApplication::translate("Barcode", "%1 must be a whole number from %2 to %3")
                       .arg(optionName)
                       .arg(o->min)
                       .arg(o->max));
    }
    case TOptionKind::Flag:
        if (value == u"0" || value == u"1")
            return {};
        return bad(QCoreApplication::translate("Barcode", "%1 must be 0 or 1").arg(optionName));
    case TOptionKind::Text:
        break;
    }
    return {};
}

QString CheckSymbolOptions(const TSymbology &row, const TBarcodeOptions &options)
{
    for (auto it = options.named.cbegin(); it != options.named.cend(); ++it) {
        const QString error = CheckSymbolOption(row, it.key(), it.value());
        if (!error.isEmpty())
            return error;
    }
    return {};
}

TBarcodeOptions OfferedOptions(int type, const TBarcodeOptions &options)
{
    const TSymbology *row = FindSymbology(type);
    TBarcodeOptions out;
    if (!row || !row->IsMatrix())
        return out;
    for (auto it = options.named.cbegin(); it != options.named.cend(); ++it)
        if (const TSymbolOption *o = FindSymbolOption(*row, it.key()))
            out.named.insert(QLatin1String(o->name), it.value());
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
