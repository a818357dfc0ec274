#pragma once
// What the format store answers through the doors (common/Services.h).

namespace bw {

// Fills the store's door: the open format's name, the main window state's grids and the
// ready formats of a new data file.
void InstallStoreServices();

}  // namespace bw
