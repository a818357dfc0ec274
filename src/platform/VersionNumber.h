#pragma once
// Version numbers of the new-version check: the running version read from the window
// caption, the announced version read from the product page's title, and their comparison.
// Versions are compared as decimal numbers: 3.1 is higher than 3.07.

#include <QString>

namespace bw {

// The number at the start of `text`: leading blanks skipped, then digits with at most one
// decimal point; reading stops at the first other character. 0 when there is no number.
double LeadingNumber(const QString& text);

// The caption with every character other than "0".."9" and "." removed ("Bellweft 3.07"
// gives "3.07").
QString RunningVersionText(const QString& caption);

// The version a product page announces: the page after its first "<title>" (the whole page
// without one), then after the first "(" (the whole rest without one), read by LeadingNumber.
// `text` is that number written back ("3.08", "2.5"); value 0 and text "0" when there is none.
struct AnnouncedVersion {
    double value = 0;
    QString text = QStringLiteral("0");
};
AnnouncedVersion VersionFromPage(const QString& page);

// True when both versions are known (not 0) and `announced` is higher than `running`.
bool IsNewerVersion(double announced, double running);

}  // namespace bw
