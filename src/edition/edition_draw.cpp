#include "edition/edition_draw.h"

#include <cstdio>
#include <cstring>

#include "game/drawing.h"

namespace edition {

int White() { return PictureColour(255, 255, 255); }
int Grey() { return PictureColour(170, 170, 170); }
int Amber() { return PictureColour(255, 196, 72); }
int Green() { return PictureColour(120, 230, 120); }
int Red() { return PictureColour(255, 110, 90); }
int PanelBlue() { return PictureColour(10, 14, 30); }

void Panel(Picture* target, int x1, int y1, int x2, int y2) {
    ShadeBox(target, x1, y1, x2, y2, PanelBlue(), 210);
    DrawOutline(target, x1, y1, x2, y2, Grey());
}

void Text(Picture* target, const std::string& text, int x, int y, int colour) {
    WriteText(target, text.c_str(), x + 1, y + 1, PictureColour(0, 0, 0));
    WriteText(target, text.c_str(), x, y, colour);
}

int Width(const std::string& text) { return TextWidth(text.c_str()); }

std::string SecondsText(int frames) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d s", frames / 60, frames % 60 / 6);
    return text;
}

void TextCentred(Picture* target, const std::string& text, int centreX, int y, int colour) {
    Text(target, text, centreX - Width(text) / 2, y, colour);
}

namespace {

constexpr int kDotRoom = 16;  // the dot between number and name, with a space each side

std::string NumberText(const LevelLabel& label) { return std::to_string(label.number); }

}  // namespace

LevelLabel LabelOf(int index, const std::string& name) {
    LevelLabel label{index + 1, name};
    // The built-in levels and unnamed pack levels are called "Level N" already.
    if (label.name == "Level " + std::to_string(label.number)) label.name.clear();
    return label;
}

int LabelWidth(const LevelLabel& label) {
    if (label.name.empty()) return Width("Level " + NumberText(label));
    return Width(NumberText(label)) + kDotRoom + Width(label.name);
}

void DrawLabel(Picture* target, const LevelLabel& label, int x, int y, int colour) {
    if (label.name.empty()) {
        Text(target, "Level " + NumberText(label), x, y, colour);
        return;
    }
    const std::string number = NumberText(label);
    Text(target, number, x, y, colour);
    const int dot = x + Width(number) + kDotRoom / 2 - 1;
    FillBox(target, dot + 1, y + 4, dot + 2, y + 5, PictureColour(0, 0, 0));
    FillBox(target, dot, y + 3, dot + 1, y + 4, colour);
    Text(target, label.name, x + Width(number) + kDotRoom, y, colour);
}

std::string LabelText(const LevelLabel& label) {
    if (label.name.empty()) return "Level " + NumberText(label);
    return NumberText(label) + " \u00b7 " + label.name;
}

namespace {

// Five columns by seven rows, the top row first, '#' where a square is.
struct Glyph {
    char letter;
    const char* rows[7];
};
constexpr Glyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'G', {".####", "#....", "#....", "#..##", "#...#", "#...#", ".###."}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
};

const Glyph* GlyphOf(char c) {
    for (const Glyph& g : kGlyphs)
        if (g.letter == c) return &g;
    return nullptr;
}

}  // namespace

int BlockWordWidth(const char* word, int cell) {
    const int n = static_cast<int>(std::strlen(word));
    return n == 0 ? 0 : n * 6 * cell - cell;
}

void BlockWord(Picture* target, const char* word, int centreX, int top, int cell) {
    const int light = PictureColour(255, 214, 110), face = Amber(), dark = PictureColour(150, 82, 20);
    const int shadow = PictureColour(20, 12, 30);
    int x = centreX - BlockWordWidth(word, cell) / 2;
    for (const char* c = word; *c != '\0'; ++c, x += 6 * cell) {
        const Glyph* g = GlyphOf(*c);
        if (!g) continue;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col) {
                if (g->rows[row][col] != '#') continue;
                const int x1 = x + col * cell, y1 = top + row * cell, x2 = x1 + cell - 1, y2 = y1 + cell - 1;
                FillBox(target, x1 + 3, y1 + 3, x2 + 3, y2 + 3, shadow);
                FillBox(target, x1, y1, x2, y2, dark);
                FillBox(target, x1, y1, x2 - 2, y2 - 2, light);
                FillBox(target, x1 + 2, y1 + 2, x2 - 2, y2 - 2, face);
            }
    }
}

}  // namespace edition
