#pragma once
// Reading a level text: the lines a person writes, one record (or one row or
// column of records) per line, into the levels of a pack.
#include <string>
#include <string_view>
#include <vector>

#include "packs/pack_model.h"

struct TextError {
    int line;  // 1-based
    std::string message;
};

struct ParsedText {
    LevelList levels;  // each level ends with its type-0 record
    std::vector<TextError> errors;
};

// Parses the whole text; every faulty line is reported and the rest still read.
ParsedText ParseLevelText(std::string_view text);

// "file:line: error: message", as compilers print it.
std::string FormatTextError(std::string_view file, const TextError& error);
