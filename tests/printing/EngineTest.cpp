// The print engine on a recording printer: where each kind of box lands, in which layout
// and size, with the offsets and the lengthwise and centre-fed shifts, and the bill's paper.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QLabel>

#include "PrintTestSupport.h"
#include "barcode/BarcodeStandard.h"
#include "platform/Grid.h"
#include "printing/PaperForms.h"
#include "printing/PrintEngine.h"
#include "printing/TextLayout.h"
#include "store/BoxAccessors.h"
#include "store/BoxModel.h"
#include "store/CheckBox.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/TextBox.h"

using namespace bw;
using namespace bw::test;

namespace {

constexpr double kMm = 56.6928;

class Engine : public PrintFixture {
protected:
    // Puts the recording printer in place and prints the shown format on one page.
    Drawn& Render(double offX = 0, double offY = 0) {
        printer = &InstallRecordingPrinter();
        EXPECT_TRUE(RenderBill(*printer, offX, offY));
        printer->FinishDoc();
        return printer->Record();
    }
    RecordingPrinter* printer = nullptr;
};

// A rectangle in twips against millimetres.
void ExpectMm(const QRectF& r, double x, double y, double w, double h) {
    EXPECT_NEAR(r.left(), x * kMm, 1);
    EXPECT_NEAR(r.top(), y * kMm, 1);
    EXPECT_NEAR(r.width(), w * kMm, 1);
    EXPECT_NEAR(r.height(), h * kMm, 1);
}

// One bill with a box of every kind and data type, printed as it is and with offsets.
TEST_F(Engine, EachKindOfBoxLandsAtItsMillimetresLessTheOffsetsInTheLayoutOfItsType) {
    NewFormat("进账单", 200, 100);
    AddBox({.kind = 0, .caption = "收款人", .x = 20, .y = 30, .w = 60, .h = 8});
    for (double cash : {150.0, 200.0, 300.0, 400.0})  // types that print nothing
        AddBox({.kind = 0, .caption = "无", .y = 10, .cash = cash});
    AddBox({.kind = 0, .caption = "一格", .x = 10, .y = 30, .w = 20, .cash = 201});
    AddBox({.kind = 0, .caption = "大写", .x = 10, .y = 50, .w = 60, .cash = 114.05});
    AddBox({.kind = 0, .caption = "邮编", .x = 10, .y = 70, .w = 30, .cash = 109});
    AddBox({.kind = 0, .caption = "甲", .x = 20, .y = 30});
    AddBox({.kind = 0, .caption = "乙", .x = 50, .y = 30});
    AddBox({.kind = 1, .caption = "现金", .x = 100, .y = 10, .w = 5, .h = 5, .fontSize = 12});
    AddBox({.kind = 1, .caption = "转账", .x = 110, .y = 10, .w = 5, .h = 5});
    AddBox({.kind = 2, .caption = "照片", .x = 10, .y = 10, .w = 20, .h = 30});
    AddBox({.kind = 2, .caption = "条码", .x = 150, .y = 10, .w = 30, .h = 30});
    // Lines from (X, Y) to (W, H): solid, dotted and transparent.
    for (auto [y, cash, width, colour] :
         {std::tuple{20, 1, 4, 0x0000FF}, {40, 3, 1, 0}, {60, 0, 1, 0}}) {
        AddBox({.kind = 3,
                .caption = "",
                .x = 10,
                .y = double(y),
                .w = 190,
                .h = double(y),
                .cash = double(cash),
                .fontSize = double(width),
                .color = colour});
    }
    AddBox({.kind = 4, .caption = "备注", .x = 10, .y = 70, .w = 40, .h = 6});
    Show();
    SetBoxValue(Text(1), "张三");
    const QStringList values = {"X", "X", "X", "X", "Q", "壹佰元整", "100081", "甲", "乙"};
    for (int i = 0; i < values.size(); ++i) Text(i + 2)->SetText(values[i]);
    MF().BoxGrid().SetTextMatrix(BoxRow(Text(9)), col::X, "abc");  // no place: left out
    Check(1)->SetValue(1);
    Check(2)->SetValue(2);  // greyed: nothing on paper
    QImage photo(40, 60, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    const QString jpg = QDir(folder_.path()).filePath("photo.JPG");
    ASSERT_TRUE(photo.save(jpg, "JPG"));
    SetBoxValue(Picture(1), jpg);
    BarcodeStandard() = kQRCode;          // the format's own standard came with it
    SetBoxValue(Picture(2), "code.bmp");  // not a picture file: its text as a QR code

    const Drawn& d = Render();
    // Kinds print in order: text boxes, check boxes, pictures, lines, labels.
    EXPECT_EQ(d.PageText(1), "张三Q壹佰元整100081乙√备注");
    EXPECT_NEAR(d.Find("张")->left, 20 * kMm, 0.5);  // wrapped text starts on whole twips
    EXPECT_NEAR(d.Find("张")->top, 30 * kMm, 0.5);
    EXPECT_NEAR(d.Find("乙")->left, 50 * kMm, 0.5);
    // A tick in its own design size, without fitting to the printer.
    EXPECT_NEAR(d.Find("√")->left, 100 * kMm, 0.5);
    EXPECT_EQ(d.Find("√")->font.pointSizeF(), 12);
    // One cell across the whole box; 114.05 counts as 114: wrapped text, right-aligned
    // whatever the box says; a postcode in six 5 mm cells.
    auto centre = [&](const char* text) {
        return d.Find(text)->left + printer->TextWidth(text) / 2;
    };
    EXPECT_NEAR(centre("Q"), 20 * kMm, 1.0);
    EXPECT_NEAR(d.Find("整")->left + printer->TextWidth("整"), 70 * kMm - 1, 2.0);
    EXPECT_NEAR(centre("1"), 12.5 * kMm, 1.0);
    // The photo fills its box; the QR symbol's white square and dark runs fill theirs.
    ASSERT_EQ(d.images.size(), 1u);
    ExpectMm(d.images[0].rect, 10, 10, 20, 30);
    double right = 0;
    for (const auto& r : d.rects) right = std::max(right, r.rect.right());
    EXPECT_GT(d.rects.size(), 20u);
    EXPECT_NEAR(right, 180 * kMm, 2);
    // Lines take their style, width and colour (the colour column is BGR).
    ASSERT_EQ(d.lines.size(), 2u);
    EXPECT_NEAR(d.lines[0].line.y1(), 20 * kMm, 0.01);
    EXPECT_NEAR(d.lines[0].line.x2(), 190 * kMm, 0.01);
    EXPECT_EQ(d.lines[0].width, 4);
    EXPECT_EQ(d.lines[0].color, QColor(255, 0, 0));
    EXPECT_EQ(d.lines[0].style, Qt::SolidLine);
    EXPECT_EQ(d.lines[1].style, Qt::DotLine);

    // Offsets of 2.5 and -2 mm move everything left and down.
    const Drawn& moved = Render(2.5, -2);
    EXPECT_NEAR(moved.Find("张")->left, 17.5 * kMm, 0.5);
    EXPECT_NEAR(moved.Find("张")->top, 32 * kMm, 0.5);
    EXPECT_NEAR(moved.Find("备")->left, 7.5 * kMm, 0.5);
    EXPECT_NEAR(moved.lines[0].line.y1(), 22 * kMm, 0.01);
}

// (Text positions under the shifts are measured in the PDF tests.)
TEST_F(Engine, BothEndsOfALineShiftWithTheBill) {
    NewFormat("快递单", 190, 100);
    AddBox({.kind = 3, .caption = "", .w = 50, .h = 0, .cash = 1, .fontSize = 3});
    Show();
    // Portrait, centre-fed: the bill is 20 mm narrower than A4, so it moves 10 mm left.
    MF().SetO2Value(3, 1);
    Drawn* d = &Render();
    ASSERT_EQ(d->lines.size(), 1u);
    EXPECT_NEAR(d->lines[0].line.x1(), -10 * kMm, 1.0);
    EXPECT_NEAR(d->lines[0].line.x2(), 40 * kMm, 1.0);
    // Lengthwise: landscape, the bill at the bottom edge of the 210 mm high page.
    MF().SetO2Value(3, 0);
    MF().SetO2Value(1, 1);
    d = &Render();
    EXPECT_EQ(d->pages[0].orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(d->lines[0].line.y1(), 110 * kMm, 1.0);
    EXPECT_NEAR(d->lines[0].line.y2(), 110 * kMm, 1.0);
}

TEST_F(Engine, AutomaticShrinkingFitsTheWidestLine) {
    const QString text = "很长很长很长很长很长很长的说明文字";
    NewFormat("说明", 200, 100);
    AddBox({.kind = 4, .caption = text, .x = 10, .y = 10, .w = 30, .h = 6});
    AddBox({.kind = 4, .caption = "短", .x = 10, .y = 40, .w = 30, .h = 6});
    Show();
    MF().mAutoFontsize->setChecked(true);
    const Drawn& d = Render();
    const auto* longText = d.Find("很");
    const auto* shortText = d.Find("短");
    ASSERT_TRUE(longText && shortText);
    printer->SetFont(longText->font);
    EXPECT_LE(printer->TextWidth(text), 30 * kMm);
    EXPECT_GE(longText->font.pointSizeF(), 2);
    EXPECT_LT(longText->font.pointSizeF(), shortText->font.pointSizeF());
    // The short label keeps the fitted printer size.
    printer->SetFontSize(1);
    EXPECT_EQ(shortText->font.pointSizeF(),
              FitPrinterFontSize(*printer, 10.5, kTestFont, false, 1.0));
}

TEST_F(Engine, TheBackgroundLiesUnderTheBillInRegister) {
    NewFormat("底图", 200, 100);
    AddBox({.kind = 0, .caption = "甲", .x = 20, .y = 30});
    Show();
    QImage scan(200, 100, QImage::Format_ARGB32);
    scan.fill(QColor(0, 0, 255, 100));
    MF().TP->SetPicture(scan);
    MF().mDiTuPrint->setChecked(true);
    MF().SetO2Value(3, 1);
    const Drawn& d = Render(1, 2);
    ASSERT_EQ(d.images.size(), 1u);
    ExpectMm(d.images[0].rect, -1 - 5, -2, 200, 100);
}

TEST_F(Engine, TheBillsPaperIsAMatchingSizeOrTheProgramsOwnForm) {
    EXPECT_EQ(PaperSizeOf(100.5, 1), (PaperFormSize{100500, 1000}));
    EXPECT_EQ(PaperSizeOf(0.0025, 1).cx, 2);  // halves to even
    QString found;
    const QList<QPageSize> forms{QPageSize(QPageSize::A5), QPageSize(QPageSize::A4)};
    EXPECT_EQ(FindPaperForm(forms, {210000, 297000}, found), 2);
    EXPECT_EQ(found, "A4");
    EXPECT_EQ(FindPaperForm(forms, {297000, 210000}, found), -1);
    EXPECT_EQ(found, "");

    NewFormat("支票", 241, 93);
    AddBox({.kind = 0, .caption = "甲", .x = 20, .y = 30});
    Show();
    MF().mSetPaper->setChecked(true);
    auto& pdf = InstallPdfPrinter(QDir(ArtifactDir()).filePath("paper-form.pdf"));
    QString name = kCustomFormName;
    ASSERT_TRUE(SetCustomPaper(pdf, name, 241, 93));
    EXPECT_EQ(name, kCustomFormName);
    EXPECT_EQ(PaperSizeOf(pdf.PageSize()), (PaperFormSize{241000, 93000}));
    EXPECT_EQ(pdf.PageSize().name(), kCustomFormName);
    // A second size replaces the program's form; a standard size is reused under its name.
    ASSERT_TRUE(SetCustomPaper(pdf, name, 120, 80));
    int own = 0;
    for (const QPageSize& f : PaperForms(pdf)) own += f.name() == kCustomFormName;
    EXPECT_EQ(own, 1);
    name = kCustomFormName;
    ASSERT_TRUE(SetCustomPaper(pdf, name, 210, 297));
    EXPECT_EQ(name, "A4");
    EXPECT_EQ(pdf.PageSize().id(), QPageSize::A4);
    EXPECT_FALSE(SetCustomPaper(pdf, name, 0, 297));  // no paper: the printer keeps its own

    // The engine puts the bill's paper on the printer before the page begins.
    const Drawn& d = Render();
    EXPECT_EQ(PaperSizeOf(d.pages[0].pageSize()), (PaperFormSize{241000, 93000}));
}

}  // namespace
