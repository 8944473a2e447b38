#include "replay_helpers.h"

#include "runner.h"

#include <QFile>
#include <QJsonDocument>

#include <sstream>
#include <stdexcept>

std::vector<std::string> RunOutput::lines() const {
    std::vector<std::string> result;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

std::vector<QJsonObject> RunOutput::trace() const {
    std::vector<QJsonObject> result;
    for (const std::string& line : lines()) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        if (!doc.isObject())
            throw std::runtime_error("a trace line is not a JSON object: " + line + " (" +
                                     error.errorString().toStdString() + ")");
        result.push_back(doc.object());
    }
    return result;
}

RunOutput runReplayWith(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    RunOutput result;
    result.status = runReplay(args, in, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

Room roomFromRows(std::initializer_list<const char*> rows) {
    Room room{};
    makeEmptyRoom(room.data());
    int r = 0;
    for (const std::string text : rows) {
        if (text.size() != RoomColumns || r >= RoomRows)
            throw std::invalid_argument("a room row has 16 cells and a room 12 rows: " + text);
        for (int c = 0; c < RoomColumns; ++c) {
            const char ch = text[c];
            room[r * RoomColumns + c] = static_cast<std::uint8_t>(ch == '.'   ? 0
                                                                  : ch <= '9' ? ch - '0'
                                                                              : ch - 'a' + 10);
        }
        ++r;
    }
    return room;
}

std::string roomSetBytes(std::initializer_list<Room> rooms) {
    const RoomSet set = emptyRoomSet();
    std::string bytes(set.begin(), set.end());
    std::size_t at = 0;
    for (const Room& room : rooms) {
        std::copy(room.begin(), room.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
        at += RoomBytes;
    }
    return bytes;
}

std::string writeTestFile(const QTemporaryDir& dir, const char* name, const std::string& bytes) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()))
        throw std::runtime_error("cannot write the test file " + path.toStdString());
    return path.toStdString();
}

char playMapCell(const QJsonObject& line, int r, int c) {
    const QString map = line.value(QStringLiteral("PlayMap")).toString();
    return map.at((r + 1) * RoomColumns + c).toLatin1();
}
