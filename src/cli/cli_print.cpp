#include "cli/cli_args.h"
#include "cli/cli_calibration.h"
#include "cli/cli_label.h"
#include "cli/cli_stock.h"
#include "cli/commands.h"
#include "data/sourcechoice.h"
#include "data/spreadsheet.h"
#include "data/sqlsource.h"
#include "printing/pdfdevice.h"
#include "printing/printengine.h"
#include "printing/qprinter_device.h"
#include "printing/sheetlayout.h"
#include "printing/stocksheets.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
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
    "        [--encoding UTF-8|GB18030|UTF-16LE|UTF-16BE]\n"
    "        [--copies N] [--collate] [--pages N|M-N | --labels N | --all]\n"
    "        [--records M-N]\n"
    "        [--output FILE.pdf [--paper A4|Letter|WxHmm] [--dpi N] | --printer NAME]\n"
    "        [--wait]\n"
    "        [--save-counters] [--quiet] [--roll] [--offset X,Y] [--scale SX,SY]\n"
    "        [--sql URL --query \"SELECT ...\"]\n"
    "        [--sheet NAME|N] [--set NAME=VALUE ...] [--quantity-column NAME|N]\n"
    "        [--first N]\n"
    "        [--outline] [--cropmarks] [--mirror]\n"
    "      Print the label on sheets. The data file is split as the import wizard\n"
    "      would by its extension (.txt tab, .csv comma, .prn fixed, .dat custom),\n"
    "      quote \", first line skipped; its encoding by --encoding, else the\n"
    "      label's, else a byte-order mark, else UTF-8 or GB18030 as its bytes\n"
    "      tell. A .xlsx, .ods or .xls data file is read as a spreadsheet: its\n"
    "      first sheet, or --sheet by name or number from 1.\n"
    "      Range: --all with a data file the label\n"
    "      imports from, else --pages 1. --pages N prints the first N pages,\n"
    "      --pages M-N pages M to N of the job, the same labels and counters as in\n"
    "      the whole job (the pages before are not drawn). --records M-N (or M-,\n"
    "      or N) prints records M to N of the data source, from 1 after its header\n"
    "      line, each with its quantity and copies; counters take the values they\n"
    "      have at record M in the whole run. A range past the job's end prints\n"
    "      nothing and says so. --collate prints the whole run --copies times, one\n"
    "      run after the other, each with the same counters, in place of each\n"
    "      label --copies times. --output writes a PDF (A4, 600 DPI, whole\n"
    "      page printable); --printer NAME or the default printer otherwise (with\n"
    "      no default set the command names the printers and stops, status 2).\n"
    "      --save-counters stores the advanced counters back into the label file.\n"
    "      A file is replaced only when it has been written whole.\n"
    "      A barcode whose text its symbology cannot hold is left out; the job goes\n"
    "      on, the records are named on stderr and the status is 3; so is a\n"
    "      picture whose file cannot be read.\n"
    "      Ctrl+C (or SIGTERM) cancels the job: nothing is printed, status 130.\n"
    "      --sql URL --query SELECT prints the rows of a database query instead of\n"
    "      a data file, one record a row: sqlite:///path/to/file.db,\n"
    "      postgresql://USER@HOST:PORT/DB (libpq's URI: ?host=/socket/folder works),\n"
    "      mysql://USER@HOST/DB, odbc:DSN. The password, when the database needs\n"
    "      one, comes from QUORVANE_DB_PASSWORD or the keyring, never the URL.\n"
    "      --data takes the same URLs: --data URL --query SELECT.\n"
    "      --roll prints one label a page, the page the label's own size without\n"
    "      the sheet's margins (a roll label keeps the margins its format sets);\n"
    "      a printer is asked for that size.\n"
    "      --offset (mm, -10 to 10) and --scale (%, 95 to 105) correct this job in\n"
    "      place of the printer's stored calibration (PDF output has none unless\n"
    "      given). A printer job's id and state are written to stdout. A job left\n"
    "      waiting on a stopped printer (or held) prints later: status 4, queued,\n"
    "      not yet printed; do not send it again.\n"
    "      --wait waits until the printer has printed the job (status 0) or it\n"
    "      is cancelled or aborted (status 1, with the reason), through a stopped\n"
    "      printer too; Ctrl+C stops the waiting, not the job (status 4). A PDF\n"
    "      has nothing to wait for.\n"
    "      A sheet whose rows or columns do not all fit the paper prints those\n"
    "      that do; the ones lost are named on stderr.\n"
    "      --set NAME=VALUE (repeatable) gives the value the label asks for by\n"
    "      NAME; one not given takes its default, and without one the job stops.\n"
    "      --quantity-column NAME|N: each record prints as many labels as that\n"
    "      column (by header name, or number from 1) says, each --copies times;\n"
    "      0 skips the record.\n"
    "      --first N starts the first page on label position N of the sheet (1 =\n"
    "      top left, row by row; a sheet of several layouts counts layout by\n"
    "      layout): positions 1 to N-1 stay empty, the later pages are full. N\n"
    "      beyond the positions on a page is refused (status 2); a roll page has\n"
    "      one position, so --roll takes only --first 1.\n"
    "      --outline draws each label's outline (its die-cut shape), --cropmarks\n"
    "      crop marks beside the labels' corners, --mirror the page mirror-inverted\n"
    "      (transfer media).";

namespace {

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
    void SetPagesTotal(qint64 pages) override { pages_ = pages; }
    void SetPage(int page) override
    {
        page_ = page;
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
        const QString line = pages_ > 0
                                 ? QCoreApplication::translate("Cli", "Page %1 of %2").arg(page_).arg(pages_)
                                 : QCoreApplication::translate("Cli", "Page %1").arg(page_);
        std::fprintf(stderr, "\r%s\033[K", line.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    bool show_;
    bool drawn_ = false;
    QElapsedTimer timer_;
    qint64 pages_ = -1;
    int page_ = 1;
};

} // namespace

int ParseCalibrationOptions(const TCliCommand &cli, TCalibration &c)
{
    const auto pair = [&](const char *name, double &a, double &b) {
        const QStringList parts = cli.Value(QLatin1String(name)).split(QLatin1Char(','));
        bool ok1 = false, ok2 = false;
        if (parts.size() == 2) {
            a = QLocale::c().toDouble(parts[0].trimmed(), &ok1);
            b = QLocale::c().toDouble(parts[1].trimmed(), &ok2);
        }
        return ok1 && ok2;
    };
    if (cli.IsSet(QStringLiteral("offset"))) {
        TCalibration t = c;
        if (!pair("offset", t.OffsetX, t.OffsetY) || !ValidCalibration(t))
            return cli.Fail(QCoreApplication::translate(
                                "Cli", "--offset takes X,Y in millimetres from -10 to 10, such as 0.5,-1.2: %1")
                                .arg(cli.Value(QStringLiteral("offset"))));
        c = t;
    }
    if (cli.IsSet(QStringLiteral("scale"))) {
        TCalibration t = c;
        if (!pair("scale", t.ScaleX, t.ScaleY) || !ValidCalibration(t))
            return cli.Fail(QCoreApplication::translate(
                                "Cli", "--scale takes SX,SY in percent from 95 to 105, such as 100,99.5: %1")
                                .arg(cli.Value(QStringLiteral("scale"))));
        c = t;
    }
    c = RoundCalibration(c);
    return -1;
}

namespace {

// A job "processing-stopped" resumes when its printer does: not an end.
bool JobEnded(const QString &state)
{
    return state == QLatin1String("completed") || state == QLatin1String("aborted")
           || state == QLatin1String("canceled");
}

int JobEndStatus(const TCliCommand &cli, const TQPrinterDevice &qp, const QString &state)
{
    if (state == QLatin1String("completed"))
        return 0;
    const QString reason = qp.JobReason();
    return cli.Fail(QCoreApplication::translate("Cli", "the printer %1 did not print job %2: it was %3")
                            .arg(qp.Name())
                            .arg(qp.JobId())
                            .arg(state)
                        + (reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason)),
                    1);
}

// Polls the scheduler until the job ends; Ctrl+C ends the waiting only.
int WaitForJob(const TCliCommand &cli, const TQPrinterDevice &qp)
{
    constexpr int kPollMs = 500, kSliceMs = 50;
    InterruptGuard guard;
    bool toldStopped = false;
    for (;;) {
        const QString state = qp.JobState();
        if (state.isEmpty())
            return cli.Fail(QCoreApplication::translate("Cli", "the printer %1 no longer reports job %2")
                                .arg(qp.Name())
                                .arg(qp.JobId()),
                            1);
        if (JobEnded(state)) {
            std::printf("job %d on %s: %s\n", qp.JobId(), qp.Name().toLocal8Bit().constData(),
                        state.toLocal8Bit().constData());
            std::fflush(stdout);
            return JobEndStatus(cli, qp, state);
        }
        if (!toldStopped && (state == QLatin1String("processing-stopped") || qp.QueueStopped())) {
            toldStopped = true;
            cli.Say(QCoreApplication::translate(
                        "Cli", "the printer %1 is stopped: waiting for job %2 until it is started again (cupsenable %1)")
                        .arg(qp.Name())
                        .arg(qp.JobId()));
        }
        for (int waited = 0; waited < kPollMs && !interrupted; waited += kSliceMs)
            usleep(kSliceMs * 1000);
        if (interrupted) {
            cli.Say(QCoreApplication::translate("Cli", "stopped waiting: job %2 stays queued on %1 and prints later")
                        .arg(qp.Name())
                        .arg(qp.JobId()));
            return 4;
        }
    }
}

// The rows and columns of the format's grid that the paper cannot hold, as
// a warning: the job prints what fits.
void WarnShortfall(const TCliCommand &cli, const TSheetShortfall &s)
{
    const auto lost = [](int held, int all, const char *one, const char *many) {
        return held + 1 == all ? QCoreApplication::translate("Cli", one).arg(all)
                               : QCoreApplication::translate("Cli", many).arg(held + 1).arg(all);
    };
    if (s.LosesRows())
        cli.Say(QCoreApplication::translate("Cli", "warning: the paper holds %1 of the sheet's %2 rows: %3")
                    .arg(s.HeldRows)
                    .arg(s.Rows)
                    .arg(lost(s.HeldRows, s.Rows, QT_TRANSLATE_NOOP("Cli", "row %1 is not printed"),
                              QT_TRANSLATE_NOOP("Cli", "rows %1 to %2 are not printed"))));
    if (s.LosesColumns())
        cli.Say(QCoreApplication::translate("Cli", "warning: the paper holds %1 of the sheet's %2 columns: %3")
                    .arg(s.HeldColumns)
                    .arg(s.Columns)
                    .arg(lost(s.HeldColumns, s.Columns, QT_TRANSLATE_NOOP("Cli", "column %1 is not printed"),
                              QT_TRANSLATE_NOOP("Cli", "columns %1 to %2 are not printed"))));
}

} // namespace

int ReportPrinterJob(const TCliCommand &cli, TPrinterDevice *device, bool wait)
{
    const auto *qp = dynamic_cast<const TQPrinterDevice *>(device);
    if (!qp || qp->JobId() <= 0)
        return 0;
    const QString state = qp->JobState();
    std::printf("job %d on %s: %s\n", qp->JobId(), qp->Name().toLocal8Bit().constData(),
                (state.isEmpty() ? QStringLiteral("unknown") : state).toLocal8Bit().constData());
    std::fflush(stdout);
    if (JobEnded(state))
        return JobEndStatus(cli, *qp, state);
    if (wait)
        return WaitForJob(cli, *qp);
    // Queued, not failed: it prints later, and a script that sent it again
    // would print it twice.
    if (qp->QueueStopped() || state == QLatin1String("processing-stopped"))
        return cli.Fail(QCoreApplication::translate(
                            "Cli", "the printer %1 is stopped: job %2 is %3 and prints only when the printer is "
                                   "started again (cupsenable %1)")
                            .arg(qp->Name())
                            .arg(qp->JobId())
                            .arg(state.isEmpty() ? QStringLiteral("waiting") : state),
                        4);
    if (state == QLatin1String("pending-held"))
        return cli.Fail(QCoreApplication::translate("Cli", "job %2 on %1 is held: it prints when released "
                                                           "(lp -i %2 -H resume)")
                            .arg(qp->Name())
                            .arg(qp->JobId()),
                        4);
    return 0;
}

int RunPrintCommand(const QStringList &args)
{
    TCliCommand cli("print", "LABEL.lbl [OPTIONS]", kPrintUsage);
    for (const char *name : {"data", "delimiter", "fixed", "quote", "copies", "pages", "labels", "paper", "dpi",
                             "printer", "sql", "query", "offset", "scale", "sheet", "encoding",
                             "quantity-column", "records", "first"})
        cli.Add({QString::fromLatin1(name)}, QStringLiteral("VALUE"));
    cli.Add({QStringLiteral("output"), QStringLiteral("o")}, QStringLiteral("FILE.pdf"));
    for (const char *name : {"all", "header", "no-header", "no-ltrim", "no-rtrim", "save-counters", "roll", "collate", "wait"})
        cli.Add({QString::fromLatin1(name)});
    for (const char *name : {"outline", "cropmarks", "mirror"})
        cli.Add({QString::fromLatin1(name)});
    cli.Add({QStringLiteral("quiet"), QStringLiteral("q")});
    cli.Add({QStringLiteral("stock")}, QStringLiteral("\"MAKER PRODUCT\""));
    cli.Add({QStringLiteral("set")}, QStringLiteral("NAME=VALUE"));
    cli.AcceptPositionals(1, QCoreApplication::translate("Cli", "more than one label file: %1"));
    // What a killed job left in the temporary folder goes at the next start.
    RemoveDeadSpools();
    if (const int status = cli.Parse(args); status >= 0)
        return status;

    const QString label = cli.Positionals().value(0);
    QString data = cli.Value(QStringLiteral("data"));
    const QString output = cli.Value(QStringLiteral("output"));
    const QString printer = cli.Value(QStringLiteral("printer"));
    const QString paperText = cli.Value(QStringLiteral("paper"));
    const QString delimiter = cli.Value(QStringLiteral("delimiter"));
    const QString fixed = cli.Value(QStringLiteral("fixed"));
    const QString quote = cli.Value(QStringLiteral("quote"));
    const bool quiet = cli.IsSet(QStringLiteral("quiet"));
    QString sql = cli.Value(QStringLiteral("sql"));
    const QString sqlQuery = cli.Value(QStringLiteral("query"));
    const QStringList found = cli.Found();
    if (!delimiter.isEmpty() && !fixed.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "--delimiter and --fixed exclude each other"));
    QString bad;
    int copies = 1, dpi = 600, count = 1;
    if (!cli.WholeValue(QStringLiteral("copies"), 1, 1000000, copies, &bad))
        return cli.Fail(
            QCoreApplication::translate("Cli", "--copies must be a whole number from 1 to 1000000: %1").arg(bad));
    const qsizetype pages = found.count(QStringLiteral("pages")), labels = found.count(QStringLiteral("labels"));
    if (pages + labels + found.count(QStringLiteral("all")) > 1)
        return cli.Fail(QCoreApplication::translate("Cli", "choose one of --pages, --labels and --all"));
    int range = pages ? rkPages : labels ? rkLabels : cli.IsSet(QStringLiteral("all")) ? rkAll : -1;
    const QString rangeOption = pages ? QStringLiteral("pages") : QStringLiteral("labels");
    // --pages M-N: the first page, M; count is N.
    int firstPage = 1;
    if (pages && cli.Value(rangeOption).contains(QLatin1Char('-'))) {
        const QString text = cli.Value(rangeOption);
        const qsizetype dash = text.indexOf(QLatin1Char('-'));
        if (!ParseWhole(text.left(dash).trimmed(), 1, 1000000000, firstPage) ||
            !ParseWhole(text.mid(dash + 1).trimmed(), 1, 1000000000, count) || firstPage > count)
            return cli.Fail(QCoreApplication::translate(
                                "Cli", "--pages takes N or M-N, whole numbers from 1 with M not after N: %1")
                                .arg(text));
    } else if ((pages || labels) && !cli.WholeValue(rangeOption, 1, 1000000000, count, &bad))
        return cli.Fail(
            QCoreApplication::translate("Cli", "--%1 must be a whole number of at least 1: %2").arg(rangeOption, bad));
    int firstLabel = 1;
    if (!cli.WholeValue(QStringLiteral("first"), 1, 1000000, firstLabel, &bad))
        return cli.Fail(QCoreApplication::translate("Cli", "--%1 must be a whole number of at least 1: %2")
                            .arg(QStringLiteral("first"), bad));
    if (!cli.WholeValue(QStringLiteral("dpi"), 72, 4800, dpi, &bad))
        return cli.Fail(QCoreApplication::translate("Cli", "--dpi must be from 72 to 4800: %1").arg(bad));
    // Asked values: the later of two for one name counts.
    QHash<QString, QString> answers;
    for (const QString &given : cli.Values(QStringLiteral("set"))) {
        const qsizetype eq = given.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return cli.Fail(QCoreApplication::translate("Cli", "--set takes NAME=VALUE: %1").arg(given));
        answers.insert(given.left(eq), given.mid(eq + 1));
    }
    // --records M-N, M- (to the end) or N (that record alone).
    int firstRecord = 0, lastRecord = 0;
    if (cli.IsSet(QStringLiteral("records"))) {
        const QString text = cli.Value(QStringLiteral("records"));
        const qsizetype dash = text.indexOf(QLatin1Char('-'));
        const QString to = dash < 0 ? text : text.mid(dash + 1).trimmed();
        if (!ParseWhole(text.left(dash < 0 ? text.size() : dash).trimmed(), 1, 2000000000, firstRecord) ||
            (!to.isEmpty() && !ParseWhole(to, 1, 2000000000, lastRecord)) || (lastRecord && firstRecord > lastRecord))
            return cli.Fail(QCoreApplication::translate(
                                "Cli", "--records takes M-N, M- or N, whole numbers from 1 with M not after N: %1")
                                .arg(text));
    }
    const QString quantityColumn = cli.Value(QStringLiteral("quantity-column")).trimmed();
    if (cli.IsSet(QStringLiteral("quantity-column")) && quantityColumn.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "--quantity-column takes a column's name or number"));
    // The later of --header and --no-header counts.
    const qsizetype header = found.lastIndexOf(QStringLiteral("header"));
    const qsizetype noHeader = found.lastIndexOf(QStringLiteral("no-header"));

    if (label.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "no label file given"));
    if (!sql.isEmpty() && !data.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "--sql and --data exclude each other"));
    // --data names a database as well as a file.
    if (IsDatabaseUrl(data))
        std::swap(data, sql);
    if (sql.isEmpty() != sqlQuery.isEmpty())
        return cli.Fail(sql.isEmpty() ? QCoreApplication::translate("Cli", "--query needs --sql URL")
                                      : QCoreApplication::translate("Cli", "--sql needs --query \"SELECT ...\""));
    if (!sql.isEmpty()) {
        TSqlConnection connection;
        QString why;
        if (!ParseSqlUrl(sql, connection, &why))
            return cli.Fail(why);
    }
    // A database query feeds the job as a data file would.
    const bool hasData = !data.isEmpty() || !sql.isEmpty();
    if (!output.isEmpty() && !printer.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "--output and --printer exclude each other"));
    if (output.isEmpty() && (!paperText.isEmpty() || cli.IsSet(QStringLiteral("dpi"))))
        return cli.Fail(QCoreApplication::translate("Cli", "--paper and --dpi apply only to --output"));
    QPageSize paper(QPageSize::A4);
    if (!paperText.isEmpty() && !TPdfPrinterDevice::ParsePaper(paperText, paper))
        return cli.Fail(QCoreApplication::translate("Cli", "unknown paper %1 (A4, Letter or WxHmm such as 100x150mm)")
                            .arg(paperText));
    if (!output.isEmpty() && !output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return cli.Fail(QCoreApplication::translate("Cli", "the output must be a .pdf file: %1").arg(output));
    // A maker's sheet brings its own label format and paper.
    const TStockSheet *stock = nullptr;
    if (cli.IsSet(QStringLiteral("stock"))) {
        QString why;
        if (!(stock = FindStockForCli(cli.Value(QStringLiteral("stock")), why)))
            return cli.Fail(why);
        if (paperText.isEmpty())
            paper = StockPaper(*stock);
    }
    TCalibration jobCalibration;
    if (const int status = ParseCalibrationOptions(cli, jobCalibration); status >= 0)
        return status;

    // Splitting: what the import wizard would choose for this file.
    TPrintChoices choices;
    TSplitSettings &split = choices.Split;
    if (!data.isEmpty()) {
        const QFileInfo info(data);
        if (!info.exists())
            return cli.Fail(
                QCoreApplication::translate("Cli", "no such data file: %1").arg(QDir::toNativeSeparators(data)));
        if (!info.isFile())
            return cli.Fail(
                QCoreApplication::translate("Cli", "not a data file: %1").arg(QDir::toNativeSeparators(data)));
        SplitModeForFile(data, split.Mode);
    }
    if (cli.IsSet(QStringLiteral("sheet")) && !IsSpreadsheetFile(data))
        return cli.Fail(QCoreApplication::translate("Cli", "--sheet applies only to a .xlsx, .ods or .xls data file"));
    if (cli.IsSet(QStringLiteral("encoding"))) {
        const QString name = cli.Value(QStringLiteral("encoding"));
        TTextEncoding encoding{};
        if (!TextEncodingFromName(name, &encoding))
            return cli.Fail(
                QCoreApplication::translate("Cli", "--encoding takes UTF-8, GB18030, UTF-16LE or UTF-16BE: %1").arg(name));
        if (data.isEmpty() || IsSpreadsheetFile(data))
            return cli.Fail(QCoreApplication::translate("Cli", "--encoding applies only to a text data file"));
        split.Encoding = encoding;
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
            return cli.Fail(
                QCoreApplication::translate("Cli", "--delimiter takes tab, comma or one character: %1").arg(delimiter));
        }
    } else if (!fixed.isEmpty()) {
        split.Mode = TSplitMode::Fixed;
        split.ColumnSizes.clear();
        for (const QString &w : fixed.split(QLatin1Char(','))) {
            int n = 0;
            if (!ParseWhole(w.trimmed(), 1, 100000, n))
                return cli.Fail(
                    QCoreApplication::translate("Cli", "--fixed takes widths of at least 1, such as 10,5,8: %1")
                        .arg(fixed));
            split.ColumnSizes.append(n);
        }
    }
    const bool autoWidth = delimiter.isEmpty() && fixed.isEmpty() && split.Mode == TSplitMode::Fixed;
    if (cli.IsSet(QStringLiteral("quote"))) {
        if (quote == QLatin1String("none"))
            split.QuoteChar.clear();
        else if (quote.size() == 1)
            split.QuoteChar = quote;
        else
            return cli.Fail(QCoreApplication::translate("Cli", "--quote takes one character or none: %1").arg(quote));
    }
    if (header != noHeader)
        split.IgnoreHeader = header > noHeader;
    split.LTrim = !cli.IsSet(QStringLiteral("no-ltrim"));
    split.RTrim = !cli.IsSet(QStringLiteral("no-rtrim"));

    TItemContainer items;
    TLabelDocument doc(items);
    QString error;
    if (!LoadLabelForCli(doc, label, error))
        return cli.Fail(error);
    // Without --encoding a text data file takes the encoding stored with the label.
    TTextEncoding labelEncoding{};
    if (!split.Encoding && !data.isEmpty() && !IsSpreadsheetFile(data) &&
        TextEncodingFromName(items.DataEncoding, &labelEncoding))
        split.Encoding = labelEncoding;
    if (autoWidth) {
        TTextEncoding encoding = TTextEncoding::Gb18030;
        const QStringList sample = ReadSampleLines(data, 10, &error, &encoding, split.Encoding);
        if (!error.isEmpty())
            return cli.Fail(error);
        split.ColumnSizes = {InitialFixedWidth(sample, encoding)};
    }
    const TLabelFormat fileFormat = items.LabelFormat;
    if (stock)
        items.LabelFormat = StockLabelFormat(*stock);

    // A quantity column reads the data file even when no part does.
    const bool imports = HasImportedField(items.Items) || !quantityColumn.isEmpty();
    if (!quantityColumn.isEmpty() && !hasData)
        return cli.Fail(QCoreApplication::translate("Cli", "--quantity-column needs a data file (--data FILE)"));
    if (firstRecord && (!hasData || !imports))
        return cli.Fail(!hasData ? QCoreApplication::translate("Cli", "--records needs a data file (--data FILE)")
                                 : QCoreApplication::translate(
                                     "Cli", "--records needs a label that imports columns from the data file"));
    if (range == rkAll && (!hasData || !imports))
        return cli.Fail(!hasData ? QCoreApplication::translate("Cli", "--all needs a data file (--data FILE)")
                                 : QCoreApplication::translate(
                                     "Cli", "--all needs a label that imports columns from the data file"));
    if (range == -1)
        range = hasData && imports ? rkAll : rkPages;
    choices.Copies = copies;
    choices.RangeKind = range;
    choices.PageCount = range == rkPages ? count : 1;
    choices.LabelCount = range == rkLabels ? count : 1;
    choices.DataFile = data;
    choices.SqlUrl = sql;
    choices.SqlQuery = sqlQuery;
    choices.Sheet = cli.Value(QStringLiteral("sheet"));
    choices.LabelFile = doc.CurrentLabelFile;
    choices.Roll = cli.IsSet(QStringLiteral("roll"));
    choices.Outline = cli.IsSet(QStringLiteral("outline"));
    choices.CropMarks = cli.IsSet(QStringLiteral("cropmarks"));
    choices.Mirror = cli.IsSet(QStringLiteral("mirror"));
    choices.Answers = answers;
    choices.QuantityColumn = quantityColumn;
    choices.FirstLabel = firstLabel;
    choices.FirstPage = firstPage;
    choices.FirstRecord = firstRecord;
    choices.LastRecord = lastRecord;
    choices.Collate = cli.IsSet(QStringLiteral("collate"));

    std::unique_ptr<TPrinterDevice> device;
    if (!output.isEmpty()) {
        device = std::make_unique<TPdfPrinterDevice>(output, paper, dpi);
    } else {
        if (!printer.isEmpty() && !TQPrinterDevice::PrinterNames().contains(printer))
            return cli.Fail(QCoreApplication::translate("Cli", "no such printer: %1").arg(printer));
        // Without a default the job would land on whichever queue is first.
        if (const QStringList names = TQPrinterDevice::PrinterNames();
            printer.isEmpty() && !names.isEmpty() && TQPrinterDevice::DefaultPrinterName().isEmpty())
            return cli.Fail(QCoreApplication::translate("Cli", "no default printer; choose one with --printer: %1")
                                .arg(names.join(QStringLiteral(", "))));
        auto qp = std::make_unique<TQPrinterDevice>(printer);
        if (qp->IsPdfFallback())
            return cli.Fail(
                QCoreApplication::translate("Cli", "no printer is installed; write a PDF with --output FILE.pdf"));
        if (stock)
            UseStockPaper(*qp, paper);
        // The printer's own correction, unless this job brings its own.
        const TCalibration stored = LoadCalibration(qp->Name());
        if (!cli.IsSet(QStringLiteral("offset"))) {
            jobCalibration.OffsetX = stored.OffsetX;
            jobCalibration.OffsetY = stored.OffsetY;
        }
        if (!cli.IsSet(QStringLiteral("scale"))) {
            jobCalibration.ScaleX = stored.ScaleX;
            jobCalibration.ScaleY = stored.ScaleY;
        }
        device = std::move(qp);
    }
    choices.Calibration = jobCalibration;
    if (TPrinterMetrics metrics; !choices.Roll && device->Metrics(metrics))
        WarnShortfall(cli, SheetShortfall(TSheetLayout(items.LabelFormat, metrics, items.ScreenDpiX, items.ScreenDpiY)));

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
        result = PrintLabels(items, choices, *device, &progress, &message, &stats);
    }
    switch (result) {
    case TPrintResult::Printed:
        break;
    case TPrintResult::Cancelled:
        std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::translate("Cli", "Printing cancelled.")));
        return 130;
    case TPrintResult::NoFit:
    case TPrintResult::NoRecords:
    case TPrintResult::DataError:
        return cli.Fail(message);
    case TPrintResult::DeviceError:
        return cli.Fail(message, output.isEmpty() ? 1 : 2);
    }
    // The counters go back into the label file; its own format stays.
    items.LabelFormat = fileFormat;
    if (cli.IsSet(QStringLiteral("save-counters")) && HasSequenceField(items.Items) && !doc.SaveLabelFile(doc.CurrentLabelFile, &error))
        return cli.Fail(QCoreApplication::translate("Cli", "printed, but the counters were not saved: %1").arg(error),
                        1);
    if (!quiet)
        std::fprintf(stderr, "%s\n",
                     QCoreApplication::translate(
                         "Cli", stats.LabelsPrinted == 1  ? QT_TRANSLATE_NOOP("Cli", "%1 label on %2 page to %3")
                                : stats.PagesPrinted == 1 ? QT_TRANSLATE_NOOP("Cli", "%1 labels on %2 page to %3")
                                                          : QT_TRANSLATE_NOOP("Cli", "%1 labels on %2 pages to %3"))
                         .arg(stats.LabelsPrinted)
                         .arg(stats.PagesPrinted)
                         .arg(output.isEmpty() ? device->Name() : QDir::toNativeSeparators(output))
                         .toLocal8Bit()
                         .constData());
    // Reported even with --quiet, and before a printer's refusal ends the
    // command: every one of those labels lacks a barcode or a picture.
    for (const auto &f : stats.SymbolFailures)
        std::fprintf(stderr, "%s\n",
                     (imports && hasData ? QCoreApplication::translate("Cli", "record %1: no barcode: %2")
                                         : QCoreApplication::translate("Cli", "label %1: no barcode: %2"))
                         .arg(f.Record)
                         .arg(f.Reason)
                         .toLocal8Bit()
                         .constData());
    for (const QString &f : stats.MissingPictures)
        std::fprintf(stderr, "%s\n",
                     QCoreApplication::translate("Cli", "every label: no picture: %1 cannot be read")
                         .arg(QDir::toNativeSeparators(f))
                         .toLocal8Bit()
                         .constData());
    if (const int status = ReportPrinterJob(cli, device.get(), cli.IsSet(QStringLiteral("wait"))); status > 0)
        return status;
    return stats.SymbolFailures.isEmpty() && stats.MissingPictures.isEmpty() ? 0 : 3;
}
