// The example labels in examples/ are made by this program's own writer:
// QV_WRITE_EXAMPLES=1 test_storage --gtest_filter='Examples.*' writes them
// again; every other run checks that the files there are still exactly what
// the writer makes and that they load.

#include "model/labelformat.h"
#include "storage/labelfile.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "storage_testutil.h"

namespace {

template <class T>
T *Place(TItemContainer &c, T *item, int left, int top, int w, int h, bool autoSize = false)
{
    item->Left = left;
    item->Top = top;
    item->Width = w;
    item->Height = h;
    item->AutoSize = autoSize;
    item->Loading = false;
    c.AddItem(item);
    return item;
}

void SetFont(TLabelControl &i, const QString &face, int size, bool bold = false, int charset = 134)
{
    i.Font.Font = QFont(face, size);
    i.Font.Font.setBold(bold);
    i.Font.Charset = charset;
}

TTextLabel *Text(TItemContainer &c, const QString &text, int left, int top, int size = 9, bool bold = false)
{
    auto *t = Place(c, new TTextLabel, left, top, 25, 14, true);
    t->Text = text;
    SetFont(*t, QStringLiteral("SimSun"), size, bold);
    return t;
}

TShapeLabel *Shape(TItemContainer &c, TShapeKind kind, int left, int top, int w, int h, int pen)
{
    auto *s = Place(c, new TShapeLabel, left, top, w, h);
    s->ShapeKind = kind;
    s->Pen = TPen{pen, clBlack};
    s->Brush = TBrush{bsClear, clWhite};
    return s;
}

void AddText(TLabelControl &i, const QString &text)
{
    auto f = std::make_unique<TTextField>();
    f->Text = text;
    i.Fields.push_back(std::move(f));
    i.Advanced = true;
}

void AddColumn(TLabelControl &i, int column)
{
    auto f = std::make_unique<TImportedField>();
    f->FieldNum = column;
    i.Fields.push_back(std::move(f));
    i.Advanced = true;
}

void AddCounter(TLabelControl &i)
{
    auto f = std::make_unique<TSequenceField>();
    f->CurVal = 1;
    f->MinVal = 1;
    f->MaxVal = 999999;
    f->MinSize = 6;
    i.Fields.push_back(std::move(f));
    i.Advanced = true;
}

TDateField *AddDate(TLabelControl &i, const char *format, int offsetDays)
{
    auto f = std::make_unique<TDateField>();
    f->Format = QString::fromUtf8(format);
    f->Offset = offsetDays;
    TDateField *date = f.get();
    i.Fields.push_back(std::move(f));
    i.Advanced = true;
    return date;
}

void AddLot(TLabelControl &i)
{
    auto f = std::make_unique<TAskField>();
    f->Name = QStringLiteral("LOT");
    f->Caption = QStringLiteral("批号");
    f->Pattern = QStringLiteral("[A-Z0-9]{1,10}");
    f->Size = 10;
    i.Fields.push_back(std::move(f));
    i.Advanced = true;
}

void AddGs1Check(TLabelControl &i, const char *over)
{
    auto f = std::make_unique<TCheckField>();
    f->Scheme = TCheckScheme::Gs1;
    f->Over = QLatin1String(over);
    i.Fields.push_back(std::move(f));
    i.Advanced = true;
}

TSequenceField *AddSerial(TLabelControl &i, TCountRadix radix, int first, int step, int repeat, int size,
                          TCountPer per = TCountPer::Label)
{
    auto f = std::make_unique<TSequenceField>();
    f->CurVal = f->MinVal = first;
    f->MaxVal = 999999999;
    f->MinSize = size;
    f->Step = step;
    f->Repeat = repeat;
    f->Radix = radix;
    f->Per = per;
    TSequenceField *s = f.get();
    i.Fields.push_back(std::move(f));
    i.Advanced = true;
    return s;
}

QImage Logo()
{
    QImage img(48, 48, QImage::Format_RGB888);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2E, 0x7D, 0x32));
    p.drawEllipse(2, 2, 44, 44);
    p.setBrush(QColor(0xA5, 0xD6, 0xA7));
    p.drawEllipse(QRectF(14, 10, 16, 28));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(22, 38, 22, 14);
    return img;
}

// A 3 x 2 inch product label: frame, logo, names, a line, details, EAN-13.
void Product(TItemContainer &c, const QString &folder)
{
    c.LabelFormat = TLabelFormat{3, 2, 0.5, 0.25, 0.125, 0.125, false};
    Shape(c, skRoundRect, 0, 0, 288, 192, 2);
    auto *logo = Place(c, new TGraphicLabel, 12, 12, 48, 48);
    logo->FileName = folder + QStringLiteral("/logo.bmp");
    Text(c, QStringLiteral("有机绿茶"), 72, 14, 16, true);
    auto *english = Text(c, QStringLiteral("Organic Green Tea"), 72, 44, 9);
    SetFont(*english, QStringLiteral("Arial"), 9, false, 1);
    Shape(c, skHorzLine, 12, 66, 264, 6, 1);
    auto *memo = Place(c, new TMemoLabel, 12, 80, 150, 60);
    memo->Text = QStringLiteral("净含量：250克\r\n产地：浙江杭州\r\n保质期：18个月");
    SetFont(*memo, QStringLiteral("SimSun"), 9);
    auto *ean = Place(c, new TBarcodeLabel, 170, 84, 100, 60, true);
    ean->BarcodeType = 6; // EAN-13
    ean->Text = QStringLiteral("6901234567892");
}

// A 4 x 3 inch shipping label whose order number and address come from
// the columns of addresses.csv.
void Shipping(TItemContainer &c, const QString &)
{
    c.LabelFormat = TLabelFormat{4, 3, 0.25, 0.25, 0.125, 0.125, false};
    Shape(c, skRectangle, 0, 0, 384, 288, 1);
    Text(c, QStringLiteral("发货单  Shipping Label"), 12, 10, 14, true);
    auto *code = Place(c, new TBarcodeLabel, 12, 42, 200, 70, true);
    code->BarcodeType = 0; // Code 128
    AddText(*code, QStringLiteral("SO-"));
    AddColumn(*code, 1);
    Shape(c, skHorzLine, 12, 128, 360, 6, 1);
    const struct {
        const char *caption;
        int column;
        int top;
    } lines[] = {{"收货人：", 2, 142}, {"地址：", 3, 170}, {"城市：", 4, 198}, {"邮编：", 5, 226}};
    for (const auto &l : lines) {
        auto *t = Text(c, QString(), 12, l.top, 11);
        AddText(*t, QString::fromUtf8(l.caption));
        AddColumn(*t, l.column);
    }
    auto *order = Text(c, QString(), 240, 254, 8);
    AddText(*order, QStringLiteral("订单号 "));
    AddColumn(*order, 1);
}

// A 2 x 1 inch serial number label: a Code 39 counter and the date.
void Counter(TItemContainer &c, const QString &)
{
    c.LabelFormat = TLabelFormat{2, 1, 0.5, 0.25, 0, 0.125, false};
    auto *code = Place(c, new TBarcodeLabel, 8, 6, 176, 44, true);
    code->BarcodeType = 1; // Code 39
    code->Interpretation = false;
    AddText(*code, QStringLiteral("SN"));
    AddCounter(*code);
    auto *serial = Text(c, QString(), 8, 56, 9, true);
    AddText(*serial, QStringLiteral("序列号：SN"));
    AddCounter(*serial);
    auto *date = Text(c, QString(), 8, 76, 8);
    AddText(*date, QStringLiteral("日期："));
    auto f = std::make_unique<TDateField>();
    f->Format = QStringLiteral("yyyy-mm-dd");
    date->Fields.push_back(std::move(f));
}

// A 4 x 2 inch food label: best before today + 180 days in two forms, the
// lot asked when printing, a six-digit serial per label, and a GS1-128 code
// (01) GTIN with its check digit, (17) best before, (10) lot; the lot goes
// last as it has no fixed length.
void Expiry(TItemContainer &c, const QString &)
{
    c.LabelFormat = TLabelFormat{4, 2, 0.5, 0.25, 0.125, 0.125, false};
    auto *best = Text(c, QString(), 12, 6, 12, true);
    AddText(*best, QStringLiteral("保质期至："));
    AddDate(*best, "yyyy年mm月dd日 星期", 180);
    auto *english = Text(c, QString(), 12, 30, 9);
    AddText(*english, QStringLiteral("Best before "));
    AddDate(*english, "yyyy-mm-dd", 180);
    auto *serial = Text(c, QString(), 12, 46, 9);
    AddText(*serial, QStringLiteral("序列号："));
    AddSerial(*serial, TCountRadix::Decimal, 1, 1, 1, 6);
    auto *lot = Text(c, QString(), 200, 32, 12, true);
    AddText(*lot, QStringLiteral("批号："));
    AddLot(*lot);
    auto *code = Place(c, new TBarcodeLabel, 12, 66, 360, 100, true);
    code->BarcodeType = 8; // EAN 128: a GS1 element string, its line in brackets
    code->Interpretation = true;
    AddText(*code, QStringLiteral("(01)"));
    AddText(*code, QStringLiteral("0690123456789"));
    AddGs1Check(*code, "2");
    AddText(*code, QStringLiteral("(17)"));
    AddDate(*code, "yymmdd", 180);
    AddText(*code, QStringLiteral("(10)"));
    AddLot(*code);
}

// A 2 x 1 inch serial label: hexadecimal serials stepping by 10, each on two
// labels, a box letter (A, B, … Z, AA) per page, and the serial as QR code.
void Serial(TItemContainer &c, const QString &)
{
    c.LabelFormat = TLabelFormat{2, 1, 0.5, 0.25, 0, 0.125, false};
    auto *qr = Place(c, new TBarcodeLabel, 6, 6, 84, 84, true);
    qr->BarcodeType = 13; // QR Code
    qr->AutoScale = false;
    qr->Scale = 3;
    auto *serial = Text(c, QString(), 96, 14, 11, true);
    for (TLabelControl *i : {static_cast<TLabelControl *>(qr), static_cast<TLabelControl *>(serial)}) {
        AddText(*i, QStringLiteral("SN-"));
        AddSerial(*i, TCountRadix::Hex, 0x1000, 10, 2, 6);
    }
    auto *box = Text(c, QString(), 96, 50, 9);
    AddText(*box, QStringLiteral("箱号："));
    AddSerial(*box, TCountRadix::Letters, 0, 1, 1, 0, TCountPer::Page);
}

const QByteArray kAddresses =
    "订单号,收货人,地址,城市,邮编\r\n"
    "100231,张伟,海淀区中关村大街27号,北京,100080\r\n"
    "100232,王芳,浦东新区世纪大道100号,上海,200120\r\n"
    "100233,李娜,天河区体育西路191号,广州,510620\r\n"
    "100234,刘洋,西湖区文三路90号,杭州,310012\r\n"
    "100235,陈静,武侯区人民南路四段1号,成都,610041\r\n";

using TBuilder = void (*)(TItemContainer &, const QString &);
const struct {
    const char *file;
    TBuilder build;
    int items;
} kExamples[] = {{"product.lbl", Product, 7}, {"shipping.lbl", Shipping, 9}, {"counter.lbl", Counter, 3},
               {"expiry.lbl", Expiry, 5},     {"serial.lbl", Serial, 3}};

// The same file but for the composed text of advanced items, which holds the
// date of saving.
void ExpectSameLabel(const TIniFile &want, const TIniFile &got)
{
    ASSERT_EQ(got.Sections(), want.Sections());
    for (const QString &s : want.Sections()) {
        ASSERT_EQ(got.Keys(s), want.Keys(s)) << s.toStdString();
        const bool advanced = want.ReadBool(s, QStringLiteral("ADVANCED"), false);
        for (const QString &k : want.Keys(s)) {
            if (advanced && k == u"TEXT")
                continue;
            EXPECT_EQ(got.ReadString(s, k, {}), want.ReadString(s, k, {})) << s.toStdString() << "/" << k.toStdString();
        }
    }
}

class Examples : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = qEnvironmentVariable("QV_SOURCE_DIR", QStringLiteral(".")) + QStringLiteral("/examples");
    }
    // The warnings of the loads.
    QStringList messages_;
    QString folder_;
};

} // namespace

TEST_F(Examples, AreWhatTheWriterMakesAndLoad)
{
    const bool write = qEnvironmentVariableIsSet("QV_WRITE_EXAMPLES");
    if (write) {
        QDir().mkpath(folder_);
        ASSERT_TRUE(Logo().save(folder_ + "/logo.bmp", "BMP"));
        WriteAll(folder_ + "/addresses.csv", kAddresses);
    }
    // The examples are part of the sources: without them this is a fault.
    ASSERT_TRUE(write || QFileInfo::exists(folder_ + "/product.lbl")) << "no examples in " << folder_.toStdString();

    for (const auto &e : kExamples) {
        SCOPED_TRACE(e.file);
        const QString path = folder_ + "/" + e.file;
        TItemContainer built;
        built.SetSurfaceSize(400, 300);
        e.build(built, folder_);
        if (write) {
            ASSERT_TRUE(SaveLabelFile(path, built));
        } else {
            TIniFile fresh(path, TIniFile::StartEmpty);
            WriteLabelFormat(fresh, built.LabelFormat);
            WriteLabel(fresh, built);
            ExpectSameLabel(fresh, TIniFile(path));
        }

        TItemContainer loaded;
        loaded.SetSurfaceSize(400, 300);
        ASSERT_TRUE(LoadLabelFile(path, loaded, nullptr, &messages_));
        ASSERT_EQ(loaded.Items.size(), e.items);
    }
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('|').toStdString();
    EXPECT_EQ(ReadAll(folder_ + "/addresses.csv"), kAddresses);
}

TEST_F(Examples, ProductLabelHoldsEveryKindWithItsPicture)
{
    ASSERT_TRUE(QFileInfo::exists(folder_ + "/product.lbl")) << "no examples in " << folder_.toStdString();
    TIniFile ini(folder_ + "/product.lbl");
    EXPECT_EQ(ini.ReadString("CNT_2", "IMG_NAME", {}), "logo.bmp");
    TItemContainer items;
    items.SetSurfaceSize(288, 192);
    ASSERT_TRUE(LoadLabelFile(folder_ + "/product.lbl", items, nullptr, &messages_));
    QList<int> kinds;
    for (TLabelControl *i : items.Items)
        kinds << i->Kind;
    EXPECT_EQ(kinds, QList<int>({ikShape, ikGraphic, ikText, ikText, ikShape, ikMemo, ikBarcode}));
    EXPECT_EQ(static_cast<TGraphicLabel *>(items.Items[1])->Picture.size(), QSize(48, 48));
    EXPECT_TRUE(messages_.isEmpty());

    TItemContainer shipping, counter;
    ASSERT_TRUE(LoadLabelFile(folder_ + "/shipping.lbl", shipping));
    EXPECT_TRUE(HasImportedField(shipping.Items));
    ASSERT_TRUE(LoadLabelFile(folder_ + "/counter.lbl", counter));
    EXPECT_TRUE(HasSequenceField(counter.Items));
}
