#include "xmlParser/CBase64Codec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const unsigned char* Bytes(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

TEST(Base64CodecTest, EncodesPaddedAndFormatted) {
    CBase64Codec codec;
    const struct {
        std::string bytes;
        const char* encoded;
    } cases[] = {{"", ""},        {"f", "Zg=="},        {"fo", "Zm8="},
                 {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {std::string("\0\xFF\xFE", 3), "AP/+"}};
    for (const auto& test : cases) {
        EXPECT_STREQ(test.encoded,
                     codec.Encode(Bytes(test.bytes), static_cast<int>(test.bytes.size()), false));
        EXPECT_LE(std::string(test.encoded).size() + 1,
                  static_cast<size_t>(
                      CBase64Codec::EncodeLength(static_cast<int>(test.bytes.size()), false)));
    }
    std::string block(54 * 2 + 1, 'x');
    std::string formatted = codec.Encode(Bytes(block), static_cast<int>(block.size()), true);
    EXPECT_EQ(std::string::npos, formatted.find('\n', 146));
    EXPECT_EQ('\n', formatted[72]);
    EXPECT_EQ('\n', formatted[145]);
    EXPECT_EQ(static_cast<size_t>(CBase64Codec::EncodeLength(109, true)), formatted.size() + 1);
}

TEST(Base64CodecTest, DecodesRoundTripsAndReportsDamage) {
    CBase64Codec codec;
    std::string bytes;
    for (int i = 0; i < 300; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    std::string encoded = codec.Encode(Bytes(bytes), static_cast<int>(bytes.size()), true);
    int length = 0;
    EXMLError error = xeNone;
    const unsigned char* decoded = codec.DecodeToBuffer(encoded.c_str(), &length, &error);
    ASSERT_NE(nullptr, decoded);
    EXPECT_EQ(xeNone, error);
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(decoded), length));

    const struct {
        const char* text;
        int size;
        EXMLError sizeError;
        EXMLError decodeError;
    } cases[] = {
        {"Zm9v Yg==", 4, xeNone, xeNone},
        {"Zm9vYg", 4, xeBase64DataSizeWarning, xeNone},
        {"Zm9vY", 3, xeBase64DataSizeWarning, xeBase64TruncatedWarning},
        {"Zm9*", 0, xeBase64BadCharacter, xeBase64BadCharacter},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(test.size, CBase64Codec::DecodeSize(test.text, &error)) << test.text;
        EXPECT_EQ(test.sizeError, error) << test.text;
        unsigned char buffer[8];
        CBase64Codec::Decode(test.text, buffer, sizeof(buffer), &error);
        EXPECT_EQ(test.decodeError, error) << test.text;
    }
    unsigned char small[2];
    EXPECT_FALSE(CBase64Codec::Decode("Zm9v", small, sizeof(small), &error));
    EXPECT_EQ(xeBase64BufferTooSmall, error);
}

} // namespace
