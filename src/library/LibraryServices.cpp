#include "library/LibraryServices.h"

#include "common/SelFormat.h"
#include "common/Services.h"
#include "library/FormatTree.h"

namespace bw {

void InstallLibraryServices() {
    LibraryServices& s = Doors().library;
    // The chooser answers until the format list window (InstallLibraryUiServices) takes over.
    s.formatList = [] { return RunChooser(QStringLiteral("Format")); };
    s.addFormatNode = [](QTreeWidget* tree, const QString& f) { AddFormatNode(tree, f); };
    s.removeTreeNode = [](QTreeWidget* tree, const QString& key) { RemoveTreeNode(tree, key); };
    s.markCurrentFormatNode = [](const QString& previous, const QString& current) {
        MarkCurrentFormatNode(previous, current);
    };
}

}  // namespace bw
