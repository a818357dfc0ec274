#pragma once

#include <QString>
#include <QStringList>

namespace bw {

// The program's entry: puts Qt's own texts in Chinese and decides the data folder. Ends at
// once (false) when the program already runs on that folder, or when the folder's lock file
// cannot be made (the user is told why): a start that does not hold the folder's lock writes
// nothing there. Then removes what writes cut off by a crash left in the folder, its Output
// and the folder of the last PDF file, checks the data file (a new one comes with the ready
// formats) and brings it up to date, ends (false, the lock given up) when the data file is
// damaged, cannot be opened or another program holds it so that nothing can be read (the
// user is told), and otherwise opens the password prompt or the main window.
bool Main(const QStringList& arguments);

// Brings the data file up to date: the link columns later versions added to table Fmt, and
// the indexes of every table (UpgradeIndexes).
void UpgradeFmtSchema();

// One running program per data folder: takes the lock file in the data folder and keeps it
// for the life of the process (on a full disk too, where its text cannot be written). False
// when another running program holds it, or when the lock file cannot be made; `why` then
// names the cause: the data folder that cannot be written, or the lock file and why
// ("磁盘空间已满", ...); it stays as it was when another program holds the lock.
bool AcquireInstanceLock(QString* why = nullptr);
// Gives the lock up (a start that ends early; tests that start the program more than once in
// one process).
void ReleaseInstanceLock();
// The lock file of the data folder.
QString InstanceLockPath();

}  // namespace bw
