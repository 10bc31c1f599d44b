#include "sim/trace.h"

#include <cstdio>

#include "sim/player.h"

std::string TraceLine(int frame, const cPlayer& h) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "frame=%d id=%d x=%d y=%d vx=%d vy=%d resting=%d landed=%d soft=%d fast=%d blasted=%d aware=%d "
                  "exit=%d",
                  frame, h.Id, static_cast<int>(h.x.raw), static_cast<int>(h.y.raw),
                  static_cast<int>(h.Velocity.x.raw), static_cast<int>(h.Velocity.y.raw), h.Resting ? 1 : 0,
                  h.Landed ? 1 : 0, h.SoftLanding ? 1 : 0, h.Fast ? 1 : 0, h.Blasted ? 1 : 0, h.Aware ? 1 : 0,
                  h.ExitTime);
    return line;
}

std::string CompleteLine(int frame) { return "complete frame=" + std::to_string(frame); }
std::string IncompleteLine(int frames) { return "incomplete frames=" + std::to_string(frames); }

uint64_t HashText(std::string_view text) {
    Fnv1a64 h;
    h.Add(text);
    return h.Value();
}

std::string HashHex(uint64_t hash) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}
