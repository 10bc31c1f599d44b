#pragma once
// A level or a whole pack carried in a link: the fragment holds the level
// text (as `zandrove-pack dump` prints it), compressed, after "#level=" or
// "#pack=". What the text must hold to be played is the same whoever
// unpacked it: the native programs (zlib, packs/share_link.h) or the page
// (the browser's own decompression).
#include <cstddef>
#include <string>
#include <string_view>

#include "packs/pack_model.h"

enum class LinkKind { Level, Pack };

// The fragment's keys, up to and including the '='.
constexpr std::string_view kLevelLinkKey = "level=";
constexpr std::string_view kPackLinkKey = "pack=";

// The most level text a link may unpack to. A link is made for a level or a
// pack (64 KiB of text is plenty), yet a few kilobytes of crafted input can
// unpack to gigabytes: unpacking stops here and the link is refused.
constexpr std::size_t kMaxLinkTextBytes = std::size_t{16} << 20;

// The levels of a link's text: false, with one line saying why, for a text
// with an error in it, one with no level, or a level link with more than one.
bool LevelsFromLinkText(std::string_view text, LinkKind kind, LevelList& levels, std::string& error);
