#pragma once
// Label items: the five kinds and the rules every property change obeys.
// Their plain stored properties are declared in itemproperties.h.
// Events are std::function callbacks throughout.

#include "model/advanced.h"
#include "model/labelformat.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <functional>
#include <memory>

class TItemContainer;
class TBarcodeLabel;
class TTextLabel;
class TMemoLabel;
class TShapeLabel;
class TGraphicLabel;

// What differs by kind and lives above the model (drawing, for one) visits
// the item, so the model knows nothing of it.
class TItemVisitor {
public:
    virtual ~TItemVisitor() = default;
    virtual void Visit(TBarcodeLabel &item) = 0;
    virtual void Visit(TTextLabel &item) = 0;
    virtual void Visit(TMemoLabel &item) = 0;
    virtual void Visit(TShapeLabel &item) = 0;
    virtual void Visit(TGraphicLabel &item) = 0;
};

enum TItemKind : quint8 { ikBarcode = 0, ikText = 1, ikMemo = 2, ikShape = 3, ikGraphic = 4, ikNone = 5 };

// One enumeration for horizontal alignment, vertical alignment and attachment;
// the values are those the label file stores.
enum TItemAlign : quint8 { iaLeft = 0, iaRight = 1, iaCenter = 2, iaTop = 3, iaBottom = 4, iaClient = 5, iaNone = 6 };

enum TShapeKind : quint8 { skRectangle = 0, skEllipse = 1, skTriangle = 2, skRoundRect = 3, skHorzLine = 4, skVertLine = 5 };

// Brush styles as stored: solid, clear, horizontal, vertical, forward
// diagonal, backward diagonal, cross, diagonal cross.
enum TBrushStyle : quint8 { bsSolid = 0, bsClear = 1, bsHorizontal = 2, bsVertical = 3, bsFDiagonal = 4, bsBDiagonal = 5, bsCross = 6, bsDiagCross = 7 };

// A colour value as stored in label files: red in bits 0-7, green 8-15, blue
// 16-23; a top byte of 0x80 names a system colour.
using TColor = qint32;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
QColor ColorToQColor(TColor c);
TColor QColorToColor(const QColor &c);
// Qt brush pattern for a stored brush style.
Qt::BrushStyle ToQtBrushStyle(int style);

// Rectangle with exclusive right and bottom edges.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool operator==(const TRect &) const = default;
};

struct TPen {
    int Width = 1;
    TColor Color = clBlack;
};

struct TBrush {
    int Style = bsSolid;
    TColor Color = clWhite;
};

// Font of a text, memo or barcode item: face, size in points, style in the
// QFont; the colour and the character set beside it.
struct TItemFont {
    QFont Font = QFont(QStringLiteral("Courier New"), 8);
    TColor Color = clBlack;
    int Charset = 1;
    // Character height in design pixels at the design resolution dpiY (positive).
    int PixelHeight(int dpiY) const;
    // The QFont sized to the pixel height.
    QFont ScaledFont(int pixelHeight) const;
    bool operator==(const TItemFont &o) const { return Font == o.Font && Color == o.Color && Charset == o.Charset; }
};

class TLabelControl {
public:
    TLabelControl();
    virtual ~TLabelControl();
    TLabelControl(const TLabelControl &) = delete;
    TLabelControl &operator=(const TLabelControl &) = delete;

    virtual void Accept(TItemVisitor &visitor) = 0;
    // A detached item of the same kind with the same stored properties,
    // position included; it belongs to no container and is not selected.
    virtual std::unique_ptr<TLabelControl> Clone() const;
    void SetRotation(int r);

    TItemAlign VertAlign = iaTop;
    TItemAlign HorzAlign = iaLeft;
    TItemAlign Attach = iaNone;
    qint32 Top = 0;
    qint32 Left = 0;
    qint32 Width = 20;
    qint32 Height = 20;
    qint32 MinWidth = 10;
    qint32 MinHeight = 10;
    quint8 Rotation = 0;
    bool AutoSize = true;
    bool Selected = false;
    bool Transparent = false;
    bool Changed = true;
    bool Advanced = false;
    bool Updating = false;
    bool Loading = false;
    TItemKind Kind = ikNone;
    QString Text;

    QImage ItemBitmap;
    bool BitmapTransparent = false;       // draw without TransparentColor
    QRgb TransparentColor = 0xFFFFFFFF;   // white unless a kind says otherwise
    TItemFont Font;
    TPen Pen;
    TBrush Brush;

    TRect OldBounds;
    TRect ParentRect;
    std::function<void(TLabelControl *)> OnChange;
    std::function<void(TLabelControl *)> OnBoundsChange;
    TItemContainer *LabelCanvas = nullptr;
    TFieldList Fields;
    // The design resolution of the container; a detached item's is the default.
    int DesignDpiX() const;
    int DesignDpiY() const;

    // Clamped raw setters (then MarkChanged(true)).
    void SetTop(int v);
    void SetLeft(int v);
    void SetHeight(int v);
    void SetWidth(int v);
    void SetBoundsRect(const TRect &r, bool positionFirst);
    // The box an auto-sized item's drawing gives, moved back inside the label
    // rather than cut at its edge; neither recorded in OldBounds nor a change.
    void SetRenderedSize(int w, int h);
    void SetParentRect(const TRect &r);
    void SetHorzAlign(TItemAlign a);
    void SetVertAlign(TItemAlign a);
    void SetAttach(TItemAlign a);
    void SetAutoSize(bool b);
    void SetTransparent(bool b);
    void SetText(const QString &s);
    void SetAdvanced(bool b);
    void SetSelected(bool b);
    void MarkChanged(bool b);
    void SaveOldBounds();
    void ApplyAttach();
    QString GetText() const;
    // What the design surface shows: cut to kMaxShownText.
    QString GetDesignText() const;
    // An opaque barcode, text or memo covers its whole box with white, so
    // that what lies under it in the stacking order does not show through
    // where its drawing is smaller than the box.
    bool FillsBox() const { return !Transparent && (Kind == ikBarcode || Kind == ikText || Kind == ikMemo); }
    TRect BoundsRect() const { return {Left, Top, Left + Width, Top + Height}; }
    // Whether the box reaches past the label, which then cuts the drawing.
    bool OutsideLabel() const
    {
        return LabelCanvas && (Left < ParentRect.Left || Top < ParentRect.Top || Left + Width > ParentRect.Right
                               || Top + Height > ParentRect.Bottom);
    }

protected:
    // What every kind stores (the rows of itemproperties.h and what is not a
    // plain value), into a fresh item of the same kind.
    void CopyCommonTo(TLabelControl &copy) const;
    // Raw setters without OldBounds/MarkChanged; each ends with ApplyAttach.
    void RawSetTop(int v);
    void RawSetLeft(int v);
    void RawSetHeight(int v);
    void RawSetWidth(int v);
    // A w x h box (at least the minimum) at (left, top), pushed back from the
    // label's far edges so that the whole of it stays on the label, or as
    // much as a box larger than the label can: a drawing that follows its box
    // (rotated or auto-sized text) is then never cut at the edge.
    void PlaceWhole(int left, int top, int w, int h);

public:
    // The drawing mirrored in its box, left for right (FlipHorz) or top for
    // bottom, after its quarter turns: as it is seen on the label. Pictures and
    // shapes draw it; the box stays where it is.
    bool FlipHorz = false;
    bool FlipVert = false;
    void SetFlipHorz(bool b);
    void SetFlipVert(bool b);
};

class TBarcodeLabel : public TLabelControl {
public:
    TBarcodeLabel();
    void Accept(TItemVisitor &visitor) override { visitor.Visit(*this); }
    quint8 BarcodeType = 0;
    bool AutoScale = true;
    bool Interpretation = true;
    qint32 Scale = 1;
    // Options of the two-dimensional symbologies (linear ones ignore them):
    // error correction (-1 automatic), size (0 the smallest that holds the
    // text) and a rectangular automatic Data Matrix. What each value means is
    // the barcode engine's; the setters keep them to the widest range any
    // symbology takes.
    qint32 BarcodeEcc = -1;
    qint32 BarcodeSize = 0;
    bool BarcodeRectangular = false;
    // Why the last rendering drew no symbol (e.g. "Data too long for QR
    // Code"); empty when it drew one.
    QString BarcodeError;
    void SetBarcodeType(int t);
    void SetScale(int s);
    void SetAutoScale(bool b);
    void SetInterpretation(bool b);
    void SetBarcodeEcc(int ecc);
    void SetBarcodeSize(int size);
    void SetBarcodeRectangular(bool b);
    static constexpr int kMaxBarcodeEcc = 50;   // Aztec's 50 per cent
    static constexpr int kMaxBarcodeSize = 40;  // QR Code version 40
    // The symbology's other options by name ("mode" -> "3"); label files keep
    // each as BCOPT_<NAME>. Which names a symbology takes is the engine's.
    QMap<QString, QString> BarcodeNamedOptions;
    void SetBarcodeNamedOptions(const QMap<QString, QString> &options);
};

class TTextLabel : public TLabelControl {
public:
    TTextLabel();
    void Accept(TItemVisitor &visitor) override { visitor.Visit(*this); }
};

class TMemoLabel : public TLabelControl {
public:
    TMemoLabel();
    void Accept(TItemVisitor &visitor) override { visitor.Visit(*this); }
};

class TShapeLabel : public TLabelControl {
public:
    TShapeLabel();
    void Accept(TItemVisitor &visitor) override { visitor.Visit(*this); }
    TShapeKind ShapeKind = skRectangle;
    void SetShapeKind(TShapeKind k);
};

class TGraphicLabel : public TLabelControl {
public:
    TGraphicLabel();
    void Accept(TItemVisitor &visitor) override { visitor.Visit(*this); }
    std::unique_ptr<TLabelControl> Clone() const override;
    QImage Picture; // 24 bits per pixel, or 32 with alpha when the file has it
    QString FileName;
    // The file Picture was read from: unlike FileName when that one could
    // not be read, so a job can tell it prints a blank in its place.
    QString PictureFile;
    bool PictureMissing() const { return !FileName.isEmpty() && PictureFile != FileName; }
    bool KeepAspect = true;
    void SetFileName(const QString &s);
    void SetKeepAspect(bool b);
    void ResetPicture();
    // The picture file's own bytes and format ("bmp", "jpeg", "png", "gif",
    // "tiff", "webp", "svg") as last loaded: an SVG is drawn from them as
    // vector, and an embedded picture is stored from them.
    QByteArray PictureData;
    QByteArray PictureFormat;
    // Stored inside the label file, so the label needs no picture file.
    bool Embedded = false;
    bool IsVector() const { return PictureFormat == "svg"; }
};

// New item of the given kind (nullptr for ikNone or an unknown value).
TLabelControl *CreateItem(TItemKind kind);

// The owner of a label's items, without widgets: the design surface derives
// from it, and the headless tools use it as it is. Items is the z-order
// (index 0 drawn first) and owns its items.
class TItemContainer {
public:
    TItemContainer() = default;
    virtual ~TItemContainer();
    TItemContainer(const TItemContainer &) = delete;
    TItemContainer &operator=(const TItemContainer &) = delete;

    QList<TLabelControl *> Items;
    TLabelControl *SelectedItem = nullptr;
    std::function<void(TLabelControl *)> OnSelectItem;

    // The label's own values, kept and saved with it.
    TLabelFormat LabelFormat;
    bool ShowGrids = true; // grid drawn on the design surface
    // The encoding of the label's text data files as the user chose it ("UTF-8",
    // "GB18030", "UTF-16LE", "UTF-16BE"); empty: told from each file's bytes.
    QString DataEncoding;
    // The design resolution: item geometry is in pixels at this many per inch.
    int ScreenDpiX = kDefaultDesignDpi, ScreenDpiY = kDefaultDesignDpi;

    virtual int SurfaceWidth() const { return surfaceWidth_; }
    virtual int SurfaceHeight() const { return surfaceHeight_; }
    virtual void SetSurfaceSize(int w, int h);
    // The surface sized to the label format at the design resolution.
    void FitSurfaceToFormat();
    // Repaint requests; the headless container ignores them.
    virtual void Invalidate() {}
    virtual void ItemChanged(TLabelControl *) {}
    virtual void ResetCursor() {}

    void AddItem(TLabelControl *item);
    // The selected items (Selected set) in stacking order; SelectedItem is
    // the one the properties panel shows, one of them or none.
    QList<TLabelControl *> SelectedItems() const;
    void SelectItem(TLabelControl *item);
    // Deletes the items EditedItems() names.
    void DeleteSelected();
    void ClearItems();
    void BringToFront();
    void SendToBack();
    void SelectNext();
    void FitItems();
    // What the edit commands act on: the selected items, or SelectedItem
    // alone when it lacks the Selected flag (shown without being selected).
    QList<TLabelControl *> EditedItems() const;

protected:
    int surfaceWidth_ = 10;
    int surfaceHeight_ = 10;
};
