#pragma once
// The last contents of a format's boxes, kept in table 默认 when the format is left and put
// back when it is shown again.

#include <QString>

namespace bw {

// The format's remembered contents back into its boxes; then the running numbers, list
// items and random codes of a new bill.
void LoadDefaultData(const QString& format);
void SaveDefaultData(const QString& format);

}  // namespace bw
