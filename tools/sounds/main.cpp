// zommel-gen-sounds: renders the sound effects described in a parameter file
// (see sound_params.h) into one wave file per effect.
//
//   zommel-gen-sounds <params-file> <output-dir>

#include "sound_params.h"
#include "synth.h"
#include "wave_file.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <params-file> <output-dir>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path paramsPath = argv[1];
    const std::filesystem::path outDir = argv[2];
    try {
        std::ifstream in(paramsPath);
        if (!in) throw std::runtime_error("cannot read " + paramsPath.string());
        const soundgen::SoundSet set = soundgen::parseSoundSet(in);
        std::filesystem::create_directories(outDir);
        for (const soundgen::Sound& sound : set.sounds) {
            const auto samples = soundgen::render(sound, set);
            const auto path = outDir / (sound.name + ".wav");
            soundgen::writeFile(path.string(), soundgen::encodeWave(samples, soundgen::SampleRate));
            std::printf("%-10s %5.0f ms  peak %.2f dBFS\n", (sound.name + ".wav").c_str(),
                        samples.size() * 1000.0 / soundgen::SampleRate,
                        20.0 * std::log10(set.peak / 32768.0));
        }
    } catch (const soundgen::ParseError& e) {
        std::fprintf(stderr, "%s: %s\n", paramsPath.string().c_str(), e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
