#pragma once
// The form that asks, before a job or its preview, for the values the
// label's parts ask for (a lot number, a date): one line each, prefilled with
// the value given last time for this label, else the default.

#include "model/advanced.h"

#include <QDialog>
#include <QHash>
#include <QList>

class QLineEdit;
class QPushButton;

class TFAskValues : public QDialog {
    Q_OBJECT
public:
    TFAskValues(QWidget *parent, const QList<TAskedValue> &asked, const QHash<QString, QString> &remembered);

    // Shows the form; true on OK with *answers the values typed.
    static bool Ask(QWidget *parent, const QList<TAskedValue> &asked, const QHash<QString, QString> &remembered,
                    QHash<QString, QString> *answers);

    // The values as they stand, by name; an empty line is left out so that
    // the part's default applies.
    QHash<QString, QString> Answers() const;
    // Accepts when every value passes its check; otherwise says why and
    // puts the focus on the first one that fails.
    void OkayBtnClick();

    QPushButton *OkayBtn, *CancelBtn;

private:
    QList<TAskedValue> asked_;
    QList<QLineEdit *> edits_;
};
