#pragma once
// A static text that opens its link (a web address or a mail link) when
// pressed, shown in one font before and another after the first click.

#include <QColor>
#include <QFont>
#include <QLabel>

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget *parent = nullptr);
    explicit TLinkLabel(const QString &caption, QWidget *parent = nullptr);

    QString Link() const { return link_; }
    void SetLink(const QString &link) { link_ = link; }

    bool Visited() const { return visited_; }
    void SetVisited(bool v);

    QFont VisitedFont() const { return visitedFont_; }
    QColor VisitedColor() const { return visitedColor_; }
    void SetVisitedFont(const QFont &f, const QColor &color);
    QFont UnVisitedFont() const { return unVisitedFont_; }
    QColor UnVisitedColor() const { return unVisitedColor_; }
    void SetUnVisitedFont(const QFont &f, const QColor &color);

protected:
    void mousePressEvent(QMouseEvent *e) override;

private:
    void Init();
    void ApplyFont();

    QString link_;
    bool visited_ = false;
    QFont visitedFont_;
    QColor visitedColor_;
    QFont unVisitedFont_;
    QColor unVisitedColor_;
};
