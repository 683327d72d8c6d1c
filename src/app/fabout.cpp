#include "app/fabout.h"

#include "app/glyphs.h"
#include "app/linklabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPixmap Logo()
{
    QPixmap pm(220, 44);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(34);
    f.setBold(true);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(QColor(0x00, 0x00, 0x80));
    p.drawText(QRect(0, 0, 220, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvane"));
    return pm;
}

QFrame *Rule(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TFAbout::TFAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(tr("关于 Quorvane"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::Base, Qt::white);
    panel->setPalette(pal);

    Image1 = new QLabel(panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ProgramIcon().pixmap(48, 48));
    Image2 = new QLabel(panel);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(Logo());
    Label1 = new QLabel(tr("版本 1"), panel);
    Label1->setObjectName(QStringLiteral("Label1"));

    Memo1 = new QPlainTextEdit(panel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setPlainText(tr(
        "Quorvane 是一个标签设计与打印程序：\n"
        "· 十三种条形码（Code 128、Code 39、EAN 13、UPC A、POSTNET 等）\n"
        "· 单行文字、多行文字、图形和 BMP/JPEG 图像\n"
        "· 从文本数据文件、计数器和日期组合高级文字\n"
        "· 按行列在整页纸上批量打印标签"));
    Memo1->setMinimumHeight(96);

    Label2 = new QLabel(tr("Quorvane 标签设计 — Maudrel Software"), panel);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    QPalette navy = Label2->palette();
    navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    Label2->setPalette(navy);

    const QString web = QStringLiteral("https://quorvane.example.org");
    LinkLabel1 = new TLinkLabel(web, panel);
    LinkLabel1->setObjectName(QStringLiteral("LinkLabel1"));
    LinkLabel1->SetLink(web);
    LinkLabel1->setToolTip(web);
    const QString mail = QStringLiteral("mailto:support@quorvane.example.org");
    LinkLabel2 = new TLinkLabel(QStringLiteral("support@quorvane.example.org"), panel);
    LinkLabel2->setObjectName(QStringLiteral("LinkLabel2"));
    LinkLabel2->SetLink(mail);
    LinkLabel2->setToolTip(mail);

    OkayBtn = new QPushButton(tr("确定(&O)"), panel);
    OkayBtn->setObjectName(QStringLiteral("OkayBtn"));
    OkayBtn->setDefault(true);
    connect(OkayBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto *head = new QHBoxLayout;
    head->addWidget(Image1, 0, Qt::AlignTop);
    auto *title = new QVBoxLayout;
    title->addWidget(Image2);
    title->addWidget(Label1);
    head->addLayout(title, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkayBtn);

    auto *v = new QVBoxLayout(panel);
    v->addLayout(head);
    v->addWidget(Rule(panel));
    v->addWidget(Memo1, 1);
    v->addWidget(Rule(panel));
    v->addWidget(Label2);
    v->addWidget(LinkLabel1);
    v->addWidget(LinkLabel2);
    v->addLayout(buttons);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);
    setFixedSize(sizeHint().expandedTo(QSize(380, 340)));
}
