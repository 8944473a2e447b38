#include "main_window.h"

#include "editor_window.h"
#include "image_io.h"
#include "recorder.h"
#include "room_file.h"
#include "shortcut_router.h"
#include "sound_player.h"
#include "surface_view.h"
#include "wait_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>

#include <stdexcept>

int virtualKeyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift:
        return VkShift;
    case Qt::Key_Space:
        return VkSpace;
    case Qt::Key_Left:
        return VkLeft;
    case Qt::Key_Up:
        return VkUp;
    case Qt::Key_Right:
        return VkRight;
    case Qt::Key_Down:
        return VkDown;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    default:
        break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey; // letters and digits share their codes
    return 0xFF;      // any other key: it still counts as "a key"
}

TForm1::TForm1(const QString& programDir, int scale)
    : ProgramDir(programDir), Scale(scale), game_(std::make_unique<Game>(this)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("ZOMMEL & VRIX"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/icons/zommel-256.png")));
    setFocusPolicy(Qt::StrongFocus);

    auto* client = new QWidget(this);
    QPalette black = client->palette(); // the client area is black; the menu bar keeps its colours
    black.setColor(QPalette::Window, Qt::black);
    client->setPalette(black);
    client->setAutoFillBackground(true);
    client->setFixedSize(PlayfieldWidth * Scale, (PlayfieldHeight + StatusBarHeight) * Scale);
    Image1 = new SurfaceView(game_->Image1, client, Scale);
    Image4 = new SurfaceView(game_->Image4, client, Scale);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image4->setObjectName(QStringLiteral("Image4"));
    Image1->move(0, 0);
    Image4->move(0, PlayfieldHeight * Scale);
    setCentralWidget(client);

    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(50);
    connect(&Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    sounds_ = new SoundPlayer(ProgramDir, this);
    createMenu();
    qApp->installEventFilter(new ShortcutRouter(this));
    FormCreate();
}

TForm1::~TForm1() {
    stopRecording();
    game_->setHost(nullptr);
}

void TForm1::FormCreate() {
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->geometry()
                             : QRect(0, 0, 640, 480);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    int top = screen.height() / 2 - 240 * Scale;
    if (top < 0) top = 0;
    move(screen.width() / 2 - 256 * Scale, top);

    Surface sheet(PlayfieldWidth, PlayfieldHeight);
    if (!loadSurface(SpriteSheetResource, sheet))
        throw std::runtime_error("The sprite sheet could not be loaded.");
    game_->FormCreate(sheet);
}

void TForm1::createMenu() {
    menuBar()->setNativeMenuBar(false); // the menu stays in the window on every desktop
    auto item = [this](QMenu* menu, const char* name, const QString& caption, int key,
                       void (TForm1::*slot)(), bool checkable = false) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(QKeySequence(key));
        if (checkable) {
            // The handler sets the mark itself: undo the toggle Qt makes on a trigger first.
            action->setCheckable(true);
            connect(action, &QAction::triggered, action,
                    [action](bool checked) { action->setChecked(!checked); });
        }
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* action = menu->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    File1 = menuBar()->addMenu(QStringLiteral("&FILE"));
    File1->setObjectName(QStringLiteral("File1"));
    Reset1 = item(File1, "Reset1", QStringLiteral("&RESET"), Qt::Key_F1, &TForm1::Reset1Click);
    Edit1 = item(File1, "Edit1", QStringLiteral("&EDIT MODE"), Qt::Key_F2, &TForm1::Edit1Click);
    Play1 = item(File1, "Play1", QStringLiteral("&PLAY EDIT"), Qt::Key_F3, &TForm1::Play1Click);
    PAUSE1 = item(File1, "PAUSE1", QStringLiteral("PAUSE"), Qt::Key_F4, &TForm1::PAUSE1Click, true);
    N1 = separator(File1, "N1");
    Quit1 = item(File1, "Quit1", QStringLiteral("&QUIT"), Qt::Key_Escape, &TForm1::Quit1Click);

    OPTION1 = menuBar()->addMenu(QStringLiteral("&OPTION"));
    OPTION1->setObjectName(QStringLiteral("OPTION1"));
    WAIT1 = item(OPTION1, "WAIT1", QStringLiteral("&WAIT"), Qt::Key_F5, &TForm1::WAIT1Click);
    N2 = separator(OPTION1, "N2");
    SOUND1 =
        item(OPTION1, "SOUND1", QStringLiteral("SOUND"), Qt::Key_F6, &TForm1::SOUND1Click, true);
    SOUND1->setChecked(true);
}

QList<QAction*> TForm1::menuActions() const {
    return {Reset1, Edit1, Play1, PAUSE1, N1, Quit1, WAIT1, N2, SOUND1};
}

QAction* TForm1::menuItemFor(const QKeySequence& key) const {
    if (key.isEmpty()) return nullptr;
    for (QAction* a : menuActions())
        if (!a->isSeparator() && a->shortcut() == key) return a;
    return nullptr;
}

// ---- menu commands ----

void TForm1::Reset1Click() {
    stopRecording();
    game_->setTimerEnabled(false);
    game_->Puttit();
}

void TForm1::Edit1Click() {
    if (!Form2 || Form2->isVisible()) return;
    stopRecording();
    game_->setTimerEnabled(false);
    hide();
    Form2->Shoki();
    Form2->show();
    Form2->raise();
    Form2->activateWindow();
}

void TForm1::Play1Click() {
    // The game goes on behind the dialog until a file is chosen.
    RoomFileDialog dialog(this, RoomFileDialog::Open);
    dialog.selectFile(RoomFileMask);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();

    // A file that cannot be read, or holds a code the editor cannot make,
    // changes nothing: the game goes on as it was.
    RoomSet set = game_->LoadedRoomSet;
    QString error;
    if (!readRoomSet(path, set, &error)) {
        QMessageBox::warning(this, QStringLiteral("PLAY EDIT"), error);
        return;
    }
    stopRecording();
    game_->setTimerEnabled(false);
    setWindowTitle(QStringLiteral("ZOMMEL & VRIX - ") + QFileInfo(path).fileName());
    game_->startLoadedSet(set);
}

// The pause state is the check mark itself.
void TForm1::PAUSE1Click() {
    const bool paused = PAUSE1->isChecked();
    PAUSE1->setChecked(!paused);
    game_->setTimerEnabled(paused);
}

void TForm1::Quit1Click() {
    if (game_->PlayMode == ModeTestPlay) {
        returnToEditor();
        return;
    }
    endProgram();
}

void TForm1::WAIT1Click() {
    if (Form3) Form3->open(Timer1.interval());
}

void TForm1::SOUND1Click() {
    game_->SoundOn = game_->SoundOn ? 0 : 1;
    SOUND1->setChecked(game_->SoundOn != 0);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (game_->PlayMode == ModeTestPlay) {
        event->ignore();
        returnToEditor();
        return;
    }
    event->accept();
    endProgram();
}

// Ends the message loop at once. (QApplication::quit would first ask every
// window to close, and the editor answers a close request with "Quit?".)
void TForm1::endProgram() {
    stopRecording();
    QCoreApplication::exit(0);
}

// ---- recording ----

void TForm1::startRecording(std::unique_ptr<Recorder> recorder) {
    stopRecording();
    recorder_ = std::move(recorder);
}

void TForm1::stopRecording() {
    if (recorder_) recorder_->stop();
    recorder_.reset();
}

bool TForm1::isRecording() const {
    return recorder_ && recorder_->isOpen();
}

void TForm1::Timer1Timer() {
    if (recorder_) recorder_->tick();
    game_->Timer1Timer();
}

void TForm1::FormKeyDown(int virtualKey) {
    if (recorder_) recorder_->keyEvent(virtualKey, true);
    game_->FormKeyDown(virtualKey);
}

void TForm1::FormKeyUp(int virtualKey) {
    if (recorder_) recorder_->keyEvent(virtualKey, false);
    game_->FormKeyUp(virtualKey);
}

// ---- test play ----

void TForm1::Testplay(const std::uint8_t* room, int index) {
    setWindowTitle(QStringLiteral("TEST PLAY"));
    Reset1->setEnabled(false);
    Edit1->setEnabled(false);
    Play1->setEnabled(false);
    game_->setTimerEnabled(false);
    if (Form2) Form2->hide();
    show();
    raise();
    activateWindow();
    game_->startTestPlay(room, index);
}

void TForm1::returnToEditor() {
    game_->setTimerEnabled(false);
    hide();
    if (Form2) {
        Form2->show();
        Form2->raise();
        Form2->activateWindow();
    }
}

void TForm1::editorClosed() {
    show();
    raise();
    activateWindow();
    Reset1->setEnabled(true);
    Edit1->setEnabled(true);
    Play1->setEnabled(true);
    game_->Puttit();
}

// ---- keys ----

// Tab is a key like any other here: there is no focus to move.
bool TForm1::focusNextPrevChild(bool) {
    return false;
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    // Auto-repeated presses count: a held SHIFT drops bombs again.
    FormKeyDown(virtualKeyOf(event->key()));
}

void TForm1::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) return; // X11 sends a release before each repeat
    FormKeyUp(virtualKeyOf(event->key()));
}

// ---- what the engine asks of its window ----

void TForm1::timerEnabledChanged(bool enabled) {
    if (!enabled)
        Timer1.stop();
    else if (!Timer1.isActive())
        Timer1.start();
}

void TForm1::showPlayfield() {
    Image1->repaint();
}
void TForm1::showStatusBar() {
    Image4->repaint();
}
void TForm1::playSound(int id) {
    sounds_->play(id);
}
void TForm1::setCaption(const char* text) {
    setWindowTitle(QString::fromLatin1(text));
}
