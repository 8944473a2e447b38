// The main menu's shortcuts act from every window of the program, also while
// the main window is hidden; the editor's own menu keeps its keys, and no
// shortcut acts while a message box or file dialog is open.
#include "windows.h"

class ShortcutRoutingTest : public QObject {
    Q_OBJECT
  private slots:
    void fromTheWaitDialog();
    void fromTheWaitDialogInTestPlay();
    void fromAnotherWindowWithTheMainWindowHidden();
    void inTheEditor();
    void editModeFromTheWaitDialogWhileEditing();
    void nothingActsWhileAMessageBoxIsOpen();
    void nothingActsWhileAFileDialogIsOpen();
};

void ShortcutRoutingTest::fromTheWaitDialog() {
    Windows w(false);
    w.form1.WAIT1Click();
    QVERIFY(activate(&w.form3));
    QWidget* edit = w.form3.Edit1;

    // Typing still goes to the edit box, and the game sees none of it.
    w.form3.Edit1->clear();
    QTest::keyClicks(edit, QStringLiteral("12 "));
    QCOMPARE(w.form3.Edit1->text(), QStringLiteral("12 "));
    QTest::keyPress(edit, Qt::Key_Space);
    QCOMPARE(w.game().KeyState.space, 0);
    QCOMPARE(w.game().KeyState.any, 0);
    QTest::keyRelease(edit, Qt::Key_Space);

    QTest::keyClick(edit, Qt::Key_F6);
    QCOMPARE(w.game().SoundOn, 0);
    QVERIFY(!w.form1.SOUND1->isChecked());
    QTest::keyClick(edit, Qt::Key_F4);
    QVERIFY(w.form1.PAUSE1->isChecked());
    QVERIFY(!w.form1.timer().isActive());
    QTest::keyClick(edit, Qt::Key_F4);
    QVERIFY(w.form1.timer().isActive());

    w.game().startGame();
    QTest::keyClick(edit, Qt::Key_F1);
    QCOMPARE(w.game().GameState, StateTitle);

    QTest::keyClick(edit, Qt::Key_F5); // WAIT again refills the box
    QCOMPARE(w.form3.Edit1->text(), QStringLiteral("50"));

    auto dialog = chooseFile(QString());
    QTest::keyClick(edit, Qt::Key_F3);
    QVERIFY(dialog->opened);
    QCOMPARE(dialog->title, QStringLiteral("OPEN"));

    QTest::keyClick(edit, Qt::Key_F2);
    QVERIFY(w.form2.isVisible());
    QVERIFY(!w.form1.isVisible());
}

void ShortcutRoutingTest::fromTheWaitDialogInTestPlay() {
    Windows w;
    w.form1.Edit1Click();
    w.form2.EditorRoomSet[10 * 16 + 1] = CodeHeroine;
    w.form2.PLAY2Click();
    w.form1.WAIT1Click();
    QVERIFY(activate(&w.form3));

    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3}) QTest::keyClick(w.form3.Edit1, key);
    QCOMPARE(w.game().GameState, StatePlay);
    QCOMPARE(w.form1.windowTitle(), QStringLiteral("TEST PLAY"));
    QVERIFY(!w.form2.isVisible());

    QTest::keyClick(w.form3.Edit1, Qt::Key_Escape); // QUIT: back to the editor
    QVERIFY(w.form2.isVisible());
    QVERIFY(!w.form1.isVisible());
    QVERIFY(!w.form1.timer().isActive());
}

void ShortcutRoutingTest::fromAnotherWindowWithTheMainWindowHidden() {
    Windows w(false);
    w.form1.hide();
    QWidget other;
    other.resize(100, 100);
    QVERIFY(activate(&other));

    QTest::keyClick(&other, Qt::Key_F6);
    QCOMPARE(w.game().SoundOn, 0);
    QTest::keyClick(&other, Qt::Key_F6);
    QCOMPARE(w.game().SoundOn, 1);
    QTest::keyClick(&other, Qt::Key_F4);
    QVERIFY(w.form1.PAUSE1->isChecked());
    QTest::keyClick(&other, Qt::Key_F5);
    QVERIFY(w.form3.isVisible());
    QCOMPARE(w.form3.Edit1->text(), QStringLiteral("50"));

    // A key that is no shortcut stays with the window it was meant for.
    QTest::keyPress(&other, Qt::Key_Space);
    QCOMPARE(w.game().KeyState.any, 0);
    QTest::keyRelease(&other, Qt::Key_Space);

    // With the main window disabled, nothing is routed.
    w.form1.setEnabled(false);
    QTest::keyClick(&other, Qt::Key_F6);
    QCOMPARE(w.game().SoundOn, 1);
}

void ShortcutRoutingTest::inTheEditor() {
    Windows w;
    QVERIFY(activate(&w.form1));
    QTest::keyClick(&w.form1, Qt::Key_F2);
    QVERIFY(w.form2.isVisible());
    QVERIFY(!w.form1.isVisible());
    QVERIFY(activate(&w.form2));
    const auto state = w.game().GameState;

    // F5 and F6 are the main menu's.
    QTest::keyClick(&w.form2, Qt::Key_F5);
    QVERIFY(w.form3.isVisible());
    w.form3.hide();
    QVERIFY(activate(&w.form2));
    QTest::keyClick(&w.form2, Qt::Key_F6);
    QCOMPARE(w.game().SoundOn, 0);
    QVERIFY(!w.form1.SOUND1->isChecked());

    // F1 to F3 and Esc are the editor's: NEW, SAVE, OPEN, QUIT.
    const struct {
        Qt::Key key;
        QString title, text;
    } own[] = {
        {Qt::Key_F1, "EDIT MODE", "New?"},
        {Qt::Key_F2, "SAVE", ""},
        {Qt::Key_F3, "OPEN", ""},
        {Qt::Key_Escape, "EDIT MODE", "Quit?"},
    };
    for (const auto& k : own) {
        auto box = answerBox(QMessageBox::No);
        auto dialog = chooseFile(QString());
        QTest::keyClick(&w.form2, k.key);
        const auto& seen = k.text.isEmpty() ? dialog : box;
        QVERIFY2(seen->opened, qPrintable(k.title));
        QCOMPARE(seen->title, k.title);
        QCOMPARE(seen->text, k.text);
        QVERIFY(w.form2.isVisible());
        QVERIFY(!w.form1.isVisible());
        QVERIFY(!w.form1.timer().isActive()); // no RESET, no PLAY EDIT
        QCOMPARE(w.game().GameState, state);
    }

    // Alt with a digit picks a room.
    QTest::keyClick(&w.form2, Qt::Key_0, Qt::AltModifier);
    QCOMPARE(w.form2.EditorRoom, 9);
    QTest::keyClick(&w.form2, Qt::Key_3, Qt::AltModifier);
    QCOMPARE(w.form2.EditorRoom, 2);

    // F4 is TEST PLAY, not PAUSE.
    QTest::keyClick(&w.form2, Qt::Key_F4);
    QVERIFY(!w.form1.PAUSE1->isChecked());
    QCOMPARE(w.game().PlayMode, ModeTestPlay);
    QCOMPARE(w.game().RoomIndex, 2);
    QVERIFY(w.form1.isVisible());
    QVERIFY(!w.form2.isVisible());
}

void ShortcutRoutingTest::editModeFromTheWaitDialogWhileEditing() {
    Windows w;
    w.form1.Edit1Click();
    w.form2.Image1MouseDown(Qt::LeftButton, 64, 64); // an empty cell stays empty...
    w.form2.Image2MouseDown(4 * 32);
    w.form2.Image1MouseDown(Qt::LeftButton, 64, 64); // ...a stone now
    QCOMPARE(w.form2.EditorRoomSet[2 * 16 + 2], CodeStone);
    w.form2.Image1MouseDown(Qt::LeftButton, 64, 64);
    w.form1.WAIT1Click();
    QVERIFY(activate(&w.form3));

    QTest::keyClick(w.form3.Edit1, Qt::Key_F2); // EDIT MODE while the editor is open
    QCOMPARE(w.form2.EditorRoomSet[2 * 16 + 2], CodeStone);
    QVERIFY(w.form2.isVisible());
    QVERIFY(!w.form1.isVisible());
}

void ShortcutRoutingTest::nothingActsWhileAMessageBoxIsOpen() {
    Windows w;
    w.form1.Edit1Click();
    QVERIFY(activate(&w.form2));
    bool keysSent = false;
    auto box = whenModal<QMessageBox>([&](QMessageBox* box) {
        for (QWidget* target : {static_cast<QWidget*>(box), static_cast<QWidget*>(&w.form2)})
            for (Qt::Key key : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F4, Qt::Key_F2})
                QTest::keyClick(target, key);
        keysSent = true;
        box->button(QMessageBox::No)->click();
    });
    QTest::keyClick(&w.form2, Qt::Key_F1); // "New?"
    QVERIFY(box->opened);
    QVERIFY(keysSent);
    QCOMPARE(w.game().SoundOn, 1);
    QVERIFY(!w.form3.isVisible());
    QVERIFY(!w.form1.isVisible());

    // The wait dialog's "error!" box, with the main window shown.
    Windows v;
    v.form1.WAIT1Click();
    v.form3.Edit1->setText(QStringLiteral("0"));
    auto error = whenModal<QMessageBox>([&](QMessageBox* box) {
        for (Qt::Key key : {Qt::Key_F6, Qt::Key_F4, Qt::Key_F1}) QTest::keyClick(box, key);
        box->button(QMessageBox::Ok)->click();
    });
    v.form3.Ok();
    QVERIFY(error->opened);
    QCOMPARE(v.game().SoundOn, 1);
    QVERIFY(!v.form1.PAUSE1->isChecked());
}

void ShortcutRoutingTest::nothingActsWhileAFileDialogIsOpen() {
    Windows w;
    QVERIFY(activate(&w.form1));
    auto dialog = whenModal<QFileDialog>([&](QFileDialog* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        for (Qt::Key key : {Qt::Key_F6, Qt::Key_F4, Qt::Key_F5, Qt::Key_F1})
            QTest::keyClick(edit, key);
        dialog->reject();
    });
    QTest::keyClick(&w.form1, Qt::Key_F3); // PLAY EDIT's dialog
    QVERIFY(dialog->opened);
    QCOMPARE(w.game().SoundOn, 1);
    QVERIFY(!w.form1.PAUSE1->isChecked());
    QVERIFY(!w.form3.isVisible());
}

QTEST_MAIN(ShortcutRoutingTest)
#include "shortcut_routing_test.moc"
