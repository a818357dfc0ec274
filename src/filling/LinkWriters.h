#pragma once
// The box-menu commands that link the selected boxes to the box the menu was opened on (the
// head): a closed ring of same-value links over text boxes, a closed single-choice ring over
// check boxes, an open chain of related-item (history) links over text boxes. They write the
// link columns of the box property grid only; the format keeps them when it is saved.

namespace bw {

class BoxControl;

// "建立关联链" / "设置单选": a ring over the selected boxes of the head's kind (text boxes:
// same-value links; check boxes: RtlCheckBox). Other kinds: nothing.
void mRtlCtl_Click(BoxControl* head);
// The single-choice ring of the selected check boxes through the head, in RCtl.
void RtlCheckBox(BoxControl* head);
// "建立相关项": the open chain head -> selected text boxes in index order, in RCtl1.
void mReCtlList_Click(BoxControl* head);

}  // namespace bw
