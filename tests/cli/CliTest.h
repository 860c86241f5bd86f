#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/DashcamCfg.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"

namespace dashcam::test {

// The command-line editor over real card folders, with its output captured.
struct CliTest : ::testing::Test {
    int Run(const std::vector<std::string>& arguments) {
        out.str(""), err.str("");
        return DashcamCfg(platform.services, in, out, err).Run(arguments);
    }
    // A new card folder holding these files.
    TempFolder& NewCard(const std::vector<std::uint8_t>& setup,
                        const std::vector<std::uint8_t>& defaults = {}) {
        cards.push_back(std::make_unique<TempFolder>());
        cards.back()->Write("setup.cfg", setup);
        if (!defaults.empty()) {
            cards.back()->Write("default.cfg", defaults);
        }
        return *cards.back();
    }
    static std::string PathOf(const TempFolder& card) { return card.Path().string(); }

    TestPlatform platform;
    std::vector<std::unique_ptr<TempFolder>> cards;
    std::istringstream in;
    std::ostringstream out, err;
};

// A camera's record: size word 544, version 1.2, its own device values at offsets 40 to 49 and
// 224, and allowed values in the settings whose zero is not allowed.
inline std::vector<std::uint8_t> CameraRecord(std::uint32_t deviceValue) {
    return RecordBytes(544, {{0, 544},
                             {4, 0x00010002},
                             {40, deviceValue},
                             {44, deviceValue + 1},
                             {48, 0x4242},
                             {224, deviceValue + 2},
                             {52, 3},
                             {64, 1},
                             {76, 2},
                             {120, 3},
                             {176, 2},
                             {212, 1},
                             {112, 2},
                             {200, 24},
                             {436, 1}});
}

} // namespace dashcam::test
