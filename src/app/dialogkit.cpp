#include "app/dialogkit.h"

#include "app/appforms.h"
#include "app/ask.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <cmath>

namespace {
TDialogMessageHook &messageHook()
{
    static TDialogMessageHook hook;
    return hook;
}
} // namespace

TDialogMessageHook SetDialogMessageHook(TDialogMessageHook hook)
{
    TDialogMessageHook old = std::move(messageHook());
    messageHook() = std::move(hook);
    return old;
}

void DialogMessage(QWidget *parent, const QString &text)
{
    if (messageHook()) {
        messageHook()(parent, text);
        return;
    }
    TAsk::Current().Info(parent, text);
}

QFont DialogFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC")});
    f.setPixelSize(12);
    return f;
}

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    if (name)
        l->setObjectName(QLatin1String(name));
    return l;
}

QLineEdit *MakeEdit(QWidget *parent, const char *name, const QString &text, int maxLength)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QLatin1String(name));
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

QPushButton *MakeButton(QWidget *parent, const char *name, const QString &caption, bool isDefault)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setDefault(isDefault);
    b->setAutoDefault(isDefault);
    return b;
}

void CenterOver(QWidget *w, const QWidget *over)
{
    if (!w || !over)
        return;
    // The size it will show with: polished, laid out, and sized by its
    // layout when nothing sized it yet (the first showing would do so).
    w->ensurePolished();
    if (QLayout *l = w->layout())
        l->activate();
    if (!w->testAttribute(Qt::WA_Resized))
        w->adjustSize();
    // Client area over client area: a window's frame is not known before it
    // is first shown, and both frames come from the same window manager.
    const QRect o(over->mapToGlobal(QPoint(0, 0)), over->size());
    const QSize s = w->size();
    w->setGeometry(QRect(QPoint(o.left() + o.width() / 2 - s.width() / 2, o.top() + o.height() / 2 - s.height() / 2), s));
}

QString FormatDecimal(double v, int minDecimals, int maxDecimals)
{
    QString s = QString::number(v, 'f', maxDecimals);
    const int dot = s.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        int keep = s.size();
        while (keep > dot + 1 + minDecimals && s.at(keep - 1) == QLatin1Char('0'))
            --keep;
        if (keep == dot + 1)
            keep = dot; // no decimals left: no decimal point either
        s.truncate(keep);
    }
    // A value that rounds to zero carries no sign.
    if (s.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (QChar c : s.mid(1))
            if (c != QLatin1Char('0') && c != QLatin1Char('.'))
                allZero = false;
        if (allZero)
            s.remove(0, 1);
    }
    return s;
}

bool ParseDecimal(const QString &s, double &v)
{
    const QString t = s.trimmed();
    if (t.isEmpty())
        return false;
    // Only digits, one sign in front and full stops; QString::toDouble would
    // also take exponents, "inf" and "nan".
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (!(c.isDigit() && c.unicode() < 128) && c != QLatin1Char('.') &&
            !((c == QLatin1Char('-') || c == QLatin1Char('+')) && i == 0))
            return false;
    }
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    v = d;
    return true;
}

TKeyFilter::TKeyFilter(QObject *parent, QString allowed, std::function<void()> onEnter)
    : QObject(parent), allowed_(std::move(allowed)), onEnter_(std::move(onEnter))
{
}

void TKeyFilter::Install(QWidget *field)
{
    field->installEventFilter(this);
}

bool TKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (onEnter_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        onEnter_();
        return true;
    }
    const QString text = key->text();
    if (allowed_.isNull() || text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    for (QChar c : text) {
        if (c.unicode() < 32 || c.unicode() == 127)
            continue;
        if (!allowed_.contains(c))
            return true;
    }
    return false;
}

TLeaveWatcher::TLeaveWatcher(QWidget *form) : QObject(form), form_(form)
{
    connect(qApp, &QApplication::focusChanged, this, &TLeaveWatcher::focusChanged);
}

void TLeaveWatcher::Watch(QWidget *field, std::function<void()> onLeave)
{
    rules_[field] = std::move(onLeave);
}

void TLeaveWatcher::RunLeave(QWidget *field)
{
    auto it = rules_.find(field);
    if (it != rules_.end() && it->second)
        it->second();
}

void TLeaveWatcher::Refocus(QWidget *field)
{
    refocusing_ = true;
    field->setFocus(Qt::OtherFocusReason);
    refocusing_ = false;
}

QWidget *TLeaveWatcher::FocusedField() const
{
    QWidget *f = QApplication::focusWidget();
    return rules_.count(f) ? f : nullptr;
}

void TLeaveWatcher::focusChanged(QWidget *old, QWidget *now)
{
    if (refocusing_ || !old || !now || old == now)
        return;
    if (now->window() != form_->window() || old->window() != form_->window())
        return;
    RunLeave(old);
}
