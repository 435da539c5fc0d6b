#include "property_record.h"

#include "exceptions.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace {

using namespace std::string_literals;

// A target with one property of every kind that remembers what it was given.
class RecordingTarget final : public PropertyTarget {
public:
    PropertyKind KindOf(std::string_view name) const override
    {
        const auto found = kinds.find(std::string(name));
        if (found == kinds.end())
            ThrowUnknownProperty(name);
        return found->second;
    }
    void SetProperty(std::string_view name, const PropertyValue& value) override
    {
        applied.emplace_back(std::string(name), value);
    }

    std::map<std::string, PropertyKind> kinds {
        { "Width", PropertyKind::Integer },
        { "Visible", PropertyKind::Boolean },
        { "TextUnit", PropertyKind::Byte },
        { "Title", PropertyKind::String },
        { "BackColor", PropertyKind::Color },
        { "TextSize", PropertyKind::Single },
    };
    PropertyEntries applied;
};

std::string EveryKindRecord()
{
    return PropertyRecord()
        .Int("Width", -685)
        .Bool("Visible", true)
        .Byte("TextUnit", 7)
        .Str("Title", "Varno \xC3\xA9 Exam")
        .Colour("BackColor", Color { 255, 128, 1, 0 })
        .Size("TextSize", 10.833333f)
        .Bytes();
}

} // namespace

TEST(PropertyRecord, TimerRecordIsTheTwentyEightBytesOfTheLayout)
{
    const std::string record = PropertyRecord().Int("Mode", 2).Int("Period", 1000).Bytes();
    EXPECT_EQ(record,
        "Mode \x02\x00\x00\x00\x00\x00\x00\x00"s
        "Period \xE8\x03\x00\x00\x00\x00\x00\x00"s);
    EXPECT_EQ(record.size(), 28u);
}

TEST(PropertyRecord, StringEntryIsLengthThenBytes)
{
    EXPECT_EQ(PropertyRecord().Str("Caption", "Back").Bytes(),
        "Caption \x04\x00\x00\x00"s
        "Back");
}

TEST(PropertyRecord, ValuesAreLittleEndianWhateverTheHost)
{
    EXPECT_EQ(PropertyRecord().Int("Index", -2147483648LL).Bytes(),
        "Index \x00\x00\x00\x80\xFF\xFF\xFF\xFF"s);
    EXPECT_EQ(PropertyRecord().Size("TextSize", 12.0f).Bytes(), "TextSize \x00\x00\x40\x41"s);
    EXPECT_EQ(PropertyRecord().Colour("BackColor", kWhite).Bytes(), "BackColor \xFF\xFF\xFF\x00"s);
    EXPECT_EQ(PropertyRecord().Bool("Visible", true).Byte("TextUnit", 0).Bytes(),
        "Visible \x01TextUnit \x00"s);
}

TEST(PropertyRecord, ParsesBackEveryKindExactly)
{
    RecordingTarget target;
    const PropertyEntries entries = ParsePropertyRecord(EveryKindRecord(), target);
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0].first, "Width");
    EXPECT_EQ(std::get<Integer>(entries[0].second), -685);
    EXPECT_EQ(std::get<bool>(entries[1].second), true);
    EXPECT_EQ(std::get<std::uint8_t>(entries[2].second), 7);
    EXPECT_EQ(std::get<std::string>(entries[3].second), "Varno \xC3\xA9 Exam");
    EXPECT_EQ(std::get<Color>(entries[4].second), (Color { 255, 128, 1, 0 }));
    EXPECT_EQ(std::get<Single>(entries[5].second), 10.833333f);
    EXPECT_TRUE(target.applied.empty()) << "parsing applies nothing";
}

TEST(PropertyRecord, ApplyGivesEntriesInRecordOrder)
{
    RecordingTarget target;
    ApplyPropertyRecord(target, EveryKindRecord());
    ASSERT_EQ(target.applied.size(), 6u);
    EXPECT_EQ(target.applied.front().first, "Width");
    EXPECT_EQ(target.applied.back().first, "TextSize");
}

TEST(PropertyRecord, EmptyRecordHasNoEntries)
{
    RecordingTarget target;
    EXPECT_TRUE(ParsePropertyRecord("", target).empty());
}

TEST(PropertyRecord, MalformedRecordsRaiseOutOfBoundsAfterApplyingTheEarlierEntries)
{
    const std::string good = PropertyRecord().Int("Width", 5).Bytes();
    struct Case {
        const char* what;
        std::string tail;
    };
    const std::vector<Case> cases {
        { "value cut short", "Visible "s },
        { "integer cut short", "Width \x01\x02\x03"s },
        { "name without its space", "Width"s },
        { "unknown name", "Colour \x01"s },
        { "empty name", " \x01"s },
        { "string longer than the record",
            "Title \x05\x00\x00\x00"
            "abc"s },
        { "string length near 4 GB",
            "Title \xFF\xFF\xFF\xFF"
            "abc"s },
        { "length cut short", "Title \x05\x00"s },
        { "colour cut short", "BackColor \x01\x02\x03"s },
        { "single cut short", "TextSize \x00\x00"s },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingTarget target;
        EXPECT_THROW(ApplyPropertyRecord(target, good + c.tail), OutOfBoundsException);
        ASSERT_EQ(target.applied.size(), 1u);
        EXPECT_EQ(std::get<Integer>(target.applied[0].second), 5);
        EXPECT_THROW(ParsePropertyRecord(good + c.tail, target), OutOfBoundsException);
    }
}

TEST(PropertyRecord, EveryPrefixEitherParsesOrRaisesOutOfBounds)
{
    const std::string record = EveryKindRecord();
    RecordingTarget target;
    std::size_t parsed = 0;
    for (std::size_t length = 0; length <= record.size(); ++length) {
        try {
            ParsePropertyRecord(std::string_view(record).substr(0, length), target);
            ++parsed;
        } catch (const OutOfBoundsException&) {
        }
    }
    // Only the whole record and the entry boundaries (including empty) parse.
    EXPECT_EQ(parsed, 7u);
}

TEST(PropertyRecord, RandomlyDamagedRecordsOnlyEverRaiseOutOfBounds)
{
    const std::string record = EveryKindRecord();
    std::mt19937 random(20240601);
    for (int round = 0; round < 5000; ++round) {
        std::string damaged = record;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i)
            damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
        damaged.resize(random() % (damaged.size() + 1));
        RecordingTarget target;
        try {
            ApplyPropertyRecord(target, damaged);
        } catch (const OutOfBoundsException&) {
        }
    }
}

TEST(PropertyValue, WrongKindRaisesOutOfBounds)
{
    EXPECT_THROW(IntegerValue(PropertyValue(true)), OutOfBoundsException);
    EXPECT_THROW(StringValue(PropertyValue(Integer { 3 })), OutOfBoundsException);
    EXPECT_EQ(SingleValue(PropertyValue(Single { 1.5f })), 1.5f);
}
