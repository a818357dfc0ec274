#include "FloorPage.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPrintEngine>
#include <QPrinter>
#include <QTextItem>
#include <climits>

#include "platform/Printer.h"

namespace bench {

namespace {

constexpr int kDpi = 1200;  // the PDF file printer's resolution

// A paint and print engine in one that keeps the first page's drawing.
class RecordingEngine : public QPaintEngine, public QPrintEngine {
public:
    explicit RecordingEngine(PageOps* ops)
        : QPaintEngine(AllFeatures),
          ops_(ops),
          layout_(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()) {}

    bool begin(QPaintDevice*) override {
        state_ = QPrinter::Active;
        return true;
    }
    bool end() override {
        state_ = QPrinter::Idle;
        return true;
    }
    void updateState(const QPaintEngineState& s) override {
        if (s.state() & DirtyPen) pen_ = s.pen();
        if (s.state() & DirtyBrush) brush_ = s.brush();
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count && page_ == 1; ++i) ops_->rects.push_back({rects[i], fill()});
    }
    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count && page_ == 1; ++i)
            ops_->rects.push_back({QRectF(rects[i]), fill()});
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count && page_ == 1; ++i)
            ops_->lines.push_back({lines[i], pen_.color(), pen_.widthF()});
    }
    void drawPath(const QPainterPath& path) override {
        if (page_ == 1) ops_->rects.push_back({path.boundingRect(), fill()});
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
        if (page_ == 1)
            ops_->rects.push_back(
                {QPolygonF(QList<QPointF>(points, points + count)).boundingRect(), fill()});
    }
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF&) override {
        if (page_ == 1) ops_->pictures.push_back({r, pm.toImage()});
    }
    void drawImage(const QRectF& r, const QImage& image, const QRectF&,
                   Qt::ImageConversionFlags) override {
        if (page_ == 1) ops_->pictures.push_back({r, image});
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        if (page_ == 1) ops_->texts.push_back({p, item.text(), item.font(), pen_.color()});
    }
    Type type() const override { return User; }

    void setProperty(PrintEnginePropertyKey key, const QVariant& value) override {
        if (key == PPK_QPageLayout) layout_ = value.value<QPageLayout>();
        if (key == PPK_QPageSize) layout_.setPageSize(value.value<QPageSize>());
        if (key == PPK_Orientation) layout_.setOrientation(QPageLayout::Orientation(value.toInt()));
    }
    QVariant property(PrintEnginePropertyKey key) const override {
        switch (key) {
            case PPK_QPageLayout:
                return QVariant::fromValue(layout_);
            case PPK_QPageSize:
                return QVariant::fromValue(layout_.pageSize());
            case PPK_Orientation:
                return int(layout_.orientation());
            case PPK_Resolution:
                return kDpi;
            case PPK_FullPage:
                return true;
            case PPK_NumberOfCopies:
            case PPK_CopyCount:
                return 1;
            case PPK_PageRect:
            case PPK_PaperRect:
                return layout_.fullRectPixels(kDpi);
            default:
                return QVariant();
        }
    }
    bool newPage() override {
        ++page_;
        return true;
    }
    bool abort() override { return true; }
    int metric(QPaintDevice::PaintDeviceMetric id) const override {
        const QRect full = layout_.fullRectPixels(kDpi);
        const QRectF mm = layout_.fullRect(QPageLayout::Millimeter);
        switch (id) {
            case QPaintDevice::PdmWidth:
                return full.width();
            case QPaintDevice::PdmHeight:
                return full.height();
            case QPaintDevice::PdmWidthMM:
                return qRound(mm.width());
            case QPaintDevice::PdmHeightMM:
                return qRound(mm.height());
            case QPaintDevice::PdmDpiX:
            case QPaintDevice::PdmDpiY:
            case QPaintDevice::PdmPhysicalDpiX:
            case QPaintDevice::PdmPhysicalDpiY:
                return kDpi;
            case QPaintDevice::PdmNumColors:
                return INT_MAX;
            case QPaintDevice::PdmDepth:
                return 32;
            case QPaintDevice::PdmDevicePixelRatio:
                return 1;
            case QPaintDevice::PdmDevicePixelRatioScaled:
                return int(QPaintDevice::devicePixelRatioFScale());
            default:
                return 0;
        }
    }
    QPrinter::PrinterState printerState() const override { return state_; }

private:
    QColor fill() const { return brush_.style() == Qt::NoBrush ? pen_.color() : brush_.color(); }

    PageOps* ops_;
    QPageLayout layout_;
    QPen pen_;
    QBrush brush_;
    int page_ = 1;
    QPrinter::PrinterState state_ = QPrinter::Idle;
};

class RecordingDevice : public QPrinter {
public:
    explicit RecordingDevice(PageOps* ops) : QPrinter(QPrinter::HighResolution), engine(ops) {
        setEngines(&engine, &engine);
    }
    ~RecordingDevice() override { setEngines(nullptr, nullptr); }
    RecordingEngine engine;
};

class Recorder : public bw::Printer {
public:
    explicit Recorder(PageOps* ops)
        : bw::Printer(std::make_unique<RecordingDevice>(ops), QStringLiteral("recorder")) {}
    bool Ready(QString*) const override { return true; }
};

}  // namespace

std::unique_ptr<bw::Printer> RecordingPrinter(PageOps* ops) {
    return std::make_unique<Recorder>(ops);
}

void Replay(QPainter& painter, const PageOps& ops) {
    for (const PageOps::Picture& p : ops.pictures) painter.drawImage(p.rect, p.image);
    QColor colour;
    for (const PageOps::Rect& r : ops.rects) painter.fillRect(r.rect, r.color);
    for (const PageOps::Line& l : ops.lines) {
        painter.setPen(QPen(l.color, l.width));
        painter.drawLine(l.line);
    }
    const QFont* font = nullptr;
    for (const PageOps::Text& t : ops.texts) {
        if (!font || !(*font == t.font)) {
            font = &t.font;
            painter.setFont(t.font);
        }
        if (t.color != colour) {
            colour = t.color;
            painter.setPen(colour);
        }
        painter.drawText(t.baseline, t.text);
    }
}

}  // namespace bench
