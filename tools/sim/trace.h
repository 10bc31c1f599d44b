#pragma once
// The per-frame trace of the hamsters and the one number that sums it up, so
// that two runs, two builds or two compilers can be compared at a glance.
#include <cstdint>
#include <string>
#include <string_view>

class cPlayer;

// "frame=F id=I x=X y=Y vx=VX vy=VY resting=. landed=. soft=. fast=. blasted=. aware=. exit=E"
// with raw fixed-point numbers; no newline.
std::string TraceLine(int frame, const cPlayer& hamster);

// The last line of a run.
std::string CompleteLine(int frame);
std::string IncompleteLine(int frames);

// FNV-1a, 64 bits: small, stable across machines and easy to redo elsewhere.
class Fnv1a64 {
public:
    static constexpr uint64_t kOffset = 0xcbf29ce484222325ull;
    static constexpr uint64_t kPrime = 0x100000001b3ull;

    void Add(std::string_view text) {
        for (unsigned char c : text) {
            hash_ ^= c;
            hash_ *= kPrime;
        }
    }
    uint64_t Value() const { return hash_; }

private:
    uint64_t hash_ = kOffset;
};

uint64_t HashText(std::string_view text);
// Sixteen lower-case hex digits.
std::string HashHex(uint64_t hash);
