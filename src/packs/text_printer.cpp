#include "packs/text_printer.h"

#include <cstddef>
#include <vector>

namespace {

constexpr int kGrid = 20;

bool ReservedClear(const LevelRecord& r) { return r.reserved0 == 0 && r.reserved1 == 0; }

// A block, brick or hamster that the short form "TYPE X Y" gives back exactly.
bool PlainPoint(const LevelRecord& r) { return r.w == 0 && r.h == 0 && r.param == 0 && ReservedClear(r); }

bool IsGridPiece(const LevelRecord& r) {
    return (r.type == REC_BLOCK || r.type == REC_BRICK) && PlainPoint(r);
}

std::string Raw(const LevelRecord& r) {
    std::string s = "record";
    for (int16_t f : {r.type, r.x, r.y, r.w, r.h, r.param, r.reserved0, r.reserved1}) s += " " + std::to_string(f);
    return s;
}

std::string Pair(int16_t x, int16_t y) { return std::to_string(x) + " " + std::to_string(y); }

std::string QuotedName(const std::string& name) {
    std::string s = "\"";
    for (char c : name) {
        if (c == '"' || c == '\\') s += '\\';
        s += c;
    }
    return s + "\"";
}

// Length of the row or column starting at records[i]: consecutive grid pieces of
// one type, one coordinate fixed and the other stepping one cell the same way.
// Sets row to tell which; 1 when records[i] starts none.
std::size_t RunLength(const std::vector<LevelRecord>& records, std::size_t i, std::size_t end, bool& row) {
    const LevelRecord& a = records[i];
    if (!IsGridPiece(a) || i + 1 >= end) return 1;
    const LevelRecord& b = records[i + 1];
    if (!IsGridPiece(b) || b.type != a.type) return 1;
    const int dx = b.x - a.x, dy = b.y - a.y;
    if (dy == 0 && (dx == kGrid || dx == -kGrid)) row = true;
    else if (dx == 0 && (dy == kGrid || dy == -kGrid)) row = false;
    else return 1;
    std::size_t n = 2;
    while (i + n < end) {
        const LevelRecord& p = records[i + n - 1];
        const LevelRecord& q = records[i + n];
        if (!IsGridPiece(q) || q.type != a.type || q.x - p.x != dx || q.y - p.y != dy) break;
        ++n;
    }
    return n;
}

}  // namespace

std::string FormatRecord(const LevelRecord& r) {
    switch (static_cast<uint16_t>(r.type)) {
        case REC_BLOCK:
        case REC_BRICK:
        case REC_HAMSTER:
            if (PlainPoint(r)) return std::string(RecordTypeName(r.type)) + " " + Pair(r.x, r.y);
            break;
        case REC_BOMB:
            if (SameRecord(r, kInventoryBombRecord))
                return "bomb";
            break;
        case REC_FIXED_BOMB:
            if (r.w == 0 && r.h == 0 && ReservedClear(r))
                return "fixed-bomb " + Pair(r.x, r.y) + " fuse " + std::to_string(r.param);
            break;
        case REC_EXIT:
            if (r.param == 0 && ReservedClear(r)) return "exit " + Pair(r.x, r.y) + " " + Pair(r.w, r.h);
            break;
        default:
            break;
    }
    return Raw(r);
}

std::string FormatLevelText(const LevelList& levels, std::string_view heading) {
    std::string out;
    std::size_t start = 0;
    while (start < heading.size()) {
        std::size_t eol = heading.find('\n', start);
        if (eol == std::string_view::npos) eol = heading.size();
        out += "# " + std::string(heading.substr(start, eol - start)) + "\n";
        start = eol + 1;
    }
    for (const PackLevel& level : levels) {
        if (!out.empty()) out += "\n";
        out += FormatLevelLine(level.name);
        const std::vector<LevelRecord>& recs = level.records;
        // The terminator is written only when it carries more than its type.
        std::size_t end = recs.size();
        if (end > 0 && recs[end - 1].type == REC_END && SameRecord(recs[end - 1], kEndRecord)) --end;
        out += FormatRecordLines(recs, 0, end);
    }
    return out;
}

std::string FormatLevelLine(const std::string& name) { return "level " + QuotedName(name) + "\n"; }

std::string FormatRecordLines(const std::vector<LevelRecord>& recs, std::size_t begin, std::size_t end) {
    std::string out;
    for (std::size_t i = begin; i < end;) {
        bool row = false;
        const std::size_t n = RunLength(recs, i, end, row);
        const LevelRecord& a = recs[i];
        const LevelRecord& z = recs[i + n - 1];
        if (n == 1) {
            out += FormatRecord(a);
        } else if (row) {
            out += std::string(RecordTypeName(a.type)) + " row y=" + std::to_string(a.y) +
                   " x=" + std::to_string(a.x) + ".." + std::to_string(z.x);
        } else {
            out += std::string(RecordTypeName(a.type)) + " column x=" + std::to_string(a.x) +
                   " y=" + std::to_string(a.y) + ".." + std::to_string(z.y);
        }
        out += "\n";
        i += n;
    }
    return out;
}
