#include "game/frame_draw.h"

#include <algorithm>

#include "sim/world.h"
#include "sim/asset_handles.h"
#include "sim/bomb.h"
#include "sim/frame_globals.h"
#include "sim/particles.h"
#include "game/drawing.h"
#include "game/sprite_drawing.h"
#include "game/hud_controls.h"
#include "game/input.h"

namespace {

constexpr int kReadoutX = 326;      // a single glyph, centred
constexpr int kSecondsX = 320;      // seconds and quarters side by side
constexpr int kQuartersX = 332;
constexpr int kFirstQuarterGlyph = 10;  // + 1, 2, 3 for the quarter marks
constexpr int kLongestQuarters = kLongestFuse / kQuarterSecond;

int Quarters(int count) {
    // The HUD never sets more than 9 3/4 seconds; anything beyond would index
    // past the glyphs.
    return std::clamp(count / kQuarterSecond, 0, kLongestQuarters);
}

int White() { return PictureColour(255, 255, 255); }

}  // namespace

void DrawBackground(BITMAP* target, BITMAP* background) {
    CopyPicture(background, target, 0, 0, 0, 0, PictureWidth(target), PictureHeight(target));
}

void DrawObjects(BITMAP* target) {
    for (size_t i = ObjectList.size(); i-- > 0;) ObjectList[i]->Draw(target, 0, 0);
}

void UpdateAndDrawParticles(BITMAP* target) {
    for (Particle& p : ParticlePool.slots) {
        if (p.life == 0) continue;
        StepParticle(p);
        BITMAP* picture = p.strip[p.picture];
        const int left = p.x.Whole() - 8;
        const int top = p.y.Whole() - 8;
        if (p.additive)
            DrawAdditiveSprite(target, picture, left, top);
        else
            DrawMaskedSprite(target, picture, left, top);
    }
}

uint64_t EditPictureKey(const HudState& hud, const InputSample& in, int hudTop) {
    uint64_t h = 0xcbf29ce484222325ull;
    auto add = [&h](int64_t v) {
        h ^= static_cast<uint64_t>(v);
        h *= 0x100000001b3ull;
        h ^= h >> 29;
    };
    add(hudTop);
    add(in.mouseX);
    add(in.mouseY);
    add(hud.fuseDrag);
    add(hud.dragActive);
    int selected = -1;
    for (size_t i = 0; i < BombList.size(); ++i) {
        const cBomb& b = *BombList[i];
        add(b.x.raw);
        add(b.y.raw);
        add(b.Count);
        add(BombPlaced[i]);
        if (&b == SelectedBomb) selected = static_cast<int>(i);
    }
    add(selected);
    return h == 0 ? 1 : h;
}

int HudTopFor(int bufferHeight, int hudHeight, bool editMode) {
    return editMode ? bufferHeight - hudHeight : bufferHeight - hudHeight / 2;
}

void DrawEditOverlays(BITMAP* target, const HudState& hud, const InputSample& in) {
    for (cBomb* bomb : BombList) {
        if (!BombUnderCursor(*bomb, in.mouseX, in.mouseY)) continue;
        const int X = bomb->x.Whole();
        const int Y = bomb->y.Whole();
        DrawOutline(target, X - 16, Y - 16, X + 16, Y + 16, White());
    }
    if (!SelectedBomb) return;
    const int X = SelectedBomb->x.Whole();
    const int Y = SelectedBomb->y.Whole();
    if (hud.fuseDrag && hud.dragActive) DrawStraightLine(target, X, Y, in.mouseX, in.mouseY, White());
    DrawOutline(target, X - 15, Y - 15, X + 15, Y + 15, PictureColour(0, 255, 0));
}

FuseReadout FuseReadoutFor(int count) {
    const int q = Quarters(count);
    if (q == 0) return {1, {{0, kReadoutX}, {}}};
    if (q < 4) return {1, {{kFirstQuarterGlyph + q, kReadoutX}, {}}};
    if (q % 4 == 0) return {1, {{q / 4, kReadoutX}, {}}};
    return {2, {{q / 4, kSecondsX}, {kFirstQuarterGlyph + q % 4, kQuartersX}}};
}

int SliderKnobX(int count) { return 2 * Quarters(count) + 381; }

void DrawHud(BITMAP* target, BITMAP* hudBitmap, BITMAP* sliderBitmap, int hudTop) {
    CopyPicture(hudBitmap, target, 0, 0, 0, hudTop, PictureWidth(hudBitmap), PictureHeight(hudBitmap));
    // Every bomb keeps its slot's x, so a placed bomb leaves its slot empty.
    for (size_t i = 0; i < BombList.size(); ++i) {
        if (!BombPlaced[i]) DrawMaskedSprite(target, RedBombBitmap, 108 + 40 * static_cast<int>(i), hudTop + 12);
    }
    if (!SelectedBomb) return;
    const FuseReadout readout = FuseReadoutFor(SelectedBomb->Count);
    for (int i = 0; i < readout.count; ++i)
        DrawMaskedSprite(target, TimeGlyphs[readout.glyphs[i].glyph], readout.glyphs[i].x, hudTop + 12);
    DrawMaskedSprite(target, sliderBitmap, SliderKnobX(SelectedBomb->Count), hudTop + 13);
}

void DrawBanner(BITMAP* target, BITMAP* banner) {
    DrawMaskedSprite(target, banner, (PictureWidth(target) - PictureWidth(banner)) >> 1,
                     (PictureHeight(target) - PictureHeight(banner)) >> 1);
}

void DrawCursor(BITMAP* target, BITMAP* cursor, int x, int y, bool editMode) {
    if (editMode)
        DrawMaskedSprite(target, cursor, x, y);
    else
        DrawAdditiveSprite(target, cursor, x, y);
}
