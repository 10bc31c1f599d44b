#include "design/design_doc.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "packs/pack_header.h"

namespace design {

namespace {

int16_t Clamp16(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

// The piece on the cell centred at (cx, cy), or -1.
int PieceOn(const std::vector<LevelRecord>& records, int cx, int cy) {
    for (std::size_t i = 0; i + 1 < records.size(); ++i)
        if (IsPiece(records[i]) && records[i].x == cx && records[i].y == cy) return static_cast<int>(i);
    return -1;
}

LevelRecord Make(int16_t type, int x, int y, int w = 0, int h = 0, int param = 0) {
    return {type, Clamp16(x), Clamp16(y), Clamp16(w), Clamp16(h), Clamp16(param), 0, 0};
}

// The nearest multiple of step, halves away from zero.
int Nearest(int v, int step) { return v >= 0 ? (v + step / 2) / step * step : -((-v + step / 2) / step * step); }

std::string Kind(int16_t type, int n) {
    const char* one = "object";
    const char* many = "objects";
    switch (type) {
        case REC_BLOCK: one = "block", many = "blocks"; break;
        case REC_BRICK: one = "brick", many = "bricks"; break;
        case REC_HAMSTER: one = "hamster", many = "hamsters"; break;
        case REC_FIXED_BOMB: one = "fixed bomb", many = "fixed bombs"; break;
        case REC_EXIT: one = "exit", many = "exits"; break;
        case REC_BOMB: one = "inventory bomb", many = "inventory bombs"; break;
        default: break;
    }
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Seconds(int quarters) {
    std::string s = std::to_string(quarters / 4);
    if (quarters % 4) s += "." + std::to_string(25 * (quarters % 4));
    return s + " s";
}

}  // namespace

bool IsPiece(const LevelRecord& r) { return r.type == REC_BLOCK || r.type == REC_BRICK; }

int ExitGrid(int v) { return Nearest(v, 10); }

std::vector<int> RecordsInside(const std::vector<LevelRecord>& records, int x0, int y0, int x1, int y1) {
    const int left = std::min(x0, x1), right = std::max(x0, x1), top = std::min(y0, y1), bottom = std::max(y0, y1);
    std::vector<int> inside;
    for (std::size_t i = 0; i + 1 < records.size(); ++i) {
        const PixelRect b = RecordBox(records[i]);
        if (b.w > 0 && b.h > 0 && b.left >= left && b.left + b.w - 1 <= right && b.top >= top && b.top + b.h - 1 <= bottom)
            inside.push_back(static_cast<int>(i));
    }
    return inside;
}

std::string Counted(const std::vector<LevelRecord>& records, const std::vector<int>& which) {
    const int16_t order[] = {REC_BLOCK, REC_BRICK, REC_HAMSTER, REC_FIXED_BOMB, REC_EXIT, REC_BOMB};
    std::string text;
    int others = 0;
    for (const int16_t type : order) {
        int n = 0;
        for (int i : which) n += records[static_cast<std::size_t>(i)].type == type;
        if (n > 0) text += (text.empty() ? "" : ", ") + Kind(type, n);
    }
    for (int i : which)
        others += std::find(std::begin(order), std::end(order), records[static_cast<std::size_t>(i)].type) == std::end(order);
    if (others > 0) text += (text.empty() ? "" : ", ") + Kind(REC_END, others);
    return text.empty() ? "nothing" : text;
}

int StandingY(const std::vector<LevelRecord>& records, int x, int y) {
    const int reach = kRoundHalf + kCell / 2;  // centres closer than this overlap sideways
    auto inside = [&](int cy) {
        for (std::size_t i = 0; i + 1 < records.size(); ++i)
            if (IsPiece(records[i]) && std::abs(records[i].x - x) < reach && std::abs(records[i].y - cy) < reach)
                return true;
        return false;
    };
    std::vector<int> tops;
    for (std::size_t i = 0; i + 1 < records.size(); ++i) {
        const LevelRecord& r = records[i];
        const int top = r.y - kCell / 2;
        // Under the hamster's box as put down, or within a cell below it.
        if (IsPiece(r) && std::abs(r.x - x) < reach && top >= y - kRoundHalf && top <= y + kRoundHalf + kCell)
            tops.push_back(top);
    }
    std::sort(tops.begin(), tops.end());
    for (const int top : tops)
        if (!inside(top - kRoundHalf)) return top - kRoundHalf;
    return y;
}

int CellCentre(int v) {
    const int k = v >= 0 ? v / kCell : -((-v + kCell - 1) / kCell);
    return k * kCell + kCell / 2;
}

PixelRect RecordBox(const LevelRecord& r) {
    switch (r.type) {
        case REC_BLOCK:
        case REC_BRICK:
            return {r.x - kCell / 2, r.y - kCell / 2, kCell, kCell};
        case REC_HAMSTER:
            return {r.x - kRoundHalf, r.y + kHamsterDrop - kRoundHalf, 2 * kRoundHalf, 2 * kRoundHalf};
        case REC_FIXED_BOMB:
            return {r.x - kRoundHalf, r.y - kRoundHalf, 2 * kRoundHalf, 2 * kRoundHalf};
        case REC_EXIT:
            return {std::min<int>(r.x, r.x + r.w), std::min<int>(r.y, r.y + r.h), std::abs(r.w), std::abs(r.h)};
        default:
            return {};
    }
}

std::vector<Cell> LineCells(int x0, int y0, int x1, int y1) {
    const int cx0 = CellCentre(x0), cy0 = CellCentre(y0), cx1 = CellCentre(x1), cy1 = CellCentre(y1);
    const bool row = std::abs(cx1 - cx0) >= std::abs(cy1 - cy0);
    const int from = row ? cx0 : cy0, to = row ? cx1 : cy1, step = to >= from ? kCell : -kCell;
    std::vector<Cell> cells;
    for (int v = from;; v += step) {
        cells.push_back(row ? Cell{v, cy0} : Cell{cx0, v});
        if (v == to) break;
    }
    return cells;
}

int RecordAt(const std::vector<LevelRecord>& records, int x, int y) {
    for (std::size_t i = 0; i + 1 < records.size(); ++i)
        if (RecordBox(records[i]).Holds(x, y)) return static_cast<int>(i);
    return -1;
}

int CountType(const std::vector<LevelRecord>& records, int16_t type) {
    return static_cast<int>(std::count_if(records.begin(), records.end(), [type](const LevelRecord& r) { return r.type == type; }));
}

PackLevel EmptyLevel(const std::string& name) {
    PackLevel level;
    level.name = name;
    level.records.push_back(kEndRecord);
    return level;
}

DesignDoc::DesignDoc(LevelList levels) : levels_(std::move(levels)) {
    if (levels_.empty()) levels_.push_back(EmptyLevel("Level 1"));
    // Where each record came from in a text means nothing once it is edited.
    for (PackLevel& l : levels_) {
        l.line = 0;
        l.recordLines.clear();
        if (l.records.empty() || l.records.back().type != REC_END) l.records.push_back(kEndRecord);
        ids_.push_back(nextId_++);
    }
}

bool DesignDoc::Show(int index) {
    if (index < 0 || index >= static_cast<int>(levels_.size()) || index == current_) return false;
    current_ = index;
    return true;
}

std::size_t DesignDoc::Change::Bytes() const {
    return sizeof(Change) + level.name.capacity() + level.records.capacity() * sizeof(LevelRecord) + what.capacity();
}

DesignDoc::Change DesignDoc::Apply(Change c) {
    Change undo;
    undo.kind = c.kind;
    undo.index = c.index;
    undo.other = c.other;
    undo.current = current_;
    undo.revision = revision_;
    undo.what = c.what;
    const auto i = static_cast<std::size_t>(c.index);
    switch (c.kind) {
        case Change::Edit:
            undo.level = std::exchange(levels_[i], std::move(c.level));
            break;
        case Change::Insert:
            levels_.insert(levels_.begin() + c.index, std::move(c.level));
            ids_.insert(ids_.begin() + c.index, c.id);
            undo.kind = Change::Erase;
            break;
        case Change::Erase:
            undo.level = std::move(levels_[i]);
            undo.id = ids_[i];
            levels_.erase(levels_.begin() + c.index);
            ids_.erase(ids_.begin() + c.index);
            undo.kind = Change::Insert;
            break;
        case Change::Swap:
            std::swap(levels_[i], levels_[static_cast<std::size_t>(c.other)]);
            std::swap(ids_[i], ids_[static_cast<std::size_t>(c.other)]);
            break;
    }
    current_ = c.current;
    revision_ = c.revision;
    return undo;
}

void DesignDoc::Keep(Change undo) {
    for (const Change& r : redo_) historyBytes_ -= r.Bytes();
    redo_.clear();
    historyBytes_ += undo.Bytes();
    undo_.push_back(std::move(undo));
    // A few steps on a huge pack would otherwise hold many copies of it.
    int dropped = 0;
    while (historyBytes_ > kUndoBytes && undo_.size() > 1) {
        historyBytes_ -= undo_.front().Bytes();
        undo_.pop_front();
        ++dropped;
    }
    if (dropped > 0)
        note_ = {"undo keeps at most " + std::to_string(kUndoBytes >> 20) + " MB: the oldest " +
                     (dropped == 1 ? std::string("step was") : std::to_string(dropped) + " steps were") + " dropped",
                 false};
}

std::size_t DesignDoc::TotalRecords() const {
    std::size_t n = 0;
    for (const PackLevel& l : levels_) n += l.records.size();
    return n;
}

// A pack the game would not read whole could not be opened again.
bool DesignDoc::Fits(std::size_t more) {
    const std::size_t total = TotalRecords() + more;
    if (total <= kMaxPackRecords) return true;
    note_ = {"not done: the pack would hold " + std::to_string(total) + " records, more than the " +
                 std::to_string(kMaxPackRecords) + " the game reads from a pack",
             true};
    return false;
}

template <class Edit>
bool DesignDoc::Step(Edit change, const std::string& what) {
    const auto i = static_cast<std::size_t>(current_);
    PackLevel before = levels_[i];  // the one level a change touches
    if (!change() || !Fits(0)) {
        levels_[i] = std::move(before);
        return false;
    }
    Change undo;
    undo.index = current_;
    undo.level = std::move(before);
    undo.current = current_;
    undo.revision = revision_;
    undo.what = what;  // read now: the change may have said it
    revision_ = nextRevision_++;
    Keep(std::move(undo));
    return true;
}

bool DesignDoc::Structural(Change change, std::string what) {
    if (change.kind == Change::Insert && !Fits(change.level.records.size())) return false;
    change.revision = nextRevision_++;
    change.what = std::move(what);
    Keep(Apply(std::move(change)));
    return true;
}

bool DesignDoc::Undo() {
    if (undo_.empty()) return false;
    historyBytes_ -= undo_.back().Bytes();
    redo_.push_back(Apply(std::move(undo_.back())));
    undo_.pop_back();
    historyBytes_ += redo_.back().Bytes();
    note_ = {"undo: " + redo_.back().what, false};
    return true;
}

bool DesignDoc::Redo() {
    if (redo_.empty()) return false;
    historyBytes_ -= redo_.back().Bytes();
    undo_.push_back(Apply(std::move(redo_.back())));
    redo_.pop_back();
    historyBytes_ += undo_.back().Bytes();
    note_ = {"redo: " + undo_.back().what, false};
    return true;
}

bool DesignDoc::Insert(const LevelRecord& r) {
    std::vector<LevelRecord>& recs = Records();
    recs.insert(recs.end() - 1, r);
    return true;
}

bool DesignDoc::PutPiece(int16_t type, int cx, int cy) {
    const int at = PieceOn(Records(), cx, cy);
    if (at < 0) return Insert(Make(type, cx, cy));
    LevelRecord& r = Records()[static_cast<std::size_t>(at)];
    if (r.type == type) return false;
    r.type = type;
    return true;
}

bool DesignDoc::PlacePiece(int16_t type, int x, int y) {
    return Step([&] { return PutPiece(type, CellCentre(x), CellCentre(y)); }, Kind(type, 1) + " placed");
}

bool DesignDoc::PaintLine(int16_t type, int x0, int y0, int x1, int y1) {
    std::string what;
    return Step(
        [&] {
            int changed = 0;
            for (const Cell& c : LineCells(x0, y0, x1, y1)) changed += PutPiece(type, c.x, c.y) ? 1 : 0;
            what = Kind(type, changed) + " drawn";
            return changed > 0;
        },
        what);
}

bool DesignDoc::FillRect(int16_t type, int x0, int y0, int x1, int y1) {
    const int left = CellCentre(std::min(x0, x1)), right = CellCentre(std::max(x0, x1));
    const int top = CellCentre(std::min(y0, y1)), bottom = CellCentre(std::max(y0, y1));
    std::string what;
    return Step(
        [&] {
            int changed = 0;
            for (int y = top; y <= bottom; y += kCell)
                for (int x = left; x <= right; x += kCell) changed += PutPiece(type, x, y) ? 1 : 0;
            what = Kind(type, changed) + " filled in";
            return changed > 0;
        },
        what);
}

bool DesignDoc::PlaceHamster(int x, int y, bool snap) {
    if (snap) y = StandingY(Records(), x, y);
    return Step([&] { return Insert(Make(REC_HAMSTER, x, y - kHamsterDrop)); }, "hamster placed");
}

bool DesignDoc::PlaceFixedBomb(int x, int y) {
    return Step([&] { return Insert(Make(REC_FIXED_BOMB, x, y, 0, 0, kNewFixedFuse)); }, "fixed bomb placed");
}

bool DesignDoc::PlaceExit(int x0, int y0, int x1, int y1, bool snap) {
    int left = std::min(x0, x1), top = std::min(y0, y1);
    int w = std::abs(x1 - x0) + 1, h = std::abs(y1 - y0) + 1;
    if (w < 2 || h < 2) return false;  // a click, not a drag
    if (snap) {
        // The grid lines nearest the exit's outer edges, at least one step apart.
        const int right = std::max(ExitGrid(left + w), ExitGrid(left) + 10);
        const int bottom = std::max(ExitGrid(top + h), ExitGrid(top) + 10);
        left = ExitGrid(left), top = ExitGrid(top);
        w = right - left, h = bottom - top;
    }
    return Step([&] { return Insert(Make(REC_EXIT, left, top, w, h)); }, "exit placed");
}

bool DesignDoc::EraseAt(int x, int y) {
    const int at = RecordAt(Records(), x, y);
    if (at < 0) return false;
    return EraseRecords({at});
}

bool DesignDoc::EraseRecords(const std::vector<int>& which, const std::string& verb) {
    std::vector<int> sorted = which;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::erase_if(sorted, [&](int i) { return i < 0 || i + 1 >= static_cast<int>(Records().size()); });
    if (sorted.empty()) return false;
    return Step(
        [&] {
            std::vector<LevelRecord>& recs = Records();
            std::size_t kept = 0, next = 0;
            for (std::size_t i = 0; i < recs.size(); ++i) {
                if (next < sorted.size() && static_cast<int>(i) == sorted[next]) {
                    ++next;
                    continue;
                }
                recs[kept++] = recs[i];
            }
            recs.resize(kept);
            return true;
        },
        Counted(Records(), sorted) + " " + verb);
}

bool DesignDoc::MoveAt(int fromX, int fromY, int toX, int toY) {
    const int at = RecordAt(Records(), fromX, fromY);
    if (at < 0) return false;
    const LevelRecord& r = Records()[static_cast<std::size_t>(at)];
    int dx = toX - fromX, dy = toY - fromY;
    if (IsPiece(r)) {  // to the cell the drag ends over
        dx = CellCentre(r.x + dx) - r.x;
        dy = CellCentre(r.y + dy) - r.y;
    }
    return MoveRecords({at}, dx, dy);
}

bool DesignDoc::MoveRecords(const std::vector<int>& which, int dx, int dy) {
    if (which.empty() || (dx == 0 && dy == 0)) return false;
    std::vector<bool> moving(Records().size(), false);
    for (int i : which)
        if (i >= 0 && i + 1 < static_cast<int>(Records().size())) moving[static_cast<std::size_t>(i)] = true;
    const std::vector<LevelRecord>& recs = Records();
    // A cell holds one piece: none may land where one stays.
    auto key = [](int x, int y) { return static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32 | static_cast<uint32_t>(y); };
    std::unordered_set<uint64_t> staying;
    for (std::size_t j = 0; j + 1 < recs.size(); ++j)
        if (!moving[j] && IsPiece(recs[j])) staying.insert(key(recs[j].x, recs[j].y));
    for (std::size_t i = 0; i + 1 < recs.size(); ++i) {
        if (!moving[i] || !IsPiece(recs[i]) || !staying.count(key(Clamp16(recs[i].x + dx), Clamp16(recs[i].y + dy))))
            continue;
        note_ = {"not moved: the " + Kind(recs[i].type, 1).substr(2) + " at (" + std::to_string(recs[i].x) + ", " +
                     std::to_string(recs[i].y) + ") would land on another's cell",
                 true};
        return false;
    }
    return Step(
        [&] {
            for (std::size_t i = 0; i + 1 < Records().size(); ++i) {
                if (!moving[i]) continue;
                LevelRecord& r = Records()[i];
                r.x = Clamp16(r.x + dx);
                r.y = Clamp16(r.y + dy);
            }
            return true;
        },
        Counted(Records(), which) + " moved");
}

bool DesignDoc::Paste(const std::vector<LevelRecord>& records, int dx, int dy, std::vector<int>* placed) {
    if (records.empty()) return false;
    std::vector<int> all(records.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    std::vector<int> at;
    const bool done = Step(
        [&] {
            for (LevelRecord r : records) {
                r.x = Clamp16(r.x + dx);
                r.y = Clamp16(r.y + dy);
                if (IsPiece(r)) {
                    PutPiece(r.type, r.x, r.y);
                    at.push_back(PieceOn(Records(), r.x, r.y));
                } else {
                    Insert(r);
                    at.push_back(static_cast<int>(Records().size()) - 2);
                }
            }
            return true;
        },
        Counted(records, all) + " pasted");
    if (done && placed) {
        std::sort(at.begin(), at.end());
        at.erase(std::unique(at.begin(), at.end()), at.end());
        *placed = std::move(at);
    }
    return done;
}

bool DesignDoc::FuseAt(int x, int y, int quarters) {
    std::string what;
    return Step(
        [&] {
            const int at = RecordAt(Records(), x, y);
            if (at < 0) return false;
            LevelRecord& r = Records()[static_cast<std::size_t>(at)];
            if (r.type != REC_FIXED_BOMB) return false;
            const int16_t fuse = Clamp16(std::clamp(r.param + quarters, 0, kLongestQuarters));
            if (fuse == r.param) return false;
            what = "fixed bomb's fuse from " + Seconds(r.param) + " to " + Seconds(fuse);
            r.param = fuse;
            return true;
        },
        what);
}

bool DesignDoc::Inventory(int delta) {
    return Step(
        [&] {
            std::vector<LevelRecord>& recs = Records();
            const int count = CountType(recs, REC_BOMB);
            if (delta > 0) return count < kMaxInventory && Insert(kInventoryBombRecord);
            if (count == 0) return false;
            for (std::size_t i = recs.size(); i-- > 0;)
                if (recs[i].type == REC_BOMB) {
                    recs.erase(recs.begin() + static_cast<std::ptrdiff_t>(i));
                    break;
                }
            return true;
        },
        delta > 0 ? "inventory bomb added" : "inventory bomb taken away");
}

bool DesignDoc::AddLevel() {
    Change c;
    c.kind = Change::Insert;
    c.index = c.current = current_ + 1;
    c.level = EmptyLevel("Level " + std::to_string(levels_.size() + 1));
    c.id = nextId_++;
    return Structural(std::move(c), "new level");
}

bool DesignDoc::CopyLevel() {
    Change c;
    c.kind = Change::Insert;
    c.index = c.current = current_ + 1;
    c.level = Level();
    c.level.name = (c.level.name + " copy").substr(0, kMaxLevelNameBytes);
    c.id = nextId_++;
    return Structural(std::move(c), "level copied");
}

bool DesignDoc::DeleteLevel() {
    if (levels_.size() <= 1) return false;  // never the last
    Change c;
    c.kind = Change::Erase;
    c.index = current_;
    c.current = std::min(current_, static_cast<int>(levels_.size()) - 2);
    return Structural(std::move(c), "level \"" + Level().name + "\" deleted");
}

bool DesignDoc::MoveLevel(int delta) {
    const int to = current_ + delta;
    if (to < 0 || to >= static_cast<int>(levels_.size())) return false;
    Change c;
    c.kind = Change::Swap;
    c.index = current_;
    c.other = c.current = to;
    return Structural(std::move(c), delta < 0 ? "level moved earlier" : "level moved later");
}

bool DesignDoc::Rename(const std::string& name) {
    const std::string cut = name.substr(0, kMaxLevelNameBytes);
    return Step(
        [&] {
            if (cut == Level().name) return false;
            levels_[static_cast<std::size_t>(current_)].name = cut;
            return true;
        },
        "level renamed \"" + cut + "\"");
}

}  // namespace design
