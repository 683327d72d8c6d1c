#pragma once
// Picture files for graphic items.

#include "model/items.h"

// A picture larger than this is not embedded in a label file.
constexpr qint64 kMaxEmbeddedPictureBytes = 10 * 1024 * 1024;

// Loads a picture file (BMP, JPEG, PNG, GIF, TIFF, WebP or SVG, by its
// extension) into the item's Picture, keeping its bytes and format in the
// item; false when nothing was loaded. For a missing or unreadable file
// *failure (when given) receives the text to show the person, naming the file
// (and, beyond BMP and JPEG, the reason); otherwise it is left alone. A name
// with any other extension loads nothing and says nothing.
bool LoadGraphic(TGraphicLabel *item, const QString &fileName, QString *failure = nullptr);

// The same from the picture's bytes (an embedded picture); `name` is the file
// named in a failure and kept as the item's PictureFile. A non-empty
// readFailure is the reason the bytes could not be had.
bool LoadGraphicData(TGraphicLabel *item, const QByteArray &data, const QByteArray &format, const QString &name,
                     QString *failure = nullptr, const QString &readFailure = QString());

// Whether the name's extension is one LoadGraphic reads.
bool IsPictureFileName(const QString &fileName);

// Embeds the item's picture in its label file or links it again. A picture
// over kMaxEmbeddedPictureBytes is refused (false, with *failure); so is
// embedding when no picture was loaded (false, *failure untouched).
bool SetPictureEmbedded(TGraphicLabel *item, bool embedded, QString *failure = nullptr);
