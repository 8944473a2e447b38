#include "shortcut_router.h"

#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

ShortcutRouter::ShortcutRouter(TForm1* mainWindow) : QObject(mainWindow), main_(mainWindow) {}

bool ShortcutRouter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return false;
    if (!main_->isEnabled()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence sequence(key->keyCombination());
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (window != main_) {
        // The window's own menu comes first. Qt has fired its shortcut
        // already when the window is the active one; this covers a key that
        // reaches it while another window counts as active.
        for (QAction* own : window->findChildren<QAction*>()) {
            if (own->isEnabled() && own->shortcut() == sequence) {
                if (!key->isAutoRepeat() || own->autoRepeat()) own->trigger();
                return true;
            }
        }
    }
    QAction* item = main_->menuItemFor(sequence);
    if (!item) return false;
    // A disabled item swallows its key and does nothing. An enabled one is
    // fired here; in the active main window Qt has fired it already and the
    // key never arrives as a key press.
    if (item->isEnabled() && (!key->isAutoRepeat() || item->autoRepeat())) item->trigger();
    return true;
}
