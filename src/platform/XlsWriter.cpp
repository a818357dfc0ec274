#include "platform/XlsWriter.h"

#include <algorithm>
#include <vector>

#include "platform/BiffCodec.h"
#include "platform/CompoundFile.h"

namespace bw {

using namespace biff;

namespace {

constexpr int kMaxRows = 65536;
constexpr int kMaxCols = 256;
constexpr int kMaxText = 32767;
constexpr int kHeaderColour = 47;  // palette entry replaced by the header colour
constexpr int kBlack = 8;
constexpr int kXfBody = 16;
constexpr int kXfHeader = 17;
constexpr qsizetype kPiece = 256 * 1024;  // the sheet is handed on in pieces of this size

// Excel's default BIFF8 palette, entries 8 to 63.
constexpr unsigned char kDefaultPalette[56][3] = {
    {0, 0, 0},       {255, 255, 255}, {255, 0, 0},     {0, 255, 0},     {0, 0, 255},
    {255, 255, 0},   {255, 0, 255},   {0, 255, 255},   {128, 0, 0},     {0, 128, 0},
    {0, 0, 128},     {128, 128, 0},   {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
    {128, 128, 128}, {153, 153, 255}, {153, 51, 102},  {255, 255, 204}, {204, 255, 255},
    {102, 0, 102},   {255, 128, 128}, {0, 102, 204},   {204, 204, 255}, {0, 0, 128},
    {255, 0, 255},   {255, 255, 0},   {0, 255, 255},   {128, 0, 128},   {128, 0, 0},
    {0, 128, 128},   {0, 0, 255},     {0, 204, 255},   {204, 255, 255}, {204, 255, 204},
    {255, 255, 153}, {153, 204, 255}, {255, 153, 204}, {204, 153, 255}, {255, 204, 153},
    {51, 102, 255},  {51, 204, 204},  {153, 204, 0},   {255, 204, 0},   {255, 153, 0},
    {255, 102, 0},   {102, 102, 153}, {150, 150, 150}, {0, 51, 102},    {51, 153, 102},
    {0, 51, 0},      {51, 51, 0},     {153, 51, 0},    {153, 51, 102},  {51, 51, 153},
    {51, 51, 51}};

// The shared-string table being built: every distinct stored text once, in the order first
// met. A stored text is a cell's text and the suffix, cut to Excel's length; it is looked
// up as those two pieces, without being put together.
class SharedStrings {
public:
    // `cells`: how many texts will be added at most; room is made for as many distinct ones,
    // up to a bound (a huge sheet grows the table as it needs).
    SharedStrings(QStringView suffix, size_t cells) : suffix_(suffix) {
        const size_t expected = std::min<size_t>(cells, 1u << 17);
        texts_.reserve(expected);
        hashes_.reserve(expected);
        size_t n = 1024;
        while (n < expected * 2) n *= 2;
        slots_.assign(n, -1);
    }

    // The index of the cell text's stored text.
    int Add(QStringView text) {
        ++refs_;
        SplitText t{text, suffix_};
        if (t.size() > kMaxText) {
            t.tail =
                t.head.size() >= kMaxText ? QStringView() : t.tail.first(kMaxText - t.head.size());
            t.head = t.head.first(std::min<qsizetype>(t.head.size(), kMaxText));
        }
        const std::uint64_t h = hash(t);
        size_t mask = slots_.size() - 1;
        for (size_t at = h & mask;; at = (at + 1) & mask) {
            const int i = slots_[at];
            if (i < 0) break;
            if (hashes_[i] == h && same(texts_[i], t)) return i;
        }
        const int index = static_cast<int>(texts_.size());
        texts_.push_back(t);
        hashes_.push_back(h);
        bytes_ += 3 + 2 * t.size();
        if (texts_.size() * 2 > slots_.size()) {
            slots_.assign(slots_.size() * 2, -1);
            mask = slots_.size() - 1;
            for (int i = 0; i <= index; ++i) place(i, mask);
        } else {
            place(index, mask);
        }
        return index;
    }
    const std::vector<SplitText>& Texts() const { return texts_; }
    std::uint32_t References() const { return refs_; }
    // About the size of the table as stored, a little more.
    qsizetype Bytes() const { return bytes_ + bytes_ / 256 + 64; }

private:
    void place(int i, size_t mask) {
        size_t at = hashes_[i] & mask;
        while (slots_[at] >= 0) at = (at + 1) & mask;
        slots_[at] = i;
    }
    // FNV-1a over the units of both pieces, so that where a text is split does not count.
    static std::uint64_t hash(const SplitText& t) {
        std::uint64_t h = 14695981039346656037ull;
        for (QStringView piece : {t.head, t.tail})
            for (QChar c : piece) h = (h ^ c.unicode()) * 1099511628211ull;
        return h;
    }
    static bool same(const SplitText& a, const SplitText& b) {
        if (a.size() != b.size()) return false;
        if (a.head.size() == b.head.size()) return a.head == b.head && a.tail == b.tail;
        for (qsizetype k = 0; k < a.size(); ++k)
            if (unit(a, k) != unit(b, k)) return false;
        return true;
    }
    static QChar unit(const SplitText& t, qsizetype k) {
        return k < t.head.size() ? t.head[k] : t.tail[k - t.head.size()];
    }

    QStringView suffix_;
    std::vector<SplitText> texts_;
    std::vector<std::uint64_t> hashes_;
    std::vector<int> slots_;  // indices into texts_, -1 free; a power of two long
    std::uint32_t refs_ = 0;
    qsizetype bytes_ = 0;
};

QString sheetName(const QString& wanted) {
    QString n = wanted.left(31);
    for (QChar& c : n)
        if (QStringLiteral("[]:*?/\\").contains(c)) c = u'_';
    return n.isEmpty() ? QStringLiteral("Sheet1") : n;
}

QByteArray bof(int type) {
    QByteArray b;
    Put16(b, 0x0600);  // BIFF8
    Put16(b, type);    // 5 globals, 0x10 worksheet
    Put16(b, 0x0DBB);  // build
    Put16(b, 0x07CC);  // year
    Put32(b, 0x00000041);
    Put32(b, 0x00000006);
    return b;
}

QByteArray font(bool bold) {
    QByteArray b;
    Put16(b, 240);           // 12 points
    Put16(b, bold ? 1 : 0);  // readers of older files look at this bit
    Put16(b, 0x7FFF);        // automatic colour
    Put16(b, bold ? 700 : 400);
    Put16(b, 0);
    Put8(b, 0);
    Put8(b, 0);
    Put8(b, 134);  // GB2312 character set
    Put8(b, 0);
    PutXlString(b, QStringLiteral("宋体"), 1);
    return b;
}

// An XF record. style: a style XF (parent field 0xFFF); used: the attribute flags.
QByteArray xf(int fontIndex, bool style, int used, bool borders, int fill) {
    QByteArray b;
    Put16(b, fontIndex);
    Put16(b, 0);  // General
    Put16(b, style ? 0xFFF5 : 0x0001);
    Put8(b, 0x20);  // bottom aligned
    Put8(b, 0);
    Put8(b, 0);
    Put8(b, used);
    std::uint32_t lines = 0;
    std::uint32_t more = 0;
    if (borders) {
        lines = 0x1111u | (std::uint32_t(kBlack) << 16) | (std::uint32_t(kBlack) << 23);
        more = std::uint32_t(kBlack) | (std::uint32_t(kBlack) << 7);
    }
    if (fill >= 0) more |= 1u << 26;  // solid pattern
    Put32(b, lines);
    Put32(b, more);
    Put16(b, fill >= 0 ? (fill | (0x41 << 7)) : 0x20C0);
    return b;
}

}  // namespace

bool BuildXlsWorkbook(const XlsSheetContent& sheet,
                      const std::function<bool(QByteArrayView piece)>& write) {
    const bool inPlace = static_cast<bool>(sheet.cells.text);
    int rowCount = static_cast<int>(std::min<qsizetype>(sheet.rows.size(), kMaxRows + 1));
    int colCount = 0;
    if (inPlace) {
        rowCount = sheet.cells.rowCount;
        colCount = sheet.cells.columnCount;
    }
    for (int r = 0; r < rowCount && !inPlace; ++r)
        colCount = static_cast<int>(std::max<qsizetype>(colCount, sheet.rows[r].size()));
    if (rowCount > kMaxRows || colCount > kMaxCols) return false;

    // Shared strings: each cell's index into the table is found once here (-1: empty).
    SharedStrings strings(sheet.textSuffix, static_cast<size_t>(rowCount) * colCount);
    std::vector<int> cellString(static_cast<size_t>(rowCount) * colCount, -1);
    for (int r = 0; r < rowCount; ++r) {
        const int columns = inPlace ? colCount : static_cast<int>(sheet.rows[r].size());
        for (int c = 0; c < columns; ++c) {
            const QStringView text =
                inPlace ? sheet.cells.text(r, c) : QStringView(sheet.rows[r][c]);
            if (!text.isEmpty())
                cellString[static_cast<size_t>(r) * colCount + c] = strings.Add(text);
        }
    }

    // Workbook globals.
    QByteArray g;
    g.reserve(8192 + strings.Bytes());
    PutRecord(g, kBof, bof(0x0005));
    {
        QByteArray b;
        Put16(b, 1200);  // UTF-16
        PutRecord(g, kCodePage, b);
    }
    {
        QByteArray b;
        for (int v : {0, 0, 0x4000, 0x2000, 0x0038, 0, 0, 1, 0x0258}) Put16(b, v);
        PutRecord(g, kWindow1, b);
    }
    for (int i = 0; i < 4; ++i) PutRecord(g, kFont, font(false));
    PutRecord(g, kFont, font(true));  // font index 5 (index 4 does not exist)
    PutRecord(g, kXf, xf(0, true, 0x00, false, -1));
    for (int i = 1; i < 15; ++i) PutRecord(g, kXf, xf(i <= 2 ? i : 0, true, 0xF4, false, -1));
    PutRecord(g, kXf, xf(0, false, 0x00, false, -1));            // 15: default cell format
    PutRecord(g, kXf, xf(0, false, 0xF8, true, -1));             // 16: bordered text
    PutRecord(g, kXf, xf(5, false, 0xF8, true, kHeaderColour));  // 17: header
    {
        QByteArray b;
        Put16(b, 0x8000);  // built-in style "Normal" on XF 0
        Put8(b, 0);
        Put8(b, 0xFF);
        PutRecord(g, kStyle, b);
    }
    {
        QByteArray b;
        Put16(b, 56);
        for (int i = 0; i < 56; ++i) {
            bool header = i + 8 == kHeaderColour;
            Put8(b, header ? kXlsHeaderRed : kDefaultPalette[i][0]);
            Put8(b, header ? kXlsHeaderGreen : kDefaultPalette[i][1]);
            Put8(b, header ? kXlsHeaderBlue : kDefaultPalette[i][2]);
            Put8(b, 0);
        }
        PutRecord(g, kPalette, b);
    }
    const qsizetype boundSheetAt = g.size();
    {
        QByteArray b;
        Put32(b, 0);  // the sheet's offset, set below
        Put8(b, 0);
        Put8(b, 0);
        PutXlString(b, sheetName(sheet.name), 1);
        PutRecord(g, kBoundSheet, b);
    }
    PutSharedStrings(g, strings.Texts(), strings.References());
    PutRecord(g, kEof, {});

    // The sheet, handed on in pieces of about kPiece bytes after the globals.
    const std::uint32_t sheetAt = static_cast<std::uint32_t>(g.size());
    g[boundSheetAt + 4] = static_cast<char>(sheetAt & 0xFF);
    g[boundSheetAt + 5] = static_cast<char>((sheetAt >> 8) & 0xFF);
    g[boundSheetAt + 6] = static_cast<char>((sheetAt >> 16) & 0xFF);
    g[boundSheetAt + 7] = static_cast<char>((sheetAt >> 24) & 0xFF);
    if (!write(g)) return false;
    qint64 written = g.size();
    g = QByteArray();
    QByteArray s;
    s.reserve(kPiece + 32 * (20 + 14 * colCount) + 4096);
    auto handOn = [&]() {
        written += s.size();
        const bool ok = write(s);
        s.resize(0);
        return ok;
    };
    PutRecord(s, kBof, bof(0x0010));
    for (int c = 0; c < std::min<int>(static_cast<int>(sheet.columnWidths.size()), kMaxCols); ++c) {
        int w = sheet.columnWidths[c];
        if (w < 0) continue;
        w = std::min(w, 255);
        QByteArray b;
        Put16(b, c);
        Put16(b, c);
        Put16(b, w * 256);
        Put16(b, 15);
        Put16(b, w == 0 ? 0x0001 : 0x0000);  // hidden
        Put16(b, 0);
        PutRecord(s, kColInfo, b);
    }
    {
        QByteArray b;
        Put32(b, 0);
        Put32(b, static_cast<std::uint32_t>(rowCount));
        Put16(b, 0);
        Put16(b, colCount);
        Put16(b, 0);
        PutRecord(s, kDimensions, b);
    }
    QList<bool> header(rowCount, false);
    for (int r : sheet.headerRows)
        if (r >= 0 && r < rowCount) header[r] = true;
    // Blocks of up to 32 rows: their ROW records, then their cells (LABELSST with the string's
    // index, or BLANK), written in place: there are as many as the sheet has cells.
    for (int block = 0; block < rowCount; block += 32) {
        const int end = std::min(rowCount, block + 32);
        const qsizetype at = s.size();
        s.resize(at +
                 static_cast<qsizetype>(end - block) * (colCount > 0 ? 20 + 14 * colCount : 0));
        auto* p = reinterpret_cast<unsigned char*>(s.data()) + at;
        auto put16 = [&p](unsigned v) {
            p[0] = static_cast<unsigned char>(v & 0xFF);
            p[1] = static_cast<unsigned char>((v >> 8) & 0xFF);
            p += 2;
        };
        for (int r = block; r < end && colCount > 0; ++r)
            for (unsigned v : {unsigned(kRow), 16u, unsigned(r), 0u, unsigned(colCount), 0x00FFu,
                               0u, 0u, 0x0100u, 0x000Fu})
                put16(v);
        for (int r = block; r < end; ++r) {
            const unsigned xfIndex = header[r] ? kXfHeader : kXfBody;
            for (int c = 0; c < colCount; ++c) {
                const int sst = cellString[static_cast<size_t>(r) * colCount + c];
                put16(sst >= 0 ? kLabelSst : kBlank);
                put16(sst >= 0 ? 10 : 6);
                put16(static_cast<unsigned>(r));
                put16(static_cast<unsigned>(c));
                put16(xfIndex);
                if (sst >= 0) {
                    put16(static_cast<unsigned>(sst) & 0xFFFF);
                    put16(static_cast<unsigned>(sst) >> 16);
                }
            }
        }
        s.resize(p - reinterpret_cast<unsigned char*>(s.data()));
        if (s.size() >= kPiece && !handOn()) return false;
    }
    {
        QByteArray b;
        Put16(b, 0x06B6);
        Put16(b, 0);
        Put16(b, 0);
        Put32(b, 64);
        Put16(b, 0);
        Put16(b, 0);
        Put32(b, 0);
        PutRecord(s, 0x023E, b);  // WINDOW2
    }
    PutRecord(s, kEof, {});
    // Excel wants a workbook stream of at least 4096 bytes; the filler after the last
    // record is never read.
    if (written + s.size() < 4096) s.append(QByteArray(4096 - written - s.size(), '\0'));
    return handOn();
}

QByteArray BuildXlsWorkbook(const XlsSheetContent& sheet) {
    QByteArray stream;
    const bool built = BuildXlsWorkbook(sheet, [&stream](QByteArrayView piece) {
        stream.append(piece);
        return true;
    });
    return built ? stream : QByteArray();
}

bool WriteXlsFile(const QString& path, const XlsSheetContent& sheet) {
    return WriteCompoundFile(path, QStringLiteral("Workbook"), [&sheet](const auto& write) {
        return BuildXlsWorkbook(sheet, write);
    });
}

}  // namespace bw
