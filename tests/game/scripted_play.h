#pragma once
// Drives the real frame function headlessly: the test sets what the player
// holds, runs frames, and inspects the game's state. Presenting only counts;
// every sound started or stopped is logged.
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/assets.h"
#include "game/drawing.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "game/input.h"
#include "packs/pack_model.h"
#include "sim/bomb.h"
#include "sim/level_record.h"
#include "sim/world.h"
#include "support/headless.h"
#include "support/play_field.h"

class ScriptedIo : public FrameIo {
public:
    int mouseX = 0;
    int mouseY = 0;
    int buttons = 0;
    std::bitset<kKeyCount> keys;
    int wheel = 0;
    std::string typed;
    bool closeRequested = false;
    int presented = 0;
    // Called before every sample with the number of frames presented so far.
    std::function<void(ScriptedIo&, int frame)> script;

    void Sample(InputSample& s) override {
        if (script) script(*this, presented);
        s.mouseX = mouseX;
        s.mouseY = mouseY;
        s.buttons = buttons;
        s.keys = keys;
        // Wheel steps and typed characters are events: each is sampled once.
        s.wheel = wheel;
        wheel = 0;
        s.typedCount = 0;
        for (char c : typed) s.Type(c);
        typed.clear();
    }
    void Present(Picture*) override { ++presented; }
    // Counted as presented too: the game shows a frame either way.
    int unchanged = 0;
    void PresentUnchanged(Picture* frame) override {
        ++unchanged;
        Present(frame);
    }
    std::vector<Sound*> played, stopped;
    void PlaySound(Sound* sound, int, bool) override { played.push_back(sound); }
    void StopSound(Sound* sound) override { stopped.push_back(sound); }
    bool CloseRequested() override { return closeRequested || quitSignalled; }
    bool quitSignalled = false;
    bool QuitSignalled() override { return quitSignalled; }
    void ForgetCloseRequest() override { closeRequested = false; }

    void MoveTo(int x, int y) {
        mouseX = x;
        mouseY = y;
    }
    void Hold(int scancode, bool held = true) { keys[scancode] = held; }
};

// Level records for tests.
inline LevelRecord Rec(int16_t type, int16_t x = 0, int16_t y = 0, int16_t w = 0, int16_t h = 0, int16_t param = 0) {
    return {type, x, y, w, h, param, 0, 0};
}

// The levels to play, each given as records ended by REC_END, named "Level N".
inline LevelList LevelsOf(std::initializer_list<const LevelRecord*> levels) {
    LevelList list;
    for (const LevelRecord* r : levels) {
        PackLevel level;
        level.name = "Level " + std::to_string(list.size() + 1);
        do level.records.push_back(*r);
        while ((r++)->type != REC_END);
        list.push_back(std::move(level));
    }
    return list;
}

class FrameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { StartHeadless(); }

    GameState state;
    World& world = state.world;
    ScriptedIo io;

    const Assets& Bitmaps() { return HeadlessBitmaps(); }
    Picture* Buffer() { return Bitmaps().backBuffer.get(); }
    int HudHeight() { return PictureHeight(Bitmaps().hud.get()); }
    int EditHudTop() { return PictureHeight(Buffer()) - HudHeight(); }
    // How often a sound was started through the io.
    int TimesPlayed(SoundId id) {
        return static_cast<int>(std::count(io.played.begin(), io.played.end(), Bitmaps().SoundFor(id)));
    }

    void Start(const LevelRecord* records) { StartLevel(state, records); }

    // Runs n frames; returns what the last one returned.
    bool Frames(int n = 1) {
        bool goOn = true;
        for (int i = 0; i < n; ++i) goOn = RunFrame(state, Bitmaps(), io);
        return goOn;
    }
    // One frame with the button held, then one with it released.
    void Click(int x, int y, int button = kLeftButton) {
        io.MoveTo(x, y);
        io.buttons |= button;
        Frames();
        io.buttons &= ~button;
        Frames();
    }
    // One frame with the key held, then one with it up.
    void Tap(int scancode) {
        io.Hold(scancode);
        Frames();
        io.Hold(scancode, false);
        Frames();
    }
    // A click at HUD coordinates, in edit mode.
    void ClickHud(int x, int y) { Click(x, EditHudTop() + y); }
    void TakeBomb(int slot) { ClickHud(120 + 40 * slot, 24); }
};
