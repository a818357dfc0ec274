// The canvas background: the measuring grid, its numbers and the background picture.

#include <QImage>

#include "MainWindowFixture.h"
#include "common/Database.h"
#include "common/Schema.h"
#include "platform/DrawTarget.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CanvasOptions.h"
#include "store/Label.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/Rulers.h"

using namespace bw;

namespace {

class Rulers : public ::testing::Test {
protected:
    void SetUp() override {
        CloseDatabase();
        ASSERT_TRUE(EnsureDatabase());
        ResetMF(new MainForm);
        InitBoxModule();
        // 200 x 100 mm at 30 pixels a centimetre: 6000 x 3000 pixels would be too much; 600 x 300.
        MainForm& mf = MF();
        mf.SetFrameSize(9000, 4500);
        mf.PG->SetWidth(9000);
        mf.PG->SetHeight(4500);
        mf.Wid->setText("200");
        mf.Hie->setText("100");
    }
    void TearDown() override {
        UnloadAllBoxes();
        ResetMF();
        CloseDatabase();
    }
    // The canvas pixel at a paper position in mm.
    QColor at(double xMm, double yMm) {
        const QImage& img = MF().PG->Image();
        const double px = img.width() / 200.0;
        const int x = std::min(img.width() - 1, int(xMm * px + 0.5)),
                  y = std::min(img.height() - 1, int(yMm * px + 0.5));
        return img.pixelColor(x, y);
    }
    int count(const QColor& c) {
        const QImage& img = MF().PG->Image();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == c) ++n;
        return n;
    }
    test::TempDataFolder folder_;
};

}  // namespace

TEST_F(Rulers, LinesEveryTwoMillimetresDeeperEveryCentimetreSpreadOverThePaper) {
    DrawRulers(MF().PG, 200, 1);
    EXPECT_EQ(at(10, 5), kCentimetreRulerColour);
    EXPECT_EQ(at(50, 33), kCentimetreRulerColour);
    EXPECT_EQ(at(4, 33), kMinorRulerColour);
    EXPECT_EQ(at(33, 6), kMinorRulerColour);
    EXPECT_EQ(at(33, 50), kCentimetreRulerColour);
    EXPECT_EQ(at(5, 5), QColor(Qt::white));  // between lines
    EXPECT_EQ(at(31, 33), QColor(Qt::white));
    // Numbers are written in the corners' cells and along the edges.
    int dark = 0;
    const QImage& img = MF().PG->Image();
    for (int y = 0; y < 12; ++y)
        for (int x = 30; x < 45; ++x)
            if (qGray(img.pixel(x, y)) < 100) ++dark;
    EXPECT_GT(dark, 3) << "the number 1 at the top edge";

    // Without the grid the canvas is only cleared.
    DrawRulers(MF().PG, 200, 0);
    EXPECT_EQ(count(kCentimetreRulerColour), 0);
    EXPECT_EQ(count(kMinorRulerColour), 0);

    // A wider paper draws the same lines closer: 210 mm, the last centimetre line, lies at
    // 210 / 215 of the width (looked at 37 mm down, between two horizontal lines).
    MF().Wid->setText("215");
    DrawRulers(MF().PG, 215, 1);
    MF().PG->Image();
    const int x210 = int(210.0 / 215.0 * img.width() + 0.5), y = int(37.0 / 215.0 * img.width());
    EXPECT_EQ(img.pixelColor(std::min(x210, img.width() - 1), y), kCentimetreRulerColour);
    EXPECT_NE(img.pixelColor(std::min(x210 + 3, img.width() - 1), y), kCentimetreRulerColour);
}

TEST_F(Rulers, TheBackgroundPictureLiesUnderTheGridAndTheOptionBoxesRedraw) {
    MainForm& mf = MF();
    int row = 0;
    BoxControl* box = LoadBoxControl(kTextBox, row);
    ASSERT_NE(box, nullptr);
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    mf.TP->SetPicture(red);
    mf.SetO2Value(4, 1);
    DrawRulers(mf.PG, 200, 0);
    EXPECT_EQ(at(5, 5), QColor(Qt::red));
    EXPECT_EQ(at(195, 95), QColor(Qt::red));
    EXPECT_FALSE(CaptionLabel(box->Index())->Visible());
    DrawRulers(mf.PG, 200, 1);
    EXPECT_EQ(at(10, 5), kCentimetreRulerColour);
    EXPECT_EQ(at(5, 5), QColor(Qt::red));

    // Switched off, or without a picture: the captions show and the canvas is white.
    mf.SetO2Value(4, 0);
    DrawRulers(mf.PG, 200, 0);
    EXPECT_EQ(at(5, 5), QColor(Qt::white));
    EXPECT_TRUE(CaptionLabel(box->Index())->Visible());
    mf.SetO2Value(4, 1);
    mf.TP->SetPicture(QImage());
    DrawRulers(mf.PG, 200, 0);
    EXPECT_EQ(at(5, 5), QColor(Qt::white));
    EXPECT_TRUE(CaptionLabel(box->Index())->Visible());

    // The grid's option box redraws the canvas.
    ConnectCanvasHandlers();
    mf.SetO2Value(0, 1);
    EXPECT_EQ(at(10, 5), kCentimetreRulerColour);
    mf.SetO2Value(0, 0);
    EXPECT_EQ(at(10, 5), QColor(Qt::white));
}

TEST_F(Rulers, AskedForSeveralTimesTheGridIsDrawnOnceAndNeverLeftStale) {
    MainForm& mf = MF();
    DrawTarget& t = mf.PG->Target();
    // Asked for at 100 mm, then at 200 mm before anyone looked: drawn once, at 200 mm (a
    // grid of 100 mm would have no line at 10 mm of the 200).
    DrawRulers(mf.PG, 100, 1);
    DrawRulers(mf.PG, 200, 1);
    const quint64 before = t.Drawings();
    EXPECT_EQ(at(10, 5), kCentimetreRulerColour);
    const quint64 once = t.Drawings();
    EXPECT_GT(once, before);
    // The same grid over an untouched canvas is not drawn again ...
    DrawRulers(mf.PG, 200, 1);
    EXPECT_EQ(at(10, 5), kCentimetreRulerColour);
    EXPECT_EQ(t.Drawings(), once);
    // ... but anything drawn over it brings it back whole.
    t.SetScaleMode(ScaleUnit::Pixels);
    t.FilledBox(0, 0, t.ScaleWidth(), t.ScaleHeight(), QColor(Qt::blue));
    DrawRulers(mf.PG, 200, 1);
    EXPECT_EQ(at(10, 5), kCentimetreRulerColour);
    EXPECT_EQ(at(5, 5), QColor(Qt::white));
    // So does a change of size.
    mf.PG->SetWidth(4500);
    DrawRulers(mf.PG, 200, 1);
    const QImage& img = mf.PG->Image();
    EXPECT_EQ(img.pixelColor(img.width() / 20, 2), kCentimetreRulerColour);  // 10 mm of 200
}

TEST_F(Rulers, TheGridHasThePixelsOfItsLinesDrawnOneByOne) {
    // Canvas size (twips) and paper width: a common page, odd sizes, and canvases so small
    // that neighbouring lines fall on the same pixels.
    const struct {
        int w, h;
        double widthMm;
    } cases[] = {
        {9000, 4500, 200}, {12345, 8765, 297}, {4500, 9000, 210.5},
        {900, 600, 200},   {450, 300, 297},
    };
    MainForm& mf = MF();
    DrawTarget& t = mf.PG->Target();
    for (const auto& c : cases) {
        mf.PG->SetWidth(c.w);
        mf.PG->SetHeight(c.h);
        DrawRulers(mf.PG, c.widthMm, 1);
        const QImage drawn = mf.PG->Image().copy();
        // The grid as it was drawn before: every line on its own, in order.
        {
            DrawSettingsSaver keep(t);
            t.SetScaleMode(ScaleUnit::Twips);
            t.Cls();
            t.SetDrawMode(PenMode::CopyPen);
            t.SetDrawWidth(1);
            t.SetDrawStyle(LineStyle::Solid);
            const double w = c.w, h = c.h, s = w / c.widthMm;
            const long across = CLng(c.widthMm), down = CLng(h / w * c.widthMm);
            const auto colour = [](long mm) {
                return mm % 10 == 0 ? kCentimetreRulerColour : kMinorRulerColour;
            };
            for (long i = 0; i <= across; i += 2) t.Line(i * s, 0, i * s, h, colour(i));
            for (long i = 0; i <= down; i += 2) t.Line(0, i * s, w, i * s, colour(i));
            t.SetForeColor(Qt::black);
            const auto measure = [&t](const QString& text) {
                DrawSettingsSaver keepFont(t);
                QFont f;
                f.setStyleHint(QFont::SansSerif);
                f.setPointSizeF(15.0 * 15.0 / 20.0);
                f.setBold(false);
                f.setItalic(false);
                t.SetFont(f);
                return QSizeF(t.TextWidth(text), t.TextHeight(text));
            };
            for (const RulerNumber& n : RulerNumberPlaces(w, h, c.widthMm, measure))
                DrawTextWithFont(t, int(n.place.x()), int(n.place.y()), n.text);
        }
        const QImage& before = mf.PG->Image();
        ASSERT_EQ(before.size(), drawn.size()) << c.w;
        int differ = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixel(x, y) != before.pixel(x, y)) ++differ;
        EXPECT_EQ(differ, 0) << c.w << " x " << c.h << " for " << c.widthMm << " mm";
        EXPECT_GT(count(kCentimetreRulerColour) + count(kMinorRulerColour), 0) << c.w;
    }
}

TEST(RulerNumbers, ANumberThatWouldOverlapAnotherIsLeftOut) {
    // Numbers 120 twips wide a digit and 260 high.
    const auto measure = [](const QString& t) { return QSizeF(120.0 * t.size(), 260); };
    const struct {
        double w, h, widthMm;
        size_t count;  // numbers written
        bool leftTen;  // the "10" down the left edge is written
    } cases[] = {
        {9000, 4500, 200, 61, true},   // 200 x 100 mm: the left "9" would touch the bottom "0"
        {9000, 4572, 200, 60, false},  // 101.6 mm high: "10" would sit on the bottom "0"
        {3000, 1500, 215, 0, false},   // a small canvas: two-digit numbers crowd
    };
    for (const auto& c : cases) {
        const auto places = RulerNumberPlaces(c.w, c.h, c.widthMm, measure);
        if (c.count) {
            EXPECT_EQ(places.size(), c.count) << c.h;
        }
        bool leftTen = false;
        for (size_t i = 0; i < places.size(); ++i) {
            if (places[i].text == "10" && places[i].place.x() == 0) leftTen = true;
            for (size_t j = i + 1; j < places.size(); ++j)
                EXPECT_FALSE(places[i].place.intersects(places[j].place))
                    << places[i].text.toStdString() << " and " << places[j].text.toStdString();
        }
        EXPECT_EQ(leftTen, c.leftTen) << c.h;
        // The corner numbers always stand.
        ASSERT_FALSE(places.empty());
        EXPECT_EQ(places.front().text, "0");
        EXPECT_EQ(places.front().place.topLeft(), QPointF(0, 0));
    }
}

TEST_F(Rulers, TheCanvasShowsOnTheScreenWhatItsPictureHolds) {
    // Drawn on the screen without a picture of its own, then read (which makes the picture):
    // the same pixels, with and without the background picture.
    MainForm& mf = MF();
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    mf.TP->SetPicture(red);
    for (int picture = 0; picture < 2; ++picture) {
        mf.SetO2Value(4, picture);
        DrawRulers(mf.PG, 200, 1);
        const QImage screen = mf.PG->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage kept = mf.PG->Image().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(screen.size(), kept.size());
        EXPECT_EQ(screen, kept) << "background picture " << picture;
        EXPECT_EQ(mf.PG->grab().toImage().convertToFormat(QImage::Format_RGB32), kept);
    }
}
