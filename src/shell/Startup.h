#pragma once

#include <QStringList>

namespace bw {

// The program's entry: decides the data folder, brings the database up to date and opens
// the first window. False when the program is to end at once.
bool Main(const QStringList& arguments);

}  // namespace bw
