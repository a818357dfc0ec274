#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/CsvCodec.h"
#include "platform/TextCodec.h"

using namespace bw;

namespace {

QByteArray Gbk(const char* utf8) {
    return ToAnsi(QString::fromUtf8(utf8));
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QString Show(const QList<QStringList>& records) {
    QStringList lines;
    for (const QStringList& r : records) lines << u'[' + r.join(u'|') + u']';
    return lines.join(QString());
}

}  // namespace

TEST(CsvParse, FieldsRecordsAndQuoting) {
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* expected;  // records as [f1|f2], UTF-8
    };
    const Case cases[] = {
        {"plain", "a,b,c\r\nd,e,f\r\n", "[a|b|c][d|e|f]"},
        {"bare LF lines, no final break", "a,b\nc", "[a|b][c]"},
        {"comma kept in quotes", "x,\"1,234\",y\r\n", "[x|1,234|y]"},
        {"empty quoted middle field", "a,\"\",b", "[a||b]"},
        {"doubled quote alone", "\"\"\"\"", "[\"]"},
        {"doubled quotes inside", "\"say \"\"hi\"\"\",z", "[say \"hi\"|z]"},
        {"line breaks inside quotes become the mark", "\"l1\r\nl2\nl3\rl4\",n\r\nnext",
         "[l1//l2//l3//l4|n][next]"},
        {"empty lines keep their place", "a\r\n\r\nb\r\n", "[a][][b]"},
        {"trailing comma gives an empty field", "a,\nb,", "[a|][b|]"},
        {"lone CR outside quotes is data", "a\rb,c", "[a\rb|c]"},
        {"quote inside an unquoted field is data", "ab\"c,d", "[ab\"c|d]"},
        {"text after the closing quote is kept", "\"ab\"cd,e", "[abcd|e]"},
        {"open quote at the end ends the field", "a,\"bc\r\nd", "[a|bc//d]"},
        {"TABs are left to the caller", "x\t,\"y,\t\"", "[x\t|y,\t]"},
        {"empty file", "", ""},
        {"only a line break", "\r\n", "[]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Show(ParseCsv(c.bytes, QStringLiteral("//"))), QString::fromUtf8(c.expected));
    }
}

TEST(CsvParse, EncodingsAndBrokenBytes) {
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* expected;
    };
    const Case cases[] = {
        {"GBK", Gbk("收款人,\"上海,浦东\"\r\n金额,1"), "[收款人|上海,浦东][金额|1]"},
        {"UTF-8 without BOM", QByteArray("收款人,金额"), "[收款人|金额]"},
        {"UTF-8 with BOM", QByteArray("\xEF\xBB\xBF收款人,金额"), "[收款人|金额]"},
        // A GBK lead byte right before a comma, a quote or a line end never takes it.
        {"lead byte before comma", Gbk("甲") + "\x81,b\r\nc", "[甲\uFFFD|b][c]"},
        {"lead byte before quote", "\"a\x81\",b", "[a\uFFFD|b]"},
        {"lead byte before line end", "a\x81\r\nb", "[a\uFFFD][b]"},
        {"invalid byte in GBK text", Gbk("甲") + "\xFF" + Gbk("乙"), "[甲\uFFFD乙]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Show(ParseCsv(c.bytes, QStringLiteral("//"))), QString::fromUtf8(c.expected));
    }
}

TEST(CsvWrite, ExportRuleAndRoundTrip) {
    const QList<QStringList> table{
        {QStringLiteral("plain"), QStringLiteral("a,b"), QStringLiteral("say \"hi\""), QString()},
        {QStringLiteral("l1\r\nl2"), QStringLiteral("lone\nLF"), QStringLiteral("lone\rCR"),
         QStringLiteral("中文")},
    };
    const QByteArray bytes = CsvExportBytes(table);
    EXPECT_EQ(bytes, Gbk("plain\t,\"a,b\t\",\"say \"\"hi\"\"\t\",\t\r\n"
                         "\"l1\r\nl2\t\",\"lone\nLF\t\",\"lone\rCR\t\",中文\t\r\n"));

    // Reading the export back gives every cell with its TAB; line breaks come back as the
    // mark.
    QList<QStringList> back = ParseCsv(bytes, QStringLiteral("\n"));
    ASSERT_EQ(back.size(), 2);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 4; ++c) {
            QString want = table[r][c] + u'\t';
            want.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
            EXPECT_EQ(back[r][c], want) << r << "," << c;
        }
}

TEST(CsvWrite, WritesThroughTmpAndReportsFailure) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    ASSERT_TRUE(WriteCsvFile(path, {{QStringLiteral("x")}}));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".TMP")));
    QList<QStringList> records;
    ASSERT_TRUE(ReadCsvFile(path, QStringLiteral("//"), &records));
    EXPECT_EQ(records, (QList<QStringList>{{QStringLiteral("x\t")}}));

    EXPECT_FALSE(
        WriteCsvFile(dir.filePath(QStringLiteral("missing/out.csv")), {{QStringLiteral("x")}}));
    EXPECT_FALSE(
        ReadCsvFile(dir.filePath(QStringLiteral("missing.csv")), QStringLiteral("//"), &records));
    EXPECT_TRUE(records.isEmpty());
}

// A file of several MiB read record by record gives the records its bytes parse into,
// whatever falls on the edges of the pieces read: quoted line breaks, CR LF, doubled quotes,
// a record longer than a piece (of fields as long as a field may be). Its first MiBs are
// ASCII and GBK comes later: the encoding is decided where the first other byte stands.
// Records can be passed over undecoded.
TEST(CsvReader, ReadsALargeFilePieceByPieceAsTheParserReadsItsBytes) {
    QTemporaryDir dir;
    for (const QByteArray& start : {QByteArray(), QByteArray("\xEF\xBB\xBF")}) {
        const bool bom = !start.isEmpty();
        QByteArray bytes = start;
        for (int r = 0; bytes.size() < (5 << 19); ++r)
            bytes += QByteArray::number(r) + ",\"a \"\"q\"\"\r\nb\",x" + QByteArray(r % 7, 'y') +
                     (r % 3 ? "\r\n" : "\n");
        bytes += "long";
        for (int f = 0; f < 50; ++f) bytes += ",\"" + QByteArray(kMaxCsvFieldBytes - 2, 'z') + '"';
        bytes += "\r\n";
        for (int r = 0; r < 1000; ++r)
            bytes += (bom ? QString("收款人%1,上海\r\n").arg(r).toUtf8()
                          : Gbk("收款人,上海") + QByteArray::number(r) + "\r\n");
        const QString path = dir.filePath(QStringLiteral("big.csv"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();

        const QList<QStringList> parsed = ParseCsv(bytes, QStringLiteral("//"));
        ASSERT_GT(parsed.size(), 1000);
        EXPECT_EQ(parsed.back().front(), bom ? "收款人999" : "收款人");
        QList<QStringList> records;
        ASSERT_TRUE(ReadCsvFile(path, QStringLiteral("//"), &records));
        EXPECT_TRUE(records == parsed) << "BOM " << bom;

        CsvReader reader(path, QStringLiteral("//"));
        ASSERT_TRUE(reader.Open());
        QStringList fields;
        for (qsizetype i = 0; i + 3 < parsed.size(); ++i)
            ASSERT_TRUE(reader.Next(i % 2 ? nullptr : &fields));
        qsizetype i = parsed.size() - 3;
        while (reader.Next(&fields)) EXPECT_EQ(fields, parsed[i++]);
        EXPECT_EQ(i, parsed.size());
        EXPECT_FALSE(reader.Failed());
    }
}

// Files whose first byte outside ASCII stands early or at the end of the first piece read,
// and that end around 1 MiB after it with a UTF-8 character cut off at the very end: the
// reader of pieces decides as the whole-file parse does (GBK when the MiB holds the cut).
TEST(CsvReader, DecidesTheEncodingAsTheWholeFileParseAroundTheWindowsEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edge.csv"));
    for (const qsizetype at : {qsizetype(4), qsizetype((1 << 20) - 8)})
        for (const QByteArray& cut : {QByteArray("\xE4"), QByteArray("\xE4\xB8")})
            for (qsizetype after = (1 << 20) - 1; after <= (1 << 20) + 1; ++after) {
                QByteArray bytes = QByteArray("a,b\n").repeated(at / 4);
                for (int k = 1; bytes.size() + 3 <= at + after - cut.size(); ++k)
                    bytes += k % 50 ? "中" : "\n";
                bytes += QByteArray(at + after - cut.size() - bytes.size(), 'x') + cut;
                WriteBytes(path, bytes);
                QList<QStringList> streamed;
                ASSERT_TRUE(ReadCsvFile(path, QStringLiteral("//"), &streamed));
                const QList<QStringList> whole = ParseCsv(bytes, QStringLiteral("//"));
                EXPECT_TRUE(streamed == whole) << at << " " << cut.size() << " " << after;
                EXPECT_EQ(whole.value(at / 4).value(0).startsWith(u'中'), after > (1 << 20));
            }
}

// An unquoted field longer than a field may be stops both readers before its record, as a
// quote that never ends does (see the import's tests); the reader names the line where it
// begins, a line break in quotes counted.
TEST(CsvReader, AFieldTooLongStopsTheReadAtItsRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.csv"));
    const QByteArray bytes = "a,\"b\r\nc\"\r\nd," + QByteArray(kMaxCsvFieldBytes + 1, 'e');
    WriteBytes(path, bytes);
    EXPECT_EQ(ParseCsv(bytes, QStringLiteral("//")).size(), 1);
    CsvReader reader(path, QStringLiteral("//"));
    ASSERT_TRUE(reader.Open() && reader.Next(nullptr));
    EXPECT_FALSE(reader.Next(nullptr) || reader.Failed());
    EXPECT_EQ(reader.Overlong().line, 3);
    EXPECT_FALSE(reader.Overlong().quoted);
}
