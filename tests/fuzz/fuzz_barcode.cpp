// The barcode engine: for every symbology (and ordinals beyond them), module,
// rotation and flag, a filtered text keeps only what the symbology accepts,
// and the drawing stays inside the box BarcodeWidth promises.

#include "fuzz_common.h"

#include "barcode/barcode.h"
#include "barcode/recording_surface.h"

#include <QImage>
#include <QPainter>

namespace {

const int kLongest[kBarcodeTypeCount] = {-1, -1, -1, 11, -1, -1, 12, 7, -1, 11, 6, 2, 5};

bool Kept(int type, QChar c)
{
    const ushort u = c.unicode();
    switch (type) {
    case bcCode128: case bcCode39Ext: case bcCode93: case bcEAN128:
        return u >= 1 && u <= 127;
    case bcCode39:
        return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || QByteArrayView(" $%+-./").contains(char(u));
    default:
        return u >= '0' && u <= '9';
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
    const int barHeight = 1 + in.Byte() * 2; // 1..511
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
    return 0;
}
