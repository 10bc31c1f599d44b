// The designer's keys and mouse, turned into changes of the pack.
#include <algorithm>

#include "design/design_parts.h"
#include "packs/pack_header.h"
#include "game/keys.h"

namespace design {

namespace {

int16_t PieceType(Tool t) { return t == Tool::Brick ? REC_BRICK : REC_BLOCK; }

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

// The keys with Ctrl held: files, undo, levels.
void CtrlKeys(Designer& d) {
    const bool shift = d.in.Shift();
    if (KeyPressed(d, KeyLetter('S'))) Saved(d);
    if (KeyPressed(d, KeyLetter('Z'))) shift ? d.doc.Redo() : d.doc.Undo();
    if (KeyPressed(d, KeyLetter('Y'))) d.doc.Redo();
    if (KeyPressed(d, KeyLetter('N'))) d.doc.AddLevel();
    if (KeyPressed(d, KeyLetter('D'))) d.doc.CopyLevel();
    if (KeyPressed(d, kKeyDel) || KeyPressed(d, kKeyDelPad)) d.doc.DeleteLevel();
    if (KeyPressed(d, kKeyPgUp)) d.doc.MoveLevel(-1);
    if (KeyPressed(d, kKeyPgDn)) d.doc.MoveLevel(+1);
}

void PlainKeys(Designer& d) {
    for (int k = 0; k < kToolCount; ++k)
        if (KeyPressed(d, KeyLetter(kToolKeys[k]))) d.tool = static_cast<Tool>(k);
    if (KeyPressed(d, KeyLetter('I'))) d.doc.Inventory(d.in.Shift() ? -1 : +1);
    if (KeyPressed(d, kKeyPgUp)) d.doc.Show(d.doc.Current() - 1);
    if (KeyPressed(d, kKeyPgDn)) d.doc.Show(d.doc.Current() + 1);
    if (KeyPressed(d, KeyF(1))) d.help = !d.help;
    if (KeyPressed(d, KeyF(3))) d.findings = !d.findings;
    if (KeyPressed(d, KeyF(4))) d.barShown = !d.barShown;
    if (KeyPressed(d, KeyF(2))) {
        d.renaming = true;
        d.renameText = d.doc.Level().name;
    }
    if (KeyPressed(d, KeyF(5)) && !d.solves.Toggle(d.doc.Level().records)) d.Say("the search could not start");
    if (KeyPressed(d, kKeyEsc)) d.help = d.findings = false;
    if (KeyPressed(d, kKeyTab)) d.startPlay = true;
    // The fuse of the fixed bomb under the cursor.
    const int x = d.in.mouseX, y = d.in.mouseY;
    if (KeyPressed(d, kKeyEquals) || KeyPressed(d, kKeyPlusPad)) d.doc.FuseAt(x, y, +1);
    if (KeyPressed(d, kKeyMinus) || KeyPressed(d, kKeyMinusPad)) d.doc.FuseAt(x, y, -1);
    if (d.in.wheel != 0) d.doc.FuseAt(x, y, d.in.wheel);
}

void Release(Designer& d, int x, int y) {
    const Drag drag = d.drag;
    d.drag = Drag::None;
    if (drag == Drag::Move) {
        d.doc.MoveAt(d.pressX, d.pressY, x, y);
        return;
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
            d.doc.PlaceHamster(x, y);
            break;
        case Tool::FixedBomb:
            d.doc.PlaceFixedBomb(x, y);
            break;
        case Tool::Exit:
            d.doc.PlaceExit(d.pressX, d.pressY, x, y);
            break;
        case Tool::Eraser:
            d.doc.EraseAt(x, y);
            break;
    }
}

void Mouse(Designer& d) {
    const InputSample& in = d.in;
    const int x = in.mouseX, y = in.mouseY;
    const bool onBar = y >= BarTop(d);
    if (in.pressed & kLeftButton) {
        if (onBar) {
            for (int k = 0; k < kToolCount; ++k)
                if (ToolButton(k).Holds(x, y - BarTop(d))) d.tool = static_cast<Tool>(k);
        } else {
            d.drag = in.Shift() ? Drag::Move : Drag::Draw;
            d.pressX = x;
            d.pressY = y;
        }
    }
    if ((in.released & kLeftButton) && d.drag != Drag::None) Release(d, x, y);
    if ((in.pressed & kRightButton) && !onBar) d.doc.EraseAt(x, y);
}

}  // namespace

void HandleDesignInput(Designer& d) {
    if (d.renaming) {
        RenameKeys(d);
        return;
    }
    if (d.in.Ctrl())
        CtrlKeys(d);
    else
        PlainKeys(d);
    Mouse(d);
}

}  // namespace design
