#include "app/faskvalues.h"

#include "app/dialogkit.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString captionOf(const TAskedValue &a)
{
    return a.Caption.isEmpty() ? a.Name : a.Caption;
}
} // namespace

TFAskValues::TFAskValues(QWidget *parent, const QList<TAskedValue> &asked, const QHash<QString, QString> &remembered)
    : QDialog(parent), asked_(asked)
{
    setObjectName(QStringLiteral("FAskValues"));
    setWindowTitle(tr("打印时输入"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFont(DialogFont());

    auto *form = new QFormLayout;
    for (const TAskedValue &a : asked_) {
        auto *edit = new QLineEdit(remembered.value(a.Name, a.Default), this);
        edit->setObjectName(QStringLiteral("eAsk_") + a.Name);
        if (a.Size > 0)
            edit->setMaxLength(a.Size);
        edit->setMinimumWidth(180);
        if (!a.Pattern.isEmpty())
            edit->setToolTip(tr("格式：%1").arg(a.Pattern));
        auto *caption = new QLabel(captionOf(a) + tr("："), this);
        caption->setObjectName(QStringLiteral("lAsk_") + a.Name);
        caption->setBuddy(edit);
        form->addRow(caption, edit);
        edits_ << edit;
    }
    OkayBtn = MakeButton(this, "OkayBtn", tr("确定(&O)"), true);
    CancelBtn = MakeButton(this, "CancelBtn", tr("取消(&C)"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkayBtn);
    buttons->addWidget(CancelBtn);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(OkayBtn, &QPushButton::clicked, this, &TFAskValues::OkayBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    if (!edits_.isEmpty()) {
        edits_.constFirst()->setFocus();
        edits_.constFirst()->selectAll();
    }
}

QHash<QString, QString> TFAskValues::Answers() const
{
    QHash<QString, QString> answers;
    for (qsizetype i = 0; i < asked_.size(); ++i)
        if (!edits_[i]->text().isEmpty())
            answers.insert(asked_[i].Name, edits_[i]->text());
    return answers;
}

void TFAskValues::OkayBtnClick()
{
    for (qsizetype i = 0; i < asked_.size(); ++i) {
        const TAskedValue &a = asked_[i];
        // An empty line takes the default, as the job would.
        const QString value = edits_[i]->text().isEmpty() ? a.Default : edits_[i]->text();
        QString message;
        switch (CheckAnswer(a, value)) {
        case TAnswerCheck::Ok:
            continue;
        case TAnswerCheck::Missing:
            message = tr("请输入“%1”。").arg(captionOf(a));
            break;
        case TAnswerCheck::TooLong:
            message = tr("“%1”最多 %2 个字符。").arg(captionOf(a)).arg(a.Size);
            break;
        case TAnswerCheck::NoMatch:
            message = tr("“%1”的值不符合格式：%2").arg(captionOf(a), a.Pattern);
            break;
        case TAnswerCheck::BadPattern:
            message = tr("“%1”的格式无效：%2").arg(captionOf(a), a.Pattern);
            break;
        }
        DialogMessage(this, message);
        edits_[i]->setFocus();
        edits_[i]->selectAll();
        return;
    }
    accept();
}

bool TFAskValues::Ask(QWidget *parent, const QList<TAskedValue> &asked, const QHash<QString, QString> &remembered,
                      QHash<QString, QString> *answers)
{
    TFAskValues form(parent, asked, remembered);
    if (parent)
        CenterOver(&form, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    *answers = form.Answers();
    return true;
}
