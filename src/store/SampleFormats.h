#pragma once
// The ready formats a new database starts with: a bank deposit slip and an express waybill
// at their paper sizes, with sample contents and boxes that fill one another (capitals,
// totals, QR codes of the numbers), so that a new user sees a bill at once.

#include <QString>

namespace bw {

namespace sql {
class Connection;
}

inline const QString kSampleDepositSlip = QStringLiteral("银行进账单");
inline const QString kSampleWaybill = QStringLiteral("快递运单");

// Stores the ready formats and opens the deposit slip at the next start, when the database
// holds no format yet. True when they were stored.
bool SeedSampleFormats();

// Writes the ready formats into the database on `c` and makes the deposit slip the format the
// next start opens, looking at nothing: for a new file that holds no format (the start-up
// check's new data file, before it takes its name). False when a row could not be written.
bool WriteSampleFormats(sql::Connection& c);

}  // namespace bw
