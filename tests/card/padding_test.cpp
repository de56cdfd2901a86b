// ISO/IEC 9797-1 padding: each method at the block boundaries and on empty
// data, removal as the inverse, and every refusal of removal.
#include "card_messages.h"
#include "card_test_support.h"
#include "padding.h"

namespace card_tests {
namespace {

using orvelin::card::Pad;
using orvelin::card::PaddingMethod;
using orvelin::card::Unpad;
using testing_support::from_hex;
namespace msg = orvelin::card::messages;

struct PaddingCase {
    PaddingMethod method;
    std::size_t block;
    const char* data;
    const char* padded;
};

// The methods' definitions (ISO/IEC 9797-1:2011, 6.3.2 to 6.3.4) applied by hand.
TEST(Padding, EachMethodAtTheBoundaries) {
    const PaddingCase cases[] = {
        {PaddingMethod::zeros, 8, "", "0000000000000000"},
        {PaddingMethod::zeros, 8, "01020304050607", "0102030405060700"},
        {PaddingMethod::zeros, 8, "0102030405060708", "0102030405060708"},
        {PaddingMethod::zeros, 16, "AA", "AA000000000000000000000000000000"},
        {PaddingMethod::mark_then_zeros, 8, "", "8000000000000000"},
        {PaddingMethod::mark_then_zeros, 8, "01020304050607", "0102030405060780"},
        {PaddingMethod::mark_then_zeros, 8, "0102030405060708", "01020304050607088000000000000000"},
        {PaddingMethod::mark_then_zeros, 16, "AA", "AA800000000000000000000000000000"},
        {PaddingMethod::length_block, 8, "", "0000000000000000"},
        {PaddingMethod::length_block, 8, "AA", "0000000000000008AA00000000000000"},
        {PaddingMethod::length_block, 8, "0102030405060708", "00000000000000400102030405060708"},
        {PaddingMethod::length_block, 16, "0102030405060708090A0B0C0D0E0F1011",
         "00000000000000000000000000000088"
         "0102030405060708090A0B0C0D0E0F10"
         "11000000000000000000000000000000"},
    };
    for (const auto& c : cases) {
        const Bytes data = from_hex(c.data);
        const CardResult& padded = Done(Pad(data, c.method, c.block));
        ASSERT_EQ(padded.values.size(), 1U);
        EXPECT_EQ(padded.values[0].bytes, from_hex(c.padded)) << c.data;
        if (c.method != PaddingMethod::zeros) {
            const CardResult& unpadded = Done(Unpad(padded.values[0].bytes, c.method, c.block));
            ASSERT_EQ(unpadded.values.size(), 1U);
            EXPECT_EQ(unpadded.values[0].bytes, data) << c.padded;
        }
    }
}

TEST(Padding, RemovalInvertsPaddingForEveryShortLength) {
    for (const auto method : {PaddingMethod::mark_then_zeros, PaddingMethod::length_block}) {
        for (const std::size_t block : {8U, 16U}) {
            for (std::size_t size = 0; size <= 2 * block + 1; ++size) {
                const Bytes data(size, 0x00); // zeros: the hardest data to tell from padding
                const Bytes padded = Done(Pad(data, method, block)).values.at(0).bytes;
                EXPECT_EQ(padded.size() % block, 0U);
                EXPECT_EQ(Done(Unpad(padded, method, block)).values.at(0).bytes, data) << size;
            }
        }
    }
}

TEST(Padding, RefusesWhatIsNotValidlyPadded) {
    struct Refused {
        PaddingMethod method;
        std::size_t block;
        const char* padded;
        std::string message;
    };
    const Refused cases[] = {
        {PaddingMethod::zeros, 8, "0102030405060700", std::string(msg::kUnpadMethod1)},
        {PaddingMethod::mark_then_zeros, 8, "", std::string(msg::kUnpadWholeBlocks)},
        {PaddingMethod::mark_then_zeros, 8, "01028000", std::string(msg::kUnpadWholeBlocks)},
        {PaddingMethod::mark_then_zeros, 8, "0102030405060708", std::string(msg::kUnpadNoMark)},
        {PaddingMethod::mark_then_zeros, 8, "80000000000000000000000000000000",
         std::string(msg::kUnpadNoMark)},
        {PaddingMethod::mark_then_zeros, 8, "0102030480000001", std::string(msg::kUnpadAfterMark)},
        {PaddingMethod::length_block, 8, "0000000000000048AA00000000000000",
         std::string(msg::kUnpadLengthDisagrees)},
        {PaddingMethod::length_block, 8, "0000000000000009AA00000000000000",
         std::string(msg::kUnpadLengthDisagrees)},
        {PaddingMethod::length_block, 8, "FF00000000000008AA00000000000000",
         std::string(msg::kUnpadLengthDisagrees)},
        {PaddingMethod::length_block, 8, "0000000000000008AA00000000000001",
         std::string(msg::kUnpadNonZeroFill)},
        {PaddingMethod::mark_then_zeros, 12, "0102030405060780", std::string(msg::kBlockSize)},
        {static_cast<PaddingMethod>(4), 8, "0102030405060780",
         std::string(msg::kUnknownPaddingMethod)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RefusalOf(Unpad(from_hex(c.padded), c.method, c.block)), c.message) << c.padded;
    }
    EXPECT_EQ(RefusalOf(Pad(Bytes(orvelin::card::kMaxCardData + 1), PaddingMethod::zeros)),
              msg::DataTooLong(orvelin::card::kMaxCardData));
    EXPECT_EQ(RefusalOf(Pad(Bytes(3), PaddingMethod::zeros, 0)), msg::kBlockSize);
}

} // namespace
} // namespace card_tests
