// An edit-mode frame that is not drawn again must be the very picture a
// full drawing would have made. Checked frame by frame over random play: each
// frame that was not drawn is run once more from the same state, drawn in
// full, and the two pictures compared.
#include <allegro.h>

#include <random>

#include "game/keys.h"
#include "game/scripted_play.h"
#include "platform/allegro/allegro_picture.h"

namespace {

const LevelRecord kLevel[] = {
    Rec(REC_BOMB), Rec(REC_BOMB), Rec(REC_BOMB), Rec(REC_HAMSTER, 300, 300), Rec(REC_BLOCK, 300, 330),
    Rec(REC_FIXED_BOMB, 100, 100, 0, 0, 3), Rec(REC_EXIT, 400, 300, 40, 40), Rec(REC_END),
};

class StillPicture : public FrameTest {
protected:
    // A player who mostly holds still: the same input for a few frames, then
    // a move, a click, a drag or a key, anywhere on the play-field or the HUD.
    void NextInput(std::mt19937& rng) {
        if (std::uniform_int_distribution<int>(0, 5)(rng) != 0) return;
        const int hudY = EditHudTop() + 24;
        const int points[][2] = {{320, 240}, {330, 250}, {200, 150}, {120, hudY}, {160, hudY}, {200, hudY},
                                 {368, hudY}, {480, hudY}, {420, hudY}, {20, hudY}, {600, 20}, {300, 290}};
        const auto& p = points[std::uniform_int_distribution<int>(0, 11)(rng)];
        io.MoveTo(p[0] + std::uniform_int_distribution<int>(-6, 6)(rng), p[1]);
        const int r = std::uniform_int_distribution<int>(0, 9)(rng);
        io.buttons = r < 5 ? 0 : r < 8 ? kLeftButton : kRightButton;
        io.keys.reset();
        const int keys[] = {kKeyUp, kKeyLeft, kKeyEquals, kKeyMinus, KeyDigit(1), KeyDigit(2), kKeySpace};
        if (std::uniform_int_distribution<int>(0, 3)(rng) == 0) io.Hold(keys[std::uniform_int_distribution<int>(0, 6)(rng)]);
    }
};

TEST_F(StillPicture, AFrameNotDrawnAgainIsThePictureDrawnLast) {
    Start(kLevel);
    std::mt19937 rng(7);
    BITMAP* buffer = Bitmap(Buffer());
    BITMAP* kept = create_bitmap(buffer->w, buffer->h);
    int notDrawn = 0, compared = 0;
    for (int f = 0; f < 1500 && !state.restartRequest; ++f) {
        NextInput(rng);
        const GameState before = state;
        const int unchangedBefore = io.unchanged;
        Frames();
        if (io.unchanged == unchangedBefore) continue;
        ++notDrawn;
        blit(buffer, kept, 0, 0, 0, 0, kept->w, kept->h);
        // The same frame again from the same state, drawn in full this time.
        state = before;
        state.drawnPicture = 0;
        io.presented -= 1;
        Frames();
        int different = 0;
        for (int y = 0; y < kept->h; ++y)
            for (int x = 0; x < kept->w; ++x) different += getpixel(kept, x, y) != getpixel(buffer, x, y);
        ASSERT_EQ(different, 0) << "frame " << f << ": the picture kept is not the one the frame draws";
        ++compared;
    }
    destroy_bitmap(kept);
    EXPECT_GT(notDrawn, 300);  // the player held still often enough to matter
    EXPECT_EQ(compared, notDrawn);
}

}  // namespace
