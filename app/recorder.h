// Recording: what the player does, written as an input script that
// zommel-replay replays to the same frames. The main window passes it every
// key event it gives the game and every tick it runs; each line is written
// and flushed as soon as it is complete, so that a recording cut short is
// still a script.
#pragma once

#include "script.h"

#include <QFile>
#include <QString>

class Recorder {
  public:
    Recorder() = default;
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;
    ~Recorder();

    // Creates (or empties) `path` and writes the script's header. Returns
    // false with a message naming the file when it cannot be created.
    bool open(const QString& path, QString& error);
    bool isOpen() const { return file_.isOpen(); }

    void keyEvent(int virtualKey, bool down);
    void tick();
    // Writes the line still held back and closes the file. Nothing is
    // recorded after it.
    void stop();

  private:
    void write(const std::string& text);

    QFile file_;
    ScriptWriter writer_;
};
