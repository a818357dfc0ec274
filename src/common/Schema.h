#pragma once
// The tables of DATA.db.

#include <QString>

namespace bw {

// The caption of a format's whole-format row in Fmt.
inline const QString kWholeFormatLabel = QStringLiteral("【§单据整体格式参数§】");

// Creates the database file with every table, its indexes and the application-options row.
// False when the file cannot be created (nothing is left behind then); an existing file is
// left alone. `made` tells whether this call made the file (not when it was there already,
// or another program made it meanwhile).
bool CreateDatabase(const QString& path, bool* made = nullptr);

// What the start-up check found of DATA.db.
enum class DataFileState {
    Ready,     // whole, with every table
    Created,   // there was none (or an empty file): a new one was made
    Repaired,  // tables were missing and were made again, empty; the user was told
    Damaged,   // SQLite's check failed: nothing was opened over it; the user was told
    Unusable,  // it could not be made (the folder cannot be written), may not be opened, or
               // another program holds it past the wait; the user was told
};

// The start-up check of DATA.db in the data folder, before anything writes to it: a missing
// or empty file is made new (CreateDatabase) with the ready formats of the store's door
// (Doors().store.readyFormats, when filled) written into it before it takes its name, so
// that a start cut off at any moment leaves no file or a whole one with them; otherwise
// SQLite's quick check runs and missing tables are made again. A file that fails the check,
// or lacks tables, is first copied aside in the data folder ("DATA.damaged-<date>-<time>.db")
// and the user is told which file it is and where the copy is.
DataFileState CheckDataFile();

// Gives DATA.db in the data folder every index the tables have in a new file, and drops the
// indexes of earlier files that nothing uses any more; the rows stay as they are. Run at
// every start after the check: a file that has them all costs one look at its list of
// indexes and shows nothing. The first start on a file of an earlier program makes the
// missing ones, which takes a while on a long history: the progress window says so
// ("正在整理数据文件，请稍候……"; it cannot be stopped). All or nothing: a failure (another
// program holding the file, a full disk) leaves the file as it was, the user is told once
// with the cause, and the next start tries again.
void UpgradeIndexes();

// Creates DATA.db in the data folder when it is missing. True when the database is there.
bool EnsureDatabase();

}  // namespace bw
