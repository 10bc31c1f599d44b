#pragma once
// The pack being designed: its levels, the one shown, and every change as
// one undoable step. Knows nothing of Allegro or the screen.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "packs/pack_model.h"
#include "sim/fuse.h"
#include "sim/placement.h"

namespace design {

constexpr int kCell = 20;              // blocks and bricks sit on 20 x 20 cells
constexpr int kHamsterDrop = 4;        // a hamster stands 4 pixels below its record
constexpr int kRoundHalf = 12;         // half a hamster's or bomb's box
constexpr int kNewFixedFuse = 8;       // a new fixed bomb's fuse in quarter seconds: two seconds
constexpr int kMaxInventory = kInventorySlots;
// What undo may keep of the levels' earlier versions; the oldest steps go
// beyond it (the newest is always kept, however large).
constexpr std::size_t kUndoBytes = std::size_t{128} << 20;

// The centre of the cell that holds pixel v: 10 + 20k.
int CellCentre(int v);

// The pixels a record covers on the play-field, as the designer picks and
// outlines it; empty for an inventory bomb.
struct PixelRect {
    int left = 0, top = 0, w = 0, h = 0;
    bool Holds(int x, int y) const { return x >= left && x < left + w && y >= top && y < top + h; }
};
PixelRect RecordBox(const LevelRecord& r);

// The cell centres of a straight row (or column, if the drag is more tall
// than wide) of cells from (x0, y0) towards (x1, y1).
struct Cell {
    int x, y;
};
std::vector<Cell> LineCells(int x0, int y0, int x1, int y1);

// Which record of a level is drawn on top at a point, or -1. The game draws
// earlier records over later ones.
int RecordAt(const std::vector<LevelRecord>& records, int x, int y);
int CountType(const std::vector<LevelRecord>& records, int16_t type);
// The records whose boxes lie wholly inside the rectangle from (x0, y0) to
// (x1, y1), corners included, in record order.
std::vector<int> RecordsInside(const std::vector<LevelRecord>& records, int x0, int y0, int x1, int y1);
// "3 blocks, 1 hamster": what the records at these places are, by kind.
std::string Counted(const std::vector<LevelRecord>& records, const std::vector<int>& which);
bool IsPiece(const LevelRecord& r);
// Where a hamster put down with its centre at (x, y) stands: on the highest
// block or brick beneath it that it overlaps or would drop onto within one
// cell, as the world builds it (its box resting on the piece's top), unless
// it would stand inside another piece there. The centre's y, or y itself.
int StandingY(const std::vector<LevelRecord>& records, int x, int y);
// v on the 10-pixel grid an exit's edges snap to.
int ExitGrid(int v);

class DesignDoc {
public:
    // Starts with levels (at least one; an empty list becomes one empty level).
    explicit DesignDoc(LevelList levels = {});

    const LevelList& Levels() const { return levels_; }
    // One number per level that stays with it through every change, move,
    // undo and redo (a copy gets a new one): how a saved level text finds
    // the lines each level came from.
    const std::vector<uint32_t>& LevelIds() const { return ids_; }
    int Current() const { return current_; }
    const PackLevel& Level() const { return levels_[static_cast<std::size_t>(current_)]; }
    // Rises with every change, undo and redo; equal revisions hold equal levels.
    uint64_t Revision() const { return revision_; }
    // Changed since the last MarkSaved.
    bool Dirty() const { return revision_ != savedRevision_; }
    void MarkSaved() { savedRevision_ = revision_; }
    // Opened from a recovery file: unsaved from the start.
    void MarkUnsaved() { savedRevision_ = ~uint64_t{0}; }

    // Showing another level is no change. False at either end.
    bool Show(int index);

    // Each of these is one undoable step, and returns false (and changes
    // nothing) when there is nothing to do, or when the pack would hold more
    // records than the game reads from one (Note() then says so).
    bool PlacePiece(int16_t type, int x, int y);  // block or brick on the cell of (x, y)
    bool PaintLine(int16_t type, int x0, int y0, int x1, int y1);  // a row or a column of cells
    bool FillRect(int16_t type, int x0, int y0, int x1, int y1);   // every cell of the rectangle
    // With its centre at (x, y), or (snap) standing on the floor below (StandingY).
    bool PlaceHamster(int x, int y, bool snap = false);
    bool PlaceFixedBomb(int x, int y);
    // The rectangle from press to release, corners included, or (snap) with
    // its edges on the 10-pixel grid nearest to them.
    bool PlaceExit(int x0, int y0, int x1, int y1, bool snap = false);
    bool EraseAt(int x, int y);
    bool MoveAt(int fromX, int fromY, int toX, int toY);
    // The records at these places (of the level shown), in one step.
    bool EraseRecords(const std::vector<int>& which, const std::string& verb = "erased");
    // Moved by (dx, dy); refused (Note says why) when a block or brick would
    // land on the cell of one that stays.
    bool MoveRecords(const std::vector<int>& which, int dx, int dy);
    // Records moved by (dx, dy) and put in, blocks and bricks as PlacePiece
    // puts them (one to a cell); placed gets the places of every record they
    // now are, for the selection.
    bool Paste(const std::vector<LevelRecord>& records, int dx, int dy, std::vector<int>* placed = nullptr);
    bool FuseAt(int x, int y, int quarters);      // steps the fixed bomb's fuse there
    bool Inventory(int delta);
    bool AddLevel();
    bool CopyLevel();
    bool DeleteLevel();
    bool MoveLevel(int delta);
    bool Rename(const std::string& name);

    bool Undo();
    bool Redo();
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // What the next undo or redo would take back or do again, or empty.
    std::string NextUndo() const { return undo_.empty() ? std::string() : undo_.back().what; }
    std::string NextRedo() const { return redo_.empty() ? std::string() : redo_.back().what; }
    // The bytes undo and redo keep.
    std::size_t HistoryBytes() const { return historyBytes_; }
    // Why the last change was refused (refused set), that old undo steps
    // were dropped, or what an undo or redo undid or redid ("undo: 3 blocks
    // moved"); empty once read.
    struct Note {
        std::string text;
        bool refused = false;
    };
    Note TakeNote() { return std::exchange(note_, {}); }

private:
    // One step, as what undoes it: a level's other version put back, a
    // level put in or taken out, two levels swapped back.
    struct Change {
        enum Kind { Edit, Insert, Erase, Swap } kind = Edit;
        int index = 0, other = 0;
        PackLevel level;  // Edit: the other version; Insert: the level to put in
        uint32_t id = 0;  // Insert: the level's id
        int current = 0;  // the level shown, and the revision, to go back to
        uint64_t revision = 0;
        std::string what;  // "3 blocks moved"
        std::size_t Bytes() const;
    };
    std::vector<LevelRecord>& Records() { return levels_[static_cast<std::size_t>(current_)].records; }
    // Does change; returns what undoes it.
    Change Apply(Change change);
    void Keep(Change undo);
    std::size_t TotalRecords() const;
    bool Fits(std::size_t records);
    // Runs change on the level shown; keeps it as one step if it says it
    // changed something. what says what it did, for undo and redo.
    template <class Edit>
    bool Step(Edit change, const std::string& what);
    bool Structural(Change change, std::string what);
    bool Insert(const LevelRecord& r);  // before the end record
    bool PutPiece(int16_t type, int cx, int cy);

    LevelList levels_;
    std::vector<uint32_t> ids_;
    uint32_t nextId_ = 1;
    int current_ = 0;
    std::deque<Change> undo_;
    std::vector<Change> redo_;
    std::size_t historyBytes_ = 0;
    Note note_;
    uint64_t revision_ = 0, savedRevision_ = 0, nextRevision_ = 1;
};

// An empty level: just its end record.
PackLevel EmptyLevel(const std::string& name);

}  // namespace design
