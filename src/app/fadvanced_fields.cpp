// The composed-text editor's fields: one group per kind of part, filled from
// the selected part, read back into it, and their rules on leaving a field.
#include "app/fadvanced.h"

#include "app/dialogkit.h"

#include <QDateTime>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
int numberIn(const QLineEdit *e, int fallback)
{
    bool ok = false;
    const int v = e->text().toInt(&ok);
    return ok ? v : fallback;
}
} // namespace

void TFAdvanced::UpdateEnabling()
{
    eText->setEnabled(rbText->isChecked());
    for (QWidget *w : {eFieldNum, eFieldMinSize, ePadChar})
        w->setEnabled(rbField->isChecked());
    for (QWidget *w : {eCurVal, eMinVal, eMaxVal, eSeqMinSize})
        w->setEnabled(rbSequence->isChecked());
    eDate->setEnabled(rbDate->isChecked());
    sbDateHelp->setEnabled(rbDate->isChecked());
}

QString TFAdvanced::EditedEntryText(const TAdvancedField &f) const
{
    QString desc;
    if (f.FieldType == QLatin1String("TEXT"))
        desc = eText->text();
    else if (f.FieldType == QLatin1String("FIELD"))
        desc = QStringLiteral("F_") + eFieldNum->text();
    else if (f.FieldType == QLatin1String("SEQUENCE"))
        desc = PadLeft(eCurVal->text(), numberIn(eSeqMinSize, 0), QLatin1Char('0'));
    else if (f.FieldType == QLatin1String("DATE"))
        desc = FormatDateTime(eDate->text(), QDateTime::currentDateTime());
    return f.FieldType + QLatin1Char('[') + desc + QLatin1Char(']');
}

void TFAdvanced::ReadFields(TAdvancedField &f) const
{
    if (auto *t = dynamic_cast<TTextField *>(&f)) {
        t->Text = eText->text();
    } else if (auto *i = dynamic_cast<TImportedField *>(&f)) {
        i->FieldNum = numberIn(eFieldNum, 1);
        i->MinSize = numberIn(eFieldMinSize, 0);
        i->PadChar = ePadChar->text().isEmpty() ? QLatin1Char(' ') : ePadChar->text().at(0);
    } else if (auto *s = dynamic_cast<TSequenceField *>(&f)) {
        s->CurVal = numberIn(eCurVal, 0);
        s->MinVal = numberIn(eMinVal, 0);
        s->MaxVal = numberIn(eMaxVal, 999999999);
        s->MinSize = numberIn(eSeqMinSize, 0);
    } else if (auto *d = dynamic_cast<TDateField *>(&f)) {
        d->Format = eDate->text();
    }
}

void TFAdvanced::ChangeSelected()
{
    if (filling_)
        return;
    TAdvancedField *part = SelectedPart();
    if (!part)
        return;
    ReadFields(*part);
    lFields->currentItem()->setText(EditedEntryText(*part));
}

void TFAdvanced::lFieldsClick()
{
    TAdvancedField *part = SelectedPart();
    if (!part)
        return;
    if (auto *t = dynamic_cast<TTextField *>(part)) {
        rbText->setChecked(true);
        eText->setText(t->Text);
    } else if (auto *i = dynamic_cast<TImportedField *>(part)) {
        rbField->setChecked(true);
        eFieldNum->setText(QString::number(i->FieldNum));
        eFieldMinSize->setText(QString::number(i->MinSize));
        ePadChar->setText(QString(i->PadChar));
    } else if (auto *s = dynamic_cast<TSequenceField *>(part)) {
        rbSequence->setChecked(true);
        eCurVal->setText(QString::number(s->CurVal));
        eMinVal->setText(QString::number(s->MinVal));
        eMaxVal->setText(QString::number(s->MaxVal));
        eSeqMinSize->setText(QString::number(s->MinSize));
    } else if (auto *d = dynamic_cast<TDateField *>(part)) {
        rbDate->setChecked(true);
        eDate->setText(d->Format);
    }
    UpdateEnabling();
}

void TFAdvanced::WarnAndRefocus(QLineEdit *field, const QString &text)
{
    DialogMessage(this, text);
    leave_->Refocus(field);
}

void TFAdvanced::eFieldNumExit()
{
    bool ok = false;
    const int v = eFieldNum->text().toInt(&ok);
    if (!ok || v == 0)
        eFieldNum->setText(QStringLiteral("1"));
    ChangeSelected();
}

void TFAdvanced::eFieldMinSizeExit()
{
    bool ok = false;
    eFieldMinSize->text().toInt(&ok);
    if (!ok)
        eFieldMinSize->setText(QStringLiteral("0"));
    ChangeSelected();
}

void TFAdvanced::ePadCharExit()
{
    if (ePadChar->text().isEmpty())
        ePadChar->setText(QStringLiteral(" "));
    ChangeSelected();
}

void TFAdvanced::eSeqMinSizeExit()
{
    bool ok = false;
    eSeqMinSize->text().toInt(&ok);
    if (!ok)
        eSeqMinSize->setText(QStringLiteral("0"));
    ChangeSelected();
}

void TFAdvanced::eDateExit()
{
    if (eDate->text().isEmpty())
        eDate->setText(QStringLiteral("yyyymmdd"));
    ChangeSelected();
}

// A counter field holding anything but digits (pasted text) counts as empty.
void TFAdvanced::eCurValExit()
{
    bool ok = false;
    const int cur = eCurVal->text().toInt(&ok);
    const int min = numberIn(eMinVal, 0);
    const int max = numberIn(eMaxVal, 999999999);
    if (!ok) {
        eCurVal->setText(eMinVal->text());
    } else if (cur < min) {
        WarnAndRefocus(eCurVal, tr("You must enter a value greater or equal to") + kMessageLineBreak +
                                    tr("the minimum sequence value ") + QString::number(min) +
                                    QLatin1Char('.'));
    } else if (cur > max) {
        WarnAndRefocus(eCurVal, tr("You must enter a value less than or equal") + kMessageLineBreak +
                                    tr("to the maximum sequence value ") + QString::number(max) +
                                    QLatin1Char('.'));
    }
    ChangeSelected();
}

void TFAdvanced::eMinValExit()
{
    bool ok = false;
    const int min = eMinVal->text().toInt(&ok);
    const int cur = numberIn(eCurVal, 0);
    const int max = numberIn(eMaxVal, 999999999);
    if (!ok) {
        eMinVal->setText(QStringLiteral("0"));
    } else if (min > cur) {
        eCurVal->setText(eMinVal->text());
    } else if (min >= max) {
        WarnAndRefocus(eMinVal, tr("You must enter a value less than the") + kMessageLineBreak +
                                    tr("the maximum sequence value ") + QString::number(max) +
                                    QLatin1Char('.'));
    }
    ChangeSelected();
}

void TFAdvanced::eMaxValExit()
{
    bool ok = false;
    const int max = eMaxVal->text().toInt(&ok);
    const int cur = numberIn(eCurVal, 0);
    const int min = numberIn(eMinVal, 0);
    if (!ok) {
        eMaxVal->setText(QStringLiteral("999999999"));
    } else if (max < cur) {
        eCurVal->setText(eMaxVal->text());
    } else if (max <= min) {
        WarnAndRefocus(eMaxVal, tr("You must enter a value greater than the") + kMessageLineBreak +
                                    tr("the minimum sequeunce value ") + QString::number(min) +
                                    QLatin1Char('.'));
    }
    ChangeSelected();
}

QString TFAdvanced::DateHelpText()
{
    struct Entry {
        const char *specifier;
        std::initializer_list<const char *> lines;
    };
    static const Entry entries[] = {
        {"\"d\"", {QT_TR_NOOP("Displays the day as a number without a leading"), QT_TR_NOOP("zero (1-31).")}},
        {"\"dd\"", {QT_TR_NOOP("Displays the day as a number with a leading"), QT_TR_NOOP("zero (01-31).")}},
        {"\"ddd\"", {QT_TR_NOOP("Displays the day as an abbreviation (Sun-Sat).")}},
        {"\"dddd\"", {QT_TR_NOOP("Displays the day as a full name (Sunday-Saturday).")}},
        {"\"m\"", {QT_TR_NOOP("Displays the month as a number without a leading"), QT_TR_NOOP("zero (1-12).")}},
        {"\"mm\"", {QT_TR_NOOP("Displays the month as a number with a leading"), QT_TR_NOOP("zero (01-12).")}},
        {"\"mmm\"", {QT_TR_NOOP("Displays the month as an abbreviation (Jan-Dec).")}},
        {"\"mmmm\"", {QT_TR_NOOP("Displays the month as a full name (January-"), QT_TR_NOOP("December)")}},
        {"\"yy\"", {QT_TR_NOOP("Displays the year as a two-digit number (00-99).")}},
        {"\"yyyy\"", {QT_TR_NOOP("Displays the year as a four-digit number (0000-"), QT_TR_NOOP("9999).")}},
        {"\"h\"", {QT_TR_NOOP("Displays the hour without a leading zero (0-23).")}},
        {"\"hh\"", {QT_TR_NOOP("Displays the hour with a leading zero (00-23).")}},
        {"\"n\"", {QT_TR_NOOP("Displays the minute without a leading zero (0-59).")}},
        {"\"nn\"", {QT_TR_NOOP("Displays the minute with a leading zero (00-59).")}},
        {"\"s\"", {QT_TR_NOOP("Displays the second without a leading zero (0-59).")}},
        {"\"ss\"", {QT_TR_NOOP("Displays the second with a leading zero (00-59).")}},
        {"\"am\"/\"pm\"", {QT_TR_NOOP("Uses the 12-hour clock for the preceding h or hh"), QT_TR_NOOP("specifier.")}},
        {"\"a\"/\"p\"", {QT_TR_NOOP("Uses the 12-hour clock for the preceding h or hh"), QT_TR_NOOP("specifier.")}},
        {"\"ampm\"", {QT_TR_NOOP("Displays the 12-hour clock specifier am or pm.")}},
        {"\"/\"", {QT_TR_NOOP("Displays the date separator character.")}},
        {"\":\"", {QT_TR_NOOP("Displays the time separator character.")}},
    };
    QStringList lines = {tr("Date Format Specifiers"), tr("Specifier  Displays"),
                         QStringLiteral("=========  ========")};
    for (const Entry &e : entries) {
        bool first = true;
        for (const char *line : e.lines) {
            const QString head = first ? QString::fromLatin1(e.specifier) : QString();
            lines << head.leftJustified(11, QLatin1Char(' ')) + tr(line);
            first = false;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

void TFAdvanced::sbDateHelpClick()
{
    QDialog help(this, Qt::Tool | Qt::WindowStaysOnTopHint);
    help.setObjectName(QStringLiteral("DateHelp"));
    help.setWindowTitle(tr("Date/Time Picker Format Strings"));
    help.resize(455, 300);
    auto *text = new QPlainTextEdit(&help);
    text->setReadOnly(true);
    text->setFont(QFont(QStringLiteral("Courier New"), 8));
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setPlainText(DateHelpText());
    auto *layout = new QVBoxLayout(&help);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    CenterOver(&help, this);
    help.exec();
}
