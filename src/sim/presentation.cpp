#include "sim/presentation.h"

Presentation* ActivePresentation = nullptr;
SampleObserver OnSamplePlayed = nullptr;

void PlaySample(SAMPLE* sample, int frequency, bool loop) {
    if (OnSamplePlayed) OnSamplePlayed(sample);
    if (ActivePresentation) ActivePresentation->PlaySample(sample, frequency, loop);
}

void StopSample(SAMPLE* sample) {
    if (ActivePresentation) ActivePresentation->StopSample(sample);
}
