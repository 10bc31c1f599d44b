#pragma once
// The play-field's objects drawn with the shared pictures the start-up
// loaded, through the drawing calls of drawing.h: the same on every
// platform. Each platform adds how a sample is heard.
#include "sim/presentation.h"

class DrawnPresentation : public Presentation {
public:
    void DrawBlock(BITMAP* target, const cBlock& block, int dx, int dy) override;
    void DrawBrick(BITMAP* target, const cBrick& brick, int dx, int dy) override;
    void DrawExit(BITMAP* target, const cExit& exit, int dx, int dy) override;
    void DrawBomb(BITMAP* target, const cBomb& bomb, int dx, int dy) override;
    void DrawFixedBomb(BITMAP* target, const cFixedBomb& bomb, int dx, int dy) override;
    void DrawHamster(BITMAP* target, const cPlayer& hamster, int dx, int dy) override;

protected:
    ~DrawnPresentation() = default;
};
