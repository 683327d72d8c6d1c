#include "cli/cli_label.h"
#include "cli/commands.h"
#include "printing/pdfdevice.h"
#include "printing/printengine.h"
#include "printing/qprinter_device.h"

#include <QElapsedTimer>
#include <csignal>
#include <cstdio>
#include <memory>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

const char *const kPrintUsage =
    "  print LABEL.lbl [--data FILE] [--delimiter tab|comma|CHAR | --fixed W1,W2,...]\n"
    "        [--quote CHAR|none] [--header|--no-header] [--no-ltrim] [--no-rtrim]\n"
    "        [--copies N] [--pages N | --labels N | --all]\n"
    "        [--output FILE.pdf [--paper A4|Letter|WxHmm] [--dpi N] | --printer NAME]\n"
    "        [--save-counters] [--quiet]\n"
    "      Print the label on sheets. The data file is split as the import wizard\n"
    "      would by its extension (.txt tab, .csv comma, .prn fixed, .dat custom),\n"
    "      quote \", first line skipped. Range: --all with a data file the label\n"
    "      imports from, else --pages 1. --output writes a PDF (A4, 600 DPI, whole\n"
    "      page printable); --printer NAME or the default printer otherwise.\n"
    "      --save-counters stores the advanced counters back into the label file.\n"
    "      Ctrl+C (or SIGTERM) cancels the job: nothing is printed, status 130.";

namespace {

int Fail(const QString &message, int status = 2)
{
    std::fprintf(stderr, "quorvane-cli print: %s\n", message.toLocal8Bit().constData());
    return status;
}

bool ParseCount(const QString &s, int lo, int hi, int &out)
{
    bool ok = false;
    const int n = s.toInt(&ok);
    if (!ok || n < lo || n > hi)
        return false;
    out = n;
    return true;
}

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int)
{
    interrupted = 1;
}

// Ctrl+C or SIGTERM while a job runs cancels it the way the progress
// window's button does: the document is aborted, nothing is printed. A second
// signal finds the default action again and ends the program at once.
class InterruptGuard {
public:
    InterruptGuard()
    {
        struct sigaction sa = {};
        sa.sa_handler = OnInterrupt;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART | SA_RESETHAND;
        sigaction(SIGINT, &sa, &oldInt_);
        sigaction(SIGTERM, &sa, &oldTerm_);
    }
    ~InterruptGuard()
    {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }

private:
    struct sigaction oldInt_, oldTerm_;
};

// A progress line on a terminal, rewritten at most ten times a second.
class TerminalProgress : public TPrintProgressSink {
public:
    explicit TerminalProgress(bool show) : show_(show) { timer_.start(); }
    void StartProgress(qint64 total) override { total_ = total; }
    void SetPage(int page) override
    {
        page_ = page;
        Draw(false);
    }
    void LabelPrinted(qint64 n) override
    {
        labels_ = n;
        Draw(false);
    }
    bool Cancelled() const override { return interrupted != 0; }
    void Finish() override
    {
        if (drawn_)
            std::fprintf(stderr, "\r\033[K");
        drawn_ = false;
    }

private:
    void Draw(bool force)
    {
        if (!show_ || (!force && drawn_ && timer_.elapsed() < 100))
            return;
        timer_.restart();
        drawn_ = true;
        if (total_ > 0)
            std::fprintf(stderr, "\rPage %d, %lld of %lld labels\033[K", page_, labels_, total_);
        else
            std::fprintf(stderr, "\rPage %d, %lld labels\033[K", page_, labels_);
        std::fflush(stderr);
    }
    bool show_;
    bool drawn_ = false;
    QElapsedTimer timer_;
    qint64 total_ = -1, labels_ = 0;
    int page_ = 1;
};

} // namespace

int RunPrintCommand(const QStringList &args)
{
    QString label, data, output, printer, paperText;
    QString delimiter, fixed, quote;
    bool haveQuote = false, quiet = false, saveCounters = false;
    int header = -1; // -1 default
    bool ltrim = true, rtrim = true;
    int copies = 1, dpi = 600;
    int range = -1, count = 1;
    bool haveDpi = false;

    auto value = [&](qsizetype &i, QString &out) {
        if (i + 1 >= args.size())
            return false;
        out = args[++i];
        return true;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        QString v;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::printf("Usage: quorvane-cli print LABEL.lbl [OPTIONS]\n\n%s\n", kPrintUsage);
            return 0;
        }
        const bool takesValue = a == QLatin1String("--data") || a == QLatin1String("--delimiter")
                                || a == QLatin1String("--fixed") || a == QLatin1String("--quote")
                                || a == QLatin1String("--copies") || a == QLatin1String("--pages")
                                || a == QLatin1String("--labels") || a == QLatin1String("--output")
                                || a == QLatin1String("--paper") || a == QLatin1String("--dpi")
                                || a == QLatin1String("--printer");
        if (takesValue && !value(i, v))
            return Fail(QStringLiteral("%1 needs a value").arg(a));
        if (a == QLatin1String("--data")) {
            data = v;
        } else if (a == QLatin1String("--delimiter")) {
            if (!fixed.isEmpty())
                return Fail(QStringLiteral("--delimiter and --fixed exclude each other"));
            delimiter = v;
        } else if (a == QLatin1String("--fixed")) {
            if (!delimiter.isEmpty())
                return Fail(QStringLiteral("--delimiter and --fixed exclude each other"));
            fixed = v;
        } else if (a == QLatin1String("--quote")) {
            quote = v;
            haveQuote = true;
        } else if (a == QLatin1String("--header")) {
            header = 1;
        } else if (a == QLatin1String("--no-header")) {
            header = 0;
        } else if (a == QLatin1String("--no-ltrim")) {
            ltrim = false;
        } else if (a == QLatin1String("--no-rtrim")) {
            rtrim = false;
        } else if (a == QLatin1String("--copies")) {
            if (!ParseCount(v, 1, 1000000, copies))
                return Fail(QStringLiteral("--copies must be a whole number from 1 to 1000000: %1").arg(v));
        } else if (a == QLatin1String("--pages") || a == QLatin1String("--labels") || a == QLatin1String("--all")) {
            if (range != -1)
                return Fail(QStringLiteral("choose one of --pages, --labels and --all"));
            range = a == QLatin1String("--pages") ? rkPages : a == QLatin1String("--labels") ? rkLabels : rkAll;
            if (range != rkAll && !ParseCount(v, 1, 1000000000, count))
                return Fail(QStringLiteral("%1 must be a whole number of at least 1: %2").arg(a, v));
        } else if (a == QLatin1String("--output") || a == QLatin1String("-o")) {
            if (a == QLatin1String("-o") && !value(i, v))
                return Fail(QStringLiteral("-o needs a value"));
            output = v;
        } else if (a == QLatin1String("--paper")) {
            paperText = v;
        } else if (a == QLatin1String("--dpi")) {
            if (!ParseCount(v, 72, 4800, dpi))
                return Fail(QStringLiteral("--dpi must be from 72 to 4800: %1").arg(v));
            haveDpi = true;
        } else if (a == QLatin1String("--printer")) {
            printer = v;
        } else if (a == QLatin1String("--save-counters")) {
            saveCounters = true;
        } else if (a == QLatin1String("--quiet") || a == QLatin1String("-q")) {
            quiet = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return Fail(QStringLiteral("unknown option %1").arg(a));
        } else if (label.isEmpty()) {
            label = a;
        } else {
            return Fail(QStringLiteral("more than one label file: %1").arg(a));
        }
    }
    if (label.isEmpty())
        return Fail(QStringLiteral("no label file given"));
    if (!output.isEmpty() && !printer.isEmpty())
        return Fail(QStringLiteral("--output and --printer exclude each other"));
    if (output.isEmpty() && (!paperText.isEmpty() || haveDpi))
        return Fail(QStringLiteral("--paper and --dpi apply only to --output"));
    QPageSize paper(QPageSize::A4);
    if (!paperText.isEmpty() && !TPdfPrinterDevice::ParsePaper(paperText, paper))
        return Fail(QStringLiteral("unknown paper %1 (A4, Letter or WxHmm such as 100x150mm)").arg(paperText));
    if (!output.isEmpty() && !output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return Fail(QStringLiteral("the output must be a .pdf file: %1").arg(output));

    // Splitting: what the import wizard would choose for this file.
    TPrintChoices choices;
    TSplitSettings &split = choices.Split;
    if (!data.isEmpty()) {
        const QFileInfo info(data);
        if (!info.exists())
            return Fail(QStringLiteral("no such data file: %1").arg(QDir::toNativeSeparators(data)));
        if (!info.isFile())
            return Fail(QStringLiteral("not a data file: %1").arg(QDir::toNativeSeparators(data)));
        SplitModeForFile(data, split.Mode);
    }
    if (!delimiter.isEmpty()) {
        if (delimiter == QLatin1String("tab") || delimiter == QLatin1String("\\t")) {
            split.Mode = TSplitMode::Tab;
        } else if (delimiter == QLatin1String("comma")) {
            split.Mode = TSplitMode::Comma;
        } else if (delimiter.size() == 1) {
            split.Mode = TSplitMode::Custom;
            split.CustomSeparator = delimiter;
        } else {
            return Fail(QStringLiteral("--delimiter takes tab, comma or one character: %1").arg(delimiter));
        }
    } else if (!fixed.isEmpty()) {
        split.Mode = TSplitMode::Fixed;
        split.ColumnSizes.clear();
        for (const QString &w : fixed.split(QLatin1Char(','))) {
            int n = 0;
            if (!ParseCount(w.trimmed(), 1, 100000, n))
                return Fail(QStringLiteral("--fixed takes widths of at least 1, such as 10,5,8: %1").arg(fixed));
            split.ColumnSizes.append(n);
        }
    } else if (split.Mode == TSplitMode::Fixed) {
        QString error;
        TTextEncoding encoding = TTextEncoding::Gb18030;
        const QStringList sample = ReadSampleLines(data, 10, &error, &encoding);
        if (!error.isEmpty())
            return Fail(error);
        split.ColumnSizes = {InitialFixedWidth(sample, encoding)};
    }
    if (haveQuote) {
        if (quote == QLatin1String("none"))
            split.QuoteChar.clear();
        else if (quote.size() == 1)
            split.QuoteChar = quote;
        else
            return Fail(QStringLiteral("--quote takes one character or none: %1").arg(quote));
    }
    if (header != -1)
        split.IgnoreHeader = header == 1;
    split.LTrim = ltrim;
    split.RTrim = rtrim;

    TItemContainer items;
    TLabelDocument doc(items);
    QString error;
    if (!LoadLabelForCli(doc, label, error))
        return Fail(error);

    const bool imports = HasImportedField(items.Items);
    if (range == rkAll && (data.isEmpty() || !imports))
        return Fail(data.isEmpty() ? QStringLiteral("--all needs a data file (--data FILE)")
                                   : QStringLiteral("--all needs a label that imports columns from the data file"));
    if (range == -1)
        range = !data.isEmpty() && imports ? rkAll : rkPages;
    choices.Copies = copies;
    choices.RangeKind = range;
    choices.PageCount = range == rkPages ? count : 1;
    choices.LabelCount = range == rkLabels ? count : 1;
    choices.DataFile = data;
    choices.LabelFile = doc.CurrentLabelFile;

    std::unique_ptr<TPrinterDevice> device;
    if (!output.isEmpty()) {
        device = std::make_unique<TPdfPrinterDevice>(output, paper, dpi);
    } else {
        if (!printer.isEmpty() && !TQPrinterDevice::PrinterNames().contains(printer))
            return Fail(QStringLiteral("no such printer: %1").arg(printer));
        auto qp = std::make_unique<TQPrinterDevice>(printer);
        if (qp->IsPdfFallback())
            return Fail(QStringLiteral("no printer is installed; write a PDF with --output FILE.pdf"));
        device = std::move(qp);
    }

#ifdef __GLIBC__
    // Each PDF page is built in one growing buffer and then freed; keeping
    // those blocks in the heap spares the page faults of handing them back to
    // the system and asking again, page after page.
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
    TerminalProgress progress(!quiet && isatty(STDERR_FILENO));
    QString message;
    TPrintStats stats;
    TPrintResult result;
    {
        InterruptGuard guard;
        result = PrintLabels(items.Items, choices, *device, &progress, &message, &stats);
    }
    switch (result) {
    case TPrintResult::Printed:
        break;
    case TPrintResult::Cancelled:
        std::fprintf(stderr, "Printing cancelled.\n");
        return 130;
    case TPrintResult::NoFit:
    case TPrintResult::NoRecords:
    case TPrintResult::DataError:
        return Fail(message);
    case TPrintResult::DeviceError:
        return Fail(message, output.isEmpty() ? 1 : 2);
    }
    if (saveCounters && HasSequenceField(items.Items) && !doc.SaveLabelFile(doc.CurrentLabelFile, &error))
        return Fail(QStringLiteral("printed, but the counters were not saved: %1").arg(error), 1);
    if (!quiet)
        std::fprintf(stderr, "%lld labels on %d pages to %s\n", stats.LabelsPrinted, stats.PagesPrinted,
                     (output.isEmpty() ? device->Name() : QDir::toNativeSeparators(output)).toLocal8Bit().constData());
    return 0;
}
