// Between rooms: the room-clear screen and its wait, the end of a life, game
// over with the high score, and the ending after the tenth room.
#include "engine.h"
#include "sprite_sheet.h"

#include <cstdio>

void Game::roomClearTest() {
    if (ApplesLeft == 0 && Player.y == -32) roomClear();
}

void Game::roomClear() {
    GameState = StateClearPause;
    setTimerEnabled(false);
    Image2.fillBlack(0, 0, PlayfieldWidth, PlayfieldHeight);
    char line[48];
    std::snprintf(line, sizeof line, "ROOM %2d CLEAR!", RoomIndex + 1);
    prin(9, 4, line);
    const int share = BagsTotal != 0 ? BagsTaken * 100 / BagsTotal : 0;
    std::snprintf(line, sizeof line, "ITEM  %3d%%", share);
    prin(11, 6, line);
    if (share == 100) {
        Score += 10;
        prin(6, 7, "PERFECT! BONUS 1000");
    }
    prin(2, 13, "THANK YOU, ZOMMEL!");
    Image2.blit(64, 224, 32, 32, Image3, 3 * 32, sheet::EnemyRow, Rop::Copy);
    // One apple for every room reached so far, this one included.
    for (int i = 0; i <= RoomIndex && i < RoomsPerSet; ++i)
        Image2.blit(112 + 32 * i, 224, 32, 32, Image3, sheet::AppleX, sheet::ObjectRow, Rop::Copy);
    Dasu();
    sound(SoundRoomClear);
    setTimerEnabled(true);
}

void Game::clearWaitAction() {
    if (PlayMode != ModeTestPlay) {
        ++Lives;
        ++RoomIndex;
    }
    setTimerEnabled(false);
    if (RoomIndex >= RoomsPerSet) {
        if (PlayMode == ModeBuiltIn) {
            GameState = StateEnding;
            Image2.fillBlack(0, 0, PlayfieldWidth, PlayfieldHeight);
            Dasu();
            setTimerEnabled(true);
        } else {
            Puttit();
        }
        return;
    }
    Putsta(); // in test play the same room again
}

void Game::deathEnd() {
    setTimerEnabled(false);
    if (PlayMode == ModeTestPlay) {
        Putsta();
        return;
    }
    if (Lives-- > 0) {
        Putsta(); // the room comes back as stored; the score stays
        return;
    }
    Image2.fillBlack(0, 0, PlayfieldWidth, PlayfieldHeight);
    prin(11, 12, "GAME  OVER");
    if (Score > HiScore) {
        HiScore = Score;
        prin(12, 14, "HI-SCORE!");
    }
    Dasu();
    GameState = StateGameOver;
    setTimerEnabled(true);
}

// Apples pile up on the black screen, one more each tick, under the closing lines.
void Game::endingTick() {
    const int x = random() % 480;
    const int y = random() % 352;
    Image1.drawMasked(x, y, 32, 32, Image3, sheet::AppleX, sheet::ObjectMaskRow, sheet::AppleX,
                      sheet::ObjectRow);
    prin3(8, 8, "COUNGRATULATIONS!");
    prin3(3, 16, "THANK YOU FOR YOUR PLAYING");
    host_->showPlayfield();
}
