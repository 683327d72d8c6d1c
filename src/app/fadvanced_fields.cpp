// The composed-text editor's fields: one group per kind of part, filled from
// the selected part, read back into it, and their rules on leaving a field.
#include "app/fadvanced.h"

#include "app/dialogkit.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
int numberIn(const QLineEdit *e, int fallback)
{
    bool ok = false;
    const int v = e->text().toInt(&ok);
    return ok ? v : fallback;
}

// The offset units in the order of the unit box: days, months, years.
const QString kOffsetUnits = QStringLiteral("dmy");

// Part numbers from 1 as a check part names them ("1-3", "2,4"); empty
// names every earlier part. The model reads nothing from a text it refuses.
bool OverParses(const QString &over)
{
    return over.trimmed().isEmpty() || !CheckCoverage(over, 0, 9999).isEmpty();
}

QString TimeText(const QTime &t)
{
    return t.toString(t.second() ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm"));
}

QTime TimeOf(const QString &text)
{
    QTime t = QTime::fromString(text, QStringLiteral("H:mm:ss"));
    return t.isValid() ? t : QTime::fromString(text, QStringLiteral("H:mm"));
}
} // namespace

void TFAdvanced::UpdateEnabling()
{
    eText->setEnabled(rbText->isChecked());
    for (QWidget *w : {eFieldNum, eFieldMinSize, ePadChar})
        w->setEnabled(rbField->isChecked());
    for (QWidget *w : {eCurVal, eMinVal, eMaxVal, eSeqMinSize})
        w->setEnabled(rbSequence->isChecked());
    cbFieldName->setEnabled(rbField->isChecked());
    for (QWidget *w : std::initializer_list<QWidget *>{seStep, seRepeat, cbPer, cbRadix})
        w->setEnabled(rbSequence->isChecked());
    const bool date = rbDate->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{eDate, sbDateHelp, seOffset, cbOffsetUnit, cbDateSource, cbTime})
        w->setEnabled(date);
    // A date read from a column or asked for needs a name and a way to read it.
    const bool read = date && cbDateSource->currentIndex() != int(TDateSource::Now);
    eDateSourceName->setEnabled(read);
    eDateIn->setEnabled(read);
    teTime->setEnabled(date && cbTime->currentIndex() == 1);
    for (QWidget *w : std::initializer_list<QWidget *>{eAskName, eAskCaption, eAskDefault, eAskPattern, seAskSize})
        w->setEnabled(rbAsk->isChecked());
    cbCheckScheme->setEnabled(rbCheck->isChecked());
    eCheckOver->setEnabled(rbCheck->isChecked());
}

QString TFAdvanced::EditedEntryText(const TAdvancedField &f) const
{
    QString desc;
    if (f.FieldType == QLatin1String("TEXT"))
        desc = eText->text();
    else if (f.FieldType == QLatin1String("FIELD")) {
        const QString name = cbFieldName->currentText().trimmed();
        desc = QStringLiteral("F_") + (name.isEmpty() ? eFieldNum->text() : name);
    } else if (f.FieldType == QLatin1String("SEQUENCE")) {
        const auto *s = dynamic_cast<const TSequenceField *>(&f);
        desc = s && s->Radix != TCountRadix::Decimal ? SequenceText(*s)
                                                      : PadLeft(eCurVal->text(), numberIn(eSeqMinSize, 0), QLatin1Char('0'));
    } else {
        desc = FieldDesignText(f);
    }
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
        i->FieldName = cbFieldName->currentText().trimmed();
    } else if (auto *s = dynamic_cast<TSequenceField *>(&f)) {
        s->CurVal = numberIn(eCurVal, 0);
        s->MinVal = numberIn(eMinVal, 0);
        s->MaxVal = numberIn(eMaxVal, 999999999);
        s->MinSize = numberIn(eSeqMinSize, 0);
        // Values a part cannot hold are refused: the part keeps its own.
        if (seStep->value() != 0)
            s->Step = seStep->value();
        s->Repeat = seRepeat->value();
        s->Per = static_cast<TCountPer>(cbPer->currentIndex());
        s->Radix = static_cast<TCountRadix>(cbRadix->currentIndex());
    } else if (auto *d = dynamic_cast<TDateField *>(&f)) {
        d->Format = eDate->text();
        d->Offset = seOffset->value();
        d->OffsetUnit = kOffsetUnits.at(qMax(0, cbOffsetUnit->currentIndex()));
        d->Source = static_cast<TDateSource>(cbDateSource->currentIndex());
        d->SourceName = d->Source == TDateSource::Now ? QString() : eDateSourceName->text().trimmed();
        d->InputPattern = eDateIn->text().isEmpty() ? QStringLiteral("yyyy-mm-dd") : eDateIn->text();
        d->TimeOfDay = cbTime->currentIndex() == 1 ? TimeText(teTime->time()) : QString();
    } else if (auto *a = dynamic_cast<TAskField *>(&f)) {
        if (!eAskName->text().trimmed().isEmpty())
            a->Name = eAskName->text().trimmed();
        a->Caption = eAskCaption->text();
        a->Default = eAskDefault->text();
        if (QRegularExpression(eAskPattern->text()).isValid())
            a->Pattern = eAskPattern->text();
        a->Size = seAskSize->value();
    } else if (auto *c = dynamic_cast<TCheckField *>(&f)) {
        c->Scheme = static_cast<TCheckScheme>(cbCheckScheme->currentIndex());
        if (OverParses(eCheckOver->text()))
            c->Over = eCheckOver->text().trimmed();
    }
}

std::pair<QWidget *, QString> TFAdvanced::KindProblem() const
{
    if (rbSequence->isChecked() && seStep->value() == 0)
        return {seStep, tr("The step must not be 0.")};
    if (rbDate->isChecked() && cbDateSource->currentIndex() != int(TDateSource::Now) &&
        eDateSourceName->text().trimmed().isEmpty())
        return {eDateSourceName, tr("Give the column (its name or number) or the name of the value")
                                     + kMessageLineBreak + tr("the date is read from.")};
    if (rbAsk->isChecked()) {
        if (eAskName->text().trimmed().isEmpty())
            return {eAskName, tr("A value asked at print time needs a name.")};
        const QRegularExpression re(eAskPattern->text());
        if (!re.isValid())
            return {eAskPattern, tr("This is not a valid regular expression: ") + eAskPattern->text() +
                                     kMessageLineBreak + re.errorString()};
    }
    if (rbCheck->isChecked() && !OverParses(eCheckOver->text()))
        return {eCheckOver, tr("Give the parts to check by their numbers, such as 1-3 or 1,2,5.")};
    return {nullptr, QString()};
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
    UpdateSample();
}

void TFAdvanced::lFieldsClick()
{
    TAdvancedField *part = SelectedPart();
    if (!part)
        return;
    // Loading one field must not write the others, still the previous
    // part's, into this part.
    const bool was = filling_;
    filling_ = true;
    if (auto *t = dynamic_cast<TTextField *>(part)) {
        rbText->setChecked(true);
        eText->setText(t->Text);
    } else if (auto *i = dynamic_cast<TImportedField *>(part)) {
        rbField->setChecked(true);
        eFieldNum->setText(QString::number(i->FieldNum));
        eFieldMinSize->setText(QString::number(i->MinSize));
        ePadChar->setText(QString(i->PadChar));
        cbFieldName->setEditText(i->FieldName);
    } else if (auto *s = dynamic_cast<TSequenceField *>(part)) {
        rbSequence->setChecked(true);
        eCurVal->setText(QString::number(s->CurVal));
        eMinVal->setText(QString::number(s->MinVal));
        eMaxVal->setText(QString::number(s->MaxVal));
        eSeqMinSize->setText(QString::number(s->MinSize));
        seStep->setValue(s->Step);
        seRepeat->setValue(s->Repeat);
        cbPer->setCurrentIndex(int(s->Per));
        cbRadix->setCurrentIndex(int(s->Radix));
    } else if (auto *d = dynamic_cast<TDateField *>(part)) {
        rbDate->setChecked(true);
        eDate->setText(d->Format);
        seOffset->setValue(d->Offset);
        cbOffsetUnit->setCurrentIndex(qMax(0, int(kOffsetUnits.indexOf(d->OffsetUnit.toLower()))));
        cbDateSource->setCurrentIndex(int(d->Source));
        eDateSourceName->setText(d->SourceName);
        eDateIn->setText(d->InputPattern);
        cbTime->setCurrentIndex(d->TimeOfDay.isEmpty() ? 0 : 1);
        if (!d->TimeOfDay.isEmpty())
            teTime->setTime(TimeOf(d->TimeOfDay));
    } else if (auto *a = dynamic_cast<TAskField *>(part)) {
        rbAsk->setChecked(true);
        eAskName->setText(a->Name);
        eAskCaption->setText(a->Caption);
        eAskDefault->setText(a->Default);
        eAskPattern->setText(a->Pattern);
        seAskSize->setValue(a->Size);
    } else if (auto *c = dynamic_cast<TCheckField *>(part)) {
        rbCheck->setChecked(true);
        cbCheckScheme->setCurrentIndex(int(c->Scheme));
        eCheckOver->setText(c->Over);
    }
    filling_ = was;
    UpdateEnabling();
}

void TFAdvanced::WarnAndRefocus(QWidget *field, const QString &text)
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

void TFAdvanced::seStepExit()
{
    seStep->interpretText();
    if (seStep->value() == 0)
        WarnAndRefocus(seStep, tr("The step must not be 0."));
    ChangeSelected();
}

// Only a part already made can lose its name here; a new one is refused when
// it is added.
void TFAdvanced::eAskNameExit()
{
    if (eAskName->text().trimmed().isEmpty() && dynamic_cast<TAskField *>(SelectedPart()))
        WarnAndRefocus(eAskName, tr("A value asked at print time needs a name."));
    ChangeSelected();
}

void TFAdvanced::eAskPatternExit()
{
    const QRegularExpression re(eAskPattern->text());
    if (!re.isValid())
        WarnAndRefocus(eAskPattern, tr("This is not a valid regular expression: ") + eAskPattern->text() +
                                        kMessageLineBreak + re.errorString());
    ChangeSelected();
}

void TFAdvanced::eCheckOverExit()
{
    if (!OverParses(eCheckOver->text()))
        WarnAndRefocus(eCheckOver, tr("Give the parts to check by their numbers, such as 1-3 or 1,2,5."));
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
        {"\"星期\"", {QT_TR_NOOP("Displays the weekday in Chinese (星期一-星期日).")}},
        {"年 月 日", {QT_TR_NOOP("Are shown as they are, as are \"-\" and \".\":"),
                      QT_TR_NOOP("\"yyyy年m月d日\" gives 2026年3月9日.")}},
    };
    QStringList lines = {tr("Date Format Specifiers"), tr("Specifier  Displays"),
                         QStringLiteral("=========  ========")};
    for (const Entry &e : entries) {
        bool first = true;
        for (const char *line : e.lines) {
            const QString head = first ? QString::fromUtf8(e.specifier) : QString();
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
