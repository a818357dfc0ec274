#include <gtest/gtest.h>

#include <QDir>
#include <random>
#include <string>

#include "DecodeSupport.h"
#include "TestSupport.h"
#include "barcode/QRDraw.h"
#include "barcode/QRSegments.h"
#include "platform/DrawTarget.h"

namespace bw {
namespace {

using test::Decode;
using test::Symbology;

const std::uint8_t* Bytes(const std::string& s) {
    return reinterpret_cast<const std::uint8_t*>(s.data());
}

// Every version at every level, filled to the last byte it holds; one byte more does not fit.
TEST(QRDecode, EveryVersionAndLevelAtFullCapacity) {
    clsQRCode qr;
    std::mt19937 rng(40);
    const char* levels = "LMQH";
    for (int version = 1; version <= 40; ++version) {
        for (int level = 1; level <= 4; ++level) {
            const int countBits = qr::CountBits(qr::Mode::Byte, version);
            const int capacity = (8 * qr::DataCodewords(version, level) - 4 - countBits) / 8;
            std::string data(capacity, 'a');
            for (char& c : data) c = static_cast<char>('a' + rng() % 26);
            const auto symbol = qr.Encode(Bytes(data), capacity, version, level, -1);
            ASSERT_TRUE(symbol) << version << "-" << levels[level - 1];
            EXPECT_EQ(symbol->version, version);
            std::string more = data + "z";
            EXPECT_FALSE(qr.Encode(Bytes(more), capacity + 1, version, level, -1));

            const test::Decoded d = Decode(test::SymbolImage(*symbol, 3), Symbology::QRCode);
            ASSERT_TRUE(d.ok) << "version " << version << " level " << levels[level - 1];
            EXPECT_EQ(d.bytes, data) << version << "-" << levels[level - 1];
            EXPECT_EQ(d.ecLevel, std::string(1, levels[level - 1]));
        }
    }
}

TEST(QRDecode, EveryMaskAndEveryByteValue) {
    clsQRCode qr;
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    for (int mask = 0; mask < 8; ++mask) {
        const auto symbol = qr.Encode(Bytes(all), 256, 0, qr::LevelQ, mask);
        ASSERT_TRUE(symbol);
        EXPECT_EQ(symbol->mask, mask);
        const test::Decoded d = Decode(test::SymbolImage(*symbol, 3), Symbology::QRCode);
        ASSERT_TRUE(d.ok) << mask;
        EXPECT_EQ(d.bytes, all) << mask;
    }
}

TEST(QRDecode, NumericAlphanumericAndMixedSegments) {
    clsQRCode qr;
    const std::string texts[] = {
        std::string(7089, '7'),                      // numeric, the largest symbol
        "314159265358979323846264338327950288419",   // numeric, last group of three incomplete
        "HELLO WORLD $%*+-./: 0123",                 // alphanumeric
        std::string(4296, 'A'),                      // alphanumeric, the largest symbol
        "no. 12345678901234 ABCDEFGHIJKLMN xyz 99",  // mixed
        "a1B2c3" + std::string(40, '9') + "ZZ" + std::string(30, 'Q') + "end",
        "",
    };
    for (const std::string& text : texts) {
        const auto symbol =
            qr.Encode(Bytes(text), static_cast<int>(text.size()), 0, qr::LevelL, -1);
        ASSERT_TRUE(symbol) << text.size();
        const test::Decoded d = Decode(test::SymbolImage(*symbol, 3), Symbology::QRCode);
        ASSERT_TRUE(d.ok) << text.substr(0, 40);
        EXPECT_EQ(d.bytes, text);
    }
}

// What DrawQRCode draws onto a picture: the UTF-8 bytes of the text, a square in the box.
TEST(QRDecode, ChineseTextDrawnOnAnImage) {
    const QString text = QStringLiteral(
        "中国工商银行 进账单 收款人：北京织锦科技有限公司 金额：壹万贰仟叁佰肆拾伍元整 "
        "￥12,345.00");
    ImageTarget target(1200, 900, 300);
    target.SetScaleMode(ScaleUnit::Millimeters);
    ASSERT_TRUE(DrawQRCode(target, text, 10, 10, 60, 40));  // 40 mm square at (10, 10)
    EXPECT_EQ(target.ScaleMode(), ScaleUnit::Millimeters);
    const QImage image = target.Image();
    const test::Decoded d = Decode(image, Symbology::QRCode);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.bytes, test::Utf8(text));

    // The symbol fills a 40 mm square at (10 mm, 10 mm) and nothing beyond it.
    const double px = 300 / 25.4;
    auto dark = [&](double xmm, double ymm) {
        return qGray(image.pixel(int(xmm * px), int(ymm * px))) < 128;
    };
    EXPECT_TRUE(dark(10.2, 10.2));   // the finder's corner
    EXPECT_TRUE(dark(49.8, 10.2));   // top-right finder
    EXPECT_FALSE(dark(50.3, 10.2));  // beyond the square
    EXPECT_TRUE(dark(10.2, 49.8));
    EXPECT_FALSE(dark(10.2, 50.3));

    const QString file = QDir(test::ArtifactDir()).filePath("qr-chinese.png");
    ASSERT_TRUE(image.save(file));
    QByteArray raw;
    if (!test::ZbarRead(file, &raw)) GTEST_SKIP() << "zbarimg is not available";
    EXPECT_EQ(raw.toStdString(), test::Utf8(text));
}

TEST(QRDecode, ModulesAreWholeDevicePixels) {
    // 21 modules in 84 device pixels: every module exactly 4 pixels.
    ImageTarget target(100, 100, 96);
    ASSERT_TRUE(
        DrawQRCode(target, "x", 25.4 * 8 / 96, 25.4 * 8 / 96, 25.4 * 84 / 96, 25.4 * 84 / 96));
    const QImage image = target.Image();
    auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 128; };
    // The top-left finder: 7 modules dark from pixel 8 to 35, then the light separator.
    for (int x = 8; x < 36; ++x) EXPECT_TRUE(dark(x, 8)) << x;
    EXPECT_FALSE(dark(36, 8));
    EXPECT_FALSE(dark(7, 8));
    EXPECT_TRUE(dark(12, 12) == false && dark(16, 16) == true);
}

TEST(QRDecode, TooLongTextDrawsNothing) {
    ImageTarget target(400, 400, 96);
    const QImage before = target.Image();
    EXPECT_FALSE(DrawQRCode(target, QString(1200, QChar(0x4E2D)), 0, 0, 100, 100));
    EXPECT_FALSE(DrawQRCode(target, QString(), 0, 0, 100, 100));
    EXPECT_EQ(target.Image(), before);
    EXPECT_FALSE(QRSymbolOf(QString(1200, QChar(0x4E2D))));
    EXPECT_TRUE(QRSymbolOf(QString(984, QChar(0x4E2D))));  // 2952 bytes still fit
}

}  // namespace
}  // namespace bw
