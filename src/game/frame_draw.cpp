#include "game/frame_draw.h"

#include "game/assets.h"
#include "game/drawing.h"
#include "game/hud_controls.h"
#include "game/input.h"
#include "game/object_drawing.h"
#include "game/sprite_drawing.h"
#include "sim/fuse.h"
#include "sim/placement.h"
#include "sim/world.h"

namespace {

constexpr int kReadoutX = 326;      // a single glyph, centred
constexpr int kSecondsX = 320;      // seconds and quarters side by side
constexpr int kQuartersX = 332;
constexpr int kFirstQuarterGlyph = 10;  // + 1, 2, 3 for the quarter marks

int White() { return PictureColour(255, 255, 255); }

}  // namespace

void DrawBackground(Picture* target, Picture* background) {
    CopyPicture(background, target, 0, 0, 0, 0, PictureWidth(target), PictureHeight(target));
}

void DrawObjects(Picture* target, World& world, const Assets& assets) {
    ObjectDrawing painter(target, assets);
    for (size_t i = world.ObjectList.size(); i-- > 0;) world.ObjectList[i]->Draw(world, painter, 0, 0);
}

void UpdateAndDrawParticles(Picture* target, World& world, const Assets& assets) {
    for (Particle& p : world.ParticlePool.slots) {
        if (p.life == 0) continue;
        StepParticle(p);
        Picture* picture = assets.StripPicture(p.strip, p.picture);
        const int left = p.x.Whole() - 8;
        const int top = p.y.Whole() - 8;
        if (p.additive)
            DrawAdditiveSprite(target, picture, left, top);
        else
            DrawMaskedSprite(target, picture, left, top);
    }
}

uint64_t EditPictureKey(const HudState& hud, const InputSample& in, int hudTop, const World& world) {
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
    for (size_t i = 0; i < world.BombList.size(); ++i) {
        const cBomb& b = *world.BombList[i];
        add(b.x.raw);
        add(b.y.raw);
        add(b.Count);
        add(world.BombPlaced[i]);
        if (&b == world.SelectedBomb) selected = static_cast<int>(i);
    }
    add(selected);
    return h == 0 ? 1 : h;
}

int HudTopFor(int bufferHeight, int hudHeight, bool editMode) {
    return editMode ? bufferHeight - hudHeight : bufferHeight - hudHeight / 2;
}

void DrawEditOverlays(Picture* target, const HudState& hud, const InputSample& in, const World& world) {
    for (const cBomb* bomb : world.BombList) {
        if (!BombUnderCursor(*bomb, in.mouseX, in.mouseY)) continue;
        const int X = bomb->x.Whole();
        const int Y = bomb->y.Whole();
        DrawOutline(target, X - 16, Y - 16, X + 16, Y + 16, White());
    }
    if (!world.SelectedBomb) return;
    const int X = world.SelectedBomb->x.Whole();
    const int Y = world.SelectedBomb->y.Whole();
    if (hud.fuseDrag && hud.dragActive) DrawStraightLine(target, X, Y, in.mouseX, in.mouseY, White());
    DrawOutline(target, X - 15, Y - 15, X + 15, Y + 15, PictureColour(0, 255, 0));
}

FuseReadout FuseReadoutFor(int count) {
    const int q = ShownQuarters(count);
    if (q == 0) return {1, {{0, kReadoutX}, {}}};
    if (q < 4) return {1, {{kFirstQuarterGlyph + q, kReadoutX}, {}}};
    if (q % 4 == 0) return {1, {{q / 4, kReadoutX}, {}}};
    return {2, {{q / 4, kSecondsX}, {kFirstQuarterGlyph + q % 4, kQuartersX}}};
}

void DrawFuseReadout(Picture* target, const Assets& assets, int left, int top, int count) {
    const FuseReadout readout = FuseReadoutFor(count);
    for (int i = 0; i < readout.count; ++i)
        if (Picture* glyph = assets.timeGlyphs[readout.glyphs[i].glyph])
            DrawMaskedSprite(target, glyph, left + readout.glyphs[i].x - readout.glyphs[0].x, top);
}

int FuseReadoutWidth(int count) {
    const FuseReadout readout = FuseReadoutFor(count);
    return readout.glyphs[readout.count - 1].x - readout.glyphs[0].x + kGlyphWidth;
}

void DrawFuseAbove(Picture* target, const Assets& assets, int x, int y, int count) {
    const int width = FuseReadoutWidth(count);
    const int left = x - width / 2, top = y - kBombHalf - kGlyphHeight - 3;
    ShadeBox(target, left - 2, top - 1, left + width + 1, top + kGlyphHeight, PictureColour(10, 14, 30), 170);
    DrawFuseReadout(target, assets, left, top, count);
}

int SliderKnobX(int count) { return 2 * ShownQuarters(count) + 381; }

void DrawHud(Picture* target, const Assets& assets, int hudTop, const World& world) {
    Picture* hud = assets.hud.get();
    CopyPicture(hud, target, 0, 0, 0, hudTop, PictureWidth(hud), PictureHeight(hud));
    // Every bomb keeps its slot's x, so a placed bomb leaves its slot empty.
    for (size_t i = 0; i < world.BombList.size(); ++i) {
        if (!world.BombPlaced[i])
            DrawMaskedSprite(target, assets.redBomb.get(), 108 + 40 * static_cast<int>(i), hudTop + 12);
    }
    if (!world.SelectedBomb) return;
    const int count = world.SelectedBomb->Count;
    const FuseReadout readout = FuseReadoutFor(count);
    for (int i = 0; i < readout.count; ++i)
        DrawMaskedSprite(target, assets.timeGlyphs[readout.glyphs[i].glyph], readout.glyphs[i].x, hudTop + 12);
    DrawMaskedSprite(target, assets.slider.get(), SliderKnobX(count), hudTop + 13);
}

void DrawBanner(Picture* target, Picture* banner) {
    DrawMaskedSprite(target, banner, (PictureWidth(target) - PictureWidth(banner)) >> 1,
                     (PictureHeight(target) - PictureHeight(banner)) >> 1);
}

void DrawCursor(Picture* target, Picture* cursor, int x, int y, bool editMode) {
    if (editMode)
        DrawMaskedSprite(target, cursor, x, y);
    else
        DrawAdditiveSprite(target, cursor, x, y);
}
