#pragma once
// Share links on this side of the page: a level or a pack made into a URL
// whose fragment is "level=" or "pack=" and the level text compressed with
// zlib (RFC 1950: deflate with an Adler-32 check of the text, which the
// browser's DecompressionStream("deflate") reads too) in base64url without
// padding. The compression's parameters are fixed, so the same levels give
// the same link on every machine.
#include <string>
#include <string_view>

#include "packs/link_text.h"
#include "packs/pack_model.h"

// Where the page is served by scripts/web.sh; --base names another.
constexpr std::string_view kDefaultShareBase = "http://localhost:8016/";

// base + "#level=..." for one level, "#pack=..." for a pack. False (with the
// reason) when the text is more than a link may carry.
bool MakeShareLink(const LevelList& levels, LinkKind kind, std::string_view base, std::string& link,
                   std::string& error);

// Whether a word of a command line is a link rather than a file name: its
// fragment has a "level=" or "pack=" part.
bool IsShareLink(std::string_view word);

// The link's kind and level text. False, with one line, for a link that is
// damaged or cut short (it does not unpack, or its check fails), or that
// unpacks to more than kMaxLinkTextBytes.
bool ReadShareLink(std::string_view link, LinkKind& kind, std::string& text, std::string& error);

// ReadShareLink and then LevelsFromLinkText: the levels a link holds.
bool LevelsFromShareLink(std::string_view link, LevelList& levels, std::string& error);
