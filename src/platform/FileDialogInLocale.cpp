#include "platform/FileDialogInLocale.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace bw {

namespace {

// The columns of Qt's file list: name, size, type, date modified.
enum { kSizeColumn = 1, kTypeColumn = 2, kDateColumn = 3 };

// Qt's file list with the size, type of folders and date written in the program's locale.
class FileListInLocale : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QLocale locale;
        switch (index.column()) {
            case kSizeColumn:
                if (files->isDir(source)) return QString();
                return locale.formattedDataSize(files->size(source));
            case kTypeColumn:
                if (files->isDir(source)) return QStringLiteral("文件夹");
                break;
            case kDateColumn:
                return locale.toString(files->lastModified(source), QLocale::ShortFormat);
            default:
                break;
        }
        return QIdentityProxyModel::data(index, role);
    }
};

}  // namespace

QFileDialog* NewFileDialog(QWidget* parent, const QString& title, const QString& folderOrFile,
                           const QString& qtFilter, bool save) {
    auto* d = new QFileDialog(parent, title, folderOrFile, qtFilter);
    d->setOption(QFileDialog::DontUseNativeDialog);
    d->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d->setProxyModel(new FileListInLocale(d));
    // The size, type and date columns as wide as what they show.
    if (auto* details = d->findChild<QTreeView*>(QStringLiteral("treeView")))
        for (int c : {kSizeColumn, kTypeColumn, kDateColumn})
            details->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    return d;
}

}  // namespace bw
