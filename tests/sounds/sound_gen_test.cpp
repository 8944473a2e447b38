// The sound generator: pitch names, the parameter file, rendering and the
// wave encoding.

#include "sound_params.h"
#include "synth.h"
#include "wave_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using namespace soundgen;

SoundSet parse(const std::string& text) {
    std::istringstream in(text);
    return parseSoundSet(in);
}

TEST(SoundGen, ReadsPitches) {
    const struct {
        const char* text;
        double hz;
    } cases[] = {
        {"A4", 440.0},     {"A5", 880.0},     {"A0", 27.5},       {"C4", 261.6256},
        {"C#5", 554.3653}, {"Db5", 554.3653}, {"Bb3", 233.0819},  {"B3", 246.9417},
        {"Cb4", 246.9417}, {"E6", 1318.5102}, {"G9", 12543.8540}, {"440", 440.0},
        {"12.5", 12.5},    {"+300", 300.0},
    };
    for (const auto& c : cases) EXPECT_NEAR(parsePitch(c.text), c.hz, 1e-3) << c.text;
}

TEST(SoundGen, RejectsBadPitches) {
    const char* cases[] = {"",   "H4",  "A", "a4", "A10", "C##4", "Ab",
                           "4A", "A4x", "0", "-3", "inf", "nan"};
    for (const char* text : cases) EXPECT_THROW(parsePitch(text), std::invalid_argument) << text;
}

TEST(SoundGen, ReadsAParameterFile) {
    const SoundSet set = parse("# header\n"
                               "peak 20000\n"
                               "fadein 3\n"
                               "fadeout 4.5   # trailing comment\n"
                               "\n"
                               "sound zap seed=42\n"
                               "  square A4 A5 100 duty=0.25 vol=0.5 atk=2 rel=3 decay=40\n"
                               "  rest 20\n"
                               "voice at=50\n"
                               "  noise 8000 30 lp=2000\n"
                               "  sine F#4 60 vib=20,6 vibdelay=10 arp=0,4,7 step=15\n"
                               "end\n");
    EXPECT_EQ(set.peak, 20000);
    EXPECT_DOUBLE_EQ(set.fadeInMs, 3.0);
    EXPECT_DOUBLE_EQ(set.fadeOutMs, 4.5);
    ASSERT_EQ(set.sounds.size(), 1u);
    const Sound& s = set.sounds[0];
    EXPECT_EQ(s.name, "zap");
    EXPECT_EQ(s.seed, 42u);
    ASSERT_EQ(s.voices.size(), 2u);
    EXPECT_DOUBLE_EQ(s.voices[0].startMs, 0.0);
    EXPECT_DOUBLE_EQ(s.voices[1].startMs, 50.0);
    ASSERT_EQ(s.voices[0].notes.size(), 2u);
    ASSERT_EQ(s.voices[1].notes.size(), 2u);

    const Note& sq = s.voices[0].notes[0];
    EXPECT_EQ(sq.wave, Wave::Square);
    EXPECT_FALSE(sq.rest);
    EXPECT_DOUBLE_EQ(sq.fromHz, 440.0);
    EXPECT_NEAR(sq.toHz, 880.0, 1e-9);
    EXPECT_DOUBLE_EQ(sq.ms, 100.0);
    EXPECT_DOUBLE_EQ(sq.duty, 0.25);
    EXPECT_DOUBLE_EQ(sq.volume, 0.5);
    EXPECT_DOUBLE_EQ(sq.attackMs, 2.0);
    EXPECT_DOUBLE_EQ(sq.releaseMs, 3.0);
    EXPECT_DOUBLE_EQ(sq.decayMs, 40.0);

    EXPECT_TRUE(s.voices[0].notes[1].rest);
    EXPECT_DOUBLE_EQ(s.voices[0].notes[1].ms, 20.0);

    const Note& noise = s.voices[1].notes[0];
    EXPECT_EQ(noise.wave, Wave::Noise);
    EXPECT_DOUBLE_EQ(noise.fromHz, 8000.0);
    EXPECT_DOUBLE_EQ(noise.toHz, 8000.0);
    EXPECT_DOUBLE_EQ(noise.lowPassHz, 2000.0);

    const Note& sine = s.voices[1].notes[1];
    EXPECT_EQ(sine.wave, Wave::Sine);
    EXPECT_DOUBLE_EQ(sine.vibratoCents, 20.0);
    EXPECT_DOUBLE_EQ(sine.vibratoHz, 6.0);
    EXPECT_DOUBLE_EQ(sine.vibratoDelayMs, 10.0);
    EXPECT_EQ(sine.arpeggio, (std::vector<double>{0, 4, 7}));
    EXPECT_DOUBLE_EQ(sine.arpeggioStepMs, 15.0);
}

TEST(SoundGen, ReportsFaultsWithTheirLine) {
    const struct {
        const char* text;
        int line;
    } cases[] = {
        {"square A4 100\n", 1}, // note outside a sound
        {"volume 3\n", 1},      // unknown statement
        {"peak 40000\n", 1},    // beyond 16 bits
        {"peak 0.5\n", 1},      // not whole
        {"fadein -1\n", 1},
        {"sound Big\nsquare A4 10\nend\n", 1},        // name unfit for a file
        {"sound a\nsquare A4 10\nend\nsound a\n", 4}, // named twice
        {"sound a seed=-1\n", 1},
        {"sound a\nsaw A4 10\nend\n", 2},          // unknown wave
        {"sound a\nsquare A4\nend\n", 2},          // no duration
        {"sound a\nsquare A4 A5 C6 10\nend\n", 2}, // too many pitches
        {"sound a\nsquare A4 0\nend\n", 2},
        {"sound a\nsquare A4 10 duty=1\nend\n", 2},
        {"sound a\nsquare A4 10 vol=-1\nend\n", 2},
        {"sound a\nsquare A4 10 loud=1\nend\n", 2}, // unknown option
        {"sound a\nsquare A4 10 vib=20\nend\n", 2},
        {"sound a\nsquare A4 10 step=0\nend\n", 2},
        {"sound a\nsquare A4 10 lp=20000\nend\n", 2},
        {"sound a\nsquare 12000 10\nend\n", 2},    // above half the sample rate
        {"sound a\nnoise 30000 10\nend\n", 2},     // noise clock above the rate
        {"sound a\nsquare A4 vol=1 10\nend\n", 2}, // option before the duration
        {"sound a\nvoice from=3\nend\n", 2},
        {"sound a\nrest 10\nend\n", 3}, // nothing to hear
        {"sound a\nsquare A4 10\n", 2}, // no end
        {"sound a\nsquare A4 10\nend x\n", 3},
    };
    for (const auto& c : cases) {
        try {
            parse(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ParseError& e) {
            EXPECT_EQ(e.line(), c.line) << c.text << " -> " << e.what();
        }
    }
}

int peakOf(const std::vector<std::int16_t>& s) {
    int peak = 0;
    for (int v : s) peak = std::max(peak, std::abs(v));
    return peak;
}

TEST(SoundGen, RendersToTheSetPeakWithSilentEdges) {
    const struct {
        const char* body;
        std::size_t samples;
    } cases[] = {
        {"square A4 100", 2205},
        {"triangle C3 C5 100 decay=30", 2205},
        {"sine 1000 50\nrest 50\nsine 500 50", 3309},
        {"noise 5000 100 lp=3000", 2205},
        {"square A4 50\nvoice at=80\nsquare E5 40 duty=0.125", 2646},
        {"square A4 100 arp=0,4,7 step=10 vib=50,8", 2205},
    };
    for (const auto& c : cases) {
        SoundSet set =
            parse("peak 20000\nfadein 5\nfadeout 5\nsound a\n" + std::string(c.body) + "\nend\n");
        const auto s = render(set.sounds[0], set);
        ASSERT_EQ(s.size(), c.samples) << c.body;
        EXPECT_EQ(peakOf(s), 20000) << c.body;
        EXPECT_EQ(s.front(), 0) << c.body;
        EXPECT_EQ(s.back(), 0) << c.body;
    }
}

TEST(SoundGen, NoiseFollowsTheSeed) {
    auto noise = [](unsigned seed) {
        SoundSet set = parse("sound a seed=" + std::to_string(seed) + "\nnoise 8000 50\nend\n");
        return render(set.sounds[0], set);
    };
    EXPECT_EQ(noise(7), noise(7));
    EXPECT_NE(noise(7), noise(8));
    EXPECT_EQ(noise(0), noise(0));
    EXPECT_GT(peakOf(noise(0)), 0);
}

TEST(SoundGen, RefusesASilentSound) {
    SoundSet set = parse("sound a\nsquare A4 50 vol=0\nend\n");
    EXPECT_THROW(render(set.sounds[0], set), std::runtime_error);
}

TEST(SoundGen, EncodesACanonicalWave) {
    const std::vector<std::uint8_t> expected = {
        'R',  'I',  'F', 'F', 40,   0,    0, 0, 'W',  'A',  'V',  'E',  // RIFF, 36 + 4 bytes
        'f',  'm',  't', ' ', 16,   0,    0, 0, 1,    0,    1,    0,    // PCM, mono
        0x22, 0x56, 0,   0,   0x44, 0xac, 0, 0, 2,    0,    16,   0,    // 22050 Hz, 44100 B/s
        'd',  'a',  't', 'a', 4,    0,    0, 0, 0x34, 0x12, 0xff, 0xff, // 0x1234, -1
    };
    EXPECT_EQ(encodeWave({0x1234, -1}, 22050), expected);
    EXPECT_EQ(encodeWave({}, 22050).size(), WaveHeaderSize);
}

} // namespace
