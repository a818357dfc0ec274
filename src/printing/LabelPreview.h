#pragma once
// The label-sheet preview on the main window's label page: the picture PTag sized for the
// label area and its direction, with the preview scroll bar kept in step.

namespace bw {

// Sizes the label preview for the label area's size and direction (TNum(3), TNum(4),
// TagDir) and redraws it. Nothing happens before the label page is built.
void SizeLabelPreview();

}  // namespace bw
