#pragma once
// Cell values of .xls workbooks and the text the program reads for them: what a cell's
// value becomes when converted to text, which number formats make a number a date, and
// how two key cells compare.

#include <QString>
#include <cstdint>

namespace bw {

struct XlsValue {
    enum Kind : std::uint8_t { Empty, Number, Date, Text, Bool, Error };
    Kind kind = Empty;
    double number = 0;  // Number and Date: the value (a Date as its serial); Bool: 1 or 0;
                        // Error: the error code
    QString text;       // Text: the string
};

// The text of a value:
// - Number: at most 15 significant digits (NumText), whatever the cell's number format;
// - Date: "YYYY-MM-DD", followed by " HH:MM:SS" when it has a time of day; a time alone
//   when its date part is the zero date of the 1900 date system; a serial outside the
//   dates Excel can show (negative, beyond 9999-12-31) reads as a number;
// - Bool: "True" or "False"; Error and Empty: ""; Text: the string as it is.
// date1904: the workbook counts dates from 1904-01-01 (its DATEMODE record).
QString XlsValueText(const XlsValue& value, bool date1904);

// The text of a date serial (see XlsValueText).
QString XlsDateText(double serial, bool date1904);

// True when a number shown in the format reads as a date or time. `formatIndex` is the
// format's number; `formatString` its text when the workbook defines one (a FORMAT
// record), else empty. Built-in dates and times: 14-22, 45-47 and the Chinese 27-36,
// 50-58. A format text is a date when y, m, d, h or s (any case), or 年, 月 or 日, appear
// outside quoted text, [brackets] and characters escaped with \, _ or *.
bool IsXlsDateFormat(int formatIndex, const QString& formatString);

// Whether two key cells hold the same value, compared as values, not as shown: numbers,
// dates and booleans (True = -1) by number; texts exactly; an empty cell equals "", 0 and
// False; a number never equals a text; errors equal only the same error.
bool XlsSameValue(const XlsValue& a, const XlsValue& b);

}  // namespace bw
