#pragma once
// The compound-file container (the "structured storage" of .xls workbooks): reading one
// named stream out of a file and writing a file that holds one stream (512-byte sectors, streams
// under 4096 bytes in the mini stream).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>

namespace bw {

enum class CompoundStatus {
    Ok,
    CannotOpen,   // the file is missing or cannot be read
    NotCompound,  // the file is no compound file at all
    NoStream,     // a compound file without any of the wanted streams
    Damaged,      // a compound file whose structure or stream is broken
};

// Reads the first stream of `names` (tried in order; names compare without regard to case)
// from the root storage of the compound file at `path` into `data`, and its name into
// `found`. Memory and time stay bounded by the file's size whatever the file holds.
CompoundStatus ReadCompoundStream(const QString& path, const QStringList& names, QByteArray* data,
                                  QString* found = nullptr);

// Writes a compound file holding the one stream `streamName` with `data`: first to
// "<path>.TMP", then renamed over `path`. The name has 1 to 31 characters, none of / \ : !.
// False when anything failed; the target is then left as it was and the temporary file removed.
bool WriteCompoundFile(const QString& path, const QString& streamName, const QByteArray& data);

// The same with the stream's bytes handed over in pieces: `produce` calls its argument with
// each piece in order and returns false when it failed (or the argument did).
using CompoundStreamWriter = std::function<bool(QByteArrayView piece)>;
bool WriteCompoundFile(const QString& path, const QString& streamName,
                       const std::function<bool(const CompoundStreamWriter& write)>& produce);

}  // namespace bw
