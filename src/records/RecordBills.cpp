#include "records/RecordBills.h"

#include "platform/Grid.h"
#include "records/BatchRows.h"
#include "store/BoxControl.h"
#include "store/BoxModel.h"
#include "store/CheckBox.h"
#include "store/PictureBox.h"
#include "store/PictureRefresh.h"
#include "store/TextBox.h"

namespace bw {

BillValues BillValues::Take() {
    BillValues bill;
    for (int kind = kTextBox; kind <= kPictureBox; ++kind) {
        for (int index = FirstBoxIndex(kind); index <= LastBoxIndex(kind); ++index) {
            BoxControl* box = GetBoxByIndex(index);
            if (!box) continue;
            QString value;
            if (kind == kTextBox)
                value = static_cast<TextBox*>(box)->Text();
            else if (kind == kCheckBox)
                value = QString::number(static_cast<CheckBox*>(box)->Value());
            else
                value = static_cast<PictureBox*>(box)->LinkItem;
            bill.values_.insert(index, value);
        }
    }
    return bill;
}

void BillValues::Put() const {
    for (auto it = values_.cbegin(); it != values_.cend(); ++it) {
        BoxControl* box = GetBoxByIndex(it.key());
        if (!box) continue;
        switch (box->Kind()) {
            case kTextBox:
                static_cast<TextBox*>(box)->SetText(it.value());
                break;
            case kCheckBox:
                static_cast<CheckBox*>(box)->SetValue(it.value().toInt());
                break;
            case kPictureBox:
                if (static_cast<PictureBox*>(box)->LinkItem != it.value())
                    RefreshPictureBox(static_cast<PictureBox*>(box), it.value());
                break;
            default:
                break;
        }
    }
}

std::vector<BillValues> RecordBills(Grid& grid, const std::vector<long long>& rows) {
    std::vector<BillValues> bills;
    bills.reserve(rows.size());
    const BillValues shown = BillValues::Take();
    for (const long long row : rows) {
        const bool record = row >= grid.FixedRows() && row < grid.Rows();
        if (record) {
            // Each record starts from the bill shown, as the first bill of a batch does.
            shown.Put();
            FillBillFromRecord(grid, int(row), int(row - grid.FixedRows()));
        }
        bills.push_back(record ? BillValues::Take() : shown);
    }
    shown.Put();
    return bills;
}

}  // namespace bw
