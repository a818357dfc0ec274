#pragma once
// What records and batch data answer through the doors (common/Services.h).

namespace bw {

// Fills the records' door: default records and the batch rows after the batch grid changed.
void InstallRecordsServices();

}  // namespace bw
