#pragma once
// The last contents of a format's boxes, kept in table 默认 when the format is left and put
// back when it is shown again.

#include <QString>

namespace bw {

void LoadDefaultData(const QString& format);
// Replaces the format's default record by the non-empty values of the boxes, all or
// nothing. False when it could not be written (the old record then stays).
bool SaveDefaultData(const QString& format);

}  // namespace bw
