#pragma once
// A surface that keeps what is drawn on it instead of painting: lets tests and
// the command line read a symbol from the very routines that draw it.

#include "barcode/barcode.h"

#include <QList>

struct TRecordedFill {
    int x, y, w, h;
    bool black;
};

struct TRecordedText {
    int x, y;
    QString text;
    int cellHeight;
    int escapement;
};

class TRecordingSurface : public TBarcodeSurface {
public:
    QList<TRecordedFill> fills;
    QList<TRecordedText> texts;

    void FillRect(int x, int y, int w, int h, bool black) override { fills.append({x, y, w, h, black}); }
    QString FontFace() const override { return QStringLiteral("Courier New"); }
    void SelectFont(const QString &, int cellHeight, int escapement) override
    {
        m_saved.append({m_cell, m_escapement});
        m_cell = cellHeight;
        m_escapement = escapement;
    }
    void RestoreFont() override
    {
        if (!m_saved.isEmpty()) {
            m_cell = m_saved.last().first;
            m_escapement = m_saved.takeLast().second;
        }
    }
    // A monospaced face: each character three fifths of the cell wide.
    void MeasureText(const QString &text, int &width, int &height) override
    {
        width = int(text.size()) * m_cell * 3 / 5;
        height = m_cell;
    }
    void DrawTextOpaque(int x, int y, const QString &text) override
    {
        texts.append({x, y, text, m_cell, m_escapement});
    }

private:
    int m_cell = 0;
    int m_escapement = 0;
    QList<QPair<int, int>> m_saved;
};

// The symbol's modules from its first bar to its last, quiet zones left out:
// '1' bar, '0' space; for POSTNET 'F' full bar, 'H' half bar.
QString BarcodePattern(int type, const QString &filteredText);
// The same for any symbol; a two-dimensional one gives its module rows, quiet
// zone left out, one line per module of height ('1' dark, '0' light), joined
// by '\n'. Empty for a symbol that did not encode.
QString BarcodePattern(const TBarcodeSymbol &symbol);
