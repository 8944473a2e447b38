// The main window: the playfield and status bar, the game's timer, the keys,
// the main menu and the sounds. It owns the whole game.
#pragma once

#include "engine.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class QAction;
class QMenu;
class Recorder;
class SoundPlayer;
class SurfaceView;
class TForm2;
class TForm3;

class TForm1 : public QMainWindow, public GameHost {
    Q_OBJECT
  public:
    // `programDir` ends with a separator; the wave files are looked for there.
    // `scale` (1 to 4) draws the playfield and status bar that many times larger.
    explicit TForm1(const QString& programDir, int scale = 1);
    ~TForm1() override;

    int scale() const { return Scale; }

    // One tick of the game's timer: recorded, then run. Timer1 calls it; the
    // tests call it to drive the game tick by tick.
    void Timer1Timer();
    // Key events as the window passes them to the game, recorded.
    void FormKeyDown(int virtualKey);
    void FormKeyUp(int virtualKey);

    // Recording: from now on every key event passed to the game and every
    // tick go to `recorder`, until the program ends or a command other than
    // PAUSE, WAIT or SOUND changes the game.
    void startRecording(std::unique_ptr<Recorder> recorder);
    void stopRecording();
    bool isRecording() const;

    Game& game() { return *game_; }
    QTimer& timer() { return Timer1; }
    const QString& programDir() const { return ProgramDir; }
    void setEditor(TForm2* editor) { Form2 = editor; }
    void setWaitDialog(TForm3* dialog) { Form3 = dialog; }
    TForm2* editor() const { return Form2; }
    TForm3* waitDialog() const { return Form3; }

    // TEST PLAY from the editor: plays the 192 bytes at `room` as room `index`.
    void Testplay(const std::uint8_t* room, int index);
    // The editor was left with QUIT: menu items back on, title shown.
    void editorClosed();

    // The main menu's items in menu order, separators included.
    QList<QAction*> menuActions() const;
    // The item whose shortcut is `key`, enabled or not; null when none is.
    QAction* menuItemFor(const QKeySequence& key) const;

    QMenu *File1, *OPTION1;
    QAction *Reset1, *Edit1, *Play1, *PAUSE1, *N1, *Quit1;
    QAction *WAIT1, *N2, *SOUND1;

  public slots:
    void Reset1Click();
    void Edit1Click();
    void Play1Click();
    void PAUSE1Click();
    void Quit1Click();
    void WAIT1Click();
    void SOUND1Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override; // FormClose
    bool focusNextPrevChild(bool next) override;

  private:
    // GameHost
    void timerEnabledChanged(bool enabled) override;
    void showPlayfield() override;
    void showStatusBar() override;
    void playSound(int id) override;
    void setCaption(const char* text) override;

    void FormCreate();
    void createMenu();
    void returnToEditor();
    void endProgram();

    QString ProgramDir; // the executable's directory, with a trailing separator
    int Scale;          // screen pixels per game pixel, each way
    std::unique_ptr<Game> game_;
    QTimer Timer1; // the game's tick
    SurfaceView* Image1 = nullptr;
    SurfaceView* Image4 = nullptr;
    SoundPlayer* sounds_ = nullptr;
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    std::unique_ptr<Recorder> recorder_;
};

// Maps a Qt key to the Windows virtual-key code the engine's key handlers take.
int virtualKeyOf(int qtKey);
