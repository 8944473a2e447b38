#include "recorder.h"

#include <cstdio>

Recorder::~Recorder() {
    stop();
}

bool Recorder::open(const QString& path, QString& error) {
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = QStringLiteral("cannot create the recording %1: %2").arg(path, file_.errorString());
        return false;
    }
    write(std::string(ScriptWriter::Header));
    if (!file_.isOpen()) {
        error = QStringLiteral("cannot write the recording %1").arg(path);
        return false;
    }
    return true;
}

void Recorder::keyEvent(int virtualKey, bool down) {
    if (isOpen()) writer_.keyEvent({down, virtualKey});
}

void Recorder::tick() {
    if (isOpen()) write(writer_.tick());
}

void Recorder::stop() {
    if (!isOpen()) return;
    write(writer_.finish());
    file_.close();
}

void Recorder::write(const std::string& text) {
    if (text.empty()) return;
    const auto size = static_cast<qint64>(text.size());
    if (file_.write(text.data(), size) != size || !file_.flush()) {
        // The game goes on; the script ends with its last whole line.
        std::fprintf(stderr, "zommel: cannot write the recording %s: %s; recording stopped\n",
                     qPrintable(file_.fileName()), qPrintable(file_.errorString()));
        file_.close();
    }
}
