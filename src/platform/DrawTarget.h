#pragma once
// The drawing surface every part of the program draws through: a printer page, an on-screen
// picture box or an image, used with the same operations. Coordinates are in the target's
// scale unit (twips unless changed) with the origin at the top-left corner of the drawable
// area; each target maps them to its own device units (printer dots, image pixels), so a
// bill or a barcode drawn in twips comes out at the device's full resolution.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

namespace bw {

// Units of coordinates and sizes (the numbers are those every stored routine uses).
enum class ScaleUnit : int {
    Twips = 1,       // 1/1440 inch
    Points = 2,      // 1/72 inch
    Pixels = 3,      // device units of this target
    Characters = 4,  // 120 twips across, 240 twips down
    Inches = 5,
    Millimeters = 6,
    Centimeters = 7,
    Himetric = 8,  // 1/100 mm
};

// How lines, boxes, circles and points combine with what is already drawn. Pen modes other
// than CopyPen, Nop, Blackness and Whiteness need a raster device (an image or a picture
// box); on a printer they draw as CopyPen.
enum class PenMode : int {
    Blackness = 1,
    NotMergePen = 2,
    MaskNotPen = 3,
    NotCopyPen = 4,
    MaskPenNot = 5,
    Invert = 6,
    XorPen = 7,
    NotMaskPen = 8,
    MaskPen = 9,
    NotXorPen = 10,
    Nop = 11,
    MergeNotPen = 12,
    CopyPen = 13,
    MergePenNot = 14,
    MergePen = 15,
    Whiteness = 16,
};

// The dash style of lines and outlines.
enum class LineStyle : int {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
    Transparent = 5,
    InsideSolid = 6,
};

// How the inside of outlined boxes and circles is filled.
enum class FillPattern : int {
    Solid = 0,
    Transparent = 1,
    HorizontalLine = 2,
    VerticalLine = 3,
    UpwardDiagonal = 4,
    DownwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7,
};

// Everything a drawing routine may change and must give back.
struct DrawSettings {
    ScaleUnit scaleMode = ScaleUnit::Twips;
    int drawWidth = 1;
    PenMode drawMode = PenMode::CopyPen;
    LineStyle drawStyle = LineStyle::Solid;
    FillPattern fillStyle = FillPattern::Transparent;
    QColor fillColor = Qt::black;
    QColor foreColor = Qt::black;
    QFont font;
};

class DrawTarget {
public:
    // A target over any paint device that stays alive as long as the target. A QPrinter or
    // QPdfWriter makes a printer target: pages are started with NewPage and the document is
    // finished with EndDoc.
    explicit DrawTarget(QPaintDevice* device);
    virtual ~DrawTarget();
    DrawTarget(const DrawTarget&) = delete;
    DrawTarget& operator=(const DrawTarget&) = delete;

    QPaintDevice* Device() const { return device_; }
    bool IsPrinter() const { return paged_ != nullptr; }

    // Device units per inch, across and down.
    double DpiX() const;
    double DpiY() const;

    // ---- Scale -------------------------------------------------------------------
    ScaleUnit ScaleMode() const { return s_.scaleMode; }
    void SetScaleMode(ScaleUnit unit) { s_.scaleMode = unit; }
    // Converts a width (ScaleX) or a height (ScaleY) between units of this target.
    double ScaleX(double value, ScaleUnit from, ScaleUnit to) const;
    double ScaleY(double value, ScaleUnit from, ScaleUnit to) const;
    // Converts into the current scale unit.
    double ScaleX(double value, ScaleUnit from) const { return ScaleX(value, from, s_.scaleMode); }
    double ScaleY(double value, ScaleUnit from) const { return ScaleY(value, from, s_.scaleMode); }
    // The drawable area (the printable area of a page, the whole image) in the scale unit.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // The whole surface in twips: the paper of a printer, the image of a picture.
    double Width() const;
    double Height() const;

    // ---- Pen, fill and colours ------------------------------------------------------
    int DrawWidth() const { return s_.drawWidth; }
    void SetDrawWidth(int deviceUnits) { s_.drawWidth = deviceUnits < 1 ? 1 : deviceUnits; }
    PenMode DrawMode() const { return s_.drawMode; }
    void SetDrawMode(PenMode mode) { s_.drawMode = mode; }
    LineStyle DrawStyle() const { return s_.drawStyle; }
    void SetDrawStyle(LineStyle style) { s_.drawStyle = style; }
    FillPattern FillStyle() const { return s_.fillStyle; }
    void SetFillStyle(FillPattern style) { s_.fillStyle = style; }
    QColor FillColor() const { return s_.fillColor; }
    void SetFillColor(const QColor& color) { s_.fillColor = color; }
    QColor ForeColor() const { return s_.foreColor; }
    void SetForeColor(const QColor& color) { s_.foreColor = color; }
    QColor BackColor() const { return backColor_; }
    void SetBackColor(const QColor& color) { backColor_ = color; }

    // ---- Font ---------------------------------------------------------------------
    const QFont& Font() const { return s_.font; }
    void SetFont(const QFont& font) {
        s_.font = font;
        FontChanged();
    }
    QString FontName() const { return s_.font.family(); }
    void SetFontName(const QString& name);
    double FontSize() const { return s_.font.pointSizeF(); }
    void SetFontSize(double points);  // sizes of 0 or less leave the size as it is
    bool FontBold() const { return s_.font.bold(); }
    void SetFontBold(bool on) {
        s_.font.setBold(on);
        FontChanged();
    }
    bool FontItalic() const { return s_.font.italic(); }
    void SetFontItalic(bool on) {
        s_.font.setItalic(on);
        FontChanged();
    }
    bool FontUnderline() const { return s_.font.underline(); }
    void SetFontUnderline(bool on) {
        s_.font.setUnderline(on);
        FontChanged();
    }
    bool FontStrikethru() const { return s_.font.strikeOut(); }
    void SetFontStrikethru(bool on) {
        s_.font.setStrikeOut(on);
        FontChanged();
    }

    // All the settings at once, for routines that must give them back.
    DrawSettings Settings() const { return s_; }
    void Restore(const DrawSettings& settings) {
        s_ = settings;
        FontChanged();
    }

    // ---- Current position -----------------------------------------------------------
    double CurrentX() const { return curX_; }
    double CurrentY() const { return curY_; }
    void SetCurrentX(double x) { curX_ = x; }
    void SetCurrentY(double y) { curY_ = y; }

    // ---- Text ---------------------------------------------------------------------
    // Width of the widest line and height of all lines of the text in the current font. A
    // text is measured once per font: the target keeps each font it drew or measured with
    // (with its metrics for the target's resolution) and the widths of texts measured in it.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    // Prints the text in ForeColor with its top-left corner at the current position.
    // Lines after a line break start at the left edge (x = 0). With newLine the position
    // then moves to the start of the next line, otherwise it stays just right of the text.
    void Print(const QString& text, bool newLine = true);
    // Prints one line turned by `degrees` (counter-clockwise) about its top-left corner at
    // the current position; the position does not move.
    void PrintRotated(const QString& text, double degrees);

    // ---- Graphics -----------------------------------------------------------------
    // A line from (x1, y1) to (x2, y2) in ForeColor or the given colour; the current position
    // moves to (x2, y2).
    void Line(double x1, double y1, double x2, double y2,
              std::optional<QColor> color = std::nullopt);
    // Several lines, each from (x1, y1) to (x2, y2), in ForeColor or the given colour: the
    // same pixels as Line for each in turn, with one pen. The current position moves to the
    // end of the last.
    void Lines(const std::vector<QLineF>& lines, std::optional<QColor> color = std::nullopt);
    // A line from the current position.
    void LineTo(double x2, double y2, std::optional<QColor> color = std::nullopt);
    // The outline of a box with the current pen, filled by FillStyle and FillColor.
    void Box(double x1, double y1, double x2, double y2,
             std::optional<QColor> color = std::nullopt);
    // A box filled with the colour (ForeColor by default). Its edges are the device
    // positions nearest to the corners, so boxes that share an edge leave no gap and no
    // overlap.
    void FilledBox(double x1, double y1, double x2, double y2,
                   std::optional<QColor> color = std::nullopt);
    // A circle (an ellipse for aspect != 1: height = aspect × width) around (x, y), outlined
    // with the pen and filled by FillStyle and FillColor.
    void Circle(double x, double y, double radius, std::optional<QColor> color = std::nullopt,
                double aspect = 1.0);
    // One device point.
    void PSet(double x, double y, std::optional<QColor> color = std::nullopt);
    // Paints the picture with its top-left corner at (x, y), stretched to width × height;
    // a width or height below 0 takes the picture's own size. `source` (in the picture's
    // pixels) picks a part of it; an empty rectangle takes the whole picture.
    void PaintPicture(const QImage& picture, double x, double y, double width = -1,
                      double height = -1, const QRectF& source = QRectF());

    // ---- Surface ------------------------------------------------------------------
    // Clears a picture or an image to BackColor and moves the position to (0, 0); does
    // nothing on a printer.
    void Cls();
    // Printer: ends the page. The next page starts with the next drawing, so a new page that
    // only the end of the document follows leaves no blank sheet; before anything of the
    // document was drawn it does nothing. Does nothing on other targets.
    void NewPage();
    // True while a document (a printer) or a painting (an image) is open on the device.
    bool Active() const;
    // The pages begun in the open document (or the last one), counting the first.
    int Pages() const { return pages_; }
    // Printer: finishes the document and hands it to the printer (the target can then start
    // another). Other targets: ends the painting so that the picture can be shown.
    void EndDoc();
    // Printer: abandons the document.
    void KillDoc();

    // The painter, active on the device (begun when needed, which also starts a page that
    // NewPage left pending), in device units. Inactive when the device refused to begin.
    QPainter& Painter();

    // Counts the drawing operations so far: equal counts mean nothing was drawn in between.
    quint64 Drawings() const { return drawings_; }

    // Called after every drawing operation (a picture box repaints itself on it).
    void SetChangedCallback(std::function<void()> callback) { changed_ = std::move(callback); }

    // Ends the painting on an image so that it may be read, shown or resized; the next
    // operation begins it again. Does nothing on a printer.
    void Suspend();

private:
    struct FontEntry;
    // The current font's entry, made on first use of a font at this resolution.
    FontEntry& CurrentFont() const;
    void FontChanged() { font_ = nullptr; }
    // The width of one line (no line breaks) in device units.
    double LineWidth(FontEntry& font, const QString& line) const;

    double UnitsPerTwipX(ScaleUnit unit) const;
    double UnitsPerTwipY(ScaleUnit unit) const;
    double ToDeviceX(double x) const;
    double ToDeviceY(double y) const;
    double FromDeviceX(double x) const;
    double FromDeviceY(double y) const;
    bool PreparePen(QPainter& p, const QColor& color);
    void PrepareFill(QPainter& p);
    void Changed();

    QPaintDevice* device_;
    QPagedPaintDevice* paged_ = nullptr;
    // The pen text is drawn with, made again only when the fore colour changes: handing the
    // painter the same pen lets it see at once that nothing changed.
    QPen textPen_;
    QColor textPenColor_;
    bool textPenMade_ = false;
    std::unique_ptr<QPainter> painter_;
    DrawSettings s_;
    QColor backColor_ = Qt::white;
    double curX_ = 0;
    double curY_ = 0;
    bool pagePending_ = false;
    int pages_ = 0;
    std::function<void()> changed_;
    quint64 drawings_ = 0;
    mutable std::vector<std::unique_ptr<FontEntry>> fonts_;
    mutable FontEntry* font_ = nullptr;       // the entry of s_.font, null when changed
    const FontEntry* painterFont_ = nullptr;  // the entry whose font the painter holds
};

// Restores every drawing setting of a target when it goes out of scope.
class DrawSettingsSaver {
public:
    explicit DrawSettingsSaver(DrawTarget& target) : target_(target), saved_(target.Settings()) {}
    ~DrawSettingsSaver() { target_.Restore(saved_); }
    DrawSettingsSaver(const DrawSettingsSaver&) = delete;
    DrawSettingsSaver& operator=(const DrawSettingsSaver&) = delete;

private:
    DrawTarget& target_;
    DrawSettings saved_;
};

// An image that is drawn on through a target; its resolution (dots per inch) decides how
// many pixels a twip is.
class ImageTarget : public DrawTarget {
public:
    ImageTarget(int widthPixels, int heightPixels, double dpi = 96.0,
                const QColor& back = Qt::white);
    ~ImageTarget() override;
    // The picture drawn so far.
    const QImage& Image();

private:
    explicit ImageTarget(std::unique_ptr<QImage> image);
    std::unique_ptr<QImage> image_;
};

}  // namespace bw
