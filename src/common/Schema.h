#pragma once
// The tables of DATA.db.

#include <QString>

namespace bw {

// The caption of a format's whole-format row in Fmt.
inline const QString kWholeFormatLabel = QStringLiteral("【§单据整体格式参数§】");

// Creates the database file with every table, its indexes and the application-options row.
// False when the file cannot be created; an existing file is left alone.
bool CreateDatabase(const QString& path);

// Creates DATA.db in the data folder when it is missing. True when the database is there.
bool EnsureDatabase();

}  // namespace bw
