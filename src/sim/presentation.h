#pragma once
// What the play-field's objects ask of the layer that shows them. The objects
// decide when a picture is drawn or a sound starts; an installed presentation
// decides how. None is installed by default: objects are then invisible and
// silent, and the simulation calls nothing outside itself. The tools, the
// tests and a solver forked from the live game run that way.
struct BITMAP;
struct SAMPLE;
class cBlock;
class cBrick;
class cExit;
class cBomb;
class cFixedBomb;
class cPlayer;

class Presentation {
public:
    virtual void DrawBlock(BITMAP* target, const cBlock& block, int dx, int dy) = 0;
    virtual void DrawBrick(BITMAP* target, const cBrick& brick, int dx, int dy) = 0;
    virtual void DrawExit(BITMAP* target, const cExit& exit, int dx, int dy) = 0;
    virtual void DrawBomb(BITMAP* target, const cBomb& bomb, int dx, int dy) = 0;
    virtual void DrawFixedBomb(BITMAP* target, const cFixedBomb& bomb, int dx, int dy) = 0;
    virtual void DrawHamster(BITMAP* target, const cPlayer& hamster, int dx, int dy) = 0;
    // Full volume, centred; frequency 1000 is the sample's own rate.
    virtual void PlaySample(SAMPLE* sample, int frequency, bool loop) = 0;
    virtual void StopSample(SAMPLE* sample) = 0;

protected:
    ~Presentation() = default;
};

// Null (the default) is invisible and silent.
extern Presentation* ActivePresentation;

constexpr int kOwnRate = 1000;    // play at the sample's own rate
constexpr int kVoiceRate = 1200;  // screams and gasps, a little higher

// Every sample the simulation starts or stops goes through these, so tests
// can hear what would have played without a sound card.
void PlaySample(SAMPLE* sample, int frequency, bool loop = false);
void StopSample(SAMPLE* sample);

using SampleObserver = void (*)(SAMPLE* sample);
extern SampleObserver OnSamplePlayed;
