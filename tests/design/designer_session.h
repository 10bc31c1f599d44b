#pragma once
// Drives the designer's real frame function headlessly, as a player at the
// mouse and keyboard would, in a scratch folder of its own.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "design/designer.h"
#include "files/atomic_file.h"
#include "game/assets.h"
#include "game/scripted_play.h"
#include "platform/allegro/allegro_bmp.h"

class DesignerTest : public FrameTest {
protected:
    std::filesystem::path dir;
    std::unique_ptr<design::Designer> d;
    double now = 1000;  // the designer's clock, in seconds

    void SetUp() override {
        FrameTest::SetUp();
        char name[] = "/tmp/zandrove-design-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        dir = name;
        std::string error;
        if (!Bar().get()) {
            ASSERT_TRUE(LoadDesignBar(Bar(), error)) << error;
        }
    }
    void TearDown() override {
        d.reset();
        std::filesystem::remove_all(dir);
        FrameTest::TearDown();
    }

    // Opens the file as --design does; false if it is refused.
    bool Open(const std::string& file, std::string* error = nullptr) {
        d.reset();  // one designer to a process, as in the game
        design::OpenedDesign opened;
        std::string why;
        if (!design::OpenDesign((dir / file).string(), opened, why)) {
            if (error) *error = why;
            return false;
        }
        d = std::make_unique<design::Designer>((dir / file).string(), std::move(opened));
        d->clock = [this] { return now; };
        // Shared by the designers of this test only, as by those of a login.
        d->clipboard = design::Clipboard((dir / "clipboard.txt").string());
        return true;
    }

    bool Frame() { return design::DesignFrame(*d, {&Bitmaps(), Bar().get()}, io); }
    bool Frames(int n) {
        bool goOn = true;
        for (int i = 0; i < n && goOn; ++i) goOn = Frame();
        return goOn;
    }
    // The key held one frame with the modifiers, then all released for one.
    bool Press(int scancode, std::initializer_list<int> modifiers = {}) {
        for (int m : modifiers) io.Hold(m);
        io.Hold(scancode);
        Frame();
        io.keys.reset();
        return Frame();
    }
    void ClickAt(int x, int y, int button = kLeftButton) {
        io.MoveTo(x, y);
        Frame();
        io.buttons |= button;
        Frame();
        io.buttons &= ~button;
        Frame();
    }
    void DragFromTo(int x0, int y0, int x1, int y1, bool shift = false) {
        io.MoveTo(x0, y0);
        if (shift) io.Hold(kKeyLShift);
        Frame();
        io.buttons |= kLeftButton;
        Frame();
        io.MoveTo((x0 + x1) / 2, (y0 + y1) / 2);
        Frame();
        io.MoveTo(x1, y1);
        Frame();
        io.buttons &= ~kLeftButton;
        Frame();
        io.keys.reset();
    }
    void Tool(char key) { Press(KeyLetter(key)); }
    // With ZANDROVE_SHOT_DIR set, the last frame drawn is kept there as NAME.bmp
    // (scripts/design_screenshots.sh makes the README's pictures so).
    void Shot(const std::string& name) {
        std::string error;
        if (const char* shots = std::getenv("ZANDROVE_SHOT_DIR")) {
            EXPECT_TRUE(WriteFileAtomically(std::string(shots) + "/" + name + ".bmp", EncodeBmp(Buffer()), error))
                << error;
        }
    }
    const std::vector<LevelRecord>& Records() { return d->doc.Level().records; }

    // Loaded once, like the headless assets, and kept to the end of the run.
    static BitmapHolder& Bar() {
        static BitmapHolder* bar = new BitmapHolder;
        return *bar;
    }
};
