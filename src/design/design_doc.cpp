#include "design/design_doc.h"

#include <algorithm>
#include <cstdlib>

#include "packs/pack_header.h"
#include "packs/pack_header.h"

namespace design {

namespace {

bool IsPiece(const LevelRecord& r) { return r.type == REC_BLOCK || r.type == REC_BRICK; }

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

}  // namespace

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
    return sizeof(Change) + level.name.capacity() + level.records.capacity() * sizeof(LevelRecord);
}

DesignDoc::Change DesignDoc::Apply(Change c) {
    Change undo;
    undo.kind = c.kind;
    undo.index = c.index;
    undo.other = c.other;
    undo.current = current_;
    undo.revision = revision_;
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
bool DesignDoc::Step(Edit change) {
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
    revision_ = nextRevision_++;
    Keep(std::move(undo));
    return true;
}

bool DesignDoc::Structural(Change change) {
    if (change.kind == Change::Insert && !Fits(change.level.records.size())) return false;
    change.revision = nextRevision_++;
    Keep(Apply(std::move(change)));
    return true;
}

bool DesignDoc::Undo() {
    if (undo_.empty()) return false;
    historyBytes_ -= undo_.back().Bytes();
    redo_.push_back(Apply(std::move(undo_.back())));
    undo_.pop_back();
    historyBytes_ += redo_.back().Bytes();
    return true;
}

bool DesignDoc::Redo() {
    if (redo_.empty()) return false;
    historyBytes_ -= redo_.back().Bytes();
    undo_.push_back(Apply(std::move(redo_.back())));
    redo_.pop_back();
    historyBytes_ += undo_.back().Bytes();
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
    return Step([&] { return PutPiece(type, CellCentre(x), CellCentre(y)); });
}

bool DesignDoc::PaintLine(int16_t type, int x0, int y0, int x1, int y1) {
    return Step([&] {
        bool changed = false;
        for (const Cell& c : LineCells(x0, y0, x1, y1)) changed |= PutPiece(type, c.x, c.y);
        return changed;
    });
}

bool DesignDoc::PlaceHamster(int x, int y) {
    return Step([&] { return Insert(Make(REC_HAMSTER, x, y - kHamsterDrop)); });
}

bool DesignDoc::PlaceFixedBomb(int x, int y) {
    return Step([&] { return Insert(Make(REC_FIXED_BOMB, x, y, 0, 0, kNewFixedFuse)); });
}

bool DesignDoc::PlaceExit(int x0, int y0, int x1, int y1) {
    const int left = std::min(x0, x1), top = std::min(y0, y1);
    const int w = std::abs(x1 - x0) + 1, h = std::abs(y1 - y0) + 1;
    if (w < 2 || h < 2) return false;  // a click, not a drag
    return Step([&] { return Insert(Make(REC_EXIT, left, top, w, h)); });
}

bool DesignDoc::EraseAt(int x, int y) {
    return Step([&] {
        const int at = RecordAt(Records(), x, y);
        if (at < 0) return false;
        Records().erase(Records().begin() + at);
        return true;
    });
}

bool DesignDoc::MoveAt(int fromX, int fromY, int toX, int toY) {
    return Step([&] {
        const int at = RecordAt(Records(), fromX, fromY);
        if (at < 0) return false;
        LevelRecord r = Records()[static_cast<std::size_t>(at)];
        if (IsPiece(r)) {
            const int cx = CellCentre(r.x + toX - fromX), cy = CellCentre(r.y + toY - fromY);
            const int there = PieceOn(Records(), cx, cy);
            if (there >= 0) return false;  // a cell holds one piece
            r.x = Clamp16(cx);
            r.y = Clamp16(cy);
        } else {
            r.x = Clamp16(r.x + toX - fromX);
            r.y = Clamp16(r.y + toY - fromY);
        }
        if (SameRecord(r, Records()[static_cast<std::size_t>(at)])) return false;
        Records()[static_cast<std::size_t>(at)] = r;
        return true;
    });
}

bool DesignDoc::FuseAt(int x, int y, int quarters) {
    return Step([&] {
        const int at = RecordAt(Records(), x, y);
        if (at < 0) return false;
        LevelRecord& r = Records()[static_cast<std::size_t>(at)];
        if (r.type != REC_FIXED_BOMB) return false;
        const int16_t fuse = Clamp16(std::clamp(r.param + quarters, 0, kLongestQuarters));
        if (fuse == r.param) return false;
        r.param = fuse;
        return true;
    });
}

bool DesignDoc::Inventory(int delta) {
    return Step([&] {
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
    });
}

bool DesignDoc::AddLevel() {
    Change c;
    c.kind = Change::Insert;
    c.index = c.current = current_ + 1;
    c.level = EmptyLevel("Level " + std::to_string(levels_.size() + 1));
    c.id = nextId_++;
    return Structural(std::move(c));
}

bool DesignDoc::CopyLevel() {
    Change c;
    c.kind = Change::Insert;
    c.index = c.current = current_ + 1;
    c.level = Level();
    c.level.name = (c.level.name + " copy").substr(0, kMaxLevelNameBytes);
    c.id = nextId_++;
    return Structural(std::move(c));
}

bool DesignDoc::DeleteLevel() {
    if (levels_.size() <= 1) return false;  // never the last
    Change c;
    c.kind = Change::Erase;
    c.index = current_;
    c.current = std::min(current_, static_cast<int>(levels_.size()) - 2);
    return Structural(std::move(c));
}

bool DesignDoc::MoveLevel(int delta) {
    const int to = current_ + delta;
    if (to < 0 || to >= static_cast<int>(levels_.size())) return false;
    Change c;
    c.kind = Change::Swap;
    c.index = current_;
    c.other = c.current = to;
    return Structural(std::move(c));
}

bool DesignDoc::Rename(const std::string& name) {
    return Step([&] {
        const std::string cut = name.substr(0, kMaxLevelNameBytes);
        if (cut == Level().name) return false;
        levels_[static_cast<std::size_t>(current_)].name = cut;
        return true;
    });
}

}  // namespace design
