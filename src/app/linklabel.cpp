#include "app/linklabel.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QUrl>

TLinkLabel::TLinkLabel(QWidget *parent) : QLabel(parent)
{
    Init();
}

TLinkLabel::TLinkLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    Init();
}

void TLinkLabel::Init()
{
    link_ = QStringLiteral("https://quorvane.example.org");
    visitedFont_ = QFont(font().family());
    visitedFont_.setUnderline(true);
    visitedColor_ = QColor(255, 0, 0);
    unVisitedFont_ = QFont(font().family());
    unVisitedFont_.setUnderline(true);
    unVisitedColor_ = QColor(0, 0, 255);
    setCursor(Qt::PointingHandCursor);
    // The label's text must not turn into a rich-text link of its own.
    setTextFormat(Qt::PlainText);
    ApplyFont();
}

void TLinkLabel::SetVisited(bool v)
{
    visited_ = v;
    ApplyFont();
}

void TLinkLabel::SetVisitedFont(const QFont &f, const QColor &color)
{
    visitedFont_ = f;
    visitedColor_ = color;
    ApplyFont();
}

void TLinkLabel::SetUnVisitedFont(const QFont &f, const QColor &color)
{
    unVisitedFont_ = f;
    unVisitedColor_ = color;
    ApplyFont();
}

void TLinkLabel::ApplyFont()
{
    setFont(visited_ ? visitedFont_ : unVisitedFont_);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, visited_ ? visitedColor_ : unVisitedColor_);
    setPalette(pal);
}

void TLinkLabel::mousePressEvent(QMouseEvent *e)
{
    QLabel::mousePressEvent(e);
    if (e->button() != Qt::LeftButton || text().isEmpty())
        return;
    SetVisited(true);
    QCoreApplication::processEvents();
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    QDesktopServices::openUrl(QUrl(link_));
    QGuiApplication::restoreOverrideCursor();
}
