#pragma once
// Identity-card numbers (sex and birth date) and postcodes.

#include <QDate>
#include <QString>
#include <optional>

namespace bw {

// The birth date held by an identity-card number: YYYYMMDD at positions 7 to 14 of an
// 18-character number (17 digits and a check character), YYMMDD at positions 7 to 12 of a
// 15-digit number of the old kind (born in the 1900s). The check character is not verified:
// a clerk copies the number as it stands on the card. nullopt for any other text.
std::optional<QDate> IdNumberBirthDate(const QString& text);

// "男" or "女" from the sex digit of an identity-card number (position 17 of 18 characters,
// else position 15): odd for a man, even for a woman. A text shorter than 15 characters, or
// whose first ten characters are no number above 999999999, comes back unchanged.
QString GenderFromIdNumber(const QString& text);

// Six digits: the digits of the text, cut to six or padded with "0" in front; "" when the
// text has no digit.
QString FormatPostcode(const QString& text);

// The text with every character that is not in `allowed` removed.
QString KeepChars(const QString& text, const QString& allowed);

}  // namespace bw
