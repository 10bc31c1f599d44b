#pragma once
// The base of every play-field object and the kind codes through which
// objects recognise each other (never through type tests).
#include "sim/fixed.h"
#include "sim/geometry.h"

class World;
class cBlock;
class cBrick;
class cExit;
class cBomb;
class cFixedBomb;
class cPlayer;

enum ObjectKind {
    KIND_BLOCK = 1,
    KIND_BRICK = 2,
    KIND_HAMSTER = 3,
    KIND_BOMB = 4,
    KIND_BLAST = 6,
    KIND_EXIT = 7,
    KIND_HAMSTER_FAST = 8,
    KIND_FUSE_LIT = 9,
};

// What the objects ask of whoever shows them: the object decides that it is
// drawn, the painter how (with which picture, onto what).
class ObjectPainter {
public:
    virtual void DrawBlock(const cBlock& block, int dx, int dy) = 0;
    virtual void DrawBrick(const cBrick& brick, int dx, int dy) = 0;
    virtual void DrawExit(const cExit& exit, int dx, int dy) = 0;
    virtual void DrawBomb(const cBomb& bomb, int dx, int dy) = 0;
    virtual void DrawFixedBomb(const cFixedBomb& bomb, int dx, int dy) = 0;
    virtual void DrawHamster(const cPlayer& hamster, int dx, int dy) = 0;

protected:
    ~ObjectPainter() = default;
};

// Every operation is handed the world the object lives in: the other
// objects, the frame's flags and masks, the particles, the sounds.
class cObject : public Obj2d<Fixed, short> {
public:
    virtual void Step(World& world) { (void)world; }
    virtual void Draw(World& world, ObjectPainter& painter, int dx, int dy) = 0;
    virtual void Reset() = 0;
    virtual int Kind() = 0;
    virtual void Hit(World& world, cObject* by) { (void)world, (void)by; }
    virtual void Collide(World& world) { (void)world; }
    virtual ~cObject() = default;
};
