#pragma once
// The player's edition (zandrove --menu): a title screen that resumes where
// the player left off, the levels played with what the edition adds around
// them (level_play.h), a result after each level, a screen when the set is
// done, the settings, the level chooser and the designer, all in one
// window. One call of Frame is one frame of whichever screen is up, so a
// platform that owns the loop (the web page) can drive it as the native one
// does; nothing here knows the platform.
#include <functional>
#include <memory>
#include <string>

#include "edition/level_play.h"
#include "edition/screen_input.h"
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
    int continueLevel = -1;    // from 0: what Continue plays before any level is left (--level)
    double hintSeconds = 20;
    ProgressKeeper::Writer progressWriter = ProgressKeeper::Writer::OwnThread;
};

class Edition {
public:
    enum class Screen { Title, Settings, Levels, Watch, Playing, Result, SetDone, Designer };
    using Report = std::function<void(const std::string& line)>;
    // Makes the chosen settings the player's: the window, the sound, and
    // the file they are kept in. The edition reads them back from settings.
    using Choose = std::function<void(const Settings& chosen)>;

    Edition(FrameIo& io, const LevelList& levels, const Assets& assets, const Settings& settings, Choose choose,
            EditionSetup setup, Report report);
    ~Edition();

    // One frame of the screen that is up; false once the player has quit.
    bool Frame();

    Screen Current() const { return screen_; }
    // The level Continue plays: the one left for the title if it is not
    // solved yet, else the pack's first unsolved one, else the last played.
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
    // The designer while it is up, else null.
    design::Designer* DesignerUp() { return screen_ == Screen::Designer ? designer_.get() : nullptr; }
    const std::string& Note() const { return note_; }

private:
    bool TitleFrame();
    void SettingsFrame();
    void LevelsFrame();
    void WatchFrame();
    bool PlayingFrame();
    void ResultFrame();
    void SetDoneFrame();
    bool DesignerFrame();

    void ToTitle();
    void PlayLevel(int level);
    void OpenChooser(int selected, bool overLevel = false);
    bool DesignFolder();
    void ShowDesigner(std::string path, design::OpenedDesign opened);
    void KeepPictureUnder();
    bool Solved(int level) const;
    void Show(int mouseX, int mouseY);

    FrameIo& io_;
    const LevelList& levels_;
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
    std::unique_ptr<Chooser> chooser_;
    std::unique_ptr<WatchSession> watch_;
    std::unique_ptr<design::Designer> designer_;
    BitmapHolder designBar_;
    BitmapHolder under_;  // the level's last picture, under its result or its chooser
    bool chooserOverLevel_ = false;  // opened by L in a level, which goes on after Back
    std::string note_;
    int left_ = -1;        // the level left for the title, or last played
};

}  // namespace edition
