#include "sim/player.h"

#include "sim/sin_table.h"
#include "sim/world.h"

namespace {
constexpr Fixed kGravityStep = Fixed::Raw(24);
constexpr Fixed kFallSpeed = Fixed::Raw(1536);
constexpr int32_t kFastSquared = 49;  // 7 pixels per frame, squared
constexpr int kExitFrames = 120;
}  // namespace

cPlayer::cPlayer(short x, short y, int id) : HomeX(x), HomeY(static_cast<short>(y + 4)), Id(id) {
    box = {-12, -12, 24, 24};
    Fast = false;
    Reset();
}

void cPlayer::Reset() {
    x = Fixed::FromInt(HomeX);
    y = Fixed::FromInt(HomeY);
    Velocity = {};
    TargetVelocity = {};
    Resting = Landed = SoftLanding = Blasted = Aware = false;
    Angle = 0;
    PuffTime = 0;
    ExitTime = kExitFrames;
    ScreamDelay = 0;
    // Fast is left alone: the next Step recomputes it.
}

void cPlayer::Step(World& w) {
    Fixed& vx = Velocity.x;
    Fixed& vy = Velocity.y;
    const Fixed friction = Fixed::Raw(Resting ? 24 : 1);

    if (ScreamDelay > 0) {
        ScreamDelay -= 1;
        if (ScreamDelay == 1) w.Sounds.Play(Scream((w.Rand.Next() >> 5) & 15), kVoiceRate);
    }

    const int32_t s = SquaredSpeed(Velocity).raw >> 8;
    Fast = s > kFastSquared;
    Angle = vx.raw > 0 ? WrapAdd(Angle, s) : WrapSub(Angle, s);  // spins faster the faster it flies

    x += vx;
    y += vy;

    TargetVelocity.y = Resting ? Fixed() : kFallSpeed;
    if (vy.Whole() > 3) SoftLanding = false;  // a real fall re-arms the bounce

    if (vx < Fixed()) {
        vx += friction;
        if (vx > Fixed()) vx = Fixed();
    } else if (vx > Fixed()) {
        vx -= friction;
        if (vx < Fixed()) vx = Fixed();
    }

    // No clamp at the target: a speed near it alternates around it.
    if (vy < TargetVelocity.y)
        vy += kGravityStep;
    else if (vy > TargetVelocity.y)
        vy -= kGravityStep;
}

void cPlayer::SpawnPuffs(World& w) {
    PuffTime -= 1;
    const int t = PuffTime;
    const int d = Cos(t * 256) >> 12;
    const int count = Fast ? 7 : 3;
    const int spreadX = Fast ? 11 : 12;
    const int spreadY = Fast ? 11 : 13;
    for (int i = 0; i < count; ++i) {
        Particle p;
        p.x = Fixed::FromInt(WrapAdd(x.Whole(), Cos(t * 512 + i * 256) >> spreadX));
        p.y = Fixed::FromInt(WrapAdd(y.Whole(), Sin(t * 128 + i * 512) >> spreadY));
        p.vx = Fixed::Raw(Cos(t * 256 + i * 256) >> 9);
        p.vy = Fixed::Raw(-512 - (Cos(t * 128 + i * 64) >> 9));
        p.life = d * 4 + 64;
        p.delay = p.countdown = d + 17;
        p.strip = Strip::Flare;
        p.additive = true;
        SpawnParticle(w.ParticlePool, p);
    }
}

// The puffs trail the hamster in the frames it is drawn: a run that draws
// nothing has none, and they never touch the play.
void cPlayer::Draw(World& w, ObjectPainter& painter, int dx, int dy) {
    if (PuffTime > 0) SpawnPuffs(w);
    painter.DrawHamster(*this, dx, dy);
}
