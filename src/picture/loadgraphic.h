#pragma once
// Picture files for graphic items.

#include "model/items.h"

// Loads a BMP or JPEG file into the item's Picture; false when nothing was
// loaded. For a missing or unreadable file *failure (when given) receives the
// text to show the person, naming the file; otherwise it is left alone.
bool LoadGraphic(TGraphicLabel *item, const QString &fileName, QString *failure = nullptr);
