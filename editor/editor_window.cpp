#include "editor_window.h"

#include "image_io.h"
#include "main_window.h"
#include "room_file.h"
#include "sprite_sheet.h"
#include "surface_view.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>

#include <cstdio>
#include <stdexcept>

namespace {
bool editable(int x, int y) {
    return x >= 32 && x < 480 && y >= 0 && y < 352;
}
} // namespace

TForm2::TForm2(TForm1* mainWindow) : Form1(mainWindow) {
    setObjectName(QStringLiteral("Form2"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("EDIT MODE"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/icons/zommel-256.png")));

    // The content keeps its size and place when the frame is resized.
    auto* client = new QWidget(this);
    QPalette black = client->palette();
    black.setColor(QPalette::Window, Qt::black);
    client->setPalette(black);
    client->setAutoFillBackground(true);
    // Drawn as large as the main window; the mouse is mapped back to pixels
    // of the room and the strip.
    const int scale = Form1->scale();
    roomView_ = new SurfaceView(Image1, client, scale);
    stripView_ = new SurfaceView(Image2, client, scale);
    roomView_->setObjectName(QStringLiteral("Image1"));
    stripView_->setObjectName(QStringLiteral("Image2"));
    roomView_->move(0, 0);
    stripView_->move(0, Image1.height() * scale);
    roomView_->onMousePress = [this](QMouseEvent* e) {
        const QPoint p = roomView_->pixelAt(e->position());
        Image1MouseDown(e->button(), p.x(), p.y());
    };
    roomView_->onMouseMove = [this](QMouseEvent* e) {
        const QPoint p = roomView_->pixelAt(e->position());
        Image1MouseMove(e->buttons(), p.x(), p.y());
    };
    stripView_->onMousePress = [this](QMouseEvent* e) {
        Image2MouseDown(stripView_->pixelAt(e->position()).x());
    };
    setCentralWidget(client);

    createMenu();
    FormCreate();
}

void TForm2::FormCreate() {
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->geometry()
                             : QRect(0, 0, 640, 480);
    const int scale = Form1->scale();
    resize(512 * scale, 416 * scale + menuBar()->sizeHint().height());
    int top = screen.height() / 2 - 240 * scale;
    if (top < 0) top = 0;
    move(screen.width() / 2 - 256 * scale + 8 * scale, top);
    Image1.fillBlack(0, 0, 512, 384);
    // Copied into the strip's own pixels, which its view already shows.
    if (!copyImageInto(QImage(PaletteStripResource), Image2))
        throw std::runtime_error("The palette strip could not be loaded.");
    Shoki();
    Putst();
    SkipNextClick = 0;
}

void TForm2::createMenu() {
    menuBar()->setNativeMenuBar(false);
    auto item = [](QMenu* menu, const QString& name, const QString& caption,
                       const QKeySequence& key) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(key);
        return action;
    };
    FILE1 = menuBar()->addMenu(QStringLiteral("&FILE"));
    FILE1->setObjectName(QStringLiteral("FILE1"));
    NEW1 = item(FILE1, QStringLiteral("NEW1"), QStringLiteral("&NEW"), QKeySequence(Qt::Key_F1));
    SAVE1 = item(FILE1, QStringLiteral("SAVE1"), QStringLiteral("&SAVE"), QKeySequence(Qt::Key_F2));
    OPEN1 = item(FILE1, QStringLiteral("OPEN1"), QStringLiteral("&OPEN"), QKeySequence(Qt::Key_F3));
    N1 = FILE1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    QUIT1 =
        item(FILE1, QStringLiteral("QUIT1"), QStringLiteral("QUIT"), QKeySequence(Qt::Key_Escape));
    connect(NEW1, &QAction::triggered, this, &TForm2::NEW1Click);
    connect(SAVE1, &QAction::triggered, this, &TForm2::SAVE1Click);
    connect(OPEN1, &QAction::triggered, this, &TForm2::OPEN1Click);
    connect(QUIT1, &QAction::triggered, this, &TForm2::Quit);

    ROOM1 = menuBar()->addMenu(QStringLiteral("&ROOM"));
    ROOM1->setObjectName(QStringLiteral("ROOM1"));
    for (int n = 0; n < RoomsPerSet; ++n) {
        const int digit = (n + 1) % 10; // Alt+1 .. Alt+9, then Alt+0 for room 10
        RoomItems[n] =
            item(ROOM1, QStringLiteral("N%1").arg(n + 1) + QLatin1Char('1'), QString::number(n + 1),
                 QKeySequence(Qt::ALT | Qt::Key(Qt::Key_0 + digit)));
        RoomItems[n]->setCheckable(true);
        connect(RoomItems[n], &QAction::triggered, this, [this, n] {
            EditorRoom = n; // N11Click .. N101Click
            Putst();
        });
    }

    PLAY1 = menuBar()->addMenu(QStringLiteral("&TEST"));
    PLAY1->setObjectName(QStringLiteral("PLAY1"));
    PLAY2 = item(PLAY1, QStringLiteral("PLAY2"), QStringLiteral("TEST &PLAY"),
                 QKeySequence(Qt::Key_F4));
    connect(PLAY2, &QAction::triggered, this, &TForm2::PLAY2Click);
}

void TForm2::Shoki() {
    EditorRoomSet = emptyRoomSet();
    EditorRoom = 0;
    EditorTile = 0;
    Putst();
}

std::uint8_t& TForm2::cellAt(int row, int column) {
    return EditorRoomSet[EditorRoom * RoomBytes + row * RoomColumns + column];
}

void TForm2::drawSlot(int code, int x, int y) {
    // Files with codes the editor cannot make are refused on reading, so a
    // cell always names one of the eleven slots.
    const int slot = code < strip::SlotCount ? code : CodeStone;
    Image1.blit(x, y, 32, 32, Image2, slot * 32, 0, Rop::Copy);
}

void TForm2::Putst() {
    for (int n = 0; n < RoomsPerSet; ++n) RoomItems[n]->setChecked(n == EditorRoom);
    for (int r = 0; r < RoomRows; ++r)
        for (int c = 0; c < RoomColumns; ++c) drawSlot(cellAt(r, c), c * 32, r * 32);
    repaintRoom();
    char label[16];
    std::snprintf(label, sizeof label, "R%2d", EditorRoom + 1);
    prin(strip::LabelColumn, strip::LabelY, label);
    repaintStrip();
}

void TForm2::prin(int column, int y, const char* text) {
    drawText(Image2, column * sheet::GlyphSize, y, text, Form1->game().Image3);
}

void TForm2::repaintRoom() {
    roomView_->repaint();
}
void TForm2::repaintStrip() {
    stripView_->repaint();
}

void TForm2::Image2MouseDown(int x) {
    if (x < 0 || x >= 32 * strip::SlotCount) return;
    EditorTile = x / 32;
    Image2.blit(strip::PreviewX, 0, 32, 32, Image2, EditorTile * 32, 0, Rop::Copy);
    repaintStrip();
}

void TForm2::Image1MouseDown(Qt::MouseButton button, int x, int y) {
    if (SkipNextClick) {
        SkipNextClick = 0;
        return;
    }
    if (!editable(x, y)) return;
    const int column = x / 32, row = y / 32;
    if (button == Qt::LeftButton) {
        drawSlot(EditorTile, column * 32, row * 32);
        cellAt(row, column) = static_cast<std::uint8_t>(EditorTile);
    } else {
        Image1.fillBlack(column * 32, row * 32, 32, 32);
        cellAt(row, column) = CodeEmpty;
    }
    repaintRoom();
}

void TForm2::Image1MouseMove(Qt::MouseButtons buttons, int x, int y) {
    if (!editable(x, y)) return;
    const int column = x / 32, row = y / 32;
    std::uint8_t& cell = cellAt(row, column);
    if (buttons & Qt::LeftButton) {
        if (cell == EditorTile) return;
        drawSlot(EditorTile, column * 32, row * 32);
        repaintRoom();
        cell = static_cast<std::uint8_t>(EditorTile);
    } else if ((buttons & Qt::RightButton) && cell != CodeEmpty) {
        Image1.fillBlack(column * 32, row * 32, 32, 32);
        repaintRoom();
        cell = CodeEmpty;
    }
}

void TForm2::Quit() {
    if (QMessageBox::question(this, QStringLiteral("EDIT MODE"), QStringLiteral("Quit?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    hide();
    Form1->editorClosed();
}

void TForm2::closeEvent(QCloseEvent* event) {
    event->ignore(); // the editor is only ever hidden
    Quit();
}

void TForm2::fileError(const QString& title, const QString& message) {
    QMessageBox::warning(this, title, message);
}

void TForm2::OPEN1Click() {
    RoomFileDialog dialog(this, RoomFileDialog::Open);
    dialog.selectFile(RoomFileMask);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    QString error;
    if (!readRoomSet(path, EditorRoomSet, &error)) {
        fileError(QStringLiteral("OPEN"), error);
        return;
    }
    setWindowTitle(QStringLiteral("EDIT MODE - ") + QFileInfo(path).fileName());
    saveFileName = path;
    EditorRoom = 0;
    Putst();
    SkipNextClick = 1;
}

void TForm2::SAVE1Click() {
    RoomFileDialog dialog(this, RoomFileDialog::Save);
    dialog.selectFile(saveFileName); // empty at start, the opened file, "*.zom" after NEW
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    saveFileName = path;
    QString error;
    if (!writeRoomSet(path, EditorRoomSet, &error)) {
        fileError(QStringLiteral("SAVE"), error);
        return;
    }
    setWindowTitle(QStringLiteral("EDIT MODE - ") + QFileInfo(path).fileName());
    SkipNextClick = 1;
}

void TForm2::NEW1Click() {
    if (QMessageBox::question(this, QStringLiteral("EDIT MODE"), QStringLiteral("New?"),
                              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    Shoki();
    Putst();
    saveFileName = RoomFileMask;
    setWindowTitle(QStringLiteral("EDIT MODE"));
    SkipNextClick = 1;
}

void TForm2::PLAY2Click() {
    Form1->Testplay(EditorRoomSet.data() + EditorRoom * RoomBytes, EditorRoom);
}
