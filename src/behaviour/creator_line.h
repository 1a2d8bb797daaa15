#pragma once

namespace kestrane {

class KESTRANE_Main;

// Where the maker can be reached, shown on the credit line on request.
inline constexpr const char* makerContactAddress = "orwyn402@example.com";

// DblClick of KESTRANE_CREATOR: the credit line becomes the maker's contact
// address, for good (a later double-click sets the same text again).
void showMakerContact(KESTRANE_Main& main);

}  // namespace kestrane
