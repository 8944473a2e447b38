// --scale N: the playfield, the status bar and the editor's views drawn N
// times larger, each game pixel a crisp N x N square, the windows placed by
// their size, and the editor's mouse mapped back to room cells and strip
// slots. Run a second time with QT_SCALE_FACTOR=2, as on a high-DPI screen.
#include "windows.h"

#include "sprite_sheet.h"
#include "surface_view.h"

#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>

namespace {

QWidget* child(QWidget& window, const char* name) {
    return window.findChild<QWidget*>(QString::fromLatin1(name));
}

void pressRoom(TForm2& editor, Qt::MouseButton button, QPoint at) {
    QTest::mousePress(child(editor, "Image1"), button, {}, at);
    QTest::mouseRelease(child(editor, "Image1"), button, {}, at);
}

void moveOverRoom(TForm2& editor, Qt::MouseButtons held, QPoint at) {
    QWidget* view = child(editor, "Image1");
    QMouseEvent move(QEvent::MouseMove, QPointF(at), view->mapToGlobal(QPointF(at)), Qt::NoButton,
                     held, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
}

std::uint8_t cell(TForm2& editor, int row, int column) {
    return editor.EditorRoomSet[row * RoomColumns + column];
}

} // namespace

class ScaleTest : public QObject {
    Q_OBJECT
  private slots:
    void windowsAreNTimesLarger_data();
    void windowsAreNTimesLarger();
    void partRepaintsDrawWholePixels();
    void editorMouseFindsTheCell_data();
    void editorMouseFindsTheCell();
};

void ScaleTest::windowsAreNTimesLarger_data() {
    QTest::addColumn<int>("scale");
    for (int n = 1; n <= 4; ++n) QTest::addRow("x%d", n) << n;
}

void ScaleTest::windowsAreNTimesLarger() {
    QFETCH(int, scale);
    Windows w(true, scale);
    w.game().startGame();
    w.tick(3);
    QCOMPARE(w.form1.centralWidget()->size(), QSize(512, 416) * scale);
    QCOMPARE(child(w.form1, "Image1")->geometry(), QRect(0, 0, 512 * scale, 384 * scale));
    QCOMPARE(child(w.form1, "Image4")->geometry(), QRect(0, 384 * scale, 512 * scale, 32 * scale));
    QVERIFY(viewShows(child(w.form1, "Image1"), w.game().Image1, scale));
    QVERIFY(viewShows(child(w.form1, "Image4"), w.game().Image4, scale));

    w.form1.Edit1Click();
    TForm2& e = w.form2;
    QCOMPARE(child(e, "Image1")->geometry(), QRect(0, 0, 512 * scale, 384 * scale));
    QCOMPARE(child(e, "Image2")->geometry(), QRect(0, 384 * scale, 512 * scale, 32 * scale));
    QCOMPARE(e.size(), QSize(512 * scale, 416 * scale + e.menuBar()->sizeHint().height()));
    QVERIFY(viewShows(child(e, "Image1"), e.Image1, scale));
    QVERIFY(viewShows(child(e, "Image2"), e.Image2, scale));

    // Centred by the same rule as at scale 1, the editor 8 N pixels further right.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int top = qMax(0, screen.height() / 2 - 240 * scale);
    QCOMPARE(w.form1.frameGeometry().topLeft(), QPoint(screen.width() / 2 - 256 * scale, top));
    QCOMPARE(e.frameGeometry().topLeft(), QPoint(screen.width() / 2 - 248 * scale, top));
}

// A repaint of a few screen pixels that cut through game pixels still draws
// whole game pixels, each where it belongs.
void ScaleTest::partRepaintsDrawWholePixels() {
    Windows w(true, 3);
    w.game().startGame();
    w.tick();
    QWidget* view = child(w.form1, "Image1");
    const Surface& surface = w.game().Image1;
    constexpr QRgb Unpainted = 0xFFFF00FF;
    for (const QRect part : {QRect(1, 2, 4, 5), QRect(95, 95, 2, 2), QRect(700, 400, 31, 17),
                             QRect(1533, 1149, 3, 3)}) {
        QImage image(view->size(), QImage::Format_RGB32);
        image.fill(Unpainted);
        view->render(&image, part.topLeft(), QRegion(part), QWidget::RenderFlags());
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                const QRgb wanted = surface.at(x / 3, y / 3) | 0xFF000000u;
                if (part.contains(x, y) || pixel != Unpainted)
                    QVERIFY2(pixel == wanted,
                             qPrintable(QStringLiteral("(%1, %2) in %3,%4 %5x%6: %7, not %8")
                                            .arg(x)
                                            .arg(y)
                                            .arg(part.x())
                                            .arg(part.y())
                                            .arg(part.width())
                                            .arg(part.height())
                                            .arg(pixel, 0, 16)
                                            .arg(wanted, 0, 16)));
            }
    }
}

void ScaleTest::editorMouseFindsTheCell_data() {
    QTest::addColumn<int>("scale");
    for (int n : {1, 2, 4}) QTest::addRow("x%d", n) << n;
}

void ScaleTest::editorMouseFindsTheCell() {
    QFETCH(int, scale);
    Windows w(true, scale);
    w.form1.Edit1Click();
    TForm2& e = w.form2;
    const int n = scale;

    // The strip: the last screen pixel of a slot still picks that slot.
    QWidget* strip = child(e, "Image2");
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(4 * 32 * n - 1, 16 * n));
    QCOMPARE(e.EditorTile, 3);
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(4 * 32 * n, 31 * n));
    QCOMPARE(e.EditorTile, 4);
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(strip::SlotCount * 32 * n, 0));
    QCOMPARE(e.EditorTile, 4); // right of the slots: no change

    // The room: the first and the last screen pixel of a cell.
    pressRoom(e, Qt::LeftButton, QPoint(5 * 32 * n, 4 * 32 * n));
    QCOMPARE(cell(e, 4, 5), CodeStone);
    pressRoom(e, Qt::LeftButton, QPoint(7 * 32 * n - 1, 3 * 32 * n - 1));
    QCOMPARE(cell(e, 2, 6), CodeStone);
    QCOMPARE(cell(e, 3, 7), CodeEmpty);
    // Painting while the button is held, erasing with the right one.
    moveOverRoom(e, Qt::LeftButton, QPoint(9 * 32 * n + n / 2, 6 * 32 * n));
    QCOMPARE(cell(e, 6, 9), CodeStone);
    moveOverRoom(e, Qt::RightButton, QPoint(5 * 32 * n + 31 * n, 4 * 32 * n + 31 * n));
    QCOMPARE(cell(e, 4, 5), CodeEmpty);
    QVERIFY(viewShows(child(e, "Image1"), e.Image1, scale));

    // Outside the editable cells nothing changes: the wall columns and the
    // bottom row, also one screen pixel short of them.
    const RoomSet before = e.EditorRoomSet;
    pressRoom(e, Qt::LeftButton, QPoint(32 * n - 1, 5 * 32 * n));
    pressRoom(e, Qt::LeftButton, QPoint(15 * 32 * n, 5 * 32 * n));
    pressRoom(e, Qt::LeftButton, QPoint(5 * 32 * n, 11 * 32 * n));
    moveOverRoom(e, Qt::LeftButton, QPoint(5 * 32 * n, -1)); // above row 0
    QCOMPARE(e.EditorRoomSet, before);
}

QTEST_MAIN(ScaleTest)
#include "scale_test.moc"
