// Bills printed by the PDF file printer and measured back with poppler: positions with the
// calibration offsets, digit cells, wrapped lines, copies, the lengthwise and centre-fed
// shifts, the millimetre grid, the calibration square and a QR box read back by a decoder.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>
#include <algorithm>
#include <set>

#include "DecodeSupport.h"
#include "PrintTestSupport.h"
#include "barcode/BarcodeStandard.h"
#include "common/Globals.h"
#include "printing/Calibration.h"
#include "printing/PrintRequests.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/TextBox.h"

using namespace bw;
using namespace bw::test;

namespace {

constexpr double kTolerance = 0.2;  // millimetres

class PdfGeometry : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        if (!HaveProgram("pdftotext") || !HaveProgram("pdftoppm"))
            GTEST_SKIP() << "poppler-utils missing";
    }
    // A bill of one text box at 20/30 mm.
    void OneTextBox(double w = 60) {
        NewFormat("进账单", 200, 100);
        AddBox({.kind = 0, .caption = "收款人", .x = 20, .y = 30, .w = w, .h = 8});
        Show();
        SetBoxValue(Text(1), "ABC");
    }
};

TEST_F(PdfGeometry, TextLandsAtItsPositionLessTheOffsets) {
    OneTextBox();
    auto pages = ReadPdf(PrintToPdf("offsets-10-10"));
    ASSERT_EQ(pages.size(), 1u);
    const PdfWord* w = FindWord(pages, "ABC");
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(w->xMin, 20, kTolerance);
    EXPECT_NEAR(w->yMin, 30, kTolerance);

    MF().M_X->setText("12.5");
    MF().M_Y->setText("8");
    pages = ReadPdf(PrintToPdf("offsets-12.5-8"));
    w = FindWord(pages, "ABC");
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(w->xMin, 17.5, kTolerance);
    EXPECT_NEAR(w->yMin, 32, kTolerance);
}

TEST_F(PdfGeometry, DigitCellsHoldOneDigitEachFromTheRight) {
    NewFormat("进账单", 200, 100);
    // Ten 6 mm cells from x = 100 mm.
    AddBox({.kind = 0, .caption = "金额", .x = 100, .y = 40, .w = 60, .h = 8, .cash = 10});
    Show();
    SetBoxValue(Text(1), "1234.5");
    const auto pages = ReadPdf(PrintToPdf("digit-cells"));
    ASSERT_EQ(pages.size(), 1u);
    std::map<int, QString> cells;
    for (const PdfWord& w : pages[0].words) {
        ASSERT_EQ(w.text.size(), 1) << w.text.toStdString();  // one character per cell
        const double centre = (w.xMin + w.xMax) / 2;
        const int cell = int((centre - 100) / 6);
        EXPECT_NEAR(centre, 100 + (cell + 0.5) * 6, kTolerance) << w.text.toStdString();
        cells[cell] = w.text;
    }
    EXPECT_EQ(cells, (std::map<int, QString>{
                         {3, "￥"}, {4, "1"}, {5, "2"}, {6, "3"}, {7, "4"}, {8, "5"}, {9, "0"}}));
}

TEST_F(PdfGeometry, WrappedTextBreaksAtTheBoxWidthWithItsSpacing) {
    NewFormat("说明", 200, 100);
    BoxSpec box{.kind = 0, .caption = "附言", .x = 20, .y = 20, .w = 30, .h = 30};
    box.spacing = 1;  // millimetres between characters
    box.packed = 2;   // and between lines
    AddBox(box);
    Show();
    SetBoxValue(Text(1), "中华人民共和国银行结算业务委托书");
    const auto pages = ReadPdf(PrintToPdf("wrapped"));
    ASSERT_EQ(pages.size(), 1u);
    // poppler joins the characters of a line into one word.
    const auto& words = pages[0].words;
    QStringList lines;
    for (const PdfWord& w : words) lines << w.text;
    EXPECT_EQ(lines, (QStringList{"中华人民共", "和国银行结", "算业务委托", "书"}));
    ASSERT_EQ(words.size(), 4u);
    const double charWidth = words[3].xMax - words[3].xMin;
    const double height = words[0].yMax - words[0].yMin;
    for (size_t i = 0; i < words.size(); ++i) {
        const auto n = words[i].text.size();
        EXPECT_NEAR(words[i].xMin, 20, kTolerance);
        // The characters stand 1 mm apart; one more would have passed the 30 mm width.
        EXPECT_NEAR(words[i].xMax - words[i].xMin, n * charWidth + (n - 1) * 1.0, kTolerance);
        if (i < 3) {
            EXPECT_GT(20 + (n + 1) * charWidth + n * 1.0, 50);
        }
        // Lines one character height and the 2 mm line spacing apart.
        if (i > 0) {
            EXPECT_NEAR(words[i].yMin - words[i - 1].yMin, height + 2, kTolerance);
        }
    }
    EXPECT_NEAR(words[0].yMin, 20, kTolerance);
}

TEST_F(PdfGeometry, CopiesGiveOnePageEachAndNoBlankPage) {
    OneTextBox();
    PrintCopies = 3;
    MF().mPrintRulers->setChecked(true);
    const QString file = PrintToPdf("three-copies");
    EXPECT_EQ(PdfPageCount(file), 3);
    const auto pages = ReadPdf(file);
    ASSERT_EQ(pages.size(), 3u);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_NE(FindWord(pages, "ABC", p), nullptr) << p;
        // The grid lies over every copy: a heavy line at 100 mm.
        const QImage page = RasterisePdf(file, p, 100);
        EXPECT_FALSE(DarkBox(page, 100, QRectF(99.5, 150, 1, 20)).isEmpty()) << p;
    }
}

TEST_F(PdfGeometry, LengthwiseAndCentreFedBillsSitWhereTheGuidesHoldThem) {
    NewFormat("快递单", 190, 100);
    AddBox({.kind = 0, .caption = "寄件人", .x = 20, .y = 30});
    Show();
    SetBoxValue(Text(1), "ABC");
    MF().SetO2Value(1, 1);
    auto pages = ReadPdf(PrintToPdf("lengthwise"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].width, 297, 0.5);  // landscape A4
    EXPECT_NEAR(pages[0].height, 210, 0.5);
    const PdfWord* w = FindWord(pages, "ABC");
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(w->xMin, 20, kTolerance);
    EXPECT_NEAR(w->yMin, 30 + (210 - 100), kTolerance);

    MF().SetO2Value(3, 1);
    pages = ReadPdf(PrintToPdf("lengthwise-centred"));
    EXPECT_NEAR(FindWord(pages, "ABC")->yMin, 30 + (210 - 100) / 2.0, kTolerance);

    MF().SetO2Value(1, 0);
    pages = ReadPdf(PrintToPdf("portrait-centred"));
    EXPECT_NEAR(pages[0].width, 210, 0.5);
    EXPECT_NEAR(FindWord(pages, "ABC")->xMin, 20 - (210 - 190) / 2.0, kTolerance);
    EXPECT_NEAR(FindWord(pages, "ABC")->yMin, 30, kTolerance);
}

TEST_F(PdfGeometry, TheRulerPageIsA2mmGridHeavyEveryCentimetre) {
    NewFormat("空白", 200, 100);
    Show();
    MF().mPrintRulers->setChecked(true);
    const QString file = PrintToPdf("rulers");
    const int dpi = 200;
    const QImage page = RasterisePdf(file, 1, dpi);
    ASSERT_FALSE(page.isNull());
    const double px = dpi / 25.4;
    auto darkColumn = [&](double xMm) {  // a vertical line crosses y = 150 mm here
        int dark = 0;
        for (int dx = -1; dx <= 1; ++dx)
            dark += qGray(page.pixel(int(xMm * px + 0.5) + dx, int(150.5 * px))) < 200;
        return dark > 0;
    };
    for (int x = 2; x <= 208; x += 2) EXPECT_TRUE(darkColumn(x)) << x;
    for (int x = 3; x <= 207; x += 2) EXPECT_FALSE(darkColumn(x)) << x;
    // Heavy lines every centimetre: more ink than the 2 mm lines beside them.
    auto ink = [&](double xMm) {
        int sum = 0;
        for (int dx = -3; dx <= 3; ++dx)
            sum += 255 - qGray(page.pixel(int(xMm * px + 0.5) + dx, int(151.5 * px)));
        return sum;
    };
    EXPECT_GT(ink(100), ink(102));
    EXPECT_GT(ink(50), ink(48));
    // Horizontal lines run down to 294 mm.
    EXPECT_FALSE(DarkBox(page, dpi, QRectF(30.5, 293.5, 1, 1)).isEmpty());
}

TEST_F(PdfGeometry, TheCalibrationSquareLies10mmFromTheCorner) {
    NewFormat("进账单", 200, 100);
    Show();
    const QString file = QDir(ArtifactDir()).filePath("calibration.pdf");
    InstallPdfPrinter(file);
    ScriptedAnswers answers;
    answers << dlg::Yes;
    ChosenItem = kPdfPrinterName;
    ASSERT_TRUE(DrawCalibrationPattern());
    EXPECT_EQ(answers.lastMessage(),
              "您是否需要打印校验图形？如果要打印，请在打印机中放好A4纸一张。");
    const auto pages = ReadPdf(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].width, 210, 0.5);
    EXPECT_NEAR(pages[0].height, 297, 0.5);
    const QRectF square = DarkBox(RasterisePdf(file, 1, 300), 300);
    EXPECT_NEAR(square.left(), 10, kTolerance);
    EXPECT_NEAR(square.top(), 10, kTolerance);
    EXPECT_NEAR(square.right(), 20, kTolerance);
    EXPECT_NEAR(square.bottom(), 20, kTolerance);
}

TEST_F(PdfGeometry, APictureHeldSmallOnTheScreenPrintsAsSharpAsItsFile) {
    NewFormat("照片", 100, 60);
    AddBox({.kind = 2, .caption = "照片", .x = 30, .y = 15, .w = 30, .h = 30});
    Show();
    // Stripes of 0.3 mm on paper, finer than a pixel of the box on the screen.
    QImage stripes(3000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < stripes.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(stripes.scanLine(y));
        for (int x = 0; x < stripes.width(); ++x) line[x] = (x / 30) % 2 ? 0xFFFFFFFF : 0xFF000000;
    }
    const QString jpg = QDir(folder_.path()).filePath("stripes.jpg");
    ASSERT_TRUE(stripes.save(jpg, "JPG", 95));
    SetBoxValue(Picture(1), jpg);
    EXPECT_TRUE(Picture(1)->PictureReduced());
    const int dpi = 300;
    const QImage page = RasterisePdf(PrintToPdf("sharp-picture"), 1, dpi);
    ASSERT_FALSE(page.isNull());
    int edges = 0;
    bool dark = false;
    const int y = int(30 * dpi / 25.4);
    for (int x = int(31 * dpi / 25.4); x < int(59 * dpi / 25.4); ++x) {
        const int grey = qGray(page.pixel(x, y));
        if ((dark && grey > 190) || (!dark && grey < 65)) {
            dark = !dark;
            ++edges;
        }
    }
    EXPECT_GT(edges, 85);  // 28 mm of 0.3 mm stripes
}

TEST_F(PdfGeometry, AQrBoxDecodesFromThePrintedPage) {
    NewFormat("标签", 100, 60);
    AddBox({.kind = 2, .caption = "二维码", .x = 30, .y = 15, .w = 30, .h = 30});
    Show();
    BarcodeStandard() = kQRCode;
    const QString content = QStringLiteral("Bellweft 进账单 No.20240518-0001");
    SetBoxValue(Picture(1), content);
    const QString file = PrintToPdf("qr-box");
    const QImage page = RasterisePdf(file, 1, 300);
    const Decoded d = Decode(page, Symbology::QRCode);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.text, Utf8(content));
    const QRectF symbol = DarkBox(page, 300, QRectF(25, 10, 45, 45));
    EXPECT_NEAR(symbol.left(), 30, 0.5);
    EXPECT_NEAR(symbol.top(), 15, 0.5);
    EXPECT_NEAR(symbol.right(), 60, 1.5);
}

}  // namespace
