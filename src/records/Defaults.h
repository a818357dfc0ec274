#pragma once
// The last contents of a format's boxes, kept in table 默认 when the format is left and put
// back when it is shown again.

#include <QString>

namespace bw {

void LoadDefaultData(const QString& format);
void SaveDefaultData(const QString& format);

}  // namespace bw
