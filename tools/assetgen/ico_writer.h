#pragma once
// The web page's favicon.ico: the menu icon at the small sizes a browser's
// tab and bookmarks show, each kept as a PNG inside the icon file (which
// every browser reads).
#include <cstdint>
#include <utility>
#include <vector>

namespace gen {

// One icon file of the PNG-encoded squares, in the order given.
std::vector<uint8_t> EncodeIco(const std::vector<std::pair<int, std::vector<uint8_t>>>& sizedPngs);

}  // namespace gen
