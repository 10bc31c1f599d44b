// The designer's keys and mouse, turned into changes of the pack.
#include <algorithm>
#include <cstdlib>

#include "design/design_parts.h"
#include "game/keys.h"
#include "packs/pack_header.h"

namespace design {

namespace {

int16_t PieceType(Tool t) { return t == Tool::Brick ? REC_BRICK : REC_BLOCK; }
bool PieceTool(Tool t) { return t == Tool::Block || t == Tool::Brick; }

void Saved(Designer& d) {
    std::string message;
    if (SaveDesign(d.files, d.path, d.doc, message) != SaveResult::Saved) {
        d.Say(message, true);
        return;
    }
    d.doc.MarkSaved();
    d.autosaveOnDisk = false;  // the save removed it
    d.autosavedRevision = ~uint64_t{0};
    d.Say(message);
}

void RenameKeys(Designer& d) {
    for (int i = 0; i < d.in.typedCount; ++i)
        if (d.renameText.size() < kMaxLevelNameBytes) d.renameText += d.in.typed[i];
    if (KeyPressed(d, kKeyBackspace) && !d.renameText.empty()) d.renameText.pop_back();
    if (KeyPressed(d, kKeyEnter) || KeyPressed(d, kKeyEnterPad)) {
        d.renaming = false;
        d.doc.Rename(d.renameText);
    } else if (KeyPressed(d, kKeyEsc)) {
        d.renaming = false;
    }
}

// A selection is of the level and revision it was made in: a key that changes
// either must not let a later one act on another level's objects.
void DropStaleSelection(Designer& d) {
    if (d.selectionRevision != d.doc.Revision() || d.selectionLevel != d.doc.Current()) d.selection.clear();
}

// The selection's records, in order.
std::vector<LevelRecord> Selected(const Designer& d) {
    std::vector<LevelRecord> records;
    for (int i : d.selection) records.push_back(d.doc.Level().records[static_cast<std::size_t>(i)]);
    return records;
}

bool HoldsPiece(const std::vector<LevelRecord>& records) {
    return std::any_of(records.begin(), records.end(), [](const LevelRecord& r) { return IsPiece(r); });
}

void MoveSelection(Designer& d, int dx, int dy) {
    if (d.selection.empty() || (dx == 0 && dy == 0)) return;
    if (d.doc.MoveRecords(d.selection, dx, dy)) d.Select(d.selection);
}

bool Copy(Designer& d) {
    if (d.selection.empty()) {
        d.Say("nothing selected: drag a rectangle with the select tool (S) first");
        return false;
    }
    const std::vector<LevelRecord> records = Selected(d);
    std::string why;
    const std::string what = Counted(d.doc.Level().records, d.selection);
    if (d.clipboard.Put(records, why))
        d.Say("copied " + what);
    else
        d.Say("copied " + what + " for this designer only: " + why, true);
    return true;
}

void Cut(Designer& d) {
    if (!Copy(d)) return;
    d.doc.EraseRecords(d.selection, "cut");
}

// The copied objects with the middle of their boxes at (x, y): blocks and
// bricks by whole cells, so that they stay on their grid.
void PasteAt(Designer& d, int x, int y) {
    std::vector<LevelRecord> records;
    std::string why;
    if (!d.clipboard.Take(records, why)) {
        d.Say(why, true);
        return;
    }
    if (!why.empty()) d.Say(why, true);
    int left = 1 << 20, top = 1 << 20, right = -(1 << 20), bottom = -(1 << 20);
    for (const LevelRecord& r : records) {
        const PixelRect b = RecordBox(r);
        if (b.w <= 0 || b.h <= 0) continue;
        left = std::min(left, b.left), top = std::min(top, b.top);
        right = std::max(right, b.left + b.w), bottom = std::max(bottom, b.top + b.h);
    }
    if (right < left) left = right = x, top = bottom = y;
    const bool cells = HoldsPiece(records);
    std::vector<int> placed;
    if (d.doc.Paste(records, CellSnapped(x - (left + right) / 2, cells), CellSnapped(y - (top + bottom) / 2, cells), &placed)) {
        d.Select(std::move(placed));
        d.tool = Tool::Select;  // ready to be dragged where it belongs
    }
}

void SelectAll(Designer& d) {
    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    std::vector<int> all;
    for (std::size_t i = 0; i + 1 < recs.size(); ++i)
        if (RecordBox(recs[i]).w > 0) all.push_back(static_cast<int>(i));
    d.Select(std::move(all));
    d.tool = Tool::Select;
}

void Delete(Designer& d) {
    if (d.selection.empty()) return;
    d.doc.EraseRecords(d.selection);
}

void ArrowKeys(Designer& d) {
    if (d.findings) {  // they scroll the findings
        if (KeyPressed(d, kKeyUp)) d.findingsTop -= 1;
        if (KeyPressed(d, kKeyDown)) d.findingsTop += 1;
        return;
    }
    const int step = HoldsPiece(Selected(d)) ? kCell : 1;
    if (KeyPressed(d, kKeyLeft)) MoveSelection(d, -step, 0);
    if (KeyPressed(d, kKeyRight)) MoveSelection(d, step, 0);
    if (KeyPressed(d, kKeyUp)) MoveSelection(d, 0, -step);
    if (KeyPressed(d, kKeyDown)) MoveSelection(d, 0, step);
}

// The keys with Ctrl held: files, undo, levels, the clipboard.
void CtrlKeys(Designer& d) {
    const bool shift = d.in.Shift();
    if (KeyPressed(d, KeyLetter('S'))) RunCommand(d, Command::Save);
    if (KeyPressed(d, KeyLetter('Z'))) RunCommand(d, shift ? Command::Redo : Command::Undo);
    if (KeyPressed(d, KeyLetter('Y'))) RunCommand(d, Command::Redo);
    if (KeyPressed(d, KeyLetter('N'))) RunCommand(d, Command::NewLevel);
    if (KeyPressed(d, KeyLetter('D'))) d.doc.CopyLevel();
    if (KeyPressed(d, KeyLetter('C'))) RunCommand(d, Command::Copy);
    if (KeyPressed(d, KeyLetter('X'))) RunCommand(d, Command::Cut);
    if (KeyPressed(d, KeyLetter('V'))) PasteAt(d, d.in.mouseY < BarTop(d) ? d.in.mouseX : d.fieldX,
                                               d.in.mouseY < BarTop(d) ? d.in.mouseY : d.fieldY);
    if (KeyPressed(d, KeyLetter('A'))) SelectAll(d);
    if (KeyPressed(d, kKeyDel) || KeyPressed(d, kKeyDelPad)) d.doc.DeleteLevel();
    if (KeyPressed(d, kKeyPgUp)) d.doc.MoveLevel(-1);
    if (KeyPressed(d, kKeyPgDn)) d.doc.MoveLevel(+1);
}

void PlainKeys(Designer& d) {
    for (int k = 0; k < kToolCount; ++k)
        if (KeyPressed(d, KeyLetter(kToolKeys[k]))) d.tool = static_cast<Tool>(k);
    if (KeyPressed(d, KeyLetter('I'))) d.doc.Inventory(d.in.Shift() ? -1 : +1);
    if (KeyPressed(d, kKeyPgUp)) RunCommand(d, Command::PreviousLevel);
    if (KeyPressed(d, kKeyPgDn)) RunCommand(d, Command::NextLevel);
    if (KeyPressed(d, KeyF(1))) RunCommand(d, Command::Help);
    if (KeyPressed(d, KeyF(2))) RunCommand(d, Command::Rename);
    if (KeyPressed(d, KeyF(3))) RunCommand(d, Command::Findings);
    if (KeyPressed(d, KeyF(4))) d.barShown = !d.barShown;
    if (KeyPressed(d, KeyF(5))) RunCommand(d, Command::Solve);
    DropStaleSelection(d);
    if (KeyPressed(d, kKeyEsc)) {
        d.help = d.findings = false;
        d.selection.clear();
    }
    if (KeyPressed(d, kKeyTab)) RunCommand(d, Command::TestPlay);
    if (KeyPressed(d, kKeyDel) || KeyPressed(d, kKeyDelPad)) Delete(d);
    ArrowKeys(d);
    // The fuse of the fixed bomb under the cursor; over the findings, the wheel scrolls them.
    const int x = d.in.mouseX, y = d.in.mouseY;
    if (KeyPressed(d, kKeyEquals) || KeyPressed(d, kKeyPlusPad)) d.doc.FuseAt(x, y, +1);
    if (KeyPressed(d, kKeyMinus) || KeyPressed(d, kKeyMinusPad)) d.doc.FuseAt(x, y, -1);
    if (d.in.wheel != 0 && d.findings)
        d.findingsTop -= d.in.wheel;
    else if (d.in.wheel != 0)
        d.doc.FuseAt(x, y, d.in.wheel);
}

bool OnSelection(const Designer& d, int x, int y) {
    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    return std::any_of(d.selection.begin(), d.selection.end(),
                       [&](int i) { return RecordBox(recs[static_cast<std::size_t>(i)]).Holds(x, y); });
}

// Everything whose box the segment from (x0, y0) to (x1, y1) passes over.
void Stroke(Designer& d, int x0, int y0, int x1, int y1) {
    const std::vector<LevelRecord>& recs = d.doc.Level().records;
    const int left = std::min(x0, x1), right = std::max(x0, x1), top = std::min(y0, y1), bottom = std::max(y0, y1);
    const int steps = std::max(right - left, bottom - top);
    for (std::size_t i = 0; i + 1 < recs.size(); ++i) {
        const PixelRect b = RecordBox(recs[i]);
        if (b.w <= 0 || b.left > right || b.left + b.w <= left || b.top > bottom || b.top + b.h <= top) continue;
        if (std::find(d.stroke.begin(), d.stroke.end(), static_cast<int>(i)) != d.stroke.end()) continue;
        for (int s = 0; s <= steps; ++s) {
            const int x = steps == 0 ? x0 : x0 + (x1 - x0) * s / steps, y = steps == 0 ? y0 : y0 + (y1 - y0) * s / steps;
            if (b.Holds(x, y)) {
                d.stroke.push_back(static_cast<int>(i));
                break;
            }
        }
    }
}

void Press(Designer& d, int x, int y) {
    d.pressX = x;
    d.pressY = y;
    d.dragMoved = false;
    const bool shift = d.in.Shift();
    switch (d.tool) {
        case Tool::Select:
            if (!shift && OnSelection(d, x, y)) {
                d.drag = Drag::MoveSelection;
            } else if (const int at = RecordAt(d.doc.Level().records, x, y); !shift && at >= 0) {
                d.Select({at});
                d.drag = Drag::MoveSelection;
            } else {
                d.drag = Drag::Select;
            }
            return;
        case Tool::Eraser:
            d.drag = Drag::Erase;
            d.stroke.clear();
            Stroke(d, x, y, x, y);
            return;
        default:
            d.drag = !shift ? Drag::Draw : PieceTool(d.tool) ? Drag::Fill : Drag::Move;
            return;
    }
}

void Release(Designer& d, int x, int y) {
    const Drag drag = d.drag;
    d.drag = Drag::None;
    const bool shift = d.in.Shift(), snap = !AltHeld(d.in);
    switch (drag) {
        case Drag::None:
            return;
        case Drag::Move:
            d.doc.MoveAt(d.pressX, d.pressY, x, y);
            return;
        case Drag::Fill:
            d.doc.FillRect(PieceType(d.tool), d.pressX, d.pressY, x, y);
            return;
        case Drag::Erase:
            // A click takes the object on top; a stroke all it passed over.
            if (!d.dragMoved)
                d.doc.EraseAt(d.pressX, d.pressY);
            else
                d.doc.EraseRecords(d.stroke);
            d.stroke.clear();
            return;
        case Drag::Select: {
            const std::vector<LevelRecord>& recs = d.doc.Level().records;
            std::vector<int> chosen = d.dragMoved ? RecordsInside(recs, d.pressX, d.pressY, x, y) : std::vector<int>{};
            if (!d.dragMoved && shift) {  // a Shift-click adds or takes away the object clicked
                const int at = RecordAt(recs, x, y);
                std::vector<int> now = d.selection;
                if (at >= 0 && std::find(now.begin(), now.end(), at) != now.end())
                    std::erase(now, at);
                else if (at >= 0)
                    now.push_back(at);
                std::sort(now.begin(), now.end());
                d.Select(std::move(now));
                return;
            }
            if (shift) chosen.insert(chosen.end(), d.selection.begin(), d.selection.end());
            std::sort(chosen.begin(), chosen.end());
            chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
            d.Select(std::move(chosen));
            return;
        }
        case Drag::MoveSelection: {
            const bool cells = HoldsPiece(Selected(d));
            MoveSelection(d, CellSnapped(x - d.pressX, cells), CellSnapped(y - d.pressY, cells));
            return;
        }
        case Drag::Draw:
            break;
    }
    switch (d.tool) {
        case Tool::Block:
        case Tool::Brick:
            if (CellCentre(x) == CellCentre(d.pressX) && CellCentre(y) == CellCentre(d.pressY))
                d.doc.PlacePiece(PieceType(d.tool), x, y);
            else
                d.doc.PaintLine(PieceType(d.tool), d.pressX, d.pressY, x, y);
            break;
        case Tool::Hamster:
            d.doc.PlaceHamster(x, y, snap);
            break;
        case Tool::FixedBomb:
            d.doc.PlaceFixedBomb(x, y);
            break;
        case Tool::Exit:
            d.doc.PlaceExit(d.pressX, d.pressY, x, y, snap);
            break;
        default:
            break;
    }
}

void Mouse(Designer& d) {
    const InputSample& in = d.in;
    const int x = in.mouseX, y = in.mouseY;
    const bool onBar = y >= BarTop(d);
    if (!onBar) d.fieldX = x, d.fieldY = y;
    if (in.pressed & kLeftButton) {
        if (!onBar) {
            Press(d, x, y);
        } else if (const int tool = ToolUnder(d, x, y); tool >= 0) {
            d.tool = static_cast<Tool>(tool);
        } else if (const int command = CommandUnder(d, x, y); command >= 0) {
            RunCommand(d, static_cast<Command>(command));
        }
    }
    if (d.drag != Drag::None && (x != d.pressX || y != d.pressY)) d.dragMoved = true;
    if (d.drag == Drag::Erase) Stroke(d, d.lastX, d.lastY, x, y);
    if ((in.released & kLeftButton) && d.drag != Drag::None) Release(d, x, y);
    if ((in.pressed & kRightButton) && !onBar) d.doc.EraseAt(x, y);
    d.lastX = x;
    d.lastY = y;
}

}  // namespace

int ToolUnder(const Designer& d, int x, int y) {
    if (!d.barShown) return -1;
    for (int k = 0; k < kToolCount; ++k)
        if (ToolButton(k).Holds(x, y - BarTop(d))) return k;
    return -1;
}

int CommandUnder(const Designer& d, int x, int y) {
    if (!d.barShown) return -1;
    for (int k = 0; k < kCommandCount; ++k)
        if (CommandButton(k).Holds(x, y - BarTop(d))) return k;
    return -1;
}

void RunCommand(Designer& d, Command c) {
    switch (c) {
        case Command::Undo:
            if (!d.doc.Undo()) d.Say("nothing to undo");
            break;
        case Command::Redo:
            if (!d.doc.Redo()) d.Say("nothing to redo");
            break;
        case Command::Cut:
            Cut(d);
            break;
        case Command::Copy:
            Copy(d);
            break;
        case Command::Paste:
            PasteAt(d, d.fieldX, d.fieldY);
            break;
        case Command::PreviousLevel:
            d.doc.Show(d.doc.Current() - 1);
            break;
        case Command::NextLevel:
            d.doc.Show(d.doc.Current() + 1);
            break;
        case Command::NewLevel:
            d.doc.AddLevel();
            break;
        case Command::Rename:
            d.renaming = true;
            d.renameText = d.doc.Level().name;
            break;
        case Command::AddBomb:
            d.doc.Inventory(+1);
            break;
        case Command::Solve:
            if (!d.solves.Toggle(d.doc.Level().records)) d.Say("the search could not start", true);
            break;
        case Command::TestPlay:
            d.startPlay = true;
            break;
        case Command::Findings:
            d.findings = !d.findings;
            d.findingsTop = 0;
            break;
        case Command::Help:
            d.help = !d.help;
            break;
        case Command::Save:
            Saved(d);
            break;
    }
}

void HandleDesignInput(Designer& d) {
    DropStaleSelection(d);
    if (d.renaming) {
        RenameKeys(d);
        return;
    }
    if (d.in.Ctrl())
        CtrlKeys(d);
    else
        PlainKeys(d);
    DropStaleSelection(d);
    Mouse(d);
    DropStaleSelection(d);
}

}  // namespace design
