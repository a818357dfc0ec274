#pragma once
// The name of a database backup made before an update: BAK_data000.DAT, BAK_data001.DAT, ...,
// BAK_data999.DAT, BAK_data1000.DAT in the data folder. Backups are never overwritten.

#include <QString>

namespace bw {

// The backup name for number `n`: "BAK_data" + n with at least three digits + ".DAT".
QString BackupFileName(int n);

// The first of the 1001 names (n = 0..1000) under which nothing exists in `folder` (not even
// a dangling link), as a full path; "" when every name is taken. The caller should copy
// with QFile::copy, which never overwrites.
QString ChooseBackupPath(const QString& folder);

}  // namespace bw
