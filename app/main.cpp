// ZOMMEL & VRIX: program entry.
#include "editor_window.h"
#include "main_window.h"
#include "wait_dialog.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>

#include <exception>

namespace {

// Shows an exception that escapes a handler in the standard error box.
void showException(const char* what) {
    QMessageBox::critical(nullptr, QStringLiteral("ZOMMEL & VRIX"), QString::fromLocal8Bit(what));
}

class Application : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            showException(e.what());
        } catch (...) {
            showException("Unknown error.");
        }
        return false;
    }
};

// The main menu's shortcuts act from every window of the program: a key
// that reaches another window unclaimed by its own menu is offered to the
// main menu, also while the main window is hidden. While a message box or a
// file dialog is open, or a menu is popped up, no shortcut acts.
class ShortcutRouter : public QObject {
public:
    explicit ShortcutRouter(TForm1* mainWindow) : QObject(mainWindow), main_(mainWindow) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        QWidget* window = static_cast<QWidget*>(watched)->window();
        if (window == main_ || qobject_cast<QMenu*>(window)) return false;
        if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) return false;
        if (!main_->isEnabled()) return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat()) return false;
        return main_->triggerShortcut(QKeySequence(key->keyCombination()));
    }

private:
    TForm1* main_;
};

} // namespace

int main(int argc, char* argv[]) {
    int result = 0;
    try {
        Application app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("ZOMMEL & VRIX"));
        QApplication::setApplicationDisplayName(QStringLiteral("ZOMMEL & VRIX"));
        TForm1 form1(QDir(QCoreApplication::applicationDirPath()).absolutePath() + QDir::separator());
        TForm2 form2(&form1);
        TForm3 form3(form1.timer());
        form1.setEditor(&form2);
        form1.setWaitDialog(&form3);
        app.installEventFilter(new ShortcutRouter(&form1));
        form1.show();
        app.exec();
    } catch (const std::exception& e) {
        showException(e.what());
    }
    return result;
}
