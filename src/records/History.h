#pragma once
// The history of printed bills: every recorded bill of a format gets the next bill number
// and one row per non-empty box in table 历史.

#include <QString>

namespace bw {

// Records the open bill under the format with 1 + the format's largest bill number: one row
// per non-empty text, check and picture box of a stored record (a text box's text, a check
// box's value, a picture box's picture or barcode text), all in one transaction. The new
// bill number, or 0 when nothing could be written.
int SaveBillToHistory(const QString& format);

// The largest bill number of the format; 0 when it has none.
int LastBillNumber(const QString& format);

}  // namespace bw
