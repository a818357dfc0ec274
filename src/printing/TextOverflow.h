#pragma once
// Text that runs out of its box: lines of a text box's value that the paper would show below
// the box, over whatever is printed under it. Before a print command sends anything to the
// printer the clerk is asked, once for the whole command, naming the box: 是 prints as it
// stands, 否 prints nothing.

#include <QString>

namespace bw {

class BoxControl;

// Whether a text set from the top of its box in `lines` lines, `height` high, runs past the
// box's bottom: a text of two lines or more higher than the box. One line higher than its
// box is the box's own font, and the canvas shows it so.
bool RunsPastBottom(int lines, double height, double boxHeight);

// How the clerk is told of a box: its caption (its grid row's) in quotes, or "第n个文本框"
// without one.
QString TextBoxName(const BoxControl* box);

// The question for the box named so; `where` is the bill or label of a command that prints
// several ("第3张单据", "第3个标签"), "" for a single bill.
QString OverflowQuestionText(const QString& box, const QString& where = QString());

// The one question of a print command.
class OverflowQuestion {
public:
    // True when printing may go on: no box is named (box ""), or the clerk answered 是 in
    // this command, asked now the first time a box is named.
    bool Allows(const QString& box, const QString& where = QString());

private:
    int answer_ = 0;  // 0 not asked yet, else the answer
};

}  // namespace bw
