// Room start: every game, next room, life, test play and PLAY EDIT begins here.
#include "engine.h"
#include "sprite_sheet.h"

#include <algorithm>

const std::uint8_t* Game::roomSource() const {
    if (PlayMode == ModeTestPlay && TestRoom) return TestRoom;
    // RoomIndex is 0..9 whenever a room starts; a stray value never reads
    // outside the set.
    const int index = std::clamp(RoomIndex, 0, RoomsPerSet - 1);
    if (PlayMode == ModeLoadedSet) return LoadedRoomSet.data() + RoomBytes * index;
    return BuiltInRoomSet.data() + RoomBytes * index;
}

void Game::Putsta() {
    std::fill(std::begin(EnemyTable.state), std::end(EnemyTable.state), 0);
    std::fill(std::begin(ItemTable.kind), std::end(ItemTable.kind), 0);
    std::fill(std::begin(BombTable.timer), std::end(BombTable.timer), 0);
    std::fill(std::begin(FragmentTable.active), std::end(FragmentTable.active), 0);
    std::fill(std::begin(HoleTable.phase), std::end(HoleTable.phase), 0);
    std::fill(std::begin(PopupTable.value), std::end(PopupTable.value), 0);

    const std::uint8_t* source = roomSource();

    ApplesLeft = 0;
    Player.frame = 0;
    LadderRevealRow = -1;
    RevealCursor = source;
    DyingCounter = 0;
    ChainValue = 0;
    GameState = StatePlay;
    BagsTotal = 0;
    BagsTaken = 0;
    Player.x = 32;
    Player.y = 0;

    // The guard row: the open space above row 0, walled at both sides.
    for (int c = 0; c < RoomColumns; ++c)
        setCell(-1, c, (c == 0 || c == RoomColumns - 1) ? CodeStone : CodeEmpty);

    int enemies = 0;
    for (int r = 0; r < RoomRows; ++r) {
        for (int c = 0; c < RoomColumns; ++c) {
            const int b = static_cast<std::int8_t>(source[r * RoomColumns + c]);
            int v = CodeEmpty, t = CodeEmpty;
            switch (b) {
            case CodeHiddenLadder: break;
            case CodeApple:
                // The slot is ApplesLeft, which also counts the apples in
                // bricks read so far, so those leave a slot free below.
                if (ApplesLeft < ItemSlots) {
                    ItemTable.kind[ApplesLeft] = 1;
                    ItemTable.x[ApplesLeft] = 32 * c;
                    ItemTable.y[ApplesLeft] = 32 * r;
                    ++ApplesLeft;
                }
                break;
            case CodeHeroine:
            case CodeEnemy:
                if (b == CodeHeroine && Player.frame == 0) {
                    Player.x = 32 * c;
                    Player.y = 32 * r;
                    Player.frame = 3;
                } else if (enemies < EnemySlots) {
                    EnemyTable.state[enemies] = static_cast<std::int8_t>(9 - b);
                    EnemyTable.x[enemies] = 32 * c;
                    EnemyTable.y[enemies] = 32 * r;
                    EnemyTable.hdir[enemies] = 1;
                    EnemyTable.vdir[enemies] = 0;
                    EnemyTable.frame[enemies] = 3;
                    ++enemies;
                }
                break;
            case CodeAppleInBrick:
                ++ApplesLeft;
                v = CodeAppleInBrick;
                t = CodeBrick;
                break;
            case CodeBagInBrick:
                ++BagsTotal;
                v = CodeBagInBrick;
                t = CodeBrick;
                break;
            default:
                // A code the editor cannot make is stone, drawn as stone.
                v = t = (b >= CodeEmpty && b <= CodeStone) ? b : CodeStone;
                break;
            }
            Image2.blit(32 * c, 32 * r, 32, 32, Image3, 32 * t, sheet::TileRow, Rop::Copy);
            setCell(r, c, v);
        }
    }

    Putsc();
    KeyState.up = KeyState.right = KeyState.down = KeyState.left = 0;
    KeyState.shift = KeyState.any = 0;
    Image1.blit(0, 0, PlayfieldWidth, PlayfieldHeight, Image2, 0, 0, Rop::Copy);
    host_->showPlayfield();
    setTimerEnabled(true);
}

void Game::startGame(int room) {
    setTimerEnabled(false);
    PlayMode = ModeBuiltIn;
    Score = 0;
    RoomIndex = room;
    Lives = 5;
    Putsta();
}

void Game::startLoadedSet(const RoomSet& set) {
    setTimerEnabled(false);
    LoadedRoomSet = set;
    PlayMode = ModeLoadedSet;
    Score = 0;
    RoomIndex = 0;
    Lives = 5;
    Putsta();
}

void Game::startTestPlay(const std::uint8_t* room, int index) {
    setTimerEnabled(false);
    TestRoom = room;
    PlayMode = ModeTestPlay;
    Score = 0;
    RoomIndex = index;
    Lives = 5;
    Putsta();
}
