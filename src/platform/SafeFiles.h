#pragma once
// Writing files so that a full disk or a folder that cannot be written never costs the old
// file and never leaves a half-written one behind: a new file is written under a temporary
// name beside its target, flushed to the disk, and only then renamed over the target. When a
// write fails, the reason is found out again so that the user can be told what to free. A
// temporary is locked while it is written, so that one left behind by a write cut off (a
// crash, a power cut) is told apart and removed, and one being written never is; its name
// carries a mark of the program's own, so that no file of the user's is taken for one.

#include <QByteArray>
#include <QString>

namespace bw {

// The reason, in the user's words, why a file of `bytes` bytes cannot be written into
// `folder` now: "磁盘空间已满", "文件夹“…”不能写入", "文件名太长" or the system's own text.
// "" when such a file can be written after all (the failure has passed). Leaves nothing
// behind.
QString WriteFailureCause(const QString& folder, qint64 bytes);

// The reason, in the user's words, for the system's error `error` on a write into `folder`,
// worded as WriteFailureCause words it. `folderShut` (when given) tells whether the cause is
// a folder that takes no files (not writable, read-only, missing).
QString WriteErrorCause(int error, const QString& folder, bool* folderShut = nullptr);

// A new empty file with a unique name in the folder of `target` (hidden,
// ".NAME.bwtmp-XXXXXX.part"), made as any new file is (0666 less the umask). The process holds
// it under an exclusive lock of the system's (flock) until ReplaceFile puts it in place or
// RemoveTemporary removes it, so that a temporary no process holds is known to be left behind
// by a write that never ended; those left in the folder, of any file, are removed first. ""
// when the folder cannot be written; `why` then receives the reason.
QString CreateTemporaryBeside(const QString& target, QString* why = nullptr);

// The name a temporary of CreateTemporaryBeside for a file named `fileName` takes, with "XXXXXX"
// for its six random letters (as long as any).
QString TemporaryFileName(const QString& fileName);

// Removes a temporary of CreateTemporaryBeside (or any file) and gives up its lock.
void RemoveTemporary(const QString& tmp);

// Removes the temporaries of CreateTemporaryBeside in `folder` (and in its sub-folders, at any
// depth, when `withSubFolders`; links are not followed) that no process holds. Only regular
// files of this user's that bear the temporaries' name with its mark go: temporaries being
// written, by this process or another, and anything else that merely looks like one (a
// user's ".notes.draft1.part", a FIFO, a link, another user's file) stay.
void RemoveStaleTemporaries(const QString& folder, bool withSubFolders = false);

// Flushes the file's contents to the disk. False when the system could not.
bool SyncFile(const QString& path);

// Puts `tmp` in place of `target` in one step (a rename within the folder): readers see the
// old or the new file, never a half-written one and never none. The new file keeps the mode
// of the one it replaces. False, both left as they were, when the rename failed; a temporary
// put in place is no longer held.
bool ReplaceFile(const QString& tmp, const QString& target);

// Puts `tmp` in place of `target` only when there is no `target` yet, in one step. False,
// both left as they were, when there is one or the rename failed.
bool PlaceNewFile(const QString& tmp, const QString& target);

// Whether the open file `fd` is still the file named `path` (not removed, nor replaced).
bool StillNamed(int fd, const QByteArray& path);

// Writes `bytes` in place of `target` through a temporary file beside it, checked on the disk
// (every byte there, flushed) before the rename. False when that failed, with nothing left
// behind, the old `target` as it was and `why` holding the reason ("磁盘空间已满", …).
bool WriteFileSafely(const QString& target, const QByteArray& bytes, QString* why = nullptr);

// A whole copy of `from`, flushed to the disk, in a temporary beside `to`
// (CreateTemporaryBeside), for ReplaceFile to put in place. Only a regular file is copied
// (OpenRegularFile). "" when the copy failed, with nothing left behind and `why` holding the
// reason.
QString CopyToTemporaryBeside(const QString& from, const QString& to, QString* why = nullptr);

// Copies `from` over `to` through a temporary file beside `to`; the old `to` stays until
// the copy is complete and flushed. False when the copy failed, with nothing left behind and
// `why` holding the reason.
bool CopyFileSafely(const QString& from, const QString& to, QString* why = nullptr);

}  // namespace bw
