#pragma once
// The play-field's objects drawn as on every platform, and heard through
// Allegro, with the shared pictures and samples the start-up loaded.
#include "game/drawn_presentation.h"

class AllegroPresentation final : public DrawnPresentation {
public:
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
