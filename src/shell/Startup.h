#pragma once

#include <QStringList>

namespace bw {

// The program's entry: decides the data folder, brings the database up to date and opens
// the first window. False when the program is to end at once.
bool Main(const QStringList& arguments);

// Brings table Fmt up to date: the link columns added by later versions.
void UpgradeFmtSchema();

}  // namespace bw
