// The five kinds: their defaults and their own setters.
#include "model/items.h"

TBarcodeLabel::TBarcodeLabel()
{
    Loading = true;
    Kind = ikBarcode;
    Brush = {bsSolid, clBlack};
    Loading = false;
}

void TBarcodeLabel::SetBarcodeType(int t)
{
    SaveOldBounds();
    BarcodeType = static_cast<quint8>(t);
    MarkChanged(true);
}

void TBarcodeLabel::SetScale(int s)
{
    SaveOldBounds();
    Scale = s;
    MarkChanged(true);
}

void TBarcodeLabel::SetAutoScale(bool b)
{
    SaveOldBounds();
    AutoScale = b;
    MarkChanged(true);
}

void TBarcodeLabel::SetInterpretation(bool b)
{
    Interpretation = b;
    MarkChanged(true);
}

void TBarcodeLabel::SetBarcodeEcc(int ecc)
{
    SaveOldBounds();
    BarcodeEcc = qBound(-1, ecc, kMaxBarcodeEcc);
    MarkChanged(true);
}

void TBarcodeLabel::SetBarcodeSize(int size)
{
    SaveOldBounds();
    BarcodeSize = qBound(0, size, kMaxBarcodeSize);
    MarkChanged(true);
}

void TBarcodeLabel::SetBarcodeRectangular(bool b)
{
    SaveOldBounds();
    BarcodeRectangular = b;
    MarkChanged(true);
}

void TBarcodeLabel::SetBarcodeNamedOptions(const QMap<QString, QString> &options)
{
    SaveOldBounds();
    BarcodeNamedOptions = options;
    MarkChanged(true);
}

TTextLabel::TTextLabel()
{
    Loading = true;
    Kind = ikText;
    MinWidth = 25;
    MinHeight = 14;
    Transparent = true;
    BitmapTransparent = true;
    Loading = false;
}

TMemoLabel::TMemoLabel()
{
    Loading = true;
    Kind = ikMemo;
    Width = 75;
    Height = 30;
    MinWidth = 25;
    MinHeight = 14;
    AutoSize = false;
    Transparent = true;
    BitmapTransparent = true;
    Loading = false;
}

TShapeLabel::TShapeLabel()
{
    Loading = true;
    Kind = ikShape;
    Width = 25;
    Height = 25;
    AutoSize = false;
    Transparent = true;
    BitmapTransparent = true;
    HorzAlign = iaCenter;
    VertAlign = iaCenter;
    Pen = {1, clBlack};
    Brush = {bsSolid, clWhite};
    Loading = false;
}

void TShapeLabel::SetShapeKind(TShapeKind k)
{
    ShapeKind = k;
    MarkChanged(true);
}

namespace {
QImage WhiteImage(int w, int h)
{
    QImage img(qMax(1, w), qMax(1, h), QImage::Format_RGB888);
    img.fill(Qt::white);
    return img;
}
} // namespace

TGraphicLabel::TGraphicLabel()
{
    Loading = true;
    Kind = ikGraphic;
    Width = 25;
    Height = 25;
    AutoSize = false;
    Picture = WhiteImage(10, 10);
    Loading = false;
}

void TGraphicLabel::SetFileName(const QString &s)
{
    FileName = s;
    if (s.isEmpty()) {
        Picture = WhiteImage(10, 10);
        PictureFile.clear();
        PictureData.clear();
        PictureFormat.clear();
        Embedded = false;
    }
    MarkChanged(true);
}

void TGraphicLabel::SetKeepAspect(bool b)
{
    KeepAspect = b;
    MarkChanged(true);
}

void TGraphicLabel::ResetPicture()
{
    Picture = WhiteImage(MinWidth, MinHeight);
    PictureData.clear();
    PictureFormat.clear();
    Changed = true;
}

std::unique_ptr<TLabelControl> TGraphicLabel::Clone() const
{
    std::unique_ptr<TLabelControl> c = TLabelControl::Clone();
    auto &g = static_cast<TGraphicLabel &>(*c);
    g.FileName = FileName;
    // The picture in memory is what the user sees; reading the file again
    // could fail or find a changed file.
    g.Picture = Picture;
    g.PictureFile = PictureFile;
    g.PictureData = PictureData;
    g.PictureFormat = PictureFormat;
    g.Embedded = Embedded;
    return c;
}
