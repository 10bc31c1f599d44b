#pragma once
// The player's edition's drawing, all through the game's drawing calls
// (game/drawing.h): panels, text placed and shadowed, a level's number and
// name, and the title's big letters.
#include <string>

struct Picture;

namespace edition {

int White();
int Grey();
int Amber();
int Green();
int Red();
int PanelBlue();

// A dark translucent panel with a thin frame, as the level chooser's.
void Panel(Picture* target, int x1, int y1, int x2, int y2);
// One line of the 8 x 8 font with a dark shadow, its top left at (x, y).
void Text(Picture* target, const std::string& text, int x, int y, int colour);
void TextCentred(Picture* target, const std::string& text, int centreX, int y, int colour);
int Width(const std::string& text);
// "5.9 s": frames at 60 a second, in tenths.
std::string SecondsText(int frames);

// "3 · Brick Cellar": a level's number and its name, or "Level 3" where it
// has none of its own. The dot is drawn, not a character, so any font will do.
struct LevelLabel {
    int number = 0;  // from 1
    std::string name;  // empty: none of its own
};
LevelLabel LabelOf(int index, const std::string& name);
int LabelWidth(const LevelLabel& label);
void DrawLabel(Picture* target, const LevelLabel& label, int x, int y, int colour);
// The same as plain text, for the window's title: "3 · Brick Cellar".
std::string LabelText(const LevelLabel& label);

// Words in big letters made of bevelled squares, cell pixels a square,
// centred on centreX; letters the set lacks are left as gaps.
void BlockWord(Picture* target, const char* word, int centreX, int top, int cell);
int BlockWordWidth(const char* word, int cell);

}  // namespace edition
