#include "barcode/recording_surface.h"
#include "barcode/matrix2d.h"

#include <QRegularExpression>

QString BarcodePattern(int type, const QString &filteredText)
{
    constexpr int kHeight = 10;
    TRecordingSurface surface;
    DrawBarcode(surface, type, 0, 0, 1, kHeight, filteredText, false, 0, true);
    const int length = BarcodeWidth(1, type, filteredText);
    QString modules(length, QLatin1Char('0'));
    for (const TRecordedFill &f : surface.fills) {
        if (!f.black)
            continue;
        const QChar mark = type != bcPostnet ? QLatin1Char('1') : f.y == 0 ? QLatin1Char('F') : QLatin1Char('H');
        for (int u = qMax(0, f.x); u < qMin(length, f.x + f.w); ++u)
            modules[u] = mark;
    }
    const qsizetype first = modules.indexOf(QRegularExpression(QStringLiteral("[^0]")));
    if (first < 0)
        return {};
    const qsizetype last = modules.lastIndexOf(QRegularExpression(QStringLiteral("[^0]")));
    return modules.mid(first, last - first + 1);
}

QString BarcodePattern(const TBarcodeSymbol &symbol)
{
    const TMatrix2D *m = symbol.Matrix();
    if (!m)
        return symbol.Ok() ? BarcodePattern(symbol.Symbology()->ordinal, symbol.Text()) : QString();
    QStringList lines;
    for (int r = 0; r < m->rows; ++r) {
        QString row(m->cols, QLatin1Char('0'));
        for (int c = 0; c < m->cols; ++c)
            if (m->Dark(r, c))
                row[c] = QLatin1Char('1');
        for (int i = 0; i < (m->ownRows ? 1 : m->rowHeights[r]); ++i)
            lines.append(row);
    }
    return lines.join(QLatin1Char('\n'));
}
