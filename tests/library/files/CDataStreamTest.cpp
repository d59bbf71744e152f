#include "library/files/CDataStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST(CDataStreamTest, WritesAreLittleEndianAndAppendAtTheEnd) {
    CDataStream stream;
    stream.WriteBool(true);
    stream.WriteBool(false);
    stream.WriteInt(-2);
    stream.WriteUInt(0x01020304);
    stream.WriteDouble(1.0);
    stream.WriteString("AB", true);
    stream.WriteString("CD", false);
    stream.WriteCString("E", true);
    stream.WriteCString(nullptr, true);
    stream.WriteBytes("\x00\xFF", 2);
    EXPECT_EQ(stream.GetData(),
              Bytes({0x01, 0x00, 0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0xF0, 0x3F, 0x02, 0x00, 0x00, 0x00, 'A',  'B',  'C',  'D',
                     0x01, 0x00, 0x00, 0x00, 'E',  0x00, 0x00, 0x00, 0x00, 0x00, 0xFF}));

    uint32_t first;
    stream.Rewind();
    ASSERT_TRUE(stream.ReadUInt(first));
    stream.WriteBool(true);
    EXPECT_EQ(stream.GetData().back(), '\x01') << "a write goes to the end, not the read position";
    EXPECT_EQ(stream.GetPosition(), 4u);
}

TEST(CDataStreamTest, TypedValuesRoundTrip) {
    const double values[] = {0.0,       -0.0,  40300.578125,
                             -693959.0, 1e300, std::numeric_limits<double>::denorm_min()};
    CDataStream stream;
    for (double value : values) {
        stream.WriteDouble(value);
    }
    stream.WriteInt(INT32_MIN);
    stream.WriteInt(INT32_MAX);
    stream.WriteUInt(UINT32_MAX);
    stream.WriteString(std::string("a\0b", 3), true);

    CDataStream in;
    in.SetData(stream.GetData());
    for (double expected : values) {
        double value = 7;
        ASSERT_TRUE(in.ReadDouble(value));
        EXPECT_EQ(value, expected);
        EXPECT_EQ(std::signbit(value), std::signbit(expected));
    }
    int32_t low, high;
    uint32_t unsignedValue;
    std::string text;
    ASSERT_TRUE(in.ReadInt(low) && in.ReadInt(high) && in.ReadUInt(unsignedValue));
    EXPECT_EQ(low, INT32_MIN);
    EXPECT_EQ(high, INT32_MAX);
    EXPECT_EQ(unsignedValue, UINT32_MAX);
    ASSERT_TRUE(in.ReadString(text));
    EXPECT_EQ(text, std::string("a\0b", 3));
    EXPECT_EQ(in.GetPosition(), in.GetData().size());
}

TEST(CDataStreamTest, ShortReadsFailAndTakeWhatWasThere) {
    CDataStream stream;
    stream.SetData(Bytes({0x01, 0x02, 0x03}));
    int32_t value;
    EXPECT_FALSE(stream.ReadInt(value));
    EXPECT_EQ(stream.GetPosition(), 3u);
    EXPECT_EQ(value, 0x030201);
    EXPECT_FALSE(stream.ReadInt(value));
    EXPECT_EQ(stream.GetPosition(), 3u);

    stream.Rewind();
    double number;
    EXPECT_FALSE(stream.ReadDouble(number));
    EXPECT_EQ(stream.GetPosition(), 3u);

    stream.Rewind();
    char bytes[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_FALSE(stream.ReadBytes(bytes, 5));
    EXPECT_EQ(std::string(bytes, 5), Bytes({0x01, 0x02, 0x03, 'x', 'x'}));
    bool flag = false;
    EXPECT_FALSE(stream.ReadBool(flag));

    stream.SetData(Bytes({0x02}));
    EXPECT_EQ(stream.GetPosition(), 0u);
    EXPECT_TRUE(stream.ReadBool(flag));
    EXPECT_TRUE(flag) << "any byte but 0 reads as true";
}

TEST(CDataStreamTest, StringLengthsBeyondTheDataFail) {
    const struct {
        std::string data;
        int64_t length;
        bool ok;
        std::string text;
        uint32_t position;
    } cases[] = {
        {Bytes({0x02, 0x00, 0x00, 0x00, 'A', 'B'}), CDataStream::kStoredLength, true, "AB", 6},
        {Bytes({0x05, 0x00, 0x00, 0x00, 'A', 'B'}), CDataStream::kStoredLength, false, "AB", 6},
        // A damaged length near 4 GiB must not reserve memory for it.
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'A'}), CDataStream::kStoredLength, false, "A", 5},
        {Bytes({0x02, 0x00, 0x00}), CDataStream::kStoredLength, false, "", 3},
        {Bytes({0x00, 0x00, 0x00, 0x00}), CDataStream::kStoredLength, true, "", 4},
        {"ABC", 2, true, "AB", 2},
        {"ABC", 4, false, "ABC", 3},
        {"ABC", -5, false, "ABC", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.position);
        CDataStream stream;
        stream.SetData(c.data);
        std::string text = "previous";
        EXPECT_EQ(stream.ReadString(text, c.length), c.ok);
        if (c.ok) {
            EXPECT_EQ(text, c.text);
        }
        EXPECT_EQ(stream.GetPosition(), c.position);
    }
}

TEST(CDataStreamTest, ClearAndSetDataStartOver) {
    CDataStream stream;
    stream.WriteInt(5);
    uint32_t value;
    stream.ReadUInt(value);
    stream.Clear();
    EXPECT_EQ(stream.GetData(), "");
    EXPECT_EQ(stream.GetPosition(), 0u);
    EXPECT_FALSE(stream.ReadUInt(value));
}

} // namespace
