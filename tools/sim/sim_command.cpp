#include "sim/sim_command.h"

#include <allegro.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <ostream>

#include "levels/level_table.h"
#include "objects/player.h"
#include "shell/assets.h"
#include "shell/program_dir.h"
#include "solve/level_run.h"
#include "sim/screenshot.h"
#include "sim/sim_options.h"
#include "solve/solver.h"
#include "sim/trace.h"

namespace {

int Usage(std::ostream& err, const std::string& message) {
    err << "zandrove-sim: " << message << "\n" << kSimUsage;
    return kSimUsageError;
}

// Allegro with no display or drivers, 16-bit colour like the game, and the
// assets read from the program's directory; the working directory is given
// back afterwards so the user's relative paths still mean what they meant.
bool StartHeadless(const char* argv0, ShellBitmaps& bitmaps, std::string& error) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        error = std::string("cannot start Allegro: ") + allegro_error;
        return false;
    }
    set_color_depth(16);
    char cwd[PATH_MAX];
    const bool haveCwd = getcwd(cwd, sizeof cwd) != nullptr;
    ChangeToAssetDirectory(argv0);
    const bool loaded = LoadAssets(bitmaps, error);
    if (haveCwd && chdir(cwd) != 0) {
        error = std::string("cannot return to ") + cwd;
        return false;
    }
    return loaded;
}

int Play(const SimOptions& o, const ShellBitmaps* pictures, std::ostream& out, std::ostream& err) {
    const bool picture = o.at >= 0;
    if (picture && !pictures) {
        err << "zandrove-sim: a screenshot needs the game's pictures\n";
        return 1;
    }
    const LevelRecord* records = LevelTable[o.level - 1];
    const std::unique_ptr<LevelRun> drawn = picture ? std::make_unique<LevelRun>(records, o.bombs, *pictures) : nullptr;
    const std::unique_ptr<LevelRun> undrawn = picture ? nullptr : std::make_unique<LevelRun>(records, o.bombs);
    LevelRun& run = picture ? *drawn : *undrawn;
    for (;;) {
        const bool goOn = run.Next();
        const int frame = run.Frame();
        if (o.trace && frame >= 1) {
            for (const cPlayer* h : run.Hamsters()) out << TraceLine(frame, *h) << '\n';
        }
        if (frame == o.at) {
            std::string error;
            if (!WriteScreenshot(o.screenshot, run.Picture(), error)) {
                err << "zandrove-sim: " << error << "\n";
                return kSimFileError;
            }
            run.SetDrawing(false);  // nothing else is pictured
        }
        if (!goOn) {
            out << CompleteLine(frame) << '\n';
            if (picture && frame < o.at) {
                err << "zandrove-sim: the level was complete at frame " << frame << ", before frame " << o.at
                    << ": no screenshot written\n";
                return 1;
            }
            return 0;
        }
        if (frame >= o.frames) {
            out << IncompleteLine(o.frames) << '\n';
            return 0;
        }
    }
}

}  // namespace

int RunSim(const SimOptions& o, const ShellBitmaps* pictures, std::ostream& out, std::ostream& err) {
    std::string error;
    if (!SimOptionsFitLevel(o, LevelTable, LevelCount, error)) return Usage(err, error);
    if (!o.solve) return Play(o, pictures, out, err);
    SolveSettings settings;
    settings.frames = o.frames;
    settings.budgetSeconds = o.budget;
    settings.shown = o.shown;
    settings.prefix = o.bombs;
    const SolveReport report = Solve(LevelTable[o.level - 1], settings, out);
    return report.solutionCount > 0 ? 0 : 1;
}

int SimMain(const std::vector<std::string>& args, const char* argv0, std::ostream& out, std::ostream& err) {
    SimOptions o;
    std::string error;
    if (!ParseSimOptions(args, o, error)) return Usage(err, error);
    if (o.help) {
        out << kSimUsage;
        return 0;
    }
    if (o.version) {
        out << "zandrove-sim " << ZANDROVE_VERSION << "\n";
        return 0;
    }
    // The game ignores a pack it cannot open (a directory, a FIFO: only a
    // regular file is opened); a tool must say so.
    if (!o.pack.empty() && !LoadLevelPack(o.pack.c_str(), &error))
        return Usage(err, "cannot read level pack " + o.pack + ": " + error);
    if (!SimOptionsFitLevel(o, LevelTable, LevelCount, error)) {
        FreeLevelPack();
        return Usage(err, error);
    }
    // Only a screenshot needs Allegro and the pictures; everything else is
    // the simulation alone.
    if (o.at < 0) {
        const int status = RunSim(o, nullptr, out, err);
        FreeLevelPack();
        return status;
    }
    int status = 1;
    {
        ShellBitmaps bitmaps;
        if (StartHeadless(argv0, bitmaps, error)) {
            status = RunSim(o, &bitmaps, out, err);
        } else {
            err << "zandrove-sim: " << error << "\n";
        }
        ReleaseAssets(bitmaps);
    }
    FreeLevelPack();
    allegro_exit();
    return status;
}
