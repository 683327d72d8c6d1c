#pragma once
// The font dialog of text and memo items: face, style and size, the effects
// (strike-out, underline, colour) and a sample. Unlike the toolkit's dialog
// it offers the faces label files name ("Arial", "宋体", ...) under those
// names when the font set-up maps them to installed faces, and it starts on
// the item's own font even when that face is not installed.

#include "model/items.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

class TFFontDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFFontDlg(QWidget *parent = nullptr);

    // Starts on `font`; on OK returns true with `font` changed in what the
    // person changed only, so OK without changes gives it back as it was.
    bool Execute(TItemFont &font);

    // Label face names that the font set-up binds to an installed face (the
    // program's font rule maps "Arial", "Courier New", "宋体", "SimSun", ...).
    static QStringList LabelFamilies();
    // The scalable installed faces and the label faces, sorted.
    static QStringList Families();

    QListWidget *lbFamily, *lbStyle;
    QComboBox *cbSize, *cbColor;
    QCheckBox *cbStrikeOut, *cbUnderline;
    QLabel *lSample;
    QPushButton *OkayBtn, *CancelBtn;

    // Style list rows: 常规, 斜体, 粗体, 粗斜体.
    static int StyleRow(bool bold, bool italic) { return (bold ? 2 : 0) + (italic ? 1 : 0); }

private:
    void SelectColor(TColor c);
    void ColorChosen(int index);
    void UpdateSample();
    TItemFont Result() const;

    TItemFont start_;
    int lastColorIndex_ = 0;
};
