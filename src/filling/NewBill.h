#pragma once
// A new bill: the values it gets by itself (running numbers, the first item of custom lists,
// today's dates, random codes of the password zone) and the pages of a multi-page format,
// whose names are a common base, "_" and a page number.

#include <QString>
#include <QStringList>

namespace bw {

class ConversionContext;
class TextBox;

// The number a new bill gets in a running-number box (122): the box's latest value in the
// history counted up by one ("A0099" gives "A0100"); without history the box keeps its text.
// `ahead` bills not yet recorded come before this one (the labels of a sheet): the number is
// counted up that many times more. The box is then left as by the clerk (converted, its
// links followed).
void NextRunningNumber(TextBox* box, int ahead = 0);
// Running numbers (122) continue the box's latest value in the history; custom lists
// (124..130) take their first item. Each changed box is left as by the clerk (converted and
// recalculated).
void AutoNumberBoxes();
// Every text box converted again; date boxes get today's date or its part first.
void AutoFillDates();
void AutoFillDates(const ConversionContext& ctx);
// Every box of data type 132 exactly gets a new random code.
void AutoFillPsdBoxes();
// The three above, in this order.
void FillNewBillValues();

// The page list of a format: the name itself first, then the other pages of its set (names
// of the exact form base + "_" + digits) in text order. A name without "_" is alone.
QStringList ListFormatPages(const QString& name);
// The page number of a name: the number after its last "_" (0 when none).
int PageNumber(const QString& name);

// After a printed bill: opens the next page of a multi-page format. True when the bill is
// complete: the automatic page change is off, the format has no other page, or the last page
// was printed (then the first page is opened again). False when a further page was opened.
bool JumpToNextPage(const QString& format);

}  // namespace bw
