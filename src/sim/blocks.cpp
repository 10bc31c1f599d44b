#include "sim/blocks.h"

#include "sim/sin_table.h"
#include "sim/world.h"

namespace {
constexpr Box kCellBox{-10, -10, 20, 20};
constexpr int32_t kParkOffset = 1024 * 256;  // a broken brick waits this far up and left
}  // namespace

cBlock::cBlock(short x, short y) : HomeX(x), HomeY(y) {
    box = kCellBox;
    Reset();
}

void cBlock::Draw(World&, ObjectPainter& painter, int dx, int dy) { painter.DrawBlock(*this, dx, dy); }

void cBlock::Reset() {
    x = Fixed::FromInt(HomeX);
    y = Fixed::FromInt(HomeY);
}

cBrick::cBrick(short x, short y) : HomeX(x), HomeY(y) {
    box = kCellBox;
    Reset();
}

void cBrick::Draw(World&, ObjectPainter& painter, int dx, int dy) { painter.DrawBrick(*this, dx, dy); }

void cBrick::Reset() {
    x = Fixed::FromInt(HomeX);
    y = Fixed::FromInt(HomeY);
}

void cBrick::Hit(World& w, cObject* by) {
    const int kind = by->Kind();
    if (kind != KIND_BLAST && kind != KIND_HAMSTER_FAST) return;
    const Fixed X = x.Floor();
    const Fixed Y = y.Floor();
    const int32_t yi = y.Whole();
    for (int i = 0; i < 4; ++i) {
        Particle fragment;
        fragment.x = X;
        fragment.y = Y;
        fragment.vx = Fixed::Raw(Cos(WrapAdd(i * 256, WrapMul(yi, 32))) >> 7);
        fragment.vy = Fixed::Raw((-4096 - Sin(i * 64)) >> 3);
        fragment.ay = Fixed::Raw(128);  // the only particles that fall
        fragment.life = 40;
        fragment.delay = fragment.countdown = 11;
        fragment.strip = Strip::Bricks;
        fragment.additive = false;
        SpawnParticle(w.ParticlePool, fragment);

        Particle dust;
        dust.x = X;
        dust.y = Y;
        dust.vx = Fixed::Raw(Cos(i * 256) >> 8);
        dust.vy = Fixed::Raw(Sin(i * 256) >> 8);
        dust.life = 32;
        dust.delay = dust.countdown = 9;
        dust.strip = Strip::Dust;
        dust.additive = true;
        SpawnParticle(w.ParticlePool, dust);
    }
    x -= Fixed::Raw(kParkOffset);
    y -= Fixed::Raw(kParkOffset);
}

cExit::cExit(short x, short y, short w, short h) : HomeX(x), HomeY(y) {
    box = {0, 0, w, h};
    Reset();
}

void cExit::Draw(World&, ObjectPainter& painter, int dx, int dy) { painter.DrawExit(*this, dx, dy); }

void cExit::Reset() {
    x = Fixed::FromInt(HomeX);
    y = Fixed::FromInt(HomeY);
}
