#include <freexl.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QMap>
#include <QTemporaryDir>

#include "XlrdReference.h"
#include "platform/XlsWriter.h"

using namespace bw;

namespace {

// Texts that travel badly: Chinese, a TAB at the end, CR LF and a lone LF inside, quotes,
// commas, characters outside the BMP, an empty cell, and one text far longer than a record.
XlsSheetContent SampleSheet() {
    XlsSheetContent s;
    s.name = QStringLiteral("Bellweft打印批量数据");
    s.rows << QStringList{QStringLiteral("序号\t"), QStringLiteral("收款人\t"),
                          QStringLiteral("金额\t"), QStringLiteral("备注\t")};
    s.rows << QStringList{QStringLiteral("1\t"), QStringLiteral("上海\"东方\"公司\t"),
                          QStringLiteral("1,234.50\t"), QStringLiteral("第一行\r\n第二行\t")};
    s.rows << QStringList{QStringLiteral("2\t"), QString(), QStringLiteral("0012\t"),
                          QStringLiteral("a\nb") + QString::fromUcs4(U"\U0001F600")};
    QString longText;
    for (int i = 0; i < 1500; ++i) longText += QStringLiteral("长文本%1;").arg(i);
    s.rows << QStringList{QStringLiteral("3\t"), longText};
    s.columnWidths = {4, 0, 12, -1};
    s.headerRows = {0};
    return s;
}

QString Text(const XlsSheetContent& s, int r, int c) {
    return c < s.rows[r].size() ? s.rows[r][c].left(32767) : QString();
}

}  // namespace

TEST(XlsWriter, XlrdReadsBackTextsHeaderFillBordersAndWidths) {
    if (!test::HaveXlrd()) GTEST_SKIP() << "python3-xlrd is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.xls"));
    const XlsSheetContent s = SampleSheet();
    ASSERT_TRUE(WriteXlsFile(path, s));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".TMP")));

    QString why;
    auto dump = test::XlrdDump(path, true, &why);
    ASSERT_TRUE(dump) << why.toStdString();
    QJsonArray sheets = (*dump)[QStringLiteral("sheets")].toArray();
    ASSERT_EQ(sheets.size(), 1);
    QJsonObject sheet = sheets[0].toObject();
    EXPECT_EQ(sheet[QStringLiteral("name")].toString(), s.name);

    QJsonArray cells = sheet[QStringLiteral("cells")].toArray();
    ASSERT_EQ(cells.size(), 4 * 4);  // the used range: 4 rows by the longest row
    for (const QJsonValue& v : cells) {
        QJsonArray c = v.toArray();
        const int r = c[0].toInt(), col = c[1].toInt();
        SCOPED_TRACE(QStringLiteral("cell %1,%2").arg(r).arg(col).toStdString());
        EXPECT_EQ(c[2].toString(), Text(s, r, col));
        const bool header = r == 0;
        EXPECT_EQ(c[3].toBool(), header);
        if (header) {
            EXPECT_EQ(c[4].toArray(), (QJsonArray{255, 192, 128}));
        } else {
            EXPECT_TRUE(c[4].isNull());
        }
        EXPECT_TRUE(c[5].toBool());  // thin borders all round
    }
    QJsonObject widths = sheet[QStringLiteral("widths")].toObject();
    EXPECT_EQ(widths[QStringLiteral("0")].toArray(), (QJsonArray{4 * 256, false}));
    EXPECT_EQ(widths[QStringLiteral("1")].toArray(), (QJsonArray{0, true}));
    EXPECT_EQ(widths[QStringLiteral("2")].toArray(), (QJsonArray{12 * 256, false}));
    EXPECT_FALSE(widths.contains(QStringLiteral("3")));
}

TEST(XlsWriter, FreeXlReadsBackSheetNameAndTexts) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("freexl.xls"));
    XlsSheetContent s = SampleSheet();
    // FreeXL reads a string that goes on in a CONTINUE record wrongly (xlwt's files too).
    s.rows.removeLast();
    ASSERT_TRUE(WriteXlsFile(path, s));

    const void* handle = nullptr;
    ASSERT_EQ(freexl_open(QFile::encodeName(path).constData(), &handle), FREEXL_OK);
    unsigned int count = 0;
    EXPECT_EQ(freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count), FREEXL_OK);
    EXPECT_EQ(count, 1u);
    const char* name = nullptr;
    EXPECT_EQ(freexl_get_worksheet_name(handle, 0, &name), FREEXL_OK);
    EXPECT_EQ(QString::fromUtf8(name), s.name);
    EXPECT_EQ(freexl_select_active_worksheet(handle, 0), FREEXL_OK);
    unsigned int rows = 0;
    unsigned short cols = 0;
    EXPECT_EQ(freexl_worksheet_dimensions(handle, &rows, &cols), FREEXL_OK);
    EXPECT_EQ(rows, 3u);
    EXPECT_EQ(cols, 4u);
    for (unsigned r = 0; r < rows; ++r)
        for (unsigned short c = 0; c < cols; ++c) {
            FreeXL_CellValue v;
            ASSERT_EQ(freexl_get_cell_value(handle, r, c, &v), FREEXL_OK);
            QString got;
            if (v.type == FREEXL_CELL_SST_TEXT || v.type == FREEXL_CELL_TEXT)
                got = QString::fromUtf8(v.value.text_value);
            EXPECT_EQ(got, Text(s, static_cast<int>(r), c)) << r << "," << c;
        }
    freexl_close(handle);
}

TEST(XlsWriter, ReportsFailureAndLeavesTheTargetAlone) {
    QTemporaryDir dir;
    XlsSheetContent s = SampleSheet();

    // A folder that does not exist: nothing can be written.
    EXPECT_FALSE(WriteXlsFile(dir.filePath(QStringLiteral("no/such/folder/x.xls")), s));

    // A sheet wider than an .xls sheet can be: refused, the old file stays.
    const QString path = dir.filePath(QStringLiteral("keep.xls"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("old");
    f.close();
    XlsSheetContent wide;
    wide.rows << QStringList(257, QStringLiteral("x"));
    EXPECT_FALSE(WriteXlsFile(path, wide));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".TMP")));

    // The same target written for real is replaced.
    EXPECT_TRUE(WriteXlsFile(path, s));
    EXPECT_GT(QFileInfo(path).size(), 4096);
}

// The grid export hands its cells in place with a TAB to be stored after each text: the
// workbook must be the one of the same texts with the TAB written in, also where Excel's
// length cuts a text inside or before the TAB, and two cut texts that end up alike are one
// shared string. Handed on in pieces, the stream is the same; a failing writer stops it.
TEST(XlsWriter, CellsReadInPlaceWithASuffixAndStreamedInPieces) {
    const QString x32766(32766, u'x');
    QList<QStringList> raw = {{QStringLiteral("序号"), QStringLiteral("收款人")},
                              {QStringLiteral("上海\"东方\"公司"), QString()},
                              {x32766, x32766 + u'x'},
                              {x32766 + QStringLiteral("xy"), QStringLiteral("序号")}};
    for (int r = 0; r < 12000; ++r)
        raw << QStringList{QString::number(r % 7000), QStringLiteral("甲")};
    XlsSheetContent inPlace;
    inPlace.name = QStringLiteral("Bellweft打印批量数据");
    inPlace.textSuffix = QStringLiteral("\t");
    inPlace.cells = {static_cast<int>(raw.size()), 2,
                     [&raw](int r, int c) { return QStringView(raw[r][c]); }};
    inPlace.headerRows = {0};
    inPlace.columnWidths = {4, 12};
    XlsSheetContent written = inPlace;
    written.cells = {};
    written.textSuffix.clear();
    for (const QStringList& row : raw) {
        QStringList texts;
        for (const QString& t : row) texts << (t.isEmpty() ? t : t + u'\t');
        written.rows << texts;
    }
    const QByteArray whole = BuildXlsWorkbook(written);
    ASSERT_FALSE(whole.isEmpty());
    EXPECT_TRUE(BuildXlsWorkbook(inPlace) == whole);

    QByteArray joined;
    int pieces = 0;
    EXPECT_TRUE(BuildXlsWorkbook(inPlace, [&](QByteArrayView piece) {
        joined.append(piece);
        ++pieces;
        return true;
    }));
    EXPECT_GT(pieces, 2);
    EXPECT_TRUE(joined == whole);
    pieces = 0;
    EXPECT_FALSE(BuildXlsWorkbook(inPlace, [&](QByteArrayView) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2);

    // In the file the stream follows the 512-byte header; read back, the texts are whole.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in_place.xls"));
    ASSERT_TRUE(WriteXlsFile(path, inPlace));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().mid(512, whole.size()) == whole);
    if (!test::HaveXlrd()) return;
    QString why;
    auto dump = test::XlrdDump(path, false, &why);
    ASSERT_TRUE(dump) << why.toStdString();
    QMap<QPair<int, int>, QString> texts;
    for (const QJsonValue& v : (*dump)[QStringLiteral("sheets")]
                                   .toArray()[0]
                                   .toObject()[QStringLiteral("cells")]
                                   .toArray())
        texts[{v.toArray()[0].toInt(), v.toArray()[1].toInt()}] = v.toArray()[2].toString();
    EXPECT_EQ(texts.value({2, 0}), x32766 + u'\t');
    EXPECT_EQ(texts.value({2, 1}), x32766 + u'x');
    EXPECT_EQ(texts.value({3, 0}), x32766 + u'x');
    EXPECT_EQ(texts.value({1, 0}), QStringLiteral("上海\"东方\"公司\t"));
    EXPECT_EQ(texts.value({12003, 1}), QStringLiteral("甲\t"));
}
