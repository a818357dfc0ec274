#include "printing/TextOverflow.h"

#include "platform/Dialogs.h"
#include "platform/Grid.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/MainForm.h"

namespace bw {

bool RunsPastBottom(int lines, double height, double boxHeight) {
    return lines >= 2 && height > boxHeight;
}

QString TextBoxName(const BoxControl* box) {
    const Grid& g = MF().BoxGrid();
    const int row = BoxRow(box);
    const QString caption =
        row >= g.FixedRows() && row < g.Rows() ? g.TextMatrix(row, col::LBL) : QString();
    if (caption.isEmpty())
        return QStringLiteral("第") + QString::number(box->Index() % 1000) +
               QStringLiteral("个文本框");
    return QStringLiteral("“") + caption + QStringLiteral("”");
}

QString OverflowQuestionText(const QString& box, const QString& where) {
    const QString in = where.isEmpty() ? QString() : where + QStringLiteral("中");
    return in + box + QStringLiteral("的内容超出了输入框，超出的部分会印到框外。是否仍然打印？");
}

bool OverflowQuestion::Allows(const QString& box, const QString& where) {
    if (box.isEmpty()) return true;
    if (answer_ == 0)
        answer_ = dlg::MsgBox(OverflowQuestionText(box, where), dlg::YesNo | dlg::Question);
    return answer_ == dlg::Yes;
}

}  // namespace bw
