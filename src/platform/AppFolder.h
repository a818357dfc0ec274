#pragma once
// The program's data folder: where the database, the background pictures, the folder Temp
// and every other file the program keeps live.

#include <QString>
#include <QStringList>

namespace bw {

// The database file's name inside the data folder.
inline constexpr const char* kDatabaseFileName = "DATA.db";

// Decides the data folder from the command line: `--data-dir DIR` when given; otherwise
// the executable's folder when it already holds the database (portable use); otherwise the
// per-user data folder. Creates the folder when missing. Returns the folder.
QString InitAppFolder(const QStringList& arguments);

// The data folder, without a trailing separator.
QString AppPath();

// Sets the data folder directly (tests, and InitAppFolder).
void SetAppPath(const QString& folder);

// AppPath() + "/" + name.
QString AppFile(const QString& name);

}  // namespace bw
