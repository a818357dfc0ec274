#pragma once
// Reading the SQL text the engine is handed, by hand rather than with regular expressions
// (the expression library stays unloaded at start): plain names, and the plain
// "SELECT <columns> FROM <table> [WHERE/ORDER BY ...]" over one table that a recordset can
// change row by row. Whitespace, letters and digits are the ASCII ones; words are matched
// without regard to case.

#include <QString>

namespace bw::sql {

// True when every character of the name is an ASCII letter, digit or "_" or lies beyond
// ASCII, and there is at least one (a single "\n" may end it).
bool IsPlainName(const QString& name);

// The parts of a single-table SELECT: the columns as written, the table as written (quotes
// and brackets kept), and whatever follows it from a WHERE or ORDER on ("" when nothing).
struct SingleTableSelect {
    QString columns;
    QString table;
    QString rest;
};
// Splits `^\s*SELECT\s+(.+?)\s+FROM\s+([^\s,();]+)(\s+(WHERE|ORDER)\b.*)?\s*;?\s*$` (case
// ignored, "." taking line breaks); false when the text is not of that shape.
bool SplitSingleTableSelect(const QString& sql, SingleTableSelect* out);

// True when the text holds GROUP, UNION, JOIN or HAVING as a word, or "LIMIT n," directly
// followed by a letter or digit: what makes a result that is not rows of one table.
bool HasGroupingOrJoin(const QString& text);

}  // namespace bw::sql
