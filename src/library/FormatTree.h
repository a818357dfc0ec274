#pragma once
// The format category tree of the main window (MF().TV): a root, the categories under it and
// the format names under each category, the user's own filing of his formats. It is kept in
// the parameter "格式树" as "cat1|cat2//list1||list2" (each list its names joined by "\"),
// built from table Fmt only on the first run, and afterwards changed node by node. Keys (in
// kTreeKeyRole): root "D0", category "C" + name, format "F" + name. The current format's node
// and its category are red.

#include <QColor>
#include <QString>
#include <QStringList>
#include <Qt>

class QTreeWidget;
class QTreeWidgetItem;

namespace bw {

inline const QString kFormatTreeParam = QStringLiteral("格式树");
inline const QString kOtherCategory = QStringLiteral("其他");
inline const QString kTreeRootKey = QStringLiteral("D0");
inline const QString kTreeRootText = QStringLiteral("[Bellweft格式列表]");
inline constexpr int kTreeKeyRole = Qt::UserRole;

// ---- The stored form ----------------------------------------------------------------
struct FormatTreeData {
    QStringList categories;
    QList<QStringList> lists;  // one per category, same index
};

// The 14 categories of the first run, "其他" last.
const QStringList& DefaultCategories();
// Splits the stored value: categories before the first "//" (on "|"), lists after it (on
// "||", each on "\", empty names skipped); lists beyond the categories are dropped.
FormatTreeData ParseFormatTree(const QString& stored);
// The stored value of the data.
QString FormatTreeText(const FormatTreeData& data);
// The first category (in order, "其他" left out) whose name occurs in the format's name;
// "其他" when none does.
QString CategoryOfFormat(const QStringList& categories, const QString& format);
// The default categories with the formats (in the given order) filed by CategoryOfFormat.
FormatTreeData FileFormats(const QStringList& formats);

// ---- The tree widget ----------------------------------------------------------------
QString NodeKey(const QTreeWidgetItem* node);
// Colours as the tree shows them.
QColor RootNodeColour();
QColor CategoryNodeColour(const QString& category);
QColor CurrentNodeColour();

// Clears the tree and builds root, categories and formats from the data; the node of the
// format `current` and its category are marked red and the category expanded.
void FillFormatTree(QTreeWidget* tree, const FormatTreeData& data, const QString& current);
// The tree's present order as data, and stored as "格式树".
FormatTreeData FormatTreeOf(const QTreeWidget* tree);
void SaveFormatTree(const QTreeWidget* tree);
// The first node (in tree order) whose key starts with the prefix and whose text is the name.
QTreeWidgetItem* FindTreeNode(const QTreeWidget* tree, const QString& name, const QString& prefix);
// The node with that key, or null.
QTreeWidgetItem* TreeNodeByKey(const QTreeWidget* tree, const QString& key);

// Files a format under the first category whose name occurs in its name ("其他" when none),
// expands that category and stores the tree. A format that has a node gets no second one.
void AddFormatNode(QTreeWidget* tree, const QString& format);
// Removes every node with the key (with its children) and stores the tree.
void RemoveTreeNode(QTreeWidget* tree, const QString& key);
// Moves the red mark of MF().TV from the previous current format to the new one.
void MarkCurrentFormatNode(const QString& previous, const QString& current);
// Reads "格式树" (on the first run files every format of table Fmt into the default
// categories and stores that) and fills MF().TV; attaches the tree's mouse handling.
void LoadFormatTree();

}  // namespace bw
