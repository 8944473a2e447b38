// The ten wave files the game plays, as committed: format, length, level and
// clean edges.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct SoundFile {
    const char* name;
    double maxSeconds;
};

// Sound id order. Tunes and jingles may run longer than the effects.
const SoundFile Sounds[] = {
    {"set.wav", 0.6}, {"bound.wav", 0.6}, {"tak.wav", 0.6}, {"ti.wav", 0.6},  {"tol.wav", 0.6},
    {"mia.wav", 2.0}, {"bow.wav", 0.6},   {"era.wav", 2.0}, {"win.wav", 2.0}, {"clia.wav", 2.0},
};

constexpr int Rate = 22050;
constexpr std::size_t HeaderSize = 44;
constexpr std::size_t EdgeSamples = Rate * 5 / 1000; // 5 ms
constexpr int EdgeSampleLimit = 328;                 // 1 % of full scale

std::vector<std::uint8_t> readBytes(const std::string& name) {
    std::ifstream in(std::string(ZOMMEL_SOUNDS_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::string tag(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::string(b.begin() + at, b.begin() + at + 4);
}

std::vector<int> samplesOf(const std::vector<std::uint8_t>& b) {
    std::vector<int> s;
    for (std::size_t at = HeaderSize; at + 1 < b.size(); at += 2)
        s.push_back(static_cast<std::int16_t>(le16(b, at)));
    return s;
}

int peakOf(std::vector<int>::const_iterator first, std::vector<int>::const_iterator last) {
    int peak = 0;
    for (auto it = first; it != last; ++it) peak = std::max(peak, std::abs(*it));
    return peak;
}

void PrintTo(const SoundFile& file, std::ostream* os) {
    *os << file.name;
}

class WaveFile : public testing::TestWithParam<SoundFile> {};

TEST_P(WaveFile, HasACanonicalPcmHeader) {
    const auto b = readBytes(GetParam().name);
    ASSERT_GT(b.size(), HeaderSize) << "missing or empty";
    EXPECT_EQ(tag(b, 0), "RIFF");
    EXPECT_EQ(le32(b, 4), b.size() - 8);
    EXPECT_EQ(tag(b, 8), "WAVE");
    EXPECT_EQ(tag(b, 12), "fmt ");
    EXPECT_EQ(le32(b, 16), 16u);
    EXPECT_EQ(le16(b, 20), 1) << "PCM";
    EXPECT_EQ(le16(b, 22), 1) << "mono";
    EXPECT_EQ(le32(b, 24), static_cast<std::uint32_t>(Rate));
    EXPECT_EQ(le32(b, 28), static_cast<std::uint32_t>(Rate * 2)) << "byte rate";
    EXPECT_EQ(le16(b, 32), 2) << "block align";
    EXPECT_EQ(le16(b, 34), 16) << "bits per sample";
    EXPECT_EQ(tag(b, 36), "data");
    EXPECT_EQ(le32(b, 40), b.size() - HeaderSize);
    EXPECT_EQ(b.size() % 2, 0u);
}

TEST_P(WaveFile, IsShortEnough) {
    const auto s = samplesOf(readBytes(GetParam().name));
    const double seconds = static_cast<double>(s.size()) / Rate;
    EXPECT_GE(seconds, 0.05);
    EXPECT_LE(seconds, GetParam().maxSeconds);
}

TEST_P(WaveFile, PeaksNearMinusThreeDecibels) {
    const auto s = samplesOf(readBytes(GetParam().name));
    ASSERT_FALSE(s.empty());
    const double dbfs = 20.0 * std::log10(peakOf(s.begin(), s.end()) / 32768.0);
    EXPECT_GE(dbfs, -4.0);
    EXPECT_LE(dbfs, -2.0);
}

TEST_P(WaveFile, FadesInAndOut) {
    const auto s = samplesOf(readBytes(GetParam().name));
    ASSERT_GT(s.size(), 2 * EdgeSamples);
    const int peak = peakOf(s.begin(), s.end());
    EXPECT_LE(std::abs(s.front()), EdgeSampleLimit);
    EXPECT_LE(std::abs(s.back()), EdgeSampleLimit);
    EXPECT_LE(peakOf(s.begin(), s.begin() + EdgeSamples), peak / 2) << "first 5 ms";
    EXPECT_LE(peakOf(s.end() - EdgeSamples, s.end()), peak / 2) << "last 5 ms";
}

std::string caseName(const testing::TestParamInfo<SoundFile>& info) {
    std::string name = info.param.name;
    return name.substr(0, name.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Committed, WaveFile, testing::ValuesIn(Sounds), caseName);

TEST(WaveFiles, EveryEventHasItsOwnSound) {
    for (std::size_t i = 0; i < std::size(Sounds); ++i)
        for (std::size_t j = i + 1; j < std::size(Sounds); ++j)
            EXPECT_NE(readBytes(Sounds[i].name), readBytes(Sounds[j].name))
                << Sounds[i].name << " and " << Sounds[j].name;
}

} // namespace
