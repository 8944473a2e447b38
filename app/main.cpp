// ZOMMEL & VRIX: program entry.
#include "command_line.h"
#include "editor_window.h"
#include "main_window.h"
#include "recorder.h"
#include "wait_dialog.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

#include <cstdio>
#include <exception>
#include <memory>

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
    // The command line is read before any window exists: --help, --version
    // and a bad argument need no display.
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    GameOptions options;
    QString text;
    switch (parseGameArguments(args, options, text)) {
    case CommandLine::Help:
    case CommandLine::Version:
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Error:
        std::fprintf(stderr, "zommel: %s\n", text.toLocal8Bit().constData());
        return 2;
    case CommandLine::Run:
        break;
    }
    std::unique_ptr<Recorder> recorder;
    if (!options.recordFile.isEmpty()) {
        recorder = std::make_unique<Recorder>();
        QString error;
        if (!recorder->open(options.recordFile, error)) {
            std::fprintf(stderr, "zommel: %s\n", error.toLocal8Bit().constData());
            return 2;
        }
    }

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
                         QDir::separator(),
                     options.scale);
        TForm2 form2(&form1);
        TForm3 form3(form1.timer());
        form1.setEditor(&form2);
        form1.setWaitDialog(&form3);
        // The recording starts on the title screen, before the first tick.
        if (recorder) form1.startRecording(std::move(recorder));
        form1.show();
        app.exec();
    } catch (const std::exception& e) {
        showException(e.what());
    } catch (...) {
        showException("Unknown error.");
    }
    return 0;
}
