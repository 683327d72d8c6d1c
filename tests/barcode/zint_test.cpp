// The engine's patterns against an independent encoder: the zint command-line
// program's --dump, when it is installed. POSTNET has no reader in zbar, so
// this is where its bars are checked.

#include "barcode/recording_surface.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include "missing_tool.h"

namespace {

// zint's dump: one line of hexadecimal per row, most significant bit first.
QStringList ZintRows(int zintType, const QString &text)
{
    QProcess zint;
    zint.start(QStringLiteral("zint"), {QStringLiteral("-b"), QString::number(zintType), QStringLiteral("--dump"),
                                        QStringLiteral("-d"), text});
    if (!zint.waitForFinished(10000) || zint.exitCode() != 0)
        return {};
    QStringList rows;
    for (const QString &line : QString::fromLatin1(zint.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        QString bits;
        for (const QString &hex : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            for (QChar h : hex) {
                const int v = QString(h).toInt(nullptr, 16);
                for (int b = 3; b >= 0; --b)
                    bits.append((v >> b) & 1 ? QLatin1Char('1') : QLatin1Char('0'));
            }
        if (!bits.isEmpty())
            rows.append(bits);
    }
    return rows;
}

QString TrimSpaces(QString s)
{
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    return s;
}

struct ZintCase {
    int type;
    int zintType;
    QString text;
};

TEST(ZintTest, PatternsMatchAnIndependentEncoder)
{
    if (QStandardPaths::findExecutable(QStringLiteral("zint")).isEmpty())
        QV_SKIP_MISSING("zint");
    const ZintCase cases[] = {
        {bcCode128, 20, "1234"},        {bcCode128, 20, "AB1234"},       {bcCode128, 20, "Hello"},
        {bcCode39, 8, "AB"},            {bcCode39, 8, "CODE-39 $/+%."},  {bcCode93, 25, "TEST93"},
        {bcCode93, 25, "AB"},           {bcEAN13, 13, "400638133393"},   {bcUPCA, 34, "03600029145"},
        {bcUPCE, 37, "654321"},         {bcUPCE, 37, "123454"},          {bcEAN8, 10, "9638507"},
        {bcITF, 3, "0123"},             {bcITF, 3, "12345678"},          {bcPostnet, 40, "12345"},
        {bcPostnet, 40, "0"},           {bcPostnet, 40, "98765432101"},  {bcPostnet, 40, "555"},
    };
    for (const ZintCase &c : cases) {
        const QStringList rows = ZintRows(c.zintType, c.text);
        ASSERT_FALSE(rows.isEmpty()) << "zint -b " << c.zintType << " " << c.text.toStdString();
        QString want;
        if (c.type == bcPostnet) {
            // Top row: the full bars; bottom row: every bar.
            ASSERT_EQ(rows.size(), 2);
            for (qsizetype i = 0; i < rows[1].size(); ++i)
                want.append(rows[0][i] == QLatin1Char('1')   ? QLatin1Char('F')
                            : rows[1][i] == QLatin1Char('1') ? QLatin1Char('H')
                                                             : QLatin1Char('0'));
        } else {
            want = rows[0];
        }
        EXPECT_EQ(BarcodePattern(c.type, c.text), TrimSpaces(want)) << c.type << " " << c.text.toStdString();
    }
}

} // namespace
