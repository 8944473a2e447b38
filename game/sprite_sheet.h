// Where every picture lies in the 512 x 384 sprite sheet.
//
// Everything the game shows is cut from this one picture. Pictures drawn over
// a background come with a mask: white where the picture is pure black
// background, black where the picture has paint. A masked draw is the mask
// with AND followed by the picture with XOR.
//
// The art generator (tools/art) and the sheet tests use these same constants,
// so the layout is written down exactly once.
#pragma once

namespace sheet {

constexpr int Width = 512;
constexpr int Height = 384;

// Font: 64 glyphs of 16 x 16 for the characters 0x20 to 0x5F, 16 per row.
constexpr int GlyphSize = 16;
constexpr int FirstGlyph = 0x20;
constexpr int LastGlyph = 0x5F;

// Bonus numbers 100 to 800: value v (1..8) at (BonusX + 32 v, 0), 32 x 16,
// mask at (BonusX + 32 v, MaskRowBonus). 900 and 1000 sit at v = 9 and 10 of
// the same row band (y = 16) and are never drawn.
constexpr int BonusX = 224;
constexpr int BonusW = 32;
constexpr int BonusH = 16;
constexpr int BonusY = 0;
constexpr int Bonus900X = 256;
constexpr int Bonus1000X = 288;
constexpr int Bonus900Y = 16;

// Character frames, 32 x 32, frame f at x = 32 f.
constexpr int Cell = 32;
constexpr int HeroineRow = 64;     // heroine and kind-2 enemies
constexpr int EnemyRow = 96;       // kind-1 enemies
constexpr int HeroineMaskRow = 224;
constexpr int EnemyMaskRow = 256;
constexpr int FrameCount = 12;

// The editor's palette icons of the room codes 0 to 10 (never drawn from here).
constexpr int PaletteIconRow = 128;

// Room tiles at (32 code, TileRow): 0 empty, 1 false brick, 2 ladder, 3 brick, 4 stone.
constexpr int TileRow = 160;
constexpr int TileEmptyX = 0;
constexpr int TileFalseBrickX = 32;
constexpr int TileLadderX = 64;
constexpr int TileBrickX = 96;
constexpr int TileStoneX = 128;

// A hole: phases 1..6 crumble at x = 128 + 32 p, phases 48..51 regrow at
// x = 32 p - 1184; pictures in TileRow, masks in HoleMaskRow.
constexpr int HoleMaskRow = 320;
constexpr int holeX(int phase) { return phase <= 6 ? 128 + 32 * phase : 32 * phase - 1184; }
constexpr int SpareBrickX = 480;   // a whole brick, reached only by a bad room code

// Objects row.
constexpr int ObjectRow = 192;
constexpr int BombX = 0;           // frames 0..2 at x = 32 f
constexpr int FragmentX = 96;      // 4 x 4
constexpr int FragmentSize = 4;
constexpr int AppleX = 128;
constexpr int BagX = 160;
constexpr int itemX(int kind) { return 96 + 32 * kind; } // 1 apple, 2 money bag

// Masks of objects.
constexpr int ObjectMaskRow = 352;
constexpr int BombMaskX = 0;

// Title logo, 256 x 32.
constexpr int LogoX = 0;
constexpr int LogoY = 288;
constexpr int LogoW = 256;
constexpr int LogoH = 32;

} // namespace sheet

// The editor's 512 x 32 palette strip: slot s (0..10) shows room code s.
namespace strip {
constexpr int Width = 512;
constexpr int Height = 32;
constexpr int SlotCount = 11;
constexpr int PreviewX = 416;      // the 32 x 32 preview box
constexpr int LabelColumn = 29;    // "R%2d" printed at x = 16 * 29, y = 8
constexpr int LabelY = 8;
} // namespace strip
