#include "sim/sim_command.h"

#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <ostream>

#include "files/atomic_file.h"
#include "game/assets.h"
#include "game/drawn_run.h"
#include "game/program_dir.h"
#include "packs/pack_reader.h"
#include "platform/allegro/allegro_bmp.h"
#include "platform/allegro/allegro_start.h"
#include "sim/player.h"
#include "sim/sim_options.h"
#include "sim/trace.h"
#include "solve/difficulty.h"
#include "solve/forgiveness.h"
#include "solve/level_run.h"
#include "solve/one_bomb_proof.h"
#include "solve/random_share.h"
#include "solve/solver.h"

namespace {

int Usage(std::ostream& err, const std::string& message) {
    err << "zandrove-sim: " << message << "\n" << kSimUsage;
    return kSimUsageError;
}

// Allegro with no display or drivers, and the assets read from the
// program's directory; the working directory is given back afterwards so
// the user's relative paths still mean what they meant.
bool StartHeadless(const char* argv0, Assets& assets, std::string& error) {
    if (!StartHeadlessAllegro(error)) return false;
    char cwd[PATH_MAX];
    const bool haveCwd = getcwd(cwd, sizeof cwd) != nullptr;
    ChangeToAssetDirectory(argv0);
    const bool loaded = LoadAssets(assets, error);
    if (haveCwd && chdir(cwd) != 0) {
        error = std::string("cannot return to ") + cwd;
        return false;
    }
    return loaded;
}

// A played level, drawn (DrawnRun) or not (LevelRun): the same motion.
template <class Run>
int Play(const SimOptions& o, Run& run, std::ostream& out, std::ostream& err) {
    const bool picture = o.at >= 0;
    for (;;) {
        const bool goOn = run.Next();
        const int frame = run.Frame();
        if (o.trace && frame >= 1) {
            for (const cPlayer* h : run.Hamsters()) out << TraceLine(frame, *h) << '\n';
        }
        if constexpr (requires { run.LastPicture(); }) {
            if (frame == o.at) {
                std::string error;
                if (!WriteFileAtomically(o.screenshot, EncodeBmp(run.LastPicture()), error)) {
                    err << "zandrove-sim: " << error << "\n";
                    return kSimFileError;
                }
                run.SetDrawing(false);  // nothing else is pictured
            }
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

// --one-bomb: the proof's one line; 0 once it decided, 1 when its budget ran out.
int ProveOneBombLine(const SimOptions& o, const LevelRecord* records, std::ostream& out) {
    OneBombSettings settings;
    settings.frames = o.frames;
    if (o.budgetGiven)
        settings.stop.deadline = SolveClock::now() + std::chrono::duration_cast<SolveClock::duration>(
                                                          std::chrono::duration<double>(o.budget));
    const OneBombProof p = ProveOneBomb(records, settings);
    out << OneBombLine(p) << '\n';
    return p.result == OneBombProof::Result::Stopped ? 1 : 0;
}

// --random-share: the guesses that complete the level (at most --solutions
// of them), then the share in one line.
int RandomShareLines(const SimOptions& o, const LevelRecord* records, std::ostream& out) {
    RandomShareSettings settings;
    settings.runs = o.randomShare;
    settings.seed = o.seed;
    settings.frames = o.frames;
    const RandomShare share = MeasureRandomShare(records, settings);
    for (size_t i = 0; i < share.completing.size() && static_cast<int>(i) < o.shown; ++i)
        out << FormatBombOptions({share.completing[i]}) << " completes it\n";
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.2f", share.Percent());
    out << "random share: " << share.complete << " of " << share.runs << " random single bombs complete the level ("
        << percent << " %), seed " << o.seed << ", drawn from " << share.positions
        << " free positions within 80 px of a hamster and 40 fuses\n";
    return 0;
}

}  // namespace

int RunSim(const SimOptions& o, const LevelList& levels, const Assets* pictures, std::ostream& out,
           std::ostream& err) {
    std::string error;
    if (!SimOptionsFitLevel(o, levels, error)) return Usage(err, error);
    const LevelRecord* records = levels[static_cast<size_t>(o.level - 1)].records.data();
    if (o.oneBomb) return ProveOneBombLine(o, records, out);
    if (o.randomShare > 0) return RandomShareLines(o, records, out);
    if (o.solve) {
        SolveSettings settings = o.hint ? HintSettings(o.budget, o.bombs) : SolveSettings{};
        settings.frames = o.frames;
        settings.budgetSeconds = o.budget;
        if (!o.hint) settings.shown = o.shown;
        settings.prefix = o.bombs;
        const SolveReport report = Solve(records, settings, out);
        if (const std::optional<double> d = Difficulty(report)) out << "difficulty: " << FormatDifficulty(*d) << '\n';
        return report.solutionCount > 0 ? 0 : 1;
    }
    if (o.forgiveness) {
        const Forgiveness f = MeasureForgiveness(records, o.bombs, o.frames, 2);
        out << "forgiveness:";
        for (int n : f.perBomb) out << ' ' << n;
        out << " (of " << kForgivenessPlacements << " placements within " << kForgivenessReach
            << " pixels of each bomb, these complete)\n";
        return 0;
    }
    if (o.at < 0) {
        LevelRun run(records, o.bombs);
        return Play(o, run, out, err);
    }
    if (!pictures) {
        err << "zandrove-sim: a screenshot needs the game's pictures\n";
        return 1;
    }
    DrawnRun run(records, o.bombs, *pictures);
    return Play(o, run, out, err);
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
    LevelList levels = BuiltinLevelList();
    // The game ignores a pack it cannot open (a directory, a FIFO: only a
    // regular file is opened); a tool must say so.
    if (!o.pack.empty()) {
        PackFile pack;
        if (!ReadPackFile(o.pack, pack, error)) return Usage(err, "cannot read level pack " + o.pack + ": " + error);
        levels = std::move(pack.levels);
    }
    if (!SimOptionsFitLevel(o, levels, error)) return Usage(err, error);
    // Only a screenshot needs Allegro and the pictures; everything else is
    // the simulation alone.
    if (o.at < 0) return RunSim(o, levels, nullptr, out, err);
    int status = 1;
    {
        Assets assets;
        if (StartHeadless(argv0, assets, error)) {
            status = RunSim(o, levels, &assets, out, err);
        } else {
            err << "zandrove-sim: " << error << "\n";
        }
        ReleaseAssets(assets);
    }
    StopAllegro();
    return status;
}
