// What the operations assume, checked where it is assumed: a broken
// precondition, called here directly since no input reaches one, is a
// refusal naming it with nothing recorded; and a library call that does not
// report done is a refusal naming the export, never a value.
#include "card_messages.h"
#include "card_test_support.h"
#include "chain_steps.h"
#include "check_value.h"
#include "desfire.h"
#include "diversify.h"
#include "mac.h"
#include "messages.h"
#include "secure_channel.h"

#include <functional>

namespace card_tests {
namespace {

using namespace orvelin::card;
namespace msg = orvelin::card::messages;

BlockCipher Keyed(const CipherModel& cipher, std::size_t key_size) {
    return std::get<BlockCipher>(BlockCipher::Make(Library(), cipher, Bytes(key_size)));
}

TEST(Contracts, EachBrokenPreconditionIsRefusedByName) {
    const BlockCipher des = Keyed(kCardDes, 8);
    const BlockCipher tdes = Keyed(kCardTwoKeyTdes, 16);
    const BlockCipher aes = Keyed(kCardAes, 16);
    const std::string broken = "Precondition broken: ";
    const struct {
        const char* what;
        std::function<OrRefusal<Bytes>(CardResult&)> run;
        std::string message;
    } cases[] = {
        {"block of 7", [&](CardResult&) { return des.Encrypt(Bytes(7)); },
         broken + "EnOrDecrypt_DES takes one block of 8 bytes, not 7 bytes!"},
        {"block of 17", [&](CardResult&) { return aes.Decrypt(Bytes(17)); },
         broken + "AES_Decrypt takes one block of 16 bytes, not 17 bytes!"},
        {"CBC export, part of a block",
         [&](CardResult&) { return des.LibraryCbcEncrypt(Bytes(8), Bytes(12)); },
         broken + "EnOrDecrypt_DES_CBC takes an IV of one 8-byte block and whole blocks, not "
                  "8 bytes of IV and 12 bytes of data!"},
        {"CBC export, short IV",
         [&](CardResult&) { return aes.LibraryCbcEncrypt(Bytes(8), Bytes(16)); },
         broken + "AES_EncryptCBC takes an IV of one 16-byte block and whole blocks, not 8 "
                  "bytes of IV and 16 bytes of data!"},
        {"CBC export, over its limit",
         [&](CardResult&) { return aes.LibraryCbcEncrypt(Bytes(16), Bytes(65536)); },
         broken + "AES_EncryptCBC takes at most 65520 bytes, not 65536 bytes!"},
        {"CMAC export of single DES", [&](CardResult&) { return des.LibraryCmac(Bytes(8), {}); },
         std::string(msg::kNoCmacForDes)},
        {"CMAC export, long message",
         [&](CardResult&) { return tdes.LibraryCmac(Bytes(8), Bytes(513)); },
         broken + "TDES_CMAC takes an IV of 8 bytes and at most 512 bytes of message, not 8 "
                  "bytes and 513 bytes!"},
        {"CBC chain, part of a block",
         [&](CardResult& r) { return AppendCbcChain(des, Bytes(8), Bytes(12), r, "p"); },
         broken + "the CBC chain takes an IV of one 8-byte block and whole blocks, not 8 bytes "
                  "of IV and 12 bytes of data!"},
        {"CBC encryption, part of a block",
         [&](CardResult& r) { return AppendCbcEncrypt(aes, Bytes(16), Bytes(20), r, "p"); },
         broken + "CBC encryption through the block export takes an IV of one 16-byte block "
                  "and whole blocks, not 16 bytes of IV and 20 bytes of data!"},
        {"CBC decryption, no IV",
         [&](CardResult& r) { return AppendCbcDecrypt(tdes, {}, Bytes(16), r, "p"); },
         broken + "CBC decryption through the block export takes an IV of one 8-byte block and "
                  "whole blocks, not 0 bytes of IV and 16 bytes of data!"},
    };
    for (const auto& c : cases) {
        CardResult result;
        const auto outcome = c.run(result);
        ASSERT_TRUE(RefusalIn(outcome)) << c.what;
        EXPECT_EQ(RefusalIn(outcome)->message, c.message) << c.what;
        EXPECT_TRUE(result.steps.empty()) << c.what;
    }
}

// A key that starts with 0xF0 plus an export's place in the header's list
// makes the failing build's export fail; each export the operations call,
// reached through one operation.
Bytes Trigger(std::uint8_t place, std::size_t size) {
    Bytes key(size, 0x11);
    key[0] = static_cast<std::uint8_t>(0xF0 + place);
    return key;
}

TEST(LibraryResults, AnExportThatIsNotDoneIsARefusalNamingIt) {
    const auto kcv = [](const CipherModel& cipher, std::uint8_t place, std::size_t key_size,
                        KcvMethod method = KcvMethod::zero_block) {
        return [=](const orvelin::TavikAlgBinding& library) {
            const Bytes key = Trigger(place, key_size);
            return KeyCheckValue(library, {.cipher = cipher, .key = key, .method = method});
        };
    };
    const auto diversify = [](const CipherModel& cipher, std::uint8_t place, std::size_t key_size) {
        return [=](const orvelin::TavikAlgBinding& library) {
            const Bytes key = Trigger(place, key_size), m(15, 0x42);
            return DiversifyKey(library, {.cipher = cipher, .master_key = key, .input = m});
        };
    };
    const struct {
        std::function<CardOutcome(const orvelin::TavikAlgBinding&)> run;
        const char* export_name;
    } cases[] = {
        {kcv(kCardDes, 1, 8), "EnOrDecrypt_DES"},
        {kcv(kCardTwoKeyTdes, 2, 16), "EnOrDecrypt_3DES"},
        {kcv(kCardThreeKeyTdes, 3, 24), "EnOrDecrypt_3DES_3KEY"},
        {kcv(kCardDes, 4, 8), "EnOrDecrypt_DES_CBC"},
        {kcv(kCardTwoKeyTdes, 5, 16), "EnOrDecrypt_3DES_CBC"},
        {kcv(kCardThreeKeyTdes, 6, 24), "EnOrDecrypt_3DES_3KEY_CBC"},
        {diversify(kCardTwoKeyTdes, 7, 16), "TDES_CMAC"},
        {diversify(kCardThreeKeyTdes, 8, 24), "TDES_3KEY_CMAC"},
        {kcv(kCardAes, 9, 16), "AES_ExpandKey"},
        {kcv(kCardAes, 10, 16), "AES_Encrypt"},
        {[](const orvelin::TavikAlgBinding& library) {
             const Bytes key = Trigger(11, 16), ti(4);
             const DesfireChannel channel{.key = key, .ti = ti};
             const CardResult sent = Done(DesfireEncrypt(Library(), channel, {}));
             return DesfireDecrypt(library, channel, sent.values.at(0).bytes);
         },
         "AES_Decrypt"},
        {kcv(kCardAes, 12, 16), "AES_EncryptCBC"},
        {kcv(kCardAes, 14, 16, KcvMethod::cmac_empty), "AES_CMAC"},
    };
    for (const auto& c : cases) {
        const CardOutcome failed = c.run(FailingLibrary());
        EXPECT_EQ(RefusalOf(failed), orvelin::messages::ExportResult(c.export_name, -5));
        // Refused after steps, except where the key itself was refused.
        const auto* refusal = std::get_if<CardRefusal>(&failed);
        ASSERT_NE(refusal, nullptr) << c.export_name;
        EXPECT_EQ(refusal->steps.empty(), std::string_view(c.export_name) == "AES_ExpandKey")
            << c.export_name;
        // The same call through the real library is done.
        Done(c.run(Library()));
    }
}

} // namespace
} // namespace card_tests
