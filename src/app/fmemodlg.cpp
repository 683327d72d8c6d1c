#include "app/fmemodlg.h"

#include "model/items.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFMemoDlg::TFMemoDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FMemoDlg"));
    setWindowTitle(tr("输入文本"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(360, 240);

    eTextLines = new QPlainTextEdit(this);
    eTextLines->setObjectName(QStringLiteral("Memo1"));
    eTextLines->setLineWrapMode(QPlainTextEdit::NoWrap);

    OkayBtn = new QPushButton(tr("确定(&O)"), this);
    OkayBtn->setObjectName(QStringLiteral("OkayBtn"));
    OkayBtn->setAutoDefault(false);
    CancelBtn = new QPushButton(tr("取消(&C)"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    connect(OkayBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkayBtn);
    buttons->addWidget(CancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(eTextLines, 1);
    layout->addLayout(buttons);
}

QString FirstLine(const QString &text)
{
    QString line = text.section(QLatin1Char('\n'), 0, 0);
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return line;
}

void ApplyEditedText(TLabelControl *item, const QString &text)
{
    if (!item)
        return;
    switch (item->Kind) {
    case ikMemo:
        item->SetText(text);
        break;
    case ikBarcode:
    case ikText:
        item->SetText(FirstLine(text));
        break;
    default:
        break;
    }
}
