#pragma once
// Label files (.lbl: format and items) and templates (.lbf: format only).
//
// Section FORMAT holds the label format (in the label's unit) and, in a label
// file, SHOWGRID and CONTROLS; sections CNT_1..CNT_n hold the items in
// stacking order. Item geometry is stored in screen inches (pixels divided by
// the container's ScreenDpiX/ScreenDpiY), WIDTH/HEIGHT unrotated.
//
// Errors: every operation that writes returns false on failure and puts the
// message ("无法写入到 <file>") into *error when given; the file on disk is
// then exactly as before (whole files are written through a temporary file).
// The caller shows the message and keeps its current file name and modified
// state. Loading never fails on content: missing keys and unreadable values
// take their defaults, unknown item kinds and part kinds are skipped, counts
// are bounded by what the file holds. The file-level loads fail (false, with
// "无法读取 <file>", nothing changed) only when the file is missing or cannot
// be opened.
//
// The Write*/Read* forms work on an INI image already open, so a label save
// writes format and items into one image and replaces the file once, and a
// label load parses the file once for both format and items.

#include "model/items.h"
#include "storage/inifile.h"

#include <QStringList>
#include <memory>

// Section and key names shared with other readers of label files.
inline const QString kFormatSection = QStringLiteral("FORMAT");
inline const QString kItemSectionPrefix = QStringLiteral("CNT_");

// Writes the seven format keys of FORMAT from the format, and ROLL when set.
void WriteLabelFormat(TIniFile &ini, const TLabelFormat &format);
// Writes the container's SHOWGRID and DATAENCODING, CONTROLS, then one section per item of `items`.
// Picture names are stored relative to the folder of ini.FileName().
void WriteLabel(TIniFile &ini, const TItemContainer &items);
// The memo lines MEMO_1..MEMO_n and MEMO_LINES of one text. A CR LF or LF CR
// pair is one line break; any other CR or LF is a break of its own.
void SaveMemoLines(TIniFile &ini, const QString &section, const QString &text);
void SaveMemoLines(TIniFile &ini, const QString &section, const TLabelControl &memo);

// Warnings: what a load read other than as written (a margin read as 0, a
// picture that could not be loaded) is appended to *warnings when given, one
// text each, in the order met; the load goes on. The caller shows them.

// Reads the format keys into `format` (defaults 2 x 1 inches, no
// margins or gaps, inches). A length that is not usable takes its default.
void ReadLabelFormat(const TIniFile &ini, TLabelFormat &format, QStringList *warnings = nullptr);

// Stored label lengths (in the label's unit) beyond this are not a label: the
// design surface and the sheet layout would run past the int range.
constexpr double kMaxLabelLength = 10000;
// A width or height must be above zero; gaps may be negative (a margin is
// usable here too, but one below zero is then read as 0 with a warning).
bool UsableLabelLength(double v, bool isSize);
// Reads SHOWGRID and DATAENCODING into the container and appends the items of
// the file to `items` (at its design resolution)
// with AddItem (the container is expected to be empty). Each item is built
// with Loading set; picture items load their picture with LoadGraphic, whose
// failures become warnings and leave the item in place.
void ReadLabel(const TIniFile &ini, TItemContainer &items, QStringList *warnings = nullptr);
// Part k of the item in `section`, or nullptr when ADVTYPE_k names no known
// kind (tags are matched with case).
std::unique_ptr<TAdvancedField> LoadAdvancedField(const TIniFile &ini, int k, const QString &section);
// The memo text of `section`: MEMO_1..MEMO_n joined with CR LF.
QString LoadMemoLines(const TIniFile &ini, const QString &section);

// File-level operations. Save* replace the whole file; SaveLabel alone adds
// the items to what the file already holds (as after SaveLabelFormat).
bool SaveLabelFormat(const QString &fileName, const TLabelFormat &format, QString *error = nullptr);
bool SaveLabel(const QString &fileName, const TItemContainer &items, QString *error = nullptr);
// Format and items in one write: what a label save uses.
bool SaveLabelFile(const QString &fileName, const TItemContainer &items, QString *error = nullptr);

bool LoadLabelFormat(const QString &fileName, TLabelFormat &format, QString *error = nullptr,
                     QStringList *warnings = nullptr);
bool LoadLabel(const QString &fileName, TItemContainer &items, QString *error = nullptr,
               QStringList *warnings = nullptr);
// Format and items from one reading of the file.
bool LoadLabelFile(const QString &fileName, TItemContainer &items, QString *error = nullptr,
                   QStringList *warnings = nullptr);

// The folder part of a path: everything up to and including the last "/".
QString ExtractFileDir(const QString &path);
// IMG_NAME for a picture: the bare name when it lies in the label's folder.
QString PictureNameForLabel(const QString &pictureFile, const QString &labelFile);
// The picture file for IMG_NAME: a name without folder lies in the label's folder.
QString PictureFileFromLabel(const QString &storedName, const QString &labelFile);
