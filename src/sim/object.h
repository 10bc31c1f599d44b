#pragma once
// The base of every play-field object and the kind codes through which
// objects recognise each other (never through type tests).
#include <vector>

#include "sim/fixed.h"
#include "sim/geometry.h"

struct BITMAP;

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

class cObject : public Obj2d<Fixed, short> {
public:
    virtual void Step() {}
    virtual void Draw(BITMAP* target, int dx, int dy) = 0;
    virtual void Reset() = 0;
    virtual int Kind() = 0;
    virtual void Hit(cObject* by) { (void)by; }
    virtual void Collide(std::vector<cObject*>& objects) { (void)objects; }
    // The world lists delete objects through this base.
    virtual ~cObject() = default;
};
