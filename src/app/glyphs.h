#pragma once
// The program's button glyphs, icon and add-tool cursor.

#include <QCursor>
#include <QIcon>
#include <QString>

// A 20 x 20 glyph for a tool button, by the button's name (sbText, sbHALeft...).
QIcon ToolGlyph(const QString &buttonName);
// The program's icon: a small label with a barcode.
QIcon ProgramIcon();
// The cursor shown while an add tool is armed.
QCursor DragCursor();
