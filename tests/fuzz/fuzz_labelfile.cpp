// Label and template files: any bytes with a FORMAT section load (defaults
// for whatever is missing or unreadable), any others are refused naming the
// file and change nothing; the loaded label paints, and saving it and loading
// it again gives back the same items.

#include "fuzz_common.h"

#include "render/itemrender.h"
#include "model/labelformat.h"
#include "storage/document.h"
#include "storage/labelfile.h"

#include <QImage>
#include <QPainter>

namespace {

// Pictures an input may name with IMG_NAME (a bare name: the label's folder).
void WritePictures()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QImage img(7, 5, QImage::Format_RGB888);
    img.fill(Qt::red);
    img.save(FuzzTempDir() + QStringLiteral("/p.bmp"), "BMP");
    img.save(FuzzTempDir() + QStringLiteral("/logo.bmp"), "BMP");
    img.save(FuzzTempDir() + QStringLiteral("/p.jpg"), "JPEG");
}

QString Describe(const TLabelControl *item)
{
    return QStringLiteral("kind %1 at %2,%3 size %4x%5 rot %6 text '%7' parts %8 advanced %9 autosize %10 shown '%11'")
        .arg(int(item->Kind)).arg(item->Left).arg(item->Top).arg(item->Width).arg(item->Height)
        .arg(int(item->Rotation)).arg(item->Text.left(80)).arg(item->Fields.size()).arg(item->Advanced)
        .arg(item->AutoSize).arg(item->GetDesignText().left(80)) + QStringLiteral(" font ") + item->Font.Font.toString();
}

void Paint(TItemContainer &items)
{
    QImage view(qBound(1, items.SurfaceWidth(), 800), qBound(1, items.SurfaceHeight(), 600), QImage::Format_RGB32);
    view.fill(Qt::white);
    QPainter p(&view);
    PaintLabel(p, items, items.ShowGrids);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TFuzzInput in(data, size);
    const uint8_t mode = in.Byte();
    const QByteArray body = in.Rest();
    WritePictures();

    const bool asTemplate = mode & 1;
    const QString path = FuzzWriteFile(asTemplate ? QStringLiteral("input.lbf") : QStringLiteral("input.lbl"), body);
    TItemContainer items;
    TLabelDocument doc(items);
    QString error;
    if (!TIniFile(path).SectionExists(kFormatSection)) {
        const bool loaded = asTemplate ? doc.LoadTemplateFile(path, &error) : doc.LoadLabelFile(path, &error);
        FUZZ_CHECK(!loaded && error == NotALabelMessage(path), error);
        FUZZ_CHECK(doc.CurrentLabelFile.isEmpty() && doc.CurrentTemplateFile.isEmpty(), path);
        FUZZ_CHECK(items.Items.isEmpty(), QString());
        return 0;
    }
    if (asTemplate) {
        FUZZ_CHECK(doc.LoadTemplateFile(path, &error), error);
        FUZZ_CHECK(items.Items.isEmpty(), QString());
        // A template read as a label yields its format and whatever items it holds.
        TItemContainer more;
        FUZZ_CHECK(LoadLabelFormat(path, more.LabelFormat, &error) && LoadLabel(path, more, &error), error);
        return 0;
    }
    QStringList warnings;
    FUZZ_CHECK(doc.LoadLabelFile(path, &error, &warnings), error);
    FUZZ_CHECK(doc.CurrentLabelFile == path, doc.CurrentLabelFile);
    // A label never opens with its labels off the paper.
    FUZZ_CHECK(OffPageField(items.LabelFormat) == TOffPageField::None,
               QStringLiteral("margins %1, %2").arg(items.LabelFormat.Margin_Top).arg(items.LabelFormat.Margin_Left));
    for (const TLabelControl *item : items.Items) {
        FUZZ_CHECK(item->Kind <= ikGraphic, Describe(item));
        FUZZ_CHECK(!item->Loading, Describe(item));
    }

    // What the design surface does next: render and paint every item. The
    // image is the visible part of the label at most.
    if (mode & 2)
        Paint(items);

    // Saving and loading again loses nothing.
    const QString copyPath = FuzzTempDir() + QStringLiteral("/copy.lbl");
    FUZZ_CHECK(doc.SaveLabelFile(copyPath, &error), error);
    const TLabelFormat saved = items.LabelFormat;
    TItemContainer again;
    TLabelDocument reload(again);
    FUZZ_CHECK(reload.LoadLabelFile(copyPath, &error), error);
    // Auto-sized items take their size from their rendering, as on screen.
    if (mode & 2)
        Paint(again);
    FUZZ_CHECK(again.Items.size() == items.Items.size(),
               QStringLiteral("%1 items saved, %2 loaded").arg(items.Items.size()).arg(again.Items.size()));
    auto same = [](double a, double b) { return a == b || (a != a && b != b) || std::abs(a - b) <= std::abs(a) * 1e-14; };
    FUZZ_CHECK(same(again.LabelFormat.Label_Width, saved.Label_Width) && same(again.LabelFormat.Label_Height, saved.Label_Height)
                   && same(again.LabelFormat.Margin_Top, saved.Margin_Top) && same(again.LabelFormat.Gap_Width, saved.Gap_Width)
                   && again.LabelFormat.Metric == saved.Metric,
               QStringLiteral("width %1 -> %2").arg(saved.Label_Width).arg(again.LabelFormat.Label_Width));
    for (qsizetype i = 0; i < items.Items.size(); ++i) {
        const TLabelControl *a = items.Items[i];
        const TLabelControl *b = again.Items[i];
        const QString both = Describe(a) + QStringLiteral("\n  read back as ") + Describe(b);
        FUZZ_CHECK(a->Kind == b->Kind && a->Rotation == b->Rotation, both);
        FUZZ_CHECK(a->Left == b->Left && a->Top == b->Top, both);
        FUZZ_CHECK(a->Width == b->Width && a->Height == b->Height, both);
        FUZZ_CHECK(a->Kind == ikMemo || a->Advanced || a->Text == b->Text, both);
        FUZZ_CHECK(a->Advanced == b->Advanced && a->Fields.size() == b->Fields.size(), both);
        FUZZ_CHECK(a->Font.Font.family() == b->Font.Font.family(), both);
    }
    return 0;
}
