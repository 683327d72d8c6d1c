#include "cli/cli_stock.h"

#include "cli/cli_args.h"
#include "printing/qprinter_device.h"
#include "printing/stocksheets.h"

#include <QCoreApplication>
#include <QPrinter>
#include <cstdio>

const char *const kTemplatesUsage =
    "  templates [--search TEXT]\n"
    "      List the makers' label sheets, one a line: maker and product, label\n"
    "      size, columns x rows, paper. Those read from glabels-data's folder\n"
    "      (/usr/share/libglabels-3.0/templates) and some common ones built in.\n"
    "      --search keeps the sheets whose maker, product, description or paper\n"
    "      hold every word. A sheet that cannot be used says why after a '#';\n"
    "      one whose paper holds more labels than it has, after a '!'.\n"
    "      A sheet of several layouts gives each as columns x rows, joined by\n"
    "      '+'. A built-in sheet ends in ' [built-in]' (before any '#' or '!');\n"
    "      one of the installed library (used wherever both have the product)\n"
    "      has no mark.\n"
    "  print LABEL.lbl --stock \"MAKER PRODUCT\" [OPTIONS]\n"
    "      Print with that sheet's label size, margins and gaps, on its own\n"
    "      paper unless --paper says otherwise.";

int RunTemplatesCommand(const QStringList &args)
{
    TCliCommand cli("templates", "[--search TEXT]", kTemplatesUsage);
    cli.Add({QStringLiteral("search"), QStringLiteral("s")}, QStringLiteral("TEXT"));
    if (const int status = cli.Parse(args); status >= 0)
        return status;
    const QString search = cli.Value(QStringLiteral("search"));
    const TStockCatalogue &catalogue = StockCatalogue();
    for (const QString &problem : catalogue.Problems)
        std::fprintf(stderr, "quorvane-cli templates: %s\n", problem.toLocal8Bit().constData());
    int shown = 0;
    for (const TStockSheet &s : catalogue.Sheets) {
        if (!StockMatches(s, search))
            continue;
        QString grids = QStringLiteral("%1x%2").arg(s.Columns).arg(s.Rows);
        for (const TStockLayout &l : s.ExtraLayouts)
            grids += QStringLiteral("+%1x%2").arg(l.Columns).arg(l.Rows);
        QString line = QStringLiteral("%1, %2, %3, %4")
                           .arg(s.Name(), s.Shape.isEmpty() ? QStringLiteral("-") : StockLabelSize(s), grids,
                                s.PaperName.isEmpty() ? QStringLiteral("-") : s.PaperName);
        if (!s.EquivalentOf.isEmpty())
            line += QStringLiteral(" (= %1)").arg(s.EquivalentOf);
        if (s.BuiltIn)
            line += QStringLiteral(" [built-in]");
        if (!s.Selectable())
            line += QStringLiteral("  # ") + s.Note;
        else if (!s.Warning.isEmpty())
            line += QStringLiteral("  ! ") + s.Warning;
        std::printf("%s\n", line.toUtf8().constData());
        ++shown;
    }
    if (shown == 0 && !search.isEmpty())
        return cli.Fail(QCoreApplication::translate("Cli", "no label sheet matches %1").arg(search), 1);
    return 0;
}

const TStockSheet *FindStockForCli(const QString &name, QString &error)
{
    const QList<TStockSheet> &sheets = StockCatalogue().Sheets;
    const TStockSheet *s = FindStockSheet(sheets, name);
    if (!s) {
        error = QCoreApplication::translate("Cli", "unknown label sheet %1; nearest: %2")
                    .arg(name, NearestStockNames(sheets, name).join(QStringLiteral(", ")));
        return nullptr;
    }
    if (!s->Selectable()) {
        error = QCoreApplication::translate("Cli", "the label sheet %1 cannot be used: %2").arg(s->Name(), s->Note);
        return nullptr;
    }
    return s;
}

void UseStockPaper(TQPrinterDevice &device, const QPageSize &paper)
{
    if (QPrinter *p = device.Printer())
        p->setPageSize(paper);
}
