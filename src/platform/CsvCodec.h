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
// - `a,"",b` gives three fields, the middle one empty; `""""` gives one field `"`.
// - An empty line is a record with no fields; a line break at the very end of the file
//   does not start another record; an empty file has no records.
// - Encoding: UTF-8 when the file starts with the UTF-8 byte-order mark (dropped) or when
//   all its bytes are valid UTF-8; otherwise GBK, where an undecodable byte becomes U+FFFD.
// - Fields are returned exactly as they are: the import itself removes the TAB the export
//   puts at the end of every cell (it removes one from each box's value, not per field).
//
// Writing (the grid export): every cell gets one TAB appended (so that spreadsheet
// programs keep it as text); every double quote is doubled; a cell holding a comma, a
// double quote, CR or LF is enclosed in double quotes; cells are joined with "," and each
// row ends with CR LF; the text is GBK (characters GBK cannot hold become "?").

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace bw {

// Parses the bytes of a CSV file into records (logical lines) of fields.
QList<QStringList> ParseCsv(const QByteArray& bytes, const QString& lineBreakMark);

// Reads and parses the file. False (records left empty) when it cannot be read.
bool ReadCsvFile(const QString& path, const QString& lineBreakMark, QList<QStringList>* records);

// The bytes of the export of a table of texts (rows of cells).
QByteArray CsvExportBytes(const QList<QStringList>& table);

// Writes the export to "<path>.TMP" and renames it over `path`. True only when the whole
// file was written and is in place; on failure the target is left as it was.
bool WriteCsvFile(const QString& path, const QList<QStringList>& table);

}  // namespace bw
