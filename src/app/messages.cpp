#include "app/messages.h"

#include <cstdio>
#include <utility>

namespace {
TMessageHandler &handler()
{
    static TMessageHandler h;
    return h;
}
} // namespace

void ShowMessage(const QString &text)
{
    if (const TMessageHandler &h = handler()) {
        h(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void ShowMessages(const QStringList &texts)
{
    for (const QString &text : texts)
        ShowMessage(text);
}

TMessageHandler SetMessageHandler(TMessageHandler h)
{
    return std::exchange(handler(), std::move(h));
}
