#include "printing/BillRefusal.h"

#include "common/Globals.h"
#include "filling/DataTypeConversion.h"
#include "platform/Grid.h"
#include "platform/VbNumbers.h"
#include "printing/TextLayout.h"
#include "store/BoxAccessors.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/CheckBox.h"
#include "store/MainForm.h"
#include "store/TextBox.h"

namespace bw {

namespace {

// The value a box prints in its cells, for the boxes whose data type lays out an amount.
QString CellValueOf(const BoxControl* box, const Grid& g, int row) {
    switch (box->Kind()) {
        case kTextBox:
            return static_cast<const TextBox*>(box)->Text();
        case kCheckBox:
            return static_cast<const CheckBox*>(box)->Value() == 1 ? QStringLiteral("√")
                                                                   : QString();
        case kLabel:
            return g.TextMatrix(row, col::LBL);
        default:
            return QString();
    }
}

QString CaptionOf(const Grid& g, int row) {
    const QString caption = g.TextMatrix(row, col::LBL);
    return caption.isEmpty() ? QStringLiteral("金额") : caption;
}

// The first text box that reads an amount and holds none; capitals last.
QString NoAmount(const Grid& g) {
    QString inCapitals;
    for (int i = FirstBoxIndex(kTextBox); i <= LastBoxIndex(kTextBox); ++i) {
        const auto* box = static_cast<const TextBox*>(GetBoxByIndex(i));
        if (!box) continue;
        const int row = BoxRow(box);
        if (row < g.FixedRows() || row >= g.Rows()) continue;
        const double type = Val(g.TextMatrix(row, col::Cash));
        const bool addsUp =
            Val(g.TextMatrix(row, col::SumID)) != 0 || Val(g.TextMatrix(row, col::SumID1)) != 0;
        if (!IsAmountDataType(type) && !addsUp) continue;
        if (HoldsAmount(type, box->Text(), CurrencySign)) continue;
        const QString why = QStringLiteral("“") + CaptionOf(g, row) + QStringLiteral("”的内容“") +
                            box->Text() + QStringLiteral("”不是金额");
        if (!IsCapitalsDataType(type)) return why;
        if (inCapitals.isEmpty()) inCapitals = why;
    }
    return inCapitals;
}

// The first amount whose digits do not fit its cells.
QString Overflow(const Grid& g) {
    for (int kind : {int(kTextBox), int(kCheckBox), int(kLabel)}) {
        for (int i = FirstBoxIndex(kind); i <= LastBoxIndex(kind); ++i) {
            const BoxControl* box = GetBoxByIndex(i);
            if (!box) continue;
            const int row = BoxRow(box);
            if (row < g.FixedRows() || row >= g.Rows()) continue;
            const int t = static_cast<int>(Fix(Val(g.TextMatrix(row, col::Cash))));
            if (!((t >= 1 && t <= 99) || (t >= 301 && t <= 399))) continue;
            const QString value = CellValueOf(box, g, row);
            if (value.isEmpty()) continue;
            bool fits = true;
            CashCellText(value, t, &fits);
            if (fits) continue;
            return QStringLiteral("“") + CaptionOf(g, row) + QStringLiteral("”的金额“") + value +
                   QStringLiteral("”超出了") + QString::number(t > 300 ? t - 300 : t) +
                   QStringLiteral("个数字格");
        }
    }
    return QString();
}

}  // namespace

QString BillRefusal() {
    const Grid& g = MF().BoxGrid();
    const QString noAmount = NoAmount(g);
    return noAmount.isEmpty() ? Overflow(g) : noAmount;
}

QString BillRefusalMessage() {
    const QString refusal = BillRefusal();
    if (refusal.isEmpty()) return refusal;
    return refusal + QStringLiteral("，单据没有打印，也没有记入历史记录！") + kRefusalAdvice;
}

}  // namespace bw
