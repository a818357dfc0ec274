#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <functional>

#include "TestSupport.h"
#include "platform/DrawTarget.h"
#include "platform/PictureWidget.h"

namespace bw {
namespace {

bool Dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The bounding box of the dark pixels, or an empty rectangle.
QRect DarkArea(const QImage& image) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Dark(image, x, y)) area |= QRect(x, y, 1, 1);
    return area;
}

TEST(DrawTarget, ScaleConversions) {
    ImageTarget screen(10, 10, 96);
    ImageTarget fine(10, 10, 600);
    EXPECT_EQ(screen.ScaleMode(), ScaleUnit::Twips);
    EXPECT_DOUBLE_EQ(screen.ScaleX(1440, ScaleUnit::Twips, ScaleUnit::Pixels), 96);
    EXPECT_DOUBLE_EQ(fine.ScaleX(1440, ScaleUnit::Twips, ScaleUnit::Pixels), 600);
    EXPECT_DOUBLE_EQ(fine.ScaleY(25.4, ScaleUnit::Millimeters, ScaleUnit::Pixels), 600);
    EXPECT_NEAR(screen.ScaleX(1, ScaleUnit::Millimeters, ScaleUnit::Twips), 56.6929, 1e-4);
    EXPECT_DOUBLE_EQ(screen.ScaleX(72, ScaleUnit::Points, ScaleUnit::Inches), 1);
    EXPECT_DOUBLE_EQ(screen.ScaleX(2.54, ScaleUnit::Centimeters, ScaleUnit::Himetric), 2540);
    EXPECT_DOUBLE_EQ(screen.ScaleX(1, ScaleUnit::Characters, ScaleUnit::Twips), 120);
    EXPECT_DOUBLE_EQ(screen.ScaleY(1, ScaleUnit::Characters, ScaleUnit::Twips), 240);
    screen.SetScaleMode(ScaleUnit::Millimeters);
    EXPECT_DOUBLE_EQ(screen.ScaleX(96, ScaleUnit::Pixels), 25.4);
    EXPECT_NEAR(screen.ScaleWidth(), 10 * 25.4 / 96, 1e-9);
    EXPECT_NEAR(fine.Width(), 10 * 1440 / 600.0, 1e-9);
}

// Boxes land on whole device pixels, and boxes that share an edge neither overlap nor
// leave a gap: drawn in XOR, every pixel of the strip is inverted exactly once.
TEST(DrawTarget, FilledBoxesOnDevicePixels) {
    ImageTarget t(700, 40, 300);
    t.FilledBox(1440, 0, 2880, 10);  // 300 to 600 pixels across, 2.08 down
    QImage image = t.Image();
    EXPECT_EQ(DarkArea(image), QRect(300, 0, 300, 2));

    ImageTarget strip(1000, 10, 300);
    strip.SetDrawMode(PenMode::XorPen);
    double x = 0;
    for (int i = 0; i < 37; ++i) {
        const double next = x + 1440.0 / 37 * 3.3;  // edges that fall between pixels
        strip.FilledBox(x, 0, next, 48, QColor(Qt::white));
        x = next;
    }
    const int end = static_cast<int>(std::lround(x * 300 / 1440));
    image = strip.Image();
    for (int px = 0; px < end; ++px) EXPECT_TRUE(Dark(image, px, 5)) << px;
    EXPECT_FALSE(Dark(image, end, 5));
}

TEST(DrawTarget, TextIsPlacedByItsTopLeftCorner) {
    ImageTarget t(600, 300, 300);
    t.SetFontName("DejaVu Sans");
    t.SetFontSize(20);
    t.SetCurrentX(1440 * 0.5);
    t.SetCurrentY(1440 * 0.25);
    const double w = t.TextWidth("HHH");
    const double h = t.TextHeight("HHH");
    t.Print("HHH");
    const QRect ink = DarkArea(t.Image());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.top(), 75);                       // nothing above the current position
    EXPECT_LT(ink.top(), 75 + h * 300 / 1440 / 2);  // capitals start in the upper half
    EXPECT_GE(ink.left(), 150);
    EXPECT_LT(ink.left(), 150 + 15);  // the glyph's own left bearing
    EXPECT_LE(ink.right(), 150 + w * 300 / 1440);
    // After a printed line the position is at the start of the next line.
    EXPECT_EQ(t.CurrentX(), 0);
    EXPECT_NEAR(t.CurrentY(), 1440 * 0.25 + h, 1e-6);
    // Without the line end the position stays right of the text.
    t.SetCurrentX(100);
    t.Print("ab", false);
    EXPECT_NEAR(t.CurrentX(), 100 + t.TextWidth("ab"), 1e-6);
    EXPECT_NEAR(t.TextHeight("a\r\nb"), 2 * t.TextHeight("a"), 1e-6);
    EXPECT_NEAR(t.TextWidth("ab\r\nabcd"), t.TextWidth("abcd"), 1e-6);
}

TEST(DrawTarget, TextMeasuresTheSameInTwipsAtAnyResolution) {
    ImageTarget screen(10, 10, 96);
    ImageTarget printer(10, 10, 1200);
    for (DrawTarget* t : {static_cast<DrawTarget*>(&screen), static_cast<DrawTarget*>(&printer)}) {
        t->SetFontName("DejaVu Sans");
        t->SetFontSize(12);
    }
    const QString sample = QStringLiteral("Bellweft 进账单 12345");
    EXPECT_NEAR(screen.TextWidth(sample) / printer.TextWidth(sample), 1.0, 0.08);
    EXPECT_NEAR(screen.TextHeight(sample) / printer.TextHeight(sample), 1.0, 0.08);
    EXPECT_NEAR(printer.TextHeight("H"), 12 * 20 * 1.1, 12 * 20 * 0.35);  // about a line of 12 pt
    screen.SetFontSize(0);  // sizes of 0 or less keep the size
    EXPECT_DOUBLE_EQ(screen.FontSize(), 12);
}

// Widths and drawn text follow every way of changing the font, also back to a font measured
// before (the target keeps its fonts and the widths measured in them).
TEST(DrawTarget, KeptFontsFollowEveryFontChangeAndSettingsAreGivenBack) {
    ImageTarget t(400, 100, 96);
    const QString text = QStringLiteral("WWW 国");
    t.SetFontName("DejaVu Sans");
    t.SetFontSize(10);
    const double small = t.TextWidth(text);
    t.SetDrawWidth(4);
    const DrawSettings saved = t.Settings();
    struct Change {
        const char* what;
        std::function<void()> apply;
    };
    const Change changes[] = {
        {"size", [&] { t.SetFontSize(20); }},
        {"bold", [&] { t.SetFontBold(true); }},
        {"name", [&] { t.SetFontName("DejaVu Sans Mono"); }},
        {"font", [&] { t.SetFont(QFont("DejaVu Serif", 14)); }},
    };
    {
        DrawSettingsSaver saver(t);  // every setting comes back at the end of the scope
        t.SetScaleMode(ScaleUnit::Millimeters);
        t.SetDrawWidth(1);
        t.SetDrawMode(PenMode::XorPen);
        t.SetFillStyle(FillPattern::Solid);
        t.SetFontSize(30);
    }
    EXPECT_EQ(t.ScaleMode(), ScaleUnit::Twips);
    EXPECT_EQ(t.DrawWidth(), 4);
    EXPECT_EQ(t.DrawMode(), PenMode::CopyPen);
    EXPECT_EQ(t.FillStyle(), FillPattern::Transparent);
    EXPECT_DOUBLE_EQ(t.TextWidth(text), small);
    for (const Change& c : changes) {
        c.apply();
        QFont font = t.Font();
        QFontMetricsF fm(font, t.Device());
        EXPECT_DOUBLE_EQ(t.TextWidth(text), fm.horizontalAdvance(text) * 1440 / 96) << c.what;
        EXPECT_NE(t.TextWidth(text), small) << c.what;
        t.Restore(saved);
        EXPECT_DOUBLE_EQ(t.TextWidth(text), small) << c.what;
    }
    // Text drawn after a change uses the new font: a larger size draws taller.
    t.Print("H");
    const int low = DarkArea(t.Image()).height();
    t.Cls();
    t.SetFontSize(30);
    t.Print("H");
    EXPECT_GT(DarkArea(t.Image()).height(), low * 2);
}

TEST(DrawTarget, LinesBoxesCirclesAndPenModes) {
    ImageTarget t(100, 100, 1440);  // one pixel a twip
    t.SetDrawWidth(3);
    t.Line(10, 50, 90, 50);
    QImage image = t.Image();
    EXPECT_TRUE(Dark(image, 50, 50));
    EXPECT_FALSE(Dark(image, 50, 53));
    EXPECT_EQ(t.CurrentX(), 90);

    t.SetDrawMode(PenMode::Nop);
    t.Line(10, 10, 90, 10);
    t.SetDrawMode(PenMode::CopyPen);
    t.SetDrawStyle(LineStyle::Transparent);
    t.Line(10, 20, 90, 20);
    t.SetDrawStyle(LineStyle::Solid);
    image = t.Image();
    EXPECT_FALSE(Dark(image, 50, 10));
    EXPECT_FALSE(Dark(image, 50, 20));

    // Inverting twice gives the picture back.
    const QImage before = t.Image();
    t.SetDrawMode(PenMode::Invert);
    t.FilledBox(0, 0, 100, 100);
    EXPECT_TRUE(Dark(t.Image(), 5, 5));
    t.FilledBox(0, 0, 100, 100);
    EXPECT_EQ(t.Image(), before);
    t.SetDrawMode(PenMode::CopyPen);

    t.Cls();
    t.SetDrawWidth(1);
    t.SetFillStyle(FillPattern::Solid);
    t.SetFillColor(Qt::black);
    t.Circle(50, 50, 20, QColor(Qt::black));
    image = t.Image();
    EXPECT_TRUE(Dark(image, 50, 50));
    EXPECT_TRUE(Dark(image, 50, 68));
    EXPECT_FALSE(Dark(image, 50, 73));
    EXPECT_FALSE(Dark(image, 66, 66));  // outside the circle, inside its square

    t.Cls();
    t.SetFillStyle(FillPattern::Transparent);
    t.Box(20, 20, 80, 80);
    image = t.Image();
    EXPECT_TRUE(Dark(image, 20, 50));
    EXPECT_FALSE(Dark(image, 50, 50));
    t.PSet(5, 5, QColor(Qt::black));
    EXPECT_TRUE(Dark(t.Image(), 5, 5));
}

TEST(DrawTarget, ClsAndPictures) {
    ImageTarget t(100, 60, 1440);
    t.SetBackColor(QColor(200, 0, 0));
    t.SetCurrentX(30);
    t.Cls();
    EXPECT_EQ(t.Image().pixelColor(50, 30), QColor(200, 0, 0));
    EXPECT_EQ(t.CurrentX(), 0);

    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixelColor(0, 0, Qt::black);
    t.PaintPicture(picture, 10, 10, 40, 20);  // stretched over 40 x 20, smoothed
    QImage image = t.Image();
    EXPECT_TRUE(Dark(image, 11, 11));
    EXPECT_GT(qGray(image.pixel(48, 28)), 200);
    EXPECT_EQ(image.pixelColor(55, 25), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(5, 25), QColor(200, 0, 0));
    // A part of the picture at its own size (96 dpi: 15 twips a pixel).
    t.Cls();
    t.PaintPicture(picture, 0, 0, -1, -1, QRectF(0, 0, 1, 1));
    image = t.Image();
    EXPECT_TRUE(Dark(image, 7, 7));
    EXPECT_EQ(image.pixelColor(20, 7), QColor(200, 0, 0));
}

TEST(DrawTarget, PrinterPagesInPdf) {
    const QString pdf = QDir(test::ArtifactDir()).filePath("draw-target-pages.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A5));
    {
        DrawTarget t(&printer);
        ASSERT_TRUE(t.IsPrinter());
        EXPECT_NEAR(t.Width(), 148 * 1440 / 25.4, 1);
        EXPECT_NEAR(t.Height(), 210 * 1440 / 25.4, 1);
        EXPECT_EQ(t.DpiX(), printer.resolution());
        t.Cls();  // nothing on paper
        t.SetFontSize(14);
        t.Print(QStringLiteral("第一页"));
        t.NewPage();
        EXPECT_EQ(t.CurrentY(), 0);
        t.FilledBox(1440, 1440, 2880, 2880);
        t.EndDoc();
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromLatin1(file.readAll());
    EXPECT_EQ(content.count(QRegularExpression("/Type\\s*/Page[^s]")), 2);
}

TEST(PictureWidget, KeepsItsDrawingAndShowsIt) {
    PictureWidget box;
    box.resize(120, 80);
    box.Cls();
    box.Target().FilledBox(0, 0, 600, 600);  // 40 x 40 pixels at 96 dpi
    box.resize(160, 100);
    const QImage image = box.Image();
    EXPECT_EQ(image.width(), qRound(160 * box.devicePixelRatioF()));
    EXPECT_TRUE(Dark(image, 10, 10));
    EXPECT_FALSE(Dark(image, 150, 90));
    const QImage shown = box.grab().toImage();
    EXPECT_TRUE(Dark(shown, 10, 10));
    EXPECT_FALSE(Dark(shown, 60, 60));
    EXPECT_NEAR(box.Target().ScaleWidth(), 160 * 15, 1e-6);  // 15 twips a screen pixel
}

}  // namespace
}  // namespace bw
