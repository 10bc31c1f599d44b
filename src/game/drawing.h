#pragma once
// Every drawing call above the platform: the frame's, the objects'
// pictures', and the screens' over the game (the chooser, hints, the
// designer). The native game draws on Allegro's bitmaps, by default with
// Allegro's own calls; the web build has no Allegro and draws with the
// game's own drawing (src/raster), which makes the same pixels.
struct Picture;

// Who draws the copies, outlines, lines and turned sprites of the native
// game from now on: Allegro (the default), or the game's own drawing on
// Allegro's bitmaps. The web build always draws its own way.
enum class Drawer { Allegro, Own };
void UseDrawer(Drawer drawer);

int PictureWidth(Picture* picture);
int PictureHeight(Picture* picture);
// A colour of the game's 16-bit pictures from 8-bit channels.
int PictureColour(int r, int g, int b);

// Allegro's blit: w x h pixels from (sx, sy) of from to (dx, dy) of to.
void CopyPicture(Picture* from, Picture* to, int sx, int sy, int dx, int dy, int w, int h);
// A masked sprite turned about its centre by angle 256ths of a turn
// (clockwise on the screen), with its unturned top left corner at (x, y).
void DrawTurnedSprite(Picture* target, Picture* sprite, int x, int y, int angle);
void DrawOutline(Picture* target, int x1, int y1, int x2, int y2, int colour);
void DrawStraightLine(Picture* target, int x1, int y1, int x2, int y2, int colour);

// The screens over the game. A filled box, corners included.
void FillBox(Picture* target, int x1, int y1, int x2, int y2, int colour);
// The same, blended: alpha 0 leaves the target, 255 is the colour.
void ShadeBox(Picture* target, int x1, int y1, int x2, int y2, int colour, int alpha);
// A masked sprite blended over the target the same way.
void DrawShadedSprite(Picture* target, Picture* sprite, int x, int y, int alpha);
// One line of text in the 8 x 8 font, its top left at (x, y), no background.
void WriteText(Picture* target, const char* text, int x, int y, int colour);
// Its width in pixels.
int TextWidth(const char* text);
