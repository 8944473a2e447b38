// Plays the game's wave files, one at a time: a new effect cuts off the one
// still playing. The files are loaded once, from the program's directory.
#pragma once

#include <QObject>
#include <QString>

class QSoundEffect;

class SoundPlayer : public QObject {
  public:
    SoundPlayer(const QString& programDir, QObject* parent = nullptr);
    // Starts effect `id` and returns at once. A missing file is silent.
    void play(int id);

  private:
    QSoundEffect* effects_[10]{};
    QSoundEffect* playing_ = nullptr;
};
