// The room editor: ten rooms edited with the mouse, a palette strip under
// the room, room-set files, and test play of the shown room.
#pragma once

#include "rooms.h"
#include "surface.h"

#include <QMainWindow>

class QAction;
class QMenu;
class SurfaceView;
class TForm1;

class TForm2 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm2(TForm1* mainWindow);

    void Shoki(); // ten empty rooms, room 1 shown, code 0 picked
    void Putst(); // shows the current room, its check mark and its label
    void Quit();  // "Quit?" and, on Yes, back to the main window's title
    // Prints with the sheet font into the strip, y in pixels.
    void prin(int column, int y, const char* text);

    // Mouse handlers, in strip and room coordinates.
    void Image2MouseDown(int x);
    void Image1MouseDown(Qt::MouseButton button, int x, int y);
    void Image1MouseMove(Qt::MouseButtons buttons, int x, int y);

    RoomSet EditorRoomSet{};
    int EditorRoom = 0;    // the room shown, 0..9
    int EditorTile = 0;    // the code a left click places, 0..10
    int SkipNextClick = 0; // set after a file command: the next press on the room is ignored
    QString saveFileName;  // what the SAVE dialog proposes

    Surface Image1{512, 384}; // the room view
    Surface Image2{512, 32};  // the palette strip

    QMenu *FILE1, *ROOM1, *PLAY1;
    QAction *NEW1, *SAVE1, *OPEN1, *N1, *QUIT1, *PLAY2;
    QAction* RoomItems[RoomsPerSet]; // N11 .. N91, N101

  public slots:
    void NEW1Click();
    void SAVE1Click();
    void OPEN1Click();
    void PLAY2Click();

  protected:
    void closeEvent(QCloseEvent* event) override; // FormClose

  private:
    void FormCreate();
    void createMenu();
    void drawSlot(int code, int x, int y);
    std::uint8_t& cellAt(int row, int column);
    void repaintRoom();
    void repaintStrip();
    void fileError(const QString& title, const QString& message);

    TForm1* Form1;
    SurfaceView* roomView_ = nullptr;
    SurfaceView* stripView_ = nullptr;
};
