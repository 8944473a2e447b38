// The game object: start-up, keys, the timer switch, cells, sound and chance.
#include "engine.h"
#include "sprite_sheet.h"

const char* const SoundFileNames[SoundCount] = {
    "set.wav", "bound.wav", "tak.wav", "ti.wav",  "tol.wav",
    "mia.wav", "bow.wav",   "era.wav", "win.wav", "clia.wav",
};

namespace {
GameHost nullHost; // a host that shows nothing and plays nothing
} // namespace

Game::Game(GameHost* host) : host_(host ? host : &nullHost) {
    // Until a set is read, PLAY EDIT's buffer holds ten empty rooms.
    LoadedRoomSet = emptyRoomSet();
}

void Game::setHost(GameHost* host) { host_ = host ? host : &nullHost; }

void Game::FormCreate(const Surface& spriteSheet) {
    Image2.blit(0, 0, PlayfieldWidth, PlayfieldHeight, spriteSheet, 0, 0, Rop::Copy);
    Image3.blit(0, 0, PlayfieldWidth, PlayfieldHeight, spriteSheet, 0, 0, Rop::Copy);
    Puttit();
}

void Game::FormKeyDown(int virtualKey) {
    KeyState.any = 1;
    switch (virtualKey) {
    case VkUp: KeyState.up = 1; break;
    case VkRight: KeyState.right = 1; break;
    case VkDown: KeyState.down = 1; break;
    case VkLeft: KeyState.left = 1; break;
    case VkShift: KeyState.shift = 1; break;
    case VkSpace: KeyState.space = 1; break;
    default: break;
    }
}

void Game::FormKeyUp(int virtualKey) {
    KeyState.any = 0;
    switch (virtualKey) {
    case VkUp: KeyState.up = 0; break;
    case VkRight: KeyState.right = 0; break;
    case VkDown: KeyState.down = 0; break;
    case VkLeft: KeyState.left = 0; break;
    case VkShift: KeyState.shift = 0; break;
    case VkSpace: KeyState.space = 0; break;
    default: break;
    }
}

void Game::setTimerEnabled(bool enabled) {
    Timer1Enabled = enabled;
    host_->timerEnabledChanged(enabled);
}

int Game::cell(int row, int col) const {
    if (row < -1 || row >= RoomRows || col < 0 || col >= RoomColumns) return CodeStone;
    return PlayMap[row + 1][col];
}

void Game::setCell(int row, int col, int code) {
    if (row < -1 || row >= RoomRows || col < 0 || col >= RoomColumns) return;
    PlayMap[row + 1][col] = static_cast<std::int8_t>(code);
}

int Game::random() {
    RandomState = RandomState * 22695477u + 1u;
    return static_cast<int>((RandomState >> 16) & 0x7FFF);
}

void Game::sound(int id) {
    if (SoundPlayedThisTick) return;
    if (DyingCounter) return;
    if (!SoundOn) return;
    SoundPlayedThisTick = 1;
    if (id < 0 || id >= SoundCount) return;
    if (SoundCountThisTick < static_cast<int>(sizeof SoundsThisTick / sizeof *SoundsThisTick))
        SoundsThisTick[SoundCountThisTick++] = id;
    host_->playSound(id);
}
