// What the runner reports of a game: one JSON line per tick and the hash of
// the frame on screen.
#pragma once

#include "engine.h"

#include <cstdint>
#include <string>

// The frame on screen: the playfield's rows, then the status bar's.
constexpr int FrameWidth = PlayfieldWidth;
constexpr int FrameHeight = PlayfieldHeight + StatusBarHeight;

// The pixel at (x, y) of the frame, 0xAARRGGBB.
Pixel framePixel(const Game& game, int x, int y);

// 64-bit FNV-1a over the R, G and B bytes of every frame pixel, row by row.
std::uint64_t frameHash(const Game& game);

// The hash's steps: its start, and `count` pixels (0xAARRGGBB) added to it.
constexpr std::uint64_t FrameHashStart = 14695981039346656037ull;
std::uint64_t hashPixels(std::uint64_t hash, const Pixel* pixels, int count);

// The guard row, then rows 0 to 11: one lowercase hex digit per cell, '?' for
// a code outside 0 to 15. 208 characters.
std::string playMapText(const Game& game);

// The trace line of `tick` without its newline. `ticked` says whether the
// tick ran, so that its sounds are listed (tick 0 and a tick skipped while the
// timer is off list none).
std::string traceLine(const Game& game, std::int64_t tick, bool ticked);
