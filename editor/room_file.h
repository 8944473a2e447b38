// Room-set files: the 1920 bytes of ten rooms, row-major, no header.
#pragma once

#include "rooms.h"

#include <QFileDialog>
#include <QString>

// The file name the OPEN dialogs show, and the SAVE dialog after NEW.
inline const QString RoomFileMask = QStringLiteral("*.zom");

// Reads a room-set file into `set`. A short file replaces only as many
// leading bytes as it holds; of a longer one only the first 1920 bytes are
// read. A file that cannot be opened or read, is empty, or holds a code the
// editor cannot make is refused: `set` is left as it was and `error` says
// why, naming the file (and the first bad cell).
bool readRoomSet(const QString& path, RoomSet& set, QString* error);

// Writes the set atomically: an existing file is replaced only once the new
// one is complete. On failure the old file is left intact and `error` says why.
bool writeRoomSet(const QString& path, const RoomSet& set, QString* error);

// The open and save dialogs of room-set files: Qt's own dialog (the same on
// every desktop), titled "OPEN" or "SAVE", one filter "*.zom", ".zom" added
// to a name typed without extension. OPEN takes only an existing file; SAVE
// asks before overwriting one. A name with wildcards ("*.zom", as preset)
// is not a file: accepting it lists the files it matches instead.
class RoomFileDialog : public QFileDialog {
  public:
    enum Kind { Open, Save };
    RoomFileDialog(QWidget* parent, Kind kind);

    // The text of the file-name box.
    QString typedName() const;

  protected:
    void accept() override;
};
