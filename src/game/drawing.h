#pragma once
// The drawing calls of the frame and of the objects' pictures, beside the
// sprites of sprite_drawing.h, on whichever bitmaps this build has. The
// native game draws on Allegro's bitmaps, by default with Allegro's own
// calls; the web build has no Allegro and draws with the game's own drawing
// (src/raster), which makes the same pixels.
struct BITMAP;

// Who draws the copies, outlines, lines and turned sprites of the native
// game from now on: Allegro (the default), or the game's own drawing on
// Allegro's bitmaps. The web build always draws its own way.
enum class Drawer { Allegro, Own };
void UseDrawer(Drawer drawer);

int PictureWidth(BITMAP* picture);
int PictureHeight(BITMAP* picture);
// A colour of the game's 16-bit pictures from 8-bit channels.
int PictureColour(int r, int g, int b);

// Allegro's blit: w x h pixels from (sx, sy) of from to (dx, dy) of to.
void CopyPicture(BITMAP* from, BITMAP* to, int sx, int sy, int dx, int dy, int w, int h);
// A masked sprite turned about its centre by angle 256ths of a turn
// (clockwise on the screen), with its unturned top left corner at (x, y).
void DrawTurnedSprite(BITMAP* target, BITMAP* sprite, int x, int y, int angle);
void DrawOutline(BITMAP* target, int x1, int y1, int x2, int y2, int colour);
void DrawStraightLine(BITMAP* target, int x1, int y1, int x2, int y2, int colour);
