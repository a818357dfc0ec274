#include "library/FormatTree.h"

// The category tree arrives with the format library; until then formats live in the format
// list only and these keep no tree of their own.

namespace bw {

void AddFormatNode(QTreeWidget*, const QString&) {}
void RemoveTreeNode(QTreeWidget*, const QString&) {}
void MarkCurrentFormatNode(const QString&, const QString&) {}
void LoadFormatTree() {}

}  // namespace bw
