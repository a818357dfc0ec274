#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>

#include "DecodeSupport.h"
#include "TestSupport.h"
#include "barcode/BarcodeStandard.h"
#include "platform/DrawTarget.h"

namespace bw {
namespace {

// Rasterises every page of a PDF at 300 dpi; the PNG files in page order.
QStringList Rasterise(const QString& pdf, const QString& prefix) {
    QProcess p;
    p.start("pdftoppm", {"-r", "300", "-png", pdf, prefix});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    QDir dir = QFileInfo(prefix).dir();
    QStringList files;
    for (const QString& f :
         dir.entryList({QFileInfo(prefix).fileName() + "*.png"}, QDir::Files, QDir::Name))
        files << dir.filePath(f);
    return files;
}

// Symbols drawn on a printer page (PDF output) through the drawing target, rasterised by
// poppler and read back.
TEST(PrintedSymbols, PdfPageRasterisedAndDecoded) {
    if (!test::HaveProgram("pdftoppm")) GTEST_SKIP() << "pdftoppm is not available";
    const QString dir = test::ArtifactDir();
    const QString pdf = QDir(dir).filePath("printed-barcodes.pdf");
    QFile::remove(pdf);
    for (const QString& old : QDir(dir).entryList({"printed-barcodes-*.png"}))
        QFile::remove(QDir(dir).filePath(old));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setFullPage(true);

    const QString chinese = QStringLiteral("电汇凭证 汇款人：张三 金额：人民币伍仟元整");
    const QString url = QStringLiteral("https://bellweft.example/bill/2024-000123");
    {
        DrawTarget target(&printer);
        EXPECT_TRUE(target.IsPrinter());
        EXPECT_NEAR(target.Width(), 11906, 2);  // A4 in twips
        EXPECT_NEAR(target.Height(), 16838, 2);
        BarcodeBox qrBox{20, 20, 40, 50, 0, QString(), -1};
        EXPECT_TRUE(DrawBarcode(target, kQRCode, chinese, qrBox));
        BarcodeBox code39Box{20, 100, 120, 20, 10, QStringLiteral("宋体"), -1};
        EXPECT_TRUE(DrawBarcode(target, kCode39, "BW-2024-07", code39Box));
        BarcodeBox eanBox{20, 150, 50, 25, 10, QString(), -1};
        EXPECT_TRUE(DrawBarcode(target, kEAN13, "6901234567892", eanBox));
        target.NewPage();
        BarcodeBox small{30, 30, 25, 25, 0, QString(), -1};
        EXPECT_TRUE(DrawBarcode(target, kQRCode, url, small));
        target.EndDoc();
    }
    const QStringList pages = Rasterise(pdf, QDir(dir).filePath("printed-barcodes"));
    ASSERT_EQ(pages.size(), 2);

    const QImage first(pages[0]);
    ASSERT_FALSE(first.isNull());
    // Each box with a margin of 15 mm around it, read on its own.
    const double px = 300 / 25.4;
    auto region = [&](double x, double y, double w, double h) {
        return first.copy(
            QRect(int((x - 15) * px), int((y - 15) * px), int((w + 30) * px), int((h + 30) * px)));
    };
    const test::Decoded qr = test::Decode(region(20, 20, 40, 50), test::Symbology::QRCode);
    EXPECT_EQ(qr.bytes, test::Utf8(chinese));
    const test::Decoded code39 = test::Decode(region(20, 100, 120, 20), test::Symbology::Code39);
    EXPECT_EQ(code39.text, "BW-2024-07");
    const test::Decoded ean = test::Decode(region(20, 150, 50, 25), test::Symbology::EAN13);
    EXPECT_EQ(ean.text, "6901234567892");

    const test::Decoded second = test::Decode(QImage(pages[1]), test::Symbology::QRCode);
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.bytes, test::Utf8(url));

    // The 40 x 50 mm box holds a 40 mm square symbol at its top-left corner.
    auto dark = [&](double xmm, double ymm) {
        return qGray(first.pixel(int(xmm * px), int(ymm * px))) < 128;
    };
    EXPECT_TRUE(dark(20.3, 20.3));
    EXPECT_TRUE(dark(59.7, 20.3));
    EXPECT_TRUE(dark(20.3, 59.7));
    EXPECT_FALSE(dark(20.3, 60.5));

    QByteArray raw;
    if (!test::ZbarRead(pages[1], &raw)) GTEST_SKIP() << "zbarimg is not available";
    EXPECT_EQ(raw.toStdString(), test::Utf8(url));
}

}  // namespace
}  // namespace bw
