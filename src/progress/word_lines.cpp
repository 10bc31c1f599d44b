#include "progress/word_lines.h"

#include <cerrno>
#include <cstdlib>

std::vector<std::vector<std::string>> SplitWordLines(std::string_view text) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> words;
    std::string word;
    auto endWord = [&] {
        if (!word.empty()) words.push_back(std::move(word));
        word.clear();
    };
    for (char c : text) {
        if (c == '\n') {
            endWord();
            if (!words.empty() && words[0][0] != '#') lines.push_back(std::move(words));
            words.clear();
        } else if (c == ' ' || c == '\t' || c == '\r') {
            endWord();
        } else {
            word += c;
        }
    }
    endWord();
    if (!words.empty() && words[0][0] != '#') lines.push_back(std::move(words));
    return lines;
}

bool ParseWholeNumber(const std::string& word, long low, long high, int& out) {
    if (word.empty() || word.size() > 12) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || v < low || v > high || word[0] == '+' || word[0] == ' ') return false;
    out = static_cast<int>(v);
    return true;
}

bool CheckVersionLine(const std::vector<std::vector<std::string>>& lines, const char* name, int current,
                      std::string& error) {
    int version = 0;
    if (lines.empty() || lines[0].size() != 2 || lines[0][0] != name ||
        !ParseWholeNumber(lines[0][1], 1, 1000000, version)) {
        error = std::string("does not start with '") + name + " " + std::to_string(current) + "'";
        return false;
    }
    if (version > current) {
        error = "version " + std::to_string(version) + " is newer than this game reads (" + std::to_string(current) + ")";
        return false;
    }
    return true;
}
