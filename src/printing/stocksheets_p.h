#pragma once
// Shared by the files of the sheet catalogue (stocksheets.cpp,
// stocktemplates.cpp) and by nothing else.

#include "printing/stocksheets.h"

#include <QString>

namespace stockdetail {

// Removes the noise of binary fractions (2.4999999999999996 for 2.5), which
// would otherwise cost a printer pixel where lengths are truncated.
double Clean(double v);
// "63.5x38.1 mm", "2.625x1 in": a size in its own unit.
QString SizeText(const TStockLength &w, const TStockLength &h);

} // namespace stockdetail
