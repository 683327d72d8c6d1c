#pragma once
// The about box.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TLinkLabel;

class TFAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);

    QLabel *Image1;
    QLabel *Image2;
    QLabel *Label1;
    QPlainTextEdit *Memo1;
    QLabel *Label2;
    TLinkLabel *LinkLabel1;
    TLinkLabel *LinkLabel2;
    QPushButton *OkayBtn;
};
