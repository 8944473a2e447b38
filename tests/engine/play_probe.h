// Helpers for tests of play: objects put straight into the tables, the
// sounds of the last tick, and the screen read back (text printed with the
// sheet font, pictures drawn with their masks).
#pragma once

#include "engine.h"

#include <string>
#include <vector>

// Objects put straight into a slot of their table.
void placeBomb(Game& g, int slot, int x, int y, int timer);
void placeFragment(Game& g, int slot, int x, int y, int dx, int dy);
void placeItem(Game& g, int slot, int x, int y, int kind);
void placeEnemy(Game& g, int slot, int x, int y, int kind, int hdir, int vdir = 0, int frame = 3);
void placeHole(Game& g, int slot, int x, int y, int phase);

// The sounds started in the last tick, in order.
std::vector<int> soundsOfLastTick(const Game& g);

// The text in `len` glyph cells from (16 col, 16 row) of `surface`: each
// 16 x 16 cell is matched against the font of `sheet` (characters 0x20 to
// 0x5F); a cell that matches no glyph reads as '?'.
std::string textAt(const Surface& surface, int col, int row, int len, const Surface& sheet);

// What the w x h rectangle at (x, y) of `background` looks like once a
// masked picture of `sheet` (mask at (maskX, maskY), picture at (picX,
// picY)) has been drawn over it.
Surface maskedOver(const Surface& background, int x, int y, int w, int h, const Surface& sheet,
                   int maskX, int maskY, int picX, int picY);
// The same drawn over black.
Surface maskedOnBlack(const Surface& sheet, int w, int h, int maskX, int maskY, int picX, int picY);

// True when the rectangle of `picture`'s size at (x, y) of `s` equals `picture`.
bool shows(const Surface& s, int x, int y, const Surface& picture);
// True when the w x h rectangle at (x, y) of `s` is all black.
bool blackAt(const Surface& s, int x, int y, int w, int h);
