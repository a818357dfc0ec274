#pragma once
// A new bill: what the print button does after a bill went out, and the values a new bill
// gets by itself.

#include <QString>

namespace bw {

// Running numbers and list items, dates and random codes of a new bill. This build keeps
// the boxes as they are: the automatic values come with the data-entry rules.
void FillNewBillValues();

// After a printed bill: moves a multi-page format to its next page. True when the bill is
// complete; this build has no multi-page formats, so every bill is complete.
bool JumpToNextPage(const QString& format);

}  // namespace bw
