#pragma once
// The files quorvane-cli barcode writes (PNG, SVG, PDF, the module pattern),
// each whole or not at all.

#include "barcode/barcode.h"

#include <QString>

namespace barcodecmd {

// Why a symbol was not written: exit status and message.
struct TProblem {
    int status = 0;
    QString message;
    explicit operator bool() const { return status != 0; }
};

TProblem Problem(const QString &message, int status = 2);

enum class TFormat { Png, Svg, Pdf, Pattern };

struct TJob {
    const TSymbology *row = nullptr;
    TBarcodeOptions options;
    int module = 1, height = 50, rotation = 0;
    bool interpretation = true, transparent = false;
    TFormat format = TFormat::Png;
    bool batch = false;
};

// Draws `text` to `output` as the job says.
TProblem MakeSymbol(const TJob &job, const QString &text, const QString &output);

} // namespace barcodecmd
