#pragma once
// The program's preferences between runs: the label format last in use, the
// show-grid, snapping and remember-sequence options, the grid's spacing and
// the folder the file types were last registered for.
//
// They are kept as typed values in one key, stored as a text file in the
// registry export syntax so a person can read and edit it:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Maudrel Software\Quorvane]
//   "Margin_Top"=hex:00,00,00,00,00,00,d0,3f
//   "Metric"=dword:00000000
//   "Path"="/opt/quorvane/"
//
// The file is $XDG_CONFIG_HOME/Maudrel Software/Quorvane.reg ($XDG_CONFIG_HOME
// defaults to ~/.config).

#include "model/labelformat.h"
#include "model/snap.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QLocale;

inline const QString kSettingsKeyPath = QStringLiteral("HKEY_CURRENT_USER\\Software\\Maudrel Software\\Quorvane");

// The folder of the user's configuration files ($XDG_CONFIG_HOME or ~/.config).
QString UserConfigHome();
// The settings file.
QString SettingsFilePath();

enum class TRegValueType { String, ExpandString, Binary, DWord, Other };

// One registry key kept in a text file. Value names are matched without
// regard to case; values keep the order of first writing.
class TRegistryFile {
public:
    explicit TRegistryFile(const QString &fileName, const QString &keyPath = kSettingsKeyPath);

    // Reads the file; false when it exists but cannot be read. A missing file
    // is an empty key.
    bool Load();
    // Creates the file (and its folder) holding an empty key when missing.
    bool CreateKey();
    // Writes the whole key at once (through a temporary file); on failure
    // the old file stays and *error names it and the reason.
    bool Save(QString *error = nullptr) const;

    bool ValueExists(const QString &name) const;
    std::optional<TRegValueType> ValueType(const QString &name) const;
    // Each read succeeds only for a value of the right type (and size).
    std::optional<QByteArray> ReadBinary(const QString &name) const;
    std::optional<double> ReadDouble(const QString &name) const; // binary, exactly 8 bytes
    std::optional<quint32> ReadDWord(const QString &name) const;
    // String or expandable string; a missing value reads as empty, a value of
    // another type fails.
    std::optional<QString> ReadString(const QString &name) const;

    void WriteBinary(const QString &name, const QByteArray &data);
    void WriteDouble(const QString &name, double v); // 8 bytes, little-endian
    void WriteDWord(const QString &name, quint32 v);
    void WriteString(const QString &name, const QString &v);
    void DeleteValue(const QString &name);
    // The names of the values that start with prefix (regardless of case),
    // in the order of first writing.
    QStringList ValueNames(const QString &prefix) const;

    QByteArray ToText() const;

private:
    struct Value {
        QString name;
        TRegValueType type = TRegValueType::String;
        int rawType = 1;  // registry type number, kept for values of other types
        QByteArray data;  // binary/dword/other: raw bytes
        QString text;     // string types
    };
    const Value *Find(const QString &name) const;
    Value &Put(const QString &name);
    void Parse(const QString &text);

    QString fileName_;
    QString keyPath_;
    QList<Value> values_;
};

// The preferences; the defaults are those of a first run: a 2.5 x 1.5 inch
// label, margins 0.25, no gaps, inches, grid shown, remember-sequence on,
// empty Path.
struct TSettings {
    TLabelFormat LabelFormat; // the format a new label starts with
    bool ShowGrids = true;
    bool AutoSaveSeq = true;  // labels with counters are saved before being discarded
    QString Path;             // program folder the file types were last registered for
    QString DeclinedPath;     // program folder for which binding the file types was declined
    // Dragged items snap to the grid, and to the other items and the label.
    bool SnapToGrid = false;
    bool SnapToItems = true;
    // The grid's spacing for labels in inches, and for metric ones in centimetres.
    double GridInches = kDefaultGridInches;
    double GridCentimetres = kDefaultGridCentimetres;
    double GridMillimetres = kDefaultGridMillimetres;
};
// The grid spacings the settings accept (in inches; centimetres alike;
// ten times these in millimetres).
constexpr double kMinGridSpacing = 0.01, kMaxGridSpacing = 10;

// The format of a new label when the user has saved none: in millimetres
// where the locale's language is Chinese, else in inches.
TLabelFormat DefaultLabelFormat(const QLocale &locale);

// Reads the settings. Opens (and on the first run creates) the key. Values
// are read in a fixed order; when any of them is missing or of the wrong type
// or size, every setting takes its default (the format DefaultLabelFormat
// gives for the system's locale). Silent.
TSettings LoadSettings();
// Writes the values. Returns false, with *error naming the file and the
// reason, when the file could not be written (nothing on disk changed).
bool SaveSettings(const TSettings &settings, QString *error = nullptr);

// The language of the windows the user chose ("Language": "en" or "zh"),
// kept apart from the values above: it is read before any window exists, it
// is written only when the user chooses, and a missing or odd value is no
// reason to drop the others. Empty when none was chosen.
QString LoadLanguageSetting();
bool SaveLanguageSetting(const QString &language);

// A printer's correction of where and how large it prints, kept per printer
// name ("Calibration:NAME"="dx,dy,sx,sy", written only for a printer that
// has one): offsets in millimetres (-10 to 10, in steps of 0.1) and scales in
// percent (95 to 105).
struct TCalibration {
    double OffsetX = 0, OffsetY = 0; // mm, right and down
    double ScaleX = 100, ScaleY = 100; // percent
    bool IsIdentity() const { return OffsetX == 0 && OffsetY == 0 && ScaleX == 100 && ScaleY == 100; }
    bool operator==(const TCalibration &) const = default;
};
constexpr double kCalibrationOffsetLimit = 10, kCalibrationScaleMin = 95, kCalibrationScaleMax = 105;
// Within the limits, offsets rounded to 0.1 mm and scales to 0.01 %.
bool ValidCalibration(const TCalibration &c);
TCalibration RoundCalibration(const TCalibration &c);
// "dx,dy,sx,sy"; false for anything else or values out of their limits.
bool ParseCalibration(const QString &text, TCalibration &c);
QString CalibrationText(const TCalibration &c);
// The printer's calibration; none (identity) when it has none or it is unusable.
TCalibration LoadCalibration(const QString &printer);
// An identity calibration removes the printer's value. *error says why the
// settings file could not be written.
bool SaveCalibration(const QString &printer, const TCalibration &c, QString *error = nullptr);

// The values a label asked for when it was last printed, kept per label file
// ("Answers:PATH"), so that the next job offers them again. Only the most
// recently printed labels are kept.
constexpr int kRememberedAnswerLabels = 50;
// Longer values are not remembered (the settings file stays small).
constexpr int kRememberedAnswerLength = 1000;
// The label's remembered values by name; none for an empty labelFile.
QHash<QString, QString> LoadRememberedAnswers(const QString &labelFile);
// Keeps answers for labelFile (an absolute path) as the most recent, dropping
// the oldest beyond kRememberedAnswerLabels. *error says why the settings
// file could not be written.
bool SaveRememberedAnswers(const QString &labelFile, const QHash<QString, QString> &answers,
                           QString *error = nullptr);
