#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <map>

#include "XlrdReference.h"
#include "platform/CompoundFile.h"
#include "platform/XlsReader.h"
#include "platform/XlsWriter.h"

using namespace bw;

namespace {

QString Fixture(const char* name) {
    return QStringLiteral(BW_TEST_SOURCE_DIR "/fixtures/xls/") + QString::fromUtf8(name);
}

QString Text(const XlsWorkbook& book, int sheet, int row, int col) {
    QString t;
    EXPECT_EQ(book.cellText(sheet, row, col, &t), 0);
    return t;
}

}  // namespace

// Every fixture, cell by cell, against xlrd: the same sheets in the same order, and the
// same text in every cell of the used range and one row and column beyond it.
TEST(XlsReader, FixturesReadLikeXlrd) {
    if (!test::HaveXlrd()) GTEST_SKIP() << "python3-xlrd is not installed";
    const QStringList files =
        QDir(Fixture("")).entryList({QStringLiteral("*.xls")}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 6);
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        const QString path = Fixture("") + file;
        QString why;
        auto dump = test::XlrdDump(path, false, &why);
        ASSERT_TRUE(dump) << why.toStdString();
        XlsWorkbook book;
        ASSERT_EQ(book.open(path), 0);
        EXPECT_EQ(book.date1904(), (*dump)[QStringLiteral("datemode")].toInt() == 1);
        const QJsonArray sheets = (*dump)[QStringLiteral("sheets")].toArray();
        ASSERT_EQ(book.sheetNames().size(), sheets.size());
        for (int s = 0; s < sheets.size(); ++s) {
            const QJsonObject sheet = sheets[s].toObject();
            const QString name = sheet[QStringLiteral("name")].toString();
            EXPECT_EQ(book.sheetNames()[s], name);
            const int index = book.worksheetIndex(name);
            ASSERT_EQ(index, s);
            std::map<std::pair<int, int>, QString> want;
            int rows = 0, cols = 0;
            for (const QJsonValue& v : sheet[QStringLiteral("cells")].toArray()) {
                const QJsonArray c = v.toArray();
                want[{c[0].toInt() + 1, c[1].toInt() + 1}] = c[2].toString();
                rows = std::max(rows, c[0].toInt() + 1);
                cols = std::max(cols, c[1].toInt() + 1);
            }
            EXPECT_FALSE(want.empty());
            int mismatches = 0;
            for (int r = 1; r <= std::min(rows + 1, 65536) && mismatches < 5; ++r) {
                // The far corner of a sheet: only the last row is looked at whole.
                if (rows > 100 && r > 20 && r < rows) continue;
                for (int c = 1; c <= std::min(cols + 1, 256); ++c) {
                    auto it = want.find({r, c});
                    const QString expected = it == want.end() ? QString() : it->second;
                    const QString got = Text(book, index, r, c);
                    if (got != expected && ++mismatches <= 5)
                        ADD_FAILURE()
                            << name.toStdString() << " R" << r << "C" << c << ": got \""
                            << got.toStdString() << "\", xlrd \"" << expected.toStdString() << "\"";
                }
            }
        }
    }
}

// What xlrd cannot tell: value kinds, empty texts, and cells the reference leaves out.
TEST(XlsReader, ValueKindsAndCellsOutsideTheRules) {
    XlsWorkbook book;
    ASSERT_EQ(book.open(Fixture("built_biff8_strings.xls")), 0);
    EXPECT_EQ(book.biffVersion(), 8);
    struct Case {
        int row, col;
        XlsValue::Kind kind;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, XlsValue::Text, ""},            // an empty shared string
        {7, 4, XlsValue::Text, ""},            // a formula with an empty text result
        {7, 3, XlsValue::Error, ""},           // a formula giving #DIV/0!
        {8, 2, XlsValue::Error, ""},           // an error cell
        {7, 2, XlsValue::Bool, "True"},        // a formula giving TRUE
        {6, 4, XlsValue::Date, "2023-03-15"},  // an RK number in a date format of the file
        {6, 5, XlsValue::Date, "2020-06-18"},  // built-in Chinese date format 31
        {6, 6, XlsValue::Number, "-7"},       {9, 1, XlsValue::Empty, ""},
    };
    for (const Case& c : cases) {
        XlsValue v;
        ASSERT_EQ(book.cell(0, c.row, c.col, &v), 0);
        EXPECT_EQ(v.kind, c.kind) << c.row << "," << c.col;
        EXPECT_EQ(XlsValueText(v, false), QString::fromUtf8(c.text)) << c.row << "," << c.col;
    }

    XlsWorkbook gbk;
    ASSERT_EQ(gbk.open(Fixture("built_biff7_gbk.xls")), 0);
    EXPECT_EQ(gbk.biffVersion(), 5);
    EXPECT_EQ(gbk.sheetNames(), QStringList{QStringLiteral("工作表一")});
    EXPECT_EQ(Text(gbk, 0, 1, 2), QStringLiteral("上海浦东发展银行"));

    XlsWorkbook mixed;
    ASSERT_EQ(mixed.open(Fixture("xlwt_mixed.xls")), 0);
    EXPECT_EQ(Text(mixed, 0, 5, 1), QStringLiteral("合并区域"));  // top-left of the area
    EXPECT_EQ(Text(mixed, 0, 5, 2), QString());
    EXPECT_EQ(Text(mixed, 0, 6, 3), QString());
    EXPECT_EQ(Text(mixed, 0, 8, 6), QStringLiteral("行\n内换行"));  // LF kept
    EXPECT_EQ(Text(mixed, 1, 65536, 256), QStringLiteral("last cell"));
}

TEST(XlsReader, DateTexts) {
    struct Case {
        double serial;
        bool date1904;
        const char* text;
    };
    const Case cases[] = {
        {1, false, "1900-01-01"},           {59, false, "1900-02-28"},
        {61, false, "1900-03-01"},          {45000.5, false, "2023-03-15 12:00:00"},
        {0.75, false, "18:00:00"},          {0, true, "1904-01-01"},
        {0.999999999, false, "1899-12-31"}, {2958465, false, "9999-12-31"},
        {2958466, false, "2958466"},        {-1, false, "-1"},
        {1462, true, "1908-01-02"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(XlsDateText(c.serial, c.date1904), QString::fromUtf8(c.text)) << c.serial;

    struct Format {
        int index;
        const char* text;
        bool date;
    };
    const Format formats[] = {
        {14, "", true},
        {22, "", true},
        {31, "", true},
        {57, "", true},
        {2, "", false},
        {49, "", false},
        {180, "yyyy\"年\"m\"月\"", true},
        {181, "[$-804]aaaa", false},
        {182, "\"m/d\" 0.00", false},
        {183, "0.00_m", false},
        {184, "[h]:mm", true},
        {185, "上午/下午h\"时\"", true},
        {186, "General", false},
        {187, "yyyy年m月", true},
    };
    for (const Format& f : formats)
        EXPECT_EQ(IsXlsDateFormat(f.index, QString::fromUtf8(f.text)), f.date) << f.text;
}

TEST(XlsReader, KeyCellsCompareAsValues) {
    auto num = [](double x) { return XlsValue{XlsValue::Number, x, {}}; };
    auto text = [](const char* s) { return XlsValue{XlsValue::Text, 0, QString::fromUtf8(s)}; };
    const XlsValue empty, yes{XlsValue::Bool, 1, {}};
    EXPECT_TRUE(XlsSameValue(num(1), num(1)));
    EXPECT_FALSE(XlsSameValue(num(1), text("1")));
    EXPECT_TRUE(XlsSameValue(empty, text("")));
    EXPECT_TRUE(XlsSameValue(empty, num(0)));
    EXPECT_TRUE(XlsSameValue(yes, num(-1)));
    EXPECT_FALSE(XlsSameValue(text("a"), text("A")));
    EXPECT_TRUE(XlsSameValue(XlsValue{XlsValue::Date, 45000, {}}, num(45000)));
}

TEST(XlsReader, ErrorNumbers) {
    QTemporaryDir dir;
    XlsWorkbook book;
    EXPECT_EQ(book.open(dir.filePath(QStringLiteral("missing.xls"))), kXlsCannotOpen);

    const QString text = dir.filePath(QStringLiteral("text.xls"));
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("a,b\r\n");
    f.close();
    EXPECT_EQ(book.open(text), kXlsWrongType);

    const QString other = dir.filePath(QStringLiteral("other.xls"));
    ASSERT_TRUE(WriteCompoundFile(other, QStringLiteral("WordDocument"), QByteArray(5000, 'x')));
    EXPECT_EQ(book.open(other), kXlsWrongType);

    // A workbook cut short.
    QFile fixture(Fixture("xlwt_mixed.xls"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QString cut = dir.filePath(QStringLiteral("cut.xls"));
    QFile c(cut);
    ASSERT_TRUE(c.open(QIODevice::WriteOnly));
    c.write(fixture.readAll().left(12000));
    c.close();
    EXPECT_EQ(book.open(cut), kXlsCannotOpen);
    EXPECT_TRUE(book.sheetNames().isEmpty());

    ASSERT_EQ(book.open(Fixture("xlwt_mixed.xls")), 0);
    EXPECT_EQ(book.worksheetIndex(QStringLiteral("second")), 1);  // any case
    EXPECT_EQ(book.worksheetIndex(QStringLiteral("数据‖Second")), -1);
    QString t;
    EXPECT_EQ(book.cellText(2, 1, 1, &t), kXlsNoSuchSheet);
    EXPECT_EQ(book.cellText(0, 1, 0, &t), kXlsOutOfRange);
    EXPECT_EQ(book.cellText(0, 0, 1, &t), kXlsOutOfRange);
    EXPECT_EQ(book.cellText(0, 65537, 1, &t), kXlsOutOfRange);
    EXPECT_EQ(book.cellText(0, 1, 257, &t), kXlsOutOfRange);
}

// The writer's file read back, 30,002 rows: the import's limit and row numbers beyond a
// 16-bit counter's comfort.
TEST(XlsReader, ReadsBackTheWritersLongSheet) {
    QTemporaryDir dir;
    XlsSheetContent s;
    s.name = QStringLiteral("Bellweft打印历史数据");
    for (int r = 0; r < 30002; ++r)
        s.rows << QStringList{QString::number(r + 1), QStringLiteral("名称%1\t").arg(r % 97),
                              r % 5 ? QString() : QStringLiteral("x")};
    s.headerRows = {0};
    const QString path = dir.filePath(QStringLiteral("long.xls"));
    ASSERT_TRUE(WriteXlsFile(path, s));
    XlsWorkbook book;
    ASSERT_EQ(book.open(path), 0);
    ASSERT_EQ(book.worksheetIndex(s.name), 0);
    for (int r : {1, 2, 32767, 30001, 30002}) {
        if (r > 30002) continue;
        EXPECT_EQ(Text(book, 0, r, 1), QString::number(r));
        EXPECT_EQ(Text(book, 0, r, 2), QStringLiteral("名称%1\t").arg((r - 1) % 97));
        EXPECT_EQ(Text(book, 0, r, 3), (r - 1) % 5 ? QString() : QStringLiteral("x"));
    }
    EXPECT_EQ(Text(book, 0, 30003, 1), QString());
}
