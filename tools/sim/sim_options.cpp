#include "sim/sim_options.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "solve/level_run.h"

const char* const kSimUsage =
    "usage: zandrove-sim [--pack FILE] --level N [--bomb X,Y,FUSE]... [--frames F] [--trace]\n"
    "                    [--screenshot FILE --at FRAME]\n"
    "       zandrove-sim [--pack FILE] --level N [--bomb X,Y,FUSE]... --solve [--budget SECONDS]\n"
    "                    [--frames F] [--solutions K]\n"
    "       zandrove-sim [--pack FILE] --level N [--bomb X,Y,FUSE]... --hint [--budget SECONDS] [--frames F]\n"
    "       zandrove-sim [--pack FILE] --level N --bomb X,Y,FUSE... --forgiveness [--frames F]\n"
    "       zandrove-sim [--pack FILE] --level N --one-bomb [--budget SECONDS] [--frames F]\n"
    "       zandrove-sim [--pack FILE] --level N --random-share RUNS [--seed S] [--frames F] [--solutions K]\n"
    "       zandrove-sim --help | --version\n";

namespace {

constexpr long long kIntMax = std::numeric_limits<int>::max();

bool ParseSeconds(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v) || v <= 0 || v > 7 * 24 * 3600.0) return false;
    out = v;
    return true;
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& args, SimOptions& o, std::string& error) {
    o = SimOptions{};
    bool haveLevel = false, haveFrames = false, haveAt = false, haveBudget = false, haveShown = false,
         haveShare = false, haveSeed = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
            return true;
        }
        if (a == "--version") {
            o.version = true;
            return true;
        }
        if (a == "--trace") {
            o.trace = true;
            continue;
        }
        if (a == "--solve" || a == "--hint") {
            if (o.solve) {
                error = "--solve and --hint go alone";
                return false;
            }
            o.solve = true;
            o.hint = a == "--hint";
            continue;
        }
        if (a == "--one-bomb") {
            o.oneBomb = true;
            continue;
        }
        if (a == "--forgiveness") {
            o.forgiveness = true;
            continue;
        }
        static const char* const kWithValue[] = {"--pack", "--level", "--bomb", "--frames",
                                                  "--screenshot", "--at", "--budget", "--solutions",
                                                  "--random-share", "--seed"};
        bool known = false;
        for (const char* name : kWithValue) known = known || a == name;
        if (!known) {
            error = "unknown option '" + a + "'";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = a + " needs a value";
            return false;
        }
        const std::string& v = args[++i];
        long long n = 0;
        auto twice = [&](bool& seen) {
            if (seen) error = a + " given twice";
            const bool first = !seen;
            seen = true;
            return first;
        };
        auto fileName = [&](std::string& into) {
            if (!into.empty()) {
                error = a + " given twice";
                return false;
            }
            if (v.empty()) {
                error = a + " needs a file name";
                return false;
            }
            into = v;
            return true;
        };
        if (a == "--pack") {
            if (!fileName(o.pack)) return false;
        } else if (a == "--level") {
            if (!twice(haveLevel)) return false;
            if (!ParseInteger(v, 1, kIntMax, n)) {
                error = "--level takes a level number from 1, not '" + v + "'";
                return false;
            }
            o.level = static_cast<int>(n);
        } else if (a == "--bomb") {
            BombPlacement b;
            if (!ParseBombPlacement(v, static_cast<int>(o.bombs.size()), b, error)) return false;
            o.bombs.push_back(b);
        } else if (a == "--frames") {
            if (!twice(haveFrames)) return false;
            if (!ParseInteger(v, 0, kIntMax, n)) {
                error = "--frames takes a number of frames from 0, not '" + v + "'";
                return false;
            }
            o.frames = static_cast<int>(n);
        } else if (a == "--screenshot") {
            if (!fileName(o.screenshot)) return false;
        } else if (a == "--at") {
            if (!twice(haveAt)) return false;
            if (!ParseInteger(v, 0, kIntMax, n)) {
                error = "--at takes a frame number from 0, not '" + v + "'";
                return false;
            }
            o.at = static_cast<int>(n);
        } else if (a == "--budget") {
            if (!twice(haveBudget)) return false;
            o.budgetGiven = true;
            if (!ParseSeconds(v, o.budget)) {
                error = "--budget takes a positive number of seconds (at most a week), not '" + v + "'";
                return false;
            }
        } else if (a == "--solutions") {
            if (!twice(haveShown)) return false;
            if (!ParseInteger(v, 0, kIntMax, n)) {
                error = "--solutions takes how many solutions to print, from 0, not '" + v + "'";
                return false;
            }
            o.shown = static_cast<int>(n);
        } else if (a == "--random-share") {
            if (!twice(haveShare)) return false;
            if (!ParseInteger(v, 1, 10000000, n)) {
                error = "--random-share takes how many random bombs to play, from 1 to 10000000, not '" + v + "'";
                return false;
            }
            o.randomShare = static_cast<int>(n);
        } else if (a == "--seed") {
            if (!twice(haveSeed)) return false;
            if (!ParseInteger(v, 0, kIntMax, n)) {
                error = "--seed takes a whole number from 0, not '" + v + "'";
                return false;
            }
            o.seed = static_cast<uint64_t>(n);
        }
    }
    if (!haveLevel) {
        error = "--level N is required";
        return false;
    }
    if (o.screenshot.empty() != !haveAt) {
        error = "--screenshot FILE and --at FRAME go together";
        return false;
    }
    if (haveAt && o.at > o.frames) {
        error = "--at " + std::to_string(o.at) + " lies beyond the last frame (" + std::to_string(o.frames) + ")";
        return false;
    }
    if (o.solve && (o.trace || haveAt)) {
        error = o.hint ? "--hint does not take --trace or --screenshot" : "--solve does not take --trace or --screenshot";
        return false;
    }
    if (o.hint && haveShown) {
        error = "--hint shows the one hint: it takes no --solutions";
        return false;
    }
    if (o.hint && !haveBudget) o.budget = 20;  // a hint's own budget
    if (o.forgiveness && (o.solve || o.trace || haveAt || o.bombs.empty())) {
        error = "--forgiveness measures the --bomb options given, alone";
        return false;
    }
    if (o.oneBomb && (o.solve || o.trace || haveAt || haveShown || !o.bombs.empty())) {
        error = "--one-bomb places its own bomb: it takes no --bomb, --solve, --solutions, --trace or --screenshot";
        return false;
    }
    if (haveShare && (o.solve || o.oneBomb || o.forgiveness || o.trace || haveAt || haveBudget || !o.bombs.empty())) {
        error = "--random-share places its own bombs: it takes no --bomb, --solve, --one-bomb, --forgiveness, --budget, "
                "--trace or --screenshot";
        return false;
    }
    if (haveSeed && !haveShare) {
        error = "--seed belongs to --random-share";
        return false;
    }
    if (!o.solve && ((haveShown && !haveShare) || (haveBudget && !o.oneBomb))) {
        error = "--budget and --solutions belong to --solve (--budget also to --one-bomb, --solutions to --random-share)";
        return false;
    }
    return true;
}

bool SimOptionsFitLevel(const SimOptions& o, const LevelList& levels, std::string& error) {
    const int levelCount = static_cast<int>(levels.size());
    if (o.level < 1 || o.level > levelCount) {
        error = levelCount == 0 ? std::string("the level pack holds no complete level")
                                : "--level " + std::to_string(o.level) + " is not a level: there are levels 1 to " +
                                      std::to_string(levelCount);
        return false;
    }
    const int placeable = PlaceableBombs(levels[static_cast<size_t>(o.level - 1)].records.data());
    if (static_cast<int>(o.bombs.size()) > placeable) {
        error = std::to_string(o.bombs.size()) + " --bomb options, but level " + std::to_string(o.level) +
                "'s inventory holds " + std::to_string(placeable) + " bomb" + (placeable == 1 ? "" : "s") +
                " the HUD can take";
        return false;
    }
    return true;
}
