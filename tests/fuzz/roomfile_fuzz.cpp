// Fuzz target: the room-set file loader with any file contents and sizes.
// A file is either refused, leaving the rooms as they were, or its leading
// bytes (at most 1920, every one a room code) replace the rooms' leading bytes.
#include "room_file.h"

#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path =
        QStringLiteral("/tmp/zommel-roomfile-fuzz-%1.zom").arg(static_cast<qint64>(getpid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const RoomSet before = emptyRoomSet();
    RoomSet set = before;
    QString error;
    const bool accepted = readRoomSet(path, set, &error);
    const std::size_t read = size < RoomSetBytes ? size : RoomSetBytes;
    if (!accepted) {
        if (set != before || error.isEmpty()) __builtin_trap();
        return 0;
    }
    if (size == 0 || std::memcmp(set.data(), data, read) != 0) __builtin_trap();
    if (std::memcmp(set.data() + read, before.data() + read, RoomSetBytes - read) != 0)
        __builtin_trap();
    for (std::uint8_t code : set)
        if (code > 10) __builtin_trap();
    return 0;
}
