#include "store/Rulers.h"

#include "platform/DrawTarget.h"
#include "platform/VbNumbers.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/Label.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"

namespace bw {

namespace {

// 15 screen pixels of 15 twips: 225 twips, 11.25 points.
constexpr double kNumberFontPoints = 15.0 * 15.0 / 20.0;

QColor lineColour(long mm) {
    return (mm / 10) * 10 == mm ? kCentimetreRulerColour : kMinorRulerColour;
}

}  // namespace

void StretchCopyPicture(PictureBox* src, PictureWidget* dst) {
    if (!src || !dst) return;
    const QImage picture = src->Picture().isNull() ? src->Image() : src->Picture();
    if (picture.isNull()) return;
    DrawTarget& t = dst->Target();
    DrawSettingsSaver keep(t);
    t.SetScaleMode(ScaleUnit::Pixels);
    t.PaintPicture(picture, 0, 0, t.ScaleWidth(), t.ScaleHeight());
}

namespace {

void drawGridOn(DrawTarget& t, double w, double h, double widthMm, int drawGrid);

// The background picture and the grid on a cleared surface.
void drawRulersOn(DrawTarget& t, const QImage& picture, double w, double h, double widthMm,
                  int drawGrid) {
    DrawSettingsSaver keep(t);
    t.SetScaleMode(ScaleUnit::Twips);
    t.Cls();
    if (!picture.isNull()) {
        DrawSettingsSaver keepScale(t);
        t.SetScaleMode(ScaleUnit::Pixels);
        t.PaintPicture(picture, 0, 0, t.ScaleWidth(), t.ScaleHeight());
    }
    drawGridOn(t, w, h, widthMm, drawGrid);
}

// The window's own font at the numbers' size. (A style hint would make Qt look up a list of
// fallback fonts for it at its first use, which costs the start more than all the numbers.)
QFont numberFont() {
    QFont f;
    f.setPointSizeF(kNumberFontPoints);
    f.setBold(false);
    f.setItalic(false);
    return f;
}

}  // namespace

void DrawTextWithFont(DrawTarget& target, int x, int y, const QString& text) {
    DrawSettingsSaver keep(target);
    target.SetFont(numberFont());
    target.SetCurrentX(target.ScaleX(x, ScaleUnit::Twips));
    target.SetCurrentY(target.ScaleY(y, ScaleUnit::Twips));
    target.Print(text, false);
}

std::vector<RulerNumber> RulerNumberPlaces(double w, double h, double widthMm,
                                           const std::function<QSizeF(const QString&)>& measure) {
    std::vector<RulerNumber> out;
    if (!(widthMm > 0) || !(w > 0)) return out;
    const double s = w / widthMm;
    const long across = CLng(widthMm);
    const long down = CLng(h / w * widthMm);
    // A number that would cover one already written is left out.
    auto place = [&](long x, long y, long cm) {
        const QString text = QString::number(cm);
        const QRectF r(QPointF(x, y), measure(text));
        for (const RulerNumber& n : out)
            if (n.place.intersects(r)) return;
        out.push_back({r, text});
    };
    for (long i = 0; i <= across; i += 10) {
        place(CLng(i * s), 0, i / 10);
        place(CLng(i * s), CLng(h - 260), i / 10);
    }
    for (long i = 10; i <= down; i += 10) {
        place(0, CLng(i * s), i / 10);
        place(CLng(w - (i / 10 >= 10 ? 260 : 130)), CLng(i * s), i / 10);
    }
    return out;
}

void DrawRulers(Canvas* canvas, double widthMm, int drawGrid) {
    if (!canvas) return;
    MainForm& mf = MF();
    const bool show = mf.O2Value(4) == 1 && !mf.TP->Picture().isNull();
    for (int kind = kTextBox; kind <= kPictureBox; ++kind)
        for (int i = LastBoxIndex(kind); i >= FirstBoxIndex(kind); --i)
            if (Label* l = CaptionLabel(i)) l->SetVisible(!show);
    // Opening a format asks for the grid several times over (options, size): the canvas draws
    // it when painted, from what it was last asked with, and keeps no image of it unless
    // someone draws on it or reads it.
    const QImage picture = show ? mf.TP->Picture() : QImage();
    const double w = canvas->Width(), h = canvas->Height();
    const QString inputs = QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8|%9")
                               .arg(canvas->width())
                               .arg(canvas->height())
                               .arg(canvas->devicePixelRatioF(), 0, 'g', 17)
                               .arg(w, 0, 'g', 17)
                               .arg(h, 0, 'g', 17)
                               .arg(widthMm, 0, 'g', 17)
                               .arg(drawGrid)
                               .arg(picture.isNull() ? 0 : picture.cacheKey())
                               .arg(canvas->BackColor().rgba());
    canvas->SetSurfaceDrawing(inputs, [picture, w, h, widthMm, drawGrid](DrawTarget& t) {
        drawRulersOn(t, picture, w, h, widthMm, drawGrid);
    });
}

namespace {

void drawGridOn(DrawTarget& t, double w, double h, double widthMm, int drawGrid) {
    t.SetDrawMode(PenMode::CopyPen);
    t.SetDrawWidth(1);
    t.SetDrawStyle(LineStyle::Solid);
    if (drawGrid != 1 || !(widthMm > 0)) return;

    const double s = w / widthMm;
    const long across = CLng(widthMm);
    const long down = CLng(h / w * widthMm);
    // Down, then across, in that order (a line drawn later covers one drawn before where they
    // meet); each run of one colour is drawn with one pen.
    std::vector<QLineF> run;
    QColor runColour;
    const auto add = [&](const QLineF& line, const QColor& colour) {
        if (!run.empty() && colour != runColour) {
            t.Lines(run, runColour);
            run.clear();
        }
        runColour = colour;
        run.push_back(line);
    };
    for (long i = 0; i <= across; i += 2) add(QLineF(i * s, 0, i * s, h), lineColour(i));
    for (long i = 0; i <= down; i += 2) add(QLineF(0, i * s, w, i * s), lineColour(i));
    if (!run.empty()) t.Lines(run, runColour);
    t.SetForeColor(Qt::black);
    // The numbers are measured and written as DrawTextWithFont writes them, in the number font
    // set once for all of them.
    DrawSettingsSaver keepFont(t);
    t.SetFont(numberFont());
    const auto measure = [&t](const QString& text) {
        return QSizeF(t.TextWidth(text), t.TextHeight(text));
    };
    for (const RulerNumber& n : RulerNumberPlaces(w, h, widthMm, measure)) {
        t.SetCurrentX(t.ScaleX(int(n.place.x()), ScaleUnit::Twips));
        t.SetCurrentY(t.ScaleY(int(n.place.y()), ScaleUnit::Twips));
        t.Print(n.text, false);
    }
}

}  // namespace

}  // namespace bw
