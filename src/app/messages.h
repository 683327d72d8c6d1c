#pragma once
// Messages to the person at the designer: a message box each. The layers below
// return their texts (errors, load warnings) and the windows pass them here.

#include <QString>
#include <QStringList>
#include <functional>

using TMessageHandler = std::function<void(const QString &text)>;

void ShowMessage(const QString &text);
// One message each, in order: the warnings of one load.
void ShowMessages(const QStringList &texts);
// The program's main (or a test) sets it; called on the GUI thread. Returns
// the previous handler. The default writes to stderr.
TMessageHandler SetMessageHandler(TMessageHandler handler);
