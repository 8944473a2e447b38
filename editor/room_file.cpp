#include "room_file.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>

#include <algorithm>

namespace {
QString describe(const QString& path, const QString& why) {
    return QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), why);
}
} // namespace

bool readRoomSet(const QString& path, RoomSet& set, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = describe(path, why);
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
    const QByteArray bytes = file.read(RoomSetBytes);
    if (file.error() != QFileDevice::NoError) return fail(file.errorString());
    if (bytes.isEmpty()) return fail(QStringLiteral("The file is empty: it holds no rooms."));
    for (int i = 0; i < bytes.size(); ++i) {
        const auto code = static_cast<unsigned char>(bytes[i]);
        if (code >= CodeCount) {
            const int cellIndex = i % RoomBytes;
            return fail(QStringLiteral("Room %1, row %2, column %3 holds the code %4, "
                                       "which is not a room code (0 to 10).")
                            .arg(i / RoomBytes + 1)
                            .arg(cellIndex / RoomColumns)
                            .arg(cellIndex % RoomColumns)
                            .arg(code));
        }
    }
    std::copy(bytes.begin(), bytes.end(), set.begin());
    return true;
}

bool writeRoomSet(const QString& path, const RoomSet& set, QString* error) {
    // Unbuffered, so that a write that fails (a full disk) is seen here and
    // not only when the buffer is flushed on commit, where it would go
    // unnoticed and a short file would replace the old one.
    QSaveFile file(path);
    auto fail = [&](const QString& why) {
        file.cancelWriting();
        if (error) *error = describe(path, why);
        return false;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return fail(file.errorString());
    const char* bytes = reinterpret_cast<const char*>(set.data());
    qint64 written = 0;
    while (written < RoomSetBytes) {
        const qint64 n = file.write(bytes + written, RoomSetBytes - written);
        if (n <= 0) return fail(file.errorString());
        written += n;
    }
    if (!file.commit()) return fail(file.errorString());
    return true;
}

RoomFileDialog::RoomFileDialog(QWidget* parent, Kind kind)
    : QFileDialog(parent, kind == Open ? QStringLiteral("OPEN") : QStringLiteral("SAVE")) {
    setOption(QFileDialog::DontUseNativeDialog);
    setNameFilter(RoomFileMask);
    setDefaultSuffix(QStringLiteral("zom"));
    if (kind == Open) {
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::ExistingFile);
    } else {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        setOption(QFileDialog::DontConfirmOverwrite, false);
    }
}

QString RoomFileDialog::typedName() const {
    const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return edit ? edit->text() : QString();
}

void RoomFileDialog::accept() {
    const QString typed = typedName();
    if (typed.contains(QLatin1Char('*')) || typed.contains(QLatin1Char('?'))) {
        setNameFilter(typed);
        return;
    }
    QFileDialog::accept();
}
