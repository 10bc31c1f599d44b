#pragma once
// The hamster: the one object that moves under physics.
#include "sim/object.h"

class cPlayer : public cObject {
public:
    // Built at the record's (x, y): the box sits four pixels lower.
    cPlayer(short x, short y, int id);
    void Step(World& world) override;
    void Draw(World& world, ObjectPainter& painter, int dx, int dy) override;
    void Reset() override;
    int Kind() override { return Fast ? KIND_HAMSTER_FAST : KIND_HAMSTER; }
    void Collide(World& world) override;
    void Contact(World& world, cObject* other);

    short HomeX, HomeY;
    int Id;
    Point2d<Fixed> Velocity;
    Point2d<Fixed> TargetVelocity;
    bool Resting = false;
    bool Landed = false;
    bool SoftLanding = false;
    bool Fast = false;
    bool Blasted = false;
    bool Aware = false;
    int PuffTime = 0;
    int ExitTime = 0;
    int ScreamDelay = 0;
    int Angle = 0;

private:
    void SolidContact(World& world, cObject* other, int kind);
    void BlastImpulse(cObject* other);
    void Notice(World& world, cObject* other);
    void SpawnPuffs(World& world);
};
