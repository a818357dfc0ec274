#include "platform/XlsReader.h"

#include <QHash>
#include <algorithm>
#include <memory>

#include "platform/BiffCodec.h"
#include "platform/CompoundFile.h"
#include "platform/TextCodec.h"

namespace bw {

using namespace biff;

namespace {

constexpr int kMaxRows = 65536;
constexpr int kMaxCols = 256;

enum BofType { kGlobals = 0x0005, kWorksheet = 0x0010, kChart = 0x0020, kMacroSheet = 0x0040 };

struct Failed {
    int error;
};

}  // namespace

// Reads the workbook stream into an XlsWorkbook.
class XlsParser {
public:
    XlsParser(const QByteArray& stream, XlsWorkbook& book) : s_(stream), book_(book) {}

    void run() {
        globals();
        // Sheets that share an offset are read once; the total work is bounded.
        QHash<std::uint32_t, std::size_t> done;
        budget_ = 4 * static_cast<qint64>(s_.size()) + 65536;
        for (std::size_t i = 0; i < book_.sheets_.size(); ++i) {
            XlsWorkbook::Sheet& sh = book_.sheets_[i];
            if (sh.type != 0) continue;
            const std::uint32_t at = offsets_[i];
            if (done.contains(at)) {
                sh.cells = book_.sheets_[done.value(at)].cells;
                continue;
            }
            sheet(at, sh);
            done.insert(at, i);
        }
    }

private:
    [[noreturn]] static void damaged() { throw Failed{kXlsCannotOpen}; }

    QString bytesText(const QByteArray& b) {
        if (!decoder_) decoder_ = std::make_unique<CodePageDecoder>(codePage_);
        return decoder_->decode(b);
    }

    // A string of a record at `at`: BIFF8 Unicode or BIFF5 bytes, with a 1- or 2-byte
    // length.
    bool recordString(const Record& r, qsizetype at, int lenSize, QString* out) {
        Cursor c(r);
        if (!c.skip(at)) return false;
        if (book_.biff_ == 8) return c.xlString(lenSize, out);
        QByteArray b;
        if (!c.byteString(lenSize, &b)) return false;
        *out = bytesText(b);
        return true;
    }

    void globals() {
        RecordWalker w(s_, 0);
        Record r;
        if (!w.next(&r) || r.id != kBof || Get16(r.body(), 2) != kGlobals)
            throw Failed{kXlsWrongType};
        const int version = Get16(r.body(), 0);
        if (version == 0x0600)
            book_.biff_ = 8;
        else if (version == 0x0500 || version == 0)
            book_.biff_ = 5;
        else
            throw Failed{kXlsWrongType};
        QHash<int, QString> formats;
        std::vector<int> xfFormats;
        bool ended = false;
        while (!ended && w.next(&r)) {
            QByteArrayView b = r.body();
            switch (r.id) {
                case 0x002F:
                    damaged();  // FILEPASS: an encrypted workbook
                case kCodePage:
                    codePage_ = Get16(b, 0);
                    break;
                case kDateMode:
                    book_.date1904_ = Get16(b, 0) == 1;
                    break;
                case kFormat: {
                    QString text;
                    if (!recordString(r, 2, book_.biff_ == 8 ? 2 : 1, &text)) damaged();
                    formats.insert(Get16(b, 0), text);
                    break;
                }
                case kXf:
                    xfFormats.push_back(Get16(b, 2));
                    break;
                case kBoundSheet: {
                    XlsWorkbook::Sheet sh;
                    if (!recordString(r, 6, 1, &sh.name)) damaged();
                    const int type = static_cast<std::uint8_t>(b.size() > 5 ? b[5] : 0);
                    if (type == 6) break;  // a Visual Basic module: no sheet
                    sh.type = type == 2 ? 2 : type == 1 ? 1 : 0;
                    offsets_.push_back(Get32(b, 0));
                    book_.sheets_.push_back(std::move(sh));
                    break;
                }
                case kSst:
                    if (book_.biff_ == 8) sst(r);
                    break;
                case kEof:
                    ended = true;
                    break;
                default:
                    break;
            }
        }
        if (!ended) damaged();
        xfIsDate_.resize(xfFormats.size());
        for (std::size_t i = 0; i < xfFormats.size(); ++i)
            xfIsDate_[i] = IsXlsDateFormat(xfFormats[i], formats.value(xfFormats[i]));
    }

    void sst(const Record& r) {
        Cursor c(r);
        std::uint32_t total = 0, unique = 0;
        if (!c.u32(&total) || !c.u32(&unique)) damaged();
        // Never trust the count for memory: a string takes at least three bytes.
        book_.strings_.reserve(std::min<qint64>(unique, c.left() / 3 + 1));
        for (std::uint32_t i = 0; i < unique && c.left() > 0; ++i) {
            QString s;
            if (!c.xlString(2, &s)) damaged();
            book_.strings_.push_back(std::move(s));
        }
        sstCount_ = book_.strings_.size();
    }

    std::uint32_t addString(QString s) {
        book_.strings_.push_back(std::move(s));
        return static_cast<std::uint32_t>(book_.strings_.size() - 1);
    }

    void put(std::vector<XlsWorkbook::Cell>& cells, int row, int col, int xf, XlsValue::Kind kind,
             double number, std::uint32_t string = 0) {
        if (row < 0 || row >= kMaxRows || col < 0 || col >= kMaxCols) return;
        if (kind == XlsValue::Number && xf >= 0 &&
            static_cast<std::size_t>(xf) < xfIsDate_.size() &&
            xfIsDate_[static_cast<std::size_t>(xf)])
            kind = XlsValue::Date;
        cells.push_back({(std::uint32_t(row) << 8) | std::uint32_t(col), kind, string, number});
    }

    void sheet(std::uint32_t at, XlsWorkbook::Sheet& sh) {
        RecordWalker w(s_, at);
        Record r;
        if (!w.next(&r) || r.id != kBof) damaged();
        auto& cells = sh.cells;
        int depth = 1;
        std::ptrdiff_t pendingString = -1;  // a formula cell waiting for its STRING record
        while (depth > 0) {
            if (!w.next(&r)) damaged();
            qint64 size = 4;
            for (QByteArrayView p : r.parts) size += 4 + p.size();
            budget_ -= size;
            if (budget_ < 0) damaged();
            QByteArrayView b = r.body();
            if (r.id == kBof) {
                ++depth;
                continue;
            }
            if (r.id == kEof) {
                --depth;
                continue;
            }
            if (depth != 1) continue;  // an embedded chart's records
            const int row = Get16(b, 0), col = Get16(b, 2), xf = Get16(b, 4);
            switch (r.id) {
                case kNumber:
                    if (b.size() >= 14) put(cells, row, col, xf, XlsValue::Number, GetF64(b, 6));
                    break;
                case kRk:
                    if (b.size() >= 10)
                        put(cells, row, col, xf, XlsValue::Number, DecodeRk(Get32(b, 6)));
                    break;
                case kMulRk: {
                    const qsizetype n = (b.size() - 6) / 6;
                    for (qsizetype i = 0; i < n; ++i)
                        put(cells, row, col + static_cast<int>(i), Get16(b, 4 + 6 * i),
                            XlsValue::Number, DecodeRk(Get32(b, 6 + 6 * i)));
                    break;
                }
                case kLabel:
                case kRString: {
                    QString text;
                    if (!recordString(r, 6, 2, &text)) damaged();
                    put(cells, row, col, xf, XlsValue::Text, 0, addString(std::move(text)));
                    break;
                }
                case kLabelSst: {
                    std::uint32_t i = Get32(b, 6);
                    if (b.size() < 10 || i >= sstCount_) break;  // a lying index reads empty
                    put(cells, row, col, xf, XlsValue::Text, 0, i);
                    break;
                }
                case kBoolErr:
                    if (b.size() >= 8)
                        put(cells, row, col, xf, b[7] ? XlsValue::Error : XlsValue::Bool,
                            static_cast<std::uint8_t>(b[6]));
                    break;
                case kFormula:
                case kFormula4: {
                    pendingString = -1;
                    if (b.size() < 14) break;
                    if (Get16(b, 12) != 0xFFFF) {
                        put(cells, row, col, xf, XlsValue::Number, GetF64(b, 6));
                        break;
                    }
                    switch (static_cast<std::uint8_t>(b[6])) {
                        case 0:  // text: the STRING record that follows holds it
                            put(cells, row, col, xf, XlsValue::Text, 0, addString(QString()));
                            if (!cells.empty() &&
                                cells.back().key == ((std::uint32_t(row) << 8) | col))
                                pendingString = static_cast<std::ptrdiff_t>(cells.size() - 1);
                            break;
                        case 1:
                            put(cells, row, col, xf, XlsValue::Bool, b[8] ? 1 : 0);
                            break;
                        case 2:
                            put(cells, row, col, xf, XlsValue::Error,
                                static_cast<std::uint8_t>(b[8]));
                            break;
                        case 3:
                            put(cells, row, col, xf, XlsValue::Text, 0, addString(QString()));
                            break;
                        default:
                            break;
                    }
                    break;
                }
                case kString: {
                    if (pendingString < 0) break;
                    QString text;
                    if (!recordString(r, 0, 2, &text)) damaged();
                    book_.strings_[cells[static_cast<std::size_t>(pendingString)].string] =
                        std::move(text);
                    pendingString = -1;
                    break;
                }
                default:
                    break;
            }
        }
        // One cell per place, the last record winning, in row-column order.
        std::stable_sort(
            cells.begin(), cells.end(),
            [](const XlsWorkbook::Cell& a, const XlsWorkbook::Cell& b) { return a.key < b.key; });
        std::vector<XlsWorkbook::Cell> unique;
        unique.reserve(cells.size());
        for (const XlsWorkbook::Cell& c : cells) {
            if (!unique.empty() && unique.back().key == c.key)
                unique.back() = c;
            else
                unique.push_back(c);
        }
        cells = std::move(unique);
    }

    const QByteArray& s_;
    XlsWorkbook& book_;
    std::vector<std::uint32_t> offsets_;
    std::vector<bool> xfIsDate_;
    std::size_t sstCount_ = 0;
    int codePage_ = 1252;
    std::unique_ptr<CodePageDecoder> decoder_;
    qint64 budget_ = 0;
};

int XlsWorkbook::open(const QString& path) {
    sheets_.clear();
    strings_.clear();
    date1904_ = false;
    biff_ = 0;
    QByteArray stream;
    QString found;
    switch (ReadCompoundStream(path, {QStringLiteral("Workbook"), QStringLiteral("Book")}, &stream,
                               &found)) {
        case CompoundStatus::Ok:
            break;
        case CompoundStatus::CannotOpen:
        case CompoundStatus::Damaged:
            return kXlsCannotOpen;
        case CompoundStatus::NotCompound:
        case CompoundStatus::NoStream:
            return kXlsWrongType;
    }
    try {
        XlsParser(stream, *this).run();
    } catch (const Failed& f) {
        sheets_.clear();
        strings_.clear();
        date1904_ = false;
        biff_ = 0;
        return f.error;
    }
    return kXlsOk;
}

QStringList XlsWorkbook::sheetNames() const {
    QStringList names;
    for (const Sheet& s : sheets_) names << s.name;
    return names;
}

int XlsWorkbook::worksheetIndex(const QString& name) const {
    for (std::size_t i = 0; i < sheets_.size(); ++i)
        if (sheets_[i].type == 0 && sheets_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int XlsWorkbook::cell(int sheet, int row, int col, XlsValue* out) const {
    *out = XlsValue();
    if (sheet < 0 || static_cast<std::size_t>(sheet) >= sheets_.size()) return kXlsNoSuchSheet;
    if (row < 1 || row > kMaxRows || col < 1 || col > kMaxCols) return kXlsOutOfRange;
    const std::uint32_t key = (std::uint32_t(row - 1) << 8) | std::uint32_t(col - 1);
    const auto& cells = sheets_[static_cast<std::size_t>(sheet)].cells;
    auto it = std::lower_bound(cells.begin(), cells.end(), key,
                               [](const Cell& c, std::uint32_t k) { return c.key < k; });
    if (it == cells.end() || it->key != key) return kXlsOk;
    out->kind = it->kind;
    out->number = it->number;
    if (it->kind == XlsValue::Text && it->string < strings_.size())
        out->text = strings_[it->string];
    return kXlsOk;
}

int XlsWorkbook::cellText(int sheet, int row, int col, QString* out) const {
    XlsValue v;
    int err = cell(sheet, row, col, &v);
    *out = XlsValueText(v, date1904_);
    return err;
}

}  // namespace bw
