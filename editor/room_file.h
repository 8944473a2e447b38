// Room-set files: the 1920 bytes of ten rooms, row-major, no header.
#pragma once

#include "rooms.h"

#include <QFileDialog>
#include <QString>

// Reads a room-set file into `set`. A short file replaces only as many
// leading bytes as it holds; of a longer one only the first 1920 bytes are
// read. A file that cannot be read, is empty, or holds a code the editor
// cannot make is refused: `set` is left as it was and `error` says why,
// naming the file (and the first bad cell).
bool readRoomSet(const QString& path, RoomSet& set, QString* error);

// Writes the set atomically: an existing file is replaced only once the new
// one is complete. On failure the old file is left intact and `error` says why.
bool writeRoomSet(const QString& path, const RoomSet& set, QString* error);

// The open and save dialogs of room-set files: Qt's own dialogs, filter
// "*.zom", default extension "zom", no read-only box.
void configureRoomFileDialog(QFileDialog& dialog, QFileDialog::AcceptMode mode);
