#pragma once
// The kept files are lines of words separated by spaces: split and read
// them, numbers strictly whole and in range. A line whose first word
// starts with '#' is a comment.
#include <string>
#include <string_view>
#include <vector>

std::vector<std::vector<std::string>> SplitWordLines(std::string_view text);
bool ParseWholeNumber(const std::string& word, long low, long high, int& out);
// The first line must be "NAME VERSION" with VERSION at most current.
bool CheckVersionLine(const std::vector<std::vector<std::string>>& lines, const char* name, int current,
                      std::string& error);
