#include "features/hints.h"

#include <algorithm>
#include <cstdio>

#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_draw.h"
#include "sim/fuse.h"
#include "sim/world.h"

namespace {
// Less than this left of the budget is no time for a second search.
constexpr double kShortestSearch = 0.5;
}

void Hints::Reset() {
    solve_->Cancel();
    searching_ = false;
    used_ = false;
    solution_.clear();
    forgiveness_ = Forgiveness{};
    first_ = shown_ = 0;
    noticeFrames_ = 0;
    records_ = nullptr;
}

void Hints::Notice(const char* text) {
    notice_ = text;
    noticeFrames_ = 180;  // three seconds
}

double Hints::SecondsAsked() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - asked_).count();
}

bool Hints::StartSearch(const std::vector<BombPlacement>& prefix) {
    const double left = budget_ - SecondsAsked();
    if (left < kShortestSearch) return false;
    prefix_ = prefix;
    searching_ = solve_->Start(records_, HintSettings(left, prefix));
    return searching_;
}

namespace {

// The player has put a bomb where the solution has none: a hand a pixel or
// two off, or a plan of its own.
bool WentElsewhere(const std::vector<BombPlacement>& placed, const std::vector<BombPlacement>& solution) {
    for (const BombPlacement& p : placed) {
        bool there = false;
        for (const BombPlacement& s : solution)
            there = there || (s.slot == p.slot && s.x == p.x && s.y == p.y && LimitedFuse(s.fuse) == LimitedFuse(p.fuse));
        if (!there) return true;
    }
    return false;
}

}  // namespace

void Hints::Ask(const LevelRecord* records, const std::vector<BombPlacement>& placed) {
    if (searching_) return;
    // Where the player's bombs left the solution, the rest is searched
    // again from where they stand: the ghosts to come fit the bombs placed.
    if (records == records_ && !solution_.empty() && !WentElsewhere(placed, solution_)) {
        if (first_ + shown_ < solution_.size())
            ++shown_;
        else
            Notice("that is the whole solution");
        return;
    }
    records_ = records;
    solution_.clear();
    forgiveness_ = Forgiveness{};
    first_ = shown_ = 0;
    noticeFrames_ = 0;
    asked_ = std::chrono::steady_clock::now();
    if (!StartSearch(placed)) Notice("no hint: the search cannot start");
}

void Hints::Poll() {
    if (noticeFrames_ > 0) --noticeFrames_;
    if (!searching_) return;
    const SolveSearch::State state = solve_->Poll();
    if (state == SolveSearch::State::Running) return;
    searching_ = false;
    const bool found = state == SolveSearch::State::Done && !solve_->Report().solutions.empty();
    if (found) {
        const Solution& best = solve_->Report().solutions.front();
        solution_ = best.bombs;
        forgiveness_ = best.forgiveness;
        first_ = std::min(prefix_.size(), solution_.size());
        shown_ = first_ < solution_.size() ? 1 : 0;
        used_ = used_ || shown_ > 0;
        solve_->Cancel();
        return;
    }
    // None with the player's bombs kept: from the inventory alone, in the
    // time the hint has left.
    if (!prefix_.empty() && StartSearch({})) return;
    solve_->Cancel();
    Notice("no hint found");
}

std::span<const BombPlacement> Hints::Ghosts() const {
    if (first_ + shown_ > solution_.size()) return {};
    return std::span<const BombPlacement>(solution_).subspan(first_, shown_);
}

const BombPlacement* Hints::GhostAt(int x, int y) const {
    const BombPlacement* hit = nullptr;
    // As for the bombs themselves, the last one under the point wins.
    for (const BombPlacement& g : Ghosts())
        if (x >= g.x - kBombHalf && x < g.x + kBombHalf && y >= g.y - kBombHalf && y < g.y + kBombHalf) hit = &g;
    return hit;
}

void Hints::StatusText(char* out, size_t size) const {
    if (searching_)
        std::snprintf(out, size, "searching for a hint... %d s", static_cast<int>(SecondsAsked()));
    else
        std::snprintf(out, size, "%s", noticeFrames_ > 0 ? notice_ : "");
}

std::string Hints::Status() const {
    char text[64];
    StatusText(text, sizeof text);
    return text;
}

namespace {

// The player's bomb of the ghost's slot stands exactly as the ghost says.
bool Followed(const World& world, const BombPlacement& g) {
    const size_t k = static_cast<size_t>(g.slot);
    if (k >= world.BombList.size() || !world.BombPlaced[k]) return false;
    const cBomb& b = *world.BombList[k];
    return b.HomeX == g.x && b.HomeY == g.y && b.Fuse == LimitedFuse(g.fuse);
}

}  // namespace

void Hints::Draw(Picture* target, const Assets& assets, int hudTop, const World& world) const {
    constexpr int kGhostAlpha = 120;
    const std::span<const BombPlacement> ghosts = world.EditMode ? Ghosts() : std::span<const BombPlacement>{};
    if (Picture* bomb = assets.redBomb.get()) {
        for (const BombPlacement& g : ghosts) {
            if (Followed(world, g)) continue;
            DrawShadedSprite(target, bomb, g.x - PictureWidth(bomb) / 2, g.y - PictureHeight(bomb) / 2, kGhostAlpha);
            // The fuse as the HUD reads it out, beside the ghost.
            const FuseReadout readout = FuseReadoutFor(LimitedFuse(g.fuse));
            for (int i = 0; i < readout.count; ++i)
                if (Picture* glyph = assets.timeGlyphs[readout.glyphs[i].glyph])
                    DrawShadedSprite(target, glyph, g.x + kBombHalf + 2 + readout.glyphs[i].x - readout.glyphs[0].x,
                                     g.y - kGlyphHeight / 2, kGhostAlpha);
        }
    }
    char status[64];
    StatusText(status, sizeof status);
    if (status[0] != '\0') {
        const int w = TextWidth(status) + 8;
        FillBox(target, 4, hudTop - 16, 4 + w, hudTop - 3, PictureColour(10, 14, 30));
        WriteText(target, status, 8, hudTop - 13, PictureColour(255, 255, 255));
    }
}
