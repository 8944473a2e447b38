// Golden replays: short scripts on the built-in rooms whose final trace line
// is kept in tests/replay/golden. Any change to a rule or to the order of the
// phases changes a line; a change to the art changes only the frame hashes.
//
// Each NAME.script starts with a line "# args: ..." giving the arguments the
// runner is started with (besides --script and --trace); NAME.expected holds
// the final trace line. After an intended change, rewrite the expected lines
// with `cmake --build <build dir> --target update-replay-golden` (or run
// replay_tests with ZOMMEL_UPDATE_GOLDEN=1) and review the diff.
#include "replay_helpers.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path GoldenDir = ZOMMEL_REPLAY_GOLDEN_DIR;

std::vector<std::string> goldenNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(GoldenDir))
        if (entry.path().extension() == ".script") names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The arguments of the "# args:" line at the top of a script.
std::vector<std::string> argumentsOf(const std::string& script) {
    const std::string marker = "# args:";
    std::vector<std::string> args;
    if (script.rfind(marker, 0) != 0) return args;
    std::istringstream words(script.substr(marker.size(), script.find('\n') - marker.size()));
    for (std::string word; words >> word;) args.push_back(word);
    return args;
}

QJsonObject parse(const std::string& line) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
}

std::string compact(const QJsonObject& line, const QString& key) {
    return QJsonDocument(QJsonObject{{key, line.value(key)}})
        .toJson(QJsonDocument::Compact)
        .toStdString();
}

class Golden : public testing::TestWithParam<std::string> {};

TEST_P(Golden, FinalTraceLineIsUnchanged) {
    const fs::path script = GoldenDir / (GetParam() + ".script");
    const fs::path expectedFile = GoldenDir / (GetParam() + ".expected");
    std::vector<std::string> args = argumentsOf(readText(script));
    args.insert(args.end(), {"--script", script.string(), "--trace"});
    const RunOutput run = runReplayWith(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = run.lines();
    ASSERT_FALSE(lines.empty());
    const std::string actual = lines.back();

    if (std::getenv("ZOMMEL_UPDATE_GOLDEN")) {
        std::ofstream(expectedFile, std::ios::binary) << actual << '\n';
        std::cout << "rewrote " << expectedFile.string() << '\n';
        return;
    }
    ASSERT_TRUE(fs::exists(expectedFile))
        << expectedFile << " is missing: run the target update-replay-golden";
    std::string expected = readText(expectedFile);
    while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r'))
        expected.pop_back();

    // Field by field, so that a failure names what changed; the frame apart,
    // since a change to the art changes it alone.
    const QJsonObject want = parse(expected), got = parse(actual);
    ASSERT_FALSE(want.isEmpty()) << expectedFile << " does not hold a trace line";
    bool fieldChanged = false;
    for (const QString& key : want.keys()) {
        if (got.value(key) == want.value(key)) continue;
        fieldChanged = true;
        if (key == QLatin1String("frame")) {
            ADD_FAILURE() << "the frame changed: " << want.value(key).toString().toStdString()
                          << " -> " << got.value(key).toString().toStdString()
                          << "; if only the art or the drawing changed, run the target "
                             "update-replay-golden";
        } else {
            ADD_FAILURE() << key.toStdString() << " changed\n  expected: " << compact(want, key)
                          << "\n  actual:   " << compact(got, key);
        }
    }
    if (!fieldChanged) {
        EXPECT_EQ(actual, expected) << "fields were added or reordered";
    }
}

INSTANTIATE_TEST_SUITE_P(Golden, Golden, testing::ValuesIn(goldenNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return !std::isalnum(static_cast<unsigned char>(c));
                                 },
                                 '_');
                             return name;
                         });

} // namespace
