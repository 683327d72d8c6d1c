// The barcode engine: for every symbology (and ordinals beyond them), module,
// rotation and flag, a filtered text keeps only what the symbology accepts,
// and the drawing stays inside the box BarcodeWidth promises. The ordinals
// past the linear ones also go to the two-dimensional encoder, with options in
// and out of range: a symbol is whole and inside its box, or a reason is given,
// and TBarcodeSymbol draws and measures them as the encoder does.

#include "fuzz_common.h"

#include "barcode/barcode.h"
#include "barcode/matrix2d.h"
#include "barcode/recording_surface.h"

#include <QImage>
#include <QPainter>

namespace {

const int kLongest[kBarcodeTypeCount] = {-1, -1, -1, 11, -1, -1, 12, 7, -1, 11, 6, 2, 5};

bool Kept(int type, QChar c)
{
    const ushort u = c.unicode();
    switch (type) {
    case bcCode128: case bcCode39Ext: case bcCode93:
        return u >= 1 && u <= 127;
    case bcEAN128:
        return true;  // GS1 data: the check says what it cannot carry
    case bcCode39:
        return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || QByteArrayView(" $%+-./").contains(char(u));
    default:
        return u >= '0' && u <= '9';
    }
}

void CheckMatrix(int symbology, const QString &text, uint8_t optionByte, bool rectangular, int module,
                 int rotation, bool transparent, bool pixels)
{
    static const int kAztecLevels[4] = {10, 23, 36, 50};
    TMatrixOptions options;
    options.ecc = (optionByte & 0x80) ? kAztecLevels[optionByte & 3] : int(optionByte % 12) - 2;
    options.size = (optionByte >> 2) % 42;
    options.rectangular = rectangular;
    const TMatrix2D m = Encode2D(TMatrixSymbology(symbology), text, options);
    const QString what = QStringLiteral("2D %1 ecc %2 size %3").arg(symbology).arg(options.ecc).arg(options.size);
    if (!m.ok) {
        FUZZ_CHECK(!m.error.isEmpty(), what);
    } else {
        FUZZ_CHECK(m.error.isEmpty() && m.rows > 0 && m.cols > 0 && m.bits.size() == m.rows * m.cols &&
                       m.rowHeights.size() == m.rows && m.quietZone >= 0 && m.quietZone <= 4,
                   what);
        for (int h : m.rowHeights)
            FUZZ_CHECK(h >= 1 && h <= 3, what);
    }

    const int x = 3, y = 5;
    const QSize box = MatrixBoxSize(m, module, rotation);
    TRecordingSurface rec;
    DrawMatrix2D(rec, m, x, y, module, rotation, transparent);
    if (!m.ok)
        FUZZ_CHECK(rec.fills.isEmpty() && box.isEmpty(), what);

    // The engine's common entry: the same symbol and box, or the same refusal
    // with the empty square box and nothing drawn.
    const TBarcodeSymbol symbol(symbology, FilterBarcodeText(symbology, text), options);
    TRecordingSurface viaSymbol;
    FUZZ_CHECK(symbol.Draw(viaSymbol, x, y, module, 40, true, rotation, transparent) == m.ok, what);
    FUZZ_CHECK(symbol.Box(module, 40, rotation) == (m.ok ? box : QSize(20 * module, 20 * module)), what);
    FUZZ_CHECK(viaSymbol.fills.size() == rec.fills.size() && viaSymbol.texts.isEmpty(), what);
    qint64 dark = 0, want = 0;
    for (const TRecordedFill &f : rec.fills) {
        FUZZ_CHECK(f.w > 0 && f.h > 0 && f.x >= x && f.y >= y && f.x + f.w <= x + box.width() &&
                       f.y + f.h <= y + box.height(),
                   QStringLiteral("%1 rot %2 fill %3,%4 %5x%6 outside %7x%8")
                       .arg(what).arg(rotation).arg(f.x).arg(f.y).arg(f.w).arg(f.h).arg(box.width()).arg(box.height()));
        if (f.black)
            dark += qint64(f.w) * f.h;
    }
    for (int r = 0; r < m.rows; ++r)
        for (int c = 0; c < m.cols; ++c)
            if (m.Dark(r, c))
                want += qint64(m.rowHeights[r]) * module * module;
    FUZZ_CHECK(dark == want, QStringLiteral("%1: %2 dark pixels drawn, %3 modules' worth").arg(what).arg(dark).arg(want));

    if (pixels && m.ok && qint64(box.width()) * box.height() <= 400000) {
        QImage image(box.width() + 10, box.height() + 10, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter p(&image);
        TPainterSurface surface(p);
        DrawMatrix2D(surface, m, x, y, module, rotation, transparent);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const uint8_t b0 = in.Byte();
    const uint8_t b1 = in.Byte();
    const int type = b0 % 16; // 13..15 are unknown ordinals
    const int rotation = (b0 >> 4) & 3;
    const bool interpretation = b0 & 0x40;
    const bool transparent = b0 & 0x80;
    const int module = 1 + (b1 & 7);          // 1..8, what screen and printers use
    const uint8_t b2 = in.Byte();
    const int barHeight = 1 + b2 * 2; // 1..511
    const QByteArray raw = in.Rest();
    const QString text = (b1 & 8) ? QString::fromLatin1(raw) : QString::fromUtf8(raw);

    const QString filtered = FilterBarcodeText(type, text);
    FUZZ_CHECK(FilterBarcodeText(type, filtered) == filtered, filtered.left(80));
    if (type < kBarcodeTypeCount) {
        if (kLongest[type] > 0)
            FUZZ_CHECK(filtered.size() <= kLongest[type], filtered);
        for (QChar c : filtered)
            FUZZ_CHECK(Kept(type, c), QStringLiteral("type %1 kept U+%2").arg(type).arg(c.unicode(), 4, 16));
    }

    const int length = BarcodeWidth(module, type, filtered);
    FUZZ_CHECK(length >= 0, QString::number(length));
    if (filtered.isEmpty())
        FUZZ_CHECK(length == 20 * module, QString::number(length));
    if (type < kBarcodeTypeCount && !filtered.isEmpty())
        FUZZ_CHECK(length > 20 * module, QString::number(length));

    const int x = 3, y = 5;
    const int boxW = (rotation & 1) ? barHeight : length;
    const int boxH = (rotation & 1) ? length : barHeight;
    TRecordingSurface rec;
    DrawBarcode(rec, type, x, y, module, barHeight, filtered, interpretation, rotation, transparent);
    for (const TRecordedFill &f : rec.fills) {
        const QString where = QStringLiteral("type %1 rot %2 fill %3,%4 %5x%6 outside %7x%8")
                                  .arg(type).arg(rotation).arg(f.x).arg(f.y).arg(f.w).arg(f.h).arg(boxW).arg(boxH);
        FUZZ_CHECK(f.w >= 0 && f.h >= 0, where);
        FUZZ_CHECK(f.x >= x && f.y >= y && f.x + f.w <= x + boxW && f.y + f.h <= y + boxH, where);
    }
    if (!interpretation || filtered.isEmpty())
        FUZZ_CHECK(rec.texts.isEmpty(), QString());
    if (type < kBarcodeTypeCount && type != bcPostnet)
        (void)BarcodePattern(type, filtered);

    // Now and then on pixels too, when the box is small enough.
    if ((b1 & 0x30) == 0x30 && qint64(boxW) * boxH <= 400000) {
        QImage image(boxW + 10, boxH + 10, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter p(&image);
        TPainterSurface surface(p);
        DrawBarcode(surface, type, x, y, module, barHeight, filtered, interpretation, rotation, transparent);
    }

    if (type >= kBarcodeTypeCount)
        CheckMatrix(kMatrixSymbologyFirst + (type - kBarcodeTypeCount + 3 * (b1 >> 7)) % 5, text, b2, b1 & 0x40,
                    module, rotation, transparent, (b1 & 0x30) == 0x30);
    return 0;
}
