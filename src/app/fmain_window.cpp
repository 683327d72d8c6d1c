// The main window's frame: its title and its place on the screen.

#include "app/fmain.h"

#include "storage/document.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

void TFMain::RefreshWindowTitle()
{
    const QString &file = Document->CurrentLabelFile;
    const QString name = file.isEmpty() ? tr("未命名") : QFileInfo(file).fileName();
    setWindowTitle(name + (Document->LabelModified ? QStringLiteral("*") : QString()) + QStringLiteral(" — Quorvane"));
}

void TFMain::FitWindowToScreen()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    // The frame is known only once the window is shown; until then it is none.
    const QRect inner = geometry(), outer = frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    const QSize room = avail.size().shrunkBy(frame);
    setMinimumSize(minimumSize().boundedTo(room));
    resize(size().boundedTo(room));
    QRect placed(QPoint(), size().grownBy(frame));
    placed.moveCenter(avail.center());
    move(placed.topLeft());
}
