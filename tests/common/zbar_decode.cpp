#include "zbar_decode.h"

#ifdef QV_HAVE_ZBAR
#include <zbar.h>
#include <vector>

using namespace zbar;

bool ZbarAvailable()
{
    return true;
}

QList<TDecodedSymbol> ZbarDecode(const QImage &image, const QList<TZbarSetting> &settings)
{
    QList<TDecodedSymbol> found;
    if (image.isNull())
        return found;
    // zbar wants tightly packed 8-bit grey ("Y800") rows.
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const int w = grey.width(), h = grey.height();
    std::vector<unsigned char> pixels(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        std::copy_n(grey.constScanLine(y), w, pixels.data() + size_t(y) * size_t(w));

    zbar_image_scanner_t *scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 1);
    static const zbar_symbol_type_t kEnabled[] = {ZBAR_EAN2,  ZBAR_EAN5,   ZBAR_EAN8,   ZBAR_UPCE,
                                                  ZBAR_UPCA,  ZBAR_EAN13,  ZBAR_I25,    ZBAR_CODE39,
                                                  ZBAR_CODE93, ZBAR_CODE128};
    for (zbar_symbol_type_t s : kEnabled)
        zbar_image_scanner_set_config(scanner, s, ZBAR_CFG_ENABLE, 1);
    for (zbar_symbol_type_t s : {ZBAR_I25, ZBAR_CODE39, ZBAR_CODE93, ZBAR_CODE128})
        zbar_image_scanner_set_config(scanner, s, ZBAR_CFG_MIN_LEN, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_CODE39, ZBAR_CFG_ASCII, 0);
    // Book numbers are EAN-13s; report them as such.
    zbar_image_scanner_set_config(scanner, ZBAR_ISBN10, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner, ZBAR_ISBN13, ZBAR_CFG_ENABLE, 0);
    for (const TZbarSetting &s : settings)
        zbar_image_scanner_set_config(scanner, zbar_symbol_type_t(s.symbology), zbar_config_t(s.config), s.value);

    zbar_image_t *img = zbar_image_create();
    zbar_image_set_format(img, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(img, unsigned(w), unsigned(h));
    zbar_image_set_data(img, pixels.data(), pixels.size(), nullptr);
    if (zbar_scan_image(scanner, img) > 0) {
        for (const zbar_symbol_t *sym = zbar_image_first_symbol(img); sym; sym = zbar_symbol_next(sym)) {
            TDecodedSymbol d;
            d.zbarType = int(zbar_symbol_get_type(sym));
            d.typeName = QString::fromLatin1(zbar_get_symbol_name(zbar_symbol_get_type(sym)));
            d.data = QByteArray(zbar_symbol_get_data(sym), int(zbar_symbol_get_data_length(sym)));
            d.gs1 = zbar_symbol_get_modifiers(sym) & (1u << ZBAR_MOD_GS1);
            found.append(d);
        }
    }
    zbar_image_destroy(img);
    zbar_image_scanner_destroy(scanner);
    return found;
}

#else

bool ZbarAvailable()
{
    return false;
}

QList<TDecodedSymbol> ZbarDecode(const QImage &, const QList<TZbarSetting> &)
{
    return {};
}

#endif
