#pragma once
// What the format library answers through the doors (common/Services.h).

namespace bw {

// Fills the library's door: the format list and the category tree's nodes.
void InstallLibraryServices();

}  // namespace bw
