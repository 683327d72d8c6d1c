#include "model/messages.h"

#include <QMutex>
#include <cstdio>

namespace {
// Installed once by the program's main (or a test); jobs on other threads
// may show messages meanwhile, so the handler is read under the lock.
struct THandlerSlot {
    QMutex Lock;
    TMessageHandler Handler;
};

THandlerSlot &slot()
{
    static THandlerSlot s;
    return s;
}
} // namespace

void ShowMessage(const QString &text)
{
    TMessageHandler h;
    {
        const QMutexLocker lock(&slot().Lock);
        h = slot().Handler;
    }
    if (h) {
        h(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

TMessageHandler SetMessageHandler(TMessageHandler h)
{
    const QMutexLocker lock(&slot().Lock);
    TMessageHandler old = std::move(slot().Handler);
    slot().Handler = std::move(h);
    return old;
}
