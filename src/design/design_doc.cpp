#include "design/design_doc.h"

#include <algorithm>
#include <cstdlib>

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
    }
}

bool DesignDoc::Show(int index) {
    if (index < 0 || index >= static_cast<int>(levels_.size()) || index == current_) return false;
    current_ = index;
    return true;
}

void DesignDoc::Put(Snapshot s) {
    levels_ = std::move(s.levels);
    current_ = s.current;
    revision_ = s.revision;
}

template <class Change>
bool DesignDoc::Step(Change change) {
    Snapshot before = Take();
    if (!change()) {
        Put(std::move(before));
        return false;
    }
    undo_.push_back(std::move(before));
    redo_.clear();
    revision_ = nextRevision_++;
    return true;
}

bool DesignDoc::Undo() {
    if (undo_.empty()) return false;
    redo_.push_back(Take());
    Put(std::move(undo_.back()));
    undo_.pop_back();
    return true;
}

bool DesignDoc::Redo() {
    if (redo_.empty()) return false;
    undo_.push_back(Take());
    Put(std::move(redo_.back()));
    redo_.pop_back();
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
    return Step([&] {
        levels_.insert(levels_.begin() + current_ + 1, EmptyLevel("Level " + std::to_string(levels_.size() + 1)));
        current_ += 1;
        return true;
    });
}

bool DesignDoc::CopyLevel() {
    return Step([&] {
        PackLevel copy = Level();
        copy.name = (copy.name + " copy").substr(0, kMaxLevelNameBytes);
        levels_.insert(levels_.begin() + current_ + 1, std::move(copy));
        current_ += 1;
        return true;
    });
}

bool DesignDoc::DeleteLevel() {
    return Step([&] {
        if (levels_.size() <= 1) return false;  // never the last
        levels_.erase(levels_.begin() + current_);
        current_ = std::min(current_, static_cast<int>(levels_.size()) - 1);
        return true;
    });
}

bool DesignDoc::MoveLevel(int delta) {
    return Step([&] {
        const int to = current_ + delta;
        if (to < 0 || to >= static_cast<int>(levels_.size())) return false;
        std::swap(levels_[static_cast<std::size_t>(current_)], levels_[static_cast<std::size_t>(to)]);
        current_ = to;
        return true;
    });
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
