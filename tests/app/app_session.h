#pragma once
// What the app's tests share: the designer's session, files read whole and
// as the pack tool dumps them, and levels played to their end through the
// game's frame with its hooks, as the game plays them.
#include <fstream>
#include <sstream>

#include "features/game_hooks.h"
#include "design/designer_session.h"
#include "packs/builtin_levels.h"
#include "packs/text_parser.h"
#include "support/run_program.h"

inline std::string ReadAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline LevelList Dumped(const std::filesystem::path& file) {
    ProgramRun run;
    run.args = {std::string(ZANDROVE_BIN_DIR) + "/zandrove-pack", "dump", file.string()};
    return ParseLevelText(RunProgram(run).out).levels;
}

// Levels that complete without a bomb, each somewhere else.
inline const LevelRecord kLeft[] = {Rec(REC_HAMSTER, 100, 104), Rec(REC_BLOCK, 100, 130),
                                    Rec(REC_EXIT, 80, 80, 40, 40), Rec(REC_END)};
inline const LevelRecord kRight[] = {Rec(REC_HAMSTER, 300, 104), Rec(REC_BLOCK, 300, 130),
                                     Rec(REC_EXIT, 280, 80, 40, 40), Rec(REC_END)};

class AppTest : public DesignerTest {
protected:
    const LevelList levels = LevelsOf({kLeft, kRight});
    std::unique_ptr<GameHooks> Game(const std::string& progress, std::vector<std::string>* said = nullptr) {
        return std::make_unique<GameHooks>(io, levels, Bitmaps(), progress,
                                           [said](const std::string& line) { if (said) said->push_back(line); });
    }
    // Space held until the level is complete.
    void Complete(GameHooks& game, int level) {
        state = GameState{};
        state.levelIndex = level;
        StartLevel(state, levels[static_cast<size_t>(level)].records.data());
        game.LevelStarted(state);
        io.Hold(kKeySpace);
        for (int i = 0; i < 2000 && !state.LevelComplete(); ++i) {
            RunFrame(state, Bitmaps(), game);
            game.AfterFrame(state, Bitmaps(), game);
            io.keys.reset();
        }
        ASSERT_TRUE(state.LevelComplete());
        EndLevel(state);
    }
};
