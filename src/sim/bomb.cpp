#include "sim/bomb.h"

#include "sim/fuse.h"
#include "sim/sin_table.h"
#include "sim/world.h"

namespace {

constexpr Box kBombBox{-12, -12, 24, 24};
constexpr Box kReachBox{-kBlastRadius, -kBlastRadius, 2 * kBlastRadius, 2 * kBlastRadius};
constexpr int kFuseLitCount = 59;  // the hamster notices the bomb in this frame
constexpr int kBlastCount = 1;     // the hamster is thrown in this frame
constexpr int kBangCount = 5;

void SpawnSpark(World& w, const cObject& bomb, int n) {
    Particle p;
    p.x = bomb.x.Floor() - Fixed::Raw(1536);  // the fuse's end: 6 left, 8 up
    p.y = bomb.y.Floor() - Fixed::Raw(2048);
    p.vx = Fixed::Raw(Cos(WrapMul(n, 516)) >> 10);
    p.vy = Fixed::Raw((Sin(WrapMul(n, 256)) >> 10) - 640);
    p.life = 20;
    p.delay = p.countdown = 7;
    p.strip = Strip::Flare;
    p.picture = 1;  // sparks skip the largest flare
    p.additive = true;
    SpawnParticle(w.ParticlePool, p);
}

void SpawnBurst(World& w, const cObject& bomb, int n) {
    for (int i = 0; i < 32; ++i) {
        const int a = i * 64 + n * 16;  // the ring turns a little every frame
        Particle p;
        p.x = bomb.x.Floor();
        p.y = bomb.y.Floor();
        p.vx = Fixed::Raw((Cos(a) * (8 - n)) >> 7);
        p.vy = Fixed::Raw((Sin(a) * (8 - n)) >> 7);
        p.life = n * 4 + 32;
        p.delay = p.countdown = n + 9;
        p.strip = Strip::Flare;
        p.additive = true;
        SpawnParticle(w.ParticlePool, p);
    }
}

// One frame of the fuse, shared by both kinds of bomb. spent is where a
// spent bomb is parked, in whole pixels on both axes.
template <class Bomb>
void BurnFuse(World& w, Bomb& b, short spent) {
    if (b.Count == 0) {
        b.Radius = 0;
        b.x = b.y = Fixed::FromInt(spent);
        return;
    }
    b.Count -= 1;
    const int n = b.Count;
    const bool onField = b.x.Whole() != kInventoryHome;
    if (n <= kFuseLitCount) {
        if (onField) w.FuseBurning = true;
        SpawnSpark(w, b, n);
    }
    if (n == kBlastCount || n == kFuseLitCount) {
        b.Radius = kBlastRadius;
        b.box = kReachBox;  // lets the hamster's broad phase find the bomb
    } else {
        b.box = kBombBox;
        b.Radius = 0;
    }
    if (n == kBangCount && onField) w.Sounds.Play(SoundId::Explode, kOwnRate);
    if (n <= 4) SpawnBurst(w, b, n);
}

template <class Bomb>
void ResetBomb(Bomb& b) {
    b.x = Fixed::FromInt(b.HomeX);
    b.y = Fixed::FromInt(b.HomeY);
    b.box = kBombBox;
    b.Radius = 0;
    b.Count = b.Fuse;
}

template <class Bomb>
int BombKind(const Bomb& b) {
    if (b.Radius == 0) return KIND_BOMB;
    return b.Count == kFuseLitCount ? KIND_FUSE_LIT : KIND_BLAST;
}

}  // namespace

cBomb::cBomb() : HomeX(kInventoryHome), HomeY(kInventoryHome), Radius(0), Count(0), Fuse(kInventoryFuse) {
    ResetBomb(*this);
}

void cBomb::Step(World& w) { BurnFuse(w, *this, kInventoryHome); }

void cBomb::Draw(World&, ObjectPainter& painter, int dx, int dy) {
    if (Count != 0) painter.DrawBomb(*this, dx, dy);
}

void cBomb::Reset() { ResetBomb(*this); }

int cBomb::Kind() { return BombKind(*this); }

cFixedBomb::cFixedBomb(short x, short y, short param)
    : HomeX(x), HomeY(y), Radius(0), Count(0), Fuse(FixedBombFuse(param)) {
    ResetBomb(*this);
}

void cFixedBomb::Step(World& w) { BurnFuse(w, *this, -256); }

void cFixedBomb::Draw(World&, ObjectPainter& painter, int dx, int dy) {
    if (Count != 0) painter.DrawFixedBomb(*this, dx, dy);
}

void cFixedBomb::Reset() { ResetBomb(*this); }

int cFixedBomb::Kind() { return BombKind(*this); }
