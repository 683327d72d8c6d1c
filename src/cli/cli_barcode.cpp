#include "barcode/barcode.h"
#include "cli/cli_args.h"
#include "cli/cli_barcode_write.h"
#include "cli/commands.h"
#include "storage/textencoding.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QThread>
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

const char *BarcodeUsage()
{
    // The type names come from the symbology table, wrapped to the width of the text.
    static const QByteArray usage = [] {
        QString names = QStringLiteral("      T: 0..%1 or").arg(kSymbologyCount - 1);
        qsizetype lineStart = 0;
        for (const TSymbology &s : Symbologies()) {
            if (names.size() - lineStart + 1 + qstrlen(s.cliName) > 86) {
                names += QLatin1String("\n        ");
                lineStart = names.size() - 8;
            }
            names += QLatin1Char(' ') + QLatin1String(s.cliName);
        }
        return QStringLiteral(
                   "  barcode --type T --text TEXT [--module M] [--height H] [--rotation R] [--no-text]\n"
                   "          [--ecc E] [--size S] [--transparent] --output FILE.png|FILE.svg|FILE.pdf\n"
                   "  barcode --type T --text TEXT --pattern [--output FILE]\n"
                   "  barcode --type T --batch FILE|- [OPTIONS] --output NAME%05d.png\n"
                   "  barcode --list\n"
                   "      Draw one barcode symbol, or print its modules (1 bar, 0 space; POSTNET F/H/0;\n"
                   "      a 2D symbol one line per module row).\n%1.\n"
                   "      M: module in pixels (1..100, default 1); H: bar height in pixels (1..10000,\n"
                   "         default 50; linear symbols); R: quarter turns clockwise 0..3 (default 0).\n"
                   "      GS1 text (ean128, gs1datamatrix) is (AI)value pairs: (01)09501101530003(10)AB12,\n"
                   "      each checked against the GS1 table of AIs.\n"
                   "      E: error correction, QR L/M/Q/H (default M), PDF417 0..8, Aztec 10/23/36/50 %.\n"
                   "      S: QR version 1..40, Data Matrix 1..30 or a size such as 16x16 or 16x48 (rect: the\n"
                   "         smallest rectangle), PDF417 columns 1..30, Aztec 1..36 or a size such as 19x19 or\n"
                   "         \"15x15 compact\"; E and S default to auto.\n"
                   "      --option NAME=VALUE (repeatable): an option of the symbology by its name, e.g.\n"
                   "         mode=3 (maxicode), bearer=box|bars|none (itf14), version=M2 (microqr),\n"
                   "         composite=(17)261231 (the composites' 2D part); a name it lacks is refused.\n"
                   "      --list: every symbology, one a line: its name for --type, a tab, its caption.\n"
                   "      PNG: exactly the symbol's box, 1-bit black and white (--transparent: 32-bit);\n"
                   "      SVG: rectangles and text; PDF: one page the size of the box, one pixel = 1 pt.\n"
                   "      --batch: one text per line of FILE (- standard input); each symbol is written to\n"
                   "      --output with %d or %05d replaced by the line number. A line that cannot be\n"
                   "      drawn is reported (line N: reason) and the others go on; exit status 3 then.\n"
                   "      Text that is not UTF-8 is read as GB18030, and refused when it is neither.\n"
                   "      A file appears under its name only when it has been written whole.")
            .arg(names)
            .toLocal8Bit();
    }();
    return usage.constData();
}

using barcodecmd::MakeSymbol;
using barcodecmd::Problem;
using barcodecmd::TFormat;
using barcodecmd::TJob;
using barcodecmd::TProblem;

namespace {

const TSymbology *ParseType(const QString &s)
{
    bool ok = false;
    const int n = s.toInt(&ok);
    return ok ? FindSymbology(n) : FindSymbologyByCliName(s);
}

QString Names(const QStringList &names)
{
    return names.size() < 2 ? names.join(QString())
                            : names.mid(0, names.size() - 1).join(QLatin1String(", ")) + QLatin1String(" or ") +
                                  names.last();
}

// --ecc: a choice's name ("H", "5", "23" or "23%") or auto.
bool ParseEcc(const TSymbology &row, QString word, int &ecc, QString &error)
{
    QStringList names;
    for (const TEccChoice &c : row.eccChoices)
        names.append(QLatin1String(c.name));
    if (names.isEmpty()) {
        error = QCoreApplication::translate("BarcodeCommand", "--ecc does not apply to %1").arg(row.Caption());
        return false;
    }
    if (word.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0) {
        ecc = -1;
        return true;
    }
    if (word.endsWith(QLatin1Char('%')))
        word.chop(1);
    for (const TEccChoice &c : row.eccChoices)
        if (word.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            ecc = c.value;
            return true;
        }
    error = QCoreApplication::translate("BarcodeCommand", "--ecc for %1 must be %2")
                .arg(row.Caption(), Names(names << QStringLiteral("auto")));
    return false;
}

// --size: a number, a size's name ("21x21", "8x18"), auto, or rect where the
// symbology has rectangles.
bool ParseSize(const TSymbology &row, const QString &word, TBarcodeOptions &options, QString &error)
{
    if (row.sizeCount == 0) {
        error = QCoreApplication::translate("BarcodeCommand", "--size does not apply to %1").arg(row.Caption());
        return false;
    }
    if (word.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0) {
        options.size = 0;
        return true;
    }
    if (row.rectangles && word.compare(QLatin1String("rect"), Qt::CaseInsensitive) == 0) {
        options.size = 0;
        options.rectangular = true;
        return true;
    }
    if (ParseWhole(word, 1, row.sizeCount, options.size))
        return true;
    // As the designer lists them ("19x19", "15x15 compact"); a compact Aztec
    // size no full-range one shares may leave out "compact".
    const QString name = word.simplified();
    int bare = 0, bareCount = 0;
    for (int size = 1; size <= row.sizeCount; ++size) {
        const QString listed = row.sizeName(size);
        if (name.compare(listed, Qt::CaseInsensitive) == 0) {
            options.size = size;
            return true;
        }
        if (name.compare(listed.section(QLatin1Char(' '), 0, 0), Qt::CaseInsensitive) == 0) {
            bare = size;
            ++bareCount;
        }
    }
    if (bareCount == 1) {
        options.size = bare;
        return true;
    }
    error = QCoreApplication::translate("BarcodeCommand",
                                        "--size for %1 must be 1 to %2, a size such as %3%4, or auto")
                .arg(row.Caption())
                .arg(row.sizeCount)
                .arg(row.sizeName(1), row.rectangles ? QStringLiteral(", rect") : QString());
    return false;
}


// "%d" or "%05d" in a batch's output name: the line number, padded with zeros.
const QRegularExpression &Placeholder()
{
    static const QRegularExpression re(QStringLiteral("%(0[1-9])?d"));
    return re;
}

// A batch's output name, cut once at its placeholders.
class TBatchName {
public:
    explicit TBatchName(const QString &pattern)
    {
        qsizetype from = 0;
        for (const QRegularExpressionMatch &m : Placeholder().globalMatch(pattern)) {
            m_literals.append(pattern.mid(from, m.capturedStart() - from));
            m_widths.append(m.captured(1).isEmpty() ? 0 : m.captured(1).mid(1).toInt());
            from = m.capturedEnd();
        }
        m_literals.append(pattern.mid(from));
    }
    QString For(qint64 line) const
    {
        QString out = m_literals.first();
        for (qsizetype i = 0; i < m_widths.size(); ++i)
            out += QStringLiteral("%1").arg(line, m_widths[i], 10, QLatin1Char('0')) + m_literals[i + 1];
        return out;
    }

private:
    QStringList m_literals;
    QList<int> m_widths;
};

// What the command is given as text, a --text or a line of --batch: UTF-8,
// else GB18030 when it decodes as that, as data files are read; nothing when
// it is neither. Valid UTF-8 is taken as it is: that is what the terminal and
// editors of this system write.
std::optional<QString> DecodeGivenText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    text = DecodeGb18030(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    return text;
}

QString NotATextMessage()
{
    return QCoreApplication::translate("BarcodeCommand", "the text is neither UTF-8 nor GB18030");
}

// One line of a batch: its bytes in, why it was not drawn out.
TProblem MakeBatchSymbol(const TJob &job, const QByteArray &bytes, const QString &output)
{
    const std::optional<QString> text = DecodeGivenText(bytes);
    return text ? MakeSymbol(job, *text, output) : Problem(NotATextMessage());
}

QString CannotRead(const QString &path, const QFile &file)
{
    return QCoreApplication::translate("BarcodeCommand", "cannot read %1: %2").arg(path, file.errorString());
}

int RunBatch(const TCliCommand &cli, TJob job, const QString &input, const QString &output)
{
    job.batch = true;
#ifdef __GLIBC__
    // Every symbol allocates and frees the same buffers (the image, zlib's
    // state); keeping them in the heap spares handing them back to the system
    // and faulting them in again, symbol after symbol.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
    QFile file(input);
    if (input == QLatin1String("-") ? !file.open(stdin, QIODevice::ReadOnly) : !file.open(QIODevice::ReadOnly))
        return cli.Fail(CannotRead(input, file));
    const TBatchName name(output);
    // Lines are read a block at a time and the block's symbols made on every
    // core, each taking the next line; messages then follow in line order.
    // A block bounds what a long input holds in memory.
    constexpr int kBlock = 512;
    const int threads = std::clamp(QThread::idealThreadCount(), 1, 8);
    int failed = 0;
    qint64 line = 0;
    QList<QByteArray> lines;
    std::vector<TProblem> problems;
    bool atEnd = false;
    while (!atEnd) {
        lines.clear();
        while (lines.size() < kBlock) {
            QByteArray bytes = file.readLine();
            if (bytes.isEmpty()) {
                atEnd = true;
                break;
            }
            if (bytes.endsWith('\n'))
                bytes.chop(1);
            if (bytes.endsWith('\r'))
                bytes.chop(1);
            if (line == 0 && lines.isEmpty() && bytes.startsWith("\xEF\xBB\xBF"))
                bytes.remove(0, 3);
            lines.append(bytes);
        }
        const int n = int(lines.size());
        problems.assign(size_t(n), TProblem{});
        std::atomic<int> next{0};
        std::atomic<bool> cannotWrite{false};
        auto work = [&] {
            int i;
            while (!cannotWrite && (i = next++) < n) {
                problems[size_t(i)] = MakeBatchSymbol(job, lines[i], name.For(line + 1 + i));
                if (problems[size_t(i)].status == 1)
                    cannotWrite = true;
            }
        };
        std::vector<std::thread> helpers;
        for (int t = 1; t < std::min(threads, n); ++t)
            helpers.emplace_back(work);
        work();
        for (std::thread &t : helpers)
            t.join();
        for (int i = 0; i < n; ++i) {
            ++line;
            const TProblem &p = problems[size_t(i)];
            if (p.status == 1)  // the files cannot be written: every line would fail alike
                return cli.Fail(p.message, 1);
            if (p) {
                cli.Say(QCoreApplication::translate("BarcodeCommand", "line %1: %2").arg(line).arg(p.message));
                ++failed;
            }
        }
    }
    if (file.error() != QFileDevice::NoError)
        return cli.Fail(CannotRead(input, file), 1);
    return failed ? 3 : 0;
}

// The bytes of the last --text value, from the arguments as the system gave
// them (rawArgs beside args); Qt's reading of them has lost what is not UTF-8.
QByteArray RawTextArgument(const QStringList &args, const QList<QByteArray> &rawArgs)
{
    QByteArray raw;
    const QString option = QStringLiteral("--text"), withValue = QStringLiteral("--text=");
    for (qsizetype i = 0; i < args.size() && i < rawArgs.size(); ++i) {
        if (args[i] == QLatin1String("--"))
            break;
        if (args[i] == option && i + 1 < rawArgs.size())
            raw = rawArgs[++i];
        else if (args[i].startsWith(withValue))
            raw = rawArgs[i].mid(withValue.size());
    }
    return raw;
}

} // namespace

int RunBarcodeCommand(const QStringList &args, const QList<QByteArray> &rawArgs)
{
    TCliCommand cli("barcode", "[OPTIONS]", BarcodeUsage());
    for (const char *name : {"type", "text", "module", "height", "rotation", "output", "batch", "ecc", "size",
        "option"})
        cli.Add({QString::fromLatin1(name)}, QStringLiteral("VALUE"));
    for (const char *name : {"no-text", "transparent", "pattern", "list"})
        cli.Add({QString::fromLatin1(name)});
    cli.SetUnknownOptionMessage(
        QCoreApplication::translate("BarcodeCommand", "unknown option '%1' (try barcode --help)"));
    if (const int status = cli.Parse(args); status >= 0)
        return status;

    if (cli.IsSet(QStringLiteral("list"))) {
        QString list;
        for (const TSymbology &s : Symbologies())
            list += QLatin1String(s.cliName) + QLatin1Char('\t') + s.Caption() + QLatin1Char('\n');
        std::fputs(list.toLocal8Bit().constData(), stdout);
        return 0;
    }

    TJob job;
    for (const QString &type : cli.Values(QStringLiteral("type"))) {
        job.row = ParseType(type);
        if (!job.row)
            return cli.Fail(QCoreApplication::translate("BarcodeCommand", "unknown barcode type '%1'").arg(type));
    }
    if (!cli.WholeValue(QStringLiteral("module"), 1, 100, job.module))
        return cli.Fail(QCoreApplication::translate("BarcodeCommand",
            "--module must be a whole number from 1 to 100"));
    if (!cli.WholeValue(QStringLiteral("height"), 1, 10000, job.height))
        return cli.Fail(
            QCoreApplication::translate("BarcodeCommand", "--height must be a whole number from 1 to 10000"));
    if (!cli.WholeValue(QStringLiteral("rotation"), 0, 3, job.rotation))
        return cli.Fail(QCoreApplication::translate("BarcodeCommand", "--rotation must be 0, 1, 2 or 3"));
    job.interpretation = !cli.IsSet(QStringLiteral("no-text"));
    job.transparent = cli.IsSet(QStringLiteral("transparent"));
    const bool haveText = cli.IsSet(QStringLiteral("text"));
    QString text = cli.Value(QStringLiteral("text"));
    if (text.contains(QChar::ReplacementCharacter)) {
        const std::optional<QString> given = DecodeGivenText(RawTextArgument(args, rawArgs));
        if (!given)
            return cli.Fail(NotATextMessage());
        text = *given;
    }
    const QString output = cli.Value(QStringLiteral("output"));
    const QString batch = cli.Value(QStringLiteral("batch"));

    if (!job.row)
        return cli.Fail(QCoreApplication::translate("BarcodeCommand", "--type is required"));
    if (haveText && !batch.isEmpty())
        return cli.Fail(QCoreApplication::translate("BarcodeCommand", "--text and --batch exclude each other"));
    if (!haveText && batch.isEmpty())
        return cli.Fail(QCoreApplication::translate("BarcodeCommand", "--text is required"));
    QString error;
    const QString ecc = cli.Value(QStringLiteral("ecc")), size = cli.Value(QStringLiteral("size"));
    if (cli.IsSet(QStringLiteral("ecc")) && !ParseEcc(*job.row, ecc, job.options.ecc, error))
        return cli.Fail(error);
    if (cli.IsSet(QStringLiteral("size")) && !ParseSize(*job.row, size, job.options, error))
        return cli.Fail(error);
    for (const QString &option : cli.Values(QStringLiteral("option"))) {
        const qsizetype eq = option.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return cli.Fail(QCoreApplication::translate("BarcodeCommand", "--option must be NAME=VALUE"));
        const QString name = option.left(eq), value = option.mid(eq + 1);
        const QString problem = CheckSymbolOption(*job.row, name, value);
        if (!problem.isEmpty())
            return cli.Fail(problem);
        job.options.named.insert(QLatin1String(FindSymbolOption(*job.row, name)->name), value);
    }

    if (cli.IsSet(QStringLiteral("pattern"))) {
        job.format = TFormat::Pattern;
    } else {
        if (output.isEmpty())
            return cli.Fail(QCoreApplication::translate(
                "BarcodeCommand", "--output FILE.png|FILE.svg|FILE.pdf or --pattern is required"));
        const QString suffix = QFileInfo(output).suffix().toLower();
        if (suffix == QLatin1String("svg"))
            job.format = TFormat::Svg;
        else if (suffix == QLatin1String("pdf"))
            job.format = TFormat::Pdf;
        else if (suffix != QLatin1String("png"))
            return cli.Fail(QCoreApplication::translate("BarcodeCommand",
                "the output must end in .png, .svg or .pdf"));
    }

    if (!batch.isEmpty()) {
        if (!output.contains(Placeholder()))
            return cli.Fail(QCoreApplication::translate(
                "BarcodeCommand", "--batch needs an --output name with %d or %05d for the line number"));
        return RunBatch(cli, job, batch, output);
    }
    const TProblem p = MakeSymbol(job, text, output);
    return p ? cli.Fail(p.message, p.status) : 0;
}
