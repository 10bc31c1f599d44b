#pragma once
// The player's edition's title: the game's background, its name in big
// letters, the hamster, and the menu: Continue, Levels, Designer, Settings,
// Quit. F10 quits from here.
#include <string>

#include "edition/edition_draw.h"
#include "edition/menu.h"

struct Assets;
struct Picture;

namespace edition {

class TitleScreen {
public:
    enum class Choice { None, Continue, Levels, Designer, Settings, Quit };

    TitleScreen();
    Choice Input(const ScreenInput& input);
    // next: the level Continue plays, of the set named setName (empty: the
    // only set); note: a line to show (a file that could not be opened), or empty.
    void Draw(Picture* target, const Assets& assets, const LevelLabel& next, const std::string& setName,
              const std::string& note) const;
    Menu& Lines() { return menu_; }

private:
    Menu menu_;
};

// Under every screen of the edition outside a level: the game's background,
// with its name in big letters, and a little scene of its pieces.
enum class Backdrop { Plain, Name, Scene };
void DrawTitleBackdrop(Picture* target, const Assets& assets, Backdrop backdrop = Backdrop::Scene);

}  // namespace edition
