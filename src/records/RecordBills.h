#pragma once
// The bills that batch records make, taken out of the boxes: each record put into the boxes
// as the batch print puts it (FillBillFromRecord: values converted by their data types,
// linked boxes calculated, running numbers counted on), its values read, and the bill shown
// put back as it was. The label sheet prints and previews these bills.

#include <QHash>
#include <QString>
#include <vector>

namespace bw {

class Grid;

// What the text, check and picture boxes of the open bill hold, by box index: a text box its
// text, a check box its value ("0", "1", "2"), a picture box its picture file or barcode text.
class BillValues {
public:
    // The boxes of the open bill as they are now.
    static BillValues Take();
    // Puts the values back into their boxes as they stand, without converting or
    // calculating; a picture box is drawn again only when its value changed.
    void Put() const;
    // The value of a box index; "" for a box not taken.
    QString Of(int index) const { return values_.value(index); }

private:
    QHash<int, QString> values_;
};

// The bills of the batch grid's rows, in the order given. Record n of the batch (n from 0)
// is filled as the batch print fills it, from the bill shown, with a running number the
// record does not fill taking the n-th number after the next, as the n-th bill of a batch
// would. A row outside the records gives the bill shown. The bill shown is put back
// afterwards.
std::vector<BillValues> RecordBills(Grid& grid, const std::vector<long long>& rows);

}  // namespace bw
