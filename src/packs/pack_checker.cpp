#include "packs/pack_checker.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "packs/pack_header.h"
#include "sim/world.h"
#include "sim/play_field.h"

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

bool IsPiece(const LevelRecord& r) { return r.type == REC_BLOCK || r.type == REC_BRICK; }

// The first spot of each occupied grid cell, in an open-addressed table that
// grows with the cells occupied: memory follows the pieces, not the area
// they span (a grid over the pieces' bounding box took 43 MB, and as long to
// fill, for two blocks at opposite corners of the 16-bit range).
class CellTable {
public:
    // The first spot in cell (cx, cy), or -1.
    int Find(int cx, int cy) const {
        if (heads_.empty()) return -1;
        const uint64_t key = Key(cx, cy);
        for (std::size_t i = Start(key);; i = (i + 1) & (heads_.size() - 1)) {
            if (heads_[i] < 0) return -1;
            if (keys_[i] == key) return heads_[i];
        }
    }

    // Where cell (cx, cy) keeps its first spot; a new cell's holds -1 and is
    // to be filled at once. Valid until the next call.
    int& Head(int cx, int cy) {
        if (2 * (used_ + 1) > heads_.size()) Grow();
        const uint64_t key = Key(cx, cy);
        std::size_t i = Start(key);
        while (heads_[i] >= 0 && keys_[i] != key) i = (i + 1) & (heads_.size() - 1);
        if (heads_[i] < 0) {
            keys_[i] = key;
            ++used_;
        }
        return heads_[i];
    }

private:
    std::vector<uint64_t> keys_;
    std::vector<int> heads_;  // -1 marks a free slot
    std::size_t used_ = 0;
    int shift_ = 64;

    static uint64_t Key(int cx, int cy) {
        return static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32 | static_cast<uint32_t>(cy);
    }
    std::size_t Start(uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);  // the product's top bits
    }

    void Grow() {
        std::vector<uint64_t> keys(heads_.empty() ? 16 : 2 * heads_.size());
        std::vector<int> heads(keys.size(), -1);
        keys.swap(keys_);
        heads.swap(heads_);
        shift_ = 64 - std::countr_zero(keys_.size());
        for (std::size_t j = 0; j < heads.size(); ++j) {
            if (heads[j] < 0) continue;
            std::size_t i = Start(keys[j]);
            while (heads_[i] >= 0) i = (i + 1) & (heads_.size() - 1);
            keys_[i] = keys[j];
            heads_[i] = heads[j];
        }
    }
};

// The blocks and bricks of a level by grid cell, for the questions "which is
// the earliest piece overlapping this one" and "... near this hamster" in
// constant time however the pieces are stacked or spread. Pieces on one
// centre share a spot; a cell lists its spots in the order of their first
// piece, so a scan stops at its first match.
class PieceIndex {
public:
    explicit PieceIndex(const std::vector<LevelRecord>& recs, std::size_t end) : spotOf_(end, -1) {
        for (std::size_t k = 0; k < end; ++k) {
            if (IsPiece(recs[k])) spotOf_[k] = SpotFor(recs[k].x, recs[k].y, static_cast<int>(k));
        }
    }

    // The earliest piece before piece k whose square overlaps k's, or -1.
    int EarliestOverlapBefore(int k) {
        Spot& s = spots_[spotOf_[k]];
        if (s.near == kUnknown) s.near = Nearest(s.x, s.y, kCell, &s);
        if (k == s.first) return s.near < k ? s.near : -1;  // -1 is below k too
        return s.near >= 0 && s.near < s.first ? s.near : s.first;
    }

    // The earliest piece whose centre is less than reach from (x, y) on both axes, or -1.
    int EarliestNear(int x, int y, int reach) const { return Nearest(x, y, reach, nullptr); }

private:
    static constexpr int kUnknown = -2;
    struct Spot {
        int x, y;
        int first;          // the first piece on this centre
        int next = -1;      // the next spot in the same cell
        int near = kUnknown;  // the earliest piece on another spot overlapping this one, -1 for none
    };

    std::vector<int> spotOf_;  // per record, its spot (pieces only)
    std::vector<Spot> spots_;
    CellTable cells_;

    int SpotFor(int x, int y, int k) {
        int* link = &cells_.Head(CellOf(x), CellOf(y));
        while (*link >= 0) {
            Spot& s = spots_[*link];
            if (s.x == x && s.y == y) return *link;
            link = &s.next;
        }
        const int added = static_cast<int>(spots_.size());
        *link = added;  // before the push, which may move the spots
        spots_.push_back(Spot{x, y, k});
        return added;
    }

    int Nearest(int x, int y, int reach, const Spot* skip) const {
        int best = -1;
        const int x0 = CellOf(x - reach + 1), x1 = CellOf(x + reach - 1);
        const int y0 = CellOf(y - reach + 1), y1 = CellOf(y + reach - 1);
        for (int cy = y0; cy <= y1; ++cy) {
            for (int cx = x0; cx <= x1; ++cx) {
                for (int i = cells_.Find(cx, cy); i >= 0; i = spots_[i].next) {
                    const Spot& t = spots_[i];
                    if (best >= 0 && t.first >= best) break;
                    if (&t == skip || std::abs(t.x - x) >= reach || std::abs(t.y - y) >= reach) continue;
                    best = t.first;
                    break;
                }
            }
        }
        return best;
    }
};

// For each exit, a block or brick that covers part of it, or -1. Blocks and
// bricks are all 20 x 20, so one covers part of an exit exactly when its
// centre lies in the exit grown by 9 pixels on each side (10, less the one
// pixel at which their edges would only meet). One sweep over x answers
// every exit: the pieces enter in order of x, a tree over their rows keeps
// the rightmost piece that has entered in each, and an exit, taken in order
// of its grown right edge, asks for the rightmost piece in its grown rows: it
// covers the exit when it is not left of the grown left edge. Time grows as
// (pieces + exits) x log(pieces), however they are stacked or spread.
class ExitCover {
public:
    ExitCover(const std::vector<LevelRecord>& recs, std::size_t end) {
        struct Exit {
            int64_t left, top, right, bottom;  // grown, edges included
            int record;
        };
        std::vector<Exit> exits;
        for (std::size_t k = 0; k < end; ++k) {
            const LevelRecord& r = recs[k];
            if (r.type != REC_EXIT || r.w == 0 || r.h == 0) continue;
            const int64_t left = r.w < 0 ? int64_t{r.x} + r.w : r.x, top = r.h < 0 ? int64_t{r.y} + r.h : r.y;
            exits.push_back({left - kGrow, top - kGrow, left + std::abs(r.w) + kGrow, top + std::abs(r.h) + kGrow,
                             static_cast<int>(k)});
        }
        if (exits.empty()) return;
        // Only the pieces within reach of some exit are kept and sorted: of a
        // huge level, most often none.
        int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
        for (const Exit& e : exits)
            left = std::min(left, e.left), top = std::min(top, e.top), right = std::max(right, e.right),
            bottom = std::max(bottom, e.bottom);
        for (std::size_t k = 0; k < end; ++k) {
            const LevelRecord& r = recs[k];
            if (IsPiece(r) && r.x >= left && r.x <= right && r.y >= top && r.y <= bottom)
                pieces_.push_back({r.x, r.y, static_cast<int>(k)});
        }
        if (pieces_.empty() || exits.empty()) return;
        std::sort(pieces_.begin(), pieces_.end(),
                  [](const Piece& a, const Piece& b) { return a.x != b.x ? a.x < b.x : a.record < b.record; });
        std::sort(exits.begin(), exits.end(), [](const Exit& a, const Exit& b) { return a.right < b.right; });
        for (const Piece& p : pieces_) rows_.push_back(p.y);
        std::sort(rows_.begin(), rows_.end());
        rows_.erase(std::unique(rows_.begin(), rows_.end()), rows_.end());
        while (leaves_ < rows_.size()) leaves_ *= 2;
        tree_.assign(2 * leaves_, -1);
        std::size_t entered = 0;
        for (const Exit& e : exits) {
            for (; entered < pieces_.size() && pieces_[entered].x <= e.right; ++entered) Enter(static_cast<int>(entered));
            const auto from = std::lower_bound(rows_.begin(), rows_.end(), e.top) - rows_.begin();
            const auto to = std::upper_bound(rows_.begin(), rows_.end(), e.bottom) - rows_.begin();
            const int best = Rightmost(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
            if (best >= 0 && pieces_[static_cast<std::size_t>(best)].x >= e.left)
                covered_.emplace_back(e.record, pieces_[static_cast<std::size_t>(best)].record);
        }
        std::sort(covered_.begin(), covered_.end());
    }

    int CoveredBy(int exit) const {
        const auto at = std::lower_bound(covered_.begin(), covered_.end(), std::pair<int, int>{exit, -1});
        return at != covered_.end() && at->first == exit ? at->second : -1;
    }

private:
    static constexpr int kGrow = kPieceHalf - 1;
    struct Piece {
        int x, y, record;
    };
    std::vector<std::pair<int, int>> covered_;  // exit and the piece covering part of it, by exit
    std::vector<Piece> pieces_;  // in order of x
    std::vector<int> rows_;      // the pieces' y, each once, in order
    std::size_t leaves_ = 1;
    std::vector<int> tree_;  // per node, the rightmost piece entered beneath it, or -1

    // Further right, or as far and earlier in the level.
    bool Better(int a, int b) const {
        if (a < 0 || b < 0) return a >= 0;
        const Piece& pa = pieces_[static_cast<std::size_t>(a)];
        const Piece& pb = pieces_[static_cast<std::size_t>(b)];
        return pa.x != pb.x ? pa.x > pb.x : pa.record < pb.record;
    }
    void Enter(int piece) {
        const auto row = std::lower_bound(rows_.begin(), rows_.end(), pieces_[static_cast<std::size_t>(piece)].y);
        for (std::size_t i = static_cast<std::size_t>(row - rows_.begin()) + leaves_; i >= 1; i /= 2)
            if (Better(piece, tree_[i])) tree_[i] = piece;
    }
    int Rightmost(std::size_t from, std::size_t to) const {
        int best = -1;
        for (std::size_t lo = from + leaves_, hi = to + leaves_; lo < hi; lo /= 2, hi /= 2) {
            if (lo & 1) {
                if (Better(tree_[lo], best)) best = tree_[lo];
                ++lo;
            }
            if (hi & 1) {
                --hi;
                if (Better(tree_[hi], best)) best = tree_[hi];
            }
        }
        return best;
    }
};

class LevelChecker {
public:
    LevelChecker(const std::vector<LevelRecord>& records, int level, const FindingSink& sink)
        : recs_(records), level_(level), sink_(sink) {
        end_ = recs_.size();
        if (end_ > 0 && recs_[end_ - 1].type == REC_END) --end_;
    }

    // One pass for the counts and the pieces' places, one for the findings,
    // given record by record: the level's own first.
    void Run() {
        for (std::size_t i = 0; i < end_; ++i) {
            hamsters_ += recs_[i].type == REC_HAMSTER;
            bombs_ += recs_[i].type == REC_BOMB;
            exits_ += recs_[i].type == REC_EXIT;
        }
        if (hamsters_ == 0)
            Add(Severity::Error, -1, "no hamster: the game counts the level as complete at once");
        else if (exits_ == 0)
            Add(Severity::Error, -1,
                "no exit: " + Plural(hamsters_, "hamster", "hamsters") + " can never be counted home");
        PieceIndex pieces(recs_, end_);
        const ExitCover cover(recs_, end_);
        for (std::size_t k = 0; k < end_; ++k) {
            const int i = static_cast<int>(k);
            CountAndPlace(i);
            if (IsPiece(recs_[k])) Overlap(pieces, i);
            if (recs_[k].type == REC_HAMSTER) Stuck(pieces, i);
            if (recs_[k].type == REC_EXIT) Straddles(cover, i);
        }
    }

private:
    const std::vector<LevelRecord>& recs_;
    int level_;
    const FindingSink& sink_;
    std::size_t end_;
    long long hamsters_ = 0, bombs_ = 0, exits_ = 0;
    long long hamster_ = 0, bomb_ = 0;  // counted so far
    int lastHamsterX_ = 0, lastHamsterY_ = 0, lastHamsterIn_ = -2;  // a stack of hamsters asks once

    void Add(Severity s, int record, std::string message, int related = -1) {
        Finding f;
        f.severity = s;
        f.level = level_;
        f.record = record;
        f.related = related;
        f.message = std::move(message);
        sink_(f);
    }

    // what() names the object; it is built only for a finding.
    template <class What>
    void CheckPlace(int i, const What& what, int left, int top, int w, int h) {
        switch (Place(left, top, w, h)) {
            case Placement::Outside:
                Add(Severity::Error, i, what() + " lies outside the 640 x 480 play-field");
                break;
            case Placement::Partly:
                Add(Severity::Warning, i, what() + " reaches past the edge of the 640 x 480 play-field");
                break;
            case Placement::Inside:
                break;
        }
    }

    void CountAndPlace(int i) {
        const LevelRecord& r = recs_[i];
        const char* name = RecordTypeName(r.type);
        const auto what = [&] { return std::string(name ? name : "") + " at " + At(r.x, r.y); };
        switch (static_cast<uint16_t>(r.type)) {
            case REC_BLOCK:
            case REC_BRICK:
                CheckPlace(i, what, r.x - kPieceHalf, r.y - kPieceHalf, 2 * kPieceHalf, 2 * kPieceHalf);
                break;
            case REC_HAMSTER:
                if (++hamster_ == kMaxHamsters + 1)
                    Add(Severity::Error, i,
                        "hamster " + std::to_string(hamster_) + " of " + std::to_string(hamsters_) +
                            ": a level holds at most " + std::to_string(kMaxHamsters) +
                            " hamsters, so the game builds neither this one nor any after it");
                CheckPlace(i, what, r.x - kRoundHalf, r.y + kHamsterDrop - kRoundHalf, 2 * kRoundHalf,
                           2 * kRoundHalf);
                break;
            case REC_BOMB:
                if (++bomb_ == kInventorySlots + 1)
                    Add(Severity::Error, i,
                        "inventory bomb " + std::to_string(bomb_) + " of " + std::to_string(bombs_) +
                            " has no HUD slot: the player can take out only the first " +
                            std::to_string(kInventorySlots));
                break;
            case REC_FIXED_BOMB:
                CheckPlace(i, what, r.x - kRoundHalf, r.y - kRoundHalf, 2 * kRoundHalf, 2 * kRoundHalf);
                if (r.param < 0)
                    Add(Severity::Warning, i,
                        what() + " has the negative fuse " + std::to_string(r.param) +
                            ": the game gives it the shortest fuse, 6 frames, as for fuse 0");
                break;
            case REC_EXIT:
                if (r.w == 0 || r.h == 0)
                    Add(Severity::Warning, i,
                        "exit at " + At(r.x, r.y) + " has zero size (" + std::to_string(r.w) + " x " +
                            std::to_string(r.h) + "): nothing of it shows");
                else if (r.w < 0 || r.h < 0)
                    Add(Severity::Warning, i,
                        "exit at " + At(r.x, r.y) + " has a negative size (" + std::to_string(r.w) + " x " +
                            std::to_string(r.h) + ")");
                CheckPlace(i, [&] { return "exit at " + At(r.x, r.y); }, r.x, r.y, r.w, r.h);
                break;
            default:
                Add(Severity::Error, i, "unknown record type " + std::to_string(r.type) + ": the game skips it");
                break;
        }
    }

    // Two blocks or bricks must not share a cell: overlapping squares, a same
    // centre included. The earliest one overlapping is named.
    void Overlap(PieceIndex& pieces, int k) {
        const int first = pieces.EarliestOverlapBefore(k);
        if (first < 0) return;
        const LevelRecord& r = recs_[k];
        const LevelRecord& o = recs_[first];
        const bool same = o.x == r.x && o.y == r.y;
        Add(Severity::Error, k,
            std::string(RecordTypeName(r.type)) + " at " + At(r.x, r.y) +
                (same ? " has the same centre as the " : " overlaps the ") + RecordTypeName(o.type) + " at " +
                At(o.x, o.y),
            first);
    }

    // Part of an exit inside stone or brick is a part no hamster reaches: the
    // exit is smaller than it looks, or lies where it was not meant to.
    void Straddles(const ExitCover& cover, int k) {
        const int piece = cover.CoveredBy(k);
        if (piece < 0) return;
        const LevelRecord& r = recs_[k];
        const LevelRecord& p = recs_[piece];
        Add(Severity::Warning, k,
            "exit at " + At(r.x, r.y) + " straddles the " + RecordTypeName(p.type) + " at " + At(p.x, p.y) +
                ": part of the exit lies inside it",
            piece);
    }

    // A hamster built inside a block or brick is stuck from the first frame.
    void Stuck(const PieceIndex& pieces, int k) {
        const LevelRecord& r = recs_[k];
        const int hx = r.x, hy = r.y + kHamsterDrop;
        if (lastHamsterIn_ == -2 || hx != lastHamsterX_ || hy != lastHamsterY_)
            lastHamsterIn_ = pieces.EarliestNear(hx, hy, kRoundHalf + kPieceHalf);
        lastHamsterX_ = hx, lastHamsterY_ = hy;
        const int first = lastHamsterIn_;
        if (first >= 0)
            Add(Severity::Warning, k,
                "hamster at " + At(r.x, r.y) + " starts inside the " + RecordTypeName(recs_[first].type) + " at " +
                    At(recs_[first].x, recs_[first].y),
                first);
    }
};

}  // namespace

void CheckLevel(const std::vector<LevelRecord>& records, int levelIndex, const FindingSink& sink) {
    LevelChecker(records, levelIndex, sink).Run();
}

void CheckLevels(const LevelList& levels, const FindingSink& sink) {
    if (levels.empty()) {
        Finding f;
        f.message = "no level: the game would end before showing anything";
        sink(f);
    }
    for (std::size_t i = 0; i < levels.size(); ++i) CheckLevel(levels[i].records, static_cast<int>(i), sink);
}

void CheckPackFile(const PackFile& pack, const FindingSink& sink) {
    const bool shortFile = pack.fileSize < static_cast<uint64_t>(kPackFileHeaderSize);
    if (shortFile) {
        Finding f;
        f.message = "the file is " + Plural(static_cast<long long>(pack.fileSize), "byte", "bytes") +
                    ", shorter than the " + std::to_string(kPackFileHeaderSize) + "-byte file header";
        sink(f);
    }
    if (!shortFile || !pack.levels.empty()) CheckLevels(pack.levels, sink);  // the short file says it already

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
        sink(f);
    }
}

std::vector<Finding> CheckLevel(const std::vector<LevelRecord>& records, int levelIndex) {
    std::vector<Finding> all;
    CheckLevel(records, levelIndex, [&all](const Finding& f) { all.push_back(f); });
    return all;
}

std::vector<Finding> CheckLevels(const LevelList& levels) {
    std::vector<Finding> all;
    CheckLevels(levels, [&all](const Finding& f) { all.push_back(f); });
    return all;
}

std::vector<Finding> CheckPackFile(const PackFile& pack) {
    std::vector<Finding> all;
    CheckPackFile(pack, [&all](const Finding& f) { all.push_back(f); });
    return all;
}
