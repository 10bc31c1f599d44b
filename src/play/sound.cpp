#include "play/sound.h"

#include <allegro.h>

SampleObserver OnSamplePlayed = nullptr;

void PlaySample(SAMPLE* sample, int frequency, bool loop) {
    if (OnSamplePlayed) OnSamplePlayed(sample);
    play_sample(sample, 256, 128, frequency, loop ? 1 : 0);
}
