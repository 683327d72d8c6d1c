#pragma once
// What the sub-commands share about their arguments: the options declared
// once for QCommandLineParser, --help, one-line refusals in the form
// "quorvane-cli COMMAND: message" with status 2, and whole-number values.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class TCliCommand {
public:
    // `synopsis` follows "Usage: quorvane-cli COMMAND" in the help, `usage`
    // (the command's lines of the program's help) after it.
    TCliCommand(const char *command, const char *synopsis, const char *usage);

    // Declares an option: no value name for a switch. `missingValue` replaces
    // "OPTION needs a value" when the value is left out.
    void Add(const QStringList &names, const QString &valueName = QString(), const QString &missingValue = QString());
    // "unknown option %1" unless set; %1 is the argument as given.
    void SetUnknownOptionMessage(const QString &format) { unknownFormat_ = format; }
    // Up to `max` file names besides the options (none unless set, refused
    // as unknown options); the next one is refused with `tooMany` (%1 it).
    void AcceptPositionals(int max, const QString &tooMany);

    // -1 when the command goes on; otherwise the exit status: 0 after the
    // help, 2 after a refusal (already written).
    int Parse(const QStringList &args);

    // Writes the one-line message to stderr (and returns `status`).
    void Say(const QString &message) const;
    int Fail(const QString &message, int status = 2) const;

    bool IsSet(const QString &name) const { return parser_.isSet(name); }
    QString Value(const QString &name) const { return parser_.value(name); }
    QStringList Values(const QString &name) const { return parser_.values(name); }
    // The options given, in order, once per time each was given.
    QStringList Found() const { return parser_.optionNames(); }
    QStringList Positionals() const { return parser_.positionalArguments(); }

    // Every value given for `name` must be a whole number from lo to hi; the
    // last one counts. False on the first that is not, held in `bad`.
    bool WholeValue(const QString &name, int lo, int hi, int &out, QString *bad = nullptr) const;

private:
    const char *command_;
    const char *synopsis_;
    const char *usage_;
    QCommandLineParser parser_;
    QList<QCommandLineOption> options_;
    QHash<QString, qsizetype> spellings_; // "--name" or "-n" -> index in options_
    QHash<qsizetype, QString> missingValue_;
    QString unknownFormat_;
    int maxPositionals_ = 0;
    QString tooManyFormat_;
};

// `text` as a whole number from lo to hi.
bool ParseWhole(const QString &text, int lo, int hi, int &out);
