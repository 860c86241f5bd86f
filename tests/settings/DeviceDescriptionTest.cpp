#include <gtest/gtest.h>

#include "platform/linux/PosixFileAccess.h"
#include "settings/DeviceDescription.h"
#include "settings/LanguageCatalogue.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

using Texts = std::vector<std::u16string>;

struct DeviceDescriptionTest : ::testing::Test {
    DeviceDescription Load(const std::string& text) {
        card.WriteText("lang/ver.dat", text);
        DeviceDescription d;
        LoadDeviceDescription(files, card.File("lang/ver.dat"), d);
        return d;
    }
    test::TempFolder card;
    PosixFileAccess files;
};

TEST_F(DeviceDescriptionTest, ReadsKeysThatFollowTheFirstCharacter) {
    const auto d =
        Load(" Ver : 1.02\r\n Pack Name : ENG\r\n\r\n Code : en fr es\r\n Device : M40 2CH\r\n");
    EXPECT_EQ(d.version, u"1.02");
    EXPECT_EQ(d.packName, u"ENG");
    EXPECT_EQ(d.codes, (Texts{u"en", u"fr", u"es"}));
    EXPECT_EQ(d.names, (Texts{u"English", u"French", u"Spanish"}));
    EXPECT_EQ(d.device, u"M40 2CH");

    const auto none = Load("Ver : 1.02\r\nPack Name : ENG\r\nCode : en fr es\r\nDevice : M40\r\n");
    EXPECT_TRUE(none.version.empty() && none.packName.empty() && none.codes.empty() &&
                none.device.empty());
}

TEST_F(DeviceDescriptionTest, ValueIsTheSecondColonPieceAndVerIsTriedFirst) {
    EXPECT_EQ(Load(" Ver : 1.0:beta\r\n").version, u"1.0");
    EXPECT_EQ(Load(" Ver ::: 2.0\r\n").version, u"2.0");
    EXPECT_EQ(Load(" Ver without colon\r\n").version, u"");
    // "Ver" inside the value of a device line makes it a version line.
    const auto d = Load(" Device : Version X\r\n");
    EXPECT_EQ(d.version, u"Version X");
    EXPECT_EQ(d.device, u"");
}

TEST_F(DeviceDescriptionTest, OnlyTheFirstCodeLineCountsAndUnknownCodesKeepTheirIndex) {
    const auto d = Load("#Code : en  xx\tyy fr\n#Code : de\n");
    EXPECT_EQ(d.codes, (Texts{u"en", u"xx\tyy", u"fr"}));
    EXPECT_EQ(d.names, (Texts{u"English", u"French"}));
    EXPECT_EQ(d.nameCodeIndex, (std::vector<std::size_t>{0, 2}));
}

TEST_F(DeviceDescriptionTest, MissingFileLeavesItEmptyAndAHugeOneIsReadOnlyToItsCap) {
    DeviceDescription d;
    LoadDeviceDescription(files, card.File("lang/ver.dat"), d);
    EXPECT_TRUE(d.codes.empty() && d.names.empty() && d.version.empty());

    const auto huge = Load(" Ver : 1.02\r\n" + std::string(5 * 1024 * 1024, 'x') +
                           "\r\n Device : beyond the cap\r\n");
    EXPECT_EQ(huge.version, u"1.02");
    EXPECT_EQ(huge.device, u"");
}

TEST_F(DeviceDescriptionTest, GarbageLongLinesAndAMissingLineEndStayHarmless) {
    // Every byte value, NULs and lone line ends included, then a proper code line.
    std::string garbage;
    for (int round = 0; round < 4; ++round) {
        for (int b = 0; b < 256; ++b) {
            garbage += char(b * 7 + round);
        }
    }
    const auto d = Load(garbage + "\r\n Code : en fr\r\n");
    EXPECT_EQ(d.codes, (Texts{u"en", u"fr"}));
    EXPECT_EQ(d.names, (Texts{u"English", u"French"}));
    EXPECT_EQ(d.nameCodeIndex, (std::vector<std::size_t>{0, 1}));

    // The last line counts without a line end; a 1 MB line before it is skipped over.
    const auto longLine = Load(std::string(1 << 20, 'x') + "\n Code : ko en");
    EXPECT_EQ(longLine.codes, (Texts{u"ko", u"en"}));
    EXPECT_EQ(longLine.names, (Texts{u"Korean", u"English"}));

    // Pure binary: whatever it yields, every name belongs to the code it stands for.
    const auto binary = Load(garbage);
    ASSERT_EQ(binary.names.size(), binary.nameCodeIndex.size());
    for (std::size_t i = 0; i < binary.names.size(); ++i) {
        ASSERT_LT(binary.nameCodeIndex[i], binary.codes.size());
        EXPECT_EQ(binary.names[i],
                  LanguageCatalogue::NameOf(binary.codes[binary.nameCodeIndex[i]]));
    }
}

TEST(LanguageCatalogueTest, CodesAreUniqueAndNamesExactlyAsTheCameraLists) {
    const auto entries = LanguageCatalogue::Entries();
    EXPECT_EQ(entries.size(), 163u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        for (std::size_t j = i + 1; j < entries.size(); ++j) {
            EXPECT_NE(entries[i].code, entries[j].code);
        }
    }
    EXPECT_EQ(entries.front().code, u"ab");
    EXPECT_EQ(entries.back().code, u"zu");
    EXPECT_EQ(LanguageCatalogue::NameOf(u"zh-Hant-HK"), u"Hong Kong Chinese in traditional script");
    EXPECT_EQ(LanguageCatalogue::NameOf(u"ZH-HANT-HK"), u"");
    EXPECT_EQ(LanguageCatalogue::NameOf(u" in"), u"Indonesian");
    EXPECT_EQ(LanguageCatalogue::NameOf(u"vo"), u"Volap?k");
    EXPECT_EQ(LanguageCatalogue::NameOf(u"iw"), u"Hebrew");
}

} // namespace
} // namespace dashcam
