// Text in cells, amounts in digit cells, wrapped text and the printer font size, measured on
// a printer that records every character it is asked to draw.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <cmath>

#include "PrintTestSupport.h"
#include "common/Globals.h"
#include "platform/VbNumbers.h"
#include "printing/TextLayout.h"
#include "store/MainForm.h"

using namespace bw;
using namespace bw::test;

namespace {

using CellList = std::vector<std::pair<QString, int>>;

class Layout : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        printer = &InstallRecordingPrinter();
        printer->SetFontName(kTestFont);
        printer->SetFontSize(12);
        printer->StartDoc();
    }
    // The cell (0-based, 1000 twips wide from x = 0) each character's centre falls in, in
    // drawing order; the record is cleared.
    CellList TakeCells() {
        CellList out;
        for (const auto& t : texts())
            out.push_back(
                {t.text, int(std::floor((t.left + printer->TextWidth(t.text) / 2) / 1000))});
        printer->Record().texts.clear();
        return out;
    }
    std::vector<Drawn::Text>& texts() { return printer->Record().texts; }
    RecordingPrinter* printer = nullptr;
};

TEST_F(Layout, CellsHoldOneCentredCharacterEachAndAlignAsAsked) {
    PrintTextInCells(*printer, "ABC", 0, 500, 6000, 6, 2);
    for (const auto& t : texts()) {  // centred in its cell, on the box's top line
        const double centre = t.left + printer->TextWidth(t.text) / 2;
        EXPECT_NEAR(centre, (std::floor(centre / 1000) + 0.5) * 1000, 0.01);
        EXPECT_NEAR(t.top, 500, 0.01);
    }
    EXPECT_EQ(TakeCells(), (CellList{{"A", 1}, {"B", 2}, {"C", 3}}));  // the odd blank goes right
    // Too long: right alignment keeps the last character in the last cell, centring splits
    // the excess, left alignment runs over the right edge.
    const struct {
        QString text;
        int cells, align, first;
    } cases[] = {{"12345678", 6, 1, -2},
                 {"12345678", 6, 2, -1},
                 {"12345678", 6, 0, 0},
                 {"邮编", 6, 1, 4},
                 {"123", 0, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString() + " align " + std::to_string(c.align));
        PrintTextInCells(*printer, c.text, 0, 0, 6000, c.cells, c.align);
        CellList expected;
        for (int i = 0; c.cells && i < c.text.size(); ++i)
            expected.push_back({c.text.mid(i, 1), c.first + i});
        EXPECT_EQ(TakeCells(), expected);
    }
}

TEST_F(Layout, AmountsFillTheirDigitCellsFromTheRight) {
    const struct {
        const char* amount;
        int code;
        const char* text;  // null: not checked
        bool fits;
    } cases[] = {
        {"1234.5", 8, " ￥123450", true}, {"1234.5", 308, "  123450", true},
        {"1234.5", 6, "123450", true},  // only the currency sign has no cell: dropped
        {"1234.5", 5, nullptr, false},  // a digit without a cell would print a wrong amount
        {"-34.5", 4, nullptr, false},   // "-3450": the minus needs its cell too
        {"1", 0, nullptr, false},
    };
    for (const auto& c : cases) {
        bool fits = !c.fits;
        const QString text = CashCellText(c.amount, c.code, &fits);
        if (c.text) {
            EXPECT_EQ(text, c.text) << c.amount << " " << c.code;
        }
        EXPECT_EQ(fits, c.fits) << c.amount << " " << c.code;
    }
    EXPECT_TRUE(PrintCashCells(*printer, "1234.5", 0, 0, 8000, 8, 0));
    EXPECT_EQ(TakeCells(),
              (CellList{{"￥", 1}, {"1", 2}, {"2", 3}, {"3", 4}, {"4", 5}, {"5", 6}, {"0", 7}}));
    EXPECT_FALSE(PrintCashCells(*printer, "1234.5", 0, 0, 5000, 5, 0));
    EXPECT_TRUE(PrintCashCells(*printer, "", 0, 0, 5000, 5, 0));
    EXPECT_TRUE(texts().empty());
}

TEST_F(Layout, TokensKeepWordsWithTheirPunctuationAndSplitEverythingElse) {
    const struct {
        const char* text;
        int start;
        const char* token;
    } cases[] = {{"Hello, world", 1, "Hello,"},
                 {"Hello, world", 7, " "},
                 {"Hello, world", 8, "world"},
                 {"a.b", 1, "a."},
                 {",x", 1, ","},
                 {"中国银行", 2, "国"},
                 {"A_B-1;C", 1, "A_B-1;"}};
    for (const auto& c : cases) EXPECT_EQ(FindWordEnd(c.text, c.start), c.token) << c.text;
    EXPECT_TRUE(IsWordChar("_"));
    for (const char* c : {"é", "中", ""}) EXPECT_FALSE(IsWordChar(c)) << c;
}

TEST_F(Layout, WrappedTextBreaksAtTheBoxWidthWithItsSpacing) {
    const double cjk = printer->TextWidth("中"), spacing = 50;
    // Room for exactly four characters with their spacing: the fourth fills the line.
    const double width = 4 * cjk + 3 * spacing;
    EXPECT_EQ(WrapLines(*printer, "中华人民共和国银行", width, spacing),
              (QStringList{"中华人民", "共和国银", "行"}));
    EXPECT_EQ(WrapLines(*printer, "中华人民共和国银行", width - 1, spacing),
              (QStringList{"中华人", "民共和", "国银行"}));
    // A word wider than the box stays whole; words break at blanks.
    EXPECT_EQ(WrapLines(*printer, "Incomprehensibilities ok", 500, 0),
              (QStringList{"Incomprehensibilities", " ok"}));

    // Lines start on whole twips, a sample height + line spacing + 1 twip apart, an empty
    // paragraph taking a full line.
    PrintWrappedText(*printer, "中华人民共和\r\n\r\n国", 1000, 2000.4, width, spacing, 100, 0);
    ASSERT_EQ(texts().size(), 7u);
    EXPECT_NEAR(texts()[1].left - texts()[0].left, cjk + spacing, 1e-6);
    const double advance = printer->TextHeight(kLineSample) + 100 + 1;
    EXPECT_EQ(texts()[0].top, 2000);
    EXPECT_NEAR(texts()[4].top, 2000 + advance, 0.51);     // 和, second line
    EXPECT_NEAR(texts()[6].top, 2000 + 3 * advance, 1.5);  // 国 after the empty line
}

TEST_F(Layout, RightAndCentredLinesCountASpacingPerCharacter) {
    const double spacing = 40;
    PrintWrappedText(*printer, "AB", 1000, 0, 5000, spacing, 0, 1);
    ASSERT_EQ(texts().size(), 2u);
    // A right-aligned line ends one spacing and one twip short of the right edge.
    EXPECT_NEAR(1000 + 5000 - (texts()[1].left + printer->TextWidth("B")), spacing + 1, 1.0);
    texts().clear();
    PrintWrappedText(*printer, "AB", 1000, 0, 5000, spacing, 0, 2);
    const double free = 5000 - printer->TextWidth("AB") - 2 * spacing - 1;
    EXPECT_NEAR(texts()[0].left, RoundHalfEven(1000 + free / 2), 1e-6);
}

TEST_F(Layout, PrinterFontSizeMakesTheSampleAsWideAsOnTheCanvas) {
    MainForm& mf = MF();
    mf.Wid->setText("200");
    mf.SetFrameSize(9000, 6000);
    const double size = FitPrinterFontSize(*printer, 10.5, kTestFont, false, 1.0);
    // The sample's canvas width taken as millimetres of a 200 mm bill over 9000 twips.
    QFont screen(kTestFont);
    screen.setPointSizeF(10.5);
    const double canvasTwips = QFontMetrics(screen).horizontalAdvance(kFontSample) * 15.0;
    const double target = canvasTwips * 200 / 9000 * kTwipsPerMm;
    EXPECT_EQ(printer->FontSize(), size);
    EXPECT_NEAR(printer->TextWidth(kFontSample), target, target * 0.02);
    // The same request again gives the same size, and leaves the bold flag as asked.
    printer->SetFontSize(30);
    EXPECT_GT(FitPrinterFontSize(*printer, 10.5, kTestFont, true, 1.0), 0);
    EXPECT_TRUE(printer->FontBold());
    EXPECT_EQ(FitPrinterFontSize(*printer, 10.5, kTestFont, false, 1.0), size);
    EXPECT_EQ(printer->ScaleMode(), ScaleUnit::Twips);
    // Without a paper width there is nothing to compare with: the design size stays.
    mf.Wid->setText("0");
    EXPECT_EQ(FitPrinterFontSize(*printer, 9, kTestFont, false, 1.0), 9);
}

// Line breaking as it was first written: each growing line measured whole. The library's
// quicker layout must break every text at the same places.
QStringList ReferenceWrapLines(DrawTarget& target, const QString& text, double width,
                               double spacing) {
    auto spaced = [&](const QString& line) {
        return target.TextWidth(line) + (line.size() - 1) * spacing;
    };
    QStringList lines;
    if (text.isEmpty()) return lines;
    for (const QString& paragraph : text.split(QStringLiteral("\r\n"))) {
        if (paragraph.isEmpty()) {
            lines << QString();
            continue;
        }
        QString rest = paragraph;
        while (!rest.isEmpty()) {
            QString line = FindWordEnd(rest, 1);
            rest.remove(0, line.size());
            double w = spaced(line);
            while (w < width && !rest.isEmpty()) {
                const QString token = FindWordEnd(rest, 1);
                w = spaced(line + token);
                if (w > width) break;
                line += token;
                rest.remove(0, token.size());
            }
            lines << line;
        }
    }
    return lines;
}

// About 2,000 characters of Chinese, Latin words with kerned pairs, punctuation, runs of
// blanks and paragraph breaks, the same every run.
QString LongMixedText() {
    const QStringList pieces =
        QStringLiteral(
            "上海申通物流有限公司|AVATAR| |Toyota WAVE|，|货款请于月底前付清。|"
            "Bellweft Trading Co., Ltd.|   |No.12345-678_9;|中国工商银行北京分行营业部|"
            "office|fi|Type|\r\n|「备注」|LTA.VAW|x|。。|www.example.com/a")
            .split(QLatin1Char('|'));
    QString text;
    unsigned seed = 7;
    while (text.size() < 2000) {
        seed = seed * 1103515245u + 12345u;
        text += pieces[(seed >> 16) % pieces.size()];
    }
    return text;
}

TEST_F(Layout, LongWrappedTextBreaksWhereTheMeasuringRuleBreaksIt) {
    const QString text = LongMixedText();
    ASSERT_GE(text.size(), 2000);
    auto pdf = Printer::Open(kPdfPrinterName);  // 1200 dots per inch, besides 1440
    struct Case {
        DrawTarget* target;
        const char* font;
        double size, width, spacing;
    };
    const Case cases[] = {
        {printer, "WenQuanYi Micro Hei", 12, 3000, 0},
        {printer, "WenQuanYi Micro Hei", 10.5, 2551.2, 17.0},
        {printer, "DejaVu Sans", 12, 4000, 0},
        {printer, "DejaVu Serif", 9, 1700, 5.67},
        {printer, "DejaVu Sans", 12, 150, 0},  // narrower than most words
        {pdf.get(), "DejaVu Sans", 10, 3500, 0},
        {pdf.get(), "WenQuanYi Micro Hei", 14, 5000, 11.3},
    };
    for (const Case& c : cases) {
        c.target->SetFontName(c.font);
        c.target->SetFontSize(c.size);
        const QStringList expected = ReferenceWrapLines(*c.target, text, c.width, c.spacing);
        const QStringList lines = WrapLines(*c.target, text, c.width, c.spacing);
        EXPECT_EQ(lines, expected) << c.font << " " << c.width;
        EXPECT_GT(lines.size(), 10);
        EXPECT_EQ(lines.join(QString()).size() + 2 * text.count(QStringLiteral("\r\n")),
                  text.size());
    }
}

// Short texts asked again and again (as the bills of a batch ask them) in turns of font,
// width, spacing and resolution: each answer is the measuring rule's for that request.
TEST_F(Layout, ShortTextsBreakAsTheMeasuringRuleForEveryRequestAskedAgain) {
    auto pdf = Printer::Open(kPdfPrinterName);
    struct Request {
        DrawTarget* target;
        const char* font;
        double size;
        bool bold;
        double width;
        double spacing;
    };
    const Request requests[] = {
        {printer, "WenQuanYi Micro Hei", 10.5, false, 2551.2, 17.0},
        {printer, "WenQuanYi Micro Hei", 10.5, true, 2551.2, 17.0},
        {printer, "WenQuanYi Micro Hei", 10.5, false, 1500, 17.0},
        {printer, "WenQuanYi Micro Hei", 10.5, false, 2551.2, 0},
        {printer, "DejaVu Sans", 12, false, 2551.2, 0},
        {pdf.get(), "WenQuanYi Micro Hei", 10.5, false, 2551.2, 17.0},
    };
    const QStringList texts = {"上海申通物流有限公司", "Bellweft Trading Co., Ltd.",
                               "中国工商银行北京分行营业部", "备注：货款，请于月底前付清",
                               "AVATAR\r\nToyota WAVE"};
    for (int round = 0; round < 2; ++round) {
        for (const Request& r : requests) {
            r.target->SetFontName(r.font);
            r.target->SetFontSize(r.size);
            r.target->SetFontBold(r.bold);
            for (const QString& text : texts) {
                EXPECT_EQ(WrapLines(*r.target, text, r.width, r.spacing),
                          ReferenceWrapLines(*r.target, text, r.width, r.spacing))
                    << r.font << " " << r.bold << " " << r.width << " " << r.spacing;
            }
        }
    }
}

// A size found once is given again only for the same request: the printer's font family
// and the box's weight are part of it.
TEST_F(Layout, FoundFontSizesAreKeptPerRequest) {
    MF().Wid->setText("200");
    MF().SetFrameSize(9000, 6000);
    const struct {
        const char *printerFont, *boxFont;
        bool bold;
        double size;
    } requests[] = {{"WenQuanYi Micro Hei", "WenQuanYi Micro Hei", false, 10.5},
                    {"DejaVu Serif", "WenQuanYi Micro Hei", false, 10.5},
                    {"WenQuanYi Micro Hei", "WenQuanYi Micro Hei", true, 10.5},
                    {"DejaVu Serif", "DejaVu Serif", false, 9}};
    std::vector<double> fresh;
    for (const auto& r : requests) {
        ClearFontSizeCache();
        printer->SetFontName(r.printerFont);
        fresh.push_back(FitPrinterFontSize(*printer, r.size, r.boxFont, r.bold, 1.0));
    }
    for (int round = 0; round < 2; ++round) {
        for (std::size_t i = 0; i < std::size(requests); ++i) {
            const auto& r = requests[i];
            printer->SetFontName(r.printerFont);
            printer->SetFontSize(33);
            EXPECT_EQ(FitPrinterFontSize(*printer, r.size, r.boxFont, r.bold, 1.0), fresh[i]) << i;
            EXPECT_EQ(printer->FontSize(), fresh[i]);
        }
    }
}

}  // namespace
