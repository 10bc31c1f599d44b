#pragma once
// The play-field's objects drawn onto a picture with the loaded pictures,
// through the drawing calls of drawing.h: the same on every platform.
#include "sim/object.h"

struct Assets;
struct Picture;

class ObjectDrawing final : public ObjectPainter {
public:
    ObjectDrawing(Picture* target, const Assets& assets) : target_(target), assets_(assets) {}

    void DrawBlock(const cBlock& block, int dx, int dy) override;
    void DrawBrick(const cBrick& brick, int dx, int dy) override;
    void DrawExit(const cExit& exit, int dx, int dy) override;
    void DrawBomb(const cBomb& bomb, int dx, int dy) override;
    void DrawFixedBomb(const cFixedBomb& bomb, int dx, int dy) override;
    void DrawHamster(const cPlayer& hamster, int dx, int dy) override;

private:
    Picture* target_;
    const Assets& assets_;
};
