#pragma once
// What the frame draws: the background, the objects and particles, the
// edit-mode overlays, the HUD with its inventory and fuse read-out, the
// completion banner and the cursor.
#include <cstdint>

struct Assets;
struct HudState;
struct InputSample;
struct Picture;
class World;

void DrawBackground(Picture* target, Picture* background);
// Every object of the world, back to front: earlier objects end up on top.
void DrawObjects(Picture* target, World& world, const Assets& assets);
// Every live particle stepped once and drawn, in slot order.
void UpdateAndDrawParticles(Picture* target, World& world, const Assets& assets);

// Everything an edit-mode frame's picture depends on that can change while
// the simulation is frozen: the cursor, the HUD's drags, the selection and
// the inventory bombs. Two frames with the same key, in edit mode with no
// particle alive and no toggle between them, draw the same picture. Never 0.
uint64_t EditPictureKey(const HudState& hud, const InputSample& in, int hudTop, const World& world);

// Where the HUD's top edge lies: whole in edit mode, half hidden in run mode.
int HudTopFor(int bufferHeight, int hudHeight, bool editMode);

// Hover squares, the fuse-drag line and the selection square.
void DrawEditOverlays(Picture* target, const HudState& hud, const InputSample& in, const World& world);

// The fuse read-out of a bomb with count frames left: one glyph or two.
struct ReadoutGlyph {
    int glyph;  // index into the time glyphs
    int x;
};
struct FuseReadout {
    int count;  // 1 or 2
    ReadoutGlyph glyphs[2];
};
FuseReadout FuseReadoutFor(int count);
// The read-out of a bomb with count frames left as the HUD shows it, with
// its top left at (left, top), anywhere on the picture (the fixed bombs of
// the player's edition), and its width.
void DrawFuseReadout(Picture* target, const Assets& assets, int left, int top, int count);
int FuseReadoutWidth(int count);
// The read-out on a dark tab just above a bomb centred at (x, y), where it
// stays readable over whatever stands there: fixed bombs in the player's
// edition and in the designer.
void DrawFuseAbove(Picture* target, const Assets& assets, int x, int y, int count);
// The slider knob's x for a bomb with count frames left.
int SliderKnobX(int count);

// The HUD bitmap at hudTop, the inventory icons of unplaced bombs, and the
// selected bomb's read-out and slider knob.
void DrawHud(Picture* target, const Assets& assets, int hudTop, const World& world);
void DrawBanner(Picture* target, Picture* banner);
// Opaque in edit mode, a faint additive glow in run mode.
void DrawCursor(Picture* target, Picture* cursor, int x, int y, bool editMode);
