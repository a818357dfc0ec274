#pragma once
// Comma-separated text files: the field parser behind the CSV import and the writer behind
// the CSV export of grids.
//
// Reading (RFC 4180 with the leniency real files need):
// - The bytes are split into records and fields first and each field is decoded after, so
//   an undecodable byte can never take the comma, quote or line end after it.
// - Physical lines end at CR LF or at a bare LF; a CR not followed by LF is data.
// - A field that starts with a double quote is quoted: it runs to the next lone quote, a
//   doubled quote inside stands for one quote, commas are data, and every line break inside
//   (CR LF, lone CR or lone LF) becomes the caller's line-break mark. Anything between the
//   closing quote and the next comma or line end is kept as data. A quote inside an
//   unquoted field is data. A quote still open at the end of the file ends its field there.
// - A field is at most kMaxCsvFieldBytes bytes of the file: no box holds more, and a longer
//   one is nearly always a quote that never ends (a stray `"` at the start of a cell makes
//   the rest of the file one field). Reading stops before the record that holds it.
// - `a,"",b` gives three fields, the middle one empty; `""""` gives one field `"`.
// - An empty line is a record with no fields; a line break at the very end of the file
//   does not start another record; an empty file has no records.
// - Encoding: UTF-8 when the file starts with the UTF-8 byte-order mark (dropped); otherwise
//   decided where the first byte outside ASCII stands (before it both read the same), on
//   the MiB of the file from there, or up to the end: UTF-8 when those bytes are valid
//   UTF-8, else GBK, where an undecodable byte becomes U+FFFD. A character cut off by the
//   MiB's end counts as valid, one cut off by the file's end does not. A file of 1 MiB or
//   less is thus UTF-8 exactly when all its bytes are valid UTF-8. The whole-file parse and
//   the reader of pieces decide alike on every file.
// - Fields are returned exactly as they are: the import itself removes the TAB the export
//   puts at the end of every cell (it removes one from each box's value, not per field).
//
// Writing (the grid export): every cell gets one TAB appended (so that spreadsheet
// programs keep it as text); every double quote is doubled; a cell holding a comma, a
// double quote, CR or LF is enclosed in double quotes; cells are joined with "," and each
// row ends with CR LF; the text is GBK (characters GBK cannot hold become "?").

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace bw {

// The longest field read, in bytes of the file (quotes and line breaks included): tens of
// thousands of characters in any encoding.
inline constexpr qsizetype kMaxCsvFieldBytes = 64 * 1024;

// Parses the bytes of a CSV file into records (logical lines) of fields; the records before
// one with a field longer than kMaxCsvFieldBytes, when there is one.
QList<QStringList> ParseCsv(const QByteArray& bytes, const QString& lineBreakMark);

// Where a read stopped at a field longer than kMaxCsvFieldBytes.
struct CsvOverlongField {
    qint64 line = 0;      // the line of the file (counted by line feeds, from 1) where it
                          // begins; 0: no such field was met
    bool quoted = false;  // it begins with a quote: a quote that does not end in time
};

class CsvFieldDecoder;

// Reads a CSV file record by record, holding a piece of the file of a MiB or two at a time
// (more only for a record longer than that): a caller that takes the first records of a
// large file stops reading there.
class CsvReader {
public:
    CsvReader(const QString& path, const QString& lineBreakMark);
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // False when the file cannot be opened or its first bytes read.
    bool Open();
    // The next record into `fields`, or passed over without decoding it when `fields` is
    // null. False at the end of the file, when the file could not be read on (Failed), and
    // at a record with a field too long (Overlong), which is neither read nor passed.
    bool Next(QStringList* fields);
    bool Failed() const { return failed_; }
    const CsvOverlongField& Overlong() const { return overlong_; }

private:
    // Reads at least `atLeast` more bytes unless the file ends first; false on a read error.
    bool fill(qsizetype atLeast);
    // While the encoding is open: decides it once a byte outside ASCII has come in.
    bool decideEncoding();

    QFile file_;
    QString mark_;
    QByteArray buf_;
    qsizetype pos_ = 0;    // the next record starts here
    qsizetype ascii_ = 0;  // every byte of buf_ before this is ASCII (while undecided)
    qint64 line_ = 1;      // the line of the file where pos_ stands
    CsvOverlongField overlong_;
    bool eof_ = false, failed_ = false, decided_ = false;
    std::unique_ptr<CsvFieldDecoder> decode_;
};

// Reads and parses the whole file. False (records left empty) when it cannot be read, or
// holds a field too long.
bool ReadCsvFile(const QString& path, const QString& lineBreakMark, QList<QStringList>* records);

// The bytes of the export of a table of texts (rows of cells).
QByteArray CsvExportBytes(const QList<QStringList>& table);

// Writes the export to "<path>.TMP" and renames it over `path`. True only when the whole
// file was written and is in place; on failure the target is left as it was.
bool WriteCsvFile(const QString& path, const QList<QStringList>& table);

}  // namespace bw
