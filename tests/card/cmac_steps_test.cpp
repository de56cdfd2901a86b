// The step-by-step CMAC that other operations build on: against OpenSSL at
// the block boundaries for each cipher, chained from an IV as the library's
// exports chain it, and its refusals.
#include "card_messages.h"
#include "card_test_support.h"
#include "cmac_steps.h"
#include "random_bytes.h"

namespace card_tests {
namespace {

using orvelin::card::AppendCmac;
using orvelin::card::BlockCipher;
namespace msg = orvelin::card::messages;

BlockCipher Keyed(const orvelin::TavikAlgBinding& library, const CipherModel& cipher,
                  const Bytes& key) {
    return std::get<BlockCipher>(BlockCipher::Make(library, cipher, key));
}

TEST(CmacSteps, AgreeWithOpenSslAtTheBlockBoundaries) {
    testing_support::RandomBytes random;
    for (const auto& [cipher, key_size, block] :
         {std::tuple{orvelin::card::kCardTwoKeyTdes, std::size_t{16}, std::size_t{8}},
          std::tuple{orvelin::card::kCardThreeKeyTdes, std::size_t{24}, std::size_t{8}},
          std::tuple{orvelin::card::kCardAes, std::size_t{16}, std::size_t{16}}}) {
        const Bytes key = random(key_size);
        for (const std::size_t size : {std::size_t{0}, block - 1, block, block + 1, 4 * block}) {
            const Bytes message = random(size);
            CardResult result;
            const auto mac =
                AppendCmac(Keyed(Library(), cipher, key), Bytes(block), message, result);
            EXPECT_EQ(std::get<Bytes>(mac), OpenSslCmac(cipher, key, message)) << size;
            EXPECT_EQ(StepNamed(result, "MAC"), std::get<Bytes>(mac));
            EXPECT_FALSE(result.check_failure);
        }
    }
}

// A chain from an IV is the CMAC of the message with the IV XORed into its
// first block, when that block is whole and not the last.
TEST(CmacSteps, ChainFromAnIvAndPrefixedLabels) {
    testing_support::RandomBytes random;
    const Bytes key = random(16), iv = random(16), message = random(40);
    Bytes shifted = message;
    for (std::size_t i = 0; i < iv.size(); ++i) {
        shifted[i] ^= iv[i];
    }
    CardResult result;
    const auto mac =
        AppendCmac(Keyed(Library(), orvelin::card::kCardAes, key), iv, message, result, "run");
    EXPECT_EQ(std::get<Bytes>(mac), OpenSslCmac(orvelin::card::kCardAes, key, shifted));
    EXPECT_EQ(StepNamed(result, "run IV"), iv);
    EXPECT_EQ(StepNamed(result, "run last padded").size(), 16U);
}

TEST(CmacSteps, RefusalsLeaveTheResultUntouched) {
    CardResult result;
    const Bytes k8(8), k16(16);
    const auto des =
        AppendCmac(Keyed(Library(), orvelin::card::kCardDes, k8), Bytes(8), {}, result);
    EXPECT_EQ(std::get<orvelin::card::CardRefusal>(des).message, msg::kNoCmacForDes);
    const BlockCipher tdes = Keyed(Library(), orvelin::card::kCardTwoKeyTdes, k16);
    EXPECT_EQ(std::get<orvelin::card::CardRefusal>(AppendCmac(tdes, Bytes(16), {}, result)).message,
              msg::IvLength(8));
    EXPECT_EQ(std::get<orvelin::card::CardRefusal>(AppendCmac(tdes, Bytes(8), Bytes(513), result))
                  .message,
              msg::DataTooLong(512));
    EXPECT_TRUE(result.steps.empty());
}

} // namespace
} // namespace card_tests
