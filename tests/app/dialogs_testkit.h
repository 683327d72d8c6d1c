#pragma once
// Driving the modal forms from Qt tests: the steps run inside the dialog's
// own event loop once it is shown and active, and messages are collected
// instead of being shown.

#include "app/ask.h"
#include "app/dialogkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>

// Collects the texts of DialogMessage while it lives.
class MessageCatcher {
public:
    MessageCatcher()
    {
        previous_ = SetDialogMessageHook([this](QWidget *, const QString &t) { texts << t; });
    }
    ~MessageCatcher() { SetDialogMessageHook(std::move(previous_)); }
    QStringList texts;

private:
    TDialogMessageHook previous_;
};

// Answers the program's questions without a box; what it is told it keeps.
class AnswerWith : public TAsk {
public:
    explicit AnswerWith(std::function<TAnswer(const QString &question)> answer) : answer_(std::move(answer)) {}
    void Info(QWidget *, const QString &text) override { told << text; }
    void Error(QWidget *, const QString &text) override { told << text; }
    TAnswer Question(QWidget *, const QString &text, bool) override { return answer_(text); }
    QStringList told;

private:
    std::function<TAnswer(const QString &)> answer_;
};

// Runs steps once dialog is shown and active (it may be opened later, from
// inside another modal loop); then, unless the steps closed it, rejects it so
// that its modal loop always ends.
inline void WhenShown(QDialog *dialog, std::function<void()> steps)
{
    auto *poll = new QTimer(dialog);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, dialog, [dialog, poll, steps = std::move(steps)] {
        if (!dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        if (!QTest::qWaitForWindowActive(dialog))
            qWarning("dialog did not become active");
        steps();
        if (dialog->isVisible())
            dialog->reject();
    });
    poll->start();
}

// Runs steps on the next modal dialog once it shows (the window's own
// dialogs, found as the active modal widget); then, unless the steps closed
// it, rejects it. The poll lives as long as owner.
inline void WhenModal(QObject *owner, std::function<void(QDialog *)> steps)
{
    auto *poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, owner, [poll, steps = std::move(steps)] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        if (!QTest::qWaitForWindowExposed(dialog))
            qWarning("dialog not exposed");
        steps(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    poll->start(5);
}

// A named part of a window; the test stops when it is missing.
template <class T> T *Find(QWidget *w, const char *name)
{
    T *found = w->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("widget %s not found", name);
    return found;
}

// Replaces a field's text by typing, as a person does.
inline void TypeInto(QLineEdit *field, const QString &text)
{
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// Moves the focus on to another control, which runs the leave rule of the
// field that had it.
inline void MoveFocusTo(QWidget *next)
{
    next->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
}

// Clicks a radio button or check box on its indicator (a click beside a short
// caption in a wide button does not count).
inline void ClickIndicator(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}
