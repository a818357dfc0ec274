#pragma once
// Emptying the bill on the canvas ("清空内容" of the bill menu, and the print button's clearing
// after a print).

namespace bw {

// Empties the bill. With no text, check or picture box selected, every text box whose caption
// is not empty, every check box and, unless "禁止图片清空" (mForbidPicClear) is ticked, every
// picture box; otherwise only the selected boxes of those kinds, pictures included (a text box
// with an empty caption is kept in any case). Lines and labels are never touched, nor is the
// box property grid.
void mClearCtl_Click();

// The same, under the name the print commands use.
void ClearBill();

}  // namespace bw
