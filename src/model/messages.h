#pragma once
// Messages to the person at the program. The designer shows a message box;
// the command line and the tests take the text themselves.

#include <QString>
#include <functional>

using TMessageHandler = std::function<void(const QString &text)>;

void ShowMessage(const QString &text);
// An installation hook, like Qt's message handler: the program's main (or a
// test) sets it; it may be called from any thread. Returns the previous
// handler. The default writes to stderr.
TMessageHandler SetMessageHandler(TMessageHandler handler);
