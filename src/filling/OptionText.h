#pragma once
// Values that are stored inside a format's "|"-separated option list (the currency symbol,
// the password-zone settings) must not hold the separators themselves, or every later
// option would shift by one when the list is read again.

#include <QString>

namespace bw {

// The first separator the value holds that a value of the option list may not: "|" and,
// for the password-zone settings (which are joined by "{[]}" inside one option), "{[]}".
// "" when the value is fit to be stored.
QString ForbiddenOptionSeparator(const QString& value, bool passwordZone = false);

// True when the value may be stored; otherwise tells the user, e.g. "货币符号中不能含有
// “|”，请重新输入！", and returns false. `caption` names the field.
bool CheckOptionValue(const QString& value, const QString& caption, bool passwordZone = false);

}  // namespace bw
