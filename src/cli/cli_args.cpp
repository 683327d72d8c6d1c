#include "cli/cli_args.h"

#include <QCoreApplication>
#include <cstdio>

TCliCommand::TCliCommand(const char *command, const char *synopsis, const char *usage)
    : command_(command), synopsis_(synopsis), usage_(usage),
      unknownFormat_(QCoreApplication::translate("Cli", "unknown option %1"))
{
    Add({QStringLiteral("help"), QStringLiteral("h")});
}

void TCliCommand::Add(const QStringList &names, const QString &valueName, const QString &missingValue)
{
    const qsizetype index = options_.size();
    options_.append(QCommandLineOption(names, QString(), valueName));
    parser_.addOption(options_.last());
    for (const QString &name : names)
        spellings_.insert((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name, index);
    if (!missingValue.isEmpty())
        missingValue_.insert(index, missingValue);
}

void TCliCommand::AcceptPositionals(int max, const QString &tooMany)
{
    maxPositionals_ = max;
    tooManyFormat_ = tooMany;
}

int TCliCommand::Parse(const QStringList &args)
{
    // The commands have always taken an option only as declared ("--name
    // VALUE", "-n VALUE"): no "--name=VALUE", no "--" before file names. This
    // walk refuses anything else with the words and in the order they always
    // have, so the parser only ever sees what it reads the same way.
    int positionals = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const auto it = spellings_.constFind(a);
        if (it == spellings_.constEnd()) {
            const bool option = a.startsWith(QLatin1Char('-')) && a.size() > 1;
            if (option || ++positionals > maxPositionals_)
                return Fail((option || maxPositionals_ == 0 ? unknownFormat_ : tooManyFormat_).arg(a));
            continue;
        }
        if (*it == 0) {
            std::printf("Usage: quorvane-cli %s %s\n\n%s\n", command_, synopsis_, usage_);
            return 0;
        }
        if (!options_[*it].valueName().isEmpty() && ++i >= args.size())
            return Fail(missingValue_.value(*it, QCoreApplication::translate("Cli", "%1 needs a value").arg(a)));
    }
    // The first argument stands for the program.
    if (!parser_.parse(QStringList{QString::fromLatin1(command_)} + args))
        return Fail(parser_.errorText());
    return -1;
}

void TCliCommand::Say(const QString &message) const
{
    std::fprintf(stderr, "quorvane-cli %s: %s\n", command_, message.toLocal8Bit().constData());
}

int TCliCommand::Fail(const QString &message, int status) const
{
    Say(message);
    return status;
}

bool TCliCommand::WholeValue(const QString &name, int lo, int hi, int &out, QString *bad) const
{
    for (const QString &v : parser_.values(name)) {
        if (!ParseWhole(v, lo, hi, out)) {
            if (bad)
                *bad = v;
            return false;
        }
    }
    return true;
}

bool ParseWhole(const QString &text, int lo, int hi, int &out)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < lo || n > hi)
        return false;
    out = n;
    return true;
}
