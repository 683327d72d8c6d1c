// The settings file: any bytes give either the stored values or every
// default (never a mix), the label format they give can be laid out, and
// what is saved reads back the same.

#include "fuzz_common.h"

#include "model/items.h"
#include "model/labelformat.h"
#include "printing/sheetlayout.h"
#include "storage/settings.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>

namespace {

struct TSnapshot {
    TLabelFormat format;
    bool showGrids;
    bool autoSave;
    QString path;
};

TSnapshot Take(const TSettings &s)
{
    return {s.LabelFormat, s.ShowGrids, s.AutoSaveSeq, s.Path};
}

bool Same(const TSnapshot &a, const TSnapshot &b)
{
    auto bits = [](double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; };
    return bits(a.format.Label_Width, b.format.Label_Width) && bits(a.format.Label_Height, b.format.Label_Height)
        && bits(a.format.Margin_Top, b.format.Margin_Top) && bits(a.format.Margin_Left, b.format.Margin_Left)
        && bits(a.format.Gap_Height, b.format.Gap_Height) && bits(a.format.Gap_Width, b.format.Gap_Width)
        && a.format.Metric == b.format.Metric && a.showGrids == b.showGrids && a.autoSave == b.autoSave
        && a.path == b.path;
}

QString Show(const TSnapshot &s)
{
    return QStringLiteral("%1 x %2 margins %3 %4 gaps %5 %6 metric %7 grid %8 autosave %9 path '%10'")
        .arg(s.format.Label_Width).arg(s.format.Label_Height).arg(s.format.Margin_Top).arg(s.format.Margin_Left)
        .arg(s.format.Gap_Height).arg(s.format.Gap_Width).arg(s.format.Metric).arg(s.showGrids).arg(s.autoSave)
        .arg(s.path.left(80));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString file = SettingsFilePath();
    FUZZ_CHECK(file.startsWith(FuzzTempDir()), file);
    QDir().mkpath(QFileInfo(file).path());
    FuzzWriteFile(QFileInfo(file).path().mid(FuzzTempDir().size() + 1) + QStringLiteral("/Quorvane.reg"),
                  QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));

    const TSettings settings = LoadSettings();
    const TSnapshot loaded = Take(settings);
    const TSnapshot defaults{TLabelFormat{}, true, true, QString()};
    if (!Same(loaded, defaults)) {
        // All values were read: saving and loading again gives them back.
        FUZZ_CHECK(SaveSettings(settings), file);
        const TSnapshot back = Take(LoadSettings());
        FUZZ_CHECK(Same(back, loaded), Show(loaded) + QStringLiteral("\n  read back as ") + Show(back));
    }

    // Start-up sizes the design surface and lays out the sheet from the format.
    TItemContainer surface;
    surface.LabelFormat = settings.LabelFormat;
    surface.FitSurfaceToFormat();
    TPrinterMetrics m;
    m.DpiX = m.DpiY = 600;
    m.PaperWidth = 4960;
    m.PaperHeight = 7016;
    m.OffsetX = m.OffsetY = m.RightMargin = m.BottomMargin = 50;
    const TSheetLayout layout(settings.LabelFormat, m, surface.ScreenDpiX, surface.ScreenDpiY);
    FUZZ_CHECK(layout.LabelRows >= 0 && layout.LabelColumns >= 0, Show(loaded));
    return 0;
}
