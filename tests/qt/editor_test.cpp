// The room editor window: its layout and menu, entering and leaving it,
// picking codes from the palette and editing the room with the mouse.
#include "windows.h"

#include "sprite_sheet.h"

#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>

namespace {

QWidget* roomView(TForm2& editor) {
    return editor.findChild<QWidget*>(QStringLiteral("Image1"));
}
QWidget* stripView(TForm2& editor) {
    return editor.findChild<QWidget*>(QStringLiteral("Image2"));
}

void press(TForm2& editor, Qt::MouseButton button, int x, int y) {
    QTest::mousePress(roomView(editor), button, {}, QPoint(x, y));
    QTest::mouseRelease(roomView(editor), button, {}, QPoint(x, y));
}

void moveOver(TForm2& editor, Qt::MouseButtons held, int x, int y) {
    QWidget* view = roomView(editor);
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), view->mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
}

void pick(TForm2& editor, int x, Qt::MouseButton button = Qt::LeftButton, int y = 16) {
    QTest::mouseClick(stripView(editor), button, {}, QPoint(x, y));
}

int cellIndex(int room, int row, int column) {
    return room * RoomBytes + row * 16 + column;
}

bool sameSquare(const Surface& a, int ax, int ay, const Surface& b, int bx, int by, int size = 32) {
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (a.at(ax + x, ay + y) != b.at(bx + x, by + y)) return false;
    return true;
}

bool allBlack(const Surface& s, int x0, int y0, int size = 32) {
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (s.at(x0 + x, y0 + y) != Black) return false;
    return true;
}

// Whether the room view shows every cell of the shown room as its strip slot.
bool showsTheRoom(TForm2& editor) {
    for (int r = 0; r < RoomRows; ++r)
        for (int c = 0; c < RoomColumns; ++c) {
            const int code = editor.EditorRoomSet[cellIndex(editor.EditorRoom, r, c)];
            if (!sameSquare(editor.Image1, c * 32, r * 32, editor.Image2, code * 32, 0))
                return false;
        }
    return true;
}

// The room label as the sheet font prints it.
bool showsTheLabel(TForm2& editor, const char* label, const Surface& sheet) {
    Surface expected(48, 16);
    drawText(expected, 0, 0, label, sheet);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 48; ++x)
            if (editor.Image2.at(464 + x, 8 + y) != expected.at(x, y)) return false;
    return true;
}

QStringList describeMenus(QMenuBar* bar) {
    QStringList lines;
    for (QAction* top : bar->actions()) {
        lines << top->text();
        for (QAction* a : top->menu()->actions()) {
            if (a->isSeparator()) {
                lines << QStringLiteral("  -");
                continue;
            }
            QString line = QStringLiteral("  %1 \"%2\" %3")
                               .arg(a->objectName(), a->text(), a->shortcut().toString());
            if (a->isCheckable()) line += a->isChecked() ? " [x]" : " [ ]";
            lines << line;
        }
    }
    return lines;
}

} // namespace

class EditorTest : public QObject {
    Q_OBJECT
  private slots:
    void layout();
    void menu();
    void editModeEntersWithEmptyRooms();
    void editModeKeepsCaptionFlagAndPreview();
    void roomSelection_data();
    void roomSelection();
    void clicksOnTheRoom_data();
    void clicksOnTheRoom();
    void drags_data();
    void drags();
    void palette_data();
    void palette();
    void skipNextClick();
    void quit_data();
    void quit();
};

void EditorTest::layout() {
    Windows w;
    TForm2& e = w.form2;
    QVERIFY(!e.isVisible());
    QCOMPARE(e.windowTitle(), QStringLiteral("EDIT MODE"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    int top = screen.height() / 2 - 240;
    if (top < 0) top = 0;
    QCOMPARE(e.frameGeometry().topLeft(), QPoint(screen.width() / 2 - 248, top));
    QCOMPARE(w.form1.frameGeometry().topLeft(), QPoint(screen.width() / 2 - 256, top));

    w.form1.Edit1Click();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QCOMPARE(e.centralWidget()->size(), QSize(512, 416));
    QCOMPARE(roomView(e)->geometry(), QRect(0, 0, 512, 384));
    QCOMPARE(stripView(e)->geometry(), QRect(0, 384, 512, 32));
    QCOMPARE(roomView(e)->parentWidget(), e.centralWidget());
    QVERIFY(viewShows(roomView(e), e.Image1));
    QVERIFY(viewShows(stripView(e), e.Image2));
    QVERIFY(!sameSquare(e.Image2, 0, 0, e.Image2, 3 * 32, 0)); // the strip holds its picture

    const Qt::WindowFlags flags = e.windowFlags();
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

    // A resizable frame; the content keeps its size and place.
    QVERIFY(e.minimumSize() != e.maximumSize());
    e.resize(e.width() + 100, e.height() + 50);
    QCOMPARE(roomView(e)->geometry(), QRect(0, 0, 512, 384));
    QCOMPARE(stripView(e)->geometry(), QRect(0, 384, 512, 32));
    e.resize(300, 200);
    QCOMPARE(e.size(), QSize(300, 200));
    QCOMPARE(roomView(e)->geometry(), QRect(0, 0, 512, 384));
}

void EditorTest::menu() {
    Windows w;
    const QStringList expected = {
        "&FILE",
        "  NEW1 \"&NEW\" F1",
        "  SAVE1 \"&SAVE\" F2",
        "  OPEN1 \"&OPEN\" F3",
        "  -",
        "  QUIT1 \"QUIT\" Esc",
        "&ROOM",
        "  N11 \"1\" Alt+1 [x]",
        "  N21 \"2\" Alt+2 [ ]",
        "  N31 \"3\" Alt+3 [ ]",
        "  N41 \"4\" Alt+4 [ ]",
        "  N51 \"5\" Alt+5 [ ]",
        "  N61 \"6\" Alt+6 [ ]",
        "  N71 \"7\" Alt+7 [ ]",
        "  N81 \"8\" Alt+8 [ ]",
        "  N91 \"9\" Alt+9 [ ]",
        "  N101 \"10\" Alt+0 [ ]",
        "&TEST",
        "  PLAY2 \"TEST &PLAY\" F4",
    };
    QCOMPARE(describeMenus(w.form2.menuBar()), expected);
}

void EditorTest::editModeEntersWithEmptyRooms() {
    Windows w;
    w.game().startGame(3);
    for (int i = 0; i < 4; ++i) w.tick();
    const PlayerRecord player = w.game().Player;
    w.form2.EditorRoomSet.fill(CodeBrick);
    w.form2.EditorRoom = 5;
    w.form2.EditorTile = 9;

    QVERIFY(activate(&w.form1));
    QTest::keyClick(&w.form1, Qt::Key_F2);
    QVERIFY(!w.form1.isVisible());
    QVERIFY(w.form2.isVisible());
    QVERIFY(!w.form1.timer().isActive());
    QCOMPARE(w.form2.EditorRoomSet, emptyRoomSet());
    QCOMPARE(w.form2.EditorRoom, 0);
    QCOMPARE(w.form2.EditorTile, 0);
    QVERIFY(w.form2.RoomItems[0]->isChecked());
    for (int n = 1; n < RoomsPerSet; ++n) QVERIFY(!w.form2.RoomItems[n]->isChecked());
    QVERIFY(showsTheRoom(w.form2));
    QVERIFY(showsTheLabel(w.form2, "R 1", w.game().Image3));

    // The game is left as it was.
    QCOMPARE(w.game().GameState, StatePlay);
    QCOMPARE(w.game().RoomIndex, 3);
    QCOMPARE(w.game().Player.x, player.x);
    QCOMPARE(w.game().Player.y, player.y);
}

void EditorTest::editModeKeepsCaptionFlagAndPreview() {
    Windows w;
    w.form1.Edit1Click();
    pick(w.form2, 5 * 32 + 3);
    w.form2.setWindowTitle(QStringLiteral("EDIT MODE - a.zom"));
    w.form2.SkipNextClick = 1;
    auto box = answerBox(QMessageBox::Yes);
    w.form2.Quit();
    QVERIFY(box->opened);

    w.form1.Edit1Click();
    QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE - a.zom"));
    QCOMPARE(w.form2.SkipNextClick, 1);
    QCOMPARE(w.form2.EditorTile, 0);
    QVERIFY(sameSquare(w.form2.Image2, 416, 0, w.form2.Image2, 5 * 32, 0)); // still code 5
}

void EditorTest::roomSelection_data() {
    QTest::addColumn<int>("digit");
    QTest::addColumn<int>("room");
    QTest::addColumn<QString>("label");
    QTest::newRow("Alt+1") << 1 << 0 << "R 1";
    QTest::newRow("Alt+2") << 2 << 1 << "R 2";
    QTest::newRow("Alt+9") << 9 << 8 << "R 9";
    QTest::newRow("Alt+0") << 0 << 9 << "R10";
}

void EditorTest::roomSelection() {
    QFETCH(int, digit);
    QFETCH(int, room);
    QFETCH(QString, label);
    Windows w;
    w.form1.Edit1Click();
    for (int n = 0; n < RoomsPerSet; ++n) // every room different
        w.form2.EditorRoomSet[cellIndex(n, 1, 1 + n)] = CodeLadder;
    pick(w.form2, 3 * 32);
    w.form2.SkipNextClick = 1;
    w.form2.EditorRoom = 4;
    w.form2.Putst();

    QVERIFY(activate(&w.form2));
    QTest::keyClick(&w.form2, Qt::Key(Qt::Key_0 + digit), Qt::AltModifier);
    QCOMPARE(w.form2.EditorRoom, room);
    for (int n = 0; n < RoomsPerSet; ++n) QCOMPARE(w.form2.RoomItems[n]->isChecked(), n == room);
    QVERIFY(showsTheRoom(w.form2));
    QVERIFY(showsTheLabel(w.form2, qPrintable(label), w.game().Image3));
    QCOMPARE(w.form2.EditorTile, 3);
    QCOMPARE(w.form2.SkipNextClick, 1);

    // The menu item does the same.
    w.form2.RoomItems[room]->trigger();
    QCOMPARE(w.form2.EditorRoom, room);
    QVERIFY(w.form2.RoomItems[room]->isChecked());
}

void EditorTest::clicksOnTheRoom_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("column"); // -1: nothing changes
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("code");

    const int left = Qt::LeftButton, right = Qt::RightButton, middle = Qt::MiddleButton;
    QTest::newRow("left at x 31") << left << 31 << 100 << -1 << 0 << 0;
    QTest::newRow("left at x 32, y 351") << left << 32 << 351 << 1 << 10 << int(CodeApple);
    QTest::newRow("left at x 479, y 0") << left << 479 << 0 << 14 << 0 << int(CodeApple);
    QTest::newRow("left at x 480") << left << 480 << 100 << -1 << 0 << 0;
    QTest::newRow("left at y 352") << left << 100 << 352 << -1 << 0 << 0;
    QTest::newRow("left on the stone wall, y 383") << left << 0 << 383 << -1 << 0 << 0;
    QTest::newRow("right at x 32, y 351") << right << 32 << 351 << 1 << 10 << 0;
    QTest::newRow("right at x 479") << right << 479 << 200 << 14 << 6 << 0;
    QTest::newRow("right at x 480") << right << 480 << 200 << -1 << 0 << 0;
    QTest::newRow("middle in the room") << middle << 200 << 100 << 6 << 3 << 0;
    QTest::newRow("middle at y 352") << middle << 200 << 352 << -1 << 0 << 0;
}

void EditorTest::clicksOnTheRoom() {
    QFETCH(int, button);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, code);
    Windows w;
    w.form1.Edit1Click();
    w.form2.EditorRoom = 2;
    for (int r = 0; r < 11; ++r) // bricks inside, so that erasing shows
        for (int c = 1; c < 15; ++c) w.form2.EditorRoomSet[cellIndex(2, r, c)] = CodeBrick;
    w.form2.Putst();
    pick(w.form2, CodeApple * 32 + 31);
    RoomSet expected = w.form2.EditorRoomSet;
    if (column >= 0) expected[cellIndex(2, row, column)] = static_cast<std::uint8_t>(code);
    const Surface before = w.form2.Image1;

    press(w.form2, Qt::MouseButton(button), x, y);
    QCOMPARE(w.form2.EditorRoomSet, expected);
    if (column < 0) {
        QVERIFY(sameSquare(w.form2.Image1, 0, 0, before, 0, 0, 384));
        QVERIFY(sameSquare(w.form2.Image1, 128, 0, before, 128, 0, 384));
    } else if (code == 0) {
        QVERIFY(allBlack(w.form2.Image1, column * 32, row * 32));
    } else {
        QVERIFY(sameSquare(w.form2.Image1, column * 32, row * 32, w.form2.Image2, code * 32, 0));
    }
}

void EditorTest::drags_data() {
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("before"); // the cell's code, with the apple picked
    QTest::addColumn<int>("after");
    QTest::addColumn<bool>("redrawn");

    const int left = Qt::LeftButton, right = Qt::RightButton, middle = Qt::MiddleButton;
    const int brick = CodeBrick, apple = CodeApple;
    QTest::newRow("left over a brick") << left << 100 << 100 << brick << apple << true;
    QTest::newRow("left over an apple") << left << 100 << 100 << apple << apple << false;
    QTest::newRow("right over a brick") << right << 100 << 100 << brick << 0 << true;
    QTest::newRow("right over an empty cell") << right << 100 << 100 << 0 << 0 << false;
    QTest::newRow("middle over a brick") << middle << 100 << 100 << brick << brick << false;
    QTest::newRow("left and right") << (left | right) << 100 << 100 << brick << apple << true;
    QTest::newRow("right and middle") << (right | middle) << 100 << 100 << brick << 0 << true;
    QTest::newRow("no button") << 0 << 100 << 100 << brick << brick << false;
    QTest::newRow("left at x 32, y 351") << left << 32 << 351 << brick << apple << true;
    QTest::newRow("left at x 479") << left << 479 << 100 << brick << apple << true;
    QTest::newRow("left at x 31") << left << 31 << 100 << brick << brick << false;
    QTest::newRow("left at x 480") << left << 480 << 100 << brick << brick << false;
    QTest::newRow("right at y 352") << right << 100 << 352 << brick << brick << false;
}

void EditorTest::drags() {
    QFETCH(int, held);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(bool, redrawn);
    Windows w;
    w.form1.Edit1Click();
    pick(w.form2, CodeApple * 32);
    w.form2.EditorRoom = 7;
    w.form2.EditorRoomSet.fill(static_cast<std::uint8_t>(before)); // the walls too
    w.form2.Putst();
    // A mark in every cell shows which squares were drawn again.
    for (int r = 0; r < RoomRows; ++r)
        for (int c = 0; c < RoomColumns; ++c) w.form2.Image1.set(c * 32 + 5, r * 32 + 5, 0x123456);
    RoomSet expected = w.form2.EditorRoomSet;
    const int column = x / 32, row = y / 32;
    expected[cellIndex(7, row, column)] = static_cast<std::uint8_t>(after);

    moveOver(w.form2, Qt::MouseButtons(held), x, y);
    QCOMPARE(w.form2.EditorRoomSet, expected);
    for (int r = 0; r < RoomRows; ++r)
        for (int c = 0; c < RoomColumns; ++c) {
            const bool marked = w.form2.Image1.at(c * 32 + 5, r * 32 + 5) == (0x123456 | Black);
            QCOMPARE(!marked, redrawn && r == row && c == column);
        }
    if (redrawn && after == 0) QVERIFY(allBlack(w.form2.Image1, column * 32, row * 32));
    if (redrawn && after != 0)
        QVERIFY(sameSquare(w.form2.Image1, column * 32, row * 32, w.form2.Image2, after * 32, 0));
}

void EditorTest::palette_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("tile"); // -1: ignored
    QTest::newRow("x 0") << 0 << 16 << int(Qt::LeftButton) << 0;
    QTest::newRow("x 31") << 31 << 0 << int(Qt::LeftButton) << 0;
    QTest::newRow("x 32") << 32 << 31 << int(Qt::LeftButton) << 1;
    QTest::newRow("x 351") << 351 << 16 << int(Qt::LeftButton) << 10;
    QTest::newRow("x 352") << 352 << 16 << int(Qt::LeftButton) << -1;
    QTest::newRow("on the preview box") << 420 << 16 << int(Qt::LeftButton) << -1;
    QTest::newRow("on the label") << 500 << 16 << int(Qt::LeftButton) << -1;
    QTest::newRow("right button") << 200 << 16 << int(Qt::RightButton) << 6;
    QTest::newRow("middle button") << 250 << 5 << int(Qt::MiddleButton) << 7;
}

void EditorTest::palette() {
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, button);
    QFETCH(int, tile);
    Windows w;
    w.form1.Edit1Click();
    pick(w.form2, 3 * 32 + 10); // the brick first
    QCOMPARE(w.form2.EditorTile, 3);
    QVERIFY(sameSquare(w.form2.Image2, 416, 0, w.form2.Image2, 96, 0));
    const Surface strip = w.form2.Image2;

    pick(w.form2, x, Qt::MouseButton(button), y);
    const int expected = tile < 0 ? 3 : tile;
    QCOMPARE(w.form2.EditorTile, expected);
    QVERIFY(sameSquare(w.form2.Image2, 416, 0, w.form2.Image2, expected * 32, 0));
    // Nothing else of the strip changes.
    QVERIFY(sameSquare(w.form2.Image2, 0, 0, strip, 0, 0));
    QVERIFY(sameSquare(w.form2.Image2, 448, 0, strip, 448, 0));

    press(w.form2, Qt::LeftButton, 64, 64);
    QCOMPARE(int(w.form2.EditorRoomSet[cellIndex(0, 2, 2)]), expected);
}

void EditorTest::skipNextClick() {
    Windows w;
    w.form1.Edit1Click();
    pick(w.form2, CodeLadder * 32);
    w.form2.SkipNextClick = 1;

    press(w.form2, Qt::RightButton, 0, 0); // outside the room's editable part: still used up
    QCOMPARE(w.form2.SkipNextClick, 0);
    press(w.form2, Qt::LeftButton, 64, 64);
    QCOMPARE(w.form2.EditorRoomSet[cellIndex(0, 2, 2)], CodeLadder);

    w.form2.SkipNextClick = 1;
    press(w.form2, Qt::LeftButton, 96, 64);
    QCOMPARE(w.form2.EditorRoomSet[cellIndex(0, 2, 3)], CodeEmpty);
    QCOMPARE(w.form2.SkipNextClick, 0);

    // Moves do not look at the flag: a drag right after a file command paints.
    w.form2.SkipNextClick = 1;
    moveOver(w.form2, Qt::LeftButton, 128, 64);
    QCOMPARE(w.form2.EditorRoomSet[cellIndex(0, 2, 4)], CodeLadder);
    QCOMPARE(w.form2.SkipNextClick, 1);
}

void EditorTest::quit_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("yes");
    for (const char* how : {"Esc", "QUIT", "close box"}) {
        QTest::addRow("%s, No", how) << how << false;
        QTest::addRow("%s, Yes", how) << how << true;
    }
}

void EditorTest::quit() {
    QFETCH(QString, how);
    QFETCH(bool, yes);
    Windows w;
    w.form1.Edit1Click();
    QPointer<TForm2> editor(&w.form2);
    pick(w.form2, CodeBrick * 32);
    press(w.form2, Qt::LeftButton, 100, 100);
    const RoomSet rooms = w.form2.EditorRoomSet;
    QVERIFY(activate(&w.form2));

    auto box = answerBox(yes ? QMessageBox::Yes : QMessageBox::No);
    if (how == "Esc")
        QTest::keyClick(&w.form2, Qt::Key_Escape);
    else if (how == "QUIT")
        w.form2.QUIT1->trigger();
    else
        w.form2.close();
    QVERIFY(box->opened);
    QCOMPARE(box->title, QStringLiteral("EDIT MODE"));
    QCOMPARE(box->text, QStringLiteral("Quit?"));
    QVERIFY(editor); // never destroyed
    QCOMPARE(w.form2.EditorRoomSet, rooms);

    if (!yes) {
        QVERIFY(w.form2.isVisible());
        QVERIFY(!w.form1.isVisible());
        QVERIFY(!w.form1.timer().isActive());
        return;
    }
    QVERIFY(!w.form2.isVisible());
    QVERIFY(w.form1.isVisible());
    QCOMPARE(w.game().GameState, StateTitle);
    QCOMPARE(w.game().PlayMode, ModeBuiltIn);
    QVERIFY(w.form1.timer().isActive());
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("ZOMMEL & VRIX"));
}

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
