#include "model/messages.h"

#include <cstdio>

namespace {
TMessageHandler &handler()
{
    static TMessageHandler h;
    return h;
}
} // namespace

void ShowMessage(const QString &text)
{
    if (handler()) {
        handler()(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

TMessageHandler SetMessageHandler(TMessageHandler h)
{
    TMessageHandler old = std::move(handler());
    handler() = std::move(h);
    return old;
}
