#pragma once
// Every sample the game starts goes through here: full volume, centred. The
// observer lets tests hear what would have played without a sound card.
struct SAMPLE;

constexpr int kOwnRate = 1000;     // play at the sample's own rate
constexpr int kVoiceRate = 1200;   // screams and gasps, a little higher

void PlaySample(SAMPLE* sample, int frequency, bool loop = false);

using SampleObserver = void (*)(SAMPLE* sample);
extern SampleObserver OnSamplePlayed;
