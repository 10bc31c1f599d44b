#pragma once
// The sounds the simulation starts, by its own names. A step only notes them
// down; whoever shows the world plays them (or not: the solver and the tools
// never do). The order is the order of the game's sample files.
#include <array>
#include <cstddef>
#include <cstdint>

enum class SoundId : uint8_t {
    Explode,
    Scream01,  // sixteen screams, Scream01 + n
    Huh01 = Scream01 + 16,
    Huh02,
    Hiss,  // the burning fuses' loop, which the frame plays, not the objects
};
constexpr int kScreamCount = 16;
constexpr int kSoundCount = static_cast<int>(SoundId::Hiss) + 1;

constexpr SoundId Scream(int n) { return static_cast<SoundId>(static_cast<int>(SoundId::Scream01) + n); }

constexpr int kOwnRate = 1000;    // played at the sample's own rate
constexpr int kVoiceRate = 1200;  // screams and gasps, a little higher

struct SoundEvent {
    SoundId id = SoundId::Explode;
    int16_t frequency = kOwnRate;
};

// The sounds one step started, in order. A step that starts more than a
// frame can hold keeps the first ones: nobody hears the difference.
struct SoundQueue {
    static constexpr int kCapacity = 32;
    std::array<SoundEvent, kCapacity> events{};
    int count = 0;

    void Play(SoundId id, int frequency) {
        if (count < kCapacity) events[static_cast<size_t>(count++)] = {id, static_cast<int16_t>(frequency)};
    }
    void Clear() { count = 0; }
    const SoundEvent* begin() const { return events.data(); }
    const SoundEvent* end() const { return events.data() + count; }
};
