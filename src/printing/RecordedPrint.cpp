#include "printing/RecordedPrint.h"

#include "platform/Printer.h"
#include "records/History.h"

namespace bw {

RecordedPrint::RecordedPrint(Printer& printer, const QString& format, bool record)
    : printer_(printer), format_(format) {
    if (!record) return;
    lock_ = std::make_unique<Transaction>();
    ready_ = lock_->Active();
    if (!ready_) {
        cause_ = LastDatabaseError();
        lock_.reset();
    }
}

bool RecordedPrint::Record() {
    if (!lock_) return ready_;
    const int number = SaveBillToHistory(format_);
    if (number < 0) {
        cause_ = LastDatabaseError();
        return false;
    }
    if (number > 0) {
        if (first_ == 0) first_ = number;
        last_ = number;
    }
    return true;
}

bool RecordedPrint::Keep() {
    if (!lock_) return ready_;
    const bool committed = lock_->Commit();
    lock_.reset();
    if (!committed) {
        cause_ = LastDatabaseError();
        first_ = last_ = 0;
    }
    return committed;
}

RecordedPrint::Sent RecordedPrint::Send() {
    // Whatever may still fail before the paper goes out comes first: the printer readies the
    // document, then the records reach the disk.
    if (!printer_.SealDoc()) return Sent::PrinterFailed;
    if (!Keep()) {
        printer_.KillDoc();
        return Sent::RecordFailed;
    }
    if (printer_.DeliverDoc()) return Sent::Out;
    return TakeBack() ? Sent::PrinterFailed : Sent::NotOutButKept;
}

bool RecordedPrint::TakeBack() {
    if (first_ == 0) return true;
    if (!DeleteBills(format_, first_, last_)) {
        cause_ = LastDatabaseError();
        return false;
    }
    first_ = last_ = 0;
    return true;
}

}  // namespace bw
