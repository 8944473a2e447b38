// The main window's menu: its items, RESET, PAUSE, SOUND, QUIT and closing
// the window, in ordinary play and in test play.
#include "windows.h"

#include <QScreen>

#include <QMenuBar>

namespace {

// The menu bar as text, one line per menu and item, in menu order.
QStringList describeMenus(QMenuBar* bar) {
    QStringList lines;
    for (QAction* top : bar->actions()) {
        lines << top->text();
        for (QAction* a : top->menu()->actions()) {
            if (a->isSeparator()) {
                lines << QStringLiteral("  %1 -").arg(a->objectName());
                continue;
            }
            QString line = QStringLiteral("  %1 \"%2\" %3")
                               .arg(a->objectName(), a->text(), a->shortcut().toString());
            if (a->isCheckable()) line += a->isChecked() ? " [x]" : " [ ]";
            if (!a->isEnabled()) line += " disabled";
            lines << line;
        }
    }
    return lines;
}

// Starts test play of an empty room with the heroine at its lower left.
void startTestPlay(Windows& w) {
    w.form1.Edit1Click();
    w.form2.EditorRoomSet[10 * 16 + 1] = CodeHeroine;
    w.form2.PLAY2Click();
}

} // namespace

class MainMenuTest : public QObject {
    Q_OBJECT
  private slots:
    void windowLayout();
    void menuTree_data();
    void menuTree();
    void pauseFreezesTheTitle();
    void pauseStopsEveryScreen();
    void resetLeavesThePauseMark();
    void resetDropsAGame();
    void soundSwitchesEffectsOff();
    void quitAndClose_data();
    void quitAndClose();
    void disabledItemsSwallowTheirKeys();
};

void MainMenuTest::windowLayout() {
    Windows w;
    TForm1& m = w.form1;
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QCOMPARE(m.windowTitle(), QStringLiteral("ZOMMEL & VRIX"));
    QCOMPARE(m.centralWidget()->size(), QSize(512, 416));
    QCOMPARE(m.minimumSize(), m.maximumSize()); // a fixed frame
    const Qt::WindowFlags flags = m.windowFlags();
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(m.frameGeometry().topLeft(),
             QPoint(screen.width() / 2 - 256, qMax(0, screen.height() / 2 - 240)));

    // The playfield and the status bar show the game's own surfaces.
    auto* image1 = m.findChild<QWidget*>(QStringLiteral("Image1"));
    auto* image4 = m.findChild<QWidget*>(QStringLiteral("Image4"));
    QCOMPARE(image1->geometry(), QRect(0, 0, 512, 384));
    QCOMPARE(image4->geometry(), QRect(0, 384, 512, 32));
    QVERIFY(viewShows(image1, w.game().Image1));
    QVERIFY(viewShows(image4, w.game().Image4));
}

void MainMenuTest::menuTree_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QStringList>("menus");

    const QStringList start = {
        "&FILE",
        "  Reset1 \"&RESET\" F1",
        "  Edit1 \"&EDIT MODE\" F2",
        "  Play1 \"&PLAY EDIT\" F3",
        "  PAUSE1 \"PAUSE\" F4 [ ]",
        "  N1 -",
        "  Quit1 \"&QUIT\" Esc",
        "&OPTION",
        "  WAIT1 \"&WAIT\" F5",
        "  N2 -",
        "  SOUND1 \"SOUND\" F6 [x]",
    };
    QStringList testing = start;
    for (int i : {1, 2, 3}) testing[i] += " disabled";
    QStringList pausedQuiet = start;
    pausedQuiet[4] = "  PAUSE1 \"PAUSE\" F4 [x]";
    pausedQuiet[10] = "  SOUND1 \"SOUND\" F6 [ ]";

    QTest::newRow("at start") << "start" << start;
    QTest::newRow("in test play") << "testing" << testing;
    QTest::newRow("back in the editor after a test") << "back in editor" << testing;
    QTest::newRow("editor left after a test") << "editor left" << start;
    QTest::newRow("F4 and F6") << "paused and quiet" << pausedQuiet;
}

void MainMenuTest::menuTree() {
    QFETCH(QString, state);
    QFETCH(QStringList, menus);
    Windows w;
    if (state != "start" && state != "paused and quiet") startTestPlay(w);
    if (state == "back in editor" || state == "editor left") w.form1.Quit1Click();
    if (state == "editor left") {
        auto box = answerBox(QMessageBox::Yes);
        w.form2.Quit();
        QVERIFY(box->opened);
    }
    if (state == "paused and quiet") {
        QVERIFY(activate(&w.form1));
        QTest::keyClick(&w.form1, Qt::Key_F4);
        QTest::keyClick(&w.form1, Qt::Key_F6);
    }
    QCOMPARE(describeMenus(w.form1.menuBar()), menus);
}

void MainMenuTest::pauseFreezesTheTitle() {
    Windows w;
    QVERIFY(activate(&w.form1));
    QCOMPARE(w.game().GameState, StateTitle);
    QVERIFY(w.form1.timer().isActive());

    QTest::keyClick(&w.form1, Qt::Key_F4);
    QVERIFY(w.form1.PAUSE1->isChecked());
    QVERIFY(!w.form1.timer().isActive());

    // The keys are still recorded, but no tick looks at them.
    QTest::keyPress(&w.form1, Qt::Key_Space);
    QCOMPARE(w.game().KeyState.space, 1);
    QTest::keyRelease(&w.form1, Qt::Key_Space);
    QCOMPARE(w.game().KeyState.space, 0);

    QTest::keyClick(&w.form1, Qt::Key_F4);
    QVERIFY(!w.form1.PAUSE1->isChecked());
    QVERIFY(w.form1.timer().isActive());
    w.tick();
    QCOMPARE(w.game().GameState, StateTitle); // SPACE started nothing

    QTest::keyPress(&w.form1, Qt::Key_Space); // while running, it does
    w.tick();
    QCOMPARE(w.game().GameState, StatePlay);
}

void MainMenuTest::pauseStopsEveryScreen() {
    Windows w;
    w.game().startGame();
    QCOMPARE(w.game().GameState, StatePlay);
    w.form1.PAUSE1->trigger();
    QVERIFY(!w.form1.timer().isActive());
    QCOMPARE(w.game().GameState, StatePlay); // the game is not looked at
    w.form1.PAUSE1->trigger();
    QVERIFY(w.form1.timer().isActive());

    // A room start runs the timer whatever the mark says; PAUSE then only
    // clears the mark.
    w.form1.PAUSE1->trigger();
    w.game().Putsta();
    QVERIFY(w.form1.timer().isActive());
    QVERIFY(w.form1.PAUSE1->isChecked());
    w.form1.PAUSE1->trigger();
    QVERIFY(!w.form1.PAUSE1->isChecked());
    QVERIFY(w.form1.timer().isActive());
}

void MainMenuTest::resetLeavesThePauseMark() {
    Windows w;
    QVERIFY(activate(&w.form1));
    QTest::keyClick(&w.form1, Qt::Key_F4);
    QTest::keyClick(&w.form1, Qt::Key_F1);
    QCOMPARE(w.game().GameState, StateTitle);
    QVERIFY(w.form1.timer().isActive()); // the title runs
    QVERIFY(w.form1.PAUSE1->isChecked());

    QTest::keyClick(&w.form1, Qt::Key_F4);
    QVERIFY(!w.form1.PAUSE1->isChecked());
    QVERIFY(w.form1.timer().isActive());
}

void MainMenuTest::resetDropsAGame() {
    Windows w;
    w.game().startGame(4);
    w.game().Score = 37;
    w.form1.setWindowTitle(QStringLiteral("ZOMMEL & VRIX - rooms.zom"));
    w.game().PlayMode = ModeLoadedSet;
    w.form1.Reset1->trigger();
    QCOMPARE(w.game().GameState, StateTitle);
    QCOMPARE(w.game().PlayMode, ModeBuiltIn);
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("ZOMMEL & VRIX"));
    QVERIFY(w.form1.timer().isActive());
}

void MainMenuTest::soundSwitchesEffectsOff() {
    Windows w;
    QVERIFY(activate(&w.form1));
    QTest::keyClick(&w.form1, Qt::Key_F6);
    QVERIFY(!w.form1.SOUND1->isChecked());
    QCOMPARE(w.game().SoundOn, 0);

    // A bomb placed with sound off makes no sound and leaves the gate open.
    w.game().startGame();
    QTest::keyPress(&w.form1, Qt::Key_Shift);
    w.tick();
    QVERIFY(w.game().BombTable.timer[0] != 0);
    QCOMPARE(w.game().SoundCountThisTick, 0);
    QCOMPARE(w.game().SoundPlayedThisTick, 0);
    QTest::keyRelease(&w.form1, Qt::Key_Shift);

    QTest::keyClick(&w.form1, Qt::Key_F6);
    QVERIFY(w.form1.SOUND1->isChecked());
    QCOMPARE(w.game().SoundOn, 1);
    QTest::keyPress(&w.form1, Qt::Key_Shift);
    w.tick();
    QVERIFY(w.game().BombTable.timer[1] != 0);
    QCOMPARE(w.game().SoundCountThisTick, 1);
    QCOMPARE(w.game().SoundsThisTick[0], int(SoundBombPlaced));
}

void MainMenuTest::quitAndClose_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("testPlay");
    for (const char* how : {"Esc", "QUIT", "close box"}) {
        QTest::addRow("%s", how) << how << false;
        QTest::addRow("%s in test play", how) << how << true;
    }
}

void MainMenuTest::quitAndClose() {
    QFETCH(QString, how);
    QFETCH(bool, testPlay);
    Windows w;
    if (testPlay) {
        startTestPlay(w);
        for (int i = 0; i < 3; ++i) {
            w.game().FormKeyDown(VkRight);
            w.tick();
        }
    }
    QVERIFY(activate(&w.form1));
    const RoomSet rooms = w.form2.EditorRoomSet;
    const PlayerRecord player = w.game().Player;
    const auto state = w.game().GameState;

    const bool ended = endsTheProgram([&] {
        if (how == "Esc")
            QTest::keyClick(&w.form1, Qt::Key_Escape);
        else if (how == "QUIT")
            w.form1.Quit1->trigger();
        else
            w.form1.close();
    });
    QCOMPARE(ended, !testPlay);
    if (!testPlay) return;

    // Back in the editor, the game frozen where it was.
    QVERIFY(!w.form1.isVisible());
    QVERIFY(w.form2.isVisible());
    QVERIFY(!w.form1.timer().isActive());
    QCOMPARE(w.game().PlayMode, ModeTestPlay);
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("TEST PLAY"));
    QVERIFY(!w.form1.Reset1->isEnabled());
    QCOMPARE(w.game().GameState, state);
    QCOMPARE(w.game().Player.x, player.x);
    QCOMPARE(w.form2.EditorRoomSet, rooms);
}

void MainMenuTest::disabledItemsSwallowTheirKeys() {
    Windows w;
    startTestPlay(w);
    QVERIFY(activate(&w.form1));
    w.tick();
    const int x = w.game().Player.x;

    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3}) {
        QTest::keyPress(&w.form1, key);
        QCOMPARE(w.game().KeyState.any, 0); // the game does not see it
        QTest::keyRelease(&w.form1, key);
    }
    for (QAction* item : {w.form1.Reset1, w.form1.Edit1, w.form1.Play1}) item->trigger();
    QCOMPARE(w.game().GameState, StatePlay);
    QCOMPARE(w.game().PlayMode, ModeTestPlay);
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("TEST PLAY"));
    QVERIFY(w.form1.isVisible());
    QVERIFY(!w.form2.isVisible());
    QVERIFY(w.form1.timer().isActive());
    QCOMPARE(w.game().Player.x, x);

    // Any other key reaches the game, Tab too.
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Tab}) {
        QTest::keyPress(&w.form1, key);
        QCOMPARE(w.game().KeyState.any, 1);
        QTest::keyRelease(&w.form1, key);
        QCOMPARE(w.game().KeyState.any, 0);
    }

    // The items still on: PAUSE, WAIT and SOUND.
    QTest::keyClick(&w.form1, Qt::Key_F4);
    QVERIFY(!w.form1.timer().isActive());
    QTest::keyClick(&w.form1, Qt::Key_F5);
    QVERIFY(w.form3.isVisible());
    QTest::keyClick(&w.form1, Qt::Key_F6);
    QCOMPARE(w.game().SoundOn, 0);
}

QTEST_MAIN(MainMenuTest)
#include "main_menu_test.moc"
