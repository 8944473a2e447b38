#include "sound_params.h"

#include "synth.h"

#include <charconv>
#include <cmath>
#include <set>
#include <sstream>

namespace soundgen {

ParseError::ParseError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

namespace {

bool parseNumber(const std::string& text, double& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last && first != last && std::isfinite(value);
}

double number(const std::string& text, const std::string& what) {
    double value = 0.0;
    if (!parseNumber(text, value)) throw std::invalid_argument(what + ": not a number: " + text);
    return value;
}

std::vector<double> numberList(const std::string& text, const std::string& what) {
    std::vector<double> values;
    std::size_t begin = 0;
    while (true) {
        std::size_t comma = text.find(',', begin);
        values.push_back(number(text.substr(begin, comma - begin), what));
        if (comma == std::string::npos) break;
        begin = comma + 1;
    }
    return values;
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> result;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        if (word[0] == '#') break;
        result.push_back(word);
    }
    return result;
}

bool splitOption(const std::string& word, std::string& key, std::string& value) {
    std::size_t eq = word.find('=');
    if (eq == std::string::npos) return false;
    key = word.substr(0, eq);
    value = word.substr(eq + 1);
    return true;
}

bool waveNamed(const std::string& name, Wave& wave) {
    if (name == "square")
        wave = Wave::Square;
    else if (name == "triangle")
        wave = Wave::Triangle;
    else if (name == "sine")
        wave = Wave::Sine;
    else if (name == "noise")
        wave = Wave::Noise;
    else
        return false;
    return true;
}

bool validName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!ok) return false;
    }
    return true;
}

double positive(const std::string& text, const std::string& what) {
    double value = number(text, what);
    if (value <= 0.0) throw std::invalid_argument(what + " must be positive");
    return value;
}

double nonNegative(const std::string& text, const std::string& what) {
    double value = number(text, what);
    if (value < 0.0) throw std::invalid_argument(what + " must not be negative");
    return value;
}

void applyOption(Note& note, const std::string& key, const std::string& value) {
    if (key == "vol") {
        note.volume = nonNegative(value, key);
    } else if (key == "atk") {
        note.attackMs = nonNegative(value, key);
    } else if (key == "rel") {
        note.releaseMs = nonNegative(value, key);
    } else if (key == "decay") {
        note.decayMs = nonNegative(value, key);
    } else if (key == "duty") {
        note.duty = number(value, key);
        if (note.duty <= 0.0 || note.duty >= 1.0)
            throw std::invalid_argument("duty must lie between 0 and 1");
    } else if (key == "vib") {
        std::vector<double> v = numberList(value, key);
        if (v.size() != 2 || v[0] < 0.0 || v[1] <= 0.0)
            throw std::invalid_argument("vib wants CENTS,HZ");
        note.vibratoCents = v[0];
        note.vibratoHz = v[1];
    } else if (key == "vibdelay") {
        note.vibratoDelayMs = nonNegative(value, key);
    } else if (key == "arp") {
        note.arpeggio = numberList(value, key);
    } else if (key == "step") {
        note.arpeggioStepMs = positive(value, key);
    } else if (key == "lp") {
        note.lowPassHz = nonNegative(value, key);
        if (note.lowPassHz >= SampleRate / 2.0)
            throw std::invalid_argument("lp must lie below half the sample rate");
    } else {
        throw std::invalid_argument("unknown option: " + key);
    }
}

Note parseNote(Wave wave, const std::vector<std::string>& w) {
    Note note;
    note.wave = wave;
    std::vector<std::string> positional;
    std::size_t i = 1;
    for (; i < w.size() && w[i].find('=') == std::string::npos; ++i) positional.push_back(w[i]);
    if (positional.size() < 2 || positional.size() > 3)
        throw std::invalid_argument("a note wants FROM [TO] MS");
    note.fromHz = parsePitch(positional[0]);
    note.toHz = positional.size() == 3 ? parsePitch(positional[1]) : note.fromHz;
    note.ms = positive(positional.back(), "duration");
    double limit = wave == Wave::Noise ? SampleRate : SampleRate / 2.0;
    if (note.fromHz >= limit || note.toHz >= limit)
        throw std::invalid_argument("pitch too high for the sample rate");
    for (; i < w.size(); ++i) {
        std::string key, value;
        if (!splitOption(w[i], key, value))
            throw std::invalid_argument("options come after the duration: " + w[i]);
        applyOption(note, key, value);
    }
    return note;
}

class Parser {
  public:
    SoundSet run(std::istream& in) {
        std::string line;
        while (std::getline(in, line)) {
            ++lineNo_;
            std::vector<std::string> w = words(line);
            if (w.empty()) continue;
            try {
                if (current_)
                    statementInSound(w);
                else
                    statementAtTop(w);
            } catch (const std::invalid_argument& e) {
                throw ParseError(lineNo_, e.what());
            }
        }
        if (current_) throw ParseError(lineNo_, "sound " + current_->name + " lacks its end");
        return set_;
    }

  private:
    void statementAtTop(const std::vector<std::string>& w) {
        const std::string& cmd = w[0];
        if (cmd == "peak") {
            expectCount(w, 2);
            double peak = number(w[1], cmd);
            if (peak < 1.0 || peak > 32767.0 || peak != std::floor(peak))
                throw std::invalid_argument("peak must be a whole number from 1 to 32767");
            set_.peak = static_cast<int>(peak);
        } else if (cmd == "fadein") {
            expectCount(w, 2);
            set_.fadeInMs = nonNegative(w[1], cmd);
        } else if (cmd == "fadeout") {
            expectCount(w, 2);
            set_.fadeOutMs = nonNegative(w[1], cmd);
        } else if (cmd == "sound") {
            if (w.size() < 2 || !validName(w[1]))
                throw std::invalid_argument("sound wants a name of a-z, 0-9, _ and -");
            if (!names_.insert(w[1]).second)
                throw std::invalid_argument("sound named twice: " + w[1]);
            Sound sound;
            sound.name = w[1];
            for (std::size_t i = 2; i < w.size(); ++i) {
                std::string key, value;
                if (!splitOption(w[i], key, value) || key != "seed")
                    throw std::invalid_argument("sound takes only seed=N");
                double seed = number(value, key);
                if (seed < 0.0 || seed > 4294967295.0 || seed != std::floor(seed))
                    throw std::invalid_argument("seed must be a whole number below 2^32");
                sound.seed = static_cast<unsigned>(seed);
            }
            set_.sounds.push_back(std::move(sound));
            current_ = &set_.sounds.back();
        } else {
            throw std::invalid_argument("unknown statement: " + cmd);
        }
    }

    void statementInSound(const std::vector<std::string>& w) {
        const std::string& cmd = w[0];
        Wave wave{};
        if (cmd == "end") {
            expectCount(w, 1);
            bool any = false;
            for (const Voice& v : current_->voices)
                for (const Note& n : v.notes) any = any || !n.rest;
            if (!any) throw std::invalid_argument("sound " + current_->name + " has no notes");
            current_ = nullptr;
        } else if (cmd == "voice") {
            Voice voice;
            for (std::size_t i = 1; i < w.size(); ++i) {
                std::string key, value;
                if (!splitOption(w[i], key, value) || key != "at")
                    throw std::invalid_argument("voice takes only at=MS");
                voice.startMs = nonNegative(value, key);
            }
            current_->voices.push_back(std::move(voice));
        } else if (cmd == "rest") {
            expectCount(w, 2);
            Note note;
            note.rest = true;
            note.ms = positive(w[1], "duration");
            voice().notes.push_back(note);
        } else if (waveNamed(cmd, wave)) {
            voice().notes.push_back(parseNote(wave, w));
        } else {
            throw std::invalid_argument("unknown statement in a sound: " + cmd);
        }
    }

    Voice& voice() {
        if (current_->voices.empty()) current_->voices.emplace_back();
        return current_->voices.back();
    }

    static void expectCount(const std::vector<std::string>& w, std::size_t count) {
        if (w.size() != count)
            throw std::invalid_argument(w[0] + " takes " + std::to_string(count - 1) + " value(s)");
    }

    SoundSet set_;
    Sound* current_ = nullptr;
    std::set<std::string> names_;
    int lineNo_ = 0;
};

} // namespace

double parsePitch(const std::string& text) {
    double hz = 0.0;
    if (parseNumber(text, hz)) {
        if (hz <= 0.0) throw std::invalid_argument("pitch must be positive: " + text);
        return hz;
    }
    // Note name: letter, optional sharp or flat, octave 0..9.
    static const int semitoneOfLetter[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    std::size_t i = 0;
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        throw std::invalid_argument("not a pitch: " + text);
    int semitone = semitoneOfLetter[text[0] - 'A'];
    ++i;
    if (i < text.size() && text[i] == '#') {
        ++semitone;
        ++i;
    } else if (i < text.size() && text[i] == 'b') {
        --semitone;
        ++i;
    }
    if (i + 1 != text.size() || text[i] < '0' || text[i] > '9')
        throw std::invalid_argument("not a pitch: " + text);
    int octave = text[i] - '0';
    int fromA4 = semitone - 9 + (octave - 4) * 12;
    return 440.0 * std::pow(2.0, fromA4 / 12.0);
}

SoundSet parseSoundSet(std::istream& in) {
    return Parser().run(in);
}

} // namespace soundgen
