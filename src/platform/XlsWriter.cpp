#include "platform/XlsWriter.h"

#include <QHash>
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

QByteArray BuildXlsWorkbook(const XlsSheetContent& sheet) {
    const int rowCount = static_cast<int>(std::min<qsizetype>(sheet.rows.size(), kMaxRows + 1));
    int colCount = 0;
    for (const QStringList& r : sheet.rows)
        colCount = static_cast<int>(std::max<qsizetype>(colCount, r.size()));
    if (rowCount > kMaxRows || colCount > kMaxCols) return {};

    // Shared strings.
    // Each cell's index into the table is found once here (-1: an empty cell).
    QStringList strings;
    QHash<QString, int> stringIndex;
    std::vector<int> cellString(static_cast<size_t>(rowCount) * colCount, -1);
    std::uint32_t refs = 0;
    for (int r = 0; r < rowCount; ++r) {
        const QStringList& row = sheet.rows[r];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            const QString& t = row[c];
            if (t.isEmpty()) continue;
            const QString s = t.size() > kMaxText ? t.left(kMaxText) : t;
            ++refs;
            auto it = stringIndex.constFind(s);
            if (it == stringIndex.constEnd()) {
                it = stringIndex.insert(s, static_cast<int>(strings.size()));
                strings << s;
            }
            cellString[static_cast<size_t>(r) * colCount + c] = *it;
        }
    }

    // Workbook globals.
    QByteArray g;
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
    PutSharedStrings(g, strings, refs);
    PutRecord(g, kEof, {});

    // The sheet.
    const std::uint32_t sheetAt = static_cast<std::uint32_t>(g.size());
    g[boundSheetAt + 4] = static_cast<char>(sheetAt & 0xFF);
    g[boundSheetAt + 5] = static_cast<char>((sheetAt >> 8) & 0xFF);
    g[boundSheetAt + 6] = static_cast<char>((sheetAt >> 16) & 0xFF);
    g[boundSheetAt + 7] = static_cast<char>((sheetAt >> 24) & 0xFF);

    QByteArray& s = g;
    s.reserve(s.size() + static_cast<qsizetype>(rowCount) * (20 + 14 * colCount) + 4096);
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
    for (int block = 0; block < rowCount; block += 32) {
        const int end = std::min(rowCount, block + 32);
        for (int r = block; r < end && colCount > 0; ++r) {
            QByteArray b;
            Put16(b, r);
            Put16(b, 0);
            Put16(b, colCount);
            Put16(b, 0x00FF);
            Put16(b, 0);
            Put16(b, 0);
            Put32(b, 0x000F0100);
            PutRecord(s, kRow, b);
        }
        for (int r = block; r < end; ++r) {
            const int xfIndex = header[r] ? kXfHeader : kXfBody;
            for (int c = 0; c < colCount; ++c) {
                // LABELSST (row, column, format, string index) or BLANK (row, column, format),
                // written in place: there are as many as the sheet has cells.
                const int sst = cellString[static_cast<size_t>(r) * colCount + c];
                unsigned char cell[14];
                auto put16 = [&cell](int at, unsigned v) {
                    cell[at] = static_cast<unsigned char>(v & 0xFF);
                    cell[at + 1] = static_cast<unsigned char>((v >> 8) & 0xFF);
                };
                put16(0, sst >= 0 ? kLabelSst : kBlank);
                put16(2, sst >= 0 ? 10 : 6);
                put16(4, static_cast<unsigned>(r));
                put16(6, static_cast<unsigned>(c));
                put16(8, static_cast<unsigned>(xfIndex));
                if (sst >= 0) {
                    put16(10, static_cast<unsigned>(sst) & 0xFFFF);
                    put16(12, static_cast<unsigned>(sst) >> 16);
                }
                s.append(reinterpret_cast<const char*>(cell), sst >= 0 ? 14 : 10);
            }
        }
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
    if (s.size() < 4096) s.append(QByteArray(4096 - s.size(), '\0'));
    return s;
}

bool WriteXlsFile(const QString& path, const XlsSheetContent& sheet) {
    QByteArray stream = BuildXlsWorkbook(sheet);
    if (stream.isEmpty()) return false;
    return WriteCompoundFile(path, QStringLiteral("Workbook"), stream);
}

}  // namespace bw
