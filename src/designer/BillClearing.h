#pragma once
// Emptying the bill on the canvas.

namespace bw {

// Empties the bill: every box when none is selected, otherwise only the selected ones. A
// text box is emptied only when its caption is not empty; a check box is cleared; a picture
// box loses its picture and its linked text unless "禁止清除图片" (mForbidPicClear) is ticked.
void ClearBill();

}  // namespace bw
