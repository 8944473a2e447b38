#include "art_source.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace art {

namespace {

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw SourceError(where + ": " + what);
}

std::vector<std::string> splitCells(const std::string& row) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : row) {
        if (c == ' ') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

// The cells of a block, checked for a consistent shape.
std::vector<std::vector<std::string>> cellRows(const Block& block) {
    if (block.rows.empty()) fail(block.where(), "block '" + block.name + "' has no rows");
    std::vector<std::vector<std::string>> rows;
    for (const std::string& row : block.rows) rows.push_back(splitCells(row));
    const auto& first = rows.front();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() != first.size())
            fail(block.whereRow(r), "'" + block.name + "' has a different number of cells here");
        for (std::size_t c = 0; c < first.size(); ++c) {
            if (rows[r][c].size() != first[c].size() || first[c].empty())
                fail(block.whereRow(r),
                     "'" + block.name + "' is ragged here, in cell " + std::to_string(c));
        }
    }
    return rows;
}

template <typename Colour> std::vector<QImage> paintCells(const Block& block, Colour colour) {
    const auto rows = cellRows(block);
    std::vector<QImage> images;
    for (std::size_t c = 0; c < rows.front().size(); ++c) {
        const int w = int(rows.front()[c].size());
        const int h = int(rows.size());
        QImage image(w, h, QImage::Format_ARGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.setPixel(x, y, colour(rows[y][c][x]));
        images.push_back(image);
    }
    return images;
}

} // namespace

SourceFile::SourceFile(const QString& path) : path_(path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw SourceError(path.toStdString() + ": cannot be read");
    const std::string name = QFileInfo(path).fileName().toStdString();
    QTextStream in(&file);
    Block* open = nullptr;
    int number = 0;
    while (!in.atEnd()) {
        const std::string line = in.readLine().toStdString();
        ++number;
        const std::string where = name + ":" + std::to_string(number);
        if (line.empty()) {
            open = nullptr;
        } else if (line.rfind("= ", 0) == 0) {
            const std::string header = line.substr(2);
            const auto space = header.find(' ');
            Block block;
            block.name = header.substr(0, space);
            block.argument = space == std::string::npos ? "" : header.substr(space + 1);
            block.file = name;
            block.line = number;
            if (blocks_.count(block.name)) fail(where, "block '" + block.name + "' appears twice");
            open = &(blocks_[block.name] = block);
        } else if (open) {
            open->rows.push_back(line);
        } else if (line[0] != '#') {
            fail(where, "text outside a block must be a '#' comment");
        }
    }
}

const Block& SourceFile::block(const std::string& name) const {
    const auto found = blocks_.find(name);
    if (found == blocks_.end())
        throw SourceError(path_.toStdString() + ": has no block '" + name + "'");
    return found->second;
}

Legend::Legend(const SourceFile& file) {
    const Block& block = file.block("colours");
    for (const std::string& row : block.rows) {
        // "<char> <rrggbb> <name...>"
        if (row.size() < 8 || row[1] != ' ' || (row.size() > 8 && row[8] != ' '))
            fail(block.where(), "colour line '" + row + "' is not '<char> <rrggbb> <name>'");
        const unsigned char c = static_cast<unsigned char>(row[0]);
        bool ok = false;
        const uint rgb = QString::fromStdString(row.substr(2, 6)).toUInt(&ok, 16);
        if (!ok || c >= 128 || c == ' ') fail(block.where(), "bad colour line '" + row + "'");
        if (known_[c]) fail(block.where(), std::string("colour '") + char(c) + "' given twice");
        if (c == '.' ? rgb != 0 : rgb == 0)
            fail(block.where(), "'.' and only '.' may be pure black, as the masks need");
        known_[c] = true;
        colours_[c] = c == '.' ? Clear : (0xff000000u | rgb);
    }
    if (!known_['.']) fail(block.where(), "the legend must name '.' as the background");
}

bool Legend::has(char c) const {
    const auto u = static_cast<unsigned char>(c);
    return u < 128 && known_[u];
}

QRgb Legend::operator[](char c) const {
    if (!has(c)) throw SourceError(std::string("colour '") + c + "' is not in the legend");
    return colours_[static_cast<unsigned char>(c)];
}

QImage picture(const Block& block, const Legend& legend) {
    for (std::size_t r = 0; r < block.rows.size(); ++r)
        if (block.rows[r].find(' ') != std::string::npos)
            fail(block.whereRow(r), "picture '" + block.name + "' must not contain spaces");
    return cells(block, legend).front();
}

std::vector<QImage> cells(const Block& block, const Legend& legend) {
    for (std::size_t r = 0; r < block.rows.size(); ++r)
        for (char c : block.rows[r])
            if (c != ' ' && !legend.has(c))
                fail(block.whereRow(r),
                     "'" + block.name + "' uses colour '" + c + "' that the legend does not name");
    return paintCells(block, [&](char c) { return legend[c]; });
}

std::vector<QImage> inkCells(const Block& block, QRgb ink) {
    return paintCells(block, [&](char c) { return c == '.' ? Clear : ink; });
}

} // namespace art
