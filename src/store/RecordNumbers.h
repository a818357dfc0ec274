#pragma once
// The batch record numbers on the bill page: "position / count" as one row of three labels
// (R_Num[1], the separator L_K[1], R_Num[0]) whose parts are as wide as their texts and
// follow one another, so that a count of any length is shown whole.

class QLabel;

namespace bw {

// Makes the label as wide as its text in its own font (its margins included); its left
// edge stays.
void FitLabelToText(QLabel* label);

// Called whenever R_Num[index] shows a new text: the label takes the width of its text, and
// for index 1 the separator and the count move to 30 twips after the position shown.
// Nothing for labels the window has not made.
void R_Num_Change(int index);

}  // namespace bw
