#include "fuzz_common.h"

#include "model/labelformat.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {
QTemporaryDir *g_tempDir = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own warnings (bad image headers and the like) would flood the log.
    qputenv("QT_LOGGING_RULES", "*=false");
    static QGuiApplication *app = new QGuiApplication(*argc, *argv);
    (void)app;
    g_tempDir = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/qvfuzz-XXXXXX"));
    // The settings store follows XDG_CONFIG_HOME: keep it inside the folder.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(g_tempDir->path() + QStringLiteral("/config")));
    return 0;
}

QString FuzzTempDir()
{
    return g_tempDir ? g_tempDir->path() : QDir::tempPath();
}

QString FuzzWriteFile(const QString &name, const QByteArray &bytes)
{
    const QString path = FuzzTempDir() + QLatin1Char('/') + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        FuzzFail("cannot write the input file", path);
    return path;
}

void FuzzFail(const char *what, const QString &detail)
{
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n  %s\n", what, detail.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}
