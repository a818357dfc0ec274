#pragma once
// The anchor of the printing benchmarks: a page drawn by plain QPainter calls on a PDF
// QPrinter with as many text runs, rectangles, lines and pictures as the program draws for
// one bill. RecordPage captures what the program draws (on a printer whose engine only writes
// it down); Replay draws that list again with nothing in between.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace bw {
class Printer;
}

namespace bench {

// What one page holds, in the device units of the PDF file printer (1200 dots per inch).
struct PageOps {
    struct Text {
        QPointF baseline;
        QString text;
        QFont font;
        QColor color;
    };
    struct Rect {
        QRectF rect;
        QColor color;
    };
    struct Line {
        QLineF line;
        QColor color;
        double width;
    };
    struct Picture {
        QRectF rect;
        QImage image;
    };
    std::vector<Text> texts;
    std::vector<Rect> rects;
    std::vector<Line> lines;
    std::vector<Picture> pictures;
};

// A printer that records the first page drawn on it instead of printing.
std::unique_ptr<bw::Printer> RecordingPrinter(PageOps* ops);

// Draws the page with a bare painter: fonts and pens set only when they change.
void Replay(QPainter& painter, const PageOps& ops);

}  // namespace bench
