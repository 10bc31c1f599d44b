#pragma once
// The objects drawn as on every platform, heard through the page's Web Audio.
#include "game/drawn_presentation.h"

class WebPresentation final : public DrawnPresentation {
public:
    void PlaySample(SAMPLE* sample, int frequency, bool loop) override;
    void StopSample(SAMPLE* sample) override;
};
