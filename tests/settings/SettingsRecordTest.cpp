#include <gtest/gtest.h>

#include "settings/SettingsRecord.h"

namespace dashcam {
namespace {

TEST(SettingsRecord, FieldsAreLittleEndianInPlaceAndLeaveNeighboursAlone) {
    SettingsRecord record;
    record.Bytes()[63] = 0xAA;
    record.Bytes()[68] = 0xBB;
    record.SetI32(64, -2);
    EXPECT_EQ(record.Bytes()[64], 0xFE);
    EXPECT_EQ(record.Bytes()[67], 0xFF);
    EXPECT_EQ(record.Bytes()[63], 0xAA);
    EXPECT_EQ(record.Bytes()[68], 0xBB);
    EXPECT_EQ(record.GetI32(64), -2);
    EXPECT_EQ(record.GetU32(64), 0xFFFFFFFEu);

    record.SetU16(48, 0x1234);
    EXPECT_EQ(record.Bytes()[48], 0x34);
    EXPECT_EQ(record.Bytes()[49], 0x12);
    EXPECT_EQ(record.Bytes()[50], 0x00);
}

TEST(SettingsRecord, TextFieldsEndAtNulOrFillTheirWidth) {
    SettingsRecord record;
    record.SetText(8, 16, "ABCDEFGHIJKLMNOP");
    record.Bytes()[24] = 'Z'; // the reserved byte after the name is no part of it
    EXPECT_EQ(record.GetText(8, 16), "ABCDEFGHIJKLMNOP");
    record.SetText(8, 16, "M40");
    EXPECT_EQ(record.GetText(8, 16), "M40");
    EXPECT_EQ(record.Bytes()[11], 0);
    EXPECT_EQ(record.Bytes()[23], 0);
}

TEST(SettingsRecord, FieldTableIsOrderedWithoutOverlapsInsideTheRecord) {
    std::size_t end = 0;
    for (const SettingsField& field : kSettingsFields) {
        EXPECT_GE(field.offset, end) << field.name;
        EXPECT_LE(field.offset + field.width, SettingsRecord::kSize) << field.name;
        end = field.offset + field.width;
        EXPECT_EQ(FindSettingsField(field.name), &field);
    }
    EXPECT_EQ(FindSettingsField("no_such_field"), nullptr);
    static_assert(OffsetOf("front_brightness") == 64);
    static_assert(OffsetOf("speed_stamp") == 512);
}

} // namespace
} // namespace dashcam
