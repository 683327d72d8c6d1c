#pragma once
// INI files as label and template files use them.
//
// The whole file is parsed once when the object is made and every look-up is
// answered from memory; writes change the memory image only, and UpdateFile
// writes the whole image at once through a temporary file that replaces the
// old one only when complete, so a failed save leaves the previous file as it
// was.
//
// Physical form:
// - sections and keys keep the order in which they were first written;
// - section and key names are matched without regard to case;
// - writing a key replaces its value in place or appends it to its section;
// - lines end with CR LF, text is GB18030 without a byte-order mark;
// - a value is one line: line breaks written into a value become blanks.
// Reading: a byte-order mark (UTF-8, UTF-16) decides, else GB18030 unless the
// file is plainly UTF-8 (DetectTextEncoding). Comments and lines that are neither
// section headers nor key lines are ignored (and dropped by a rewrite).
// Values are returned exactly as stored (no trimming, no quote stripping).

#include <QByteArray>
#include <QFileDevice>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// The error text of a write failure; %1 is the file name.
QString IniWriteErrorText(const QString &fileName);
// The error text when an existing file cannot be read.
QString IniReadErrorText(const QString &fileName);

// Files larger than this are not read (ReadError says so); a file that grows
// beyond it while read is read only up to it. Such a partly read file is
// never written back (UpdateFile fails), so nothing beyond it is lost.
constexpr qint64 kIniMaxReadBytes = 64 * 1024 * 1024;

// Value encodings -----------------------------------------------------------

// Shortest general form with at most 15 significant digits: fixed-point
// unless the magnitude is below 0.00001 or needs more than 15 integer digits,
// then scientific ("1E-6", "1.5E20"). The decimal separator is always ".".
QString FormatIniFloat(double v);
// A decimal number with "." or "," as decimal separator and an optional
// exponent; surrounding blanks allowed. nullopt for anything else, for
// infinities and for values beyond the double range.
std::optional<double> ParseIniFloat(QStringView s);
// Decimal with optional sign; a text longer than two characters starting with
// "0x"/"0X" is hexadecimal (up to 8 digits, wrapping to the signed range, so
// 0x80000005 is a system colour). nullopt when not a 32-bit number.
std::optional<qint32> ParseIniInteger(QStringView s);

// Rotation as stored: quarter turns 0..3 <-> "0", "90", "180", "270".
QString RotationToIni(int quarterTurns);
// "90", "180", "270" give 1, 2, 3; anything else 0.
int RotationFromIni(QStringView s);

// Text encoding of the files.
QByteArray EncodeIniText(const QString &text);           // GB18030
QString DecodeIniText(const QByteArray &bytes);          // DecodeTextFile

class TIniFile {
public:
    enum OpenMode {
        ReadExisting, // parse the file when it exists
        StartEmpty    // ignore the file: UpdateFile replaces it with exactly what was written
    };
    explicit TIniFile(const QString &fileName, OpenMode mode = ReadExisting);

    QString FileName() const { return fileName_; }
    // True when the file existed when the object was made.
    bool FileExisted() const { return existed_; }
    // Non-empty when the file exists but could not be read (whole or in part).
    QString ReadError() const { return readError_; }
    // The file existed and was opened (a file read in part counts as read).
    bool Readable() const { return existed_ && !openFailed_; }

    QStringList Sections() const;
    QStringList Keys(const QString &section) const;
    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    // The value when present and a number, else def (see ParseIniInteger).
    qint32 ReadInteger(const QString &section, const QString &key, qint32 def) const;
    // Read as an integer with default 1 or 0; any non-zero number is true.
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    double ReadFloat(const QString &section, const QString &key, double def) const;

    // The numbers n >= 1 for which `section` has a key prefix+n (n written
    // without leading zeros), ascending. A count a file claims may be huge;
    // loops walk these instead, so their cost is what the file holds.
    QList<int> KeyIndices(const QString &section, const QString &prefix) const;
    // The same for sections named prefix+n.
    QList<int> SectionIndices(const QString &prefix) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, qint32 value);
    void WriteBool(const QString &section, const QString &key, bool value);
    void WriteFloat(const QString &section, const QString &key, double value);
    void EraseSection(const QString &section);
    void DeleteKey(const QString &section, const QString &key);

    // The file image as UpdateFile writes it.
    QByteArray ToBytes() const;
    // Writes the whole image to FileName(). On failure returns false and sets
    // *error to the file and the reason; the previous file is untouched.
    // `permissions`, when given, are those of the new file.
    bool UpdateFile(QString *error = nullptr, QFileDevice::Permissions permissions = {}) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        QString name;
        QList<Entry> entries;
        QHash<QString, qsizetype> index; // folded key -> entry
    };

    void Parse(const QString &text);
    const Section *FindSection(const QString &name) const;
    Section &SectionForWrite(const QString &name);
    const QString *FindValue(const QString &section, const QString &key) const;
    static QString Fold(const QString &s) { return s.toLower(); }

    QString fileName_;
    bool existed_ = false;
    bool partial_ = false;
    bool openFailed_ = false;
    QString readError_;
    QList<Section> sections_;
    QHash<QString, qsizetype> sectionIndex_; // folded name -> section
};
