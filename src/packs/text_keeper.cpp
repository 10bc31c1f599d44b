#include "packs/text_keeper.h"

#include <algorithm>
#include <cstddef>

#include "packs/text_printer.h"

namespace {

// The text's lines, each with its line end; line n is lines[n - 1].
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t eol = text.find('\n', pos);
        const std::size_t end = eol == std::string_view::npos ? text.size() : eol + 1;
        lines.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return lines;
}

// Appends a whole line: a last line of the old text without its line end gets one.
void Put(std::string& out, std::string_view line) {
    if (line.empty()) return;
    if (!out.empty() && out.back() != '\n') out += '\n';
    out += line;
}

// The comment ending a line ("# the floor"), without its line end; empty if none.
std::string_view CommentOf(std::string_view line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '\\') {
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == '#' && !quoted) {
            std::string_view comment = line.substr(i);
            while (!comment.empty() && (comment.back() == '\n' || comment.back() == '\r')) comment.remove_suffix(1);
            return comment;
        }
    }
    return {};
}

bool Same(const std::vector<LevelRecord>& a, std::size_t ai, const std::vector<LevelRecord>& b, std::size_t bi,
          std::size_t n) {
    for (std::size_t k = 0; k < n; ++k)
        if (!SameRecord(a[ai + k], b[bi + k])) return false;
    return true;
}

// A line of a level after its `level` line, and the records [first, end) it gave.
struct Unit {
    int line;
    std::size_t first, end;
};

class Keeper {
public:
    Keeper(std::string_view was, const LevelList& wasLevels) : lines_(SplitLines(was)), was_(wasLevels) {
        for (const PackLevel& l : was_) {
            int last = l.line;
            for (int line : l.recordLines) last = std::max(last, line);
            last_.push_back(last);
        }
    }

    std::string Print(const LevelList& levels, const std::vector<int>& from) {
        std::string out;
        // What comes before the first level stays first, whatever moved.
        Lines(out, 1, was_.empty() ? static_cast<int>(lines_.size()) : was_[0].line - 1);
        int previous = -1;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            int k = i < from.size() ? from[i] : -1;
            if (k >= static_cast<int>(was_.size()) ||
                (k >= 0 && was_[static_cast<std::size_t>(k)].recordLines.size() != was_[static_cast<std::size_t>(k)].records.size()))
                k = -1;
            if (k < 0) {
                if (!out.empty()) Put(out, "\n");
                Put(out, FormatLevelText({levels[i]}));
            } else {
                // The lines between a level and the one before it go with it;
                // a level in a new place is parted from the one before it.
                const std::size_t before = out.size();
                if (k > 0) Lines(out, last_[static_cast<std::size_t>(k) - 1] + 1, was_[static_cast<std::size_t>(k)].line - 1);
                if (out.size() == before && i > 0 && previous != k - 1) Put(out, "\n");
                Level(out, static_cast<std::size_t>(k), levels[i]);
            }
            previous = k;
        }
        if (!was_.empty()) Lines(out, last_.back() + 1, static_cast<int>(lines_.size()));
        return out;
    }

private:
    void Lines(std::string& out, int first, int last) {
        for (int n = std::max(first, 1); n <= last && n <= static_cast<int>(lines_.size()); ++n)
            Put(out, lines_[static_cast<std::size_t>(n) - 1]);
    }

    std::string_view LineAt(int n) const {
        return n >= 1 && n <= static_cast<int>(lines_.size()) ? lines_[static_cast<std::size_t>(n) - 1] : "";
    }

    // The level's lines kept where its records are as they were, from its
    // start and from its end; what lies between is printed anew.
    void Level(std::string& out, std::size_t k, const PackLevel& now) {
        const PackLevel& old = was_[k];
        const std::vector<LevelRecord>& r = old.records;
        const std::vector<LevelRecord>& n = now.records;
        // A terminator the text did not spell out is no line of it.
        const bool implicitEnd = !r.empty() && !old.recordLines.empty() && old.recordLines.back() == old.line;
        const std::size_t oldEnd = r.size() - (implicitEnd ? 1 : 0);
        const bool plainEnd = !n.empty() && SameRecord(n.back(), kEndRecord);
        const bool keptEnd = !implicitEnd && !r.empty() && !n.empty() && SameRecord(n.back(), r.back());
        const std::size_t newEnd = n.size() - (plainEnd && !keptEnd ? 1 : 0);

        std::vector<Unit> units;
        std::size_t at = 0;
        for (int line = old.line + 1; line <= last_[k]; ++line) {
            const std::size_t first = at;
            while (at < oldEnd && old.recordLines[at] == line) ++at;
            units.push_back({line, first, at});
        }
        std::size_t head = 0, p = 0;  // units and records kept from the start
        while (head < units.size()) {
            const Unit& u = units[head];
            if (u.end > newEnd || !Same(r, u.first, n, u.first, u.end - u.first)) break;
            p = u.end;
            ++head;
        }
        std::size_t tail = units.size(), q = 0;  // from the end
        while (tail > head) {
            const Unit& u = units[tail - 1];
            const std::size_t count = u.end - u.first;
            if (oldEnd - u.end != q || newEnd < p + q + count || !Same(r, u.first, n, newEnd - q - count, count)) break;
            q += count;
            --tail;
        }

        if (now.name == old.name) {
            Put(out, LineAt(old.line));
        } else {
            std::string line = FormatLevelLine(now.name);
            const std::string_view comment = CommentOf(LineAt(old.line));
            if (!comment.empty()) line.insert(line.size() - 1, "  " + std::string(comment));
            Put(out, line);
        }
        for (std::size_t u = 0; u < head; ++u) Put(out, LineAt(units[u].line));
        // The changed lines' comments and the blank lines among them stay.
        for (std::size_t u = head; u < tail; ++u) {
            const std::string_view line = LineAt(units[u].line);
            if (units[u].first == units[u].end) {
                Put(out, line);
            } else if (const std::string_view comment = CommentOf(line); !comment.empty()) {
                Put(out, std::string(comment) + "\n");
            }
        }
        Put(out, FormatRecordLines(n, p, newEnd - q));
        for (std::size_t u = tail; u < units.size(); ++u) Put(out, LineAt(units[u].line));
    }

    std::vector<std::string_view> lines_;
    const LevelList& was_;
    std::vector<int> last_;  // per level, its last line
};

}  // namespace

std::string FormatKeepingText(std::string_view was, const LevelList& wasLevels, const LevelList& levels,
                              const std::vector<int>& from) {
    return Keeper(was, wasLevels).Print(levels, from);
}
