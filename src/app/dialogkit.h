#pragma once
// Small pieces the modal forms share: the message box (replaceable so tests
// can read messages without blocking), key filters for edit fields, the
// leave rules of fields, number formatting and centring.

#include <QObject>
#include <QString>
#include <functional>
#include <map>

class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Shows a plain modal message; the hook, when set, takes its place.
using TDialogMessageHook = std::function<void(QWidget *parent, const QString &text)>;
TDialogMessageHook SetDialogMessageHook(TDialogMessageHook hook);
void DialogMessage(QWidget *parent, const QString &text);

// Lines of a multi-line message are joined by a line feed and a carriage return.
inline const QString kMessageLineBreak = QStringLiteral("\n\r");

// The forms' font: 宋体, 12 pixels.
QFont DialogFont();

// A caption label and an edit field named for lookup by objectName (a null
// name leaves it unnamed; maxLength 0 leaves the field unlimited).
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &caption);
QLineEdit *MakeEdit(QWidget *parent, const char *name, const QString &text, int maxLength);

// A push button named for lookup; the default button takes Enter, the others
// never do.
QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption, bool isDefault = false);

// Puts w's centre over the centre of over (top = over top + over height div 2
// - w height div 2, likewise left), at the size w will show with.
void CenterOver(QWidget *w, const QWidget *over);

// Formats v with at least minDecimals and at most maxDecimals decimals and at
// least one integer digit (the patterns "#0.0####" and "#0.###").
QString FormatDecimal(double v, int minDecimals, int maxDecimals);
// Parses a decimal number written with a full stop; false for anything else
// (also infinities and NaN).
bool ParseDecimal(const QString &s, double &v);

// Discards typed characters not in the allowed set. Control characters
// (backspace, line feed, carriage return, shortcuts) and navigation keys pass.
// A null allowed string lets every character through. When onEnter is set,
// Return and Enter are taken from the field and run it.
class TKeyFilter : public QObject {
public:
    TKeyFilter(QObject *parent, QString allowed, std::function<void()> onEnter = {});
    void Install(QWidget *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString allowed_;
    std::function<void()> onEnter_;
};

// Runs a field's leave rule when the focus moves from it to another control of
// the same window (not when another window, such as a message box, takes it).
class TLeaveWatcher : public QObject {
public:
    explicit TLeaveWatcher(QWidget *form);
    void Watch(QWidget *field, std::function<void()> onLeave);
    // Runs the rule of field (when watched) as if it had been left.
    void RunLeave(QWidget *field);
    // Gives the focus back to field without running the rule of the control
    // that had taken it meanwhile.
    void Refocus(QWidget *field);
    // The watched field that has the focus, if any.
    QWidget *FocusedField() const;

private:
    void focusChanged(QWidget *old, QWidget *now);

    QWidget *form_;
    std::map<QWidget *, std::function<void()>> rules_;
    bool refocusing_ = false;
};
