#include "packs/text_parser.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>

#include "packs/pack_header.h"
#include "packs/pack_header.h"

namespace {

constexpr int kGrid = 20;  // rows and columns step one grid cell

struct Token {
    std::string text;
    bool quoted = false;
};

struct Range {
    int16_t from = 0;
    int16_t to = 0;
};

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string Quote(std::string_view s) { return "'" + std::string(s) + "'"; }

class Parser {
public:
    ParsedText Run(std::string_view text) {
        // Some editors start a UTF-8 file with a byte order mark.
        std::size_t pos = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
        while (pos <= text.size()) {
            const std::size_t eol = text.find('\n', pos);
            const std::size_t end = eol == std::string_view::npos ? text.size() : eol;
            ++lineNo_;
            ParseLine(text.substr(pos, end - pos));
            if (eol == std::string_view::npos || full_) break;
            pos = eol + 1;
        }
        CloseLevel();
        return std::move(result_);
    }

private:
    ParsedText result_;
    int lineNo_ = 0;
    std::size_t records_ = 0;  // in all levels, terminators included
    bool full_ = false;        // past the game's record limit: nothing more is read
    bool inLevel_ = false;
    int endLine_ = 0;  // line of the level's own type-0 record, 0 while it has none
    std::vector<Token> tokens_;  // the line's; kept, so that a line allocates no list of its own

    void Error(std::string message) { result_.errors.push_back({lineNo_, std::move(message)}); }

    PackLevel& Current() { return result_.levels.back(); }

    void CloseLevel() {
        if (inLevel_ && endLine_ == 0) {
            ++records_;
            Current().records.push_back(kEndRecord);
            Current().recordLines.push_back(Current().line);
        }
        inLevel_ = false;
        endLine_ = 0;
    }

    void TooMany() {
        Error("more than " + std::to_string(kMaxPackRecords) +
              " records in all, more than the game reads from a pack; the text is read no further");
        full_ = true;
    }

    // Every record goes through here so that order in the text is order in the level.
    // count records are to come; ends when the last of them is the level's terminator.
    bool CanAdd(std::size_t count = 1, bool ends = false) {
        if (!inLevel_) {
            Error("a record before the first level: start each level with  level \"Name\"");
            return false;
        }
        if (endLine_ != 0) {
            Error("a record after this level's type-0 record (line " + std::to_string(endLine_) +
                  "): type 0 ends a level, so only the level's last record may have it");
            return false;
        }
        // The game reads no more records than this from a pack, and a text
        // of a few kilobytes can ask for millions: the text stops here.
        if (records_ + count + (ends ? 0 : 1) > kMaxPackRecords) {
            TooMany();
            return false;
        }
        return true;
    }

    void Add(const LevelRecord& r) {
        ++records_;
        Current().records.push_back(r);
        Current().recordLines.push_back(lineNo_);
        if (r.type == REC_END) endLine_ = lineNo_;
    }

    bool Tokenize(std::string_view line, std::vector<Token>& tokens) {
        std::size_t i = 0;
        while (i < line.size()) {
            const char c = line[i];
            if (IsSpace(c)) {
                ++i;
            } else if (c == '#') {
                break;
            } else if (c == '"') {
                Token t{"", true};
                bool closed = false;
                for (++i; i < line.size();) {
                    const char d = line[i++];
                    if (d == '"') {
                        closed = true;
                        break;
                    }
                    if (d == '\\' && i < line.size()) {
                        const char e = line[i++];
                        if (e != '"' && e != '\\') {
                            Error(std::string("unknown escape '\\") + e + "' in a name (only \\\" and \\\\)");
                            return false;
                        }
                        t.text += e;
                    } else if (static_cast<unsigned char>(d) < 0x20 || d == 0x7F) {
                        Error("a control character in a name");
                        return false;
                    } else {
                        t.text += d;
                    }
                }
                if (!closed) {
                    Error("the closing quote of the name is missing");
                    return false;
                }
                tokens.push_back(std::move(t));
            } else {
                const std::size_t start = i;
                while (i < line.size() && !IsSpace(line[i]) && line[i] != '#' && line[i] != '"') ++i;
                tokens.push_back({std::string(line.substr(start, i - start)), false});
            }
        }
        return true;
    }

    std::optional<int16_t> Number(std::string_view s, std::string_view what) {
        std::string_view digits = s;
        if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
        long long v = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
        if (digits.empty() || ec == std::errc::invalid_argument || end != digits.data() + digits.size()) {
            Error(std::string(what) + ": " + Quote(s) + " is not a whole number");
            return std::nullopt;
        }
        if (ec == std::errc::result_out_of_range || v < INT16_MIN || v > INT16_MAX) {
            Error(std::string(what) + ": " + std::string(s) + " is outside the 16-bit range -32768..32767");
            return std::nullopt;
        }
        return static_cast<int16_t>(v);
    }

    std::optional<int16_t> NumberToken(const Token& t, std::string_view what) {
        if (t.quoted) {
            Error(std::string(what) + ": a number, not a name, is wanted here");
            return std::nullopt;
        }
        return Number(t.text, what);
    }

    // Reads the numbers of tokens[first..] into out, one per name; the count must match.
    bool Numbers(const std::vector<Token>& tokens, std::size_t first, const std::vector<const char*>& names,
                 std::vector<int16_t>& out, const std::string& form) {
        if (tokens.size() - first != names.size()) {
            Error(tokens[0].text + " takes " + form);
            return false;
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            const auto v = NumberToken(tokens[first + i], names[i]);
            if (!v) return false;
            out.push_back(*v);
        }
        return true;
    }

    std::optional<Range> ParseRange(std::string_view key, std::string_view value) {
        const std::string what(key);
        const std::size_t dots = value.find("..");
        Range r;
        if (dots == std::string_view::npos) {
            const auto v = Number(value, what);
            if (!v) return std::nullopt;
            r.from = r.to = *v;
            return r;
        }
        const auto from = Number(value.substr(0, dots), what);
        if (!from) return std::nullopt;
        const auto to = Number(value.substr(dots + 2), what);
        if (!to) return std::nullopt;
        if ((*to - *from) % kGrid != 0) {
            Error(what + "=" + std::string(value) + ": the two ends must lie a whole number of " +
                  std::to_string(kGrid) + "-pixel grid steps apart");
            return std::nullopt;
        }
        r.from = *from;
        r.to = *to;
        return r;
    }

    // `block row y=Y x=A..B` or `block column x=X y=A..B`, the two fields in either order.
    void ParseRun(const std::vector<Token>& tokens, int16_t type) {
        const bool row = tokens[1].text == "row";
        const std::string form = tokens[0].text + (row ? " row y=Y x=A..B" : " column x=X y=A..B");
        if (tokens.size() != 4) {
            Error("expected  " + form);
            return;
        }
        const char fixedKey = row ? 'y' : 'x';
        std::optional<Range> fixed, run;
        for (std::size_t i = 2; i < 4; ++i) {
            const std::string& t = tokens[i].text;
            if (tokens[i].quoted || t.size() < 3 || t[1] != '=' || (t[0] != 'x' && t[0] != 'y')) {
                Error("expected  " + form + "  but found " + Quote(t));
                return;
            }
            std::optional<Range>& slot = t[0] == fixedKey ? fixed : run;
            if (slot) {
                Error(std::string(1, t[0]) + " is given twice; expected  " + form);
                return;
            }
            slot = ParseRange(t.substr(0, 1), std::string_view(t).substr(2));
            if (!slot) return;
        }
        if (fixed->from != fixed->to) {
            Error(std::string(row ? "a row has one y; a run of y values is a column" :
                                    "a column has one x; a run of x values is a row"));
            return;
        }
        if (!CanAdd(static_cast<std::size_t>(std::abs(run->to - run->from) / kGrid + 1))) return;
        const int step = run->to >= run->from ? kGrid : -kGrid;
        for (int v = run->from;; v += step) {
            LevelRecord r{};
            r.type = type;
            r.x = static_cast<int16_t>(row ? v : fixed->from);
            r.y = static_cast<int16_t>(row ? fixed->from : v);
            Add(r);
            if (v == run->to) break;
        }
    }

    void ParseLevel(const std::vector<Token>& tokens) {
        std::string name;
        if (tokens.size() > 2 || (tokens.size() == 2 && !tokens[1].quoted)) {
            Error("expected  level \"Name\"  (the name in double quotes)");
            return;
        }
        if (tokens.size() == 2) name = tokens[1].text;
        if (name.size() > kMaxLevelNameBytes) {
            Error("the level name is " + std::to_string(name.size()) + " bytes long; at most " +
                  std::to_string(kMaxLevelNameBytes) + " fit in the level header");
            name.resize(kMaxLevelNameBytes);
        }
        CloseLevel();
        if (records_ + 1 > kMaxPackRecords) return TooMany();  // no room left for its terminator
        PackLevel level;
        level.name = std::move(name);
        level.line = lineNo_;
        result_.levels.push_back(std::move(level));
        inLevel_ = true;
    }

    void ParseRecord(const std::vector<Token>& tokens) {
        static const char* const kNames[8] = {"type", "x", "y", "w", "h", "param", "reserved", "reserved"};
        if (tokens.size() < 2 || tokens.size() > 9) {
            Error("record takes the type and up to seven more fields: record TYPE X Y W H PARAM R1 R2");
            return;
        }
        int16_t f[8] = {};
        for (std::size_t i = 1; i < tokens.size(); ++i) {
            const auto v = NumberToken(tokens[i], kNames[i - 1]);
            if (!v) return;
            f[i - 1] = *v;
        }
        if (!CanAdd(1, f[0] == REC_END)) return;
        Add(LevelRecord{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]});
    }

    void ParseNamed(const std::vector<Token>& tokens, int16_t type) {
        std::vector<int16_t> v;
        LevelRecord r{};
        r.type = type;
        switch (static_cast<uint16_t>(type)) {
            case REC_BLOCK:
            case REC_BRICK:
                if (tokens.size() >= 2 && (tokens[1].text == "row" || tokens[1].text == "column") &&
                    !tokens[1].quoted) {
                    ParseRun(tokens, type);
                    return;
                }
                if (!Numbers(tokens, 1, {"x", "y"}, v,
                             "X Y,  row y=Y x=A..B  or  column x=X y=A..B"))
                    return;
                r.x = v[0];
                r.y = v[1];
                break;
            case REC_HAMSTER:
                if (!Numbers(tokens, 1, {"x", "y"}, v, "X Y")) return;
                r.x = v[0];
                r.y = v[1];
                break;
            case REC_BOMB:
                if (tokens.size() != 1) {
                    Error("bomb takes nothing: an inventory bomb has no place until the player sets it");
                    return;
                }
                r = kInventoryBombRecord;
                break;
            case REC_FIXED_BOMB: {
                if (tokens.size() != 5 || tokens[3].text != "fuse" || tokens[3].quoted) {
                    Error("fixed-bomb takes  X Y fuse N  (N in quarter seconds)");
                    return;
                }
                const auto x = NumberToken(tokens[1], "x");
                if (!x) return;
                const auto y = NumberToken(tokens[2], "y");
                if (!y) return;
                const auto fuse = NumberToken(tokens[4], "fuse");
                if (!fuse) return;
                r.x = *x;
                r.y = *y;
                r.param = *fuse;
                break;
            }
            case REC_EXIT:
                if (!Numbers(tokens, 1, {"x", "y", "w", "h"}, v, "X Y W H (top-left corner and size)")) return;
                r.x = v[0];
                r.y = v[1];
                r.w = v[2];
                r.h = v[3];
                break;
            default:
                return;
        }
        if (!CanAdd()) return;
        Add(r);
    }

    void ParseLine(std::string_view line) {
        std::vector<Token>& tokens = tokens_;
        tokens.clear();
        if (!Tokenize(line, tokens) || tokens.empty()) return;
        const Token& head = tokens[0];
        if (head.quoted) {
            Error("a line starts with a statement, not a name");
            return;
        }
        if (head.text == "level") return ParseLevel(tokens);
        if (head.text == "record") return ParseRecord(tokens);
        for (int16_t type : {REC_BLOCK, REC_BRICK, REC_HAMSTER, REC_BOMB, REC_FIXED_BOMB, REC_EXIT}) {
            if (head.text == RecordTypeName(type)) return ParseNamed(tokens, type);
        }
        Error("unknown statement " + Quote(head.text) +
              " (expected level, block, brick, hamster, bomb, fixed-bomb, exit or record)");
    }
};

}  // namespace

ParsedText ParseLevelText(std::string_view text) { return Parser().Run(text); }

std::string FormatTextError(std::string_view file, const TextError& error) {
    std::string s;
    s.reserve(file.size() + error.message.size() + 24);
    s.append(file);
    s += ':';
    s += std::to_string(error.line);
    s += ": error: ";
    s += error.message;
    return s;
}
