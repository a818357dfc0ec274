#pragma once
// Dates of a bill: reading the dates a clerk types and the program writes, writing them in a
// pattern, and the year, month and day in digits or in the capitals of a cheque.

#include <QDateTime>
#include <QString>
#include <optional>

namespace bw {

enum DatePart : int { DateYear = 0, DateMonth = 1, DateDay = 2 };

// Reads a date, with an optional time after a blank: year-month-day with "-", "/" or "."
// (a year of four digits, or two read as 1930 to 2029), "2013年5月8日", and month-day
// without a year ("05-08", "5月8日") in the year of `today`. The time is "9:30" or "9:30:15".
// nullopt for a text that is no date.
std::optional<QDateTime> ReadDateText(const QString& text, const QDate& today);

// Writes a date and time in a pattern: yyyy, yy, m or mm (month), d or dd, h or hh, n or nn
// (minute; m or mm right after an hour or before a second are the minute as well), s or ss,
// letters case-insensitive, text in double quotes and every other character as it stands.
// `ok` is false for a pattern that shows no part of the date or leaves a quote open.
QString FormatDatePattern(const QDateTime& when, const QString& pattern, bool* ok = nullptr);

// "2013-4-11 9:30:15", the time left out at midnight: how a date is written when no
// pattern is asked for.
QString DefaultDateText(const QDateTime& when);
// "2013-4-11": today's date as a date box receives it.
QString ShortDateText(const QDate& date);

// The date part of the text in cheque capitals when the text begins with a digit and its
// number lies in the part's range (year 2000 to 3000, month 1 to 12, day 1 to 31);
// otherwise the text unchanged. Of a longer text ("2013-05-08", "5月") the leading digits
// count.
QString DatePartCapitals(const QString& text, int part, bool monthZero);

// A number as a cheque writes it: days 1 to 9, months 1 and 2 (with `monthZero` also 3 to 9)
// and the tens 10, 20, 30 get a leading "零" that no stroke can alter: "零壹", "零壹拾",
// "壹拾伍", "零贰拾"; a year digit by digit: "贰零壹叁".
QString ChequeDateCapitals(const QString& digits, int part, bool monthZero);

// The date part in digits: "2013年5月8日" gives "2013", "05" and "08"; a part already in range
// ("5") stays; a part in capitals ("零伍", "贰零壹叁") is read back first; anything else
// gives today's part ("5", no leading zero).
QString DatePartDigits(const QString& text, int part, const QDate& today);

// The date of the text, or of the birth date of an identity-card number, in the pattern;
// "" for a text that is no date.
QString FormatDateText(const QString& text, const QString& pattern, const QDate& today);

}  // namespace bw
