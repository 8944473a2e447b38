#include "wave_file.h"

#include <fstream>
#include <stdexcept>

namespace soundgen {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

} // namespace

std::vector<std::uint8_t> encodeWave(const std::vector<std::int16_t>& samples, int sampleRate) {
    const std::uint16_t channels = 1;
    const std::uint16_t bits = 16;
    const std::uint16_t blockAlign = channels * bits / 8;
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * blockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(WaveHeaderSize + dataSize);
    putTag(out, "RIFF");
    put32(out, 36 + dataSize);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16); // size of the format chunk
    put16(out, 1);  // PCM
    put16(out, channels);
    put32(out, static_cast<std::uint32_t>(sampleRate));
    put32(out, static_cast<std::uint32_t>(sampleRate) * blockAlign);
    put16(out, blockAlign);
    put16(out, bits);
    putTag(out, "data");
    put32(out, dataSize);
    for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));
    return out;
}

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path);
}

} // namespace soundgen
