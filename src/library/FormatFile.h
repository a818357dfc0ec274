#pragma once
// The format interchange file (".vfm"): one format's rows of table Fmt and its custom-type
// parameters as GBK text with CR LF line ends, so that formats travel between installations.
// The file's picture travels beside it (the same path with ".jpg" for its last four
// characters).
//
// Layout: the header line, the name line, one record line per row (23 fields joined by
// "】★【"; CR LF inside LBL written "‖‖‖", inside Mem "♂♂"), the marker "[自定义内容]", one
// line "key=[value][END]" per custom-type parameter; no CR LF after the last line. Files
// written by other installations read back unchanged: keep this layout byte for byte.

#include <QString>
#include <QStringList>

namespace bw {

inline const QString kFormatFileHeader = QStringLiteral("<KorvaneOverwick格式专用>");
inline const QString kFormatFileFieldSeparator = QStringLiteral("】★【");
inline const QString kFormatFileCustomMarker = QStringLiteral("[自定义内容]");
inline const QString kFormatFileFilter = QStringLiteral("Bellweft格式(*.vfm)|*.vfm");

// The whole file text of the stored format (empty sections when it has no rows).
QString FormatFileText(const QString& name);

// The lines of a file's text (split at CR LF) after broken records were re-joined: from the
// last line down to the fourth, a line with fewer than 20 separators is appended to the line
// before it with CR LF between them. The custom section thus ends up inside the last record.
QStringList FormatFileLines(const QString& text);

// True when the lines start with the header and hold at least a name and one more line.
bool IsFormatFile(const QStringList& lines);

// The format name an imported file gets: its file name without the last extension.
QString FormatNameOfFile(const QString& path);

// How storing a file's lines ended.
enum class FormatFileStore { Stored, BadRecord, Failed };

// Stores the records (lines from the third on, as FormatFileLines gives them) as the format
// `name`, which must be free, with their links renumbered to the new record keys (signs
// kept) and the custom-type parameters of the file's custom section. All or nothing: a
// record with fewer than 21 fields (BadRecord) or a failing statement (Failed) leaves the
// database as it was.
FormatFileStore StoreFormatFileLines(const QStringList& lines, const QString& name);

// True when table Fmt holds rows of the format.
bool FormatExists(const QString& name);

// Asks for the format (empty name: the chooser) and a file, writes the format's file and
// copies its picture beside it, then tells the user how it went.
void ExportFormatFile(const QString& name);

// Reads a format file (empty path: asked) and adds its format under a free name with its
// custom parameters, tree node and picture, then offers to open it. True when it was added.
bool ImportFormatFile(QString path);

}  // namespace bw
