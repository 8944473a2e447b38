// ZOMMEL & VRIX: program entry.
#include "editor_window.h"
#include "main_window.h"
#include "wait_dialog.h"

#include <QApplication>
#include <QDir>
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

} // namespace

int main(int argc, char* argv[]) {
    Application app(argc, argv);
    // Anything that escapes start-up or the message loop is shown in the
    // standard error box; the program still returns 0.
    try {
        // The application's title. (A display name would be appended to every
        // window caption on some desktops, so none is set.)
        QApplication::setApplicationName(QStringLiteral("ZOMMEL & VRIX"));
        // The program ends with the main window, not when the last window goes.
        QApplication::setQuitOnLastWindowClosed(false);
        TForm1 form1(QDir(QCoreApplication::applicationDirPath()).absolutePath() +
                     QDir::separator());
        TForm2 form2(&form1);
        TForm3 form3(form1.timer());
        form1.setEditor(&form2);
        form1.setWaitDialog(&form3);
        form1.show();
        app.exec();
    } catch (const std::exception& e) {
        showException(e.what());
    } catch (...) {
        showException("Unknown error.");
    }
    return 0;
}
