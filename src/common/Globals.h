#pragma once
// Settings the whole program shares while it runs.

#include <QString>

namespace bw {

// The answer of the last chooser or answering dialog; "" = cancelled.
inline QString ChosenItem;
// The text that stands for a line break in box values and captions.
inline QString LineBreakMark = QStringLiteral("//");
// The currency symbol of the current format.
inline QString CurrencySign = QStringLiteral("￥");
// How amounts are cut to two decimals: 0 truncate, 1 half up, 2 up.
inline int NumCutMethod = 0;
// Copies per print request.
inline int PrintCopies = 1;

// The database password of the program's data file. SQLite keeps the file unencrypted; the
// constant stays because exported backups and the compaction call carry it.
inline constexpr const char* kDatabasePassword = "46081327";

}  // namespace bw
