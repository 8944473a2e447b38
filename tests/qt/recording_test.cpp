// Recording: the keys the window passes to the game and the ticks it runs,
// written as an input script that the headless runner replays to the very
// same frames; where the recording stops and what it keeps while paused.
#include "windows.h"

#include "recorder.h"
#include "runner.h"
#include "trace.h"

#include <QKeyEvent>
#include <QTemporaryDir>

#include <cstring>

namespace {

// What the game showed and held after one tick.
struct TickSeen {
    std::uint64_t frame = 0;
    KeyStateRecord keys{};
    std::int8_t state = 0;

    bool operator==(const TickSeen& o) const {
        return frame == o.frame && std::memcmp(&keys, &o.keys, sizeof keys) == 0 &&
               state == o.state;
    }
};

TickSeen seen(const Game& game) {
    return {frameHash(game), game.KeyState, game.GameState};
}

// A game played in the windows with a recording running.
struct Recording {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("game.txt"));
    Windows w;
    std::vector<TickSeen> ticks;

    Recording() {
        auto recorder = std::make_unique<Recorder>();
        QString error;
        if (recorder->open(path, error)) w.form1.startRecording(std::move(recorder));
    }

    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            w.form1.Timer1Timer();
            ticks.push_back(seen(w.game()));
        }
    }
    void press(Qt::Key key, bool autoRepeat = false) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(&w.form1, &event);
    }
    void release(Qt::Key key, bool autoRepeat = false) {
        QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(&w.form1, &event);
    }
    // What is on disk now.
    QStringList lines() const {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {QStringLiteral("(cannot read)")};
        return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
    }
};

// Replays the recorded script headless, from the title as zommel-replay does
// without --room and --rooms, and gives what each tick showed.
std::vector<TickSeen> replayed(const QString& path, QString& error) {
    Script script;
    std::string why;
    std::istringstream none;
    if (!readScript(path.toStdString(), none, script, why)) {
        error = QString::fromStdString(why);
        return {};
    }
    Replay replay;
    if (!replay.start(ReplayOptions{}, why)) {
        error = QString::fromStdString(why);
        return {};
    }
    std::vector<TickSeen> ticks;
    for (std::int64_t t = 1; t <= script.ticks; ++t) {
        if (!replay.tick(script, t)) error = QStringLiteral("tick %1 did not run").arg(t);
        ticks.push_back(seen(replay.game()));
    }
    return ticks;
}

// The first tick where the replay differs, or -1.
int firstDifference(const std::vector<TickSeen>& played, const std::vector<TickSeen>& replay) {
    for (std::size_t t = 0; t < played.size() && t < replay.size(); ++t)
        if (!(played[t] == replay[t])) return static_cast<int>(t + 1);
    return played.size() == replay.size() ? -1 : static_cast<int>(replay.size() + 1);
}

} // namespace

class RecordingTest : public QObject {
    Q_OBJECT
  private slots:
    void replaysToTheSameFrames();
    void keysWhilePausedComeBeforeTheNextTick();
    void stopsWhenACommandChangesTheGame_data();
    void stopsWhenACommandChangesTheGame();
    void fileThatCannotBeCreated();
};

void RecordingTest::replaysToTheSameFrames() {
    Recording r;
    QVERIFY(r.w.form1.isRecording());
    r.tick(2);
    r.press(Qt::Key_Space); // held over a tick: the game starts
    r.tick();
    QCOMPARE(r.w.game().GameState, StatePlay);
    r.release(Qt::Key_Space);
    r.tick(3);
    r.press(Qt::Key_Right);
    r.tick(4);
    r.press(Qt::Key_Left); // pressed and let go between two ticks
    r.release(Qt::Key_Left);
    r.tick();
    r.press(Qt::Key_Shift);
    r.tick();
    r.release(Qt::Key_Shift, true); // X11's auto-repeat: the release is ignored,
    r.press(Qt::Key_Shift, true);   // the press is another key-down
    r.tick();
    r.release(Qt::Key_Shift);
    r.release(Qt::Key_Right);
    r.tick(2);
    r.press(Qt::Key_Up); // two keys in one tick
    r.press(Qt::Key_Right);
    r.tick(3);
    r.release(Qt::Key_Up);
    r.release(Qt::Key_Right);
    r.press(Qt::Key_A); // any other key
    r.tick();
    r.release(Qt::Key_A);
    r.press(Qt::Key_Return);
    r.release(Qt::Key_Return);
    r.tick(40);
    QCOMPARE(r.w.game().GameState, StatePlay);
    QVERIFY(r.ticks.back().frame != r.ticks[2].frame);

    // Every line but the last is on disk while the game goes on.
    const QStringList before = r.lines();
    QCOMPARE(before.first(), QStringLiteral("# zommel recording"));
    QVERIFY2(before.contains(QStringLiteral("+L -L")), qPrintable(before.join('|')));
    QVERIFY2(before.contains(QStringLiteral("Rs")), qPrintable(before.join('|')));
    QVERIFY2(before.contains(QStringLiteral("UR*3")), qPrintable(before.join('|')));
    QVERIFY2(before.contains(QStringLiteral("-K +K -K")), qPrintable(before.join('|')));
    QVERIFY(!before.contains(QStringLiteral("-*39"))); // held back until the end
    r.w.form1.Reset1Click();
    QVERIFY(!r.w.form1.isRecording());
    const QStringList lines = r.lines();
    QCOMPARE(lines.mid(0, before.size() - 1), before.mid(0, before.size() - 1));
    QCOMPARE(lines.mid(lines.size() - 2), QStringList({"-*39", ""}));

    QString error;
    const std::vector<TickSeen> replay = replayed(r.path, error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(replay.size(), r.ticks.size());
    QCOMPARE(firstDifference(r.ticks, replay), -1);
}

void RecordingTest::keysWhilePausedComeBeforeTheNextTick() {
    Recording r;
    r.press(Qt::Key_Space);
    r.tick(2);
    r.w.form1.PAUSE1Click();
    QVERIFY(!r.w.form1.timer().isActive());
    r.release(Qt::Key_Space);
    r.press(Qt::Key_Right);
    r.release(Qt::Key_Right);
    r.press(Qt::Key_Left);
    // WAIT and SOUND change nothing the game does with the keys.
    r.w.form1.WAIT1Click();
    r.w.form3.hide();
    r.w.form1.SOUND1Click();
    r.w.form1.PAUSE1Click();
    QVERIFY(r.w.form1.isRecording());
    r.tick(5);
    r.w.form1.stopRecording();

    QCOMPARE(r.lines(), QStringList({"# zommel recording", "P*2", "-P +R -R +L", "L*4", ""}));
    QString error;
    const std::vector<TickSeen> replay = replayed(r.path, error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(firstDifference(r.ticks, replay), -1);
}

void RecordingTest::stopsWhenACommandChangesTheGame_data() {
    QTest::addColumn<QString>("command");
    for (const char* command : {"RESET", "EDIT MODE", "PLAY EDIT", "QUIT", "close box"})
        QTest::addRow("%s", command) << command;
}

void RecordingTest::stopsWhenACommandChangesTheGame() {
    QFETCH(QString, command);
    Recording r;
    r.press(Qt::Key_Space);
    r.tick(3);
    if (command == "RESET") {
        r.w.form1.Reset1Click();
    } else if (command == "EDIT MODE") {
        r.w.form1.Edit1Click();
    } else if (command == "PLAY EDIT") {
        // A file that cannot be read changes nothing, and the recording goes on.
        const QString bad = r.dir.filePath(QStringLiteral("bad.zom"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\x0b", 1) == 1);
        file.close();
        auto refused = answerBox(QMessageBox::Ok);
        auto dialog = chooseFile(bad);
        r.w.form1.Play1Click();
        QVERIFY(refused->opened);
        QVERIFY(r.w.form1.isRecording());
        r.tick();

        RoomSet set = emptyRoomSet();
        set[10 * 16 + 1] = CodeHeroine;
        const QString good = r.dir.filePath(QStringLiteral("good.zom"));
        QVERIFY(writeRoomSet(good, set, nullptr));
        dialog = chooseFile(good);
        r.w.form1.Play1Click();
        QVERIFY(dialog->opened);
        QCOMPARE(r.w.game().PlayMode, ModeLoadedSet);
    } else {
        QVERIFY(endsTheProgram([&] {
            if (command == "QUIT")
                r.w.form1.Quit1Click();
            else
                r.w.form1.close();
        }));
    }
    QVERIFY(!r.w.form1.isRecording());
    const QStringList lines = r.lines();
    const QString played = command == "PLAY EDIT" ? "P*4" : "P*3";
    QCOMPARE(lines, QStringList({"# zommel recording", played, ""}));

    // Nothing more is written.
    r.w.form1.show();
    r.press(Qt::Key_Left);
    r.w.tick(3);
    r.w.form1.stopRecording();
    QCOMPARE(r.lines(), lines);
}

void RecordingTest::fileThatCannotBeCreated() {
    QTemporaryDir dir;
    Recorder recorder;
    QString error;
    const QString path = dir.filePath(QStringLiteral("none/game.txt"));
    QVERIFY(!recorder.open(path, error));
    QVERIFY(!recorder.isOpen());
    QVERIFY2(error.startsWith(QStringLiteral("cannot create the recording ") + path + ": "),
             qPrintable(error));
    recorder.tick(); // harmless
}

QTEST_MAIN(RecordingTest)
#include "recording_test.moc"
