#pragma once
// Local file names for pictures fetched from the web format service. The server sends site
// paths; the local name must never leave the picture folder, whatever the path holds.

#include <QString>

namespace bw {

// The local file for the server path `serverPath` inside `folder` (normally the data
// folder's Temp): the path's last segment after "/" or "\", with any query ("?...") and
// fragment ("#...") removed, reduced to ASCII letters and digits, CJK ideographs and ".",
// "_", "-", without leading or trailing dots and at most 80 characters (the tail, so the
// extension stays), fewer when the file and the temporary it is downloaded through would not
// fit in 255 bytes of UTF-8. In front stand eight hex digits of a hash of the whole `serverPath`
// and
// "_" (only the hash when nothing of the name is left), so two paths never share a file and no
// name is empty or made of dots. Returns `folder` + "/" + that name; "" when `folder` is empty.
QString PreviewFilePath(const QString& folder, const QString& serverPath);

}  // namespace bw
