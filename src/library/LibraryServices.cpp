#include "library/LibraryServices.h"

#include "common/SelFormat.h"
#include "common/Services.h"
#include "library/FormatTree.h"

namespace bw {

void InstallLibraryServices() {
    LibraryServices& s = Doors().library;
    // Until the format list window is built, formats are chosen in the chooser.
    s.formatList = [] { return RunChooser(QStringLiteral("Format")); };
    s.addFormatNode = [](QTreeWidget* tree, const QString& f) { AddFormatNode(tree, f); };
    s.removeTreeNode = [](QTreeWidget* tree, const QString& key) { RemoveTreeNode(tree, key); };
    s.markCurrentFormatNode = [](const QString& previous, const QString& current) {
        MarkCurrentFormatNode(previous, current);
    };
}

}  // namespace bw
