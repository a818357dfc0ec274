#include <gtest/gtest.h>

#include <QDir>

#include "DecodeSupport.h"
#include "TestSupport.h"
#include "barcode/Code39.h"
#include "barcode/EAN13.h"
#include "platform/DrawTarget.h"

namespace bw {
namespace {

using test::Decode;
using test::Symbology;

// A 600 dpi picture, 127 mm by 38 mm, white around the box.
struct Page {
    ImageTarget target{3000, 900, 600};
};
const double px = 600 / 25.4;

// The bounding box of the dark pixels.
QRect DarkArea(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) area |= QRect(x, y, 1, 1);
    return area;
}

TEST(Code39Decode, EverySupportedCharacter) {
    const QString texts[] = {"0123456789", "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ",
                             "-%$",        "a-b$c%9",       "*SN-2024*"};
    for (const QString& text : texts) {
        // A box 95 mm wide with room on its left for the quiet zone of wide modules.
        Page page;
        const double maxWidth = page.target.ScaleX(95, ScaleUnit::Millimeters, ScaleUnit::Twips);
        const double module = FitCode39Module(text, maxWidth);
        ASSERT_GE(module, 10);
        ASSERT_TRUE(DrawCode39(page.target, text, 16, 10, 15, module, 9, true, "宋体"));
        const test::Decoded d = Decode(page.target.Image(), Symbology::Code39);
        ASSERT_TRUE(d.ok) << text.toStdString();
        QString expected = text.toUpper();
        expected.remove(QLatin1Char('*'));
        EXPECT_EQ(d.text, expected.toStdString());
    }
}

TEST(Code39Decode, SymbolStaysInsideItsWidthAndShowsTheText) {
    Page page;
    const QString text = "BW-0042";
    const double module = FitCode39Module(text, 2000);
    ASSERT_TRUE(DrawCode39(page.target, text, 10, 10, 15, module, 10, true, "宋体"));
    const QImage image = page.target.Image();
    const QRect ink = DarkArea(image);
    EXPECT_NEAR(ink.left(), 10 * px, 2);
    EXPECT_LE(ink.right(), 10 * px + 2000 * 600 / 1440.0);
    EXPECT_LE(ink.bottom(), 25 * px + 1);  // the text stays inside the box height
    EXPECT_TRUE(Decode(image, Symbology::Code39).ok);
}

TEST(Code39Decode, InvalidCharacterShowsTheMessageAndStops) {
    test::ScriptedAnswers answers;
    Page page;
    page.target.SetDrawWidth(3);
    EXPECT_FALSE(DrawCode39(page.target, "12.5", 10, 10, 15, 10, 0, true, "宋体"));
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(
        answers.lastMessage(),
        QStringLiteral("要打印的条形码字符串中包含无效字符！当前版本只支持字符0-9,A-Z,-,%,$和*"));
    EXPECT_EQ(page.target.DrawWidth(), 3);
    // The start character and the digits 1 and 2 stay drawn: 3 characters of 16 modules.
    const QImage image = page.target.Image();
    int maxX = -1;
    for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, int(15 * px))) < 128) maxX = x;
    EXPECT_NEAR(maxX, 10 * px + (3 * 160 - 10) * 600 / 1440.0, 3);

    EXPECT_FALSE(DrawCode39(page.target, "", 10, 10, 15, 10, 0, true, "宋体"));
    EXPECT_FALSE(DrawCode39(page.target, "TOO WIDE", 10, 10, 15, 0, 0, true, "宋体"));
    EXPECT_EQ(answers.messages().size(), 1);
}

TEST(EAN13Decode, SeveralNumbers) {
    const QString texts[] = {"6901234567892", "9787111123453", "978-7-111-12345-6",
                             "123",           "4006381333931", "5901234123457"};
    for (const QString& text : texts) {
        Page page;
        ASSERT_TRUE(DrawEAN13(page.target, text, 10, 10, 25, 50, 10, true));
        const test::Decoded d = Decode(page.target.Image(), Symbology::EAN13);
        ASSERT_TRUE(d.ok) << text.toStdString();
        EXPECT_EQ(d.text, EAN13Normalize(text).toStdString());
    }
    // Without the digits as well.
    Page page;
    ASSERT_TRUE(DrawEAN13(page.target, "6901234567892", 10, 10, 25, 50, 0, true));
    EXPECT_EQ(Decode(page.target.Image(), Symbology::EAN13).text, "6901234567892");
    page.target.Image().save(QDir(test::ArtifactDir()).filePath("ean13.png"));
}

TEST(EAN13Decode, BarsFillTheBoxWidth) {
    Page page;
    ASSERT_TRUE(DrawEAN13(page.target, "6901234567892", 10, 10, 25, 50, 0, false));
    const QRect ink = DarkArea(page.target.Image());
    EXPECT_NEAR(ink.right() + 1, 60 * px, 2);
    EXPECT_GT(ink.left(), 10 * px);             // room for the first digit on the left
    EXPECT_NEAR(ink.bottom() + 1, 35 * px, 2);  // the guard bars end at the box's bottom edge
    EXPECT_FALSE(DrawEAN13(page.target, "", 10, 10, 25, 50, 10, true));
    EXPECT_FALSE(DrawEAN13(page.target, "123", 10, 10, 25, 0.5, 10, true));  // box too narrow
}

}  // namespace
}  // namespace bw
