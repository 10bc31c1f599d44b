#include "edition/edition.h"

#include <filesystem>

#include "design/designer.h"
#include "edition/result_screens.h"
#include "features/chooser.h"
#include "features/level_list.h"
#include "features/watch.h"
#include "game/drawing.h"
#include "game/frame_draw.h"
#include "game/keys.h"
#include "game/media_files.h"
#include "packs/level_hash.h"

namespace edition {

namespace {
constexpr int kWatchFrameLimit = 36000;

const LevelList& FirstLevels(const LevelSets& sets) {
    static const LevelList none;  // a constant: an edition given no set has no level to play
    return sets.empty() ? none : sets.front().levels;
}
}  // namespace

Edition::Edition(FrameIo& io, const LevelSets& sets, const Assets& assets, const Settings& settings, Choose choose,
                 EditionSetup setup, Report report)
    : io_(io),
      sets_(sets),
      assets_(assets),
      settings_(settings),
      choose_(std::move(choose)),
      setup_(std::move(setup)),
      hooks_(io, FirstLevels(sets), assets, setup_.progressPath, std::move(report), setup_.hintSeconds,
             setup_.progressWriter),
      play_(FirstLevels(sets), assets, hooks_, settings) {
    left_ = setup_.continueLevel;
    hooks_.chooserInFrames = true;
    hooks_.toggleMute = [this] {
        Settings s = settings_;
        s.mute = !s.mute;
        choose_(s);
    };
    hooks_.toggleFullscreen = [this] {
        Settings s = settings_;
        s.fullscreen = !s.fullscreen;
        choose_(s);
    };
}

Edition::~Edition() = default;

const LevelList& Edition::Levels() const {
    return set_ < static_cast<int>(sets_.size()) ? sets_[static_cast<size_t>(set_)].levels : FirstLevels(sets_);
}

bool Edition::Solved(int level) const {
    return hooks_.KeptProgress().Find(LevelHash(Levels()[static_cast<size_t>(level)].records.data())) != nullptr;
}

int Edition::ContinueLevel() const {
    const int count = static_cast<int>(Levels().size());
    if (left_ >= 0 && left_ < count && !Solved(left_)) return left_;
    for (int level = 0; level < count; ++level)
        if (!Solved(level)) return level;
    return left_ >= 0 && left_ < count ? left_ : 0;
}

bool Edition::Frame() {
    if (screen_ != Screen::Designer && screen_ != Screen::Playing && io_.CloseRequested()) return false;
    switch (screen_) {
        case Screen::Title: return TitleFrame();
        case Screen::Settings: SettingsFrame(); return true;
        case Screen::Sets: SetsFrame(); return true;
        case Screen::Levels: LevelsFrame(); return true;
        case Screen::Watch: WatchFrame(); return true;
        case Screen::Playing: return PlayingFrame();
        case Screen::Result: ResultFrame(); return true;
        case Screen::SetDone: SetDoneFrame(); return true;
        case Screen::Designer: return DesignerFrame();
    }
    return true;
}

void Edition::Show(int mouseX, int mouseY) {
    Picture* buffer = assets_.backBuffer.get();
    if (buffer && assets_.cursor.get()) DrawCursor(buffer, assets_.cursor.get(), mouseX, mouseY, true);
    io_.Present(buffer);
}

void Edition::ToTitle() {
    screen_ = Screen::Title;
    input_.HoldAll();
    title_.Lines().Rest();
}

void Edition::PlayLevel(int level) {
    if (level < 0 || level >= static_cast<int>(Levels().size())) return;
    note_.clear();
    play_.Start(level);
    left_ = level;
    screen_ = Screen::Playing;
}

bool Edition::TitleFrame() {
    const InputSample& in = input_.Sample(io_);
    switch (title_.Input(input_)) {
        case TitleScreen::Choice::Continue: PlayLevel(ContinueLevel()); return true;
        case TitleScreen::Choice::Levels:
            if (sets_.size() > 1)
                OpenSets();
            else
                OpenChooser(ContinueLevel());
            return true;
        case TitleScreen::Choice::Designer: OpenDesigner(); return true;
        case TitleScreen::Choice::Settings:
            screen_ = Screen::Settings;
            input_.HoldAll();
            settingsScreen_.Lines().Rest();
            return true;
        case TitleScreen::Choice::Quit: return false;
        case TitleScreen::Choice::None: break;
    }
    if (Picture* buffer = assets_.backBuffer.get()) {
        const int next = ContinueLevel();
        const LevelList& levels = Levels();
        title_.Draw(buffer, assets_, LabelOf(next, levels.empty() ? "" : levels[static_cast<size_t>(next)].name),
                    sets_.size() > 1 ? sets_[static_cast<size_t>(set_)].name : "", note_);
    }
    Show(in.mouseX, in.mouseY);
    return true;
}

void Edition::SettingsFrame() {
    const InputSample& in = input_.Sample(io_);
    Settings chosen;
    bool changed = false;
    const bool stay = settingsScreen_.Input(input_, settings_, chosen, changed);
    if (changed) choose_(chosen);
    if (!stay) {
        ToTitle();
        return;
    }
    if (Picture* buffer = assets_.backBuffer.get()) settingsScreen_.Draw(buffer, assets_, settings_);
    Show(in.mouseX, in.mouseY);
}

void Edition::OpenSets() {
    setMenu_.Show(sets_, hooks_.KeptProgress(), set_);
    screen_ = Screen::Sets;
    input_.HoldAll();
}

void Edition::ChooseSet(int set) {
    if (set == set_ || set < 0 || set >= static_cast<int>(sets_.size())) return;
    // No level is in play here: the title's menus are reached only from outside one.
    set_ = set;
    left_ = -1;
    play_.SwitchLevels(Levels());
    hooks_.SwitchLevels(Levels());
}

void Edition::SetsFrame() {
    const InputSample& in = input_.Sample(io_);
    switch (setMenu_.Input(input_)) {
        case SetMenu::Choice::Open:
            ChooseSet(setMenu_.Chosen());
            OpenChooser(ContinueLevel());
            return;
        case SetMenu::Choice::Back: ToTitle(); return;
        case SetMenu::Choice::None: break;
    }
    if (Picture* buffer = assets_.backBuffer.get()) setMenu_.Draw(buffer, assets_);
    Show(in.mouseX, in.mouseY);
}

void Edition::OpenChooser(int selected, bool overLevel) {
    chooserOverLevel_ = overLevel;
    chooser_ = std::make_unique<Chooser>(ListLevels(Levels(), hooks_.KeptProgress()), selected);
    screen_ = Screen::Levels;
    input_.HoldAll();
}

void Edition::LevelsFrame() {
    const InputSample& in = input_.Sample(io_);
    ChooserChoice choice;
    std::bitset<kKeyCount> pressed;
    for (int k = 0; k < kKeyCount; ++k) pressed[static_cast<size_t>(k)] = input_.Pressed(k);
    if (chooser_->Input(in, pressed, choice)) {
        const LevelRecord* records = Levels()[static_cast<size_t>(choice.level)].records.data();
        const LevelProgress* kept = hooks_.KeptProgress().Find(LevelHash(records));
        if (chooserOverLevel_ && choice.kind == ChooserChoice::Back) {
            chooserOverLevel_ = false;
            play_.Resume();
            screen_ = Screen::Playing;
            return;
        }
        if (chooserOverLevel_ && choice.kind != ChooserChoice::Watch) {
            chooserOverLevel_ = false;
            play_.Leave();
        }
        switch (choice.kind) {
            case ChooserChoice::Play: PlayLevel(choice.level); return;
            case ChooserChoice::Watch:
                if (kept) {
                    watch_ = std::make_unique<WatchSession>(records, kept->best, kWatchFrameLimit);
                    screen_ = Screen::Watch;
                    return;
                }
                break;
            case ChooserChoice::Back:
                // Back to the sets it was chosen from, where there are several.
                if (sets_.size() > 1)
                    OpenSets();
                else
                    ToTitle();
                return;
            case ChooserChoice::Quit: ToTitle(); return;
        }
    }
    if (Picture* buffer = assets_.backBuffer.get()) {
        if (chooserOverLevel_ && under_.get())
            CopyPicture(under_.get(), buffer, 0, 0, 0, 0, PictureWidth(buffer), PictureHeight(buffer));
        else
            DrawTitleBackdrop(buffer, assets_, Backdrop::Plain);
        chooser_->Draw(buffer);
    }
    Show(in.mouseX, in.mouseY);
}

void Edition::WatchFrame() {
    if (watch_->Frame(assets_, io_)) return;
    const bool quit = watch_->End().quit;
    watch_.reset();
    if (quit && chooserOverLevel_) {
        chooserOverLevel_ = false;
        play_.Leave();
    }
    if (quit) {
        ToTitle();
        return;
    }
    screen_ = Screen::Levels;
    input_.HoldAll();
}

bool Edition::PlayingFrame() {
    switch (play_.Frame()) {
        case LevelPlay::Outcome::Playing: return true;
        case LevelPlay::Outcome::Quit: return false;
        case LevelPlay::Outcome::Title:
            left_ = play_.Level();
            ToTitle();
            return true;
        case LevelPlay::Outcome::Levels:
            KeepPictureUnder();
            OpenChooser(play_.Level(), true);
            return true;
        case LevelPlay::Outcome::Complete: {
            left_ = play_.Level();
            KeepPictureUnder();
            screen_ = Screen::Result;
            input_.HoldAll();
            return true;
        }
    }
    return true;
}

void Edition::KeepPictureUnder() {
    Picture* buffer = assets_.backBuffer.get();
    if (!buffer) return;
    if (!under_.get()) under_.Reset(NewPicture(PictureWidth(buffer), PictureHeight(buffer)));
    if (under_.get()) CopyPicture(buffer, under_.get(), 0, 0, 0, 0, PictureWidth(buffer), PictureHeight(buffer));
}

void Edition::ResultFrame() {
    const InputSample& in = input_.Sample(io_);
    const bool last = play_.Level() + 1 >= static_cast<int>(Levels().size());
    if (input_.Pressed(kKeyF10)) {
        play_.Leave();
        ToTitle();
        return;
    }
    if (input_.Confirmed() || input_.Clicked()) {
        if (play_.Next()) {
            left_ = play_.Level();
            screen_ = Screen::Playing;
        } else {
            screen_ = Screen::SetDone;
            input_.HoldAll();
        }
        return;
    }
    Picture* buffer = assets_.backBuffer.get();
    if (buffer && under_.get()) {
        CopyPicture(under_.get(), buffer, 0, 0, 0, 0, PictureWidth(buffer), PictureHeight(buffer));
        DrawResult(buffer, play_.Result(), last);
    }
    Show(in.mouseX, in.mouseY);
}

void Edition::SetDoneFrame() {
    const InputSample& in = input_.Sample(io_);
    if (input_.Confirmed() || input_.Clicked() || input_.Pressed(kKeyEsc) || input_.Pressed(kKeyF10)) {
        ToTitle();
        return;
    }
    if (Picture* buffer = assets_.backBuffer.get())
        DrawSetDone(buffer, assets_, TotalsOf(Levels(), hooks_.KeptProgress()));
    Show(in.mouseX, in.mouseY);
}

bool Edition::DesignFolder() {
    if (setup_.designPath.empty()) {
        note_ = "no folder for the designer's levels (HOME is not set)";
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(setup_.designPath).parent_path(), ec);
    std::string error;
    if (!designBar_.get() && !LoadDesignBar(designBar_, error)) {
        note_ = error;
        return false;
    }
    return true;
}

void Edition::ShowDesigner(std::string path, design::OpenedDesign opened) {
    if (screen_ == Screen::Playing) play_.Leave();
    if (designer_) StopHiss(designer_->shell, assets_, io_);
    note_.clear();
    designer_ = std::make_unique<design::Designer>(std::move(path), std::move(opened));
    screen_ = Screen::Designer;
}

void Edition::OpenDesigner() {
    if (!DesignFolder()) return;
    design::OpenedDesign opened;
    std::string error;
    if (!design::OpenDesign(setup_.designPath, opened, error)) {
        note_ = error;
        return;
    }
    ShowDesigner(setup_.designPath, std::move(opened));
}

bool Edition::OpenDesignerWith(LevelList levels) {
    if (!DesignFolder()) return false;
    design::OpenedDesign opened;
    std::string path, error;
    const std::string folder = std::filesystem::path(setup_.designPath).parent_path().string();
    if (!design::OpenLinkedDesign(folder, std::move(levels), path, opened, error)) {
        note_ = error;
        return false;
    }
    ShowDesigner(std::move(path), std::move(opened));
    return true;
}

bool Edition::DesignerFrame() {
    if (design::DesignFrame(*designer_, {&assets_, designBar_.get()}, io_)) return true;
    // A test-play cut short must not leave its hiss behind.
    StopHiss(designer_->shell, assets_, io_);
    designer_.reset();
    if (io_.CloseRequested()) return false;
    ToTitle();
    return true;
}

}  // namespace edition
