#include "edition/set_menu.h"

#include <string>

#include "edition/result_screens.h"
#include "edition/title_screen.h"
#include "game/keys.h"
#include "sim/play_field.h"

namespace edition {

namespace {
constexpr int kMenuLeft = 150, kMenuTop = 196, kMenuWidth = 340;
}

SetMenu::SetMenu() : menu_(kMenuLeft, kMenuTop, kMenuWidth) {}

void SetMenu::Show(const LevelSets& sets, const Progress& progress, int selected) {
    menu_.lines.clear();
    for (const LevelSet& set : sets) {
        const SetTotals totals = TotalsOf(set.levels, progress);
        MenuLine line{set.name, "", "", totals.solved == totals.levels};
        line.note = line.done ? "all " + std::to_string(totals.levels) + " solved"
                              : std::to_string(totals.levels) + " levels, " + std::to_string(totals.solved) + " solved";
        menu_.lines.push_back(std::move(line));
    }
    menu_.lines.push_back({"Back", "", "", false});
    menu_.Select(selected);
    menu_.Rest();
}

SetMenu::Choice SetMenu::Input(const ScreenInput& input) {
    if (input.Pressed(kKeyF10)) return Choice::Back;
    switch (menu_.Input(input)) {
        case Menu::Action::Choose:
            return menu_.Selected() + 1 == static_cast<int>(menu_.lines.size()) ? Choice::Back : Choice::Open;
        case Menu::Action::Back: return Choice::Back;
        default: return Choice::None;
    }
}

void SetMenu::Draw(Picture* target, const Assets& assets) const {
    DrawTitleBackdrop(target, assets, Backdrop::Name);
    Panel(target, kMenuLeft - 16, kMenuTop - 40, kMenuLeft + kMenuWidth + 15, menu_.Bottom() + 10);
    TextCentred(target, "Which levels?", kScreenWidth / 2, kMenuTop - 26, Amber());
    menu_.Draw(target);
    TextCentred(target, "Up/Down or the mouse: choose   Enter or a click: its levels   Esc: back", kScreenWidth / 2,
                452, Grey());
}

}  // namespace edition
