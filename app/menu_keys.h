// Which menu-bar popup an Alt+letter opens. The popup titles carry no '&'
// mnemonic, and some menu implementations match only those, so the window
// answers the platform's "unknown menu character" query itself.
#pragma once

#include <string>
#include <vector>

// Index of the first title that starts with `typed` (case-insensitive), or -1.
int PopupForLetter(int typed, const std::vector<std::string>& titles);
