#pragma once

#include <QtGlobal>

class QComboBox;

namespace bw {

// Fills the drop-down list that opens over a text box with the box's choices: "男"/"女" for
// the sex type, the format's custom list for the list types, then the box's earlier values
// from the history (or those of every box sharing its caption prefix "name_n").
void FillBoxDropDown(QComboBox* list, qint64 recordId);

}  // namespace bw
