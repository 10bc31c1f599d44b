#include "edition/title_screen.h"

#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_draw.h"
#include "game/keys.h"
#include "game/sprite_drawing.h"
#include "sim/play_field.h"

namespace edition {

namespace {

constexpr int kMenuLeft = 220, kMenuTop = 178, kMenuWidth = 200;
constexpr TitleScreen::Choice kChoices[] = {TitleScreen::Choice::Continue, TitleScreen::Choice::Levels,
                                            TitleScreen::Choice::Designer, TitleScreen::Choice::Settings,
                                            TitleScreen::Choice::Quit};

// A ledge of the game's blocks, its top left at (x, y), n blocks long.
void Ledge(Picture* target, const Assets& assets, int x, int y, int n) {
    Picture* block = assets.block.get();
    if (!block) return;
    for (int i = 0; i < n; ++i) CopyPicture(block, target, 0, 0, x + i * PictureWidth(block), y, PictureWidth(block), PictureHeight(block));
}

}  // namespace

void DrawTitleBackdrop(Picture* target, const Assets& assets, Backdrop backdrop) {
    if (assets.background.get()) DrawBackground(target, assets.background.get());
    if (backdrop == Backdrop::Plain) return;
    BlockWord(target, "ZANDROVE", kScreenWidth / 2, 36, 8);
    TextCentred(target, "bombs, fuses and a hamster who wants to go home", kScreenWidth / 2, 112, PictureColour(220, 224, 240));
    if (backdrop == Backdrop::Name) return;
    // The hamster on a ledge at the left, a bomb ready beside it; an exit on the right.
    Ledge(target, assets, 40, 400, 7);
    if (assets.hamsterIdle.get()) DrawMaskedSprite(target, assets.hamsterIdle.get(), 76, 368);
    if (assets.redBomb.get()) DrawMaskedSprite(target, assets.redBomb.get(), 132, 376);
    Ledge(target, assets, 480, 400, 7);
    DrawOutline(target, 520, 350, 580, 399, White());
}

TitleScreen::TitleScreen() : menu_(kMenuLeft, kMenuTop, kMenuWidth) {
    for (const char* label : {"Continue", "Levels", "Designer", "Settings", "Quit"})
        menu_.lines.push_back({label, "", "", false});
}

TitleScreen::Choice TitleScreen::Input(const ScreenInput& input) {
    if (input.Pressed(kKeyF10)) return Choice::Quit;
    switch (menu_.Input(input)) {
        case Menu::Action::Choose:
            return kChoices[menu_.Selected()];
        default:
            return Choice::None;
    }
}

void TitleScreen::Draw(Picture* target, const Assets& assets, const LevelLabel& next, const std::string& setName,
                       const std::string& note) const {
    DrawTitleBackdrop(target, assets);
    Panel(target, kMenuLeft - 16, kMenuTop - 14, kMenuLeft + kMenuWidth + 15, menu_.Bottom() + 44);
    menu_.Draw(target);
    // Where Continue goes.
    const std::string lead = "Continue plays ";
    const int width = Width(lead) + LabelWidth(next);
    const int x = (kScreenWidth - width) / 2, y = menu_.Bottom() + 16;
    Text(target, lead, x, y, Grey());
    DrawLabel(target, next, x + Width(lead), y, Amber());
    if (!setName.empty()) TextCentred(target, "of the " + setName, kScreenWidth / 2, y + 12, Grey());
    if (!note.empty()) TextCentred(target, note, kScreenWidth / 2, 356, Red());
    TextCentred(target, "Up/Down or the mouse: choose   Enter or a click: go   F10: quit", kScreenWidth / 2, 452,
                Grey());
}

}  // namespace edition
