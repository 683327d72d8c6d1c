// Picture files: any bytes as BMP or JPEG either load or give the loader's
// message; a loaded picture renders in its item.

#include "fuzz_common.h"

#include "picture/loadgraphic.h"
#include "render/itemrender.h"
#include "model/items.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const uint8_t b0 = in.Byte();
    static const char *const names[] = {"input.bmp", "input.jpg", "input.JPEG", "input.BMP"};
    const QString name = QLatin1String(names[b0 & 3]);
    const bool jpeg = (b0 & 3) == 1 || (b0 & 3) == 2;
    const QString path = FuzzWriteFile(name, in.Rest());

    TGraphicLabel item;
    item.SetKeepAspect(b0 & 4);
    QString failure;
    const bool loaded = LoadGraphic(&item, path, &failure);
    if (loaded) {
        FUZZ_CHECK(failure.isEmpty(), failure);
        FUZZ_CHECK(!item.Picture.isNull() && item.Picture.width() > 0 && item.Picture.height() > 0, QString());
        FUZZ_CHECK(qint64(item.Picture.width()) * item.Picture.height() <= 100000000, QString());
        item.SetWidth(1 + (b0 >> 3) * 8);
        item.SetHeight(1 + (b0 >> 3) * 5);
        RenderItem(item);
    } else {
        const QString expected = jpeg ? QStringLiteral("Unable to load jpeg file\n\r") : QStringLiteral("Unable to load bitmap file\n\r");
        FUZZ_CHECK(failure == expected + path, failure);
        FUZZ_CHECK(item.Picture.isNull() || item.Picture.size() == QSize(10, 10), QString());
    }
    return 0;
}
