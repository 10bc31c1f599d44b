#pragma once
// The title's Levels when there is more than one set: a line for each set,
// its name with its levels and how many the player has solved, then Back.
// Choosing a set opens the chooser on it; Esc, F10 or Back go to the title.
#include "edition/level_sets.h"
#include "edition/menu.h"
#include "progress/progress.h"

struct Assets;
struct Picture;

namespace edition {

class SetMenu {
public:
    enum class Choice { None, Open, Back };

    SetMenu();
    // The lines for these sets as progress has them, the selection on selected.
    void Show(const LevelSets& sets, const Progress& progress, int selected);
    Choice Input(const ScreenInput& input);
    // The set chosen (after Open).
    int Chosen() const { return menu_.Selected(); }
    const std::vector<MenuLine>& Lines() const { return menu_.lines; }
    void Draw(Picture* target, const Assets& assets) const;

private:
    Menu menu_;
};

}  // namespace edition
