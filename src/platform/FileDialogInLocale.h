#pragma once
// Qt's own file dialog speaking the program's language all through: besides the translated
// captions and buttons, its list shows file sizes, types and modification dates in the
// program's locale (QLocale()), where Qt's file list would take the system's, in columns as
// wide as what they show.

#include <QString>

class QFileDialog;
class QWidget;

namespace bw {

// A Qt (not the system's) file dialog for opening or saving, over `folderOrFile`, with a
// filter in Qt's form ("desc (*.a *.b);;..."). The caller owns it (or gives it a parent).
QFileDialog* NewFileDialog(QWidget* parent, const QString& title, const QString& folderOrFile,
                           const QString& qtFilter, bool save);

}  // namespace bw
