#pragma once
// The play-field's objects drawn and heard through Allegro, with the shared
// pictures and samples the start-up loaded.
#include "objects/presentation.h"

class AllegroPresentation final : public Presentation {
public:
    void DrawBlock(BITMAP* target, const cBlock& block, int dx, int dy) override;
    void DrawBrick(BITMAP* target, const cBrick& brick, int dx, int dy) override;
    void DrawExit(BITMAP* target, const cExit& exit, int dx, int dy) override;
    void DrawBomb(BITMAP* target, const cBomb& bomb, int dx, int dy) override;
    void DrawFixedBomb(BITMAP* target, const cFixedBomb& bomb, int dx, int dy) override;
    void DrawHamster(BITMAP* target, const cPlayer& hamster, int dx, int dy) override;
    void PlaySample(SAMPLE* sample, int frequency, bool loop) override;
    void StopSample(SAMPLE* sample) override;
};

// Installs one for as long as it lives, and puts back what was there before.
class ScopedAllegroPresentation {
public:
    ScopedAllegroPresentation() : previous_(ActivePresentation) { ActivePresentation = &presentation_; }
    ~ScopedAllegroPresentation() { ActivePresentation = previous_; }
    ScopedAllegroPresentation(const ScopedAllegroPresentation&) = delete;
    ScopedAllegroPresentation& operator=(const ScopedAllegroPresentation&) = delete;

private:
    AllegroPresentation presentation_;
    Presentation* previous_;
};
