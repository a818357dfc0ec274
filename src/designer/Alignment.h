#pragma once
// Lining up the selected boxes on one edge, or giving them one width or height, at a value
// the user confirms or types in millimetres (the menu "内容框设置(&C)").

namespace bw {

// 0 top edges, 1 left edges, 2 right edges, 3 bottom edges (every kind but lines),
// 4 same width, 5 same height (text boxes, picture boxes, labels). The proposal is the
// smallest top / left, the largest right / bottom / width / height of the selected boxes.
// No selected box: a message. An empty answer, Cancel or an answer that is no number:
// nothing changes. Moves and resizes go through MoveBox and ResizeBox.
void AlignSelectedBoxes(int mode);

// The menu items: 顶端对齐 0, 左对齐 1, 右对齐 2, 底部对齐 3, 统一宽度 4, 统一高度 5; 统一尺寸
// asks for the height, then the width.
void AlignSize();

}  // namespace bw
