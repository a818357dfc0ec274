#pragma once
// The last contents of a format's boxes, kept in table 默认 when the format is left and put
// back when it is shown again. Boxes whose label begins with "S" hand their value on to the
// boxes of the same label on the later pages of a multi-page format.

#include <QString>
#include <QStringList>

namespace bw {

// The format's rows of 默认 into the boxes of the open format, each through SetBoxValue
// (a later row for the same box wins); rows naming no box of the format are ignored. Then the
// running numbers, list items and random codes of a new bill.
void LoadDefaultData(const QString& format);

// Replaces the format's rows of 默认 by one row per text, check and picture box with a
// value. A box labelled "S..." (capital S) also writes its value, in place of any earlier
// default, into every box of that label on the pages of the format's set that come after
// it. One transaction, all or nothing; a name or label with quotes, "%" or "_" reaches only
// its own rows. False when it could not be written (the old record then stays).
bool SaveDefaultData(const QString& format);

// The pages of the format's multi-page set: the format itself first, then every other
// format named "<base>_..." (base = the name before its last "_"), ascending. A name
// without "_" has no other pages.
QStringList FormatPages(const QString& format);

// The page number of a format name: the leading number of the text after its last "_"
// (the whole name when it holds none); 0 when there is none.
double FormatPageNumber(const QString& format);

}  // namespace bw
