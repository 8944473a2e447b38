// Room-set files: the editor's NEW, SAVE and OPEN, the main window's PLAY
// EDIT, their dialogs, and what a file that cannot be used changes.
#include "windows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const RoomSet& set) {
    return QByteArray(reinterpret_cast<const char*>(set.data()), RoomSetBytes);
}

// A set in which every byte differs from its neighbours: 0 to 10 over and over.
RoomSet patternSet(int offset = 0) {
    RoomSet set{};
    for (int i = 0; i < RoomSetBytes; ++i) set[i] = static_cast<std::uint8_t>((i + offset) % 11);
    return set;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file that exists but cannot be opened for reading, even by root: a socket.
struct SocketFile {
    explicit SocketFile(const QString& path) {
        fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        if (fd < 0 || name.size() >= int(sizeof address.sun_path)) return;
        std::copy(name.begin(), name.end(), address.sun_path);
        bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~SocketFile() {
        if (fd >= 0) ::close(fd);
    }
    int fd = -1;
    bool bound = false;
};

// Ends a file that grows past `bytes` with an error, as a full disk would.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);
    }
    rlimit old{};
    void (*previousHandler)(int) = nullptr;
};

// A room that is cleared in four ticks: she walks left onto the ladder
// and climbs out through the top.
Room quickRoom() {
    Room room{};
    makeEmptyRoom(room.data());
    room[1] = CodeLadder;
    room[2] = CodeHeroine;
    for (int c = 1; c < 15; ++c) room[16 + c] = CodeStone;
    return room;
}

} // namespace

class RoomFilesTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void dialogs();
    void aWildcardNameIsNoFile();
    void saveThenOpenByteForByte();
    void overwriting();
    void skipNextClickAfterFileCommands_data();
    void skipNextClickAfterFileCommands();
    void filesThatCannotBeUsed_data();
    void filesThatCannotBeUsed();
    void aFailedSaveKeepsTheOldFile();
    void playEditRunsTheGameBehindItsDialog();
    void playEditPlaysTheSetToItsEnd();

  private:
    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
};

void RoomFilesTest::initTestCase() {
    QVERIFY(dir_.isValid());
}

void RoomFilesTest::dialogs() {
    Windows w;
    writeFile(path("one.zom"), bytesOf(patternSet()));
    QDir(dir_.path()).mkdir("other");
    w.form1.Edit1Click();

    auto checkFileDialog = [](const ModalSeen& seen, const char* title, bool save) {
        QVERIFY(seen.opened);
        QCOMPARE(seen.title, QString::fromLatin1(title));
        QCOMPARE(seen.nameFilters, QStringList{"*.zom"});
        QCOMPARE(seen.defaultSuffix, QStringLiteral("zom"));
        QVERIFY(seen.nonNative);
        QCOMPARE(seen.save, save);
        if (save)
            QVERIFY(seen.confirmsOverwrite);
        else
            QVERIFY(seen.existingOnly);
    };

    auto firstSave = chooseFile(QString());
    w.form2.SAVE1Click();
    checkFileDialog(*firstSave, "SAVE", true);
    QCOMPARE(firstSave->typedName, QString()); // nothing at first

    auto open = chooseFile(path("one")); // the extension is added
    w.form2.OPEN1Click();
    checkFileDialog(*open, "OPEN", false);
    QCOMPARE(open->typedName, QStringLiteral("*.zom"));
    QCOMPARE(w.form2.EditorRoomSet, patternSet());

    auto afterOpen = chooseFile(path("other/two"));
    w.form2.SAVE1Click();
    QCOMPARE(afterOpen->typedName, QStringLiteral("one.zom"));
    QCOMPARE(afterOpen->directory, dir_.path());
    QVERIFY(QFileInfo::exists(path("other/two.zom")));

    auto afterSave = chooseFile(QString());
    w.form2.SAVE1Click();
    QCOMPARE(afterSave->typedName, QStringLiteral("two.zom"));
    QCOMPARE(afterSave->directory, path("other"));

    auto openAgain = chooseFile(QString());
    w.form2.OPEN1Click();
    QCOMPARE(openAgain->typedName, QStringLiteral("*.zom"));

    auto yes = answerBox(QMessageBox::Yes);
    w.form2.NEW1Click();
    QVERIFY(yes->opened);
    auto afterNew = chooseFile(QString());
    w.form2.SAVE1Click();
    QCOMPARE(afterNew->typedName, QStringLiteral("*.zom"));

    auto play = chooseFile(QString());
    w.form1.Play1Click();
    checkFileDialog(*play, "OPEN", false);
    QCOMPARE(play->typedName, QStringLiteral("*.zom"));
}

void RoomFilesTest::aWildcardNameIsNoFile() {
    Windows w;
    w.form1.Edit1Click();
    QDir::setCurrent(dir_.path());
    for (const QString& typed : {QStringLiteral("*.zom"), path("x?.zom")}) {
        auto save = chooseFile(typed);
        w.form2.SAVE1Click();
        QVERIFY(save->stayedOpen);
        QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE"));
        QCOMPARE(w.form2.SkipNextClick, 0);
    }
    const QStringList entries = QDir(dir_.path()).entryList(QDir::Files);
    QVERIFY2(!entries.contains("*.zom") && !entries.contains("x?.zom"),
             qPrintable(entries.join(' ')));
}

void RoomFilesTest::saveThenOpenByteForByte() {
    Windows w;
    w.form1.Edit1Click();
    w.form2.EditorRoomSet = patternSet(3);
    w.form2.EditorRoom = 4;
    w.form2.Putst();

    auto save = chooseFile(path("rooms"));
    w.form2.SAVE1Click();
    QVERIFY(save->opened);
    QCOMPARE(readFile(path("rooms.zom")), bytesOf(patternSet(3)));
    QCOMPARE(QFileInfo(path("rooms.zom")).size(), 1920);
    QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE - rooms.zom"));
    QCOMPARE(w.form2.EditorRoom, 4);

    auto yes = answerBox(QMessageBox::Yes);
    w.form2.NEW1Click();
    QCOMPARE(w.form2.EditorRoomSet, emptyRoomSet());
    QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE"));

    w.form2.Image2MouseDown(5 * 32);
    w.form2.EditorRoom = 6;
    auto open = chooseFile(path("rooms.zom"));
    w.form2.OPEN1Click();
    QCOMPARE(w.form2.EditorRoomSet, patternSet(3));
    QCOMPARE(w.form2.EditorRoom, 0);
    QVERIFY(w.form2.RoomItems[0]->isChecked());
    QCOMPARE(w.form2.EditorTile, 5);
    QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE - rooms.zom"));

    auto play = chooseFile(path("rooms.zom"));
    w.form1.Play1Click();
    QCOMPARE(w.game().LoadedRoomSet, patternSet(3));
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("ZOMMEL & VRIX - rooms.zom"));
}

void RoomFilesTest::overwriting() {
    Windows w;
    w.form1.Edit1Click();
    writeFile(path("old.zom"), bytesOf(patternSet(1)));
    w.form2.EditorRoomSet = patternSet(2);

    auto refused = chooseFile(path("old.zom"), QMessageBox::No);
    w.form2.SAVE1Click();
    QVERIFY2(refused->text.contains("already exists"), qPrintable(refused->text));
    QVERIFY(refused->stayedOpen);
    QCOMPARE(readFile(path("old.zom")), bytesOf(patternSet(1)));
    QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE"));
    QCOMPARE(w.form2.SkipNextClick, 0);

    auto taken = chooseFile(path("old.zom"), QMessageBox::Yes);
    w.form2.SAVE1Click();
    QVERIFY(taken->text.contains("already exists"));
    QVERIFY(!taken->stayedOpen);
    QCOMPARE(readFile(path("old.zom")), bytesOf(patternSet(2)));
    QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE - old.zom"));
}

void RoomFilesTest::skipNextClickAfterFileCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("completed");
    for (const char* command : {"NEW", "SAVE", "OPEN"}) {
        QTest::addRow("%s", command) << command << true;
        QTest::addRow("%s cancelled", command) << command << false;
    }
}

void RoomFilesTest::skipNextClickAfterFileCommands() {
    QFETCH(QString, command);
    QFETCH(bool, completed);
    Windows w;
    writeFile(path("skip.zom"), bytesOf(emptyRoomSet()));
    w.form1.Edit1Click();
    w.form2.Image2MouseDown(CodeBrick * 32); // the preview shows a brick
    w.form2.setWindowTitle(QStringLiteral("EDIT MODE - before.zom"));
    const RoomSet rooms = w.form2.EditorRoomSet;

    auto box = answerBox(completed ? QMessageBox::Yes : QMessageBox::No);
    auto dialog = chooseFile(completed ? path("skip.zom") : QString());
    if (command == "NEW") w.form2.NEW1Click();
    if (command == "SAVE") w.form2.SAVE1Click();
    if (command == "OPEN") w.form2.OPEN1Click();
    QVERIFY(command == "NEW" ? box->opened : dialog->opened);
    QCOMPARE(w.form2.SkipNextClick, completed ? 1 : 0);
    if (!completed) {
        QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE - before.zom"));
        QCOMPARE(w.form2.EditorRoomSet, rooms);
    }

    // The first press after a completed command does nothing, the next one works.
    const int tile = command == "NEW" && completed ? CodeEmpty : CodeBrick;
    w.form2.EditorRoomSet[2 * 16 + 2] = CodeLadder;
    w.form2.Image1MouseDown(Qt::LeftButton, 64, 64);
    QCOMPARE(w.form2.EditorRoomSet[2 * 16 + 2], completed ? CodeLadder : tile);
    w.form2.Image1MouseDown(Qt::LeftButton, 64, 64);
    QCOMPARE(w.form2.EditorRoomSet[2 * 16 + 2], tile);
    QCOMPARE(w.form2.SkipNextClick, 0);
}

void RoomFilesTest::filesThatCannotBeUsed_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("playEdit");
    QTest::addColumn<int>("bytesRead");  // -1: the file is refused
    QTest::addColumn<QString>("reason"); // in the message box

    for (bool playEdit : {false, true}) {
        const char* where = playEdit ? "PLAY EDIT" : "OPEN";
        QTest::addRow("%s: missing", where) << "missing" << playEdit << -1 << "";
        QTest::addRow("%s: cannot be opened", where) << "socket" << playEdit << -1 << "";
        QTest::addRow("%s: cannot be read", where) << "unreadable" << playEdit << -1 << "";
        QTest::addRow("%s: empty", where) << "empty" << playEdit << -1 << "empty";
        QTest::addRow("%s: 192 bytes", where) << "192" << playEdit << 192 << "";
        QTest::addRow("%s: 1919 bytes", where) << "1919" << playEdit << 1919 << "";
        QTest::addRow("%s: 1921 bytes", where) << "1921" << playEdit << 1920 << "";
        QTest::addRow("%s: code 11", where)
            << "code 11" << playEdit << -1 << "Room 3, row 4, column 5 holds the code 11";
        QTest::addRow("%s: code 255", where)
            << "code 255" << playEdit << -1 << "Room 1, row 0, column 0 holds the code 255";
    }
}

void RoomFilesTest::filesThatCannotBeUsed() {
    QFETCH(QString, kind);
    QFETCH(bool, playEdit);
    QFETCH(int, bytesRead);
    QFETCH(QString, reason);

    const QString file =
        path(QStringLiteral("case-%1.zom").arg(QString(QTest::currentDataTag()).replace(':', '-')));
    QFile::remove(file);
    std::unique_ptr<SocketFile> socket;
    QByteArray content = bytesOf(patternSet(5));
    if (kind == "socket") {
        socket = std::make_unique<SocketFile>(file);
        if (!socket->bound) QSKIP("no socket file could be made here");
    } else if (kind == "unreadable") {
        if (!QFile::exists("/proc/self/mem")) QSKIP("no /proc/self/mem here");
        QVERIFY(QFile::link("/proc/self/mem", file));
    } else if (kind != "missing") {
        if (kind == "empty") content.clear();
        if (kind == "192" || kind == "1919") content.truncate(kind.toInt());
        if (kind == "1921") content.append(char(CodeStone));
        if (kind == "code 11") content[2 * 192 + 4 * 16 + 5] = 11;
        if (kind == "code 255") content[0] = char(255);
        writeFile(file, content);
    }

    Windows w;
    // The state a refused file must leave alone.
    w.form1.Edit1Click();
    w.form2.EditorRoomSet = patternSet(7);
    w.form2.EditorRoom = 4;
    w.form2.Putst();
    w.form2.saveFileName = path("before.zom");
    w.form2.setWindowTitle(QStringLiteral("EDIT MODE - before.zom"));
    const Surface roomShown = w.form2.Image1;
    if (playEdit) {
        auto yes = answerBox(QMessageBox::Yes);
        w.form2.Quit();
        w.game().LoadedRoomSet = patternSet(7);
        w.game().startGame(2);
        w.game().Score = 12;
        w.tick(3);
    }
    const RoomSet before = playEdit ? w.game().LoadedRoomSet : w.form2.EditorRoomSet;
    const QString caption = playEdit ? w.form1.windowTitle() : w.form2.windowTitle();
    const PlayerRecord player = w.game().Player;

    auto box = answerBox(QMessageBox::Ok, QDir::toNativeSeparators(file));
    auto dialog = chooseFile(file);
    if (playEdit)
        w.form1.Play1Click();
    else
        w.form2.OPEN1Click();
    QVERIFY(dialog->opened);
    const RoomSet& after = playEdit ? w.game().LoadedRoomSet : w.form2.EditorRoomSet;

    if (bytesRead >= 0) {
        QVERIFY(!box->opened);
        RoomSet expected = before;
        std::copy(content.begin(), content.begin() + bytesRead, expected.begin());
        QCOMPARE(after, expected);
        const QString name = QFileInfo(file).fileName();
        if (playEdit) {
            QCOMPARE(w.form1.windowTitle(), "ZOMMEL & VRIX - " + name);
            QCOMPARE(w.game().PlayMode, ModeLoadedSet);
            QCOMPARE(w.game().RoomIndex, 0);
            QCOMPARE(w.game().Score, 0);
            QCOMPARE(w.game().Lives, 5);
        } else {
            QCOMPARE(w.form2.windowTitle(), "EDIT MODE - " + name);
            QCOMPARE(w.form2.EditorRoom, 0);
            QCOMPARE(w.form2.SkipNextClick, 1);
            QCOMPARE(w.form2.saveFileName, file);
        }
        return;
    }

    // Refused: a message box names the file and the reason; nothing changes.
    if (kind == "missing") {
        QVERIFY(dialog->stayedOpen); // the dialog's own refusal
        QVERIFY2(dialog->text.contains("not found"), qPrintable(dialog->text));
    } else {
        QVERIFY(box->opened);
        QCOMPARE(box->title, playEdit ? QStringLiteral("PLAY EDIT") : QStringLiteral("OPEN"));
        QVERIFY2(box->text.contains(QDir::toNativeSeparators(file)), qPrintable(box->text));
        QVERIFY2(box->text.contains(reason), qPrintable(box->text));
        QVERIFY(box->text.count('\n') >= 1);
    }
    QCOMPARE(after, before);
    if (playEdit) {
        QCOMPARE(w.form1.windowTitle(), caption);
        QCOMPARE(w.game().PlayMode, ModeBuiltIn);
        QCOMPARE(w.game().RoomIndex, 2);
        QCOMPARE(w.game().Score, 12);
        QCOMPARE(w.game().GameState, StatePlay);
        QCOMPARE(w.game().Player.x, player.x);
        QCOMPARE(w.game().Player.y, player.y);
        QVERIFY(w.form1.timer().isActive());
    } else {
        QCOMPARE(w.form2.windowTitle(), caption);
        QCOMPARE(w.form2.EditorRoom, 4);
        QCOMPARE(w.form2.SkipNextClick, 0);
        QCOMPARE(w.form2.saveFileName, path("before.zom"));
        QVERIFY(w.form2.Image1.data() != roomShown.data());
        QVERIFY(std::equal(roomShown.data(), roomShown.data() + 512 * 384, w.form2.Image1.data()));
    }
}

void RoomFilesTest::aFailedSaveKeepsTheOldFile() {
    Windows w;
    w.form1.Edit1Click();
    writeFile(path("keep.zom"), bytesOf(patternSet(1)));
    w.form2.EditorRoomSet = patternSet(2);

    {
        // The disk fills up half-way through the new file.
        FileSizeLimit limit(1000);
        auto dialog = chooseFile(path("keep.zom"), QMessageBox::Yes);
        auto error = answerBox(QMessageBox::Ok, path("keep.zom"));
        w.form2.SAVE1Click();
        QVERIFY(dialog->text.contains("already exists"));
        QVERIFY(error->opened);
        QCOMPARE(error->title, QStringLiteral("SAVE"));
        QVERIFY2(error->text.contains(path("keep.zom")), qPrintable(error->text));
    }
    QCOMPARE(readFile(path("keep.zom")), bytesOf(patternSet(1)));
    QCOMPARE(QDir(dir_.path()).entryList({"keep*"}, QDir::Files), QStringList{"keep.zom"});
    QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE"));
    QCOMPARE(w.form2.SkipNextClick, 0);

    // A directory that does not exist.
    auto error = answerBox(QMessageBox::Ok, path("no-such-dir"));
    auto dialog = chooseFile(path("no-such-dir/new.zom"));
    w.form2.SAVE1Click();
    QVERIFY2(error->opened, qPrintable(dialog->text + (dialog->stayedOpen ? " stayed" : "")));
    QCOMPARE(w.form2.windowTitle(), QStringLiteral("EDIT MODE"));
    QVERIFY(!QFileInfo::exists(path("no-such-dir")));
}

void RoomFilesTest::playEditRunsTheGameBehindItsDialog() {
    Room room = quickRoom();
    RoomSet set = emptyRoomSet();
    std::copy(room.begin(), room.end(), set.begin());
    writeFile(path("quick.zom"), bytesOf(set));

    for (bool choose : {false, true}) {
        Windows w(false);
        w.form1.timer().setInterval(5);
        w.game().startGame(1);
        w.game().Score = 9;
        QSignalSpy ticks(&w.form1.timer(), &QTimer::timeout);
        int ticksBehindTheDialog = 0;
        auto dialog = whenModal<QFileDialog>([&](QFileDialog* dialog, ModalSeen&) {
            QTest::qWait(100);
            ticksBehindTheDialog = ticks.count();
            if (!choose) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path("quick.zom"));
            static_cast<QDialog*>(dialog)->accept();
        });
        w.form1.Play1Click();
        QVERIFY(dialog->opened);
        QVERIFY(ticksBehindTheDialog > 0);
        if (!choose) {
            QCOMPARE(w.game().PlayMode, ModeBuiltIn);
            QCOMPARE(w.game().RoomIndex, 1);
            QCOMPARE(w.game().Score, 9);
            QCOMPARE(w.form1.windowTitle(), QStringLiteral("ZOMMEL & VRIX"));
            QVERIFY(w.form1.timer().isActive());
            continue;
        }
        QCOMPARE(w.game().PlayMode, ModeLoadedSet);
        QCOMPARE(w.game().RoomIndex, 0);
        QCOMPARE(w.game().Score, 0);
        QCOMPARE(w.game().Lives, 5);
        QCOMPARE(w.game().GameState, StatePlay);
        QCOMPARE(w.game().Player.x, 64); // room 1 of the file
        QCOMPARE(w.game().Player.y, 0);
        QVERIFY(w.form1.timer().isActive());
        QCOMPARE(w.form1.windowTitle(), QStringLiteral("ZOMMEL & VRIX - quick.zom"));
    }
}

void RoomFilesTest::playEditPlaysTheSetToItsEnd() {
    Room room = quickRoom();
    RoomSet set{};
    for (int n = 0; n < RoomsPerSet; ++n)
        std::copy(room.begin(), room.end(), set.begin() + n * 192);
    writeFile(path("ten.zom"), bytesOf(set));

    Windows w;
    auto dialog = chooseFile(path("ten.zom"));
    w.form1.Play1Click();
    for (int n = 0; n < RoomsPerSet; ++n) {
        QCOMPARE(w.game().RoomIndex, n);
        QCOMPARE(w.form1.windowTitle(), QStringLiteral("ZOMMEL & VRIX - ten.zom"));
        w.game().FormKeyDown(VkLeft);
        w.tick(2);
        w.game().FormKeyUp(VkLeft);
        w.game().FormKeyDown(VkUp);
        w.tick(2);
        QCOMPARE(w.game().GameState, StateClearPause); // cleared
        w.tick(6);                                     // the pause, then the held key
        w.game().FormKeyUp(VkUp);
    }
    QCOMPARE(w.game().GameState, StateTitle);
    QCOMPARE(w.game().PlayMode, ModeBuiltIn);
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("ZOMMEL & VRIX"));
}

QTEST_MAIN(RoomFilesTest)
#include "room_files_test.moc"
