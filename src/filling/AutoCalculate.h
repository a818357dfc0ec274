#pragma once
// The automatic calculation over linked boxes: when the clerk leaves a text box its value
// spreads to the boxes linked to it. Same-value chains (RCtl/RCtl1 in the same-value mode)
// receive the value converted by their own data type; related chains (the history mode) are
// filled from the latest earlier bill that held the value; sum and product targets (SumID,
// SumID1) are computed again. A box changed this way spreads its own value in turn, through
// a queue in which every box appears at most once. The work is bounded: 151 boxes per call,
// 501 links per chain pass.

#include <QString>
#include <vector>

#include "filling/Links.h"

namespace bw {

class Grid;
class CheckBox;

// One text box of the format as the calculation sees it.
struct RelationRecord {
    int boxIndex = 0;     // the index of the text box in TT
    double id = 0;        // the identity in column 0 (negative for an unsaved box)
    double dataType = 0;  // column 18
    LinkRef rctl;         // column 19
    LinkRef rctl1;        // column 22
    double sumId = 0;     // column 20
    double sumId1 = 0;    // column 21
    LinkRef sum;          // SumID decoded (target and add/multiply)
    LinkRef sum1;         // SumID1 decoded
};

// The text boxes of the grid, in row order, and their identities.
class RelationTable {
public:
    // Rebuilds the table from every text-box row (Clas 0) of the grid.
    void Build(const Grid& grid);
    int Count() const { return int(records_.size()); }
    const RelationRecord& At(int k) const { return records_[k]; }
    // The position of the text box with that identity; -1 when it is none of the table.
    int IndexOf(double id) const;

private:
    std::vector<RelationRecord> records_;
    QHash<qint64, int> byId_;
};

// The identities waiting in one propagation, in the order they came; each at most once.
class WorkQueue {
public:
    explicit WorkQueue(double first) { ids_.push_back(first); }
    // Appends the identity unless it is already waiting or was handled.
    void Add(double id);
    int IndexOf(double id) const;
    int Size() const { return int(ids_.size()); }
    double At(int i) const { return ids_[i]; }

private:
    std::vector<double> ids_;
};

// Turns, chain steps and focus-colouring steps of the propagation.
inline constexpr int kMaxCalcTurns = 151;
inline constexpr int kMaxChainSteps = 501;

// The box's text read as a number text where it holds an amount in capitals.
QString BoxTextByIndex(int boxIndex);

// Spreads the value of the box with identity boxId over its links; the grid is the box
// property grid of the open format.
void AutoCalculate(double boxId, const Grid& grid);

// Follows the same-value links from record `start` of the table and gives every box on them
// `value` converted by its own data type. A link into a picture box draws the value there and
// ends the whole walk.
void SetRelatedBoxValue(const RelationTable& table, int start, const QString& value,
                        WorkQueue& queue);

// One earlier bill's row holding a value: the bill number, the box and its caption.
struct HistoryHit {
    qint64 bill = 0;
    double cid = 0;
    QString lbl;
};

// The history rows of the format holding each value asked for, latest bill first; each value
// is read once per lookup (one propagation), however many boxes ask for it.
class HistoryLookup {
public:
    const std::vector<HistoryHit>& Rows(const QString& format, const QString& value);

private:
    static std::vector<HistoryHit> Load(const QString& format, const QString& value);
    QHash<QString, std::vector<HistoryHit>> byValue_;
};

// The number of the latest earlier bill of the format in which the box held `value`; for a
// box whose caption is "prefix_n" (n > 0) any box of the same prefix counts, and `group`
// becomes the n of the box that held it. 0 when there is none. Without a lookup the history
// is read for this call alone.
qint64 FindHistoryBill(const QString& format, double boxId, const QString& caption,
                       const QString& value, int& group, HistoryLookup* lookup = nullptr);

// Fills the boxes on the related links of record `start` from the bill: in group n > 0 the
// row of the caption "prefix_n", otherwise the row of the linked box itself.
void FillFromHistoryBill(const RelationTable& table, const QString& format, qint64 billId,
                         int start, WorkQueue& queue, int group);

// Ticking a check box clears the others of its single-choice ring (RCtl links).
void SetCheckBoxRCtl(CheckBox* box);

}  // namespace bw
