#pragma once
// The level designer: the pack being edited, the tool in hand, the checker's
// findings, the solver's searches, test-play with the game's own frame, and
// the files that keep the work. One call of DesignFrame is one frame, with
// its input taken from and its picture handed to a FrameIo, as the game's.
#include <bitset>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "design/clipboard.h"
#include "design/design_bar_layout.h"
#include "design/design_doc.h"
#include "design/design_file.h"
#include "design/level_solves.h"
#include "packs/pack_checker.h"
#include "game/frame_loop.h"
#include "game/input.h"
#include "sim/world.h"

struct Assets;
struct Picture;
class FrameIo;

namespace design {

// Unsaved work reaches the recovery file this long after its first change.
constexpr double kAutosaveSeconds = 10;

struct DesignPictures {
    const Assets* game = nullptr;  // the back buffer and the game's pictures
    Picture* bar = nullptr;
};

// The checker's findings of the level shown, for the revision they are of.
struct LevelCheck {
    uint64_t revision = ~uint64_t{0};
    int level = -1;
    std::vector<Finding> findings;
    int errors = 0, warnings = 0;
};

enum class Drag {
    None,
    Draw,           // the tool's own drag: a row or column, an exit's rectangle
    Move,           // Shift: the one object under the cursor
    Fill,           // Shift with blocks or bricks: a filled rectangle
    Erase,          // the eraser: everything the stroke passes over
    Select,         // a rectangle that selects what lies inside it
    MoveSelection,  // the selection, dragged
};

struct Designer {
    Designer(std::string path, OpenedDesign opened);

    std::string path;
    DesignDoc doc;
    Tool tool = Tool::Block;

    bool barShown = true;
    bool help = false;
    bool findings = false;
    bool renaming = false;
    std::string renameText;
    std::string message;  // the bar's last line
    bool messageFailed = false;  // it says a file was not written: shown in red
    void Say(std::string text, bool failed = false) {
        message = std::move(text);
        messageFailed = failed;
    }
    std::string playNote;  // "completed with N bombs", of the level as it was played

    InputSample in;
    int prevButtons = 0;
    std::bitset<kKeyCount> prevKeys;
    Drag drag = Drag::None;
    int pressX = 0, pressY = 0;
    bool dragMoved = false;  // the mouse left the press point during the drag
    int lastX = 0, lastY = 0;  // the mouse in the last frame
    int fieldX = kScreenWidth / 2, fieldY = 200;  // its last place over the play-field: where a paste goes
    std::vector<int> stroke;   // what the eraser's drag has passed over, by record
    uint64_t frames = 0;       // frames drawn: lines too long for the bar scroll by it
    int findingsTop = 0;       // the first line of the findings shown

    // The selected records of the level shown, in order, valid for the
    // revision and level they were made for: any other change drops them.
    std::vector<int> selection;
    uint64_t selectionRevision = ~uint64_t{0};
    int selectionLevel = -1;
    void Select(std::vector<int> records) {
        selection = std::move(records);
        selectionRevision = doc.Revision();
        selectionLevel = doc.Current();
    }
    Clipboard clipboard{ClipboardPath()};

    LevelCheck check;
    LevelSolves solves;

    bool playing = false;
    bool startPlay = false;  // Tab pressed: test-play starts with the next frame
    GameState shell;         // test-play: the game's frames on a world of their own
    std::vector<LevelRecord> playRecords;  // the level under test-play, as the world was built from it
    World world;             // the level shown, as the game builds it, for drawing
    uint64_t builtRevision = ~uint64_t{0};  // the design's world, built for this revision and level
    int builtLevel = -1;

    bool quitAsked = false;
    bool quit = false;
    // Seconds on a steady clock; tests set their own.
    std::function<double()> clock;
    double pendingSince = -1;  // when the first change not in the recovery file was made
    uint64_t autosavedRevision = ~uint64_t{0};
    bool autosaveOnDisk = false;  // this session's (or the opened) recovery file exists
    std::string recoveryError;    // why the last try to write the recovery file failed
    DesignFiles files;            // FILE's lock, recovery file and what FILE held
};

// One frame, presented. False once the designer is to close; by then any
// unsaved work is in the recovery file.
bool DesignFrame(Designer& d, const DesignPictures& pictures, FrameIo& io);

// Writes unsaved work to the recovery file now, unless it is there already.
// False, with the message on the bar, when it cannot.
bool SaveRecovery(Designer& d);

// Once the designer has closed: empty when no work is lost, otherwise the
// line that says what was not kept and where it could not be written.
std::string LostWork(const Designer& d);

}  // namespace design
