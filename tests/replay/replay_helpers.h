// Running zommel-replay inside the test program, and small room-set files.
#pragma once

#include "rooms.h"

#include <QJsonObject>
#include <QTemporaryDir>

#include <initializer_list>
#include <string>
#include <vector>

// What one run of the program gave.
struct RunOutput {
    int status = -1;
    std::string out; // standard output
    std::string err; // standard error

    // The trace, one object per line of standard output.
    std::vector<QJsonObject> trace() const;
    // The lines of standard output, without their line ends.
    std::vector<std::string> lines() const;
};

// Runs the program with these arguments; `input` is its standard input.
RunOutput runReplayWith(const std::vector<std::string>& args, const std::string& input = {});

// A room from rows of 16 characters, one room code per cell in hex ('.' for
// an empty cell). Rows left out below are empty rows walled with stone at
// both sides, and row 11 is stone.
Room roomFromRows(std::initializer_list<const char*> rows);

// The 1920 bytes of a set whose first rooms are `rooms`, the others empty.
std::string roomSetBytes(std::initializer_list<Room> rooms);

// Writes `bytes` to `name` inside `dir` and returns the file's path.
std::string writeTestFile(const QTemporaryDir& dir, const char* name, const std::string& bytes);

// The cell of the PlayMap field at row r (-1 for the guard row), column c.
char playMapCell(const QJsonObject& line, int r, int c);
