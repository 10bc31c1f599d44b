#include "platform/allegro/allegro_presentation.h"

#include <allegro.h>

void AllegroPresentation::PlaySample(SAMPLE* sample, int frequency, bool loop) {
    play_sample(sample, 256, 128, frequency, loop ? 1 : 0);
}

void AllegroPresentation::StopSample(SAMPLE* sample) { stop_sample(sample); }
