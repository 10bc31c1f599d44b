#pragma once
// The player's edition (zandrove --menu): a title screen that resumes where
// the player left off, the levels played with what the edition adds around
// them (level_play.h), a result after each level, a screen when the set is
// done, the settings, the sets of levels and their chooser, and the
// designer, all in one window. One call of Frame is one frame of whichever screen is up, so a
// platform that owns the loop (the web page) can drive it as the native one
// does; nothing here knows the platform.
#include <functional>
#include <memory>
#include <string>

#include "edition/level_play.h"
#include "edition/level_sets.h"
#include "edition/screen_input.h"
#include "edition/set_menu.h"
#include "edition/settings_screen.h"
#include "edition/title_screen.h"
#include "features/game_hooks.h"
#include "packs/pack_model.h"
#include "progress/settings.h"

class Chooser;
class WatchSession;
namespace design {
struct Designer;
struct OpenedDesign;
}

namespace edition {

struct EditionSetup {
    std::string progressPath;  // empty: nothing is kept
    std::string designPath;    // the designer's file; empty: no designer
    int continueLevel = -1;    // from 0, of the first set: what Continue plays before any level is left (--level)
    double hintSeconds = 20;
    ProgressKeeper::Writer progressWriter = ProgressKeeper::Writer::OwnThread;
};

class Edition {
public:
    // The web page reads these by number: a new screen goes at the end.
    enum class Screen { Title, Settings, Levels, Watch, Playing, Result, SetDone, Designer, Sets };
    using Report = std::function<void(const std::string& line)>;
    // Makes the chosen settings the player's: the window, the sound, and
    // the file they are kept in. The edition reads them back from settings.
    using Choose = std::function<void(const Settings& chosen)>;

    // sets: at least one. With more than one, the title's Levels offers
    // them first; Continue, the results and the chooser act on the set
    // last chosen there (at the start, the first).
    Edition(FrameIo& io, const LevelSets& sets, const Assets& assets, const Settings& settings, Choose choose,
            EditionSetup setup, Report report);
    ~Edition();

    // One frame of the screen that is up; false once the player has quit.
    bool Frame();

    Screen Current() const { return screen_; }
    // The set being played (from 0), and its levels.
    int Set() const { return set_; }
    const LevelList& Levels() const;
    // The level Continue plays: the one left for the title if it is not
    // solved yet, else the set's first unsolved one, else the last played.
    int ContinueLevel() const;
    LevelPlay& Play() { return play_; }
    // At the end: the completed levels handed to the progress file written,
    // and what that said reported.
    void FinishKeeping() { hooks_.FinishKeeping(); }
    GameHooks& Hooks() { return hooks_; }
    // The title's Designer: the designer on the player's own file.
    void OpenDesigner();
    // The designer on levels from elsewhere (a link, a file the player
    // opened): a new level text beside the player's file, not saved yet, as
    // the native designer opens a link. False with the reason in Note().
    bool OpenDesignerWith(LevelList levels);
    // The set menu as last shown, and the chooser while it is up (else null).
    const SetMenu& SetsMenu() const { return setMenu_; }
    const Chooser* ChooserUp() const { return screen_ == Screen::Levels ? chooser_.get() : nullptr; }
    // The designer while it is up, else null.
    design::Designer* DesignerUp() { return screen_ == Screen::Designer ? designer_.get() : nullptr; }
    const std::string& Note() const { return note_; }

private:
    bool TitleFrame();
    void SettingsFrame();
    void SetsFrame();
    void LevelsFrame();
    void WatchFrame();
    bool PlayingFrame();
    void ResultFrame();
    void SetDoneFrame();
    bool DesignerFrame();

    void ToTitle();
    void PlayLevel(int level);
    void OpenSets();
    void ChooseSet(int set);
    void OpenChooser(int selected, bool overLevel = false);
    bool DesignFolder();
    void ShowDesigner(std::string path, design::OpenedDesign opened);
    void KeepPictureUnder();
    bool Solved(int level) const;
    void Show(int mouseX, int mouseY);

    FrameIo& io_;
    const LevelSets& sets_;
    int set_ = 0;
    const Assets& assets_;
    const Settings& settings_;
    Choose choose_;
    EditionSetup setup_;
    GameHooks hooks_;
    LevelPlay play_;
    ScreenInput input_;
    Screen screen_ = Screen::Title;
    TitleScreen title_;
    SettingsScreen settingsScreen_;
    SetMenu setMenu_;
    std::unique_ptr<Chooser> chooser_;
    std::unique_ptr<WatchSession> watch_;
    std::unique_ptr<design::Designer> designer_;
    BitmapHolder designBar_;
    BitmapHolder under_;  // the level's last picture, under its result or its chooser
    bool chooserOverLevel_ = false;  // opened by L in a level, which goes on after Back
    std::string note_;
    int left_ = -1;        // the level left for the title, or last played, of the set played
};

}  // namespace edition
