#pragma once
// What the format store answers through the doors (common/Services.h).

namespace bw {

// Fills the store's door: the open format's name and the main window state's grids.
void InstallStoreServices();

}  // namespace bw
