#pragma once
// The order of record and paper for a document whose bills are recorded in the history: the
// bills are recorded under the history's write lock (a batch takes it before its first bill,
// so that each bill is recorded before it is drawn), the document is readied (the PDF whole on
// the disk), the records are committed, and only then does the document go out; when it does
// not go out after all, its records are taken back. So a number is never on paper without the
// history holding it, whatever befalls the program, the disk or another program holding the
// data file, and the next bill never takes a number already printed.

#include <QString>
#include <memory>

#include "common/Database.h"

namespace bw {

class Printer;

class RecordedPrint {
public:
    // For a document of bills of `format` on `printer`. With `record` the history's write lock
    // is taken now, waiting as long as any write waits (Ready() tells whether it was had);
    // without, the bills go out as a plain print and nothing is recorded.
    RecordedPrint(Printer& printer, const QString& format, bool record);
    // Left without Send() or Keep(), the bills recorded are taken back.
    ~RecordedPrint() = default;
    RecordedPrint(const RecordedPrint&) = delete;
    RecordedPrint& operator=(const RecordedPrint&) = delete;

    // False when the lock could not be had: nothing may be drawn (Cause() says why).
    bool Ready() const { return ready_; }

    // Records the bill shown in the boxes, before it is drawn. False when it could not be
    // written (Cause() says why): it is not to be drawn, and the bills recorded before it stay.
    bool Record();
    // The bill numbers recorded so far, first and last; 0 and 0 when none.
    int FirstNumber() const { return first_; }
    int LastNumber() const { return last_; }

    enum class Sent {
        Out,            // the document went out, its bills are in the history
        PrinterFailed,  // the printer did not take it; nothing is recorded (the printer's
                        // LastError says why)
        RecordFailed,   // the records could not be committed; nothing went out (Cause())
        NotOutButKept   // the printer did not take it, and its bills could not be taken back
                        // from the history (Cause()): those numbers stay used
    };
    // Readies the document (unless the caller has sealed it), commits its records, then hands
    // it to the printer.
    Sent Send();
    // For bills drawn into a document that the caller ends later: commits the records now,
    // before any page of them can go out. False when they could not be committed (Cause()).
    bool Keep();

    // Takes the bills committed by Keep() back out of the history, their paper not having
    // gone out. False when the file refused (Cause()).
    bool TakeBack();

    // Why the lock, a record, the commit or the taking back failed, in the clerk's words.
    QString Cause() const { return cause_; }

private:
    Printer& printer_;
    QString format_;
    std::unique_ptr<Transaction> lock_;
    bool ready_ = true;
    int first_ = 0, last_ = 0;
    QString cause_;
};

}  // namespace bw
