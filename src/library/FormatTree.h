#pragma once
// The format category tree of the main window. Formats are kept under categories; a
// format's node has the key "F" followed by its name.

#include <QString>

class QTreeWidget;

namespace bw {

// Adds a format under the category "其他" and stores the tree.
void AddFormatNode(QTreeWidget* tree, const QString& format);
// Removes a node by its key and stores the tree.
void RemoveTreeNode(QTreeWidget* tree, const QString& key);
// Shows the new format's node (and its category) in red, the previous one normally.
void MarkCurrentFormatNode(const QString& previous, const QString& current);
// Builds the tree from the parameter "格式树".
void LoadFormatTree();

}  // namespace bw
