#include "PrintTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPrintEngine>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextItem>
#include <QTimer>
#include <climits>

#include "ShowFormat.h"
#include "barcode/BarcodeStandard.h"
#include "common/Database.h"
#include "common/Globals.h"
#include "common/Schema.h"
#include "common/TwipGeometry.h"
#include "platform/Grid.h"
#include "platform/PictureWidget.h"
#include "platform/Settings.h"
#include "printing/LabelSettings.h"
#include "printing/PaperForms.h"
#include "printing/PrintRequests.h"
#include "printing/SelPrinter.h"
#include "printing/TextLayout.h"
#include "store/BoxModel.h"
#include "store/Canvas.h"
#include "store/CheckBox.h"
#include "store/FormatRows.h"
#include "store/FormatTable.h"
#include "store/MainForm.h"
#include "store/PictureBox.h"
#include "store/RowToBox.h"
#include "store/TextBox.h"

namespace bw::test {

namespace {

constexpr int kDpi = 1440;  // one device dot per twip

// A print engine and paint engine in one, as Qt's own printers are: it keeps the page
// layout the program asks for and writes down what is drawn. (Qt turns integer rectangles
// and lines into these, and images into pixmaps.)
class RecordingEngine : public QPaintEngine, public QPrintEngine {
public:
    explicit RecordingEngine(const QPageSize& paper)
        : QPaintEngine(AllFeatures), layout_(paper, QPageLayout::Portrait, QMarginsF()) {}

    Drawn drawn;
    QPaintDevice* device = nullptr;

    bool begin(QPaintDevice* dev) override {
        device = dev;
        state_ = QPrinter::Active;
        page_ = 1;
        drawn.pages.push_back(layout_);
        return true;
    }
    bool end() override {
        state_ = QPrinter::Idle;
        ++drawn.documents;
        return true;
    }
    void updateState(const QPaintEngineState& s) override {
        if (s.state() & DirtyPen) pen_ = s.pen();
        if (s.state() & DirtyBrush) brush_ = s.brush();
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) drawn.rects.push_back({page_, rects[i], fillColour()});
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            drawn.lines.push_back({page_, lines[i], pen_.color(), pen_.widthF(), pen_.style()});
    }
    void drawPath(const QPainterPath& path) override {
        drawn.rects.push_back({page_, path.boundingRect(), fillColour()});
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
        const QPolygonF polygon(QList<QPointF>(points, points + count));
        drawn.rects.push_back({page_, polygon.boundingRect(), fillColour()});
    }
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF&) override {
        drawn.images.push_back({page_, r, pm.size()});
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        const double ascent = QFontMetricsF(item.font(), device).ascent();
        drawn.texts.push_back(
            {page_, item.text(), p.x(), p.y() - ascent, p.y(), item.font(), pen_.color()});
    }
    Type type() const override { return User; }

    void setProperty(PrintEnginePropertyKey key, const QVariant& value) override {
        if (key == PPK_QPageLayout) {
            layout_ = value.value<QPageLayout>();
        } else if (key == PPK_QPageSize) {
            layout_.setPageSize(value.value<QPageSize>());
        } else if (key == PPK_Orientation) {
            layout_.setOrientation(QPageLayout::Orientation(value.toInt()));
        } else if (key == PPK_QPageMargins) {
            const auto pair = value.value<std::pair<QMarginsF, QPageLayout::Unit>>();
            layout_.setUnits(pair.second);
            layout_.setMargins(pair.first);
        } else {
            others_[key] = value;
        }
    }
    QVariant property(PrintEnginePropertyKey key) const override {
        if (key == PPK_QPageLayout) return QVariant::fromValue(layout_);
        if (key == PPK_QPageSize) return QVariant::fromValue(layout_.pageSize());
        if (key == PPK_Orientation) return int(layout_.orientation());
        if (key == PPK_QPageMargins)
            return QVariant::fromValue(
                std::pair<QMarginsF, QPageLayout::Unit>(layout_.margins(), layout_.units()));
        if (key == PPK_Resolution) return kDpi;
        if (key == PPK_FullPage) return true;
        if (key == PPK_NumberOfCopies || key == PPK_CopyCount) return 1;
        if (key == PPK_PageRect || key == PPK_PaperRect) return layout_.fullRectPixels(kDpi);
        return others_.value(key);
    }
    bool newPage() override {
        ++page_;
        drawn.pages.push_back(layout_);
        return true;
    }
    bool abort() override {
        state_ = QPrinter::Aborted;
        return true;
    }
    int metric(QPaintDevice::PaintDeviceMetric id) const override {
        const QRect px = layout_.fullRectPixels(kDpi);
        const QRectF mm = layout_.fullRect(QPageLayout::Millimeter);
        using D = QPaintDevice;
        const QHash<int, int> values{
            {D::PdmWidth, px.width()},
            {D::PdmHeight, px.height()},
            {D::PdmWidthMM, qRound(mm.width())},
            {D::PdmHeightMM, qRound(mm.height())},
            {D::PdmDpiX, kDpi},
            {D::PdmDpiY, kDpi},
            {D::PdmPhysicalDpiX, kDpi},
            {D::PdmPhysicalDpiY, kDpi},
            {D::PdmNumColors, INT_MAX},
            {D::PdmDepth, 32},
            {D::PdmDevicePixelRatio, 1},
            {D::PdmDevicePixelRatioScaled, int(D::devicePixelRatioFScale())}};
        return values.value(id, 0);
    }
    QPrinter::PrinterState printerState() const override { return state_; }

private:
    QColor fillColour() const {
        return brush_.style() == Qt::NoBrush ? pen_.color() : brush_.color();
    }

    QPageLayout layout_;
    QPen pen_;
    QBrush brush_;
    int page_ = 0;
    QPrinter::PrinterState state_ = QPrinter::Idle;
    QHash<int, QVariant> others_;
};

class RecordingDevice : public QPrinter {
public:
    explicit RecordingDevice(const QPageSize& paper)
        : QPrinter(QPrinter::HighResolution), engine(paper) {
        setEngines(&engine, &engine);
    }
    ~RecordingDevice() override { setEngines(nullptr, nullptr); }  // the engines are ours
    RecordingEngine engine;
};

}  // namespace

QString Drawn::PageText(int page) const {
    QString s;
    for (const Text& t : texts)
        if (t.page == page) s += t.text;
    return s;
}

const Drawn::Text* Drawn::Find(const QString& text, int page) const {
    for (const Text& t : texts)
        if (t.page == page && t.text == text) return &t;
    return nullptr;
}

RecordingPrinter::RecordingPrinter(const QPageSize& paper)
    : Printer(std::make_unique<RecordingDevice>(paper), QStringLiteral("录制打印机")) {}

bool RecordingPrinter::Ready(QString* why) const {
    if (readyFor < 0) return true;
    if (readyFor == 0) {
        if (why) *why = QStringLiteral("gone");
        return false;
    }
    --readyFor;
    return true;
}

Drawn& RecordingPrinter::Record() {
    return static_cast<RecordingDevice&>(Device()).engine.drawn;
}

RecordingPrinter& InstallRecordingPrinter(const QPageSize& paper) {
    auto printer = std::make_unique<RecordingPrinter>(paper);
    RecordingPrinter& ref = *printer;
    InstallPrinter(std::move(printer));
    return ref;
}

Printer& InstallPdfPrinter(const QString& file) {
    QFile::remove(file);
    auto printer = Printer::Open(kPdfPrinterName);
    printer->SetOutputFile(file);
    Printer& ref = *printer;
    InstallPrinter(std::move(printer));
    return ref;
}

void InDialog(std::function<void(SelPrinter*)> act) {
    QTimer::singleShot(0, [act] {
        if (SelPrinter* d = SelPrinter::Current()) act(d);
    });
}

void ChoosePdf(const QString& file, const QString& copies) {
    InDialog([file, copies](SelPrinter* d) {
        d->COMB->setCurrentText(kPdfPrinterName);
        d->PdfFile->setText(file);
        d->TT->setText(copies);
        d->COM_Click(0);
    });
}

// ---- The fixtures -----------------------------------------------------------------------

void PrintFixture::SetUp() {
    ASSERT_TRUE(test::StartFresh());
    ClearFontSizeCache();
    ClearAddedPaperForms();
    PrintCopies = 1;
    ChosenItem.clear();
    CurrencySign = QStringLiteral("￥");
    NumCutMethod = 0;
    BarcodeStandard() = kQRCode;
}

void PrintFixture::TearDown() {
    InstallPrinter(nullptr);
    test::EndFresh();
    PrintCopies = 1;
    ChosenItem.clear();
}

void PrintFixture::NewFormat(const QString& name, double widthMm, double heightMm) {
    format_ = name;
    ExecuteSql(QStringLiteral("INSERT INTO Fmt(Fmt, LBL, W, H, X, Y, Color, Mem) VALUES(?, ?, ?, "
                              "?, 10, 10, 15360, '')"),
               {name, kWholeFormatLabel, widthMm, heightMm});
}

qint64 PrintFixture::AddBox(const BoxSpec& b) {
    ExecuteSql(QStringLiteral("INSERT INTO Fmt(Fmt, LBL, Dir, X, Y, W, H, S, L, Color, fName, "
                              "fSize, fBold, Clas, Cash) VALUES(?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, "
                              "?, ?, ?, ?)"),
               {format_, b.caption, b.x, b.y, b.w, b.h, b.spacing, b.packed, b.color, b.font,
                b.fontSize, int(b.bold), b.kind, b.cash});
    return ValueWhere(QStringLiteral("Fmt"), QStringLiteral("1=1 ORDER BY ID DESC"),
                      QStringLiteral("ID"))
        .toLongLong();
}

void PrintFixture::Show() {
    ShowFormat(format_);
}

TextBox* PrintFixture::Text(int n) const {
    return static_cast<TextBox*>(GetBoxByIndex(n));
}
CheckBox* PrintFixture::Check(int n) const {
    return static_cast<CheckBox*>(GetBoxByIndex(1000 + n));
}
PictureBox* PrintFixture::Picture(int n) const {
    return static_cast<PictureBox*>(GetBoxByIndex(2000 + n));
}

QString PrintFixture::PrintToPdf(const QString& name) {
    const QString file = QDir(ArtifactDir()).filePath(name + QStringLiteral(".pdf"));
    Printer& printer = InstallPdfPrinter(file);
    if (!PrintBill(false, false) || !printer.FinishDoc()) return QString();
    return file;
}

void LabelFixture::SetUp() {
    PrintFixture::SetUp();
    SetSettingsFolder(folder_.file(QStringLiteral("settings")));
}

void LabelFixture::BuildLabelPage(double frameW, double frameH) {
    MainForm& mf = MF();
    const char* defaults[5] = {"2", "4", "1.5", "205", "290"};
    for (int i = 0; i < 5; ++i) mf.TNum[i] = new QLineEdit(QString::fromUtf8(defaults[i]), &mf);
    mf.TagDir = new QCheckBox(&mf);
    mf.CK[1] = new QCheckBox(&mf);
    mf.CK[6] = new QCheckBox(&mf);
    mf.PPS = new QLabel(QStringLiteral("1/1"), &mf);
    mf.CB[14] = new QPushButton(&mf);
    mf.CB[15] = new QPushButton(&mf);
    mf.HS1 = new QScrollBar(Qt::Horizontal, &mf);
    mf.VS1 = new QScrollBar(Qt::Vertical, &mf);
    for (QScrollBar* s : {mf.HS1, mf.VS1}) {
        s->setRange(0, 0);
        s->setEnabled(false);
    }
    mf.LFrm = new QFrame(&mf);
    SetTwGeometry(mf.LFrm, 0, 0, frameW, frameH);
    mf.PTag = new PictureWidget(mf.LFrm);
    SetTwGeometry(mf.PTag, 0, 0, frameW, frameH);
    ConnectLabelPage();
}

void LabelFixture::FillBatch(const std::vector<int>& boxIndexes,
                             const std::vector<QStringList>& records) {
    Grid& g = *MF().MSF[1];
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    g.SetCols(int(boxIndexes.size()) + 1);
    g.SetRows(2 + int(records.size()));
    g.SetFixedRows(2);
    g.SetFixedCols(1);
    for (int c = 0; c < int(boxIndexes.size()); ++c) {
        g.SetTextMatrix(0, c + 1, QString::number(boxIndexes[c]));
        g.SetColWidth(c + 1, 1200);
    }
    for (int r = 0; r < int(records.size()); ++r) {
        g.SetTextMatrix(2 + r, 0, QString::number(r + 1));
        for (int c = 0; c < records[r].size(); ++c) g.SetTextMatrix(2 + r, c + 1, records[r][c]);
    }
    MF().R_Num[0]->setText(QString::number(records.size()));
}

void LabelFixture::SetSheet(int cols, int rows, double areaW, double areaH) {
    MainForm& mf = MF();
    mf.TNum[3]->setText(QString::number(areaW));
    mf.TNum[4]->setText(QString::number(areaH));
    mf.TNum[0]->setText(QString::number(cols));
    mf.TNum[1]->setText(QString::number(rows));
}

// ---- PDF readers ------------------------------------------------------------------------

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

QString Run(const QString& program, const QStringList& args, bool* ok = nullptr) {
    QProcess p;
    p.start(program, args);
    const bool done =
        p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok) *ok = done;
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString Unescape(QString s) {
    for (const auto& [entity, c] :
         {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}})
        s.replace(QLatin1String(entity), QLatin1String(c));
    return s;
}

}  // namespace

std::vector<PdfPage> ReadPdf(const QString& file) {
    std::vector<PdfPage> pages;
    const QString html =
        Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    static const QRegularExpression pageRe(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    static const QRegularExpression wordRe(
        QStringLiteral("<word xMin=\"([\\d.-]+)\" yMin=\"([\\d.-]+)\" xMax=\"([\\d.-]+)\" "
                       "yMax=\"([\\d.-]+)\">([^<]*)</word>"));
    for (const QString& line : html.split(QLatin1Char('\n'))) {
        const auto pm = pageRe.match(line);
        const auto mm = [&](const QRegularExpressionMatch& m, int i) {
            return m.captured(i).toDouble() * kMmPerPoint;
        };
        if (pm.hasMatch()) {
            pages.push_back({mm(pm, 1), mm(pm, 2), {}});
            continue;
        }
        const auto wm = wordRe.match(line);
        if (wm.hasMatch() && !pages.empty())
            pages.back().words.push_back({int(pages.size()), Unescape(wm.captured(5)), mm(wm, 1),
                                          mm(wm, 2), mm(wm, 3), mm(wm, 4)});
    }
    return pages;
}

const PdfWord* FindWord(const std::vector<PdfPage>& pages, const QString& text, int page) {
    if (page < 1 || page > int(pages.size())) return nullptr;
    for (const PdfWord& w : pages[page - 1].words)
        if (w.text == text) return &w;
    return nullptr;
}

int PdfPageCount(const QString& file) {
    bool ok = false;
    const QString info = Run(QStringLiteral("pdfinfo"), {file}, &ok);
    static const QRegularExpression re(QStringLiteral("^Pages:\\s+(\\d+)"),
                                       QRegularExpression::MultilineOption);
    const auto m = re.match(info);
    return ok && m.hasMatch() ? m.captured(1).toInt() : -1;
}

QImage RasterisePdf(const QString& file, int page, int dpi, bool colour) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    QStringList args{QStringLiteral("-png"),
                     QStringLiteral("-r"),
                     QString::number(dpi),
                     QStringLiteral("-f"),
                     QString::number(page),
                     QStringLiteral("-l"),
                     QString::number(page),
                     QStringLiteral("-singlefile"),
                     file,
                     stem};
    if (!colour) args.prepend(QStringLiteral("-gray"));
    bool ok = false;
    Run(QStringLiteral("pdftoppm"), args, &ok);
    return ok ? QImage(stem + QStringLiteral(".png")) : QImage();
}

QRectF DarkBox(const QImage& image, int dpi, const QRectF& area) {
    if (image.isNull()) return QRectF();
    const double pxPerMm = dpi / 25.4;
    QRect scan = image.rect();
    if (!area.isEmpty())
        scan = QRect(QPoint(int(area.left() * pxPerMm), int(area.top() * pxPerMm)),
                     QPoint(int(area.right() * pxPerMm), int(area.bottom() * pxPerMm)))
                   .intersected(image.rect());
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = scan.top(); y <= scan.bottom(); ++y) {
        for (int x = scan.left(); x <= scan.right(); ++x) {
            if (qGray(image.pixel(x, y)) >= 128) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return QRectF();
    return QRectF(QPointF(left / pxPerMm, top / pxPerMm),
                  QPointF((right + 1) / pxPerMm, (bottom + 1) / pxPerMm));
}

}  // namespace bw::test
