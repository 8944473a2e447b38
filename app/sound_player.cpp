#include "sound_player.h"

#include "engine.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

SoundPlayer::SoundPlayer(const QString& programDir, QObject* parent) : QObject(parent) {
    for (int id = 0; id < SoundCount; ++id) {
        const QString path = programDir + QString::fromLatin1(SoundFileNames[id]);
        if (!QFileInfo::exists(path)) continue;
        effects_[id] = new QSoundEffect(this);
        effects_[id]->setSource(QUrl::fromLocalFile(path));
    }
}

void SoundPlayer::play(int id) {
    if (id < 0 || id >= SoundCount) return;
    // Without an audio device an effect may report playing for ever, so
    // nothing here ever waits for one.
    if (playing_) playing_->stop();
    playing_ = effects_[id];
    if (playing_) playing_->play();
}
