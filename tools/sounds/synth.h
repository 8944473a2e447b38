// Renders one sound effect of the parameter file into 16-bit samples.
//
// Everything is computed in double precision from the parameters alone, and
// noise comes from a small seeded generator, so the same parameters give the
// same samples on every run.
#pragma once

#include "sound_params.h"

#include <cstdint>
#include <vector>

namespace soundgen {

constexpr int SampleRate = 22050;

// Number of samples a span of milliseconds covers.
std::size_t samplesFor(double ms);

// Mixes the voices, applies the set's edge fades and scales the result so
// that its largest sample magnitude is set.peak. Throws std::runtime_error
// for an effect that renders to silence.
std::vector<std::int16_t> render(const Sound& sound, const SoundSet& set);

} // namespace soundgen
