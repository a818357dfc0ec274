#pragma once
// The commands of the box menu (m_CtlSet): the box's text through the system clipboard, a
// picture or a barcode for a picture box, adding, copying and deleting boxes, and the
// relation chains. Each acts on the menu's box (Menus().MenuTarget) or, for the bill menu's
// "添加内容框", on the point the bill menu was opened at (MenuX, MenuY).

#include <QString>

namespace bw {

class BoxControl;

// "复制文本": a text box's selected text (all of it when nothing is selected), a label's
// caption, onto the clipboard. An empty text leaves the clipboard as it was.
void mCopy_Click();
// "粘贴文本": the clipboard's text replaces a text box's selection (or goes in at the caret),
// on screen only; a label takes it as its caption and its grid row follows.
void mPaste_Click();
// "添加  图片": a picture file chosen for a picture box; a name that is no file is reported.
void mAddPic_Click();
// "输入条形码": the typed text (trimmed) becomes the picture box's barcode; Cancel empties it.
void mInputBarCode_Click();
// "添加内容框" of the box menu: a box of the kind asked for, where new boxes appear.
void mAddCtl_Click();
// "添加内容框" of the bill menu: the same, moved to the point the menu was opened at.
void mCtlAdd_Click();
// "复制内容框": asks how many copies, then copies each selected box and the menu's box that
// many times (see CopyBoxes).
void mCopyCtl_Click();
// "删除内容框": after asking, removes the selected boxes and the menu's box.
void mDeleteCtl_Click();
// "建立关联链" / "设置单选" and "建立相关项" over the selected boxes, headed by the menu's box.
void mRtlCtl_Click();
void mReCtlList_Click();

// The copy count an answer gives: its leading number rounded half to even; 0 without one.
long long CopyCountOf(const QString& answer);

// The caption of copy k of a box captioned `caption`: the trailing ASCII digits count up by
// k ("项目9", 1 gives "项目10"; "金额", 2 gives "金额2").
QString CopyCaption(const QString& caption, long long k);

// Copies each selected box and `target` n times: copy k lies k x 200 canvas units up and left
// of its source (a line moves both ends), carries the source's row with a numbered caption
// and takes the selection from its source. With n < 1 no copy is made but the sources lose
// the selection. Refused with a message, nothing added, when a kind would pass 999 boxes.
// False when refused.
bool CopyBoxes(BoxControl* target, long long n);

}  // namespace bw
