#include "model/labelformat.h"
#include "printing/itemprint.h"
#include "printing/printengine.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct Env {
    TLabelFormat saved = LabelFormat;
    TPrinterMetrics metrics = CurrentPrinterMetrics();
    int sx = ScreenDpiX, sy = ScreenDpiY;
    explicit Env(int printerDpiX = 600, int printerDpiY = 600)
    {
        SetScreenDpi(96, 96);
        TPrinterMetrics m;
        m.DpiX = printerDpiX;
        m.DpiY = printerDpiY;
        m.PaperWidth = m.PaperHeight = 1200;
        ApplyPrinterMetrics(m);
    }
    ~Env()
    {
        LabelFormat = saved;
        ApplyPrinterMetrics(metrics);
        SetScreenDpi(sx, sy);
    }
};

// Rightmost column holding a dark pixel, -1 when there is none.
int RightmostInk(const QImage &img)
{
    for (int x = img.width() - 1; x >= 0; --x)
        for (int y = 0; y < img.height(); ++y)
            if (qGray(img.pixel(x, y)) < 128)
                return x;
    return -1;
}

} // namespace

TEST(ItemPrint, ClipToTheBoxOrTheLabel)
{
    Env env;
    LabelFormat = {1, 0.5, 0, 0, 0, 0, false}; // 600 x 300 printer pixels
    struct Case {
        bool autoSize;
        int minInk, maxInk;
    } cases[] = {
        {false, 150, 187 + 6 - 1}, // box 30 design px = 187, widened by one design pixel
        {true, 194, 599},          // only the label's edge cuts
    };
    for (const Case &c : cases) {
        TItemContainer label;
        auto *t = new TTextLabel;
        t->Text = QStringLiteral("WWWWWWWWWWWWWWWWWWWW");
        t->Font.Font.setPointSize(15);
        label.AddItem(t);
        t->AutoSize = c.autoSize;
        t->Left = t->Top = 0;
        t->Width = 30;
        t->Height = 20;
        t->Transparent = true;
        QImage img(800, 400, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            PrintLabel(p, label.Items, 0, 0, {});
        }
        const int ink = RightmostInk(img);
        EXPECT_GE(ink, c.minInk) << c.autoSize;
        EXPECT_LE(ink, c.maxInk) << c.autoSize;
    }
}
