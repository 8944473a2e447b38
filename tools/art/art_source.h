// Reading the text sources of the game's art.
//
// Every source is plain text. Lines starting with '#' between blocks are
// comments. A line "= name [argument]" starts a block; the lines after it, up
// to the next blank line or the end of the file, are its rows, taken exactly
// as written (one character per pixel). Rows may be split into cells by
// single spaces, which lets a block hold a row of small pictures side by side.
#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace art {

// Thrown for any fault in a source, with file and line in the message.
struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Block {
    std::string name;
    std::string argument;
    std::vector<std::string> rows;
    std::string file;
    int line = 0; // of the header; row r is on line + 1 + r

    std::string where() const { return file + ":" + std::to_string(line); }
    std::string whereRow(std::size_t r) const {
        return file + ":" + std::to_string(line + 1 + int(r));
    }
};

class SourceFile {
  public:
    explicit SourceFile(const QString& path);
    const Block& block(const std::string& name) const;
    bool has(const std::string& name) const { return blocks_.count(name) != 0; }

  private:
    QString path_;
    std::map<std::string, Block> blocks_;
};

// The colour legend: one character per colour. '.' is always the
// background, pure black, and no other character may be pure black, since
// the masks take pure black for "nothing here".
class Legend {
  public:
    explicit Legend(const SourceFile& file);
    QRgb operator[](char c) const;
    bool has(char c) const;

  private:
    std::array<QRgb, 128> colours_{};
    std::array<bool, 128> known_{};
};

constexpr QRgb Clear = 0x00000000;       // background inside a picture
constexpr QRgb OpaqueBlack = 0xff000000; // background on the sheet

// A block as one picture; '.' becomes transparent.
QImage picture(const Block& block, const Legend& legend);

// A block as a row of pictures separated by spaces; widths may differ.
std::vector<QImage> cells(const Block& block, const Legend& legend);

// A block drawn in one ink: '.' transparent, any other character `ink`.
std::vector<QImage> inkCells(const Block& block, QRgb ink);

} // namespace art
