// The advanced text editor driven through its controls.

#include "app/fadvanced.h"
#include "dialogs_testkit.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QtTest>

namespace {
std::unique_ptr<TAdvancedField> textPart(const QString &s)
{
    auto t = std::make_unique<TTextField>();
    t->Text = s;
    return t;
}

QStringList entries(const QListWidget *list)
{
    QStringList r;
    for (int i = 0; i < list->count(); ++i)
        r << list->item(i)->text();
    return r;
}

QStringList texts(const TFieldList &fields)
{
    QStringList r;
    for (const auto &f : fields)
        r << static_cast<const TTextField &>(*f).Text;
    return r;
}

// Types any characters, also those QTest's key names lack (年, 星).
void typeChars(QWidget *field, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &release);
    }
}

void clickEntry(QListWidget *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void dropAt(QListWidget *list, const QPoint &pos)
{
    QMimeData data;
    data.setData(TPartListBox::MimeType, QByteArray("0"));
    QDragEnterEvent enter(pos, Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent move(pos, Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &move);
    QVERIFY(move.isAccepted());
    QDropEvent drop(QPointF(pos), Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(list->viewport(), &drop);
}
} // namespace

class AdvancedEditorTest : public QObject {
    Q_OBJECT
private slots:
    void counterEntryIsPadded();
    void counterChecks_data();
    void counterChecks();
    void cancelKeepsEveryPart();
    void okTakesListOrderAndEdits();
    void dragReorders_data();
    void dragReorders();
    void keyFilters();
    void enterMovesToAddAndRepairs();
    void loadedColumnEntryIsRewrittenWhenLeft();
    void removedEntryLeavesNoSelection();
    void dateHelpLayout();
    void newSettingsRoundTrip_data();
    void newSettingsRoundTrip();
    void refusals_data();
    void refusals();
    void sampleFollowsTheList();
};

void AdvancedEditorTest::counterEntryIsPadded()
{
    TFAdvanced dlg;
    TFieldList fields;
    WhenShown(&dlg, [&] {
        ClickIndicator(dlg.rbSequence);
        QVERIFY(dlg.eCurVal->isEnabled());
        QVERIFY(!dlg.eText->isEnabled());
        TypeInto(dlg.eCurVal, QStringLiteral("5"));
        TypeInto(dlg.eSeqMinSize, QStringLiteral("3"));
        QTest::mouseClick(dlg.AddBtn, Qt::LeftButton);
        QCOMPARE(entries(dlg.lFields), QStringList{QStringLiteral("SEQUENCE[005]")});
        QCOMPARE(dlg.lFields->currentRow(), 0);
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(fields));
    QCOMPARE(fields.size(), size_t(1));
    auto *s = dynamic_cast<TSequenceField *>(fields[0].get());
    QVERIFY(s);
    QCOMPARE(s->CurVal, 5);
    QCOMPARE(s->MinSize, 3);
    QCOMPARE(s->MaxVal, 999999999);
}

void AdvancedEditorTest::counterChecks_data()
{
    QTest::addColumn<QString>("cur");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("left"); // the field whose leave rule runs
    QTest::addColumn<QString>("curAfter");
    QTest::addColumn<QString>("message");

    QTest::newRow("min over current raises it") << "3" << "7" << "5" << "eMinVal" << "7" << "";
    QTest::newRow("max 0 over min 0") << "0" << "0" << "0" << "eMaxVal" << "0"
                                      << "You must enter a value greater than the\n\r"
                                         "the minimum sequeunce value 0.";
    QTest::newRow("max under current lowers it") << "50" << "0" << "20" << "eMaxVal" << "20" << "";
    QTest::newRow("current under min") << "3" << "5" << "9" << "eCurVal" << "3"
                                       << "You must enter a value greater or equal to\n\r"
                                          "the minimum sequence value 5.";
    QTest::newRow("current over max") << "12" << "0" << "10" << "eCurVal" << "12"
                                      << "You must enter a value less than or equal\n\r"
                                         "to the maximum sequence value 10.";
    QTest::newRow("min reaching max") << "10" << "10" << "10" << "eMinVal" << "10"
                                      << "You must enter a value less than the\n\r"
                                         "the maximum sequence value 10.";
    QTest::newRow("empty current takes min") << "" << "4" << "9" << "eCurVal" << "4" << "";
}

void AdvancedEditorTest::counterChecks()
{
    QFETCH(QString, cur);
    QFETCH(QString, min);
    QFETCH(QString, max);
    QFETCH(QString, left);
    QFETCH(QString, curAfter);
    QFETCH(QString, message);

    TFAdvanced dlg;
    TFieldList fields;
    MessageCatcher messages;
    WhenShown(&dlg, [&] {
        ClickIndicator(dlg.rbSequence);
        dlg.eCurVal->setText(cur);
        dlg.eMinVal->setText(min);
        dlg.eMaxVal->setText(max);
        auto *field = dlg.findChild<QLineEdit *>(left);
        QVERIFY(field);
        field->setFocus();
        // Leaving for a field whose own rule would alter the values if it ran
        // on the way back.
        MoveFocusTo(field == dlg.eMinVal ? dlg.eCurVal : dlg.eMinVal);
        QCOMPARE(dlg.eCurVal->text(), curAfter);
        if (message.isEmpty()) {
            QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join('|')));
        } else {
            QCOMPARE(messages.texts, QStringList{message});
            QCOMPARE(QApplication::focusWidget(), field);
        }
        QCOMPARE(dlg.eMinVal->text(), min);
    });
    dlg.Execute(fields);
}

void AdvancedEditorTest::cancelKeepsEveryPart()
{
    TFAdvanced dlg;
    TFieldList fields;
    fields.push_back(textPart(QStringLiteral("a")));
    fields.push_back(textPart(QStringLiteral("b")));
    TAdvancedField *first = fields[0].get();
    WhenShown(&dlg, [&] {
        clickEntry(dlg.lFields, 0);
        QCOMPARE(dlg.eText->text(), QStringLiteral("a"));
        TypeInto(dlg.eText, QStringLiteral("changed"));
        QCOMPARE(dlg.lFields->item(0)->text(), QStringLiteral("TEXT[changed]"));
        QTest::mouseClick(dlg.SubBtn, Qt::LeftButton);
        QCOMPARE(dlg.lFields->count(), 1);
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    });
    QVERIFY(!dlg.Execute(fields));
    QCOMPARE(texts(fields), (QStringList{"a", "b"}));
    QCOMPARE(fields[0].get(), first);
    QCOMPARE(dlg.lFields->count(), 0);
}

void AdvancedEditorTest::okTakesListOrderAndEdits()
{
    TFAdvanced dlg;
    TFieldList fields;
    fields.push_back(textPart(QStringLiteral("a")));
    fields.push_back(textPart(QStringLiteral("b")));
    fields.push_back(textPart(QStringLiteral("c")));
    WhenShown(&dlg, [&] {
        clickEntry(dlg.lFields, 1);
        QTest::mouseClick(dlg.SubBtn, Qt::LeftButton);
        clickEntry(dlg.lFields, 1);
        TypeInto(dlg.eText, QStringLiteral("C"));
        ClickIndicator(dlg.rbDate);
        TypeInto(dlg.eDate, QStringLiteral("yyyy"));
        QTest::mouseClick(dlg.AddBtn, Qt::LeftButton);
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(fields));
    QCOMPARE(fields.size(), size_t(3));
    QCOMPARE(static_cast<TTextField &>(*fields[0]).Text, QStringLiteral("a"));
    QCOMPARE(static_cast<TTextField &>(*fields[1]).Text, QStringLiteral("C"));
    auto *d = dynamic_cast<TDateField *>(fields[2].get());
    QVERIFY(d);
    QCOMPARE(d->Format, QStringLiteral("yyyy"));
}

void AdvancedEditorTest::dragReorders_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("onto"); // -1: below the last entry
    QTest::addColumn<QStringList>("order");
    QTest::newRow("first onto third") << 0 << 2 << QStringList{"b", "a", "c"};
    QTest::newRow("first below last") << 0 << -1 << QStringList{"b", "c", "a"};
    QTest::newRow("third onto first") << 2 << 0 << QStringList{"c", "a", "b"};
    QTest::newRow("onto itself") << 1 << 1 << QStringList{"a", "b", "c"};
}

void AdvancedEditorTest::dragReorders()
{
    QFETCH(int, from);
    QFETCH(int, onto);
    QFETCH(QStringList, order);
    TFAdvanced dlg;
    TFieldList fields;
    for (const char *s : {"a", "b", "c"})
        fields.push_back(textPart(QString::fromLatin1(s)));
    WhenShown(&dlg, [&] {
        clickEntry(dlg.lFields, from);
        const QListWidget *list = dlg.lFields;
        const QPoint pos = onto >= 0 ? list->visualItemRect(list->item(onto)).center()
                                     : QPoint(5, list->visualItemRect(list->item(2)).bottom() + 8);
        QVERIFY(list->viewport()->rect().contains(pos));
        dropAt(dlg.lFields, pos);
        QCOMPARE(dlg.lFields->currentItem()->text(), QStringLiteral("TEXT[%1]").arg(QChar('a' + from)));
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(fields));
    QCOMPARE(texts(fields), order);
}

void AdvancedEditorTest::keyFilters()
{
    TFAdvanced dlg;
    TFieldList fields;
    WhenShown(&dlg, [&] {
        ClickIndicator(dlg.rbDate);
        TypeInto(dlg.eDate, QStringLiteral("Y1yy/mm dd:hhnnss am/pmX"));
        QCOMPARE(dlg.eDate->text(), QStringLiteral("yy/mm dd:hhnnss am/pm"));
        ClickIndicator(dlg.rbSequence);
        TypeInto(dlg.eCurVal, QStringLiteral("1a2-3.4"));
        QCOMPARE(dlg.eCurVal->text(), QStringLiteral("1234"));
        ClickIndicator(dlg.rbField);
        TypeInto(dlg.ePadChar, QStringLiteral("#"));
        QCOMPARE(dlg.ePadChar->text(), QStringLiteral("#"));
    });
    dlg.Execute(fields);
}

void AdvancedEditorTest::enterMovesToAddAndRepairs()
{
    TFAdvanced dlg;
    TFieldList fields;
    WhenShown(&dlg, [&] {
        ClickIndicator(dlg.rbField);
        TypeInto(dlg.eFieldNum, QStringLiteral("0"));
        QTest::keyClick(dlg.eFieldNum, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), dlg.AddBtn);
        QCOMPARE(dlg.eFieldNum->text(), QStringLiteral("1"));
        QVERIFY(dlg.isVisible());
        TypeInto(dlg.ePadChar, QString());
        QTest::keyClick(dlg.ePadChar, Qt::Key_Enter);
        QCOMPARE(dlg.ePadChar->text(), QStringLiteral(" "));
        ClickIndicator(dlg.rbDate);
        TypeInto(dlg.eDate, QString());
        MoveFocusTo(dlg.AddBtn);
        QCOMPARE(dlg.eDate->text(), QStringLiteral("yyyymmdd"));
    });
    dlg.Execute(fields);
}

void AdvancedEditorTest::loadedColumnEntryIsRewrittenWhenLeft()
{
    TFAdvanced dlg;
    TFieldList fields;
    auto part = std::make_unique<TImportedField>();
    part->FieldNum = 1;
    part->MinSize = 5;
    part->PadChar = QLatin1Char('*');
    fields.push_back(std::move(part));
    WhenShown(&dlg, [&] {
        QCOMPARE(dlg.lFields->item(0)->text(), QStringLiteral("FIELD[F_1**]"));
        clickEntry(dlg.lFields, 0);
        QVERIFY(dlg.rbField->isChecked());
        QVERIFY(dlg.eFieldNum->isEnabled());
        QCOMPARE(dlg.eFieldMinSize->text(), QStringLiteral("5"));
        QCOMPARE(dlg.ePadChar->text(), QStringLiteral("*"));
        QCOMPARE(dlg.lFields->item(0)->text(), QStringLiteral("FIELD[F_1**]"));
        dlg.eFieldNum->setFocus();
        MoveFocusTo(dlg.eFieldMinSize);
        QCOMPARE(dlg.lFields->item(0)->text(), QStringLiteral("FIELD[F_1]"));
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(fields));
    auto *f = dynamic_cast<TImportedField *>(fields[0].get());
    QVERIFY(f);
    QCOMPARE(f->MinSize, 5);
    QCOMPARE(f->PadChar, QLatin1Char('*'));
}

void AdvancedEditorTest::removedEntryLeavesNoSelection()
{
    // After a removal the fields must not be written into a neighbouring part.
    TFAdvanced dlg;
    TFieldList fields;
    fields.push_back(textPart(QStringLiteral("a")));
    fields.push_back(textPart(QStringLiteral("b")));
    WhenShown(&dlg, [&] {
        clickEntry(dlg.lFields, 0);
        QTest::mouseClick(dlg.SubBtn, Qt::LeftButton);
        TypeInto(dlg.eText, QStringLiteral("x"));
        QCOMPARE(entries(dlg.lFields), QStringList{QStringLiteral("TEXT[b]")});
        QTest::mouseClick(dlg.SubAllBtn, Qt::LeftButton);
        QCOMPARE(dlg.lFields->count(), 0);
        QTest::mouseClick(dlg.SubBtn, Qt::LeftButton); // nothing to remove: no effect
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(fields));
    QVERIFY(fields.empty());
}

void AdvancedEditorTest::dateHelpLayout()
{
    const QStringList lines = TFAdvanced::DateHelpText().split('\n');
    QCOMPARE(lines.value(0), QStringLiteral("Date Format Specifiers"));
    QCOMPARE(lines.value(2), QStringLiteral("=========  ========"));
    QCOMPARE(lines.value(3), QStringLiteral("\"d\"        Displays the day as a number without a leading"));
    QCOMPARE(lines.value(4), QStringLiteral("           zero (1-31)."));
    QVERIFY(lines.contains(QStringLiteral("\"am\"/\"pm\"  Uses the 12-hour clock for the preceding h or hh")));
    QVERIFY(lines.contains(QStringLiteral("\":\"        Displays the time separator character.")));
    QVERIFY(lines.contains(QStringLiteral("\"星期\"       Displays the weekday in Chinese (星期一-星期日).")));
    QCOMPARE(lines.size(), 3 + 23 + 9);
}

// Each kind's new settings, typed into the form, added, and loaded back.
void AdvancedEditorTest::newSettingsRoundTrip_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("entry"); // the entry after adding; empty: not compared
    QTest::newRow("column by name") << "FIELD" << "FIELD[F_批号]";
    QTest::newRow("counter") << "SEQUENCE" << "SEQUENCE[00A]";
    QTest::newRow("date") << "DATE" << "";
    QTest::newRow("asked") << "ASK" << "";
    QTest::newRow("check") << "CHECK" << "";
}

void AdvancedEditorTest::newSettingsRoundTrip()
{
    QFETCH(QString, kind);
    QFETCH(QString, entry);
    TFAdvanced dlg;
    dlg.SetColumnNames({QStringLiteral("批号"), QStringLiteral("日期")});
    TFieldList fields;
    fields.push_back(textPart(QStringLiteral("x")));
    WhenShown(&dlg, [&] {
        if (kind == "FIELD") {
            ClickIndicator(dlg.rbField);
            QCOMPARE(dlg.cbFieldName->count(), 2);
            dlg.cbFieldName->setCurrentIndex(0);
        } else if (kind == "SEQUENCE") {
            ClickIndicator(dlg.rbSequence);
            QVERIFY(dlg.seStep->isEnabled());
            TypeInto(dlg.eCurVal, QStringLiteral("10"));
            TypeInto(dlg.eSeqMinSize, QStringLiteral("3"));
            dlg.seStep->setValue(-2);
            dlg.seRepeat->setValue(3);
            dlg.cbPer->setCurrentIndex(1);
            dlg.cbRadix->setCurrentIndex(1);
        } else if (kind == "DATE") {
            ClickIndicator(dlg.rbDate);
            QVERIFY(!dlg.eDateIn->isEnabled());
            TypeInto(dlg.eDate, QString());
            typeChars(dlg.eDate, QStringLiteral("yyyy年m月d日 星期X1"));
            QCOMPARE(dlg.eDate->text(), QStringLiteral("yyyy年m月d日 星期"));
            dlg.seOffset->setValue(-6);
            dlg.cbOffsetUnit->setCurrentIndex(1);
            dlg.cbDateSource->setCurrentIndex(1);
            QVERIFY(dlg.eDateIn->isEnabled());
            QVERIFY(!dlg.teTime->isEnabled());
            dlg.eDateSourceName->setText(QStringLiteral("日期"));
            TypeInto(dlg.eDateIn, QStringLiteral("dd.mm.yyyy"));
            dlg.cbTime->setCurrentIndex(1);
            QVERIFY(dlg.teTime->isEnabled());
            dlg.teTime->setTime(QTime(8, 30));
        } else if (kind == "ASK") {
            ClickIndicator(dlg.rbAsk);
            TypeInto(dlg.eAskName, QStringLiteral("lot"));
            dlg.eAskCaption->setText(QStringLiteral("批号"));
            TypeInto(dlg.eAskDefault, QStringLiteral("A1"));
            TypeInto(dlg.eAskPattern, QStringLiteral("[A-Z][0-9]+"));
            dlg.seAskSize->setValue(8);
        } else if (kind == "CHECK") {
            ClickIndicator(dlg.rbCheck);
            dlg.cbCheckScheme->setCurrentIndex(int(TCheckScheme::Mod97));
            TypeInto(dlg.eCheckOver, QStringLiteral("1"));
        }
        QTest::mouseClick(dlg.AddBtn, Qt::LeftButton);
        QCOMPARE(dlg.lFields->count(), 2);
        const QString added = dlg.lFields->item(1)->text();
        QVERIFY2(added.startsWith(kind + '['), qPrintable(added));
        if (!entry.isEmpty())
            QCOMPARE(added, entry);
        // Another part selected and this one again: the form shows its values.
        clickEntry(dlg.lFields, 0);
        clickEntry(dlg.lFields, 1);
        if (kind == "FIELD")
            QCOMPARE(dlg.cbFieldName->currentText(), QStringLiteral("批号"));
        else if (kind == "SEQUENCE")
            QCOMPARE(std::tuple(dlg.seStep->value(), dlg.seRepeat->value(), dlg.cbPer->currentIndex(),
                                dlg.cbRadix->currentIndex()),
                     std::tuple(-2, 3, 1, 1));
        else if (kind == "DATE")
            QCOMPARE(std::tuple(dlg.seOffset->value(), dlg.cbDateSource->currentIndex(), dlg.eDateSourceName->text(),
                                dlg.teTime->time()),
                     std::tuple(-6, 1, QStringLiteral("日期"), QTime(8, 30)));
        else if (kind == "ASK")
            QCOMPARE(dlg.eAskPattern->text(), QStringLiteral("[A-Z][0-9]+"));
        else if (kind == "CHECK")
            QCOMPARE(dlg.eCheckOver->text(), QStringLiteral("1"));
        QCOMPARE(dlg.lFields->item(1)->text(), added);
        QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    QVERIFY(dlg.Execute(fields));
    QCOMPARE(fields.size(), size_t(2));
    const TAdvancedField *f = fields[1].get();
    if (auto *i = dynamic_cast<const TImportedField *>(f)) {
        QCOMPARE(i->FieldName, QStringLiteral("批号"));
    } else if (auto *s = dynamic_cast<const TSequenceField *>(f)) {
        QCOMPARE(std::tuple(s->CurVal, s->Step, s->Repeat, s->Per, s->Radix),
                 std::tuple(10, -2, 3, TCountPer::Record, TCountRadix::Hex));
    } else if (auto *d = dynamic_cast<const TDateField *>(f)) {
        QCOMPARE(DateOffsetText(d->Offset, d->OffsetUnit), QStringLiteral("-6m"));
        QCOMPARE(DateSourceText(d->Source, d->SourceName), QStringLiteral("column:日期"));
        QCOMPARE(std::tuple(d->Format, d->InputPattern, d->TimeOfDay),
                 std::tuple(QStringLiteral("yyyy年m月d日 星期"), QStringLiteral("dd.mm.yyyy"), QStringLiteral("08:30")));
    } else if (auto *a = dynamic_cast<const TAskField *>(f)) {
        QCOMPARE(std::tuple(a->Name, a->Caption, a->Default, a->Pattern, a->Size),
                 std::tuple(QStringLiteral("lot"), QStringLiteral("批号"), QStringLiteral("A1"),
                            QStringLiteral("[A-Z][0-9]+"), 8));
    } else if (auto *c = dynamic_cast<const TCheckField *>(f)) {
        QCOMPARE(c->Scheme, TCheckScheme::Mod97);
        QCOMPARE(c->Over, QStringLiteral("1"));
    } else {
        QFAIL("no part of the kind added");
    }
}

// Values no part can take are refused with a message and the focus back in
// the field; the part is not added.
void AdvancedEditorTest::refusals_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // its start
    QTest::newRow("step 0") << "rbSequence" << "seStep" << "0" << "The step must not be 0.";
    QTest::newRow("bad pattern") << "rbAsk" << "eAskPattern" << "[0-9"
                                 << "This is not a valid regular expression: [0-9";
    QTest::newRow("no name") << "rbAsk" << "eAskName" << "" << "A value asked at print time needs a name.";
    QTest::newRow("over unreadable") << "rbCheck" << "eCheckOver" << "3-1"
                                     << "Give the parts to check by their numbers";
    QTest::newRow("over letters") << "rbCheck" << "eCheckOver" << "a" << "Give the parts to check by their numbers";
}

void AdvancedEditorTest::refusals()
{
    QFETCH(QString, radio);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    TFAdvanced dlg;
    TFieldList fields;
    MessageCatcher messages;
    WhenShown(&dlg, [&] {
        ClickIndicator(Find<QRadioButton>(&dlg, qPrintable(radio)));
        if (radio == "rbAsk" && field != "eAskName")
            TypeInto(dlg.eAskName, QStringLiteral("lot"));
        auto *w = Find<QWidget>(&dlg, qPrintable(field));
        if (auto *e = qobject_cast<QLineEdit *>(w)) {
            TypeInto(e, typed);
        } else {
            w->setFocus();
            static_cast<QAbstractSpinBox *>(w)->selectAll();
            QTest::keyClicks(w, typed);
        }
        QTest::mouseClick(dlg.AddBtn, Qt::LeftButton);
        QCOMPARE(messages.texts.size(), 1);
        QVERIFY2(messages.texts[0].startsWith(message), qPrintable(messages.texts[0]));
        QCOMPARE(QApplication::focusWidget(), w);
        QCOMPARE(dlg.lFields->count(), 0);
    });
    dlg.Execute(fields);
}

// The sample composes the list as it stands: edits, additions, reordering,
// removal; Cancel still leaves the parts untouched.
void AdvancedEditorTest::sampleFollowsTheList()
{
    TFAdvanced dlg;
    TFieldList fields;
    fields.push_back(textPart(QStringLiteral("A")));
    fields.push_back(textPart(QStringLiteral("B")));
    WhenShown(&dlg, [&] {
        QCOMPARE(dlg.lSample->text(), QStringLiteral("AB"));
        clickEntry(dlg.lFields, 0);
        TypeInto(dlg.eText, QStringLiteral("a-"));
        QCOMPARE(dlg.lSample->text(), QStringLiteral("a-B"));
        ClickIndicator(dlg.rbSequence);
        TypeInto(dlg.eCurVal, QStringLiteral("12"));
        TypeInto(dlg.eSeqMinSize, QStringLiteral("3"));
        QTest::mouseClick(dlg.AddBtn, Qt::LeftButton);
        QCOMPARE(dlg.lSample->text(), QStringLiteral("a-B012"));
        dlg.cbRadix->setCurrentIndex(int(TCountRadix::Hex));
        QCOMPARE(dlg.lSample->text(), QStringLiteral("a-B00C"));
        if (const QString shots = qEnvironmentVariable("QV_SHOT_DIR"); !shots.isEmpty())
            dlg.grab().save(shots + QStringLiteral("/advanced.png"));
        dropAt(dlg.lFields, dlg.lFields->visualItemRect(dlg.lFields->item(0)).center());
        QCOMPARE(dlg.lSample->text(), QStringLiteral("00Ca-B"));
        QTest::mouseClick(dlg.SubBtn, Qt::LeftButton);
        QCOMPARE(dlg.lSample->text(), QStringLiteral("a-B"));
        QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
    });
    QVERIFY(!dlg.Execute(fields));
    QCOMPARE(texts(fields), (QStringList{"A", "B"}));
}

QTEST_MAIN(AdvancedEditorTest)
#include "dialogs_advanced_qtest.moc"
