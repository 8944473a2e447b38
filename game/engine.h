// The game engine: every piece of game state and the tick that advances it.
//
// This header is the engine's whole contract with its host (the Qt window,
// the headless runner, the tests). The host turns keys into FormKeyDown /
// FormKeyUp, runs Timer1Timer whenever its timer fires while the engine has
// the timer enabled, and shows Image1 (playfield) and Image4 (status bar)
// when asked. The engine never reads a clock, opens a dialog or plays audio:
// it asks the host through GameHost.
//
// All state is fixed arrays inside one Game object. Nothing is allocated once
// the object exists, so every Game starts as a fresh, deterministic game.
// Object tables keep one array per field and one status byte per slot; a slot
// is free when its status byte is 0 and a new object takes the first free slot.
#pragma once

#include "rooms.h"
#include "surface.h"

#include <cstdint>

// What the engine asks of the window that hosts it. Every call returns at once.
class GameHost {
public:
    virtual ~GameHost() = default;
    virtual void timerEnabledChanged(bool /*enabled*/) {}
    virtual void showPlayfield() {}   // repaint Image1 now, before going on
    virtual void showStatusBar() {}   // repaint Image4 now
    virtual void playSound(int /*id*/) {} // start wave file `id`, cutting off the one playing
    virtual void setCaption(const char* /*text*/) {}
};

// Windows virtual-key codes: the keys the game itself reads.
enum VirtualKey {
    VkShift = 16,
    VkSpace = 32,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
};

// What a tick does (GameState). 1 to 5 are the pause after a room clear.
enum GameStateValue : std::int8_t {
    StatePlay = 0,
    StateClearPause = 1,
    StateClearWait = 6,
    StateTitle = 8,
    StateGameOver = 9,
    StateEnding = 10,
};

// Where rooms come from (PlayMode).
enum PlayModeValue : std::int8_t {
    ModeBuiltIn = 0,
    ModeTestPlay = 1,
    ModeLoadedSet = 2,
};

// Prints text with the sheet font, glyph i at (x + 16 i, y), each glyph an
// opaque 16 x 16 copy. Characters outside the font (0x20 to 0x5F) draw nothing.
void drawText(Surface& dst, int x, int y, const char* text, const Surface& spriteSheet);

// The ten sound effects.
enum SoundId {
    SoundApple = 0,
    SoundBound = 1,
    SoundBombPlaced = 2,
    SoundBrickBroken = 3,
    SoundTone = 4,
    SoundBag = 5,
    SoundBurst = 6,
    SoundLastApple = 7,
    SoundDeath = 8,
    SoundRoomClear = 9,
    SoundCount = 10,
};

// The wave file of each sound id, looked for beside the executable.
extern const char* const SoundFileNames[SoundCount];

constexpr int PlayfieldWidth = 512;
constexpr int PlayfieldHeight = 384;
constexpr int StatusBarHeight = 32;

constexpr int EnemySlots = 154;
constexpr int ItemSlots = 154;
constexpr int BombSlots = 16;
constexpr int FragmentSlots = 64;
constexpr int HoleSlots = 32;
constexpr int PopupSlots = 32;

struct PlayerRecord {
    std::int32_t x, y;   // top-left of her 32 x 32 sprite, multiples of 16
    std::int32_t dx;     // last horizontal step, +16 or -16
    std::int32_t dy;     // last climbing step, +16 or -16
    std::int32_t frame;  // sprite frame 0..11
    std::int32_t facing; // 0 after a step left, 3 after a step right
};

struct EnemyTableRecord {
    std::int32_t x[EnemySlots], y[EnemySlots];
    std::int32_t hdir[EnemySlots];  // +16 right, -16 left, 1 fresh; while dying: the kind
    std::int32_t vdir[EnemySlots];  // +16 climbing down, -16 up, 0 not climbing
    std::int32_t frame[EnemySlots];
    std::int8_t state[EnemySlots];  // 0 free, 1/2 alive of that kind, 3..47 dying
};

struct ItemTableRecord {
    std::int32_t x[ItemSlots], y[ItemSlots];
    std::uint8_t kind[ItemSlots];   // 0 free, 1 apple, 2 money bag
};

struct BombTableRecord {
    std::int32_t x[BombSlots], y[BombSlots];
    std::int8_t timer[BombSlots];   // 0 free, 1..11 fuse count; bursts on reaching 12
};

struct FragmentTableRecord {
    std::int32_t x[FragmentSlots], y[FragmentSlots];   // top-left of the 4 x 4 particle
    std::int32_t dx[FragmentSlots], dy[FragmentSlots]; // pixels per tick
    std::uint8_t active[FragmentSlots];
};

struct HoleTableRecord {
    std::int32_t x[HoleSlots], y[HoleSlots]; // the broken cell's corner
    std::int8_t phase[HoleSlots];            // 0 free, 1..6 crumbling, 7..47 open, 48..51 regrowing
};

struct PopupTableRecord {
    std::int32_t x[PopupSlots], y[PopupSlots]; // top-left of the 32 x 16 number
    std::int8_t timer[PopupSlots];             // ticks shown, 0..11
    std::uint8_t value[PopupSlots];            // 0 free, else the award in hundreds, 1..8
};

struct KeyStateRecord {
    std::uint8_t up, right, down, left, shift;
    std::uint8_t any;   // some key is down (cleared by any key-up)
    std::uint8_t space;
};

class Game {
public:
    explicit Game(GameHost* host = nullptr);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void setHost(GameHost* host);

    // Start-up: the sheet is copied into Image2 and Image3, then the title is shown.
    void FormCreate(const Surface& spriteSheet);

    // Key handlers: they only set and clear KeyState; the next tick acts on it.
    void FormKeyDown(int virtualKey);
    void FormKeyUp(int virtualKey);

    // One tick of Timer1.
    void Timer1Timer();

    // Timer1.Enabled; the host runs Timer1Timer only while it is set.
    bool timerEnabled() const { return Timer1Enabled; }
    void setTimerEnabled(bool enabled);

    // Title screen (RESET, game over, leaving the editor).
    void Puttit();
    // Room start of the current room of the current PlayMode.
    void Putsta();
    // A new game of the built-in set from room index `room` (SPACE on the title starts 0).
    void startGame(int room = 0);
    // PLAY EDIT once a set has been read: plays `set` from its first room.
    void startLoadedSet(const RoomSet& set);
    // TEST PLAY: plays the 192 room bytes at `room` (kept by the caller) as room `index`.
    void startTestPlay(const std::uint8_t* room, int index);

    // Sound request: at most one effect per play tick, none while she dies.
    void sound(int id);

    // Text printers with the sheet font on a 16-pixel grid.
    void prin(int col, int row, const char* text);   // into Image2
    void prin3(int col, int row, const char* text);  // onto Image1
    void prin2(int col, const char* text);           // into the status bar at y = 8
    void Putsc();                                    // the status line
    void Dasu();                                     // wipes Image2 onto Image1 in four passes

    // Position queries.
    bool Chitem(int x, int y) const;
    bool Chenemy(int x, int y) const;
    bool Chenemy2(int x, int y) const;
    // The award of the bonus chain.
    void Putno(int x, int y, int step);
    // The game's pseudo-random generator: never reseeded, first draw 346.
    int random();

    // Cell code at (row, column); row -1 is the guard row. Anything outside
    // the grid reads as stone.
    int cell(int row, int col) const;
    void setCell(int row, int col, int code);

    // ---- state ----
    Surface Image1{PlayfieldWidth, PlayfieldHeight};  // the playfield shown
    Surface Image2{PlayfieldWidth, PlayfieldHeight};  // background: scenery or screen text
    Surface Image3{PlayfieldWidth, PlayfieldHeight};  // the sprite sheet
    Surface Image4{PlayfieldWidth, StatusBarHeight};  // the status bar

    KeyStateRecord KeyState{};
    std::int8_t PlayMap[RoomRows + 1][RoomColumns]{}; // row 0 here is the guard row (-1)

    PlayerRecord Player{};
    EnemyTableRecord EnemyTable{};
    ItemTableRecord ItemTable{};
    BombTableRecord BombTable{};
    FragmentTableRecord FragmentTable{};
    HoleTableRecord HoleTable{};
    PopupTableRecord PopupTable{};

    std::int32_t ApplesLeft = 0;       // apples still to take, in bricks too
    std::int32_t RoomIndex = 0;        // current room, 0-based
    std::int32_t Score = 0;            // in hundreds of points
    std::int32_t Lives = 0;            // lives in reserve, shown as REST
    std::int32_t HiScore = 100;        // best score in hundreds, for this run only
    std::int32_t LadderRevealRow = -1; // row the ladder reveal shows next, -1 when idle
    const std::uint8_t* RevealCursor = nullptr; // next stored room byte the reveal reads
    std::int32_t ChainValue = 0;       // current bonus step, 0 when no chain runs
    std::int32_t BagsTotal = 0;        // money bags of the room
    std::int32_t BagsTaken = 0;        // money bags collected in the room
    std::uint8_t SoundPlayedThisTick = 0;
    std::int8_t DyingCounter = 0;      // 0 alive, 1..20 while she dies
    std::int8_t GameState = 0;
    std::int8_t PlayMode = ModeBuiltIn;
    std::uint8_t SoundOn = 1;
    const std::uint8_t* TestRoom = nullptr; // the editor room under test play
    RoomSet LoadedRoomSet{};           // the set read by PLAY EDIT
    std::uint32_t RandomState = 1;

    // For hosts that record what happened: the sounds started in the last
    // tick, in order, and the text last printed on the status bar.
    int SoundsThisTick[8]{};
    int SoundCountThisTick = 0;
    char StatusText[64]{};

private:
    // Tick phases, in the order the play tick runs them.
    void playTick();
    void itemPhase();
    void ladderRevealPhase();
    bool heroinePhase();  // false when the death end took over and the tick is over
    void drawHeroine();
    void bombDrop();
    void bombPhase();
    void fragmentPhase();
    void holePhase();
    void enemyPhase();
    void popupPhase();
    void crushTest();
    void roomClearTest();

    // Pieces of the phases.
    void heroineLivingUpdate();
    void deathStart();
    void burst(int x, int y);
    void breakBrick(int slot, int row, int col, int code);
    void enemyTurn(int slot);
    void enemyDeathAnimation(int slot);
    void killEnemy(int slot, int x, int y);
    void roomClear();
    void clearWaitAction();
    void deathEnd();
    void endingTick();
    void printText(Surface& dst, int x, int y, const char* text);
    const std::uint8_t* roomSource() const;

    bool Timer1Enabled = false;
    GameHost* host_;
};
