// The WAIT dialog: its layout, the number it reads and what it does with it.
#include "windows.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

class WaitDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void layout();
    void showsTheIntervalAndLetsTheGameRun();
    void readsTheTypedNumber_data();
    void readsTheTypedNumber();
    void takesAtMostFourCharacters();
    void enterActsAsOk();
    void cancelKeepsTheInterval();
    void aNewIntervalWaitsForAStoppedTimer();
};

void WaitDialogTest::layout() {
    Windows w;
    TForm3& d = w.form3;
    QVERIFY(!d.isVisible());
    QCOMPARE(d.windowTitle(), QStringLiteral("WAIT"));
    QCOMPARE(d.size(), QSize(171, 81));
    QCOMPARE(d.minimumSize(), d.maximumSize()); // a fixed frame
    QVERIFY(d.isWindow());
    QVERIFY(!d.isModal());
    const Qt::WindowFlags flags = d.windowFlags();
    QVERIFY(flags & Qt::WindowTitleHint);
    QVERIFY(!(flags & Qt::WindowCloseButtonHint));
    QVERIFY(!(flags & Qt::WindowSystemMenuHint));
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

    QCOMPARE(d.Edit1->geometry(), QRect(16, 8, 57, 20));
    QVERIFY(!d.Edit1->hasFrame());
    QCOMPARE(d.Edit1->maxLength(), 4);
    QCOMPARE(d.Label1->geometry(), QRect(80, 16, 78, 12));
    QCOMPARE(d.Label1->text(), QStringLiteral("MILI SECONDS"));
    QVERIFY(QFontMetrics(d.Label1->font()).horizontalAdvance(d.Label1->text()) <= 78);
    QCOMPARE(d.font().pixelSize(), 12);
    QCOMPARE(d.Button1->geometry(), QRect(16, 48, 65, 25));
    QCOMPARE(d.Button1->text(), QStringLiteral("OK"));
    QCOMPARE(d.Button2->geometry(), QRect(88, 48, 65, 25));
    QCOMPARE(d.Button2->text(), QStringLiteral("CANCEL"));
    for (QPushButton* b : {d.Button1, d.Button2}) {
        QVERIFY(!b->isDefault());
        QVERIFY(!b->autoDefault());
    }

    // Centred on the screen.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY(qAbs(d.frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(d.frameGeometry().center().y() - screen.center().y()) <= 1);

    // Tab order: the edit box, OK, CANCEL.
    QVERIFY(activate(&d));
    d.Edit1->setFocus();
    QTest::keyClick(d.Edit1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.Button1));
    QTest::keyClick(d.Button1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.Button2));
}

void WaitDialogTest::showsTheIntervalAndLetsTheGameRun() {
    Windows w(false);
    QVERIFY(activate(&w.form1));
    QTest::keyClick(&w.form1, Qt::Key_F5);
    QVERIFY(w.form3.isVisible());
    QCOMPARE(w.form3.Edit1->text(), QStringLiteral("50"));
    QVERIFY(w.form1.timer().isActive());

    // WAIT again refills the text that was being typed.
    w.form3.Edit1->setText(QStringLiteral("7"));
    w.form1.WAIT1Click();
    QCOMPARE(w.form3.Edit1->text(), QStringLiteral("50"));

    // 100 and OK: one tick per 100 ms, and WAIT shows 100 next time.
    w.form3.Edit1->setText(QStringLiteral("100"));
    QTest::mouseClick(w.form3.Button1, Qt::LeftButton);
    QVERIFY(!w.form3.isVisible());
    QCOMPARE(w.form1.timer().interval(), 100);
    QVERIFY(w.form1.timer().isActive());
    w.form1.WAIT1Click();
    QCOMPARE(w.form3.Edit1->text(), QStringLiteral("100"));
}

void WaitDialogTest::readsTheTypedNumber_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("interval"); // 0: refused with "error!"

    QTest::newRow("100") << "100" << 100;
    QTest::newRow("one") << "1" << 1;
    QTest::newRow("largest") << "9999" << 9999;
    QTest::newRow("leading zeros") << "0080" << 80;
    QTest::newRow("digits up to a letter") << "12ab" << 12;
    QTest::newRow("leading blank") << " 7" << 7;
    QTest::newRow("leading tab") << "\t9" << 9;
    QTest::newRow("plus sign") << "+8" << 8;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-5" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("sign alone") << "+" << 0;
    QTest::newRow("two signs") << "+-3" << 0;
    QTest::newRow("blank between sign and digits") << "- 3" << 0;
    QTest::newRow("blank alone") << " " << 0;
}

void WaitDialogTest::readsTheTypedNumber() {
    QFETCH(QString, typed);
    QFETCH(int, interval);
    Windows w(false);
    w.form1.WAIT1Click();
    w.form3.Edit1->setText(typed);

    auto box = answerBox(QMessageBox::Ok);
    QTest::mouseClick(w.form3.Button1, Qt::LeftButton);
    if (interval > 0) {
        QVERIFY(!box->opened);
        QCOMPARE(w.form1.timer().interval(), interval);
        QVERIFY(!w.form3.isVisible());
    } else {
        QVERIFY(box->opened);
        QCOMPARE(box->title, QStringLiteral("WAIT"));
        QCOMPARE(box->text, QStringLiteral("error!"));
        QCOMPARE(w.form1.timer().interval(), 50);
        QVERIFY(w.form3.isVisible());
        QCOMPARE(w.form3.Edit1->text(), typed);
    }
}

void WaitDialogTest::takesAtMostFourCharacters() {
    Windows w;
    w.form1.WAIT1Click();
    w.form3.Edit1->clear();
    QTest::keyClicks(w.form3.Edit1, QStringLiteral("123456"));
    QCOMPARE(w.form3.Edit1->text(), QStringLiteral("1234"));
}

void WaitDialogTest::enterActsAsOk() {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } enters[] = {
        {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_Enter, Qt::KeypadModifier},
        {Qt::Key_Return, Qt::ShiftModifier},
        {Qt::Key_Return, Qt::ControlModifier},
    };
    int interval = 60;
    for (const auto& enter : enters) {
        Windows w(false);
        w.form1.WAIT1Click();
        QVERIFY(activate(&w.form3));
        w.form3.Edit1->setText(QString::number(++interval));
        QTest::keyClick(w.form3.Edit1, enter.key, enter.modifiers);
        QCOMPARE(w.form1.timer().interval(), interval);
        QVERIFY(!w.form3.isVisible());
    }

    // Enter on a refused value shows the box and leaves the dialog open.
    Windows w(false);
    w.form1.WAIT1Click();
    w.form3.Edit1->setText(QStringLiteral("0"));
    auto box = answerBox(QMessageBox::Ok);
    QTest::keyClick(w.form3.Edit1, Qt::Key_Return);
    QVERIFY(box->opened);
    QCOMPARE(box->text, QStringLiteral("error!"));
    QVERIFY(w.form3.isVisible());
    QCOMPARE(w.form1.timer().interval(), 50);
}

void WaitDialogTest::cancelKeepsTheInterval() {
    Windows w(false);
    w.form1.WAIT1Click();
    w.form3.Edit1->setText(QStringLiteral("300"));
    QTest::mouseClick(w.form3.Button2, Qt::LeftButton);
    QVERIFY(!w.form3.isVisible());
    QCOMPARE(w.form1.timer().interval(), 50);
    w.form1.WAIT1Click();
    QCOMPARE(w.form3.Edit1->text(), QStringLiteral("50"));
}

void WaitDialogTest::aNewIntervalWaitsForAStoppedTimer() {
    Windows w(false);
    w.form1.PAUSE1Click();
    QVERIFY(!w.form1.timer().isActive());
    w.form1.WAIT1Click();
    w.form3.Edit1->setText(QStringLiteral("200"));
    w.form3.Ok();
    QVERIFY(!w.form1.timer().isActive()); // the pause holds
    w.form1.PAUSE1Click();
    QVERIFY(w.form1.timer().isActive());
    QCOMPARE(w.form1.timer().interval(), 200);
}

QTEST_MAIN(WaitDialogTest)
#include "wait_dialog_test.moc"
