#include "model/advanced.h"

#include <gtest/gtest.h>

TEST(DateTimeFormat, Specifiers)
{
    const QDateTime afternoon(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QDateTime morning(QDate(2009, 11, 23), QTime(0, 5, 3));
    const QLocale c = QLocale::c();
    const QLocale zh(QLocale::Chinese, QLocale::China);
    const struct {
        const char *pattern;
        QDateTime when;
        QLocale locale;
        QString out;
    } cases[] = {
        {"yyyymmdd", afternoon, c, "20240305"},
        {"YYYYMMDD", afternoon, c, "20240305"},
        {"d-m-yy", afternoon, c, "5-3-24"},
        {"dd.mm.yyyy", morning, c, "23.11.2009"},
        {"ddd dddd", afternoon, c, "Tue Tuesday"},
        {"mmm mmmm", afternoon, c, "Mar March"},
        {"hh:nn:ss", afternoon, c, "14:07:09"},
        {"h n s", morning, c, "0 5 3"},
        {"hh:nn am/pm", afternoon, c, "02:07 pm"},
        {"h AM/PM", morning, c, "12 AM"},
        {"h Am/Pm", afternoon, c, "2 Pm"},
        {"h a/p", afternoon, c, "2 p"},
        {"h A/P", morning, c, "12 A"},
        {"h ampm", afternoon, c, "2 PM"},
        {"hh:mm", afternoon, c, "14:03"},   // m is always the month
        {"h hh am/pm", afternoon, c, "14 02 pm"}, // only the hour before the marker
        {"y yyy ddddd", afternoon, c, "y 24y Tuesday5"},
        {"Lot x-q", afternoon, c, "Lot x-q"},
        {"yyyy/mm/dd", afternoon, c, "2024/03/05"},
        {"yyyy/m/d", afternoon, zh, "2024/3/5"},
        {"dddd", afternoon, zh, QStringLiteral("星期二")},
        {"mmmm", afternoon, zh, QStringLiteral("三月")},
        {"h:nn ampm", morning, zh, QStringLiteral("12:05 上午")},
        {"yyyy年m月d日 星期", afternoon, c, QStringLiteral("2024年3月5日 星期二")},
        {"", afternoon, c, ""},
    };
    for (const auto &t : cases)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(t.pattern), t.when, t.locale), t.out) << t.pattern;
}

TEST(DateTimeFormat, SeparatorsFollowTheLocale)
{
    const QDateTime when(QDate(2024, 3, 5), QTime(14, 7, 9));
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(FormatDateTime(QStringLiteral("dd/mm/yyyy hh:nn"), when, de), QStringLiteral("05.03.2024 14:07"));
}

TEST(DateTimeFormat, ReadsWhatPatternsWrite)
{
    const QLocale c = QLocale::c();
    const struct {
        const char *pattern, *text;
        QDateTime want; // invalid: does not read
    } cases[] = {
        {"yyyy-mm-dd", "2024-02-29", {QDate(2024, 2, 29), QTime(0, 0)}},
        {"yyyy-mm-dd", "2023-02-29", {}},
        {"dd/mm/yyyy", "5/3/2024", {QDate(2024, 3, 5), QTime(0, 0)}},
        {"dd.mm.yy hh:nn", "05.03.24 14:07", {QDate(2024, 3, 5), QTime(14, 7)}},
        {"d mmm yyyy", "5 mar 2024", {QDate(2024, 3, 5), QTime(0, 0)}},
        {"yyyymmdd", "20240305", {QDate(2024, 3, 5), QTime(0, 0)}},
        {"yyyy年m月d日", "2024年3月5日", {QDate(2024, 3, 5), QTime(0, 0)}},
        {"h:nn am/pm", "2:07 pm", {QDateTime(QDate::currentDate(), QTime(14, 7))}},
        {"yyyy-mm-dd", "2024-03-05x", {}},
        {"yyyy-mm-dd", "", {}},
    };
    for (const auto &t : cases)
        EXPECT_EQ(ParseDateTime(QString::fromUtf8(t.pattern), QString::fromUtf8(t.text), c), t.want) << t.pattern;
}
