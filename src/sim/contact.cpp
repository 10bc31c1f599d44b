// The hamster's collision: a broad phase over every object and one integer
// rule per kind of contact. These rules are the feel of the game.

#include <cmath>

#include "sim/bomb.h"
#include "sim/player.h"
#include "sim/sin_table.h"
#include "sim/world.h"

namespace {

constexpr int kReach = kBlastRadius + 16;  // explosions and lit fuses act within 80 pixels

bool IsHamster(int kind) { return kind == KIND_HAMSTER || kind == KIND_HAMSTER_FAST; }

// Half speed, whole pixels per frame, direction reversed: the bounce.
Fixed HalfBounce(Fixed v) { return Fixed::Raw(WrapNeg(WrapMul(v.raw >> 9, 256))); }

void SpawnFootDust(World& w, const cPlayer& p) {
    for (int i = 0; i < 5; ++i) {
        Particle d;
        d.x = Fixed::FromInt(WrapAdd(p.x.Whole(), Cos(i * 256) >> 11));
        d.y = p.y.Floor() + Fixed::Raw(4608);  // 18 pixels below the centre
        d.vy = Fixed::Raw(-64 - (Cos(i * 64) >> 9));
        d.life = 32;
        d.delay = d.countdown = 9;
        d.strip = Strip::Dust;
        d.additive = true;
        SpawnParticle(w.ParticlePool, d);
    }
}

}  // namespace

void cPlayer::Collide(World& w) {
    // The size is read at every index, as the list could change under a contact.
    const std::vector<cObject*>& objects = w.ObjectList;
    if (!Resting) {
        // Tested where the hamster will be after this frame's move.
        for (size_t i = 0; i < objects.size(); ++i) {
            cObject* o = objects[i];
            if (o && Overlaps(WorldBoxAt(x + Velocity.x, y + Velocity.y), o->WorldBox())) Contact(w, o);
        }
        return;
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        cObject* o = objects[i];
        // Cleared before every object: the hamster stays resting only if the
        // last contact of the pass sets it again.
        Resting = false;
        const Box under{static_cast<short>(x.Whole() + box.x), static_cast<short>(y.Whole() + box.y + box.h), box.w,
                        3};
        if (o && Overlaps(under, o->WorldBox())) Contact(w, o);
    }
}

void cPlayer::Contact(World& w, cObject* other) {
    const int kind = other->Kind();
    switch (kind) {
        case KIND_BOMB:
            return;
        case KIND_BRICK:
            if (Fast) {
                other->Hit(w, this);
                return;
            }
            break;
        case KIND_BLAST:
            BlastImpulse(other);
            return;
        case KIND_EXIT:
            if (ExitTime > 0)
                ExitTime -= 1;
            else if (Id >= 0 && Id < 32)
                w.ExitMask |= 1u << Id;
            return;
        case KIND_FUSE_LIT:
            Notice(w, other);
            return;
        default:
            break;
    }
    SolidContact(w, other, kind);
}

void cPlayer::SolidContact(World& w, cObject* other, int kind) {
    if (other == this) return;
    Fixed& vx = Velocity.x;
    Fixed& vy = Velocity.y;
    const Box otherBox = other->WorldBox();

    if (Overlaps(WorldBoxAt(x + vx, y), otherBox)) {
        if (!IsHamster(kind)) {
            // Snap beside the other object, whole pixels; centres one
            // half-width sum apart.
            const int half = (other->box.w + box.w) >> 1;
            x = Fixed::FromInt(vx >= Fixed() ? other->x.Whole() - half : other->x.Whole() + half);
        }
        const int32_t q = TruncDiv(WrapMul(vx.raw, 256), 512) & ~0xFF;
        vx = Fixed::Raw(WrapNeg(q));
    }

    if (!Overlaps(WorldBoxAt(x + vx, y + vy), otherBox)) return;
    if (vx != Fixed()) SpawnFootDust(w, *this);

    const int halfHeights = (other->box.h + box.h) >> 1;
    if (vy < Fixed()) {
        if (!Overlaps(WorldBoxAt(x, y + vy), otherBox)) return;
        vy = HalfBounce(vy);
        if (!IsHamster(kind)) y = Fixed::FromInt(other->y.Whole() + halfHeights);  // just under it
        return;
    }
    if (!SoftLanding) {
        if (vy.Whole() <= 2) SoftLanding = true;
        vy = HalfBounce(vy);
    } else {
        Landed = true;
        Resting = true;
        vy = Fixed();
    }
    if (!IsHamster(kind)) y = Fixed::FromInt(other->y.Whole() - halfHeights);  // standing on it
}

namespace {
// Whole-pixel offset from o to p, in 64 bits so far-apart objects cannot overflow.
struct Offset {
    int64_t dx, dy;
    int64_t Squared() const { return dx * dx + dy * dy; }
};
Offset OffsetBetween(const cObject& p, const cObject& o) {
    return {int64_t{p.x.Whole()} - o.x.Whole(), int64_t{p.y.Whole()} - o.y.Whole()};
}
}  // namespace

void cPlayer::BlastImpulse(cObject* other) {
    Offset d = OffsetBetween(*this, *other);
    if (d.Squared() > kReach * kReach) return;
    SoftLanding = false;
    Landed = false;
    Blasted = true;
    ScreamDelay = 3;
    PuffTime = 480;

    int64_t dist;
    if (d.dx == 0 && d.dy == 0) {
        dist = 1;
        d.dx = 1;  // a blast at the very centre pushes to the right
    } else {
        dist = static_cast<int64_t>(RoundUp(std::sqrt(static_cast<double>(d.Squared()))));
    }
    const int32_t nx = static_cast<int32_t>(d.dx * 256 / dist);
    const int32_t ny = static_cast<int32_t>(d.dy * 256 / dist);
    const int32_t strength = static_cast<int32_t>(kReach - dist);  // falls off linearly
    Velocity.x += Fixed::Raw(WrapMul(nx, strength) >> 2);
    Velocity.y += Fixed::Raw(WrapMul(ny, strength) >> 2);
    if ((SquaredSpeed(Velocity).raw >> 8) > 49) Fast = true;
}

void cPlayer::Notice(World& w, cObject* other) {
    if (OffsetBetween(*this, *other).Squared() > kReach * kReach) return;
    if (!Aware && !Blasted) w.Sounds.Play(((w.Rand.Next() >> 5) & 1) == 0 ? SoundId::Huh01 : SoundId::Huh02, kVoiceRate);
    Aware = true;
}
