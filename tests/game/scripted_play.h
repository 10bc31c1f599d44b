#pragma once
// Drives the real frame function headlessly: the test sets what the player
// holds, runs frames, and inspects the shell's state. Presenting only counts.
#include <allegro.h>

#include <functional>
#include <string>

#include "sim/level_record.h"
#include "sim/world.h"
#include "sim/bomb.h"
#include "platform/allegro/allegro_presentation.h"
#include "sim/asset_handles.h"
#include "game/assets.h"
#include "game/frame_io.h"
#include "game/frame_loop.h"
#include "sim/frame_globals.h"
#include "game/input.h"
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
    void Present(BITMAP*) override { ++presented; }
    // Counted as presented too: the game shows a frame either way.
    int unchanged = 0;
    void PresentUnchanged(BITMAP* frame) override {
        ++unchanged;
        Present(frame);
    }
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

class FrameTest : public PlayFieldTest {
protected:
    static void SetUpTestSuite() { StartHeadless(); }

    ShellState state;
    ScriptedIo io;

    void SetUp() override {
        PlayFieldTest::SetUp();
        ActivePresentation = &presentation;  // the frames draw as the game's do
        HissPlaying = false;
        state = ShellState{};
    }

    AllegroPresentation presentation;

    const ShellBitmaps& Bitmaps() { return HeadlessBitmaps(); }
    BITMAP* Buffer() { return Bitmaps().backBuffer.get(); }
    int HudHeight() { return Bitmaps().hud.get()->h; }
    int EditHudTop() { return Buffer()->h - HudHeight(); }

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
