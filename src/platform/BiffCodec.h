#pragma once
// Record-level code of the BIFF stream inside .xls workbooks, shared by the workbook reader
// and writer: record ids, a bounds-checked record walker that gathers each record's CONTINUE
// records, a cursor that reads values and strings across those record boundaries, and the
// builders the writer appends records with.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace bw::biff {

// Record ids used here.
enum RecordId : std::uint16_t {
    kFormula = 0x0006,
    kEof = 0x000A,
    kDateMode = 0x0022,
    kExternSheet = 0x0017,
    kContinue = 0x003C,
    kWindow1 = 0x003D,
    kCodePage = 0x0042,
    kColInfo = 0x007D,
    kBoundSheet = 0x0085,
    kPalette = 0x0092,
    kMulRk = 0x00BD,
    kMulBlank = 0x00BE,
    kRString = 0x00D6,
    kSst = 0x00FC,
    kExtSst = 0x00FF,
    kLabelSst = 0x00FD,
    kBlank = 0x0201,
    kNumber = 0x0203,
    kLabel = 0x0204,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kRow = 0x0208,
    kDimensions = 0x0200,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXf = 0x00E0,
    kStyle = 0x0293,
    kRk = 0x027E,
    kFormula4 = 0x0406,
    kBof = 0x0809,
};

constexpr int kMaxBody = 8224;  // longest record body BIFF8 allows

// A record: its id, its offset in the stream, its body and the bodies of the CONTINUE
// records that directly follow it (parts[0] is the record's own body).
struct Record {
    std::uint16_t id = 0;
    qsizetype offset = 0;
    std::vector<QByteArrayView> parts;
    QByteArrayView body() const { return parts.empty() ? QByteArrayView() : parts[0]; }
};

// Walks the records of a stream from a start offset.
class RecordWalker {
public:
    RecordWalker(const QByteArray& stream, qsizetype start);
    // The next record with its CONTINUE records; false at the end of the stream or when a
    // record header or body runs past it (damaged() is then true).
    bool next(Record* r);
    bool damaged() const { return damaged_; }

private:
    const QByteArray& s_;
    qsizetype pos_;
    bool damaged_ = false;
};

// Reads a record's bytes in order across its parts. Every read fails (returns false and
// leaves ok() false from then on) rather than run past the data.
class Cursor {
public:
    explicit Cursor(const Record& r) : parts_(&r.parts) {}
    bool u8(std::uint8_t* v);
    bool u16(std::uint16_t* v);
    bool u32(std::uint32_t* v);
    bool f64(double* v);
    bool skip(qint64 n);
    // Reads a BIFF8 string: a 1- or 2-byte character count (lenSize), the option byte and
    // the characters, 8-bit or UTF-16; a string split over a part boundary goes on with a
    // fresh option byte. Rich-text runs and phonetic data are skipped.
    bool xlString(int lenSize, QString* out);
    // Reads the characters of a BIFF8 string whose count and option byte were read already.
    bool xlChars(std::uint32_t count, std::uint8_t options, QString* out);
    // Reads a BIFF5 byte string with a 1- or 2-byte length.
    bool byteString(int lenSize, QByteArray* out);
    bool ok() const { return ok_; }
    // Bytes left in the current part and in all parts.
    qint64 leftInPart() const;
    qint64 left() const;

private:
    bool fail() { return ok_ = false; }
    bool normalise();  // moves past exhausted parts; false when none is left
    bool bytes(void* dst, int n);
    const std::vector<QByteArrayView>* parts_;
    std::size_t part_ = 0;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

// Little-endian value at an offset of a body, 0 when out of range.
std::uint16_t Get16(QByteArrayView b, qsizetype at);
std::uint32_t Get32(QByteArrayView b, qsizetype at);
double GetF64(QByteArrayView b, qsizetype at);

// The number an RK value holds.
double DecodeRk(std::uint32_t rk);

// Builders for the writer.
void Put8(QByteArray& b, int v);
void Put16(QByteArray& b, int v);
void Put32(QByteArray& b, std::uint32_t v);
void PutF64(QByteArray& b, double v);
// A BIFF8 string stored as UTF-16 with a 1- or 2-byte character count.
void PutXlString(QByteArray& b, const QString& s, int lenSize);
// Appends a record; the body must not exceed kMaxBody.
void PutRecord(QByteArray& stream, std::uint16_t id, const QByteArray& body);

// A text given in two pieces that are stored as one (a cell's text and a fixed ending).
struct SplitText {
    QStringView head, tail;
    qsizetype size() const { return head.size() + tail.size(); }
};

// Appends the shared-string table (SST, its CONTINUE records, then EXTSST) for `strings`,
// where `totalRefs` is the number of cells that refer to the table. Strings are stored as
// UTF-16; a string that does not fit a record goes on in a CONTINUE record with a fresh
// option byte.
void PutSharedStrings(QByteArray& stream, const std::vector<SplitText>& strings,
                      std::uint32_t totalRefs);

}  // namespace bw::biff
