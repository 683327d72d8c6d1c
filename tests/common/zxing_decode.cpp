#include "zxing_decode.h"

#ifdef QV_HAVE_ZXING
#define ZX_USE_UTF8 1
#include <ZXing/ReadBarcode.h>

bool ZxingAvailable()
{
    return true;
}

QList<TZxingSymbol> ZxingDecode(const QImage &image, const QString &formats, bool code39Extended)
{
    QList<TZxingSymbol> found;
    if (image.isNull())
        return found;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(), ZXing::ImageFormat::Lum,
                                int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    hints.setTryCode39ExtendedMode(code39Extended);
    if (!formats.isEmpty())
        hints.setFormats(ZXing::BarcodeFormatsFromString(formats.toStdString()));
    // ZXing finds a MaxiCode only in an image of it alone.
    hints.setIsPure(formats == QLatin1String("MaxiCode"));
    for (const ZXing::Result &r : ZXing::ReadBarcodes(view, hints)) {
        if (!r.isValid())
            continue;
        TZxingSymbol s;
        s.format = QString::fromLatin1(ZXing::ToString(r.format()));
        s.text = QString::fromStdString(r.text());
        s.bytes = QByteArray(reinterpret_cast<const char *>(r.bytes().data()), qsizetype(r.bytes().size()));
        s.identifier = QString::fromStdString(r.symbologyIdentifier());
        s.hasEci = r.hasECI();
        found.append(s);
    }
    return found;
}

#else

bool ZxingAvailable()
{
    return false;
}

QList<TZxingSymbol> ZxingDecode(const QImage &, const QString &, bool)
{
    return {};
}

#endif
