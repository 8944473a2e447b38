#include "trace.h"

#include <cstdio>

namespace {

// A small JSON writer: fields are appended in call order.
class JsonLine {
  public:
    void open() {
        text_ += '{';
        first_ = true;
    }
    void close() {
        text_ += '}';
        first_ = false;
    }
    void openArray(const char* name) {
        key(name);
        text_ += '[';
        first_ = true;
    }
    void closeArray() {
        text_ += ']';
        first_ = false;
    }
    void openObject(const char* name) {
        key(name);
        open();
    }
    void openElement() {
        comma();
        open();
    }

    void number(const char* name, long long value) {
        key(name);
        text_ += std::to_string(value);
    }
    void element(long long value) {
        comma();
        text_ += std::to_string(value);
    }
    void string(const char* name, const char* value) {
        key(name);
        text_ += '"';
        for (const char* p = value; *p; ++p) {
            const auto c = static_cast<unsigned char>(*p);
            if (c == '"' || c == '\\') {
                text_ += '\\';
                text_ += static_cast<char>(c);
            } else if (c < 0x20 || c >= 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                text_ += escaped;
            } else {
                text_ += static_cast<char>(c);
            }
        }
        text_ += '"';
    }
    std::string take() { return std::move(text_); }

  private:
    void comma() {
        if (!first_) text_ += ',';
        first_ = false;
    }
    void key(const char* name) {
        comma();
        text_ += '"';
        text_ += name;
        text_ += "\":";
    }

    std::string text_;
    bool first_ = true;
};

} // namespace

Pixel framePixel(const Game& game, int x, int y) {
    return y < PlayfieldHeight ? game.Image1.at(x, y) : game.Image4.at(x, y - PlayfieldHeight);
}

std::uint64_t hashPixels(std::uint64_t hash, const Pixel* pixels, int count) {
    auto add = [&hash](std::uint8_t byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    for (int x = 0; x < count; ++x) {
        add(static_cast<std::uint8_t>(pixels[x] >> 16));
        add(static_cast<std::uint8_t>(pixels[x] >> 8));
        add(static_cast<std::uint8_t>(pixels[x]));
    }
    return hash;
}

std::uint64_t frameHash(const Game& game) {
    std::uint64_t hash = FrameHashStart;
    for (int y = 0; y < FrameHeight; ++y) {
        const Pixel* row =
            y < PlayfieldHeight ? game.Image1.row(y) : game.Image4.row(y - PlayfieldHeight);
        hash = hashPixels(hash, row, FrameWidth);
    }
    return hash;
}

std::string playMapText(const Game& game) {
    std::string text;
    text.reserve((RoomRows + 1) * RoomColumns);
    for (int r = -1; r < RoomRows; ++r) {
        for (int c = 0; c < RoomColumns; ++c) {
            const int code = game.cell(r, c);
            text += (code >= 0 && code <= 15) ? "0123456789abcdef"[code] : '?';
        }
    }
    return text;
}

std::string traceLine(const Game& game, std::int64_t tick, bool ticked) {
    JsonLine j;
    j.open();
    j.number("tick", tick);
    j.number("GameState", game.GameState);
    j.number("PlayMode", game.PlayMode);
    j.number("RoomIndex", game.RoomIndex);
    j.number("Score", game.Score);
    j.number("Lives", game.Lives);
    j.number("HiScore", game.HiScore);
    j.number("ApplesLeft", game.ApplesLeft);
    j.number("BagsTotal", game.BagsTotal);
    j.number("BagsTaken", game.BagsTaken);
    j.number("ChainValue", game.ChainValue);
    j.number("DyingCounter", game.DyingCounter);
    j.number("LadderRevealRow", game.LadderRevealRow);

    j.openArray("sounds");
    if (ticked)
        for (int i = 0; i < game.SoundCountThisTick; ++i) j.element(game.SoundsThisTick[i]);
    j.closeArray();

    const PlayerRecord& p = game.Player;
    j.openObject("Player");
    j.number("x", p.x);
    j.number("y", p.y);
    j.number("dx", p.dx);
    j.number("dy", p.dy);
    j.number("frame", p.frame);
    j.number("facing", p.facing);
    j.close();

    const EnemyTableRecord& e = game.EnemyTable;
    j.openArray("EnemyTable");
    for (int i = 0; i < EnemySlots; ++i) {
        if (!e.state[i]) continue;
        j.openElement();
        j.number("slot", i);
        j.number("state", e.state[i]);
        j.number("x", e.x[i]);
        j.number("y", e.y[i]);
        j.number("hdir", e.hdir[i]);
        j.number("vdir", e.vdir[i]);
        j.number("frame", e.frame[i]);
        j.close();
    }
    j.closeArray();

    const ItemTableRecord& it = game.ItemTable;
    j.openArray("ItemTable");
    for (int i = 0; i < ItemSlots; ++i) {
        if (!it.kind[i]) continue;
        j.openElement();
        j.number("slot", i);
        j.number("kind", it.kind[i]);
        j.number("x", it.x[i]);
        j.number("y", it.y[i]);
        j.close();
    }
    j.closeArray();

    const BombTableRecord& b = game.BombTable;
    j.openArray("BombTable");
    for (int i = 0; i < BombSlots; ++i) {
        if (!b.timer[i]) continue;
        j.openElement();
        j.number("slot", i);
        j.number("timer", b.timer[i]);
        j.number("x", b.x[i]);
        j.number("y", b.y[i]);
        j.close();
    }
    j.closeArray();

    const FragmentTableRecord& f = game.FragmentTable;
    j.openArray("FragmentTable");
    for (int i = 0; i < FragmentSlots; ++i) {
        if (!f.active[i]) continue;
        j.openElement();
        j.number("slot", i);
        j.number("x", f.x[i]);
        j.number("y", f.y[i]);
        j.number("dx", f.dx[i]);
        j.number("dy", f.dy[i]);
        j.close();
    }
    j.closeArray();

    const HoleTableRecord& h = game.HoleTable;
    j.openArray("HoleTable");
    for (int i = 0; i < HoleSlots; ++i) {
        if (!h.phase[i]) continue;
        j.openElement();
        j.number("slot", i);
        j.number("phase", h.phase[i]);
        j.number("x", h.x[i]);
        j.number("y", h.y[i]);
        j.close();
    }
    j.closeArray();

    const PopupTableRecord& pp = game.PopupTable;
    j.openArray("PopupTable");
    for (int i = 0; i < PopupSlots; ++i) {
        if (!pp.value[i]) continue;
        j.openElement();
        j.number("slot", i);
        j.number("value", pp.value[i]);
        j.number("x", pp.x[i]);
        j.number("y", pp.y[i]);
        j.number("timer", pp.timer[i]);
        j.close();
    }
    j.closeArray();

    j.string("PlayMap", playMapText(game).c_str());
    j.string("status", game.StatusText);
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(frameHash(game)));
    j.string("frame", hash);
    j.close();
    return j.take();
}
