#pragma once
// The still objects: solid blocks, breakable bricks and exit areas.
#include "sim/object.h"

class cBlock : public cObject {
public:
    cBlock(short x, short y);
    void Draw(World& world, ObjectPainter& painter, int dx, int dy) override;
    void Reset() override;
    int Kind() override { return KIND_BLOCK; }

    short HomeX, HomeY;  // centre, whole pixels
};

class cBrick : public cObject {
public:
    cBrick(short x, short y);
    void Draw(World& world, ObjectPainter& painter, int dx, int dy) override;
    void Reset() override;
    int Kind() override { return KIND_BRICK; }
    // Breaks under a blast or a fast hamster: fragments and dust fly, and the
    // brick is parked far off the play-field until Reset.
    void Hit(World& world, cObject* by) override;

    short HomeX, HomeY;
};

class cExit : public cObject {
public:
    cExit(short x, short y, short w, short h);
    void Draw(World& world, ObjectPainter& painter, int dx, int dy) override;
    void Reset() override;
    int Kind() override { return KIND_EXIT; }

    short HomeX, HomeY;  // top-left corner, whole pixels
};
