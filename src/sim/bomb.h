#pragma once
// The player's bombs (red, placed from the inventory) and the level's fixed
// bombs (blue). Both count a fuse down once the simulation runs; they differ
// only in picture, construction and where a spent bomb is parked.
#include "sim/object.h"

constexpr short kInventoryHome = -2048;  // where an unplaced bomb waits
constexpr int kBlastRadius = 64;

class cBomb : public cObject {
public:
    cBomb();  // an inventory bomb: off the field, 60-frame fuse
    void Step(World& world) override;
    void Draw(World& world, ObjectPainter& painter, int dx, int dy) override;
    void Reset() override;
    int Kind() override;

    short HomeX, HomeY;  // centre when reset, whole pixels
    int Radius;          // 64 in the fuse-lit and blast frames, else 0
    int Count;           // fuse frames left
    int Fuse;            // fuse length; Reset copies it into Count
};

class cFixedBomb : public cObject {
public:
    // param is the fuse in quarter seconds (FixedBombFuse).
    cFixedBomb(short x, short y, short param);
    void Step(World& world) override;
    void Draw(World& world, ObjectPainter& painter, int dx, int dy) override;
    void Reset() override;
    int Kind() override;

    short HomeX, HomeY;
    int Radius;
    int Count;
    int Fuse;
};
