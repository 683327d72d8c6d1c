#pragma once
// The one way the windows ask the person at the program something: a
// message, an error or a yes/no(/cancel) question. Tests install their own.

#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

class TAsk {
public:
    enum TAnswer { Yes, No, Cancel };

    virtual ~TAsk() = default;
    virtual void Info(QWidget *parent, const QString &text) = 0;
    virtual void Error(QWidget *parent, const QString &text) = 0;
    // Closing the box without a button is a No, or a Cancel when offered.
    virtual TAnswer Question(QWidget *parent, const QString &text, bool withCancel) = 0;
    // One of several buttons, by its index; -1 when the box is closed without
    // one. Unless replaced, nothing is chosen.
    virtual int Choose(QWidget *parent, const QString &text, const QStringList &buttons);

    // The one in use: message boxes unless replaced.
    static TAsk &Current();
    // Installs another (null restores the message boxes); returns the previous.
    static std::unique_ptr<TAsk> Replace(std::unique_ptr<TAsk> ask);
};
