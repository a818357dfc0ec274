#pragma once
// Text files exchanged with other users (GBK), written through a temporary file, and the
// compaction of the database file.

#include <QString>

namespace bw {

// Writes the text (GBK) to path + ".TMP", then puts it in place of path in one step.
// 1 when written; -1 .. -7 the step that failed (a ".TMP" not written whole is removed).
int WriteTextFile(const QString& text, const QString& path);
// Up to 31 tries of WriteTextFile on the same path; true when one of them wrote the file.
bool SaveTextFile(const QString& text, const QString& path);
// The text of a file that may still be arriving: up to 100 reads, an empty file counting as
// not yet there (as does anything but a regular file); "" and a message when it never came.
// deleteAfter removes it once read.
QString ReadTextFile(const QString& path, bool deleteAfter);
// The system's temporary folder with a trailing "/".
QString TempPath();

// Compacts the database file into a temporary file beside it and puts the compacted copy in
// its place; makeBackup first keeps a copy of the old file as CompactionBackupPath(path).
// The original stays untouched unless the compacted copy is complete; a failed compaction
// leaves no file of its own behind and tells the user.
void CompactDatabase(const QString& path, const QString& password, bool makeBackup);
// "backup.db" in the database file's folder.
QString CompactionBackupPath(const QString& path);
// Compacts DATA.db of the data folder with a backup.
void CompactDataFile();

}  // namespace bw
