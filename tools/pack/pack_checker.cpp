#include "pack/pack_checker.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "levels/level_table.h"
#include "levels/world.h"
#include "objects/play_field.h"

namespace {

constexpr int kCell = 20;             // blocks and bricks fill 20 x 20 grid cells
constexpr int kPieceHalf = 10;        // half a block or brick
constexpr int kRoundHalf = 12;        // half a hamster's or bomb's 24 x 24 box
constexpr int kHamsterDrop = 4;       // a hamster is built this many pixels below its record's y

std::string At(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

std::string Plural(long long n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

enum class Placement { Inside, Partly, Outside };

// Where the box [left, left + w) x [top, top + h) lies against the play-field;
// a zero-size box is a point.
Placement Place(int left, int top, int w, int h) {
    if (w < 0) left += w, w = -w;
    if (h < 0) top += h, h = -h;
    const bool outX = w > 0 ? (left + w <= 0 || left >= kScreenWidth) : (left < 0 || left > kScreenWidth);
    const bool outY = h > 0 ? (top + h <= 0 || top >= kScreenHeight) : (top < 0 || top > kScreenHeight);
    if (outX || outY) return Placement::Outside;
    if (left >= 0 && top >= 0 && left + w <= kScreenWidth && top + h <= kScreenHeight) return Placement::Inside;
    return Placement::Partly;
}

int CellOf(int v) { return v >= 0 ? v / kCell : -((-v + kCell - 1) / kCell); }

int64_t CellKey(int cx, int cy) { return (static_cast<int64_t>(cx) << 32) ^ static_cast<uint32_t>(cy); }

bool IsPiece(const LevelRecord& r) { return r.type == REC_BLOCK || r.type == REC_BRICK; }

class LevelChecker {
public:
    LevelChecker(const std::vector<LevelRecord>& records, int level) : recs_(records), level_(level) {
        end_ = recs_.size();
        if (end_ > 0 && recs_[end_ - 1].type == REC_END) --end_;
    }

    std::vector<Finding> Run() {
        CountAndPlace();
        Pieces();
        Hamsters();
        std::stable_sort(found_.begin(), found_.end(),
                         [](const Finding& a, const Finding& b) { return a.record < b.record; });
        return std::move(found_);
    }

private:
    const std::vector<LevelRecord>& recs_;
    int level_;
    std::size_t end_;
    std::vector<Finding> found_;
    std::unordered_map<int64_t, std::vector<int>> cells_;  // block and brick records by grid cell

    void Add(Severity s, int record, std::string message, int related = -1) {
        Finding f;
        f.severity = s;
        f.level = level_;
        f.record = record;
        f.related = related;
        f.message = std::move(message);
        found_.push_back(std::move(f));
    }

    void CheckPlace(int i, const std::string& what, int left, int top, int w, int h) {
        switch (Place(left, top, w, h)) {
            case Placement::Outside:
                Add(Severity::Error, i, what + " lies outside the 640 x 480 play-field");
                break;
            case Placement::Partly:
                Add(Severity::Warning, i, what + " reaches past the edge of the 640 x 480 play-field");
                break;
            case Placement::Inside:
                break;
        }
    }

    void CountAndPlace() {
        long long hamsters = 0, bombs = 0, exits = 0;
        for (std::size_t i = 0; i < end_; ++i) {
            hamsters += recs_[i].type == REC_HAMSTER;
            bombs += recs_[i].type == REC_BOMB;
        }
        long long hamster = 0, bomb = 0;
        for (std::size_t k = 0; k < end_; ++k) {
            const int i = static_cast<int>(k);
            const LevelRecord& r = recs_[k];
            const std::string name = RecordTypeName(r.type) ? RecordTypeName(r.type) : "";
            const std::string what = name + " at " + At(r.x, r.y);
            switch (static_cast<uint16_t>(r.type)) {
                case REC_BLOCK:
                case REC_BRICK:
                    CheckPlace(i, what, r.x - kPieceHalf, r.y - kPieceHalf, 2 * kPieceHalf, 2 * kPieceHalf);
                    break;
                case REC_HAMSTER:
                    if (++hamster == kMaxHamsters + 1)
                        Add(Severity::Error, i,
                            "hamster " + std::to_string(hamster) + " of " + std::to_string(hamsters) +
                                ": a level holds at most " + std::to_string(kMaxHamsters) +
                                " hamsters, so the game builds neither this one nor any after it");
                    CheckPlace(i, what, r.x - kRoundHalf, r.y + kHamsterDrop - kRoundHalf, 2 * kRoundHalf,
                               2 * kRoundHalf);
                    break;
                case REC_BOMB:
                    if (++bomb == kInventorySlots + 1)
                        Add(Severity::Error, i,
                            "inventory bomb " + std::to_string(bomb) + " of " + std::to_string(bombs) +
                                " has no HUD slot: the player can take out only the first " +
                                std::to_string(kInventorySlots));
                    break;
                case REC_FIXED_BOMB:
                    CheckPlace(i, what, r.x - kRoundHalf, r.y - kRoundHalf, 2 * kRoundHalf, 2 * kRoundHalf);
                    if (r.param < 0)
                        Add(Severity::Warning, i,
                            what + " has the negative fuse " + std::to_string(r.param) +
                                ": the game gives it the shortest fuse, 6 frames, as for fuse 0");
                    break;
                case REC_EXIT:
                    ++exits;
                    if (r.w == 0 || r.h == 0)
                        Add(Severity::Warning, i,
                            "exit at " + At(r.x, r.y) + " has zero size (" + std::to_string(r.w) + " x " +
                                std::to_string(r.h) + "): nothing of it shows");
                    else if (r.w < 0 || r.h < 0)
                        Add(Severity::Warning, i,
                            "exit at " + At(r.x, r.y) + " has a negative size (" + std::to_string(r.w) + " x " +
                                std::to_string(r.h) + ")");
                    CheckPlace(i, "exit at " + At(r.x, r.y), r.x, r.y, r.w, r.h);
                    break;
                default:
                    Add(Severity::Error, i, "unknown record type " + std::to_string(r.type) + ": the game skips it");
                    break;
            }
        }
        if (hamsters == 0)
            Add(Severity::Error, -1, "no hamster: the game counts the level as complete at once");
        else if (exits == 0)
            Add(Severity::Error, -1,
                "no exit: " + Plural(hamsters, "hamster", "hamsters") + " can never be counted home");
    }

    // Two blocks or bricks must not share a cell: overlapping squares, a same
    // centre included. Each is compared with the earlier ones near it only.
    void Pieces() {
        for (std::size_t k = 0; k < end_; ++k) {
            const LevelRecord& r = recs_[k];
            if (!IsPiece(r)) continue;
            const int cx = CellOf(r.x), cy = CellOf(r.y);
            int first = -1;
            for (int dx = -1; dx <= 1; ++dx) {
                for (int dy = -1; dy <= 1; ++dy) {
                    const auto it = cells_.find(CellKey(cx + dx, cy + dy));
                    if (it == cells_.end()) continue;
                    for (int j : it->second) {
                        const LevelRecord& o = recs_[j];
                        if (std::abs(o.x - r.x) < kCell && std::abs(o.y - r.y) < kCell && (first < 0 || j < first))
                            first = j;
                    }
                }
            }
            if (first >= 0) {
                const LevelRecord& o = recs_[first];
                const bool same = o.x == r.x && o.y == r.y;
                Add(Severity::Error, static_cast<int>(k),
                    std::string(RecordTypeName(r.type)) + " at " + At(r.x, r.y) +
                        (same ? " has the same centre as the " : " overlaps the ") + RecordTypeName(o.type) +
                        " at " + At(o.x, o.y),
                    first);
            }
            cells_[CellKey(cx, cy)].push_back(static_cast<int>(k));
        }
    }

    // A hamster built inside a block or brick is stuck from the first frame.
    void Hamsters() {
        constexpr int kReach = kRoundHalf + kPieceHalf;
        for (std::size_t k = 0; k < end_; ++k) {
            const LevelRecord& r = recs_[k];
            if (r.type != REC_HAMSTER) continue;
            const int hx = r.x, hy = r.y + kHamsterDrop;
            int first = -1;
            for (int cx = CellOf(hx - kReach); cx <= CellOf(hx + kReach); ++cx) {
                for (int cy = CellOf(hy - kReach); cy <= CellOf(hy + kReach); ++cy) {
                    const auto it = cells_.find(CellKey(cx, cy));
                    if (it == cells_.end()) continue;
                    for (int j : it->second) {
                        if (std::abs(recs_[j].x - hx) < kReach && std::abs(recs_[j].y - hy) < kReach &&
                            (first < 0 || j < first))
                            first = j;
                    }
                }
            }
            if (first >= 0)
                Add(Severity::Warning, static_cast<int>(k),
                    "hamster at " + At(r.x, r.y) + " starts inside the " + RecordTypeName(recs_[first].type) +
                        " at " + At(recs_[first].x, recs_[first].y),
                    first);
        }
    }
};

}  // namespace

std::vector<Finding> CheckLevel(const std::vector<LevelRecord>& records, int levelIndex) {
    return LevelChecker(records, levelIndex).Run();
}

std::vector<Finding> CheckLevels(const LevelList& levels) {
    std::vector<Finding> all;
    if (levels.empty()) {
        Finding f;
        f.message = "no level: the game would end before showing anything";
        all.push_back(std::move(f));
    }
    for (std::size_t i = 0; i < levels.size(); ++i) {
        std::vector<Finding> some = CheckLevel(levels[i].records, static_cast<int>(i));
        all.insert(all.end(), some.begin(), some.end());
    }
    return all;
}

std::vector<Finding> CheckPackFile(const PackFile& pack) {
    std::vector<Finding> all;
    if (pack.fileSize < static_cast<uint64_t>(kPackFileHeaderSize)) {
        Finding f;
        f.message = "the file is " + Plural(static_cast<long long>(pack.fileSize), "byte", "bytes") +
                    ", shorter than the " + std::to_string(kPackFileHeaderSize) + "-byte file header";
        all.push_back(std::move(f));
    }
    std::vector<Finding> levels = CheckLevels(pack.levels);
    if (!all.empty() && pack.levels.empty()) levels.clear();  // the short file says it already
    all.insert(all.end(), levels.begin(), levels.end());

    const uint64_t trailing = pack.TrailingBytes();
    if (trailing > 0) {
        // A well-formed pack ends right after the last terminator, so any bytes
        // past it are a level that lost its end; the game drops them.
        Finding f;
        f.level = static_cast<int>(pack.levels.size());
        f.byte = static_cast<int64_t>(pack.readEnd);
        if (trailing < static_cast<uint64_t>(kPackLevelHeaderSize)) {
            f.message = "the file ends inside this level's header (" +
                        Plural(static_cast<long long>(trailing), "byte", "bytes") + " of " +
                        std::to_string(kPackLevelHeaderSize) + "); the game ignores them";
        } else {
            const uint64_t recordBytes = trailing - kPackLevelHeaderSize;
            const uint64_t records = recordBytes / sizeof(LevelRecord);
            f.message = "the level is cut off before its terminator (" +
                        Plural(static_cast<long long>(records), "whole record", "whole records") +
                        (recordBytes % sizeof(LevelRecord) != 0
                             ? " and " + Plural(static_cast<long long>(recordBytes % sizeof(LevelRecord)), "byte",
                                                "bytes") + " of another"
                             : std::string()) +
                        "); the game drops it";
        }
        all.push_back(std::move(f));
    }
    return all;
}
