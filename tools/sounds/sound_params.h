// The parameter file of the sound-effect generator.
//
// A plain text file describes every effect as voices made of notes; the
// synthesiser (synth.h) renders each effect into one wave file. The format,
// line by line:
//
//   # comment                 a word starting with '#' ends the line
//                             ('#' inside a word, as in F#5, is a sharp)
//   peak 23197                peak sample value every effect is scaled to
//   fadein 12                 edge fades applied to every effect, in ms
//   fadeout 20                (raised cosine, so the ends are silent)
//
//   sound NAME [seed=N]       starts the effect written to NAME.wav; N seeds
//                             its noise generator (default 1)
//     voice [at=MS]           starts a voice; its notes follow one another
//                             from MS (default 0). Voices are mixed.
//     rest MS                 silence in the current voice
//     WAVE FROM [TO] MS opts  a note: WAVE is square, triangle, sine or noise;
//                             FROM and TO are pitches in Hz or note names
//                             (A4 = 440 Hz, C#5, Bb3); the pitch glides
//                             evenly in semitones from FROM to TO. For noise
//                             the pitch is the rate at which a new random
//                             value is drawn.
//   end                       closes the effect
//
// Note options (name=value, all optional):
//   vol=V        level, relative to the other notes of the effect (1)
//   atk=MS       linear attack (1)
//   rel=MS       linear release at the note's end (5)
//   decay=MS     exponential decay time constant, 0 for none (0)
//   duty=D       square pulse width, 0 < D < 1 (0.5)
//   vib=C,HZ     vibrato of C cents at HZ (none)
//   vibdelay=MS  time before the vibrato starts (0)
//   arp=S,S,...  semitone offsets cycled through, one per step (none)
//   step=MS      arpeggio step (30)
//   lp=HZ        one-pole low-pass filter, 0 for none (0)
//
// A note line before the first `voice` opens a voice at 0.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace soundgen {

enum class Wave { Square, Triangle, Sine, Noise };

struct Note {
    bool rest = false;
    Wave wave = Wave::Square;
    double fromHz = 0.0;
    double toHz = 0.0;
    double ms = 0.0;
    double volume = 1.0;
    double attackMs = 1.0;
    double releaseMs = 5.0;
    double decayMs = 0.0;
    double duty = 0.5;
    double vibratoCents = 0.0;
    double vibratoHz = 0.0;
    double vibratoDelayMs = 0.0;
    std::vector<double> arpeggio;
    double arpeggioStepMs = 30.0;
    double lowPassHz = 0.0;
};

struct Voice {
    double startMs = 0.0;
    std::vector<Note> notes;
};

struct Sound {
    std::string name;
    unsigned seed = 1;
    std::vector<Voice> voices;
};

struct SoundSet {
    int peak = 23197; // -3 dBFS
    double fadeInMs = 12.0;
    double fadeOutMs = 20.0;
    std::vector<Sound> sounds;
};

// A fault in the parameter file; line() is 1-based.
class ParseError : public std::runtime_error {
  public:
    ParseError(int line, const std::string& message);
    int line() const { return line_; }

  private:
    int line_;
};

SoundSet parseSoundSet(std::istream& in);

// "440", "261.5", "A4", "C#5", "Bb3" -> Hz. Throws std::invalid_argument.
double parsePitch(const std::string& text);

} // namespace soundgen
