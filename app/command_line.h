// The game's command line: --help, --version, --scale N and --record FILE.
// It is read before any window exists, so that --help, --version and a bad
// argument need no display.
#pragma once

#include <QString>
#include <QStringList>

struct GameOptions {
    int scale = 1;      // --scale N: the windows drawn N times larger, 1 to 4
    QString recordFile; // --record FILE, empty when not recording
};

enum class CommandLine { Run, Help, Version, Error };

// Reads the arguments, the program name first. For Help and Version `text`
// is what to print on standard output; for Error it is one line for standard
// error, without the program name.
CommandLine parseGameArguments(const QStringList& args, GameOptions& options, QString& text);

constexpr int MaxScale = 4;
