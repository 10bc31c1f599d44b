#pragma once
// The level chooser, drawn over the play-field as it was when it opened:
// every level with its state and best run. Arrows or the wheel move the
// selection, a click selects (a second click on the selected line plays),
// Enter plays, W watches the best run of a solved level, Esc goes back.
#include <bitset>
#include <vector>

#include "features/level_list.h"
#include "game/input.h"

struct Assets;
struct Picture;
class FrameIo;

struct ChooserChoice {
    enum Kind { Back, Play, Watch, Quit } kind = Back;
    int level = 0;  // from 0
};

class Chooser {
public:
    static constexpr int kVisibleLines = 14;

    Chooser(std::vector<LevelLine> lines, int selected);

    // One frame's input; true with choice set when the chooser closes.
    bool Input(const InputSample& in, const std::bitset<kKeyCount>& pressedKeys, ChooserChoice& choice);
    void Draw(Picture* target) const;

    int Selected() const { return selected_; }
    int Top() const { return top_; }
    const std::vector<LevelLine>& Lines() const { return lines_; }
    // The line under the point, or -1.
    int LineAt(int x, int y) const;

private:
    void Select(int line);

    std::vector<LevelLine> lines_;
    int selected_ = 0;
    int top_ = 0;
};

// Runs the chooser's frames until it closes: the back buffer's picture
// stays under it. What held holds as it opens is not taken as presses; it
// holds the last frame's input when it closes.
ChooserChoice RunChooser(Chooser& chooser, const Assets& assets, FrameIo& io, InputSample& held);
