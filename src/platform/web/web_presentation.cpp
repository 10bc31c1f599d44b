#include "platform/web/web_presentation.h"

#include "platform/web/page_calls.h"
#include "platform/web/web_media.h"

// Full volume and centred, as the native game plays every sample.
void WebPresentation::PlaySample(SAMPLE* sample, int frequency, bool loop) {
    if (sample) PagePlaySound(sample->id, 256, 128, frequency, loop);
}

void WebPresentation::StopSample(SAMPLE* sample) {
    if (sample) PageStopSound(sample->id);
}
