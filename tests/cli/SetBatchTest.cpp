#include <sys/mount.h>

#include <filesystem>

#include "tests/cli/CliTest.h"

namespace dashcam::test {
namespace {

namespace fs = std::filesystem;

using SetBatch = CliTest;

TEST_F(SetBatch, RefusesValuesOutsideTheFieldTableUnlessForced) {
    const auto before = CameraRecord(7);
    const TempFolder& card = NewCard(before);
    const std::string path = PathOf(card);

    EXPECT_EQ(Run({"set", path, "front_brightness=7"}), 2);
    EXPECT_NE(err.str().find("front_brightness: 7 is not allowed; allowed: 0 to 2"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(Run({"set", path, "wdr=1", "voice_volume=99"}), 2);
    EXPECT_NE(err.str().find("allowed: 1 to 3"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"set", path, "motion_sensitivity=2"}), 2);
    EXPECT_NE(err.str().find("allowed: 0, 1, 3 or 5"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"set", path, "preserved_40=1"}), 2); // the camera's own
    EXPECT_EQ(card.Read("setup.cfg"), before);

    // --force anywhere writes exactly the value given.
    ASSERT_EQ(Run({"set", path, "--force", "voice_volume=99"}), 0) << err.str();
    ASSERT_EQ(Run({"set", "front_brightness=7", path, "--force"}), 0) << err.str();
    auto expected = before;
    expected[112] = 99;
    expected[64] = 7;
    EXPECT_EQ(card.Read("setup.cfg"), expected);
}

TEST_F(SetBatch, MenuLanguageMustBeOneTheCameraOffers) {
    const TempFolder& card = NewCard(CameraRecord(7));
    fs::create_directory(card.File("lang"));
    card.WriteText("lang/ver.dat", " Code : en fr es\r\n");
    EXPECT_EQ(Run({"set", PathOf(card), "language_index=3"}), 1);
    EXPECT_NE(err.str().find("lists 3 languages (0 to 2)"), std::string::npos) << err.str();
    EXPECT_EQ(card.Read("setup.cfg"), CameraRecord(7));
    ASSERT_EQ(Run({"set", PathOf(card), "language_index=2"}), 0) << err.str();
    EXPECT_EQ(card.Read("setup.cfg")[428], 2);
    ASSERT_EQ(Run({"set", PathOf(card), "language_index=3", "--force"}), 0) << err.str();
    EXPECT_EQ(card.Read("setup.cfg")[428], 3);
}

TEST_F(SetBatch, OptionsStandAnywhere) {
    const TempFolder& card = NewCard(CameraRecord(7));
    ASSERT_EQ(Run({"get", PathOf(card), "wdr", "-v"}), 0) << err.str();
    EXPECT_FALSE(platform.debug.lines.empty()); // the load's diagnostics
    EXPECT_EQ(out.str(), "1\n");
    ASSERT_EQ(Run({"--json", "get", PathOf(card), "wdr", "voice_volume"}), 0);
    EXPECT_EQ(out.str(), "{\n    \"voice_volume\": 2,\n    \"wdr\": 1\n}\n");
    EXPECT_EQ(Run({"show", PathOf(card), "--bogus"}), 2);
    EXPECT_NE(err.str().find("Unknown option 'bogus'"), std::string::npos) << err.str();
    // After "--" a word that starts with '-' is an argument.
    EXPECT_EQ(Run({"show", "--", "-card"}), 1);
    EXPECT_NE(err.str().find("no card folder at '-card'"), std::string::npos) << err.str();
}

// A card mounted read-only amid writable ones: the others are written, the summary names it.
TEST_F(SetBatch, ReadOnlyCardFailsAloneAndIsNamed) {
    const TempFolder& first = NewCard(CameraRecord(1));
    const TempFolder& locked = NewCard(CameraRecord(2));
    const TempFolder& last = NewCard(CameraRecord(3), CameraRecord(4));
    fs::remove(last.File("setup.cfg")); // created from default.cfg
    const std::string mountPoint = locked.File("ro");
    fs::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "tmpfs cannot be mounted here (needs root)";
    }
    TempFolder::WriteTo(mountPoint + "/setup.cfg", CameraRecord(2));
    const bool readOnly =
        ::mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;

    const int status = Run(
        {"set", PathOf(first), mountPoint, "front_brightness=2", PathOf(last), "speed_stamp=1"});
    const auto lockedAfter = TempFolder::ReadFrom(mountPoint + "/setup.cfg");
    ::umount(mountPoint.c_str());
    ASSERT_TRUE(readOnly);

    EXPECT_EQ(status, 1);
    EXPECT_NE(err.str().find("1 of 3 cards not changed: " + mountPoint + "\n"), std::string::npos)
        << err.str();
    EXPECT_EQ(lockedAfter, CameraRecord(2));
    auto expected = CameraRecord(1);
    expected[64] = 2;
    expected[512] = 1;
    EXPECT_EQ(first.Read("setup.cfg"), expected);
    // The card without setup.cfg starts from its defaults as the window does: device values 0.
    expected = CameraRecord(4);
    for (const SettingsField& field : kSettingsFields) {
        if (field.role == FieldRole::DeviceOwned) {
            std::fill_n(expected.begin() + field.offset, field.width, 0);
        }
    }
    expected[64] = 2;
    expected[512] = 1;
    EXPECT_EQ(last.Read("setup.cfg"), expected);
}

// A change that the record's own size word would leave off the card is refused before
// anything is written; a card without any settings file fails too.
TEST_F(SetBatch, EachCardIsAllOrNothing) {
    auto shortRecord = CameraRecord(5);
    shortRecord[0] = 100, shortRecord[1] = 0; // size word 100
    const TempFolder& partial = NewCard(shortRecord);
    const TempFolder& whole = NewCard(CameraRecord(6));
    const TempFolder& empty = NewCard({});
    fs::remove(empty.File("setup.cfg"));

    EXPECT_EQ(Run({"set", PathOf(partial), PathOf(whole), PathOf(empty), "front_brightness=0",
                   "speed_unit=1"}),
              1);
    EXPECT_NE(err.str().find("only the first 100 bytes"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("2 of 3 cards not changed: " + PathOf(partial) + " " + PathOf(empty)),
              std::string::npos)
        << err.str();
    EXPECT_EQ(partial.Read("setup.cfg"), shortRecord);
    EXPECT_FALSE(empty.Exists("setup.cfg"));
    auto expected = CameraRecord(6);
    expected[64] = 0;
    expected[416] = 1;
    EXPECT_EQ(whole.Read("setup.cfg"), expected);

    EXPECT_EQ(Run({"set", "wdr=1"}), 2);       // no card
    EXPECT_EQ(Run({"set", PathOf(whole)}), 2); // nothing to set
}

} // namespace
} // namespace dashcam::test
