#include "design/clipboard.h"

#include <cstdlib>

#include "packs/text_parser.h"
#include "packs/text_printer.h"

namespace design {

std::string ClipboardPath() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        return std::string(runtime) + "/zandrove/clipboard.txt";
    return KeptFilePath("XDG_DATA_HOME", ".local/share", "clipboard.txt");
}

Clipboard::Clipboard(std::string path) : file_(std::move(path)) {}

bool Clipboard::Put(const std::vector<LevelRecord>& records, std::string& message) {
    held_ = records;
    if (file_.Path().empty()) return true;
    PackLevel level;
    level.name = "clipboard";
    level.records = records;
    level.records.push_back(kEndRecord);
    const std::string text = FormatLevelText({level}, "What the level designer copied last, for pasting.");
    // A text the reader would refuse is not written: the copy stays here.
    if (text.size() > kMaxKeptFileBytes) {
        message = "too many to share with other designers";
        return false;
    }
    if (file_.Save(text, message)) return true;
    if (message.empty()) message = "'" + file_.Path() + "' is left alone";
    return false;
}

bool Clipboard::Take(std::vector<LevelRecord>& records, std::string& message) {
    std::vector<LevelRecord> shared;
    const bool read = !file_.Path().empty() && file_.Load(
                                                    [&](std::string_view text, std::string& error) {
                                                        ParsedText parsed = ParseLevelText(text);
                                                        if (!parsed.errors.empty() || parsed.levels.size() != 1) {
                                                            error = "not a clipboard the designer wrote";
                                                            return false;
                                                        }
                                                        shared = std::move(parsed.levels.front().records);
                                                        shared.pop_back();  // its end record
                                                        return true;
                                                    },
                                                    message);
    records = read ? std::move(shared) : held_;
    if (records.empty() && message.empty()) message = "nothing to paste: select something and copy it (Ctrl+C) first";
    return !records.empty();
}

}  // namespace design
