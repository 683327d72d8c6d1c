// Printed pages and the design surface, pixel for pixel, against checksums
// recorded from the program before its drawing was reorganised: a change
// that moves one dot of one label on paper or on screen fails here.
// QV_WRITE_GOLDEN=1 prints the table afresh (only when a change of the
// output is intended, and said so in its commit).

#include "model/labelformat.h"
#include "printing/printengine.h"
#include "printing/printpreview.h"
#include "printing/sheetlayout.h"
#include "render/itemrender.h"
#include "storage/document.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>

namespace {

QString Source(const QString &rel)
{
    return QDir(qEnvironmentVariable("QV_SOURCE_DIR", QStringLiteral("."))).filePath(rel);
}

// QV_GOLDEN_DUMP=DIR also writes each picture there, to look at.
QByteArray Digest(QImage image, const QString &name)
{
    if (const QString dir = qEnvironmentVariable("QV_GOLDEN_DUMP"); !dir.isEmpty())
        image.save(QDir(dir).filePath(name + QStringLiteral(".png")));
    image = image.convertToFormat(QImage::Format_RGB32);
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()));
    for (int y = 0; y < image.height(); ++y)
        h.addData(QByteArrayView(reinterpret_cast<const char *>(image.constScanLine(y)), image.width() * 4));
    return h.result().toHex().left(24);
}

// US Letter with a printer's usual quarter-inch strips unprintable.
TPrinterMetrics Letter(int dpi)
{
    TPrinterMetrics m;
    m.DpiX = m.DpiY = dpi;
    m.PaperWidth = dpi * 85 / 10;
    m.PaperHeight = dpi * 11;
    m.OffsetX = m.OffsetY = m.RightMargin = m.BottomMargin = dpi / 4;
    return m;
}

struct Case {
    const char *name;
    const char *label;
    const char *data; // CSV with a header, or null
    int dpi;          // 0: the design surface at `zoom`
    bool roll = false;
    double zoom = 1.0;
};

const Case kCases[] = {
    {"product-203", "examples/product.lbl", nullptr, 203},
    {"product-300", "examples/product.lbl", nullptr, 300},
    {"product-600", "examples/product.lbl", nullptr, 600},
    {"product-roll-203", "examples/product.lbl", nullptr, 203, true},
    {"shipping-300", "examples/shipping.lbl", "examples/addresses.csv", 300},
    {"shipping-roll-600", "examples/shipping.lbl", "examples/addresses.csv", 600, true},
    {"record-203", "tests/common/record_label.lbl", nullptr, 203},
    {"variety-203", "tests/printing/golden/variety.lbl", nullptr, 203},
    {"variety-300", "tests/printing/golden/variety.lbl", nullptr, 300},
    {"variety-600", "tests/printing/golden/variety.lbl", nullptr, 600},
    {"variety-roll-300", "tests/printing/golden/variety.lbl", nullptr, 300, true},
    {"product-screen", "examples/product.lbl", nullptr, 0},
    {"shipping-screen", "examples/shipping.lbl", nullptr, 0},
    {"record-screen", "tests/common/record_label.lbl", nullptr, 0},
    {"variety-screen", "tests/printing/golden/variety.lbl", nullptr, 0},
    {"variety-screen-150", "tests/printing/golden/variety.lbl", nullptr, 0, false, 1.5},
    {"variety-screen-200", "tests/printing/golden/variety.lbl", nullptr, 0, false, 2.0},
    {"variety-screen-50", "tests/printing/golden/variety.lbl", nullptr, 0, false, 0.5},
};

// Recorded from the commit before the reorganisation.
const std::map<std::string, std::string> kExpected = {
    {"product-203", "95e83ed514b88f562808dd3d"},
    {"product-300", "b00907d62f17c28b3b8fcda8"},
    {"product-600", "ea8813c76f0c235892c9c05b"},
    {"product-roll-203", "330dcabbf2264cecfd77cd54 330dcabbf2264cecfd77cd54"},
    {"shipping-300", "719bf6b9688498f93670e780"},
    {"shipping-roll-600", "2dc04557f07df9ef2cf5df05 0fa65edcd926736507520025 b3b0c4109bcb9c12084ce3d6 6a630b7192f8224934ff6873 b48990fc6d4ac347b0378cf4"},
    {"record-203", "cf3940284421b21ccf2bbf79"},
    {"variety-203", "d911f25e4f24b519fd67cecc"},
    {"variety-300", "0836ce4b6fc27a4ae9331b50"},
    {"variety-600", "ca10fde9a5574a8a8ccd79c2"},
    {"variety-roll-300", "2aff2341484c7034459cbb0e 2aff2341484c7034459cbb0e"},
    {"product-screen", "c63d256b88f6925f2f69d29b"},
    {"shipping-screen", "eac10fa7eb99165df849b2fe"},
    {"record-screen", "8c5823869b6b92d2bc6f5b99"},
    {"variety-screen", "0eccf6723742ef42412136f0"},
    {"variety-screen-150", "6a16d62a057e6be7d7b2de95"},
    {"variety-screen-200", "0bb91ae6ae47212a3d5c350b"},
    {"variety-screen-50", "b06727f2ba7336cb4cb15d01"},
};

QList<QByteArray> Render(const Case &c)
{
    TItemContainer items;
    TLabelDocument doc(items);
    QString error;
    EXPECT_TRUE(doc.LoadLabelFile(Source(QString::fromLatin1(c.label)), &error)) << error.toStdString();
    QList<QByteArray> out;
    if (c.dpi == 0) {
        const QSize size(qCeil(items.SurfaceWidth() * c.zoom), qCeil(items.SurfaceHeight() * c.zoom));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            if (c.zoom == 1.0)
                PaintLabel(p, items, true);
            else
                PaintLabel(p, items, true, c.zoom, nullptr);
        }
        out << Digest(image, QString::fromLatin1(c.name));
        return out;
    }
    TPrintChoices choices;
    choices.Roll = c.roll;
    choices.RangeKind = rkPages;
    choices.PageCount = c.roll ? 2 : 1;
    if (c.data) {
        choices.DataFile = Source(QString::fromLatin1(c.data));
        choices.Split.Mode = TSplitMode::Comma;
        choices.Split.IgnoreHeader = true;
        choices.RangeKind = rkAll;
    }
    TPreviewDevice device(Letter(c.dpi));
    QString message;
    const TPrintResult r = PrintLabels(items, choices, device, nullptr, &message);
    EXPECT_EQ(r, TPrintResult::Printed) << c.name << ": " << message.toStdString();
    for (const QImage &page : device.Pages())
        out << Digest(page, QString::fromLatin1(c.name) + QLatin1Char('-') + QString::number(out.size() + 1));
    return out;
}

} // namespace

TEST(Golden, PagesAndScreenAsBefore)
{
    const bool write = qEnvironmentVariableIsSet("QV_WRITE_GOLDEN");
    for (const Case &c : kCases) {
        const QList<QByteArray> pages = Render(c);
        const std::string got = pages.join(' ').toStdString();
        if (write) {
            std::printf("    {\"%s\", \"%s\"},\n", c.name, got.c_str());
            continue;
        }
        const auto it = kExpected.find(c.name);
        ASSERT_NE(it, kExpected.end()) << c.name << " has no recorded checksum";
        EXPECT_EQ(got, it->second) << c.name << " differs from the recorded drawing";
    }
}
