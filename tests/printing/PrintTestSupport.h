#pragma once
// What the printing tests share: a printer that records what is drawn on it, fixtures that
// build a small format in a fresh database (and the label page's controls), the printer
// dialog answered by a test, and readers of PDF files (poppler's pdftotext, pdfinfo, pdftoppm).

#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "TestSupport.h"
#include "platform/Printer.h"

namespace bw {
class TextBox;
class CheckBox;
class PictureBox;
class SelPrinter;
}  // namespace bw

namespace bw::test {

// Everything the recording printer was asked to draw, in twips of the page (1440 dots per
// inch), page by page from 1.
struct Drawn {
    struct Text {
        int page;
        QString text;
        double left, top, baseline;
        QFont font;
        QColor color;
    };
    struct Rect {
        int page;
        QRectF rect;
        QColor color;
    };
    struct Line {
        int page;
        QLineF line;
        QColor color;
        double width;
        Qt::PenStyle style;
    };
    struct Image {
        int page;
        QRectF rect;
        QSize size;
    };
    std::vector<Text> texts;
    std::vector<Rect> rects;
    std::vector<Line> lines;
    std::vector<Image> images;
    std::vector<QPageLayout> pages;  // the layout of each page as it began
    int documents = 0;               // documents ended

    // The texts of a page joined in drawing order.
    QString PageText(int page) const;
    // The first text drawn that equals `text`, or null.
    const Text* Find(const QString& text, int page = 1) const;
};

class RecordingPrinter : public Printer {
public:
    explicit RecordingPrinter(const QPageSize& paper = QPageSize(QPageSize::A4));
    bool Ready(QString* why = nullptr) const override;
    Drawn& Record();
    // How many more times the printer answers that it is ready (-1: always).
    mutable int readyFor = -1;
};

// Installs a recording printer as the current printer and returns it.
RecordingPrinter& InstallRecordingPrinter(const QPageSize& paper = QPageSize(QPageSize::A4));
// Installs the PDF file printer writing to `file` (removed first) and returns it.
Printer& InstallPdfPrinter(const QString& file);
// Once the printer dialog is up (after the caller's next call opens it), does `act` on it.
void InDialog(std::function<void(SelPrinter*)> act);
// Once the printer dialog is up: picks the PDF file printer writing to `file`, the copies
// typed, and presses OK.
void ChoosePdf(const QString& file, const QString& copies = QStringLiteral("1"));

// The font the fixtures print in: installed with the program's packages.
inline const QString kTestFont = QStringLiteral("WenQuanYi Micro Hei");

class PrintFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a format of that paper size (millimetres).
    void NewFormat(const QString& name, double widthMm, double heightMm);
    // A box record of the format; returns its record ID. `packed` is the line-spacing column
    // (alignment x 1000 + line spacing), `cash` the data type.
    struct BoxSpec {
        int kind = 0;
        QString caption;
        double x = 0, y = 0, w = 40, h = 8;
        double cash = 0;
        double fontSize = 10.5;
        double spacing = 0;
        double packed = 0;
        qint64 color = 0;
        bool bold = false;
        QString font = kTestFont;
    };
    qint64 AddBox(const BoxSpec& spec);
    // Shows the format on the main window: grid, boxes and labels, as the main window does.
    void Show();

    TextBox* Text(int n) const;
    CheckBox* Check(int n) const;
    PictureBox* Picture(int n) const;

    // Prints the open bill once (copies as set) to a PDF file of the artifact folder and
    // returns its path; "" when PrintBill failed.
    QString PrintToPdf(const QString& name);

    QString format_;
    TempDataFolder folder_;
};

// A format shown with the label page's controls built as the main window builds them.
class LabelFixture : public PrintFixture {
protected:
    void SetUp() override;
    // The label-page controls on MF(), tied to their handlers; the preview frame is
    // frameW x frameH twips.
    void BuildLabelPage(double frameW = 6000, double frameH = 4000);
    // The batch grid: row 0 holds the box index each column feeds, one record per entry of
    // `records` (a value per column), R_Num(0) the number of records.
    void FillBatch(const std::vector<int>& boxIndexes, const std::vector<QStringList>& records);
    // Columns, rows and the label area's size (millimetres).
    void SetSheet(int cols, int rows, double areaW, double areaH);
};

// ---- PDF readers ------------------------------------------------------------------------

struct PdfWord {
    int page;
    QString text;
    double xMin, yMin, xMax, yMax;  // millimetres from the page's top-left corner
};
struct PdfPage {
    double width, height;  // millimetres
    std::vector<PdfWord> words;
};

// The pages and words of a PDF file (pdftotext -bbox).
std::vector<PdfPage> ReadPdf(const QString& file);
// The first word equal to `text` on a page (1-based), or null.
const PdfWord* FindWord(const std::vector<PdfPage>& pages, const QString& text, int page = 1);
// The number of pages pdfinfo reports; -1 when it cannot read the file.
int PdfPageCount(const QString& file);
// A page rendered at `dpi` (pdftoppm), grey unless `colour`; null when it failed.
QImage RasterisePdf(const QString& file, int page, int dpi, bool colour = false);
// The bounding box in millimetres of the dark pixels of a picture at `dpi` inside `area`
// (millimetres; empty = the whole page). Empty when none.
QRectF DarkBox(const QImage& page, int dpi, const QRectF& area = QRectF());

}  // namespace bw::test
