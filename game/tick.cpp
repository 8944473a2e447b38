// The tick: what each game state does, the title screen and the play tick's order.
#include "engine.h"
#include "sprite_sheet.h"

#include <cstdio>

void Game::Timer1Timer() {
    SoundCountThisTick = 0;
    switch (GameState) {
    case StatePlay: playTick(); break;
    case StateClearWait:
        if (KeyState.any) clearWaitAction();
        break;
    case StateTitle:
        if (KeyState.space) startGame();
        break;
    case StateGameOver:
        if (KeyState.any) {
            setTimerEnabled(false);
            Puttit();
        }
        break;
    case StateEnding: endingTick(); break;
    default: ++GameState; break; // the pause after a room clear runs 1..5, then waits
    }
}

// One step of play. Each phase walks its whole table before the next begins,
// and each draws onto the playfield, so later phases are drawn on top:
// scenery, items, heroine, bombs, fragments, holes, enemies, bonus numbers.
void Game::playTick() {
    Image1.blit(0, 0, PlayfieldWidth, PlayfieldHeight, Image2, 0, 0, Rop::Copy);
    SoundPlayedThisTick = 0;
    itemPhase();
    ladderRevealPhase();
    if (!heroinePhase()) return; // the room restarted or the game is over
    drawHeroine();
    bombDrop();
    bombPhase();
    fragmentPhase();
    holePhase();
    enemyPhase();
    popupPhase();
    crushTest();
    roomClearTest();
    host_->showPlayfield();
}

void Game::Puttit() {
    host_->setCaption("ZOMMEL & VRIX");
    Image1.fillBlack(0, 0, PlayfieldWidth, PlayfieldHeight);
    Image2.fillBlack(0, 0, PlayfieldWidth, PlayfieldHeight);
    Image4.fillBlack(0, 0, PlayfieldWidth, StatusBarHeight);
    Image2.blit(128, 64, sheet::LogoW, sheet::LogoH, Image3, sheet::LogoX, sheet::LogoY, Rop::Copy);
    prin(6, 10, "ZOMMEL");
    Image2.blit(64, 152, 32, 32, Image3, 3 * 32, sheet::HeroineRow, Rop::Copy);
    prin(8, 13, "CURSOR KEY   MOVE");
    prin(8, 15, "SHIFT KEY    BOMB");
    prin(9, 20, "PUSH SPACE KEY");
    prin(4, 23, "(C) 2026 ZOMMEL & VRIX TEAM");
    host_->showStatusBar();
    Dasu();
    char line[48];
    std::snprintf(line, sizeof line, "HI-SCORE %5d00", HiScore);
    prin2(8, line);
    host_->showStatusBar();
    GameState = StateTitle;
    KeyState.space = 0;
    PlayMode = ModeBuiltIn;
    setTimerEnabled(true);
}
