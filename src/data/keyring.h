#pragma once
// Database passwords in the desktop's keyring (Secret Service or KWallet,
// through qtkeychain), kept only when the user asks. Every call waits at most
// `timeoutMs` for the keyring: a desktop without one answers "unavailable"
// instead of hanging the job.

#include <QString>

enum class TKeyringResult { Done, NotFound, Unavailable };

// Reads the password stored under `key` (a connection's URL).
TKeyringResult ReadKeyringPassword(const QString &key, QString *password, QString *error, int timeoutMs = 5000);
TKeyringResult WriteKeyringPassword(const QString &key, const QString &password, QString *error,
                                    int timeoutMs = 5000);
TKeyringResult DeleteKeyringPassword(const QString &key, QString *error, int timeoutMs = 5000);
