#pragma once
// The mouse on the format tree: a left click chooses a node, a double click opens a format,
// a right click pops up the root menu ("添加格式分类") or the node menu ("删除", "改名"; never
// for "其他"), and a format dragged with the right button onto a category is filed there.
// Qt's own drags start with the left button, so the right-button drag is made by hand.

#include <QPoint>
#include <QString>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace bw {

// Connects the handlers below to the tree's mouse (once per tree).
void AttachTreeEvents(QTreeWidget* tree);

// The node of the last node click; the node menus' commands act on it.
QTreeWidgetItem* ClickedTreeNode();
void SetClickedTreeNode(QTreeWidgetItem* node);
// The node under the pointer at the last right-button press, and whether a right-button drag
// of a format is under way.
QTreeWidgetItem* DraggedTreeNode();
bool TreeDragging();
// The category that would take the dragged format, or null.
QTreeWidgetItem* TreeDropHighlight();

// The tree's events; `pos` in the tree viewport's pixels. The tree's "Tag" property holds
// "button|x|y" (x and y in twips) of the last press.
void TV_MouseDown(QTreeWidget* tree, Qt::MouseButton button, QPoint pos);
void TV_MouseMove(QTreeWidget* tree, Qt::MouseButtons buttons, QPoint pos);
void TV_MouseUp(QTreeWidget* tree, Qt::MouseButton button, QPoint pos);
void TV_NodeClick(QTreeWidget* tree, QTreeWidgetItem* node);
void TV_DblClick();

// Pops up the menu of the node when the last press was with the right button; the menu, or
// null when none shows. It deletes itself once closed.
QMenu* ShowTreeMenu(QTreeWidget* tree, QTreeWidgetItem* node);
// Opens the format of the clicked node (root and categories do nothing).
void OpenFormatNode();

}  // namespace bw
