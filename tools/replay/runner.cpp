#include "runner.h"

#include "image_io.h"
#include "room_file.h"
#include "trace.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <ostream>

namespace {

// A script file larger than this is not a script.
constexpr std::size_t MaxScriptBytes = 64u << 20;

const char* const ProgramName = "zommel-replay";

// The sprite sheet compiled into the program, read once.
const Surface* spriteSheet() {
    static const std::unique_ptr<Surface> sheet = [] {
        auto s = std::make_unique<Surface>(PlayfieldWidth, PlayfieldHeight);
        if (!loadSurface(SpriteSheetResource, *s) || s->width() != PlayfieldWidth ||
            s->height() != PlayfieldHeight)
            s.reset();
        return s;
    }();
    return sheet.get();
}

QString pathOf(const std::string& file) {
    return QFile::decodeName(file.c_str());
}

bool appendWithLimit(std::string& text, const char* data, std::size_t size, const std::string& name,
                     std::string& error) {
    if (text.size() + size > MaxScriptBytes) {
        error = "the script " + name + " is larger than " + std::to_string(MaxScriptBytes >> 20) +
                " MiB";
        return false;
    }
    text.append(data, size);
    return true;
}

bool readWholeFile(const std::string& file, std::istream& in, std::string& text,
                   std::string& error) {
    char buffer[1 << 16];
    if (file == "-") {
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            if (!appendWithLimit(text, buffer, static_cast<std::size_t>(in.gcount()),
                                 "on standard input", error))
                return false;
        }
        if (in.bad()) {
            error = "cannot read the script from standard input";
            return false;
        }
        return true;
    }
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f) {
        error = "cannot read the script " + file + ": " + std::strerror(errno);
        return false;
    }
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, f);
        if (n > 0 && !appendWithLimit(text, buffer, n, file, error)) {
            ok = false;
            break;
        }
        if (n < sizeof buffer) {
            if (std::ferror(f)) {
                error = "cannot read the script " + file + ": " + std::strerror(errno);
                ok = false;
            }
            break;
        }
    }
    std::fclose(f);
    return ok;
}

bool saveFrame(const Game& game, const std::string& file, std::string& error) {
    if (!frameImage(game).save(pathOf(file), "PNG")) {
        error = "cannot write the frame " + file;
        return false;
    }
    return true;
}

} // namespace

Replay::Replay() : game_(std::make_unique<Game>()) {}

bool Replay::start(const ReplayOptions& options, std::string& error) {
    const Surface* sheet = spriteSheet();
    if (!sheet) {
        error = "the sprite sheet built into the program cannot be read";
        return false;
    }
    if (options.roomsFile) {
        // As PLAY EDIT: a short file replaces only the leading bytes.
        rooms_ = emptyRoomSet();
        QString why;
        if (!readRoomSet(pathOf(*options.roomsFile), rooms_, &why)) {
            error = "the room set " +
                    why.replace(QLatin1Char('\n'), QStringLiteral(": ")).toStdString();
            return false;
        }
    }

    Game& game = *game_;
    game.FormCreate(*sheet);
    held_ = {};
    if (options.testRoom) {
        const int index = options.testRoom - 1;
        game.startTestPlay(rooms_.data() + RoomBytes * index, index);
    } else if (options.roomsFile) {
        game.setTimerEnabled(false);
        game.LoadedRoomSet = rooms_;
        game.PlayMode = ModeLoadedSet;
        game.Score = 0;
        game.RoomIndex = options.room ? options.room - 1 : 0;
        game.Lives = 5;
        game.Putsta();
    } else if (options.room) {
        game.startGame(options.room - 1);
    }
    return true;
}

bool Replay::tick(const std::vector<KeyEvent>& events) {
    Game& game = *game_;
    for (const KeyEvent& e : events) {
        if (e.down)
            game.FormKeyDown(e.virtualKey);
        else
            game.FormKeyUp(e.virtualKey);
    }
    held_ = heldAfter(held_, events);
    if (!game.timerEnabled()) return false;
    game.Timer1Timer();
    return true;
}

bool Replay::tick(const Script& script, std::int64_t t) {
    return tick(script.eventsBefore(held_, script.at(t)));
}

QImage frameImage(const Game& game) {
    QImage image(FrameWidth, FrameHeight, QImage::Format_RGB32);
    for (int y = 0; y < FrameHeight; ++y) {
        const Pixel* row =
            y < PlayfieldHeight ? game.Image1.row(y) : game.Image4.row(y - PlayfieldHeight);
        std::memcpy(image.scanLine(y), row, sizeof(Pixel) * FrameWidth);
    }
    return image;
}

std::uint64_t imageFrameHash(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::uint64_t hash = FrameHashStart;
    for (int y = 0; y < image.height(); ++y)
        hash =
            hashPixels(hash, reinterpret_cast<const Pixel*>(image.constScanLine(y)), image.width());
    return hash;
}

bool readScript(const std::string& file, std::istream& in, Script& script, std::string& error) {
    std::string text;
    if (!readWholeFile(file, in, text, error)) return false;
    ScriptError bad;
    if (!parseScript(text, script, bad)) {
        error = (file == "-" ? std::string("standard input") : file) + ":" +
                std::to_string(bad.line) + ": " + bad.message;
        return false;
    }
    return true;
}

int runReplay(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
              std::ostream& err) {
    auto fail = [&err](const std::string& message) {
        err << ProgramName << ": " << message << '\n';
        return 2;
    };

    ReplayOptions options;
    std::string error;
    if (!parseReplayArguments(args, options, error)) return fail(error + " (see --help)");
    if (options.help) {
        out << ReplayUsage;
        return 0;
    }

    if (options.hashPng) {
        QImage picture;
        if (!picture.load(pathOf(*options.hashPng)))
            return fail("cannot read the picture " + *options.hashPng);
        if (picture.width() != FrameWidth || picture.height() != FrameHeight)
            return fail("the picture " + *options.hashPng + " is " +
                        std::to_string(picture.width()) + " x " + std::to_string(picture.height()) +
                        ", not a frame of " + std::to_string(FrameWidth) + " x " +
                        std::to_string(FrameHeight));
        char hash[24];
        std::snprintf(hash, sizeof hash, "%016llx\n",
                      static_cast<unsigned long long>(imageFrameHash(picture)));
        out << hash;
        out.flush();
        return out ? 0 : fail("cannot write to standard output");
    }

    Script script;
    if (options.scriptFile && !readScript(*options.scriptFile, in, script, error))
        return fail(error);

    if (options.framesDir && !QDir().mkpath(pathOf(*options.framesDir)))
        return fail("cannot create the frame directory " + *options.framesDir);

    Replay replay;
    if (!replay.start(options, error)) return fail(error);
    const Game& game = replay.game();

    if (options.trace) out << traceLine(game, 0, false) << '\n';
    const std::int64_t ticks = options.ticks >= 0 ? options.ticks : script.ticks;
    for (std::int64_t t = 1; t <= ticks; ++t) {
        const bool ran = replay.tick(script, t);
        if (options.trace) out << traceLine(game, t, ran) << '\n';
        if (options.framesDir) {
            char name[32];
            std::snprintf(name, sizeof name, "/%06lld.png", static_cast<long long>(t));
            if (!saveFrame(game, *options.framesDir + name, error)) return fail(error);
        }
    }
    if (options.pngFile && !saveFrame(game, *options.pngFile, error)) return fail(error);

    out.flush();
    if (!out) return fail("cannot write the trace to standard output");
    return 0;
}
