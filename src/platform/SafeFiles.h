#pragma once
// Writing files so that a full disk or a folder that cannot be written never costs the old
// file and never leaves a half-written one behind: a new file is written under a temporary
// name beside its target, flushed to the disk, and only then renamed over the target. When a
// write fails, the reason is found out again so that the user can be told what to free.

#include <QByteArray>
#include <QString>

namespace bw {

// The reason, in the user's words, why a file of `bytes` bytes cannot be written into
// `folder` now: "磁盘空间已满", "文件夹“…”不能写入" or the system's own text. "" when such a
// file can be written after all (the failure has passed). Leaves nothing behind.
QString WriteFailureCause(const QString& folder, qint64 bytes);

// A new empty file with a unique name in the folder of `target` (hidden, ending ".part").
// "" when the folder cannot be written; `why` then receives the reason.
QString CreateTemporaryBeside(const QString& target, QString* why = nullptr);

// Flushes the file's contents to the disk. False when the system could not.
bool SyncFile(const QString& path);

// Puts `tmp` in place of `target` in one step (a rename within the folder): readers see the
// old or the new file, never a half-written one and never none. False, both left as they
// were, when the rename failed.
bool ReplaceFile(const QString& tmp, const QString& target);

// Writes `bytes` in place of `target` through a temporary file beside it, checked on the disk
// (every byte there, flushed) before the rename. False when that failed, with nothing left
// behind, the old `target` as it was and `why` holding the reason ("磁盘空间已满", …).
bool WriteFileSafely(const QString& target, const QByteArray& bytes, QString* why = nullptr);

// Copies `from` over `to` through a temporary file beside `to`; the old `to` stays until
// the copy is complete and flushed. False when the copy failed, with nothing left behind and
// `why` holding the reason.
bool CopyFileSafely(const QString& from, const QString& to, QString* why = nullptr);

}  // namespace bw
