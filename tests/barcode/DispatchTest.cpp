#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>

#include "DecodeSupport.h"
#include "TestSupport.h"
#include "barcode/BarcodeStandard.h"
#include "barcode/StrCodeStand.h"
#include "platform/PictureWidget.h"

namespace bw {
namespace {

class Dispatch : public ::testing::Test {
protected:
    void SetUp() override { saved_ = BarcodeStandard(); }
    void TearDown() override { BarcodeStandard() = saved_; }
    int saved_ = 0;
};

bool Blank(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 250) return false;
    return true;
}

TEST_F(Dispatch, EachStandardDrawsItsSymbology) {
    struct Case {
        int standard;
        QString text;
        test::Symbology symbology;
        std::string expected;
    } cases[] = {
        {kCode39, "a-42", test::Symbology::Code39, "A-42"},
        {kEAN13, "690123456789", test::Symbology::EAN13, "6901234567892"},
        {kQRCode, QStringLiteral("收款单位：织锦"), test::Symbology::QRCode,
         test::Utf8(QStringLiteral("收款单位：织锦"))},
    };
    for (const Case& c : cases) {
        BarcodeStandard() = c.standard;
        ImageTarget target(1400, 800, 300);
        ASSERT_TRUE(DrawBarcode(target, c.text, BarcodeBox{10, 10, 80, 40, 9, "宋体", -1}));
        const test::Decoded d = test::Decode(target.Image(), c.symbology);
        ASSERT_TRUE(d.ok) << c.standard;
        EXPECT_EQ(c.symbology == test::Symbology::QRCode ? d.bytes : d.text, c.expected);
    }
}

TEST_F(Dispatch, OtherStandardsAndEmptyTextsDrawNothing) {
    ImageTarget target(400, 400, 96);
    for (int standard : {-1, 3, 5}) {
        BarcodeStandard() = standard;
        EXPECT_FALSE(DrawBarcode(target, "123", BarcodeBox{0, 0, 50, 50, 9, "宋体", -1}));
    }
    for (int standard : {0, 1, 2})
        EXPECT_FALSE(DrawBarcode(target, standard, "", BarcodeBox{0, 0, 50, 50, 9, "宋体", -1}));
    // A Code 39 text too wide for its box draws nothing rather than a pile of characters.
    EXPECT_FALSE(
        DrawBarcode(target, kCode39, "ABCDEFGHIJ", BarcodeBox{0, 0, 1, 50, 9, "宋体", -1}));
    EXPECT_TRUE(Blank(target.Image()));
}

TEST_F(Dispatch, DrawsIntoAPictureBox) {
    PictureWidget box;
    box.resize(300, 200);
    box.Cls();
    DrawTarget& t = box.Target();
    const double w = t.ScaleX(t.ScaleWidth(), t.ScaleMode(), ScaleUnit::Millimeters);
    const double h = t.ScaleY(t.ScaleHeight(), t.ScaleMode(), ScaleUnit::Millimeters);
    ASSERT_TRUE(DrawBarcode(t, kQRCode, "BW", BarcodeBox{0, 0, w, h, 0, QString(), -1}));
    const QImage shown = box.grab().toImage();
    EXPECT_TRUE(test::Decode(shown, test::Symbology::QRCode).ok == false ||
                test::Decode(shown, test::Symbology::QRCode).bytes == "BW");
    // The symbol is a square of the box's height at its left edge.
    const QImage image = box.Image();
    EXPECT_LT(qGray(image.pixel(1, 1)), 128);
    EXPECT_LT(qGray(image.pixel(1, image.height() - 2)), 128);
    EXPECT_GT(qGray(image.pixel(image.height() + 2, 1)), 128);
}

TEST_F(Dispatch, StandardDialog) {
    int redraws = 0;
    auto show = [&] {
        StrCodeStand* d = StrCodeStand::Show();
        QObject::connect(d, &StrCodeStand::StandardChanged, [&] { ++redraws; });
        return d;
    };
    BarcodeStandard() = 1;
    StrCodeStand* dialog = show();
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(dialog->OP(1)->isChecked());
    EXPECT_EQ(StrCodeStand::Show(), dialog);  // one dialog at a time

    dialog->OP(2)->click();
    EXPECT_EQ(BarcodeStandard(), 1);  // nothing changes before confirming
    dialog->Command1()->click();
    EXPECT_EQ(BarcodeStandard(), 2);
    EXPECT_EQ(redraws, 1);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(StrCodeStand::Current(), nullptr);

    // A standard outside the three ticks nothing, and confirming keeps it.
    BarcodeStandard() = 5;
    dialog = show();
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(dialog->OP(i)->isChecked());
    dialog->Command1()->click();
    EXPECT_EQ(BarcodeStandard(), 5);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Closing by the window frame changes nothing.
    BarcodeStandard() = 0;
    dialog = show();
    dialog->OP(2)->click();
    dialog->close();
    EXPECT_EQ(BarcodeStandard(), 0);
    EXPECT_EQ(redraws, 2);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace bw
