// The program's three windows, made as the program entry makes them, and
// helpers for answering the message boxes and file dialogs they open.
//
// Modal dialogs run their own event loop, so a test arranges the answer
// before the command that opens one: `whenModal` polls from a timer until a
// modal window is open and then hands it to the answer.
#pragma once

#include "editor_window.h"
#include "main_window.h"
#include "room_file.h"
#include "wait_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

struct Windows {
    // With `quietTimer`, the game's timer ticks only once an hour, so that
    // the tests drive the game tick by tick with Timer1Timer(). `scale` is
    // the --scale of the command line.
    explicit Windows(bool quietTimer = true, int scale = 1)
        : form1(QCoreApplication::applicationDirPath() + QLatin1Char('/'), scale), form2(&form1),
          form3(form1.timer()) {
        form1.setEditor(&form2);
        form1.setWaitDialog(&form3);
        if (quietTimer) form1.timer().setInterval(3600 * 1000);
        form1.show();
    }

    Game& game() { return form1.game(); }
    // Ticks as the window's timer does.
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) form1.Timer1Timer();
    }

    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
};

// Runs `action` inside the application's message loop and tells whether it
// ended the loop (true) or left it running.
inline bool endsTheProgram(const std::function<void()>& action) {
    QTimer::singleShot(0, action);
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    fallback.start(300);
    return QCoreApplication::exec() == 0;
}

// Activates `window` and waits until Qt counts it as the active window, so
// that its menu's shortcuts apply.
inline bool activate(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Whether `view` shows exactly the pixels of `surface`, each as a square of
// `scale` x `scale` pixels of the view (times the screen's device pixel
// ratio), with no blending at the edges.
inline bool viewShows(QWidget* view, const Surface& surface, int scale = 1) {
    const QPixmap grabbed = view->grab();
    const QImage shown = grabbed.toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = grabbed.devicePixelRatio();
    if (shown.size() != QSize(surface.width(), surface.height()) * scale * ratio) return false;
    const double step = scale * ratio;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != surface.at(int(x / step), int(y / step))) return false;
    return true;
}

// What a modal window looked like when it was answered.
struct ModalSeen {
    bool opened = false;
    QString className, title, typedName;
    QString text; // a message box's text; for a file dialog, the question it asked
    QStringList nameFilters;
    QString defaultSuffix;
    bool nonNative = false;
    bool save = false;
    bool existingOnly = false;
    bool confirmsOverwrite = false;
    QString directory;
    bool stayedOpen = false; // the file dialog refused the name and was cancelled
};

// Arranges `answer` for the next modal window of the kind `T` to open
// (QMessageBox or QFileDialog), and records what it showed. The poll ends
// when the caller drops the record, or after a few seconds, so that a
// window that never opens fails the test instead of hanging it.
template <typename T>
std::shared_ptr<ModalSeen> whenModal(std::function<void(T*, ModalSeen&)> answer,
                                     std::function<bool(T*)> wanted = nullptr) {
    auto seen = std::make_shared<ModalSeen>();
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    std::weak_ptr<ModalSeen> record = seen;
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        const std::shared_ptr<ModalSeen> seen = record.lock();
        if (!seen || ++*waited > 500) {
            poll->stop();
            poll->deleteLater();
            return;
        }
        T* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!modal || !modal->isVisible() || (wanted && !wanted(modal))) return;
        poll->stop();
        poll->deleteLater();
        seen->opened = true;
        QWidget* widget = modal;
        seen->className = QString::fromLatin1(widget->metaObject()->className());
        seen->title = widget->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(widget)) seen->text = box->text();
        if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
            if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                seen->typedName = edit->text();
            seen->nameFilters = dialog->nameFilters();
            seen->defaultSuffix = dialog->defaultSuffix();
            seen->nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
            seen->save = dialog->acceptMode() == QFileDialog::AcceptSave;
            seen->existingOnly = dialog->fileMode() == QFileDialog::ExistingFile;
            seen->confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            seen->directory = dialog->directory().absolutePath();
        }
        answer(modal, *seen);
    });
    poll->start(10);
    return seen;
}

template <typename T> std::shared_ptr<ModalSeen> whenModal(std::function<void(T*)> answer) {
    return whenModal<T>(
        std::function<void(T*, ModalSeen&)>([answer](T* modal, ModalSeen&) { answer(modal); }));
}

// Answers a message box with one of its buttons; with `containing`, only a
// box whose text contains it.
inline std::shared_ptr<ModalSeen> answerBox(QMessageBox::StandardButton button,
                                            const QString& containing = QString()) {
    return whenModal<QMessageBox>(
        [button](QMessageBox* box, ModalSeen&) {
            if (QAbstractButton* b = box->button(button))
                b->click();
            else
                box->close();
        },
        [containing](QMessageBox* box) { return box->text().contains(containing); });
}

// Types `name` into a file dialog's name box and presses its OK button the
// way Enter does; an empty name cancels the dialog instead. A question the
// dialog asks on the way (overwrite?) or a refusal of its own (file not
// found) is answered with `nested` and recorded. When the dialog does not
// take the name (a wildcard, a missing file, No to overwriting), it is
// cancelled after that.
inline std::shared_ptr<ModalSeen> chooseFile(const QString& name,
                                             QMessageBox::StandardButton nested = QMessageBox::Ok) {
    return whenModal<QFileDialog>([name, nested](QFileDialog* dialog, ModalSeen& seen) {
        if (name.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed as a user types: into the focused name box, which the dialog
        // then leaves alone while it lists the directory.
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        dialog->activateWindow();
        if (!QTest::qWaitForWindowActive(dialog, 2000)) qWarning("the file dialog is not active");
        edit->setFocus(Qt::OtherFocusReason);
        edit->setText(name);
        const auto box = answerBox(nested); // dropped, and so ended, on return
        static_cast<QDialog*>(dialog)->accept();
        if (box->opened) seen.text = box->text;
        if (dialog->isVisible()) {
            seen.stayedOpen = true;
            dialog->reject();
        }
    });
}
