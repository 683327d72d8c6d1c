#pragma once
// The text entry dialog for an item's (multi-line) text.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class TLabelControl;

class TFMemoDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFMemoDlg(QWidget *parent = nullptr);

    QPlainTextEdit *eTextLines;
    QPushButton *OkayBtn;
    QPushButton *CancelBtn;
};

// The first line of a text (empty when it has none); line breaks may be
// LF or CR LF.
QString FirstLine(const QString &text);

// What the dialog's OK does to an item: a memo takes the whole text, a
// barcode or text its first line, shapes and pictures keep theirs.
void ApplyEditedText(TLabelControl *item, const QString &text);
