#pragma once

#include <QString>
#include <QStringList>

namespace bw {

// The program's entry: puts Qt's own texts in Chinese, decides the data folder, ends at once
// (false) when the program already runs on that data folder, or when the data folder cannot
// be written; otherwise removes the temporaries of writes cut off there, checks the data
// file and brings it up to date, ends (false) when the data file is damaged (the user is
// told of the last two), and opens the password prompt or the main window. Nothing is
// written before the lock is held, and the lock is given up again when the program ends
// here.
bool Main(const QStringList& arguments);

// Brings table Fmt up to date: the link columns added by later versions.
void UpgradeFmtSchema();

// One running program per data folder: takes the lock file in the data folder and keeps it
// for the life of the process. False when another running program holds it, or when the
// lock file cannot be made; `why` then names the data folder that cannot be written (it
// stays as it was when another program holds the lock).
bool AcquireInstanceLock(QString* why = nullptr);
// Gives the lock up (a start that ends early; tests that start the program more than once in
// one process).
void ReleaseInstanceLock();
// The lock file of the data folder.
QString InstanceLockPath();

}  // namespace bw
