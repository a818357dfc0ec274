#pragma once
// Reading the SQL text the engine is handed, by hand rather than with regular expressions
// (the expression library stays unloaded at start): plain names, and the plain
// "SELECT <columns> FROM <table> [WHERE/ORDER BY ...]" over one table that a recordset can
// change row by row. Whitespace, letters and digits are the ASCII ones; words are matched
// without regard to case.

#include <QString>
#include <vector>

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

// A span of texts in the order SQLite compares texts by default (byte by byte in UTF-8, that
// is by code point): from `low` (included; "" for no bound) up to `high` (excluded; a null
// string for no bound).
struct TextSpan {
    QString low;
    QString high;
};

// Spans, none overlapping, that together hold every text beginning with `prefix` as LIKE
// compares it (ASCII letters in either case, every other character as itself), so that an
// index on the column can serve "LIKE prefix%": one span for each case of the first
// `letters` letters of the prefix, holding the texts that begin with the prefix up to its
// next letter. A span may also hold texts that differ from the prefix in the case of a later
// letter; the LIKE itself still decides. An empty prefix gives one span without bounds.
std::vector<TextSpan> LikePrefixSpans(const QString& prefix, int letters = 3);

}  // namespace bw::sql
