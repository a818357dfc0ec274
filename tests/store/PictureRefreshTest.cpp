// A picture box's three states: empty with the hint, a picture file, or a barcode drawn in
// the open format's standard.

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "TestSupport.h"
#include "barcode/BarcodeStandard.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"

using namespace bw;

namespace {

const QString kHint = "点鼠标右键，在弹出菜单选相应的菜单项，可添加/更改图片或输入条码。";

class PictureRefresh : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMF(new MainForm);
        box = new PictureBox(&MF());
        box->resize(120, 60);
        BarcodeStandard() = kCode39;
        red = folder.file("red.jpg");
        blue = folder.file("blue.JPG");
        bmp = folder.file("green.bmp");
        for (auto [path, colour] : {std::pair{red, Qt::red}, {blue, Qt::blue}, {bmp, Qt::green}}) {
            QImage img(40, 20, QImage::Format_RGB32);
            img.fill(colour);
            ASSERT_TRUE(img.save(path, path == bmp ? "BMP" : "JPG"));
        }
    }
    void TearDown() override {
        BarcodeStandard() = kCode39;
        ResetMF();
    }
    // How many pixels of the box's surface are not its back colour.
    int Inked() {
        const QImage& img = box->Image();
        const QRgb back = box->BackColor().rgb();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) != back) ++n;
        return n;
    }
    QColor Centre() {
        const QImage& img = box->Image();
        return img.pixelColor(img.width() / 2, img.height() / 2);
    }
    test::TempDataFolder folder;
    PictureBox* box = nullptr;
    QString red, blue, bmp;
};

TEST_F(PictureRefresh, EachTextGivesItsState) {
    struct Case {
        const char* name;
        QString text;
        QString link;  // LinkItem afterwards
        QString tooltip;
        bool picture;  // a picture is loaded
        bool inked;    // something is drawn
    };
    const Case cases[] = {
        {"lower-case jpg", red, red, "当前图片：" + red, true, true},
        {"upper-case JPG", blue, blue, "当前图片：" + blue, true, true},
        {"missing picture", folder.file("none.jpg"), "", kHint, false, false},
        {"jpeg that is no file is a barcode text", "A.JPEG", "A.JPEG", "当前条码：A.JPEG", false,
         true},
        {"an existing bmp is a picture", bmp, bmp, "当前图片：" + bmp, true, true},
        {"barcode", "NO123", "NO123", "当前条码：NO123", false, true},
        {"empty", "", "", kHint, false, false},
    };
    RefreshPictureBox(nullptr, red);  // no box: nothing happens
    box->SetToolTipText("x");
    RefreshPictureBox(box, "");  // an empty text on an empty box sets only the hint
    EXPECT_EQ(box->ToolTipText(), kHint);
    EXPECT_EQ(Inked(), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RefreshPictureBox(box, red);  // every case starts from a picture
        RefreshPictureBox(box, c.text);
        EXPECT_EQ(box->LinkItem, c.link);
        EXPECT_EQ(box->ToolTipText(), c.tooltip);
        EXPECT_EQ(!box->Picture().isNull(), c.picture);
        EXPECT_EQ(Inked() > 0, c.inked);
    }
}

TEST_F(PictureRefresh, TheSamePictureIsOnlyRepaintedAtTheNewSize) {
    RefreshPictureBox(box, red);
    EXPECT_GT(Centre().red(), 200);
    QFile::remove(red);  // not read again
    box->resize(200, 80);
    RefreshPictureBox(box, red);
    EXPECT_EQ(box->LinkItem, red);
    EXPECT_EQ(box->ToolTipText(), "当前图片：" + red);
    EXPECT_GT(Centre().red(), 200);
    EXPECT_EQ(box->Image().width(), 200);
}

TEST_F(PictureRefresh, ALargePictureIsHeldAtTheBoxSizeAndADamagedOneIsNamed) {
    const QString large = folder.file("large.jpg");
    QImage img(4000, 2000, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(large, "JPG"));
    RefreshPictureBox(box, large);
    EXPECT_TRUE(box->PictureReduced());
    EXPECT_LT(box->Picture().width(), 400);
    EXPECT_GT(Centre().red(), 200);
    // Grown past the picture held, the box reads it again at its new size.
    box->SetWidth(9000);  // twips: 600 pixels
    box->SetHeight(4500);
    RefreshPictureBox(box, large);
    EXPECT_GE(box->Picture().width(), 600);
    EXPECT_GT(Centre().red(), 200);

    const QString damaged = folder.file("damaged.jpg");
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\xff\xd8\xff\xe0 no picture follows");
    f.close();
    test::ScriptedAnswers answers;
    RefreshPictureBox(box, damaged);
    RefreshPictureBox(box, damaged);  // drawn again (a zoom, a drag): not told twice
    EXPECT_EQ(answers.messages(), QStringList{"无法读取图片“" + damaged + "”：图片数据已损坏"});
    EXPECT_EQ(box->LinkItem, damaged);
    EXPECT_EQ(box->ToolTipText(), "当前图片：" + damaged);
    EXPECT_EQ(Inked(), 0);
}

TEST_F(PictureRefresh, ABarcodeFollowsTheStandardAndAnUnknownOneDrawsNothing) {
    RefreshPictureBox(box, "12345");
    const QImage code39 = box->Image();
    BarcodeStandard() = kQRCode;
    RefreshPictureBox(box, box->LinkItem);
    EXPECT_NE(box->Image(), code39);
    EXPECT_GT(Inked(), 0);
    // A QR text with a full stop is drawn again too, so it follows a new size or standard.
    RefreshPictureBox(box, "www.example.cn");
    const QImage qr = box->Image();
    BarcodeStandard() = kEAN13;
    RefreshPictureBox(box, box->LinkItem);
    EXPECT_NE(box->Image(), qr);
    EXPECT_EQ(box->LinkItem, "www.example.cn");

    BarcodeStandard() = 7;
    RefreshPictureBox(box, "12345");
    EXPECT_EQ(Inked(), 0);
    EXPECT_EQ(box->LinkItem, "12345");
    EXPECT_EQ(box->ToolTipText(), "当前条码：12345");
}

}  // namespace
