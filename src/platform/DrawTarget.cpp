#include "platform/DrawTarget.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/PrintDevices.h"

namespace bw {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerMm = kTwipsPerInch / 25.4;

QStringList SplitLines(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}

Qt::PenStyle QtPenStyle(LineStyle style) {
    switch (style) {
        case LineStyle::Dash:
            return Qt::DashLine;
        case LineStyle::Dot:
            return Qt::DotLine;
        case LineStyle::DashDot:
            return Qt::DashDotLine;
        case LineStyle::DashDotDot:
            return Qt::DashDotDotLine;
        case LineStyle::Transparent:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

// The raster operation of a pen mode; CopyPen draws normally.
QPainter::CompositionMode RasterMode(PenMode mode) {
    switch (mode) {
        case PenMode::Blackness:
            return QPainter::RasterOp_ClearDestination;
        case PenMode::NotMergePen:
            return QPainter::RasterOp_NotSourceAndNotDestination;
        case PenMode::MaskNotPen:
            return QPainter::RasterOp_NotSourceAndDestination;
        case PenMode::NotCopyPen:
            return QPainter::RasterOp_NotSource;
        case PenMode::MaskPenNot:
            return QPainter::RasterOp_SourceAndNotDestination;
        case PenMode::Invert:
            return QPainter::RasterOp_NotDestination;
        case PenMode::XorPen:
            return QPainter::RasterOp_SourceXorDestination;
        case PenMode::NotMaskPen:
            return QPainter::RasterOp_NotSourceOrNotDestination;
        case PenMode::MaskPen:
            return QPainter::RasterOp_SourceAndDestination;
        case PenMode::NotXorPen:
            return QPainter::RasterOp_NotSourceXorDestination;
        case PenMode::MergeNotPen:
            return QPainter::RasterOp_NotSourceOrDestination;
        case PenMode::MergePenNot:
            return QPainter::RasterOp_SourceOrNotDestination;
        case PenMode::MergePen:
            return QPainter::RasterOp_SourceOrDestination;
        case PenMode::Whiteness:
            return QPainter::RasterOp_SetDestination;
        default:
            return QPainter::CompositionMode_SourceOver;
    }
}

Qt::BrushStyle QtBrushStyle(FillPattern style) {
    switch (style) {
        case FillPattern::Solid:
            return Qt::SolidPattern;
        case FillPattern::HorizontalLine:
            return Qt::HorPattern;
        case FillPattern::VerticalLine:
            return Qt::VerPattern;
        case FillPattern::UpwardDiagonal:
            return Qt::BDiagPattern;
        case FillPattern::DownwardDiagonal:
            return Qt::FDiagPattern;
        case FillPattern::Cross:
            return Qt::CrossPattern;
        case FillPattern::DiagonalCross:
            return Qt::DiagCrossPattern;
        default:
            return Qt::NoBrush;
    }
}

bool HasLineBreak(const QString& text) {
    for (QChar c : text)
        if (c == u'\n' || c == u'\r') return true;
    return false;
}

// Fonts kept per target before the list starts again, and texts kept per font.
constexpr std::size_t kMaxFonts = 64;
constexpr qsizetype kMaxWidths = 8192;
// Texts longer than this are measured each time rather than kept.
constexpr qsizetype kMaxKeptText = 64;

}  // namespace

// A font as the target uses it: resolved for the device's resolution, with its metrics and
// the widths of the texts measured in it so far (device units).
struct DrawTarget::FontEntry {
    FontEntry(const QFont& f, QPaintDevice* device)
        : font(f),
          resolveMask(f.resolveMask()),
          dpiY(device->logicalDpiY()),
          deviceFont(f, device),
          metrics(f, device),
          ascent(metrics.ascent()),
          height(metrics.height()) {}

    QFont font;  // as set on the target
    uint resolveMask;
    int dpiY;
    QFont deviceFont;
    QFontMetricsF metrics;
    double ascent;
    double height;
    QHash<char16_t, double> charWidths;
    QHash<QString, double> widths;
};

DrawTarget::FontEntry& DrawTarget::CurrentFont() const {
    if (font_) return *font_;
    const int dpiY = device_->logicalDpiY();
    const uint mask = s_.font.resolveMask();
    for (const auto& e : fonts_) {
        if (e->dpiY == dpiY && e->resolveMask == mask && e->font == s_.font) {
            font_ = e.get();
            return *font_;
        }
    }
    if (fonts_.size() >= kMaxFonts) {
        // The painter may still hold a font of a dropped entry; it is set again on next use.
        fonts_.clear();
        const_cast<DrawTarget*>(this)->painterFont_ = nullptr;
    }
    fonts_.push_back(std::make_unique<FontEntry>(s_.font, device_));
    font_ = fonts_.back().get();
    return *font_;
}

double DrawTarget::LineWidth(FontEntry& f, const QString& line) const {
    if (line.size() == 1) {
        const char16_t c = line[0].unicode();
        auto it = f.charWidths.constFind(c);
        if (it != f.charWidths.constEnd()) return it.value();
        const double w = f.metrics.horizontalAdvance(line);
        f.charWidths.insert(c, w);
        return w;
    }
    if (line.isEmpty()) return f.metrics.horizontalAdvance(line);
    if (line.size() > kMaxKeptText) return f.metrics.horizontalAdvance(line);
    auto it = f.widths.constFind(line);
    if (it != f.widths.constEnd()) return it.value();
    const double w = f.metrics.horizontalAdvance(line);
    if (f.widths.size() >= kMaxWidths) f.widths.clear();
    f.widths.insert(line, w);
    return w;
}

DrawTarget::DrawTarget(QPaintDevice* device)
    : device_(device), paged_(dynamic_cast<QPagedPaintDevice*>(device)) {
    s_.font = QFont(QStringLiteral("宋体"));
    s_.font.setPointSizeF(9.0);
}

DrawTarget::~DrawTarget() {
    if (painter_ && painter_->isActive()) painter_->end();
}

double DrawTarget::DpiX() const {
    return device_->logicalDpiX();
}
double DrawTarget::DpiY() const {
    return device_->logicalDpiY();
}

// ---- Scale ------------------------------------------------------------------------

double DrawTarget::UnitsPerTwipX(ScaleUnit unit) const {
    switch (unit) {
        case ScaleUnit::Points:
            return 1.0 / 20.0;
        case ScaleUnit::Pixels:
            return DpiX() / kTwipsPerInch;
        case ScaleUnit::Characters:
            return 1.0 / 120.0;
        case ScaleUnit::Inches:
            return 1.0 / kTwipsPerInch;
        case ScaleUnit::Millimeters:
            return 25.4 / kTwipsPerInch;
        case ScaleUnit::Centimeters:
            return 2.54 / kTwipsPerInch;
        case ScaleUnit::Himetric:
            return 2540.0 / kTwipsPerInch;
        default:
            return 1.0;
    }
}

double DrawTarget::UnitsPerTwipY(ScaleUnit unit) const {
    switch (unit) {
        case ScaleUnit::Pixels:
            return DpiY() / kTwipsPerInch;
        case ScaleUnit::Characters:
            return 1.0 / 240.0;
        default:
            return UnitsPerTwipX(unit);
    }
}

double DrawTarget::ScaleX(double value, ScaleUnit from, ScaleUnit to) const {
    if (from == to) return value;
    return value / UnitsPerTwipX(from) * UnitsPerTwipX(to);
}

double DrawTarget::ScaleY(double value, ScaleUnit from, ScaleUnit to) const {
    if (from == to) return value;
    return value / UnitsPerTwipY(from) * UnitsPerTwipY(to);
}

double DrawTarget::ToDeviceX(double x) const {
    return ScaleX(x, s_.scaleMode, ScaleUnit::Pixels);
}
double DrawTarget::ToDeviceY(double y) const {
    return ScaleY(y, s_.scaleMode, ScaleUnit::Pixels);
}
double DrawTarget::FromDeviceX(double x) const {
    return ScaleX(x, ScaleUnit::Pixels, s_.scaleMode);
}
double DrawTarget::FromDeviceY(double y) const {
    return ScaleY(y, ScaleUnit::Pixels, s_.scaleMode);
}

double DrawTarget::ScaleWidth() const {
    return FromDeviceX(device_->width());
}
double DrawTarget::ScaleHeight() const {
    return FromDeviceY(device_->height());
}

double DrawTarget::Width() const {
    if (paged_) return paged_->pageLayout().fullRect(QPageLayout::Millimeter).width() * kTwipsPerMm;
    return ScaleX(device_->width(), ScaleUnit::Pixels, ScaleUnit::Twips);
}

double DrawTarget::Height() const {
    if (paged_)
        return paged_->pageLayout().fullRect(QPageLayout::Millimeter).height() * kTwipsPerMm;
    return ScaleY(device_->height(), ScaleUnit::Pixels, ScaleUnit::Twips);
}

// ---- Font ---------------------------------------------------------------------------

void DrawTarget::SetFontName(const QString& name) {
    if (name.isEmpty()) return;
    s_.font.setFamily(name);
    FontChanged();
}

void DrawTarget::SetFontSize(double points) {
    if (!(points > 0 && std::isfinite(points))) return;
    s_.font.setPointSizeF(points);
    FontChanged();
}

// ---- Painter ------------------------------------------------------------------------

QPainter& DrawTarget::Painter() {
    if (!painter_) painter_ = std::make_unique<QPainter>();
    if (!painter_->isActive()) {
        painter_->begin(device_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
        pagePending_ = false;
        painterFont_ = nullptr;
        pages_ = painter_->isActive() ? 1 : 0;
    }
    if (pagePending_ && painter_->isActive()) {
        pagePending_ = false;
        paged_->newPage();
        ++pages_;
    }
    return *painter_;
}

bool DrawTarget::Active() const {
    return painter_ && painter_->isActive();
}

void DrawTarget::Suspend() {
    if (paged_) return;
    if (painter_ && painter_->isActive()) painter_->end();
}

void DrawTarget::Changed() {
    ++drawings_;
    if (changed_) changed_();
}

// Sets pen and composition for a graphics operation; false when nothing is to be drawn.
bool DrawTarget::PreparePen(QPainter& p, const QColor& color) {
    PenMode mode = s_.drawMode;
    if (mode == PenMode::Nop) return false;
    QColor c = color;
    bool raster = p.paintEngine() && p.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    if (raster) {
        p.setCompositionMode(RasterMode(mode));
    } else {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (mode == PenMode::Blackness) c = Qt::black;
        if (mode == PenMode::Whiteness) c = Qt::white;
    }
    // Drawing a picture of many boxes asks for the same pen each time: a pen that is set
    // already is not made and set again.
    const Qt::PenStyle style = QtPenStyle(s_.drawStyle);
    const QPen& now = p.pen();
    if (now.color() != c || now.width() != s_.drawWidth || now.style() != style ||
        now.capStyle() != Qt::FlatCap || now.joinStyle() != Qt::MiterJoin ||
        now.brush().style() != Qt::SolidPattern || now.isCosmetic()) {
        QPen pen(c);
        pen.setWidth(s_.drawWidth);
        pen.setStyle(style);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
    }
    if (p.brush().style() != Qt::NoBrush) p.setBrush(Qt::NoBrush);
    return true;
}

void DrawTarget::PrepareFill(QPainter& p) {
    Qt::BrushStyle style = QtBrushStyle(s_.fillStyle);
    if (style == Qt::NoBrush) {
        p.setBrush(Qt::NoBrush);
    } else {
        p.setBrush(QBrush(s_.fillColor, style));
    }
}

// ---- Text ---------------------------------------------------------------------------

double DrawTarget::TextWidth(const QString& text) const {
    FontEntry& f = CurrentFont();
    if (!HasLineBreak(text)) return FromDeviceX(LineWidth(f, text));
    double widest = 0;
    for (const QString& line : SplitLines(text)) widest = std::max(widest, LineWidth(f, line));
    return FromDeviceX(widest);
}

double DrawTarget::TextHeight(const QString& text) const {
    const FontEntry& f = CurrentFont();
    const qsizetype lines = HasLineBreak(text) ? SplitLines(text).size() : 1;
    return FromDeviceY(f.height * lines);
}

void DrawTarget::Print(const QString& text, bool newLine) {
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    FontEntry& f = CurrentFont();
    if (painterFont_ != &f) {
        p.setFont(f.deviceFont);
        painterFont_ = &f;
    }
    if (!textPenMade_ || textPenColor_ != s_.foreColor) {
        // As QPainter::setPen(QColor) makes it.
        textPen_ = QPen(s_.foreColor.isValid() ? s_.foreColor : QColor(Qt::black));
        textPenColor_ = s_.foreColor;
        textPenMade_ = true;
    }
    p.setPen(textPen_);
    double x = ToDeviceX(curX_);
    double y = ToDeviceY(curY_);
    double lastWidth = 0;
    auto printLine = [&](const QString& line) {
        if (!line.isEmpty()) p.drawText(QPointF(x, y + f.ascent), line);
        lastWidth = LineWidth(f, line);
    };
    if (!HasLineBreak(text)) {
        printLine(text);
    } else {
        const QStringList lines = SplitLines(text);
        for (int i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                x = 0;
                y += f.height;
            }
            printLine(lines[i]);
        }
    }
    if (newLine) {
        curX_ = 0;
        curY_ = FromDeviceY(y + f.height);
    } else {
        curX_ = FromDeviceX(x + lastWidth);
        curY_ = FromDeviceY(y);
    }
    Changed();
}

void DrawTarget::PrintRotated(const QString& text, double degrees) {
    QPainter& p = Painter();
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const FontEntry& f = CurrentFont();
    p.setFont(f.deviceFont);
    p.setPen(s_.foreColor);
    p.translate(ToDeviceX(curX_), ToDeviceY(curY_));
    p.rotate(-degrees);
    p.drawText(QPointF(0, f.ascent), text);
    p.restore();  // gives the painter back the font it had before
    Changed();
}

// ---- Graphics -----------------------------------------------------------------------

void DrawTarget::Line(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    QPainter& p = Painter();
    if (PreparePen(p, color.value_or(s_.foreColor)))
        p.drawLine(QPointF(ToDeviceX(x1), ToDeviceY(y1)), QPointF(ToDeviceX(x2), ToDeviceY(y2)));
    curX_ = x2;
    curY_ = y2;
    Changed();
}

void DrawTarget::Lines(const std::vector<QLineF>& lines, std::optional<QColor> color) {
    if (lines.empty()) return;
    QPainter& p = Painter();
    const QColor c = color.value_or(s_.foreColor);
    if (PreparePen(p, c)) {
        std::vector<QLineF> device;
        device.reserve(lines.size());
        for (const QLineF& l : lines)
            device.emplace_back(ToDeviceX(l.x1()), ToDeviceY(l.y1()), ToDeviceX(l.x2()),
                                ToDeviceY(l.y2()));
        // Qt writes the pixels of a thin opaque line straight into an image (or a widget's
        // backing store) only under a clip rectangle; without one it hands them to the
        // blending one by one. The device's own rectangle as the clip leaves every pixel as
        // it was.
        const int type = device_->devType();
        const bool direct = (type == QInternal::Image || type == QInternal::Widget) &&
                            !p.hasClipping() && s_.drawMode == PenMode::CopyPen &&
                            s_.drawWidth == 1 && s_.drawStyle == LineStyle::Solid &&
                            c.alpha() == 255;
        if (direct) p.setClipRect(QRect(0, 0, device_->width(), device_->height()));
        p.drawLines(device.data(), static_cast<int>(device.size()));
        if (direct) p.setClipping(false);
    }
    curX_ = lines.back().x2();
    curY_ = lines.back().y2();
    Changed();
}

void DrawTarget::LineTo(double x2, double y2, std::optional<QColor> color) {
    Line(curX_, curY_, x2, y2, color);
}

void DrawTarget::Box(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    QPainter& p = Painter();
    if (PreparePen(p, color.value_or(s_.foreColor))) {
        PrepareFill(p);
        QRectF r(QPointF(ToDeviceX(x1), ToDeviceY(y1)), QPointF(ToDeviceX(x2), ToDeviceY(y2)));
        p.drawRect(r.normalized());
    }
    curX_ = x2;
    curY_ = y2;
    Changed();
}

void DrawTarget::FilledBox(double x1, double y1, double x2, double y2,
                           std::optional<QColor> color) {
    QPainter& p = Painter();
    if (PreparePen(p, color.value_or(s_.foreColor))) {
        const QColor c = p.pen().color();
        int left = static_cast<int>(std::lround(ToDeviceX(std::min(x1, x2))));
        int right = static_cast<int>(std::lround(ToDeviceX(std::max(x1, x2))));
        int top = static_cast<int>(std::lround(ToDeviceY(std::min(y1, y2))));
        int bottom = static_cast<int>(std::lround(ToDeviceY(std::max(y1, y2))));
        if (right > left && bottom > top)
            p.fillRect(QRect(left, top, right - left, bottom - top), c);
    }
    curX_ = x2;
    curY_ = y2;
    Changed();
}

void DrawTarget::Circle(double x, double y, double radius, std::optional<QColor> color,
                        double aspect) {
    QPainter& p = Painter();
    if (PreparePen(p, color.value_or(s_.foreColor))) {
        PrepareFill(p);
        double rx = radius;
        double ry = radius;
        if (aspect >= 1.0) {
            rx = radius / aspect;
        } else if (aspect > 0) {
            ry = radius * aspect;
        }
        // The radius is measured across; the vertical one is converted as a height.
        double rxDev = ToDeviceX(rx);
        double ryDev =
            ScaleY(ScaleX(ry, s_.scaleMode, ScaleUnit::Twips), ScaleUnit::Twips, ScaleUnit::Pixels);
        p.drawEllipse(QPointF(ToDeviceX(x), ToDeviceY(y)), rxDev, ryDev);
    }
    curX_ = x;
    curY_ = y;
    Changed();
}

void DrawTarget::PSet(double x, double y, std::optional<QColor> color) {
    QPainter& p = Painter();
    if (PreparePen(p, color.value_or(s_.foreColor))) {
        int w = s_.drawWidth;
        int left = static_cast<int>(std::floor(ToDeviceX(x))) - (w - 1) / 2;
        int top = static_cast<int>(std::floor(ToDeviceY(y))) - (w - 1) / 2;
        p.fillRect(QRect(left, top, w, w), p.pen().color());
    }
    curX_ = x;
    curY_ = y;
    Changed();
}

void DrawTarget::PaintPicture(const QImage& picture, double x, double y, double width,
                              double height, const QRectF& source) {
    if (picture.isNull()) return;
    QRectF src = source.isEmpty() ? QRectF(picture.rect()) : source;
    double wDev = 0;
    double hDev = 0;
    if (width < 0 || height < 0) {
        // The picture's own size: its pixels at its own resolution.
        double dpiX = picture.dotsPerMeterX() > 0 ? picture.dotsPerMeterX() * 0.0254 : 96.0;
        double dpiY = picture.dotsPerMeterY() > 0 ? picture.dotsPerMeterY() * 0.0254 : 96.0;
        wDev = src.width() / dpiX * DpiX();
        hDev = src.height() / dpiY * DpiY();
    }
    if (width >= 0) wDev = ToDeviceX(width);
    if (height >= 0) hDev = ToDeviceY(height);
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QRectF(ToDeviceX(x), ToDeviceY(y), wDev, hDev), picture, src);
    Changed();
}

// ---- Surface ------------------------------------------------------------------------

void DrawTarget::Cls() {
    curX_ = 0;
    curY_ = 0;
    if (paged_) return;
    QPainter& p = Painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRect(0, 0, device_->width(), device_->height()), backColor_);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Changed();
}

void DrawTarget::NewPage() {
    if (!paged_) return;
    if (Active()) pagePending_ = true;
    curX_ = 0;
    curY_ = 0;
}

void DrawTarget::EndDoc() {
    pagePending_ = false;
    if (painter_ && painter_->isActive()) painter_->end();
    curX_ = 0;
    curY_ = 0;
}

void DrawTarget::KillDoc() {
    pagePending_ = false;
    if (paged_ && painter_ && painter_->isActive()) Devices().abort(device_);
    if (painter_ && painter_->isActive()) painter_->end();
    curX_ = 0;
    curY_ = 0;
}

// ---- Image target -------------------------------------------------------------------

namespace {
std::unique_ptr<QImage> MakeImage(int w, int h, double dpi, const QColor& back) {
    auto image = std::make_unique<QImage>(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
    int dpm = static_cast<int>(std::lround(dpi / 0.0254));
    image->setDotsPerMeterX(dpm);
    image->setDotsPerMeterY(dpm);
    image->fill(back);
    return image;
}
}  // namespace

ImageTarget::ImageTarget(int widthPixels, int heightPixels, double dpi, const QColor& back)
    : ImageTarget(MakeImage(widthPixels, heightPixels, dpi, back)) {
    SetBackColor(back);
}

ImageTarget::ImageTarget(std::unique_ptr<QImage> image)
    : DrawTarget(image.get()), image_(std::move(image)) {}

ImageTarget::~ImageTarget() {
    Suspend();
}

const QImage& ImageTarget::Image() {
    Suspend();
    return *image_;
}

}  // namespace bw
