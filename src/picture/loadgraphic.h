#pragma once
// Picture files for graphic items.

#include "model/items.h"

// Loads a BMP or JPEG file into the item's Picture; false (with a message for
// a missing or unreadable file) when nothing was loaded.
bool LoadGraphic(TGraphicLabel *item, const QString &fileName);
