// Test play: the editor's shown room played in the main window with five
// lives that never run out, restarts on death and on clear, and the way back.
#include "windows.h"

#include <cstring>

namespace {

// Writes `rows` (16 characters each, hex codes, '.' empty) over room `n`
// of the editor's set, from row 0 down; the rest keeps its empty room.
void paintRoom(TForm2& editor, int n, std::initializer_list<const char*> rows) {
    std::uint8_t* room = editor.EditorRoomSet.data() + n * RoomBytes;
    makeEmptyRoom(room);
    int r = 0;
    for (const char* row : rows) {
        for (int c = 0; c < RoomColumns; ++c) {
            const char ch = row[c];
            room[r * 16 + c] = static_cast<std::uint8_t>(ch == '.'   ? 0
                                                         : ch <= '9' ? ch - '0'
                                                                     : ch - 'a' + 10);
        }
        ++r;
    }
}

// Room 3: the ladder at the left reaches the top; an apple lies between it
// and the heroine, who starts at column 3 of row 0.
void paintClearableRoom(TForm2& editor) {
    paintRoom(editor, 2,
              {
                  "4267...........4",
                  "4444...........4",
              });
}

// Room 5: an enemy stands next to the heroine.
void paintDeadlyRoom(TForm2& editor) {
    paintRoom(editor, 4,
              {
                  "4..............4",
                  "4..............4",
                  "4..............4",
                  "4..............4",
                  "4..............4",
                  "4..............4",
                  "4..............4",
                  "4..............4",
                  "4..............4",
                  "4..............4",
                  "47.8...........4",
              });
}

void testRoom(Windows& w, int room) {
    w.form1.Edit1Click();
    if (room == 2) paintClearableRoom(w.form2);
    if (room == 4) paintDeadlyRoom(w.form2);
    w.form2.EditorRoom = room;
    w.form2.Putst();
    QVERIFY(activate(&w.form2));
    QTest::keyClick(&w.form2, Qt::Key_F4);
}

// Ticks with `key` held until `done` (at most `limit` ticks).
bool tickUntil(Windows& w, int key, const std::function<bool()>& done, int limit = 100) {
    w.game().FormKeyDown(key);
    for (int i = 0; i < limit && !done(); ++i) w.tick();
    w.game().FormKeyUp(key);
    return done();
}

} // namespace

class TestPlayTest : public QObject {
    Q_OBJECT
  private slots:
    void startsTheShownRoom();
    void deathsCostNoLife();
    void aClearRestartsTheSameRoom();
    void backToTheEditorAndTestingAgain();
    void leavingTheEditorAfterATest();
};

void TestPlayTest::startsTheShownRoom() {
    Windows w;
    w.game().HiScore = 321;
    testRoom(w, 2);
    QVERIFY(w.form1.isVisible());
    QVERIFY(!w.form2.isVisible());
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("TEST PLAY"));
    QVERIFY(!w.form1.Reset1->isEnabled());
    QVERIFY(!w.form1.Edit1->isEnabled());
    QVERIFY(!w.form1.Play1->isEnabled());
    QCOMPARE(w.game().PlayMode, ModeTestPlay);
    QCOMPARE(w.game().TestRoom, w.form2.EditorRoomSet.data() + 2 * RoomBytes);
    QCOMPARE(w.game().RoomIndex, 2);
    QCOMPARE(w.game().Lives, 5);
    QCOMPARE(w.game().Score, 0);
    QCOMPARE(w.game().GameState, StatePlay);
    QCOMPARE(w.game().Player.x, 96); // her start cell in room 3
    QVERIFY(w.form1.timer().isActive());
    QCOMPARE(QString::fromLatin1(w.game().StatusText),
             QStringLiteral("ROOM  3  SCORE     000  REST 5"));
    QCOMPARE(w.game().HiScore, 321);
}

void TestPlayTest::deathsCostNoLife() {
    Windows w;
    testRoom(w, 4);
    w.game().Score = 7; // points earned before the deaths
    for (int death = 1; death <= 3; ++death) {
        QVERIFY(tickUntil(w, VkDown, [&] { return w.game().DyingCounter != 0; }));
        QVERIFY(tickUntil(w, VkDown, [&] { return w.game().DyingCounter == 0; }));
        QCOMPARE(w.game().GameState, StatePlay);
        QCOMPARE(w.game().Lives, 5);
        QCOMPARE(w.game().Score, 7);
        QCOMPARE(w.game().RoomIndex, 4);
        QCOMPARE(w.game().Player.x, 32); // the room again, from its start
        QCOMPARE(w.game().Player.y, 320);
        QCOMPARE(QString::fromLatin1(w.game().StatusText),
                 QStringLiteral("ROOM  5  SCORE     700  REST 5"));
    }
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("TEST PLAY"));
}

void TestPlayTest::aClearRestartsTheSameRoom() {
    Windows w;
    testRoom(w, 2);
    int scoreAfterFirstClear = 0;
    for (int clear = 1; clear <= 2; ++clear) {
        QVERIFY(tickUntil(w, VkLeft, [&] { return w.game().Player.x == 32; }));
        QCOMPARE(w.game().ApplesLeft, 0);
        const int score = w.game().Score;
        QVERIFY(score > (clear == 1 ? 0 : scoreAfterFirstClear));
        QVERIFY(tickUntil(w, VkUp, [&] { return w.game().GameState != StatePlay; }));
        QCOMPARE(w.game().GameState, StateClearPause);
        QVERIFY(tickUntil(w, VkUp, [&] { return w.game().GameState == StatePlay; }));
        // The same room again, with the score kept.
        QCOMPARE(w.game().RoomIndex, 2);
        QCOMPARE(w.game().Lives, 5);
        QCOMPARE(w.game().Score, score);
        QCOMPARE(w.game().ApplesLeft, 1);
        QCOMPARE(w.game().Player.x, 96);
        scoreAfterFirstClear = score;
    }
}

void TestPlayTest::backToTheEditorAndTestingAgain() {
    Windows w;
    testRoom(w, 2);
    const RoomSet rooms = w.form2.EditorRoomSet;
    QVERIFY(tickUntil(w, VkLeft, [&] { return w.game().Player.x == 32; }));
    QVERIFY(w.game().Score > 0);

    QVERIFY(activate(&w.form1));
    QTest::keyClick(&w.form1, Qt::Key_Escape);
    QVERIFY(w.form2.isVisible());
    QCOMPARE(w.form2.EditorRoom, 2);
    QCOMPARE(w.form2.EditorRoomSet, rooms);

    // Edited without saving, tested again: the new room, and the score from 0.
    w.form2.Image2MouseDown(CodeBrick * 32);
    w.form2.Image1MouseDown(Qt::LeftButton, 200, 100); // column 6, row 3
    QVERIFY(activate(&w.form2));
    QTest::keyClick(&w.form2, Qt::Key_F4);
    QCOMPARE(w.game().Score, 0);
    QCOMPARE(w.game().cell(3, 6), int(CodeBrick));
    QCOMPARE(w.game().Player.x, 96);
    QVERIFY(w.form1.isVisible());
    QVERIFY(!w.form2.isVisible());
}

void TestPlayTest::leavingTheEditorAfterATest() {
    Windows w;
    testRoom(w, 2);
    w.form1.close(); // the close box: back to the editor
    QVERIFY(w.form2.isVisible());

    auto yes = answerBox(QMessageBox::Yes);
    w.form2.QUIT1->trigger();
    QVERIFY(yes->opened);
    QVERIFY(w.form1.isVisible());
    QVERIFY(!w.form2.isVisible());
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("ZOMMEL & VRIX"));
    QVERIFY(w.form1.Reset1->isEnabled());
    QVERIFY(w.form1.Edit1->isEnabled());
    QVERIFY(w.form1.Play1->isEnabled());
    QCOMPARE(w.game().PlayMode, ModeBuiltIn);
    QCOMPARE(w.game().GameState, StateTitle);
    QVERIFY(w.form1.timer().isActive());

    // SPACE starts the game's own rooms.
    QVERIFY(activate(&w.form1));
    QTest::keyPress(&w.form1, Qt::Key_Space);
    w.tick();
    QCOMPARE(w.game().GameState, StatePlay);
    QCOMPARE(w.game().PlayMode, ModeBuiltIn);
    QCOMPARE(w.game().RoomIndex, 0);
    QCOMPARE(w.game().Lives, 5);
    for (int r = 0; r < RoomRows; ++r)
        for (int c = 0; c < RoomColumns; ++c) {
            const int code = BuiltInRoomSet[r * 16 + c];
            if (code <= CodeStone) QCOMPARE(w.game().cell(r, c), code);
        }
}

QTEST_MAIN(TestPlayTest)
#include "test_play_test.moc"
