#pragma once
// What a long session must keep true: the particle ring inside its 800 slots
// with every live particle's pictures inside its strip, the world lists in
// step, and a heap that stops growing.
#include <cstddef>
#include <string>

class World;

// Empty when everything holds; otherwise what broke.
std::string CheckParticles(const World& world);
std::string CheckWorld(const World& world);

// Bytes of heap in use now, by the allocator in use (the sanitizer's own
// under AddressSanitizer).
size_t HeapInUse();
