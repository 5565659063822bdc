#include "base/text.h"
#include "base/trace.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(TextTest, FieldsAreReadAsLatin1WithinTheirSize) {
    // A full 22-byte name without a terminator, followed by bytes that must not show.
    char record[26];
    std::memset(record, 'A', 22);
    std::memcpy(record + 22, "XYZ", 4);
    EXPECT_EQ(platform::FromLatin1Field(record, 22), QString(22, QChar('A')));

    const char latin[] = "Caf\xE9 \xA9";
    EXPECT_EQ(platform::FromLatin1Field(latin, sizeof latin), QString::fromUtf8("Café ©"));
    EXPECT_EQ(platform::FromLatin1Field(static_cast<const char*>(nullptr), 5), QString());
}

TEST(TextTest, ConversionBackIsBoundedAndMarksForeignCharacters) {
    EXPECT_EQ(platform::ToLatin1(QString::fromUtf8("é€x")), std::string("\xE9?x"));

    char field[6];
    std::memset(field, 'Z', sizeof field);
    EXPECT_EQ(platform::ToLatin1Field(QStringLiteral("ABCDEFGH"), field, sizeof field), 5u);
    EXPECT_STREQ(field, "ABCDE");
    EXPECT_EQ(platform::ToLatin1Field(QStringLiteral("A"), field, sizeof field), 1u);
    EXPECT_EQ(std::memcmp(field, "A\0\0\0\0\0", 6), 0);
    EXPECT_EQ(platform::ToLatin1Field(QStringLiteral("A"), field, 0), 0u);
}

TEST(TextTest, LeadBytePredicateIsInjectable) {
    EXPECT_FALSE(platform::IsDBCSLeadByte(0x81));
    platform::SetLeadBytePredicate([](unsigned char b) { return b >= 0x81 && b <= 0xFE; });
    EXPECT_TRUE(platform::IsDBCSLeadByte(0x81));
    platform::SetLeadBytePredicate(nullptr);
    EXPECT_FALSE(platform::IsDBCSLeadByte(0x81));
}

TEST(TraceTest, AssertionsAreRecordedAndNeverAbort) {
    platform::TakeTraces();
    TRACE("row %d", 5);
    ASSERT(1 + 1 == 3);
    ASSERT(true);
    EXPECT_EQ(platform::FailedAssertionCount(), 1);
    auto records = platform::TakeTraces();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].text, "row 5");
    EXPECT_TRUE(records[1].assertion);
    EXPECT_EQ(platform::FailedAssertionCount(), 0);
}

} // namespace
