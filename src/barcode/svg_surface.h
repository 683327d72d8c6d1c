#pragma once
// A surface that writes an SVG document: the dark rectangles as one path of
// exact rectangles (touching ones of the same extent merged), the
// human-readable line as text. Fonts are chosen and measured as on pixels,
// so the text sits where it does in a PNG of the same symbol.

#include "barcode/barcode.h"

#include <QByteArray>
#include <memory>

class TSvgSurface : public TBarcodeSurface {
public:
    TSvgSurface();
    ~TSvgSurface() override;

    void FillRect(int x, int y, int w, int h, bool black) override;
    QString FontFace() const override;
    void SelectFont(const QString &face, int cellHeight, int escapement) override;
    void RestoreFont() override;
    void MeasureText(const QString &text, int &width, int &height) override;
    void DrawTextOpaque(int x, int y, const QString &text) override;

    // The document, `width` by `height` pixels (user units).
    QByteArray Document(int width, int height) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
