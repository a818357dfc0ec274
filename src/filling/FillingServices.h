#pragma once
// What bill filling answers through the doors (common/Services.h).

namespace bw {

// Fills the filling door: the data-type conversion of a box and the values of a new bill.
void InstallFillingServices();

}  // namespace bw
