#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace soundgen {

namespace {

constexpr double Pi = std::numbers::pi;

// xorshift32: tiny, fast and the same everywhere.
class Noise {
  public:
    explicit Noise(unsigned seed) {
        state_ = static_cast<std::uint32_t>(seed) * 2654435761u ^ 0x9e3779b9u;
        if (state_ == 0) state_ = 1;
    }
    // A value in [-1, 1].
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 2147483647.5 - 1.0;
    }

  private:
    std::uint32_t state_;
};

// Smooths the step of a naive pulse wave so its edges alias less.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// What carries over from one note of a voice to the next, so legato notes
// join without a jump.
struct VoiceState {
    double phase = 0.0;      // oscillator phase in cycles, [0, 1)
    double noiseClock = 1.0; // >= 1 draws a new noise value
    double noiseValue = 0.0;
    double filtered = 0.0; // low-pass filter output
};

double oscillator(const Note& note, VoiceState& v, double hz, Noise& noise) {
    const double dt = hz / SampleRate;
    double value = 0.0;
    switch (note.wave) {
    case Wave::Square: {
        const double t = v.phase;
        value = t < note.duty ? 1.0 : -1.0;
        value += polyBlep(t, dt);
        value -= polyBlep(std::fmod(t + 1.0 - note.duty, 1.0), dt);
        value -= 2.0 * note.duty - 1.0; // keep the pulse centred on zero
        break;
    }
    case Wave::Triangle: {
        const double t = std::fmod(v.phase + 0.25, 1.0);
        value = 1.0 - 4.0 * std::fabs(t - 0.5);
        break;
    }
    case Wave::Sine:
        value = std::sin(2.0 * Pi * v.phase);
        break;
    case Wave::Noise:
        v.noiseClock += dt;
        while (v.noiseClock >= 1.0) {
            v.noiseClock -= 1.0;
            v.noiseValue = noise.next();
        }
        value = v.noiseValue;
        break;
    }
    v.phase += dt;
    v.phase -= std::floor(v.phase);
    return value;
}

double envelope(const Note& note, std::size_t i, std::size_t count) {
    const double ms = i * 1000.0 / SampleRate;
    const double left = (count - 1 - i) * 1000.0 / SampleRate;
    double level = note.volume;
    if (note.attackMs > 0.0 && ms < note.attackMs) level *= ms / note.attackMs;
    if (note.releaseMs > 0.0 && left < note.releaseMs) level *= left / note.releaseMs;
    if (note.decayMs > 0.0) level *= std::exp(-ms / note.decayMs);
    return level;
}

double pitch(const Note& note, std::size_t i, std::size_t count) {
    const double ms = i * 1000.0 / SampleRate;
    double hz = note.fromHz;
    if (note.toHz != note.fromHz)
        hz *= std::pow(note.toHz / note.fromHz, static_cast<double>(i) / count);
    if (!note.arpeggio.empty()) {
        auto step = static_cast<std::size_t>(ms / note.arpeggioStepMs);
        hz *= std::pow(2.0, note.arpeggio[step % note.arpeggio.size()] / 12.0);
    }
    if (note.vibratoCents > 0.0 && ms >= note.vibratoDelayMs) {
        const double t = (ms - note.vibratoDelayMs) / 1000.0;
        hz *= std::pow(2.0, note.vibratoCents / 1200.0 * std::sin(2.0 * Pi * note.vibratoHz * t));
    }
    return std::min(hz, note.wave == Wave::Noise ? SampleRate : SampleRate / 2.0);
}

void renderVoice(const Voice& voice, Noise& noise, std::vector<double>& mix) {
    VoiceState state;
    std::size_t pos = samplesFor(voice.startMs);
    for (const Note& note : voice.notes) {
        const std::size_t count = samplesFor(note.ms);
        if (note.rest) {
            pos += count;
            continue;
        }
        const double alpha =
            note.lowPassHz > 0.0 ? 1.0 - std::exp(-2.0 * Pi * note.lowPassHz / SampleRate) : 1.0;
        for (std::size_t i = 0; i < count; ++i) {
            const double raw = oscillator(note, state, pitch(note, i, count), noise);
            state.filtered += alpha * (raw - state.filtered);
            mix[pos + i] += state.filtered * envelope(note, i, count);
        }
        pos += count;
    }
}

std::size_t voiceEnd(const Voice& voice) {
    std::size_t end = samplesFor(voice.startMs);
    for (const Note& note : voice.notes) end += samplesFor(note.ms);
    return end;
}

// Raised-cosine fades: the first and the last sample become exactly zero.
void fadeEdges(std::vector<double>& mix, double fadeInMs, double fadeOutMs) {
    const std::size_t n = mix.size();
    const std::size_t in = std::min(samplesFor(fadeInMs), n);
    const std::size_t out = std::min(samplesFor(fadeOutMs), n);
    for (std::size_t i = 0; i < in; ++i) {
        const double s = std::sin(0.5 * Pi * i / in);
        mix[i] *= s * s;
    }
    for (std::size_t k = 0; k < out; ++k) {
        const double s = std::sin(0.5 * Pi * k / out);
        mix[n - 1 - k] *= s * s;
    }
}

} // namespace

std::size_t samplesFor(double ms) {
    return static_cast<std::size_t>(std::llround(ms * SampleRate / 1000.0));
}

std::vector<std::int16_t> render(const Sound& sound, const SoundSet& set) {
    std::size_t length = 0;
    for (const Voice& voice : sound.voices) length = std::max(length, voiceEnd(voice));

    std::vector<double> mix(length, 0.0);
    Noise noise(sound.seed);
    for (const Voice& voice : sound.voices) renderVoice(voice, noise, mix);
    fadeEdges(mix, set.fadeInMs, set.fadeOutMs);

    double peak = 0.0;
    for (double x : mix) peak = std::max(peak, std::fabs(x));
    if (peak <= 0.0) throw std::runtime_error("sound " + sound.name + " is silent");

    const double gain = set.peak / peak;
    std::vector<std::int16_t> samples(length);
    for (std::size_t i = 0; i < length; ++i) {
        const long v = std::lround(mix[i] * gain);
        samples[i] = static_cast<std::int16_t>(std::clamp(v, -32767L, 32767L));
    }
    return samples;
}

} // namespace soundgen
