// Label pages printed by the PDF file printer and measured back with poppler: the label area
// moved by the calibration offsets, the dotted outlines, the centre-fed shift, each label's
// text at its box's place, a QR code per label read back by zbarimg, a missing picture, the
// accepted counts and the copies, and the memory large pictures take.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include "DecodeSupport.h"
#include "PrintTestSupport.h"
#include "barcode/BarcodeStandard.h"
#include "common/Globals.h"
#include "platform/PictureWidget.h"
#include "printing/LabelPreview.h"
#include "printing/LabelPrint.h"
#include "printing/LabelSettings.h"
#include "printing/SelPrinter.h"
#include "store/BoxLook.h"
#include "store/BoxModel.h"
#include "store/MainForm.h"

using namespace bw;
using namespace bw::test;

namespace {

constexpr double kTolerance = 0.3;  // millimetres

// Whether any magenta pixel lies in the area (millimetres).
bool Magenta(const QImage& page, int dpi, const QRectF& mm) {
    const double k = dpi / 25.4;
    for (int y = int(mm.top() * k); y <= int(mm.bottom() * k); ++y)
        for (int x = int(mm.left() * k); x <= int(mm.right() * k); ++x) {
            if (!page.rect().contains(x, y)) continue;
            const QColor c = page.pixelColor(x, y);
            if (c.red() - c.green() > 50 && c.blue() - c.green() > 50) return true;
        }
    return false;
}

// The peak of the process's resident memory (VmHWM), in megabytes.
double PeakMegabytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
    return 0;
}

QColor LargePictureColour(int i) {
    return QColor::fromHsv(i * 36, 255, 200);
}

class LabelPdf : public LabelFixture {
protected:
    void SetUp() override {
        LabelFixture::SetUp();
        if (!HaveProgram("pdftotext") || !HaveProgram("pdftoppm"))
            GTEST_SKIP() << "poppler-utils missing";
        // A bill as large as one label of a 2 x 4 sheet of 200 x 200 mm: scale 1.
        NewFormat("地址标签", 100, 50);
        AddBox({.kind = 0, .caption = "收件人", .x = 10, .y = 5, .w = 60, .h = 8});
        AddBox({.kind = 2, .caption = "二维码", .x = 60, .y = 15, .w = 30, .h = 30});
        Show();
        BarcodeStandard() = kQRCode;  // the format's own standard came with it
        BuildLabelPage();
        std::vector<QStringList> records;
        for (int i = 1; i <= 8; ++i)
            records.push_back({QStringLiteral("NAME%1").arg(i), QStringLiteral("ORDER-%1").arg(i)});
        FillBatch({1, 2001}, records);
        SetSheet(2, 4, 200, 200);
    }
    // Four pages of two labels, two copies each, from the print button: eight documents.
    void PrintAllPagesTwice(const QString& file) {
        SetSheet(2, 1, 200, 50);
        ChoosePdf(file, "2");
        CB_Click(15);
    }
    QString PrintPage(const QString& name, long long page = 0) {
        const QString file = QDir(ArtifactDir()).filePath("label-" + name + ".pdf");
        Printer& printer = InstallPdfPrinter(file);
        EXPECT_TRUE(PrintLabelPage(printer, page));
        return file;
    }
};

TEST_F(LabelPdf, OffsetsMoveTheAreaAndOutlinesMarkEachLabelsFarEdges) {
    MF().M_X->setText("12");
    MF().M_Y->setText("10");
    MF().CK[6]->setChecked(true);
    const QString file = PrintPage("offsets-outlines");
    const auto pages = ReadPdf(file);
    ASSERT_EQ(pages.size(), 1u);
    for (int i = 0; i < 8; ++i) {
        const int c = i % 2, r = i / 2;
        const PdfWord* w = FindWord(pages, QStringLiteral("NAME%1").arg(i + 1));
        ASSERT_NE(w, nullptr) << i;
        EXPECT_NEAR(w->xMin, -2 + c * 100 + 10, kTolerance) << i;
        EXPECT_NEAR(w->yMin, r * 50 + 5, kTolerance) << i;
    }
    const int dpi = 150;
    const QImage page = RasterisePdf(file, 1, dpi, true);
    ASSERT_FALSE(page.isNull());
    for (double x : {98.0, 198.0}) {
        EXPECT_TRUE(Magenta(page, dpi, QRectF(x - 0.3, 20, 0.6, 10))) << x;
        EXPECT_FALSE(Magenta(page, dpi, QRectF(x - 0.3, 200.5, 0.6, 5))) << x;  // ends at H
    }
    EXPECT_FALSE(Magenta(page, dpi, QRectF(47.7, 20, 0.6, 10)));
    for (double y : {50.0, 100.0, 150.0, 200.0}) {
        EXPECT_TRUE(Magenta(page, dpi, QRectF(40, y - 0.3, 10, 0.6))) << y;
        EXPECT_TRUE(Magenta(page, dpi, QRectF(190, y - 0.3, 5.5, 0.6))) << y;
        EXPECT_FALSE(Magenta(page, dpi, QRectF(196.6, y - 0.3, 1, 0.6))) << y;  // W - 4
    }
    EXPECT_FALSE(Magenta(page, dpi, QRectF(40, 24.7, 10, 0.6)));
}

TEST_F(LabelPdf, CentreFedPaperShiftsAnUprightSheetToTheMiddleOfA4) {
    SetSheet(1, 1, 100, 50);
    MF().SetO2Value(3, 1);
    auto pages = ReadPdf(PrintPage("centre-fed"));
    const PdfWord* w = FindWord(pages, "NAME1");
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(w->xMin, 55 + 10, kTolerance);
    MF().TagDir->setChecked(true);
    pages = ReadPdf(PrintPage("centre-fed-turned"));
    w = FindWord(pages, "NAME1");
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(w->xMin, 10, kTolerance);
    EXPECT_GT(pages[0].width, pages[0].height);  // landscape
}

TEST_F(LabelPdf, TextScalesWithTheLabel) {
    // Labels half the bill's size: positions and text height halve.
    SetSheet(2, 4, 100, 100);
    const auto pages = ReadPdf(PrintPage("half-size"));
    const PdfWord* w = FindWord(pages, "NAME4");  // second column, second row
    ASSERT_NE(w, nullptr);
    EXPECT_NEAR(w->xMin, 50 + 5, kTolerance);
    EXPECT_NEAR(w->yMin, 25 + 2.5, kTolerance);
    SetSheet(2, 4, 200, 200);
    const auto full = ReadPdf(PrintPage("full-size"));
    const PdfWord* big = FindWord(full, "NAME4");
    ASSERT_NE(big, nullptr);
    EXPECT_NEAR((w->yMax - w->yMin) * 2, big->yMax - big->yMin, 0.4);
}

TEST_F(LabelPdf, ThePreviewShowsEachBoxWhereAndAsLargeAsThePaperHasIt) {
    // One label of 80 x 40 mm: the preview, 400 pixels across, has 127 of them an inch.
    SetSheet(1, 1, 80, 40);
    const QImage preview = MF().PTag->Image();
    ASSERT_EQ(preview.width(), 400);
    const int dpi = 127;
    const QImage paper = RasterisePdf(PrintPage("beside-preview"), 1, dpi);
    // The text at (8, 4) mm and the QR code at (48, 12) mm, 24 mm square.
    for (const QRectF& area : {QRectF(5, 2, 45, 8), QRectF(44, 9, 34, 31)}) {
        const QRectF screen = DarkBox(preview, dpi, area), ink = DarkBox(paper, dpi, area);
        ASSERT_FALSE(ink.isEmpty()) << area.x();
        EXPECT_NEAR(screen.left(), ink.left(), 0.5) << area.x();
        EXPECT_NEAR(screen.top(), ink.top(), 0.5) << area.x();
        // A pixel of the preview is 0.2 mm.
        EXPECT_NEAR(screen.width(), ink.width(), 0.1 * ink.width() + 0.25) << area.x();
        EXPECT_NEAR(screen.height(), ink.height(), 0.1 * ink.height() + 0.25) << area.x();
    }
}

// Barcodes and lines print in their own colours: a line selected on the canvas (shown grey
// there) is no grey on paper, and the Code 39 of the second label, drawn after the first
// label's line, takes none of the line's colour.
TEST_F(LabelPdf, BarcodesAndLinesPrintInTheirOwnColours) {
    NewFormat("彩色标签", 100, 50);
    AddBox({.kind = 2, .caption = "条码", .x = 10, .y = 20, .w = 80, .h = 20, .color = 0x0000FF});
    AddBox({.kind = 3,
            .caption = "",
            .x = 5,
            .y = 10,
            .w = 50,
            .h = 10,
            .cash = 1,
            .fontSize = 2,
            .color = 0xFF0000});
    Show();
    BarcodeStandard() = kCode39;
    BuildLabelPage();
    FillBatch({2001}, {{QStringLiteral("ORDER-1")}, {QStringLiteral("ORDER-2")}});
    SetSheet(2, 1, 200, 50);
    SetBoxSelectLook(GetBoxByIndex(3001), false);
    const int dpi = 150;
    const QImage page = RasterisePdf(PrintPage("colours"), 1, dpi, true);
    ASSERT_FALSE(page.isNull());
    const double k = dpi / 25.4;
    int red[2] = {0, 0}, blue = 0, other = 0;
    for (int y = 0; y < int(50 * k); ++y)
        for (int x = 0; x < int(200 * k); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 200 && c.green() > 200 && c.blue() > 200) continue;  // paper
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                ++red[x < int(100 * k) ? 0 : 1];
            else if (c.blue() > 150 && c.red() < 100 && c.green() < 100)
                ++blue;
            else if (c.saturation() < 60 && c.value() < 230)
                ++other;  // grey or black: not a colour of the format's
        }
    EXPECT_GT(red[0], 500);
    EXPECT_GT(red[1], 500);
    EXPECT_GT(blue, 50);
    EXPECT_LT(other, 20);
}

TEST_F(LabelPdf, EveryLabelsQrCodeReadsBack) {
    if (!HaveProgram("zbarimg")) GTEST_SKIP() << "zbarimg missing";
    const QString file = PrintPage("qr-codes");
    const int dpi = 300;
    const QImage page = RasterisePdf(file, 1, dpi);
    ASSERT_FALSE(page.isNull());
    const double k = dpi / 25.4;
    QTemporaryDir dir;
    for (int i = 0; i < 8; ++i) {
        const int c = i % 2, r = i / 2;
        // The symbol at (60, 15) of its label, 30 mm square, with a quiet zone around it.
        const QRect crop(int((c * 100 + 55) * k), int((r * 50 + 10) * k), int(40 * k), int(40 * k));
        const QString png = dir.filePath(QStringLiteral("qr%1.png").arg(i));
        ASSERT_TRUE(page.copy(crop).save(png));
        QByteArray bytes;
        ASSERT_TRUE(ZbarRead(png, &bytes)) << i;
        EXPECT_EQ(bytes, QStringLiteral("ORDER-%1").arg(i + 1).toUtf8());
        const Decoded d = Decode(page.copy(crop), Symbology::QRCode);
        EXPECT_TRUE(d.ok) << i;
        const QRectF symbol = DarkBox(page, dpi, QRectF(c * 100 + 55, r * 50 + 10, 40, 40));
        EXPECT_NEAR(symbol.left(), c * 100 + 60, 0.5) << i;
        EXPECT_NEAR(symbol.top(), r * 50 + 15, 0.5) << i;
    }
}

TEST_F(LabelPdf, AMissingPictureLeavesItsSpotBlank) {
    const QString jpg = folder_.file("black.jpg");
    QImage black(60, 60, QImage::Format_RGB32);
    black.fill(Qt::black);
    ASSERT_TRUE(black.save(jpg));
    FillBatch({1, 2001}, {{"A", jpg}, {"B", folder_.file("missing.jpg")}, {"C", jpg}});
    SetSheet(1, 3, 100, 150);
    const QImage page = RasterisePdf(PrintPage("missing-picture"), 1, 100);
    ASSERT_FALSE(page.isNull());
    for (int r = 0; r < 3; ++r) {
        const QRectF spot = DarkBox(page, 100, QRectF(61, r * 50 + 16, 28, 28));
        EXPECT_EQ(spot.isEmpty(), r == 1) << r;
    }
}

TEST_F(LabelPdf, DISABLED_ChildPrintsTenLargePictures) {
    const QDir folder(ChildFolder());
    ASSERT_FALSE(ChildFolder().isEmpty());
    std::vector<QStringList> records;
    for (int i = 0; i < 10; ++i)
        records.push_back({QStringLiteral("NAME%1").arg(i + 1),
                           folder.filePath(QStringLiteral("large%1.jpg").arg(i))});
    FillBatch({1, 2001}, records);
    SetSheet(1, 5, 100, 250);
    ASSERT_TRUE(PrintLabelPage(InstallPdfPrinter(folder.filePath("five.pdf")), 0));
    const double five = PeakMegabytes();
    ASSERT_TRUE(PrintLabelPage(InstallPdfPrinter(folder.filePath("ten.pdf")), 1));
    const double ten = PeakMegabytes();
    EXPECT_GT(five, 0);
    EXPECT_LT(ten - five, 60) << five << " MB at most after five pictures, " << ten
                              << " MB after ten";
}

TEST_F(LabelPdf, TenLargePicturesTakeLittleMoreMemoryThanFive) {
    QTemporaryDir room;
    for (int i = 0; i < 10; ++i) {
        QImage large(5600, 5600, QImage::Format_RGB32);
        large.fill(LargePictureColour(i));
        ASSERT_TRUE(large.save(room.filePath(QStringLiteral("large%1.jpg").arg(i)), "JPG", 50));
    }
    QString output;
#if defined(__SANITIZE_ADDRESS__)
    // AddressSanitizer keeps freed memory aside to catch late uses of it, which would count
    // every picture printed in the peak: the child hands it back at once.
    const QByteArray sanitizerOptions = qgetenv("ASAN_OPTIONS");
    qputenv("ASAN_OPTIONS", sanitizerOptions + ":quarantine_size_mb=0");
#endif
    EXPECT_TRUE(RunChildTest("LabelPdf.DISABLED_ChildPrintsTenLargePictures", room.path(), &output))
        << output.toStdString();
#if defined(__SANITIZE_ADDRESS__)
    qputenv("ASAN_OPTIONS", sanitizerOptions);
#endif
    // The sixth picture fills its box in the first label of the second page.
    const QImage page = RasterisePdf(room.filePath("ten.pdf"), 1, 100, true);
    ASSERT_FALSE(page.isNull());
    const QColor want = LargePictureColour(5);
    for (const QPointF mm : {QPointF(61, 16), QPointF(75, 30), QPointF(89, 44)}) {
        const QColor got = page.pixelColor(int(mm.x() * 100 / 25.4), int(mm.y() * 100 / 25.4));
        EXPECT_NEAR(got.red(), want.red(), 25) << mm.x();
        EXPECT_NEAR(got.green(), want.green(), 25) << mm.x();
        EXPECT_NEAR(got.blue(), want.blue(), 25) << mm.x();
    }
}

TEST_F(LabelPdf, CountsOutsideThePrintersRangePrintNothing) {
    struct Case {
        int cols, rows;
        bool printed;
    } cases[] = {{100, 1, true},  {101, 1, false}, {1, 150, true},
                 {1, 201, false}, {0, 2, false},   {2, -1, false}};
    for (const Case& c : cases) {
        SetSheet(c.cols, c.rows, 200, 200);
        const QString file = PrintPage(QStringLiteral("count-%1x%2").arg(c.cols).arg(c.rows));
        EXPECT_EQ(QFileInfo::exists(file), c.printed) << c.cols << " x " << c.rows;
    }
}

TEST_F(LabelPdf, AnAreaWithoutSizeEndsTheDocumentWithOnlyTheOutlines) {
    MF().CK[6]->setChecked(true);
    MF().TNum[3]->setText("0");
    const QString file = PrintPage("no-area");
    EXPECT_EQ(PdfPageCount(file), 1);
    EXPECT_TRUE(ReadPdf(file)[0].words.empty());
    // No bill width either.
    MF().TNum[3]->setText("200");
    MF().Wid->setText("0");
    EXPECT_EQ(PdfPageCount(PrintPage("no-bill-width")), 1);
}

TEST_F(LabelPdf, CopiesArePagesOfOneFileOrDocumentsOfTheirOwn) {
    // The print button with 3 copies typed in the printer dialog.
    const QString file = QDir(ArtifactDir()).filePath("label-copies.pdf");
    QFile::remove(file);
    ChoosePdf(file, "3");
    CB_Click(14);
    EXPECT_EQ(PdfPageCount(file), 3);
    const auto pages = ReadPdf(file);
    for (int p = 1; p <= 3; ++p) EXPECT_NE(FindWord(pages, "NAME8", p), nullptr) << p;
    // Only this file's own temporary name: other tests write their PDFs here at the same time.
    EXPECT_EQ(
        QDir(ArtifactDir()).entryList({".label-copies.pdf.*.part"}, QDir::Files | QDir::Hidden),
        QStringList());

    // A printer of its own paper: each copy a job, on that paper, whatever the bill's was.
    RecordingPrinter& printer = InstallRecordingPrinter(QPageSize(QPageSize::Letter));
    printer.SetPageSize(QPageSize(QSizeF(210, 110), QPageSize::Millimeter));
    MF().TagDir->setChecked(true);
    EXPECT_TRUE(PrintLabelPage(printer, 0));
    EXPECT_EQ(printer.Record().documents, 3);
    ASSERT_EQ(printer.Record().pages.size(), 3u);
    for (const QPageLayout& page : printer.Record().pages) {
        EXPECT_EQ(page.pageSize().id(), QPageSize::Letter);
        EXPECT_EQ(page.orientation(), QPageLayout::Landscape);
    }
}

TEST_F(LabelPdf, TheSheetPrintsOnItsOwnPaperAndTheBillKeepsItsOwn) {
    // 2 x 2 labels of 102.5 x 145 mm: all four on one page, however the bill's paper was set.
    SetSheet(2, 2, 205, 290);
    const QString file = QDir(ArtifactDir()).filePath("label-2x2-205x290.pdf");
    QFile::remove(file);
    // The paper a bill of 110 x 210 mm left on the printer.
    Printer& pdf = InstallPdfPrinter(file);
    const QPageSize bill(QSizeF(110, 210), QPageSize::Millimeter);
    pdf.SetPageSize(bill);
    ChoosePdf(file);
    CB_Click(14);
    auto pages = ReadPdf(file);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_GE(pages[0].width, 205);
    EXPECT_GE(pages[0].height, 290);
    for (int i = 1; i <= 4; ++i)
        EXPECT_NE(FindWord(pages, QStringLiteral("NAME%1").arg(i)), nullptr) << i;
    EXPECT_TRUE(pdf.PageSize().isEquivalentTo(bill));

    // A4 turned as the sheet is, or the area's own size when A4 cannot hold it.
    struct Case {
        double areaW, areaH;
        bool turned;
        double pageW, pageH;
    } cases[] = {{205, 290, false, 210, 297},
                 {250, 150, true, 297, 210},
                 {205, 290, true, 205, 290},
                 {400, 300, false, 400, 300},
                 {200, 320, false, 200, 320}};
    for (const Case& c : cases) {
        SetSheet(2, 2, c.areaW, c.areaH);
        MF().TagDir->setChecked(c.turned);
        pages = ReadPdf(PrintPage(QStringLiteral("paper-%1x%2-%3")
                                      .arg(c.areaW)
                                      .arg(c.areaH)
                                      .arg(c.turned ? "turned" : "upright")));
        ASSERT_EQ(pages.size(), 1u);
        EXPECT_NEAR(pages[0].width, c.pageW, 0.5) << c.areaW << " x " << c.areaH;
        EXPECT_NEAR(pages[0].height, c.pageH, 0.5) << c.areaW << " x " << c.areaH;
    }
}

TEST_F(LabelPdf, DISABLED_ChildPrintsLabelsOnAFullDisk) {
    ASSERT_FALSE(ChildFolder().isEmpty());
    const QString file = QDir(ChildFolder()).filePath("labels.pdf");
    ScriptedAnswers answers;
    ASSERT_TRUE(FillTheDisk());
    PrintAllPagesTwice(file);
    FreeTheDisk();
    ASSERT_EQ(answers.messages().size(), 1);
    EXPECT_EQ(answers.lastMessage(), "PDF文件“" + file +
                                         "”没有写成（磁盘空间已满），停在第2页标签的第1份，"
                                         "标签都没有打印！");
}

TEST_F(LabelPdf, AFileCutOffAtTheThirdCopyLeavesNothingAndSaysWhere) {
    QTemporaryDir room;
    const QString whole = room.filePath("labels.pdf");
    PrintAllPagesTwice(whole);
    ASSERT_EQ(PdfPageCount(whole), 8);
    QFile f(whole);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray data = f.readAll();
    qsizetype third = -1;
    for (int k = 0; k < 3; ++k) third = data.indexOf("/Type /Page\n", third + 1);
    ASSERT_GT(third, 0);
    // The disk fills up inside the third copy: the second page's first copy.
    QTemporaryDir full;
    QString output;
    EXPECT_TRUE(RunFullDiskChild("LabelPdf.DISABLED_ChildPrintsLabelsOnAFullDisk", third + 64,
                                 full.path(), &output))
        << output.toStdString();
    EXPECT_EQ(QDir(full.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(LabelPdf, PrintingFromThePageShownPutsTheRestInOneFileFollowingThePreview) {
    SetSheet(2, 1, 200, 50);  // eight records: four pages
    ASSERT_EQ(MF().PPS->text(), "1/4");
    MF().HS1->setValue(1);
    const QString file = QDir(ArtifactDir()).filePath("label-from-page-2.pdf");
    QFile::remove(file);
    ChoosePdf(file);
    CB_Click(15);
    EXPECT_EQ(PdfPageCount(file), 3);
    const auto pages = ReadPdf(file);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_NE(FindWord(pages, QStringLiteral("NAME%1").arg(2 * p + 1), p), nullptr) << p;
        EXPECT_NE(FindWord(pages, QStringLiteral("NAME%1").arg(2 * p + 2), p), nullptr) << p;
    }
    EXPECT_EQ(MF().HS1->value(), 3);
    EXPECT_EQ(MF().PPS->text(), "4/4");

    // Cancelling the printer choice prints nothing.
    QFile::remove(file);
    InDialog([](SelPrinter* d) { d->COM_Click(1); });
    CB_Click(14);
    EXPECT_FALSE(QFileInfo::exists(file));
}

}  // namespace
