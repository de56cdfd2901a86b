// ISO/IEC 9797-1 padding and MACs, CRC_B, key check values and AN10922
// diversification, as tavik offers them.
#include "card_messages.h"
#include "check_value.h"
#include "checksums.h"
#include "diversify.h"
#include "field_reading.h"
#include "mac.h"
#include "operation_families.h"
#include "operation_inputs.h"
#include "padding.h"

namespace orvelin::card {
namespace {

constexpr FieldSpec kKey{.label = orvelin::messages::kSessionKeyLabel};
constexpr FieldSpec kIv{.label = orvelin::messages::kIvLabel};
constexpr FieldSpec kData{.label = orvelin::messages::kDataInLabel, .capacity = kLongestMessage};
constexpr FieldSpec kCardData{.label = orvelin::messages::kDataInLabel, .capacity = kMaxCardData};
// Padded data: the longest data with method 3's length block and a block of fill.
constexpr FieldSpec kPaddedData{.label = orvelin::messages::kDataInLabel,
                                .capacity = kMaxCardData + 2 * kMaxBlockSize};

constexpr std::string_view kLength = "--length";

OperationInput PaddingMethodInput(std::string_view option) {
    return WordInput(option, "Padding method",
                     WordHelp("ISO/IEC 9797-1 padding method", WordsOf(PaddingMethodWords())),
                     WordsOf(PaddingMethodWords()));
}

OperationInput CipherInput(std::string_view lead, const std::function<bool(Cipher)>& offered) {
    const std::vector<InputWord> words = WordsOf(CipherWords(), offered);
    return WordInput("--cipher", "Cipher", WordHelp(lead, words), words);
}

bool EveryCipher(Cipher) {
    return true;
}

bool HasCmac(Cipher cipher) {
    return CipherModel{cipher}.CmacExport().has_value();
}

// pad and unpad: --method, --block, DATA.
struct PadAt {
    enum : std::size_t { method, block, data };
};

std::vector<OperationInput> PaddingInputs(const FieldSpec& data) {
    const std::vector<InputWord> blocks = WordsOf(PaddingBlockWords());
    return {PaddingMethodInput("--method"),
            WordInput("--block", "Block size",
                      WordHelp("The block size in bytes (default 8)", blocks), blocks, "8"),
            HexInput("DATA", "Data", kDataHelp, data)};
}

template <bool kPad>
CardOutcome RunPadding(const TavikAlgBinding* /*library*/, RunInputs in) {
    const PaddingMethod method = WordValue(PaddingMethodWords(), in[PadAt::method]).value();
    const std::size_t block = WordValue(PaddingBlockWords(), in[PadAt::block]).value();
    return kPad ? Pad(in[PadAt::data].bytes, method, block)
                : Unpad(in[PadAt::data].bytes, method, block);
}

constexpr std::string_view kPaddingMethods =
    "Method 1 appends as few 00 bytes as reach a whole block (none when the data fills its "
    "blocks); method 2 appends 80 and then 00 bytes, always at least the 80; method 3 puts "
    "first a block holding the data's length in bits (big-endian) and pads the data with 00 "
    "bytes. Empty data, as the standard says: method 1 gives one block of 00 bytes, method 2 "
    "80 00 .. 00, method 3 the length block of zeros alone.";

std::string PaddingDetails(bool pad) {
    return (pad ? "Pads DATA (up to " + std::to_string(kMaxCardData) +
                      " bytes) to whole blocks of --block bytes. "
                : std::string("Removes the padding of --method from DATA and prints the data. "
                              "Refused, never guessed: method 1 (its 00 bytes cannot be told "
                              "from data), data that is not whole blocks, and padding that is "
                              "not exactly the method's. ")) +
           std::string(kPaddingMethods) +
           " With --trace the steps (the length block, the bytes added or removed) come first. "
           "No library is loaded.";
}

CardOperation PadOperation(bool pad) {
    return {.family = "ISO/IEC 9797-1",
            .title = pad ? "ISO/IEC 9797-1 padding" : "ISO/IEC 9797-1 padding removed",
            .command = {pad ? "pad" : "unpad"},
            .fixed = {},
            .summary = pad ? "Pad DATA by ISO/IEC 9797-1 method 1, 2 or 3"
                           : "Remove ISO/IEC 9797-1 padding method 2 or 3 from DATA",
            .details = PaddingDetails(pad),
            .inputs = PaddingInputs(pad ? kCardData : kPaddedData),
            .traced = true,
            .uses_library = false,
            .run = pad ? RunPadding<true> : RunPadding<false>};
}

struct MacAt {
    enum : std::size_t { algorithm, cipher, padding, key, iv, length, data };
};

// Single DES reads the first 8 bytes of a longer key, as everywhere in tavik.
std::span<const std::uint8_t> MacKey(std::optional<Cipher> cipher, const Bytes& key) {
    const std::size_t des_key = CipherModel{Cipher::des}.key_size();
    if (cipher == Cipher::des && key.size() > des_key) {
        return std::span(key).first(des_key);
    }
    return key;
}

CardOutcome RunMac(const TavikAlgBinding* library, RunInputs in) {
    const MacAlgorithm algorithm = WordValue(MacAlgorithmWords(), in[MacAt::algorithm]).value();
    const std::optional<Cipher> cipher = WordValue(CipherWords(), in[MacAt::cipher]);
    if (algorithm == MacAlgorithm::cbc_mac && !cipher) {
        return UsageRefusal("MAC algorithm 1 needs --cipher.");
    }
    if (algorithm == MacAlgorithm::retail && cipher) {
        return UsageRefusal(std::string(messages::kRetailTakesNoCipher));
    }
    const auto length = LengthValue(kLength, in[MacAt::length]);
    if (const CardRefusal* refusal = RefusalIn(length)) {
        return *refusal;
    }
    std::optional<CipherModel> model;
    if (cipher) {
        model = CipherModel{.cipher = *cipher};
    }
    return Mac(*library, {.algorithm = algorithm,
                          .cipher = model,
                          .padding = WordValue(PaddingMethodWords(), in[MacAt::padding]).value(),
                          .key = MacKey(cipher, in[MacAt::key].bytes),
                          .iv = in[MacAt::iv].bytes,
                          .data = in[MacAt::data].bytes,
                          .length = std::get<std::optional<std::size_t>>(length)});
}

CardOperation MacOperation() {
    OperationInput cipher = CipherInput("The cipher", EveryCipher);
    cipher.required = false;
    return {
        .family = "ISO/IEC 9797-1",
        .title = "ISO/IEC 9797-1 MAC",
        .command = {"mac"},
        .fixed = {},
        .summary = "ISO/IEC 9797-1 MAC algorithm 1 (CBC-MAC) or 3 (retail MAC) of DATA",
        .details =
            "The MAC of DATA (up to " + std::to_string(kMaxCardData) +
            " bytes) padded by --padding, chained from --iv (zeros when not given). Algorithm 1: "
            "CBC-MAC under --cipher, which it needs. Algorithm 3: single DES chained under K, "
            "the last block decrypted under K' and encrypted under K again, --key 16 bytes "
            "K|K'; it takes no --cipher. --length N keeps the leftmost N bytes, 4 to the block "
            "size (default the whole block). With --trace the padded data, each block's "
            "chaining and the final steps come first, then 'check: equals' and the exports "
            "whose answer they match.",
        .inputs = {WordInput("--algorithm", "MAC algorithm",
                             WordHelp("ISO/IEC 9797-1 MAC algorithm", WordsOf(MacAlgorithmWords())),
                             WordsOf(MacAlgorithmWords())),
                   std::move(cipher), PaddingMethodInput("--padding"),
                   HexInput("--key", "Key", kKeyHelp, kKey),
                   HexInput("--iv", "IV", "The IV in hex, one block: zeros when not given", kIv,
                            false),
                   DigitsInput(kLength, "MAC length", "Keep the leftmost N bytes of the MAC", "N",
                               false),
                   HexInput("DATA", "Data", kDataHelp, kCardData)},
        .traced = true,
        .uses_library = true,
        .run = RunMac};
}

CardOutcome RunCrcB(const TavikAlgBinding* /*library*/, RunInputs in) {
    CardResult result;
    result.Value({}, CrcBShown(in.front().bytes));
    return result;
}

CardOperation CrcBOperation() {
    return {.family = "ISO/IEC 14443-3",
            .title = "CRC_B",
            .command = {"crc16"},
            .fixed = {"--type", "b"},
            .summary = "CRC_B of ISO/IEC 14443-3 over DATA",
            .details = "CRC_B of ISO/IEC 14443-3 (from 0xFFFF, complemented at the end), least "
                       "significant byte first as the window shows CRC_A. DATA: up to " +
                       std::to_string(kLongestMessage) + " bytes. No library is loaded.",
            .inputs = {HexInput("DATA", "Data", kDataHelp, kData)},
            .traced = false,
            .uses_library = false,
            .run = RunCrcB};
}

struct KcvAt {
    enum : std::size_t { cipher, key, method, cmac, length };
};

// The key as the window's fields read it (its messages; single DES takes the
// first 8 bytes of a longer key).
OrRefusal<Bytes> WindowKey(Cipher cipher, const Bytes& key) {
    const CipherModel model{cipher};
    const std::string zero_block = WriteHex(Bytes(model.block_size()));
    const std::string key_text = WriteHex(key);
    const Fields fields{.session_key = key_text, .iv = zero_block, .data_in = zero_block};
    auto read = ReadChecked(fields, CipherChecks({.cipher = cipher}),
                            {.key = kKey, .odd_digits = OddDigits::refused});
    if (auto* refusal = std::get_if<Refusal>(&read)) {
        return CardRefusal{.message = std::move(refusal->message)};
    }
    const auto bytes = KeyAsRead(model, std::get<CheckedFields>(read).key);
    return Bytes(bytes.begin(), bytes.end());
}

OrRefusal<KcvMethod> KcvMethodOf(Cipher cipher, RunInputs in) {
    const bool cmac = in[KcvAt::cmac].given;
    if (cmac && in[KcvAt::method].given) {
        return UsageRefusal("--cmac excludes --method.");
    }
    const KcvMethod method =
        cmac ? KcvMethod::cmac_zero_block : WordValue(KcvMethodWords(), in[KcvAt::method]).value();
    if (!KcvMethodFits(method, {.cipher = cipher})) {
        return UsageRefusal(cmac ? "--cmac computes the check value of AES keys only."
                                 : "--method gp, cmac and cmac-empty compute the check value of "
                                   "AES keys only.");
    }
    return method;
}

CardOutcome RunKcv(const TavikAlgBinding* library, RunInputs in) {
    const Cipher cipher = WordValue(CipherWords(), in[KcvAt::cipher]).value();
    const auto method = KcvMethodOf(cipher, in);
    if (const CardRefusal* refusal = RefusalIn(method)) {
        return *refusal;
    }
    const auto length = LengthValue(kLength, in[KcvAt::length]);
    if (const CardRefusal* refusal = RefusalIn(length)) {
        return *refusal;
    }
    const auto key = WindowKey(cipher, in[KcvAt::key].bytes);
    if (const CardRefusal* refusal = RefusalIn(key)) {
        return *refusal;
    }
    return KeyCheckValue(*library, {.cipher = {.cipher = cipher},
                                    .key = std::get<Bytes>(key),
                                    .method = std::get<KcvMethod>(method),
                                    .length = std::get<std::optional<std::size_t>>(length)});
}

CardOperation KcvOperation() {
    const std::vector<InputWord> methods = WordsOf(KcvMethodWords());
    return {
        .family = "Key check value",
        .title = "Key check value",
        .command = {"kcv"},
        .fixed = {},
        .summary = "Key check value of --key",
        .details =
            "The key check value (KCV) of --key, by --method: zeros (the default), the key's "
            "encryption of one all-zero block (8 bytes for the DES family, 16 for AES), the "
            "long-standing convention of key-management practice, as used for TDEA keys under "
            "ANSI X9.24; gp (AES keys only), the encryption of a block of 01 bytes, as "
            "GlobalPlatform defines it for AES keys; cmac (AES keys only; --cmac says the same), "
            "the AES-CMAC of one all-zero 16-byte block from a zero IV, the CMAC-based check "
            "value that payment-card key-block practice uses for AES keys (as described in ANSI "
            "X9.24-1); cmac-empty (AES keys only), the AES-CMAC of the empty message. The "
            "leftmost --length bytes are shown, 1 to the block size: by default 5 for cmac (some "
            "systems show only 3) and 3 for the others. The conventions give different values "
            "for the same key. With --trace the block or the CMAC's steps come first, then "
            "'check: equals' and the export they match.",
        .inputs = {CipherInput("The cipher", EveryCipher), HexInput("--key", "Key", kKeyHelp, kKey),
                   WordInput("--method", "Convention",
                             WordHelp("The convention (default zeros)", methods), methods, "zeros"),
                   FlagInput("--cmac", "CMAC", "The same as --method cmac; not with --method"),
                   DigitsInput(kLength, "Check value length", "Show the leftmost N bytes", "N",
                               false)},
        .traced = true,
        .uses_library = true,
        .run = RunKcv};
}

struct DiversifyAt {
    enum : std::size_t { cipher, key, data };
};

CardOutcome RunDiversify(const TavikAlgBinding* library, RunInputs in) {
    const Cipher cipher = WordValue(CipherWords(), in[DiversifyAt::cipher]).value();
    return DiversifyKey(*library, {.cipher = {.cipher = cipher},
                                   .master_key = in[DiversifyAt::key].bytes,
                                   .input = in[DiversifyAt::data].bytes});
}

CardOperation DiversifyOperation() {
    return {
        .family = "NXP AN10922",
        .title = "AN10922 key diversification",
        .command = {"diversify"},
        .fixed = {},
        .summary = "NXP AN10922 key diversification of --key by DATA",
        .details =
            "The key diversified from the master key --key by the diversification input DATA "
            "(M: 1 to 31 bytes for AES, 1 to 15 for triple DES), by NXP application note "
            "AN10922: the CMAC of a constant, M and the note's padding under the master key's "
            "cipher (one run for AES-128, two for 2TDES, three for 3TDES, with the master key's "
            "version bits kept in the parity bits of the first 8 bytes). With --trace each run's "
            "input, CMAC steps and MAC come first, then 'check: equals' and the CMAC export they "
            "match.",
        .inputs = {CipherInput("The cipher", HasCmac),
                   HexInput("--key", "Master key", "The master key in hex",
                            {.label = "Master key"}),
                   HexInput("DATA", "Diversification input", kDataHelp, kData)},
        .traced = true,
        .uses_library = true,
        .run = RunDiversify};
}

} // namespace

std::vector<CardOperation> MacAndKeyOperations() {
    std::vector<CardOperation> operations;
    operations.push_back(PadOperation(true));
    operations.push_back(PadOperation(false));
    operations.push_back(MacOperation());
    operations.push_back(CrcBOperation());
    operations.push_back(KcvOperation());
    operations.push_back(DiversifyOperation());
    return operations;
}

} // namespace orvelin::card
