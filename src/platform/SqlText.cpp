#include "platform/SqlText.h"

#include <string>

namespace bw::sql {

namespace {

bool isSpace(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || (u >= u'\t' && u <= u'\r');
}

bool isWord(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
           u == u'_';
}

bool isDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

// The word (upper-case ASCII) at `at`, in any case.
bool wordAt(const QString& s, qsizetype at, QLatin1StringView word) {
    if (at < 0 || at + word.size() > s.size()) return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        char16_t u = s[at + i].unicode();
        if (u >= u'a' && u <= u'z') u = char16_t(u - u'a' + u'A');
        if (u == 0x017F) u = u'S';  // the long s is an s in any case
        if (u != char16_t(word[i].unicode())) return false;
    }
    return true;
}

bool boundaryAt(const QString& s, qsizetype at) {
    const bool before = at > 0 && isWord(s[at - 1]);
    const bool after = at < s.size() && isWord(s[at]);
    return before != after;
}

qsizetype skipSpaces(const QString& s, qsizetype at) {
    while (at < s.size() && isSpace(s[at])) ++at;
    return at;
}

bool tableChar(QChar c) {
    return !isSpace(c) && c != u',' && c != u'(' && c != u')' && c != u';';
}

// From the space after the columns: `\s+FROM\s+(table)(rest)` to the end.
bool tailAt(const QString& s, qsizetype at, SingleTableSelect* out) {
    if (at >= s.size() || !isSpace(s[at])) return false;
    const qsizetype from = skipSpaces(s, at);
    if (!wordAt(s, from, QLatin1StringView("FROM"))) return false;
    const qsizetype afterFrom = from + 4;
    if (afterFrom >= s.size() || !isSpace(s[afterFrom])) return false;
    const qsizetype table = skipSpaces(s, afterFrom);
    qsizetype end = table;
    while (end < s.size() && tableChar(s[end])) ++end;
    if (end == table) return false;
    // A shorter table name would leave a name character next: neither branch takes it.
    if (end < s.size() && isSpace(s[end])) {
        const qsizetype word = skipSpaces(s, end);
        if ((wordAt(s, word, QLatin1StringView("WHERE")) ||
             wordAt(s, word, QLatin1StringView("ORDER"))) &&
            !(word + 5 < s.size() && isWord(s[word + 5]))) {
            out->table = s.mid(table, end - table);
            out->rest = s.mid(end);
            return true;
        }
    }
    qsizetype at2 = skipSpaces(s, end);
    if (at2 < s.size() && s[at2] == u';') at2 = skipSpaces(s, at2 + 1);
    if (at2 != s.size()) return false;
    out->table = s.mid(table, end - table);
    out->rest.clear();
    return true;
}

}  // namespace

bool IsPlainName(const QString& name) {
    qsizetype n = name.size();
    if (n > 1 && name[n - 1] == u'\n') --n;  // "$" also matches before a final line break
    if (n == 0) return false;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate()) {
            if (i + 1 >= n || !name[i + 1].isLowSurrogate()) return false;
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        } else if (c.unicode() < 0x80 && !isWord(c)) {
            return false;
        }
    }
    return true;
}

bool SplitSingleTableSelect(const QString& sql, SingleTableSelect* out) {
    const qsizetype select = skipSpaces(sql, 0);
    if (!wordAt(sql, select, QLatin1StringView("SELECT"))) return false;
    const qsizetype spaces = select + 6;
    const qsizetype columnsAt = skipSpaces(sql, spaces);
    if (columnsAt == spaces) return false;
    // The spaces after SELECT take as much as they can; the columns as little.
    for (qsizetype start = columnsAt; start > spaces; --start) {
        for (qsizetype end = start + 1; end < sql.size(); ++end) {
            if (tailAt(sql, end, out)) {
                out->columns = sql.mid(start, end - start);
                return true;
            }
        }
    }
    return false;
}

bool HasGroupingOrJoin(const QString& text) {
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!boundaryAt(text, at)) continue;
        for (const char* word : {"GROUP", "UNION", "JOIN", "HAVING"}) {
            const QLatin1StringView w(word);
            if (wordAt(text, at, w) && boundaryAt(text, at + w.size())) return true;
        }
        if (!wordAt(text, at, QLatin1StringView("LIMIT"))) continue;
        qsizetype i = at + 5;
        const qsizetype digits = skipSpaces(text, i);
        if (digits == i) continue;
        i = digits;
        while (i < text.size() && isDigit(text[i])) ++i;
        if (i == digits) continue;
        i = skipSpaces(text, i);
        if (i < text.size() && text[i] == u',' && boundaryAt(text, i + 1)) return true;
    }
    return false;
}

namespace {

bool isAsciiLetter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
}

// The first text after every text that begins with `prefix`; a null string when there is
// none (each character of the prefix is the last code point there is).
QString afterEveryTextBeginningWith(std::u32string prefix) {
    while (!prefix.empty()) {
        char32_t last = prefix.back();
        prefix.pop_back();
        if (last >= 0x10FFFF) continue;
        ++last;
        if (last >= 0xD800 && last <= 0xDFFF) last = 0xE000;  // no text holds a surrogate
        prefix.push_back(last);
        return QString::fromStdU32String(prefix);
    }
    return QString();
}

}  // namespace

std::vector<TextSpan> LikePrefixSpans(const QString& prefix, int letters) {
    std::u32string chars = prefix.toStdU32String();
    std::vector<size_t> at;  // where the letters whose case the spans tell apart stand
    for (size_t i = 0; i < chars.size(); ++i) {
        if (!isAsciiLetter(chars[i])) continue;
        if (static_cast<int>(at.size()) == letters) {
            chars.resize(i);
            break;
        }
        at.push_back(i);
    }
    if (chars.empty()) return {TextSpan{}};
    std::vector<TextSpan> spans;
    for (unsigned cases = 0; cases < (1u << at.size()); ++cases) {
        std::u32string start = chars;
        for (size_t k = 0; k < at.size(); ++k) {
            const char32_t c = start[at[k]] | 0x20;  // lower case
            start[at[k]] = (cases >> k) & 1 ? c : c - 0x20;
        }
        spans.push_back(
            {QString::fromStdU32String(start), afterEveryTextBeginningWith(std::move(start))});
    }
    return spans;
}

}  // namespace bw::sql
