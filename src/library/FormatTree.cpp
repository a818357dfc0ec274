#include "library/FormatTree.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QSet>
#include <QStyle>
#include <QTreeWidget>

#include "common/Database.h"
#include "common/Params.h"
#include "common/Schema.h"
#include "library/TreeEvents.h"
#include "store/MainForm.h"

namespace bw {

namespace {

const QString kCategorySeparator = QStringLiteral("|");
const QString kPartSeparator = QStringLiteral("//");
const QString kListSeparator = QStringLiteral("||");
const QString kNameSeparator = QStringLiteral("\\");

enum class NodeKind { Root, Category, Format };

// An icon of the style, read from its image files only when it is first drawn: a view asks
// for the size of every node's icon to lay its rows out, also while hidden, and the sizes
// asked for are those the style's icons come in.
class StyleIcon : public QIconEngine {
public:
    explicit StyleIcon(QStyle::StandardPixmap which) : which_(which) {}

    void paint(QPainter* p, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        icon().paint(p, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return read_ ? icon_.actualSize(size, mode, state) : size;
    }
    QIconEngine* clone() const override { return new StyleIcon(which_); }

private:
    const QIcon& icon() {
        if (!read_) {
            icon_ = QApplication::style()->standardIcon(which_);
            read_ = true;
        }
        return icon_;
    }
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool read_ = false;
};

// One icon of each kind for every node, made again for another style; forgotten when the
// application ends.
QIcon nodeIcon(NodeKind kind) {
    struct Icons {
        QStyle* style = nullptr;
        QIcon root, category, format;
    };
    static Icons* icons = nullptr;
    QStyle* s = QApplication::style();
    if (!icons || icons->style != s) {
        if (!icons) {
            icons = new Icons;
            qAddPostRoutine([] {
                delete icons;
                icons = nullptr;
            });
        }
        *icons = {s, QIcon(new StyleIcon(QStyle::SP_DirHomeIcon)),
                  QIcon(new StyleIcon(QStyle::SP_DirIcon)),
                  QIcon(new StyleIcon(QStyle::SP_FileIcon))};
    }
    switch (kind) {
        case NodeKind::Root:
            return icons->root;
        case NodeKind::Category:
            return icons->category;
        default:
            return icons->format;
    }
}

QTreeWidgetItem* newNode(NodeKind kind, const QString& key, const QString& text,
                         const QColor& colour) {
    auto* node = new QTreeWidgetItem(QStringList{text});
    node->setData(0, kTreeKeyRole, key);
    node->setIcon(0, nodeIcon(kind));
    node->setForeground(0, colour);
    return node;
}

QTreeWidgetItem* newFormatNode(const QString& name) {
    return newNode(NodeKind::Format, QStringLiteral("F") + name, name, Qt::black);
}

QTreeWidgetItem* root(const QTreeWidget* tree) {
    return tree && tree->topLevelItemCount() > 0 ? tree->topLevelItem(0) : nullptr;
}

// Every node in tree order (parents before their children).
void walk(QTreeWidgetItem* node, QList<QTreeWidgetItem*>& out) {
    out << node;
    for (int i = 0; i < node->childCount(); ++i) walk(node->child(i), out);
}
QList<QTreeWidgetItem*> allNodes(const QTreeWidget* tree) {
    QList<QTreeWidgetItem*> out;
    if (!tree) return out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i), out);
    return out;
}

void markNode(QTreeWidgetItem* node, bool current) {
    if (!node) return;
    node->setForeground(0, current ? CurrentNodeColour() : QColor(Qt::black));
    if (QTreeWidgetItem* category = node->parent()) {
        category->setForeground(
            0, current ? CurrentNodeColour() : CategoryNodeColour(category->text(0)));
        if (current) category->setExpanded(true);
    }
}

}  // namespace

const QStringList& DefaultCategories() {
    static const QStringList c{QStringLiteral("进账单"),     QStringLiteral("电汇单"),
                               QStringLiteral("支票"),       QStringLiteral("结算业务申请书"),
                               QStringLiteral("业务委托书"), QStringLiteral("报销单"),
                               QStringLiteral("收据"),       QStringLiteral("快递"),
                               QStringLiteral("邮政"),       QStringLiteral("合同"),
                               QStringLiteral("标签"),       QStringLiteral("出库单"),
                               QStringLiteral("送货单"),     kOtherCategory};
    return c;
}

FormatTreeData ParseFormatTree(const QString& stored) {
    FormatTreeData d;
    const int at = stored.indexOf(kPartSeparator);
    // Without "//" the value names no categories.
    if (at < 0) return d;
    d.categories = stored.left(at).split(kCategorySeparator);
    const QStringList lists = stored.mid(at + kPartSeparator.size()).split(kListSeparator);
    for (int i = 0; i < d.categories.size(); ++i) {
        QStringList names;
        if (i < lists.size())
            for (const QString& n : lists[i].split(kNameSeparator))
                if (!n.isEmpty()) names << n;
        d.lists << names;
    }
    return d;
}

QString FormatTreeText(const FormatTreeData& data) {
    QStringList lists;
    for (int i = 0; i < data.categories.size(); ++i)
        lists << (i < data.lists.size() ? data.lists[i].join(kNameSeparator) : QString());
    return data.categories.join(kCategorySeparator) + kPartSeparator + lists.join(kListSeparator);
}

QString CategoryOfFormat(const QStringList& categories, const QString& format) {
    for (const QString& c : categories)
        if (c != kOtherCategory && !c.isEmpty() && format.contains(c)) return c;
    return kOtherCategory;
}

FormatTreeData FileFormats(const QStringList& formats) {
    FormatTreeData d;
    d.categories = DefaultCategories();
    for (int i = 0; i < d.categories.size(); ++i) d.lists << QStringList();
    for (const QString& f : formats)
        d.lists[d.categories.indexOf(CategoryOfFormat(d.categories, f))] << f;
    return d;
}

QString NodeKey(const QTreeWidgetItem* node) {
    return node ? node->data(0, kTreeKeyRole).toString() : QString();
}

QColor RootNodeColour() {
    return QColor(0, 0, 0x9B);
}
QColor CategoryNodeColour(const QString& category) {
    return category == kOtherCategory ? QColor(0x66, 0x66, 0x66) : QColor(0, 0, 255);
}
QColor CurrentNodeColour() {
    return QColor(255, 0, 0);
}

void FillFormatTree(QTreeWidget* tree, const FormatTreeData& data, const QString& current) {
    if (!tree) return;
    tree->clear();
    tree->setHeaderHidden(true);
    tree->setRootIsDecorated(true);
    QTreeWidgetItem* top = newNode(NodeKind::Root, kTreeRootKey, kTreeRootText, RootNodeColour());
    tree->addTopLevelItem(top);
    top->setExpanded(true);
    QSet<QString> keys;
    for (int i = 0; i < data.categories.size(); ++i) {
        const QString& c = data.categories[i];
        // Keys are unique: a second node of the same key is left out.
        if (keys.contains(QStringLiteral("C") + c)) continue;
        keys.insert(QStringLiteral("C") + c);
        QTreeWidgetItem* category =
            newNode(NodeKind::Category, QStringLiteral("C") + c, c, CategoryNodeColour(c));
        top->addChild(category);
        if (i >= data.lists.size()) continue;
        for (const QString& name : data.lists[i]) {
            if (name.isEmpty() || keys.contains(QStringLiteral("F") + name)) continue;
            keys.insert(QStringLiteral("F") + name);
            QTreeWidgetItem* node = newFormatNode(name);
            category->addChild(node);
            if (name == current) markNode(node, true);
        }
    }
}

FormatTreeData FormatTreeOf(const QTreeWidget* tree) {
    FormatTreeData d;
    QTreeWidgetItem* top = root(tree);
    if (!top) return d;
    for (int i = 0; i < top->childCount(); ++i) {
        QTreeWidgetItem* category = top->child(i);
        d.categories << category->text(0);
        QStringList names;
        for (int j = 0; j < category->childCount(); ++j) names << category->child(j)->text(0);
        d.lists << names;
    }
    return d;
}

void SaveFormatTree(const QTreeWidget* tree) {
    if (!root(tree)) return;
    SetParam(kFormatTreeParam, FormatTreeText(FormatTreeOf(tree)));
}

QTreeWidgetItem* FindTreeNode(const QTreeWidget* tree, const QString& name, const QString& prefix) {
    for (QTreeWidgetItem* node : allNodes(tree))
        if (NodeKey(node).startsWith(prefix) && node->text(0) == name) return node;
    return nullptr;
}

QTreeWidgetItem* TreeNodeByKey(const QTreeWidget* tree, const QString& key) {
    for (QTreeWidgetItem* node : allNodes(tree))
        if (NodeKey(node) == key) return node;
    return nullptr;
}

void AddFormatNode(QTreeWidget* tree, const QString& format) {
    QTreeWidgetItem* top = root(tree);
    if (!top) return;
    QTreeWidgetItem* chosen = nullptr;
    QTreeWidgetItem* other = nullptr;
    for (int i = 0; i < top->childCount() && !chosen; ++i) {
        QTreeWidgetItem* category = top->child(i);
        const QString text = category->text(0);
        if (text == kOtherCategory)
            other = category;
        else if (!text.isEmpty() && format.contains(text))
            chosen = category;
    }
    if (!chosen) chosen = other;
    if (!chosen) {
        // A stored tree without "其他" gets it back for the formats nobody files.
        chosen = newNode(NodeKind::Category, QStringLiteral("C") + kOtherCategory, kOtherCategory,
                         CategoryNodeColour(kOtherCategory));
        top->addChild(chosen);
    }
    if (!TreeNodeByKey(tree, QStringLiteral("F") + format)) chosen->addChild(newFormatNode(format));
    chosen->setExpanded(true);
    SaveFormatTree(tree);
}

void RemoveTreeNode(QTreeWidget* tree, const QString& key) {
    if (!tree) return;
    while (QTreeWidgetItem* node = TreeNodeByKey(tree, key)) {
        if (key == kTreeRootKey) break;  // the root stays
        delete node;
        SaveFormatTree(tree);
    }
}

void MarkCurrentFormatNode(const QString& previous, const QString& current) {
    QTreeWidget* tree = MF().TV;
    if (!tree) return;
    if (!previous.isEmpty()) markNode(FindTreeNode(tree, previous, QStringLiteral("F")), false);
    if (!current.isEmpty()) markNode(FindTreeNode(tree, current, QStringLiteral("F")), true);
}

void LoadFormatTree() {
    QString stored = GetParam(kFormatTreeParam);
    if (stored.isEmpty()) {
        QStringList formats;
        Recordset rs;
        OpenRecordset(rs, QStringLiteral("SELECT Fmt FROM Fmt WHERE LBL=? ORDER BY Fmt"),
                      {kWholeFormatLabel});
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) formats << rs.Text(QStringLiteral("Fmt"));
        CloseRecordset(rs);
        stored = FormatTreeText(FileFormats(formats));
        SetParam(kFormatTreeParam, stored);
    }
    QTreeWidget* tree = MF().TV;
    if (!tree) return;
    FillFormatTree(tree, ParseFormatTree(stored), MF().CurrentFormat());
    AttachTreeEvents(tree);
}

}  // namespace bw
