#include "features/hints.h"

#include <algorithm>
#include <cstdio>

#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_draw.h"

void Hints::Reset() {
    solve_.Cancel();
    searching_ = false;
    used_ = false;
    solution_.clear();
    first_ = shown_ = 0;
    noticeFrames_ = 0;
    records_ = nullptr;
}

void Hints::Notice(const char* text) {
    notice_ = text;
    noticeFrames_ = 180;  // three seconds
}

bool Hints::StartSearch(const std::vector<BombPlacement>& prefix) {
    SolveSettings settings;
    settings.budgetSeconds = budget_;
    settings.shown = 1;
    settings.prefix = prefix;
    prefix_ = prefix;
    searching_ = solve_.Start(records_, settings);
    return searching_;
}

void Hints::Ask(const LevelRecord* records, const std::vector<BombPlacement>& placed) {
    if (searching_) return;
    if (records == records_ && !solution_.empty()) {
        if (first_ + shown_ < solution_.size())
            ++shown_;
        else
            Notice("that is the whole solution");
        return;
    }
    records_ = records;
    solution_.clear();
    first_ = shown_ = 0;
    noticeFrames_ = 0;
    if (!StartSearch(placed)) Notice("no hint: the search cannot start");
}

void Hints::Poll() {
    if (noticeFrames_ > 0) --noticeFrames_;
    if (!searching_) return;
    const BackgroundSolve::State state = solve_.Poll();
    if (state == BackgroundSolve::State::Running) return;
    searching_ = false;
    const bool found = state == BackgroundSolve::State::Done && !solve_.Report().solutions.empty();
    if (found) {
        solution_ = solve_.Report().solutions.front().bombs;
        first_ = std::min(prefix_.size(), solution_.size());
        shown_ = first_ < solution_.size() ? 1 : 0;
        used_ = used_ || shown_ > 0;
        solve_.Cancel();
        return;
    }
    // None with the player's bombs kept: from the inventory alone.
    if (!prefix_.empty() && StartSearch({})) return;
    solve_.Cancel();
    Notice("no hint found");
}

std::span<const BombPlacement> Hints::Ghosts() const {
    if (first_ + shown_ > solution_.size()) return {};
    return std::span<const BombPlacement>(solution_).subspan(first_, shown_);
}

void Hints::StatusText(char* out, size_t size) const {
    if (searching_)
        std::snprintf(out, size, "searching for a hint... %d s", static_cast<int>(solve_.Seconds()));
    else
        std::snprintf(out, size, "%s", noticeFrames_ > 0 ? notice_ : "");
}

std::string Hints::Status() const {
    char text[64];
    StatusText(text, sizeof text);
    return text;
}

void Hints::Draw(Picture* target, const Assets& assets, int hudTop, bool editMode) const {
    constexpr int kGhostAlpha = 120;
    const std::span<const BombPlacement> ghosts = editMode ? Ghosts() : std::span<const BombPlacement>{};
    if (Picture* bomb = assets.redBomb.get()) {
        for (const BombPlacement& g : ghosts) {
            DrawShadedSprite(target, bomb, g.x - PictureWidth(bomb) / 2, g.y - PictureHeight(bomb) / 2, kGhostAlpha);
            // The fuse as the HUD reads it out, beside the ghost.
            const FuseReadout readout = FuseReadoutFor(g.fuse);
            for (int i = 0; i < readout.count; ++i) {
                Picture* glyph = assets.timeGlyphs[readout.glyphs[i].glyph];
                if (glyph)
                    DrawShadedSprite(target, glyph, g.x + 14 + readout.glyphs[i].x - readout.glyphs[0].x, g.y - 8,
                                     kGhostAlpha);
            }
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
