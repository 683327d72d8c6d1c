#include "model/labelformat.h"
#include "barcode/barcode.h"
#include "storage/labelfile.h"
#include "picture/loadgraphic.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <tuple>
#include <utility>
#include <gtest/gtest.h>

#include "storage_testutil.h"

namespace {

class LabelFileTest : public ::testing::Test {
protected:
    static std::unique_ptr<TItemContainer> NewContainer(int w = 800, int h = 600)
    {
        auto c = std::make_unique<TItemContainer>();
        c->LabelFormat = TLabelFormat{8, 6, 0.5, 0.25, 0.125, 0.0625, false};
        c->SetSurfaceSize(w, h);
        return c;
    }
    QString Path(const QString &name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    // The warnings of the loads that ask for them.
    QStringList messages_;
};

template <class T>
T *Add(TItemContainer &c, T *item)
{
    item->Loading = false;
    c.AddItem(item);
    return item;
}

void SetCommon(TLabelControl &i, int top, int left, int w, int h)
{
    i.Top = top;
    i.Left = left;
    i.Width = w;
    i.Height = h;
    i.AutoSize = false;
}

void ExpectSameFields(const TFieldList &a, const TFieldList &b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t k = 0; k < a.size(); ++k) {
        ASSERT_EQ(a[k]->FieldType, b[k]->FieldType) << k;
        if (auto *x = dynamic_cast<TTextField *>(a[k].get())) {
            EXPECT_EQ(x->Text, dynamic_cast<TTextField &>(*b[k]).Text);
        }
        if (auto *x = dynamic_cast<TImportedField *>(a[k].get())) {
            auto &y = dynamic_cast<TImportedField &>(*b[k]);
            EXPECT_EQ(x->FieldNum, y.FieldNum);
            EXPECT_EQ(x->MinSize, y.MinSize);
            EXPECT_EQ(x->PadChar, y.PadChar);
        }
        if (auto *x = dynamic_cast<TSequenceField *>(a[k].get())) {
            auto &y = dynamic_cast<TSequenceField &>(*b[k]);
            EXPECT_EQ(x->CurVal, y.CurVal);
            EXPECT_EQ(x->MinVal, y.MinVal);
            EXPECT_EQ(x->MaxVal, y.MaxVal);
            EXPECT_EQ(x->MinSize, y.MinSize);
        }
        if (auto *x = dynamic_cast<TDateField *>(a[k].get())) {
            EXPECT_EQ(x->Format, dynamic_cast<TDateField &>(*b[k]).Format);
        }
    }
}

void ExpectSameItem(const TLabelControl &a, const TLabelControl &b)
{
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_EQ(a.BoundsRect(), b.BoundsRect());
    EXPECT_EQ(a.Rotation, b.Rotation);
    EXPECT_EQ(a.FlipHorz, b.FlipHorz);
    EXPECT_EQ(a.FlipVert, b.FlipVert);
    EXPECT_EQ(a.AutoSize, b.AutoSize);
    EXPECT_EQ(a.Transparent, b.Transparent);
    EXPECT_EQ(a.Attach, b.Attach);
    EXPECT_EQ(a.HorzAlign, b.HorzAlign);
    EXPECT_EQ(a.VertAlign, b.VertAlign);
    EXPECT_EQ(a.Font.Font.family(), b.Font.Font.family());
    EXPECT_EQ(a.Font.Font.pointSize(), b.Font.Font.pointSize());
    EXPECT_EQ(a.Font.Font.bold(), b.Font.Font.bold());
    EXPECT_EQ(a.Font.Font.italic(), b.Font.Font.italic());
    EXPECT_EQ(a.Font.Font.underline(), b.Font.Font.underline());
    EXPECT_EQ(a.Font.Font.strikeOut(), b.Font.Font.strikeOut());
    EXPECT_EQ(a.Font.Color, b.Font.Color);
    EXPECT_EQ(a.Font.Charset, b.Font.Charset);
    EXPECT_EQ(a.GetText(), b.Text); // an advanced item stores its composed text
    EXPECT_EQ(a.Advanced, b.Advanced);
    ExpectSameFields(a.Fields, b.Fields);
    EXPECT_FALSE(b.Loading);
}

} // namespace

TEST_F(LabelFileTest, EveryItemKindAndPropertyRoundTrips)
{
    const QString bmp = Path("logo.bmp");
    QImage logo(8, 6, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(bmp, "BMP"));

    auto c = NewContainer();
    auto *bc = Add(*c, new TBarcodeLabel);
    SetCommon(*bc, 10, 20, 150, 60);
    bc->BarcodeType = 6;
    bc->Scale = 3;
    bc->Interpretation = false;
    bc->AutoScale = false;
    bc->Transparent = true;
    bc->Rotation = 2;
    bc->HorzAlign = iaCenter;
    bc->VertAlign = iaBottom;
    bc->Font.Font = QFont("Arial", 12);
    bc->Font.Font.setBold(true);
    bc->Font.Font.setItalic(true);
    bc->Font.Font.setUnderline(true);
    bc->Font.Font.setStrikeOut(true);
    bc->Font.Color = 0x123456;
    bc->Font.Charset = 134;
    bc->Text = "5901234123457";

    auto *text = Add(*c, new TTextLabel);
    SetCommon(*text, 100, 7, 120, 20);
    text->Text = QStringLiteral("标签 = text; [x]");
    text->Advanced = true;
    auto t = std::make_unique<TTextField>();
    t->Text = QStringLiteral("批号 ");
    text->Fields.push_back(std::move(t));
    auto f = std::make_unique<TImportedField>();
    f->FieldNum = 3;
    f->MinSize = 6;
    f->PadChar = QLatin1Char('*');
    text->Fields.push_back(std::move(f));
    auto s = std::make_unique<TSequenceField>();
    s->CurVal = 41;
    s->MinVal = 7;
    s->MaxVal = 500;
    s->MinSize = 4;
    text->Fields.push_back(std::move(s));
    auto d = std::make_unique<TDateField>();
    d->Format = "yyyy-mm-dd";
    text->Fields.push_back(std::move(d));

    auto *memo = Add(*c, new TMemoLabel);
    SetCommon(*memo, 200, 300, 200, 90);
    memo->Text = QStringLiteral("第一行\r\n\r\nthird line\r\n");
    memo->Transparent = false;
    memo->Rotation = 3;

    auto *shape = Add(*c, new TShapeLabel);
    SetCommon(*shape, 0, 0, 50, 40);
    shape->ShapeKind = skTriangle;
    shape->Pen = TPen{3, TColor(0x80000005)};
    shape->Brush = TBrush{bsCross, 0x00FF00};
    shape->FlipVert = true;

    auto *pic = Add(*c, new TGraphicLabel);
    SetCommon(*pic, 300, 400, 64, 48);
    pic->FileName = bmp;
    pic->KeepAspect = false;
    pic->Rotation = 1;
    pic->FlipHorz = true;

    auto *attached = Add(*c, new TTextLabel);
    attached->Height = 30;
    attached->SetAttach(iaBottom);
    attached->Text = "footer";

    c->ShowGrids = false;
    const QString file = Path("all.lbl");
    ASSERT_TRUE(SaveLabelFile(file, *c));

    auto back = NewContainer();
    back->LabelFormat = TLabelFormat{};
    ASSERT_TRUE(LoadLabelFile(file, *back, nullptr, &messages_));
    EXPECT_EQ(back->LabelFormat.Label_Width, 8);
    EXPECT_EQ(back->LabelFormat.Label_Height, 6);
    EXPECT_EQ(back->LabelFormat.Margin_Top, 0.5);
    EXPECT_EQ(back->LabelFormat.Margin_Left, 0.25);
    EXPECT_EQ(back->LabelFormat.Gap_Height, 0.125);
    EXPECT_EQ(back->LabelFormat.Gap_Width, 0.0625);
    EXPECT_FALSE(back->ShowGrids);
    ASSERT_EQ(back->Items.size(), c->Items.size());
    for (qsizetype i = 0; i < c->Items.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectSameItem(*c->Items[i], *back->Items[i]);
    }
    auto *bc2 = dynamic_cast<TBarcodeLabel *>(back->Items[0]);
    ASSERT_TRUE(bc2);
    EXPECT_EQ(bc2->BarcodeType, 6);
    EXPECT_EQ(bc2->Scale, 3);
    EXPECT_FALSE(bc2->Interpretation);
    EXPECT_FALSE(bc2->AutoScale);
    auto *shape2 = dynamic_cast<TShapeLabel *>(back->Items[3]);
    ASSERT_TRUE(shape2);
    EXPECT_EQ(shape2->ShapeKind, skTriangle);
    EXPECT_EQ(shape2->Pen.Width, 3);
    EXPECT_EQ(shape2->Pen.Color, TColor(0x80000005));
    EXPECT_EQ(shape2->Brush.Style, bsCross);
    EXPECT_EQ(shape2->Brush.Color, 0x00FF00);
    auto *pic2 = dynamic_cast<TGraphicLabel *>(back->Items[4]);
    ASSERT_TRUE(pic2);
    EXPECT_EQ(pic2->FileName, bmp);
    EXPECT_FALSE(pic2->KeepAspect);
    EXPECT_EQ(pic2->Picture.size(), QSize(8, 6));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();

    const QByteArray bytes = ReadAll(file);
    EXPECT_TRUE(bytes.contains("PEN_COLOR=-2147483643\r\n"));
    EXPECT_TRUE(bytes.contains("IMG_NAME=logo.bmp\r\n"));
    EXPECT_TRUE(bytes.contains("ROTATE=180\r\n"));
    EXPECT_TRUE(bytes.contains("ADVCHAR_2=42\r\n"));
    // Flips are written only when set.
    EXPECT_EQ(bytes.count("FLIP_VERT=1\r\n"), 1);
    EXPECT_EQ(bytes.count("FLIP_HORZ=1\r\n"), 1);
    EXPECT_FALSE(bytes.contains("FLIP_HORZ=0") || bytes.contains("FLIP_VERT=0"));

    // A clone of every kind saves as its original, parts and counters
    // included, and keeps the picture in memory.
    auto clones = NewContainer();
    clones->ShowGrids = back->ShowGrids;
    for (TLabelControl *item : back->Items)
        clones->AddItem(item->Clone().release());
    const QString original = Path("original.lbl"), cloned = Path("cloned.lbl");
    ASSERT_TRUE(SaveLabelFile(original, *back));
    ASSERT_TRUE(SaveLabelFile(cloned, *clones));
    EXPECT_EQ(ReadAll(cloned), ReadAll(original));
    EXPECT_EQ(static_cast<TGraphicLabel *>(clones->Items[4])->Picture, pic2->Picture);
}

TEST_F(LabelFileTest, KeysAreWrittenInTheirOrder)
{
    auto c = NewContainer();
    Add(*c, new TBarcodeLabel);
    Add(*c, new TMemoLabel)->Text = "a\r\nb";
    auto *shape = Add(*c, new TShapeLabel);
    shape->Advanced = true;
    shape->Fields.push_back(std::make_unique<TSequenceField>());
    shape->Fields.push_back(std::make_unique<TAdvancedField>("OTHER"));
    Add(*c, new TGraphicLabel);
    TIniFile ini(Path("order.lbl"), TIniFile::StartEmpty);
    WriteLabelFormat(ini, c->LabelFormat);
    WriteLabel(ini, *c);

    const QStringList common = {"TOP", "LEFT", "WIDTH", "HEIGHT", "AUTOSIZE", "TRANSPARENT", "ROTATE", "ALIGN", "HALIGN",
                                "VALIGN", "FONT_NAME", "FONT_SIZE", "FONT_COLOR", "FONT_BOLD", "FONT_ITALIC",
                                "FONT_UNDERLINE", "FONT_STRIKEOUT", "FONT_CHARSET"};
    EXPECT_EQ(ini.Sections(), QStringList({"FORMAT", "CNT_1", "CNT_2", "CNT_3", "CNT_4"}));
    EXPECT_EQ(ini.Keys("FORMAT"), QStringList({"HEIGHT", "WIDTH", "TOPMARGIN", "LEFTMARGIN", "GAPHEIGHT", "GAPWIDTH",
                                               "METRIC", "SHOWGRID", "CONTROLS"}));
    EXPECT_EQ(ini.Keys("CNT_1"), QStringList({"TYPE", "BCTYPE", "SCALE", "INTERPRET", "AUTOSCALE"}) + common
                                     + QStringList({"TEXT", "ADVANCED", "ADV_COUNT"}));
    EXPECT_EQ(ini.Keys("CNT_2"), QStringList({"TYPE"}) + common
                                     + QStringList({"MEMO_1", "MEMO_2", "MEMO_LINES", "ADVANCED", "ADV_COUNT"}));
    EXPECT_EQ(ini.Keys("CNT_3"), QStringList({"TYPE", "SHAPEFORMAT", "PEN_WIDTH", "PEN_COLOR", "BRUSH_STYLE", "BRUSH_COLOR"})
                                     + common
                                     + QStringList({"TEXT", "ADVANCED", "ADV_COUNT", "ADVTYPE_1", "ADVCUR_1", "ADVMIN_1",
                                                    "ADVMAX_1", "ADVSIZE_1", "ADVTYPE_2"}));
    EXPECT_EQ(ini.Keys("CNT_4"), QStringList({"TYPE", "IMG_NAME", "IMG_ASPECTS"}) + common
                                     + QStringList({"TEXT", "ADVANCED", "ADV_COUNT"}));

    // A template holds the seven format keys alone.
    ASSERT_TRUE(SaveLabelFormat(Path("t.lbf"), c->LabelFormat));
    EXPECT_EQ(ReadAll(Path("t.lbf")), QByteArray("[FORMAT]\r\nHEIGHT=6\r\nWIDTH=8\r\nTOPMARGIN=0.5\r\nLEFTMARGIN=0.25\r\n"
                                                 "GAPHEIGHT=0.125\r\nGAPWIDTH=0.0625\r\nMETRIC=0\r\n"));
    // A roll label adds ROLL, read back; turning it off removes the key again.
    c->LabelFormat.Roll = true;
    ASSERT_TRUE(SaveLabelFormat(Path("t.lbf"), c->LabelFormat));
    EXPECT_TRUE(ReadAll(Path("t.lbf")).endsWith("METRIC=0\r\nROLL=1\r\n"));
    c->LabelFormat.Roll = false;
    ReadLabelFormat(TIniFile(Path("t.lbf")), c->LabelFormat);
    EXPECT_TRUE(c->LabelFormat.Roll);
    c->LabelFormat.Roll = false;
    ASSERT_TRUE(SaveLabelFormat(Path("t.lbf"), c->LabelFormat));
    EXPECT_TRUE(ReadAll(Path("t.lbf")).endsWith("METRIC=0\r\n"));
    // So do a sheet's grid limits, each alone.
    struct {
        int columns, rows;
        const char *tail;
    } limits[] = {{4, 20, "METRIC=0\r\nCOLUMNS=4\r\nROWS=20\r\n"}, {0, 7, "METRIC=0\r\nROWS=7\r\n"},
                  {3, 0, "METRIC=0\r\nCOLUMNS=3\r\n"}, {0, 0, "METRIC=0\r\n"}};
    for (const auto &l : limits) {
        c->LabelFormat.MaxColumns = l.columns;
        c->LabelFormat.MaxRows = l.rows;
        ASSERT_TRUE(SaveLabelFormat(Path("t.lbf"), c->LabelFormat));
        EXPECT_TRUE(ReadAll(Path("t.lbf")).endsWith(l.tail)) << ReadAll(Path("t.lbf")).constData();
        c->LabelFormat.MaxColumns = c->LabelFormat.MaxRows = -1;
        ReadLabelFormat(TIniFile(Path("t.lbf")), c->LabelFormat);
        EXPECT_EQ(c->LabelFormat.MaxColumns, l.columns);
        EXPECT_EQ(c->LabelFormat.MaxRows, l.rows);
    }
    // A sheet's further grids: GRIDS and each grid's keys, only while there are any.
    c->LabelFormat.ExtraGrids = {{1.5, 0.25, 0.125, 0, 2, 1}};
    ASSERT_TRUE(SaveLabelFormat(Path("t.lbf"), c->LabelFormat));
    EXPECT_TRUE(ReadAll(Path("t.lbf")).endsWith("METRIC=0\r\nGRIDS=2\r\nGRID2_TOPMARGIN=1.5\r\nGRID2_LEFTMARGIN=0.25\r\n"
                                              "GRID2_GAPHEIGHT=0.125\r\nGRID2_GAPWIDTH=0\r\nGRID2_COLUMNS=2\r\n"
                                              "GRID2_ROWS=1\r\n"))
        << ReadAll(Path("t.lbf")).constData();
    c->LabelFormat.ExtraGrids.clear();
    ReadLabelFormat(TIniFile(Path("t.lbf")), c->LabelFormat);
    ASSERT_EQ(c->LabelFormat.ExtraGrids.size(), 1);
    EXPECT_EQ(c->LabelFormat.ExtraGrids[0].Margin_Top, 1.5);
    EXPECT_EQ(c->LabelFormat.ExtraGrids[0].Columns, 2);
    c->LabelFormat.ExtraGrids.clear();
    ASSERT_TRUE(SaveLabelFormat(Path("t.lbf"), c->LabelFormat));
    EXPECT_TRUE(ReadAll(Path("t.lbf")).endsWith("METRIC=0\r\n"));
    // A die-cut shape adds SHAPE (and a rounded rectangle its RADIUS); a
    // rectangle writes neither, an unknown shape reads as a rectangle.
    const struct {
        TLabelShape shape;
        double radius;
        const char *tail;
        TLabelShape read;
    } shapes[] = {{TLabelShape::RoundedRectangle, 0.125, "METRIC=0\r\nSHAPE=ROUNDED\r\nRADIUS=0.125\r\n",
                   TLabelShape::RoundedRectangle},
                  {TLabelShape::Round, 0, "METRIC=0\r\nSHAPE=ROUND\r\n", TLabelShape::Round},
                  {TLabelShape::Ellipse, 0.5, "METRIC=0\r\nSHAPE=ELLIPSE\r\n", TLabelShape::Ellipse},
                  {TLabelShape::Rectangle, 0.5, "METRIC=0\r\n", TLabelShape::Rectangle}};
    for (const auto &l : shapes) {
        c->LabelFormat.Shape = l.shape;
        c->LabelFormat.CornerRadius = l.radius;
        ASSERT_TRUE(SaveLabelFormat(Path("t.lbf"), c->LabelFormat));
        EXPECT_TRUE(ReadAll(Path("t.lbf")).endsWith(l.tail)) << ReadAll(Path("t.lbf")).constData();
        c->LabelFormat.Shape = TLabelShape::Ellipse;
        ReadLabelFormat(TIniFile(Path("t.lbf")), c->LabelFormat);
        EXPECT_EQ(c->LabelFormat.Shape, l.read);
        EXPECT_EQ(c->LabelFormat.CornerRadius, l.read == TLabelShape::RoundedRectangle ? l.radius : 0.0);
    }
    {
        TIniFile t(Path("t.lbf"));
        t.WriteString("FORMAT", "SHAPE", "cd");
        ASSERT_TRUE(t.UpdateFile());
        ReadLabelFormat(TIniFile(Path("t.lbf")), c->LabelFormat);
        EXPECT_EQ(c->LabelFormat.Shape, TLabelShape::Rectangle);
    }
    c->LabelFormat.Shape = TLabelShape::Rectangle;
    c->LabelFormat.CornerRadius = 0;
    // The data files' encoding, once chosen, follows SHOWGRID; a name given
    // another way reads as its usual one, an unknown one as none.
    c->DataEncoding = QStringLiteral("UTF-16LE");
    ASSERT_TRUE(SaveLabelFile(Path("e.lbl"), *c));
    EXPECT_TRUE(ReadAll(Path("e.lbl")).contains("SHOWGRID=1\r\nDATAENCODING=UTF-16LE\r\nCONTROLS="));
    for (const auto &[value, read] : {std::pair{"UTF-16LE", "UTF-16LE"}, {"gbk", "GB18030"}, {"latin9", ""}}) {
        TIniFile e(Path("e.lbl"));
        e.WriteString("FORMAT", "DATAENCODING", value);
        ASSERT_TRUE(e.UpdateFile());
        c->DataEncoding = QStringLiteral("?");
        ASSERT_TRUE(LoadLabelFile(Path("e.lbl"), *c));
        EXPECT_EQ(c->DataEncoding, QString::fromLatin1(read)) << value;
    }
    c->DataEncoding.clear();
}

TEST_F(LabelFileTest, MemoLineBreaks)
{
    const struct {
        const char *name;
        QString text;
        QStringList lines;
        QString back;
    } cases[] = {
        {"crlf", "a\r\nb", {"a", "b"}, "a\r\nb"},
        {"crlf at end", "a\r\n", {"a", ""}, "a\r\n"},
        {"empty", "", {""}, ""},
        {"empty line between", "a\r\n\r\nb", {"a", "", "b"}, "a\r\n\r\nb"},
        {"lone crlf", "\r\n", {"", ""}, "\r\n"},
        {"lf", "a\nb", {"a", "b"}, "a\r\nb"},
        {"lf cr", "a\n\rb", {"a", "b"}, "a\r\nb"},
        {"lf lf keeps the empty line", "a\n\nb", {"a", "", "b"}, "a\r\n\r\nb"},
        {"cr cr keeps the empty line", "a\r\rb", {"a", "", "b"}, "a\r\n\r\nb"},
        {"chinese", QStringLiteral("甲\r\n乙"), {QStringLiteral("甲"), QStringLiteral("乙")}, QStringLiteral("甲\r\n乙")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TIniFile ini(Path("m.lbl"), TIniFile::StartEmpty);
        SaveMemoLines(ini, "CNT_1", c.text);
        ASSERT_EQ(ini.ReadInteger("CNT_1", "MEMO_LINES", -1), c.lines.size());
        for (int k = 0; k < c.lines.size(); ++k)
            EXPECT_EQ(ini.ReadString("CNT_1", "MEMO_" + QString::number(k + 1), "?"), c.lines[k]);
        EXPECT_EQ(LoadMemoLines(ini, "CNT_1"), c.back);
    }
}

TEST_F(LabelFileTest, RotatedItemStoresUnrotatedExtentsInScreenInches)
{
    auto c = NewContainer();
    auto *text = Add(*c, new TTextLabel);
    SetCommon(*text, 96, 48, 200, 50);
    text->Rotation = 1;
    text->Text = "turned";
    const QString file = Path("rot.lbl");
    ASSERT_TRUE(SaveLabelFile(file, *c));
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString("CNT_1", "WIDTH", ""), "0.520833333333333");
    EXPECT_EQ(ini.ReadString("CNT_1", "HEIGHT", ""), "2.08333333333333");
    EXPECT_EQ(ini.ReadString("CNT_1", "TOP", ""), "1");
    EXPECT_EQ(ini.ReadString("CNT_1", "LEFT", ""), "0.5");
    EXPECT_EQ(ini.ReadString("CNT_1", "ROTATE", ""), "90");

    auto back = NewContainer();
    ASSERT_TRUE(LoadLabel(file, *back));
    ASSERT_EQ(back->Items.size(), 1);
    EXPECT_EQ(back->Items[0]->Width, 200);
    EXPECT_EQ(back->Items[0]->Height, 50);
    EXPECT_EQ(back->Items[0]->Rotation, 1);
}

TEST_F(LabelFileTest, PictureBesideTheLabelFollowsAMove)
{
    QDir root(dir_.path());
    ASSERT_TRUE(root.mkpath("a/pictures"));
    QImage img(5, 4, QImage::Format_RGB32);
    img.fill(Qt::blue);
    ASSERT_TRUE(img.save(Path("a/logo.bmp"), "BMP"));
    ASSERT_TRUE(img.save(Path("a/pictures/other.bmp"), "BMP"));

    auto c = NewContainer();
    Add(*c, new TGraphicLabel)->FileName = Path("a/logo.bmp");
    Add(*c, new TGraphicLabel)->FileName = Path("a/pictures/other.bmp");
    ASSERT_TRUE(SaveLabelFile(Path("a/label.lbl"), *c));
    TIniFile ini(Path("a/label.lbl"));
    EXPECT_EQ(ini.ReadString("CNT_1", "IMG_NAME", ""), "logo.bmp");
    EXPECT_EQ(ini.ReadString("CNT_2", "IMG_NAME", ""), Path("a/pictures/other.bmp"));

    ASSERT_TRUE(root.rename("a", "b"));
    auto back = NewContainer();
    ASSERT_TRUE(LoadLabel(Path("b/label.lbl"), *back, nullptr, &messages_));
    ASSERT_EQ(back->Items.size(), 2);
    auto *moved = static_cast<TGraphicLabel *>(back->Items[0]);
    EXPECT_EQ(moved->FileName, Path("b/logo.bmp"));
    EXPECT_EQ(moved->Picture.size(), QSize(5, 4));
    // The picture kept by full path is gone: the item stays, with its name.
    auto *lost = static_cast<TGraphicLabel *>(back->Items[1]);
    EXPECT_EQ(lost->FileName, Path("a/pictures/other.bmp"));
    EXPECT_EQ(messages_.size(), 1);
}

TEST_F(LabelFileTest, AnEmbeddedPictureTravelsWithTheLabel)
{
    QImage img(6, 4, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    img.setPixel(1, 1, qRgb(0, 0, 255));
    ASSERT_TRUE(img.save(Path("logo.png"), "PNG"));
    auto c = NewContainer();
    auto *embedded = Add(*c, new TGraphicLabel);
    ASSERT_TRUE(LoadGraphic(embedded, Path("logo.png")));
    embedded->SetFileName(Path("logo.png"));
    ASSERT_TRUE(SetPictureEmbedded(embedded, true));
    auto *linked = Add(*c, new TGraphicLabel);
    ASSERT_TRUE(LoadGraphic(linked, Path("logo.png")));
    linked->SetFileName(Path("logo.png"));
    ASSERT_TRUE(SaveLabelFile(Path("label.lbl"), *c));
    {
        TIniFile ini(Path("label.lbl"));
        EXPECT_EQ(ini.ReadString("CNT_1", "IMG_FORMAT", ""), "png");
        EXPECT_FALSE(ini.ReadString("CNT_1", "IMG_DATA", "").isEmpty());
        EXPECT_EQ(ini.ReadString("CNT_2", "IMG_DATA", "none"), "none"); // linked: written as before
    }
    ASSERT_TRUE(QFile::remove(Path("logo.png")));

    auto back = NewContainer();
    ASSERT_TRUE(LoadLabel(Path("label.lbl"), *back, nullptr, &messages_));
    ASSERT_EQ(back->Items.size(), 2);
    auto *travelled = static_cast<TGraphicLabel *>(back->Items[0]);
    EXPECT_TRUE(travelled->Embedded);
    EXPECT_FALSE(travelled->PictureMissing());
    EXPECT_EQ(travelled->FileName, Path("logo.png"));
    EXPECT_EQ(travelled->Picture, embedded->Picture);
    EXPECT_TRUE(static_cast<TGraphicLabel *>(back->Items[1])->PictureMissing());
    EXPECT_EQ(messages_, QStringList{"Unable to locate Graphic file\n\r" + Path("logo.png")});

    // Damaged data is told, and the linked file is read instead. (Over 10 MB
    // is refused alike; a file that large is left out for the suite's time.)
    WriteAll(Path("bad.lbl"), "[FORMAT]\r\nCONTROLS=1\r\n[CNT_1]\r\nTYPE=GRAPHIC\r\nIMG_NAME=gone.png\r\n"
                              "IMG_FORMAT=png\r\nIMG_DATA=*not base64*\r\n");
    messages_.clear();
    auto refused = NewContainer();
    ASSERT_TRUE(LoadLabel(Path("bad.lbl"), *refused, nullptr, &messages_));
    EXPECT_FALSE(static_cast<TGraphicLabel *>(refused->Items[0])->Embedded);
    EXPECT_EQ(messages_, (QStringList{"Unable to load picture file (the embedded data is damaged)\n\r" + Path("gone.png"),
                                      "Unable to locate Graphic file\n\r" + Path("gone.png")}));
}

TEST_F(LabelFileTest, UnknownKindsAreSkippedAndCountsBoundedByTheFile)
{
    WriteAll(Path("u.lbl"),
             "[FORMAT]\r\nCONTROLS=2147483647\r\n"
             "[CNT_1]\r\nTYPE=text\r\n"
             "[CNT_2]\r\nTYPE=TEXT\r\nTEXT=kept\r\nADVANCED=1\r\nADV_COUNT=2000000000\r\n"
             "ADVTYPE_1=TEXT\r\nADVTXT_1=a\r\nADVTYPE_2=BOGUS\r\nADVTYPE_3=SEQUENCE\r\nADVCUR_3=5\r\n"
             "ADVTYPE_4=date\r\nADVTYPE_2000000001=TEXT\r\n"
             "[CNT_3]\r\nTYPE=PICTURE\r\n"
             "[CNT_5]\r\nTYPE=MEMO\r\nMEMO_LINES=2000000000\r\nMEMO_1=x\r\nMEMO_3=z\r\n"
             "[CNT_2147483647]\r\nTYPE=MEMO\r\nMEMO_LINES=2147483647\r\nMEMO_1=top\r\nMEMO_2147483647=end\r\n");
    auto c = NewContainer();
    ASSERT_TRUE(LoadLabel(Path("u.lbl"), *c));
    ASSERT_EQ(c->Items.size(), 3);
    TLabelControl *text = c->Items[0];
    EXPECT_EQ(text->Kind, ikText);
    EXPECT_EQ(text->Text, "kept");
    ASSERT_EQ(text->Fields.size(), 2u);
    EXPECT_EQ(text->Fields[0]->FieldType, "TEXT");
    auto *seq = dynamic_cast<TSequenceField *>(text->Fields[1].get());
    ASSERT_TRUE(seq);
    EXPECT_EQ(seq->CurVal, 5);
    EXPECT_EQ(seq->MaxVal, 999999999);
    EXPECT_EQ(c->Items[1]->Kind, ikMemo);
    EXPECT_EQ(c->Items[1]->Text, "x\r\n\r\nz");
    // Two billion missing lines are not built: past what can be shown they add nothing.
    const QString &last = c->Items[2]->Text;
    EXPECT_TRUE(last.startsWith("top\r\n\r\n") && last.endsWith("\r\nend"));
    EXPECT_EQ(last.size(), 3 + 2 + 2 * kMaxShownText + 3);
}

TEST_F(LabelFileTest, MissingKeysTakeTheirDefaults)
{
    WriteAll(Path("d.lbl"), "[FORMAT]\r\nCONTROLS=5\r\n[CNT_1]\r\nTYPE=BARCODE\r\n[CNT_2]\r\nTYPE=SHAPE\r\n"
                            "[CNT_3]\r\nTYPE=GRAPHIC\r\n[CNT_4]\r\nTYPE=MEMO\r\n"
                            "[CNT_5]\r\nTYPE=TEXT\r\nADVANCED=1\r\nADV_COUNT=2\r\nADVTYPE_1=FIELD\r\nADVTYPE_2=DATE\r\n");
    auto c = NewContainer(4000, 4000);
    c->ShowGrids = false;
    ASSERT_TRUE(LoadLabelFile(Path("d.lbl"), *c, nullptr, &messages_));
    EXPECT_EQ(c->LabelFormat.Label_Width, 2);
    EXPECT_EQ(c->LabelFormat.Label_Height, 1);
    EXPECT_EQ(c->LabelFormat.Margin_Top, 0);
    EXPECT_EQ(c->LabelFormat.Gap_Width, 0);
    EXPECT_FALSE(c->LabelFormat.Metric);
    EXPECT_TRUE(c->ShowGrids);
    ASSERT_EQ(c->Items.size(), 5);
    for (TLabelControl *i : c->Items) {
        SCOPED_TRACE(i->Kind);
        EXPECT_EQ(i->Top, 0);
        EXPECT_EQ(i->Left, 0);
        EXPECT_EQ(i->Width, 1920); // twenty inches
        EXPECT_EQ(i->Height, 1920);
        EXPECT_TRUE(i->AutoSize);
        EXPECT_FALSE(i->Transparent);
        EXPECT_EQ(i->Rotation, 0);
        EXPECT_EQ(i->Attach, iaNone);
        EXPECT_EQ(i->HorzAlign, iaLeft);
        EXPECT_EQ(i->VertAlign, iaTop);
        EXPECT_EQ(i->Font.Font.family(), "Courier New");
        EXPECT_EQ(i->Font.Font.pointSize(), 8);
        EXPECT_EQ(i->Font.Color, clBlack);
        EXPECT_FALSE(i->Font.Font.bold());
        EXPECT_EQ(i->Font.Charset, 1);
        EXPECT_TRUE(i->Text.isEmpty());
    }
    auto *bc = static_cast<TBarcodeLabel *>(c->Items[0]);
    EXPECT_EQ(bc->BarcodeType, 0);
    EXPECT_EQ(bc->Scale, 1);
    EXPECT_TRUE(bc->Interpretation);
    EXPECT_TRUE(bc->AutoScale);
    auto *shape = static_cast<TShapeLabel *>(c->Items[1]);
    EXPECT_EQ(shape->ShapeKind, skRectangle);
    EXPECT_EQ(shape->Pen.Width, 1);
    EXPECT_EQ(shape->Pen.Color, clBlack);
    EXPECT_EQ(shape->Brush.Style, bsSolid);
    EXPECT_EQ(shape->Brush.Color, clWhite);
    auto *pic = static_cast<TGraphicLabel *>(c->Items[2]);
    EXPECT_TRUE(pic->FileName.isEmpty());
    EXPECT_TRUE(pic->KeepAspect);
    const auto &fields = c->Items[4]->Fields;
    ASSERT_EQ(fields.size(), 2u);
    auto *field = dynamic_cast<TImportedField *>(fields[0].get());
    ASSERT_TRUE(field);
    EXPECT_EQ(field->FieldNum, 1);
    EXPECT_EQ(field->MinSize, 0);
    EXPECT_EQ(field->PadChar, QLatin1Char(' '));
    auto *date = dynamic_cast<TDateField *>(fields[1].get());
    ASSERT_TRUE(date);
    EXPECT_EQ(date->Format, "YYYYMMDD");
    EXPECT_TRUE(messages_.isEmpty());
}

// MILLIMETRES decides over METRIC; it is written only for millimetres, so
// files in inches or centimetres keep the keys they always had.
TEST_F(LabelFileTest, MillimetresKeyIsWrittenOnlyForMillimetres)
{
    const struct {
        const char *keys;
        TLabelUnit unit;
    } rows[] = {
        {"", TLabelUnit::Inch},
        {"METRIC=1\r\n", TLabelUnit::Centimetre},
        {"METRIC=1\r\nMILLIMETRES=1\r\n", TLabelUnit::Millimetre},
        {"METRIC=0\r\nMILLIMETRES=1\r\n", TLabelUnit::Millimetre},
        {"METRIC=1\r\nMILLIMETRES=0\r\n", TLabelUnit::Centimetre},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(r.keys);
        WriteAll(Path("u.lbl"), QByteArray("[FORMAT]\r\nHEIGHT=30\r\nWIDTH=50\r\n") + r.keys + "CONTROLS=0\r\n");
        auto c = NewContainer();
        ASSERT_TRUE(LoadLabelFile(Path("u.lbl"), *c, nullptr, &messages_));
        EXPECT_EQ(LabelUnit(c->LabelFormat), r.unit);
        EXPECT_EQ(c->LabelFormat.Label_Width, 50);
        ASSERT_TRUE(SaveLabelFile(Path("v.lbl"), *c));
        const QByteArray saved = ReadAll(Path("v.lbl"));
        EXPECT_EQ(saved.contains("MILLIMETRES=1\r\n"), r.unit == TLabelUnit::Millimetre) << saved.constData();
        EXPECT_FALSE(saved.contains("MILLIMETRES=0"));
        EXPECT_EQ(saved.contains("METRIC=1\r\n"), r.unit != TLabelUnit::Inch);
    }
}

TEST_F(LabelFileTest, CommaOrPointDecimalsAndOutOfRangeValues)
{
    WriteAll(Path("c.lbl"), "[FORMAT]\r\nHEIGHT=1,5\r\nWIDTH=2.75\r\nTOPMARGIN=x\r\nLEFTMARGIN=-100\r\nMETRIC=1\r\nCONTROLS=1\r\n"
                            "[CNT_1]\r\nTYPE=SHAPE\r\nTOP=0,5\r\nLEFT=1E400\r\nWIDTH=0.25\r\nHEIGHT=-3\r\n"
                            "SHAPEFORMAT=99\r\nBRUSH_STYLE=8\r\nALIGN=200\r\nVALIGN=-1\r\nFONT_SIZE=0\r\n"
                            "FONT_CHARSET=300\r\nAUTOSIZE=0\r\n");
    auto c = NewContainer();
    ASSERT_TRUE(LoadLabelFile(Path("c.lbl"), *c, nullptr, &messages_));
    EXPECT_EQ(c->LabelFormat.Label_Height, 1.5);
    EXPECT_EQ(c->LabelFormat.Label_Width, 2.75);
    EXPECT_EQ(c->LabelFormat.Margin_Top, 0);
    EXPECT_EQ(c->LabelFormat.Margin_Left, 0); // a margin off the paper, with a warning
    EXPECT_EQ(messages_, QStringList(Path("c.lbl") + ": LEFTMARGIN=-100 would place labels outside the page; read as 0."));
    EXPECT_TRUE(c->LabelFormat.Metric);
    ASSERT_EQ(c->Items.size(), 1);
    auto *shape = static_cast<TShapeLabel *>(c->Items[0]);
    EXPECT_EQ(shape->Top, 48);
    EXPECT_EQ(shape->Left, 0);
    EXPECT_EQ(shape->Width, 24);
    EXPECT_EQ(shape->Height, 10); // the minimum
    EXPECT_EQ(shape->ShapeKind, skRectangle);
    EXPECT_EQ(shape->Brush.Style, bsSolid);
    EXPECT_EQ(shape->Attach, iaNone);
    EXPECT_EQ(shape->VertAlign, iaTop);
    EXPECT_EQ(shape->Font.Font.pointSize(), 8);
    EXPECT_EQ(shape->Font.Charset, 1);
}

TEST_F(LabelFileTest, TwoDimensionalOptionsRoundTripAndOddOnesFallBack)
{
    struct Row {
        int type, ecc, size;
        bool rect;
        QMap<QString, QString> named = {};
    };
    const int maxiCode = FindSymbologyByCliName(u"maxicode")->ordinal;
    // Written by the program: read back the same; only two-dimensional
    // symbologies carry the option keys.
    const Row written[] = {{bcQRCode, 3, 40, false}, {bcDataMatrix, -1, 26, false}, {bcDataMatrix, -1, 0, true},
                           {bcPDF417, 8, 30, false}, {bcAztec, 50, 4, false}, {bcGS1DataMatrix, -1, 0, true},
                           {bcEAN13, -1, 0, false},
                           {maxiCode, -1, 0, false, {{"mode", "3"}, {"primary", "x;y"}}}};
    for (const Row &r : written) {
        SCOPED_TRACE(r.type);
        auto c = NewContainer();
        auto *bc = Add(*c, new TBarcodeLabel);
        bc->BarcodeType = quint8(r.type);
        bc->BarcodeEcc = r.ecc;
        bc->BarcodeSize = r.size;
        bc->BarcodeRectangular = r.rect;
        bc->BarcodeNamedOptions = r.named;
        ASSERT_TRUE(SaveLabelFile(Path("2d.lbl"), *c));
        const bool matrix = r.type >= bcQRCode && r.type < kClassicSymbologyCount;
        EXPECT_EQ(ReadAll(Path("2d.lbl")).contains("BCOPT_MODE=3"), !r.named.isEmpty());
        EXPECT_EQ(ReadAll(Path("2d.lbl")).contains("BCECC="), matrix);
        EXPECT_EQ(ReadAll(Path("2d.lbl")).contains("BCRECT="), matrix);
        auto back = NewContainer();
        ASSERT_TRUE(LoadLabelFile(Path("2d.lbl"), *back));
        auto &b = static_cast<TBarcodeLabel &>(*back->Items[0]);
        EXPECT_EQ(std::tuple(int(b.BarcodeType), b.BarcodeEcc, b.BarcodeSize, b.BarcodeRectangular,
                             b.BarcodeNamedOptions),
                  std::tuple(r.type, r.ecc, r.size, r.rect, r.named));
    }
    // Written by hand: an unknown symbology is Code 128 as it always was, and
    // an option the symbology does not offer is automatic.
    const std::pair<const char *, Row> read[] = {
        {"BCTYPE=97\r\nBCECC=2\r\n", {bcCode128, -1, 0, false}},
        // A named option the symbology lacks is not read.
        {"BCTYPE=70\r\nBCOPT_MODE=5\r\nBCOPT_BEARER=box\r\nBCECC=2\r\n", {70, -1, 0, false, {{"mode", "5"}}}},
        {"BCTYPE=13\r\nBCECC=7\r\nBCSIZE=41\r\nBCRECT=1\r\n", {bcQRCode, -1, 0, false}},
        {"BCTYPE=16\r\nBCECC=36\r\nBCSIZE=36\r\n", {bcAztec, 36, 36, false}},
        {"BCTYPE=16\r\nBCECC=3\r\nBCSIZE=-1\r\n", {bcAztec, -1, 0, false}},
        {"BCTYPE=14\r\nBCECC=1\r\nBCSIZE=30\r\nBCRECT=1\r\nBCNEW=x\r\n", {bcDataMatrix, -1, 30, true}},
        {"BCTYPE=6\r\nBCECC=2\r\nBCSIZE=3\r\n", {bcEAN13, -1, 0, false}},
    };
    for (const auto &[keys, want] : read) {
        SCOPED_TRACE(keys);
        WriteAll(Path("h.lbl"), QByteArray("[FORMAT]\r\nCONTROLS=1\r\n[CNT_1]\r\nTYPE=BARCODE\r\n") + keys);
        auto c = NewContainer();
        ASSERT_TRUE(LoadLabelFile(Path("h.lbl"), *c));
        ASSERT_EQ(c->Items.size(), 1);
        auto &b = static_cast<TBarcodeLabel &>(*c->Items[0]);
        EXPECT_EQ(std::tuple(int(b.BarcodeType), b.BarcodeEcc, b.BarcodeSize, b.BarcodeRectangular,
                             b.BarcodeNamedOptions),
                  std::tuple(want.type, want.ecc, want.size, want.rect, want.named));
    }
}

TEST_F(LabelFileTest, TemplatesAndLabelsReadEachOther)
{
    auto c = NewContainer();
    Add(*c, new TTextLabel)->Text = "x";
    ASSERT_TRUE(SaveLabelFile(Path("l.lbl"), *c));
    ASSERT_TRUE(SaveLabelFormat(Path("t.lbf"), c->LabelFormat));
    TLabelFormat format;
    ASSERT_TRUE(LoadLabelFormat(Path("l.lbl"), format));
    EXPECT_EQ(format.Label_Width, 8);
    auto back = NewContainer();
    ASSERT_TRUE(LoadLabel(Path("t.lbf"), *back));
    EXPECT_TRUE(back->Items.isEmpty());

    // SaveLabel alone adds the items to the template already written.
    ASSERT_TRUE(SaveLabel(Path("t.lbf"), *c));
    ASSERT_TRUE(LoadLabel(Path("t.lbf"), *back));
    EXPECT_EQ(back->Items.size(), 1);
    TIniFile ini(Path("t.lbf"));
    EXPECT_EQ(ini.ReadFloat("FORMAT", "WIDTH", 0), 8);

    QString error;
    EXPECT_FALSE(LoadLabelFile(Path("missing.lbl"), *back, &error));
    EXPECT_EQ(error, QStringLiteral("无法读取 %1").arg(Path("missing.lbl")));
}

TEST_F(LabelFileTest, GarbageFilesLoadAsWhatIsReadable)
{
    auto c0 = NewContainer();
    for (int i = 0; i < 3; ++i)
        Add(*c0, new TTextLabel)->Text = QString::number(i);
    ASSERT_TRUE(SaveLabelFile(Path("full.lbl"), *c0));
    const QByteArray full = ReadAll(Path("full.lbl"));
    const qsizetype cut = full.indexOf("[CNT_3]") + 20;

    QByteArray binary;
    quint32 x = 12345;
    for (int i = 0; i < 1 << 20; ++i) {
        x = x * 1103515245u + 12345u;
        binary.append(char(x >> 24));
    }
    // 50 MB: a readable start, then noise, key lines and endless sections.
    QByteArray huge = full;
    while (huge.size() < 20 * 1024 * 1024)
        huge += binary;
    QByteArray lines;
    for (int i = 0; lines.size() < 1024 * 1024; ++i)
        lines += "[CNT_" + QByteArray::number(i % 7 + 1) + "]\r\nTYPE=MEMO\r\nMEMO_LINES=2000000000\r\nMEMO_"
                 + QByteArray::number(i) + "=" + QByteArray(40, 'a' + i % 26) + "\r\n";
    while (huge.size() < 50 * 1024 * 1024)
        huge += lines;

    const struct {
        const char *name;
        QByteArray bytes;
        int minItems;
    } cases[] = {
        {"empty", {}, 0},
        {"binary", binary, 0},
        {"truncated", full.left(cut), 2},
        {"50 MB", huge, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        WriteAll(Path("g.lbl"), c.bytes);
        auto items = NewContainer();
        ASSERT_TRUE(LoadLabelFile(Path("g.lbl"), *items));
        EXPECT_GE(items->Items.size(), c.minItems);
        EXPECT_LE(items->Items.size(), 7);
        if (c.bytes.isEmpty()) {
            EXPECT_EQ(items->LabelFormat.Label_Width, 2);
            EXPECT_EQ(items->LabelFormat.Label_Height, 1);
            EXPECT_TRUE(items->ShowGrids);
        }
    }
}

TEST_F(LabelFileTest, AThousandItemsRoundTrip)
{
    auto c = NewContainer();
    for (int i = 0; i < 1000; ++i) {
        auto *t = Add(*c, new TTextLabel);
        SetCommon(*t, i % 500, i % 700, 30, 20);
        t->Text = QStringLiteral("项目 %1").arg(i);
    }
    ASSERT_TRUE(SaveLabelFile(Path("many.lbl"), *c));
    auto back = NewContainer();
    ASSERT_TRUE(LoadLabelFile(Path("many.lbl"), *back));
    ASSERT_EQ(back->Items.size(), 1000);
    EXPECT_EQ(back->Items[999]->Text, QStringLiteral("项目 999"));
    EXPECT_EQ(back->Items[999]->Top, 499);
}

TEST_F(LabelFileTest, VariableDataKeysRoundTripAndAreWrittenOnlyWhenUsed)
{
    const QByteArray parts =
        "[FORMAT]\r\nCONTROLS=1\r\n[CNT_1]\r\nTYPE=TEXT\r\nADVANCED=1\r\nADV_COUNT=7\r\n"
        "ADVTYPE_1=DATE\r\nADVFMT_1=yyyy-mm-dd\r\nADVOFFSET_1=+6m\r\nADVDATESRC_1=column:Made\r\nADVDATEIN_1=dd/mm/yyyy\r\n"
        "ADVTIME_1=08:30\r\n"
        "ADVTYPE_2=SEQUENCE\r\nADVCUR_2=5\r\nADVMIN_2=0\r\nADVMAX_2=99\r\nADVSIZE_2=3\r\nADVSTEP_2=-10\r\n"
        "ADVREPEAT_2=2\r\nADVPER_2=record\r\nADVRADIX_2=letters\r\n"
        "ADVTYPE_3=FIELD\r\nADVNUM_3=2\r\nADVSIZE_3=0\r\nADVCHAR_3=32\r\nADVNAME_3=SKU\r\n"
        "ADVTYPE_4=ASK\r\nADVNAME_4=LOT\r\nADVCAPTION_4=Lot no.\r\nADVDEFAULT_4=A1\r\n"
        "ADVPATTERN_4=[A-Z]\\d+\r\nADVSIZE_4=6\r\n"
        "ADVTYPE_5=CHECK\r\nADVSCHEME_5=mod11\r\nADVOVER_5=2-3\r\n"
        "ADVTYPE_6=CHECK\r\nADVSCHEME_6=crc32\r\n" // unknown scheme: no part
        "ADVTYPE_7=DATE\r\nADVFMT_7=yymmdd\r\nADVOFFSET_7=soon\r\nADVDATESRC_7=ask:PACKED\r\n";
    WriteAll(Path("v.lbl"), parts);
    auto c = NewContainer();
    ASSERT_TRUE(LoadLabelFile(Path("v.lbl"), *c, nullptr, &messages_));
    ASSERT_EQ(c->Items.size(), 1);
    const TFieldList &f = c->Items[0]->Fields;
    ASSERT_EQ(f.size(), 6u);
    auto *date = dynamic_cast<TDateField *>(f[0].get());
    ASSERT_TRUE(date);
    EXPECT_EQ(std::tuple(date->Offset, date->OffsetUnit, date->Source, date->SourceName, date->InputPattern, date->TimeOfDay),
              std::tuple(6, QChar('m'), TDateSource::Column, QString("Made"), QString("dd/mm/yyyy"), QString("08:30")));
    auto *seq = dynamic_cast<TSequenceField *>(f[1].get());
    ASSERT_TRUE(seq);
    EXPECT_EQ(std::tuple(seq->Step, seq->Repeat, seq->Per, seq->Radix),
              std::tuple(-10, 2, TCountPer::Record, TCountRadix::Letters));
    EXPECT_EQ(dynamic_cast<TImportedField *>(f[2].get())->FieldName, "SKU");
    auto *ask = dynamic_cast<TAskField *>(f[3].get());
    ASSERT_TRUE(ask);
    EXPECT_EQ(std::tuple(ask->Name, ask->Caption, ask->Default, ask->Pattern, ask->Size),
              std::tuple(QString("LOT"), QString("Lot no."), QString("A1"), QString("[A-Z]\\d+"), 6));
    auto *check = dynamic_cast<TCheckField *>(f[4].get());
    ASSERT_TRUE(check);
    EXPECT_EQ(std::tuple(check->Scheme, check->Over), std::tuple(TCheckScheme::Mod11, QString("2-3")));
    auto *asked = dynamic_cast<TDateField *>(f[5].get());
    ASSERT_TRUE(asked);
    EXPECT_EQ(std::tuple(asked->Offset, asked->Source, asked->SourceName), std::tuple(0, TDateSource::Ask, QString("PACKED")));

    // Saved and read again, the parts are the same; defaults add no keys.
    ASSERT_TRUE(SaveLabelFile(Path("v2.lbl"), *c));
    auto back = NewContainer();
    ASSERT_TRUE(LoadLabelFile(Path("v2.lbl"), *back, nullptr, &messages_));
    ASSERT_TRUE(SaveLabelFile(Path("v3.lbl"), *back));
    EXPECT_EQ(ReadAll(Path("v3.lbl")), ReadAll(Path("v2.lbl")));
    TIniFile ini(Path("v2.lbl"));
    const QStringList keys = ini.Keys("CNT_1");
    for (const char *key : {"ADVOFFSET_1", "ADVDATESRC_1", "ADVDATEIN_1", "ADVTIME_1", "ADVSTEP_2", "ADVREPEAT_2",
                            "ADVPER_2", "ADVRADIX_2", "ADVNAME_3", "ADVNAME_4", "ADVSCHEME_5", "ADVOVER_5", "ADVDATESRC_6"})
        EXPECT_TRUE(keys.contains(QLatin1String(key))) << key;
    for (const char *key : {"ADVOFFSET_6", "ADVDATEIN_6", "ADVTIME_6"})
        EXPECT_FALSE(keys.contains(QLatin1String(key))) << key;
}
