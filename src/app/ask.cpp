#include "app/ask.h"

#include "app/appforms.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

class TMessageBoxAsk : public TAsk {
    Q_DECLARE_TR_FUNCTIONS(TAsk)
public:
    void Info(QWidget *parent, const QString &text) override
    {
        QMessageBox::information(parent, kApplicationTitle, text);
    }
    void Error(QWidget *parent, const QString &text) override
    {
        QMessageBox::warning(parent, kApplicationTitle, text);
    }
    TAnswer Question(QWidget *parent, const QString &text, bool withCancel) override
    {
        QMessageBox box(QMessageBox::Question, tr("证实"), text, QMessageBox::NoButton, parent);
        box.addButton(QMessageBox::Yes)->setText(tr("是(&Y)"));
        box.addButton(QMessageBox::No)->setText(tr("否(&N)"));
        if (withCancel)
            box.addButton(QMessageBox::Cancel)->setText(tr("取消"));
        box.setDefaultButton(QMessageBox::Yes);
        switch (box.exec()) {
        case QMessageBox::Yes: return Yes;
        case QMessageBox::No: return No;
        default: return withCancel ? Cancel : No;
        }
    }
    int Choose(QWidget *parent, const QString &text, const QStringList &buttons) override
    {
        QMessageBox box(QMessageBox::Warning, kApplicationTitle, text, QMessageBox::NoButton, parent);
        QList<QAbstractButton *> added;
        for (const QString &caption : buttons)
            added << box.addButton(caption, QMessageBox::ActionRole);
        box.exec();
        return int(added.indexOf(box.clickedButton()));
    }
};

std::unique_ptr<TAsk> &Installed()
{
    static std::unique_ptr<TAsk> ask = std::make_unique<TMessageBoxAsk>();
    return ask;
}

} // namespace

int TAsk::Choose(QWidget *, const QString &, const QStringList &)
{
    return -1;
}

TAsk &TAsk::Current()
{
    return *Installed();
}

std::unique_ptr<TAsk> TAsk::Replace(std::unique_ptr<TAsk> ask)
{
    std::unique_ptr<TAsk> old = std::move(Installed());
    Installed() = ask ? std::move(ask) : std::make_unique<TMessageBoxAsk>();
    return old;
}
