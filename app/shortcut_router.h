// The main menu's shortcuts act from every window of the program.
//
// Qt fires a window's shortcuts only while that window is active, and not at
// all while it is hidden. The main window installs this filter on the
// application. A key that reaches another window is first left to that
// window's own menu (the editor keeps F1 to F4, Esc and Alt with a digit);
// a key no menu of that window claims is offered to the main menu, also
// while the main window is hidden. In the main window itself Qt fires the
// enabled items; the filter swallows the keys of disabled items, which Qt
// would otherwise pass on to the game as ordinary keys. While a message box,
// a file dialog or a popped-up menu is open, no shortcut acts.
#pragma once

#include <QObject>

class TForm1;

class ShortcutRouter : public QObject {
  public:
    explicit ShortcutRouter(TForm1* mainWindow);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TForm1* main_;
};
