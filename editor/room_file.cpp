#include "room_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool readRoomSet(const QString& path, RoomSet& set, QString* error) {
    auto fail = [&](const QString& why) {
        if (error) *error = QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), why);
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
    QSaveFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly) &&
                    file.write(reinterpret_cast<const char*>(set.data()), RoomSetBytes) ==
                        RoomSetBytes &&
                    file.commit();
    if (!ok && error)
        *error = QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), file.errorString());
    return ok;
}

void configureRoomFileDialog(QFileDialog& dialog, QFileDialog::AcceptMode mode) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setAcceptMode(mode);
    dialog.setNameFilter(QStringLiteral("*.zom"));
    dialog.setDefaultSuffix(QStringLiteral("zom"));
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    }
}
