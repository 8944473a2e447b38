// Canonical RIFF/WAVE files: a 44-byte header and 16-bit mono PCM.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

constexpr std::size_t WaveHeaderSize = 44;

std::vector<std::uint8_t> encodeWave(const std::vector<std::int16_t>& samples, int sampleRate);

// Writes the bytes to the path; throws std::runtime_error on failure.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace soundgen
