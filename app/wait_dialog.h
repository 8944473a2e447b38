// The WAIT dialog: sets the game's tick interval in milliseconds. It is not
// modal; the game runs on behind it.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class TForm3 : public QWidget {
    Q_OBJECT
  public:
    TForm3(QTimer& gameTimer, QWidget* parent = nullptr);

    // WAIT: shows the current interval and brings the dialog to the front.
    void open(int intervalMs);
    // OK: applies the typed value, or says "error!" for one that is not positive.
    void Ok();

    // Reads a number the way the edit box's text is taken: leading blanks,
    // one sign, then digits up to the first other character; no digits give 0.
    static long parseInterval(const QString& text);

    QLineEdit* Edit1;
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override; // Edit1KeyDown

  private:
    QTimer& Timer1;
};
