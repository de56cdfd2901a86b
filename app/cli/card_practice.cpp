// The card-practice commands: ISO/IEC 9797-1 padding and MAC algorithms 1
// and 3, and AN10922 key diversification. Each maps its options onto a card
// operation, which checks its input and its steps against the library's
// whole-message exports; tavik prints the outcome.
#include "tavik.h"

#include "card_messages.h"
#include "diversify.h"
#include "mac.h"
#include "padding.h"
#include "word_option.h"

#include <memory>

namespace orvelin::cli {
namespace {

constexpr FieldSpec kCardData{.label = messages::kDataInLabel, .capacity = card::kMaxCardData};
// Padded data: the longest data with method 3's length block and a block of fill.
constexpr FieldSpec kPaddedData{.label = messages::kDataInLabel,
                                .capacity = card::kMaxCardData + 2 * card::kMaxBlockSize};
constexpr FieldSpec kMasterKey{.label = "Master key"};

const std::string kStepsHelp = "Print every step before the result";

struct PaddingOptions {
    card::PaddingMethod method = card::PaddingMethod::zeros;
    std::size_t block = card::kDefaultPaddingBlock;
};

void AddPaddingOptions(Command& command, PaddingOptions& options) {
    AddWordOption<card::PaddingMethod>(
        command.app(), "--method", card::PaddingMethodWords(),
        [&options](card::PaddingMethod method) { options.method = method; },
        "ISO/IEC 9797-1 padding method")
        ->required();
    AddWordOption<std::size_t>(
        command.app(), "--block", card::PaddingBlockWords(),
        [&options](std::size_t block) { options.block = block; },
        "The block size in bytes (default 8)");
}

constexpr std::string_view kPaddingMethods =
    "Method 1 appends as few 00 bytes as reach a whole block (none when the data fills its "
    "blocks); method 2 appends 80 and then 00 bytes, always at least the 80; method 3 puts "
    "first a block holding the data's length in bits (big-endian) and pads the data with 00 "
    "bytes. Empty data, as the standard says: method 1 gives one block of 00 bytes, method 2 "
    "80 00 .. 00, method 3 the length block of zeros alone.";

void AddPadCommand(CLI::App& tavik, Session& session, bool pad) {
    Command& command = session.AddCommand(
        tavik, pad ? "pad" : "unpad",
        pad ? "Pad DATA by ISO/IEC 9797-1 method 1, 2 or 3"
            : "Remove ISO/IEC 9797-1 padding method 2 or 3 from DATA",
        std::string(pad ? "Pads DATA (up to " + std::to_string(card::kMaxCardData) +
                              " bytes) to whole blocks of --block bytes. "
                        : "Removes the padding of --method from DATA and prints the data. "
                          "Refused, never guessed: method 1 (its 00 bytes cannot be told from "
                          "data), data that is not whole blocks, and padding that is not "
                          "exactly the method's. ") +
            std::string(kPaddingMethods) +
            " With --trace the steps (the length block, the bytes added or removed) come first. "
            "No library is loaded.");
    auto options = std::make_shared<PaddingOptions>();
    AddPaddingOptions(command, *options);
    const HexArgument& data = command.Hex("DATA", pad ? kCardData : kPaddedData, kDataHelp);
    command.TraceFlag(kStepsHelp);
    command.RunOnBytes({&data}, [options, pad](Session& s, const std::vector<Bytes>& bytes) {
        return s.Print(pad ? card::Pad(bytes[0], options->method, options->block)
                           : card::Unpad(bytes[0], options->method, options->block));
    });
}

struct MacOptions {
    card::MacAlgorithm algorithm = card::MacAlgorithm::cbc_mac;
    std::optional<Cipher> cipher;
    card::PaddingMethod padding = card::PaddingMethod::zeros;
    std::optional<std::size_t> length;
};

// Single DES reads the first 8 bytes of a longer key, as everywhere in tavik.
std::span<const std::uint8_t> MacKey(const MacOptions& options, const Bytes& key) {
    const std::size_t des_key = CipherModel{Cipher::des}.key_size();
    if (options.cipher == Cipher::des && key.size() > des_key) {
        return std::span(key).first(des_key);
    }
    return key;
}

void AddMacCommand(CLI::App& tavik, Session& session) {
    Command& command = session.AddCommand(
        tavik, "mac", "ISO/IEC 9797-1 MAC algorithm 1 (CBC-MAC) or 3 (retail MAC) of DATA",
        "The MAC of DATA (up to " + std::to_string(card::kMaxCardData) +
            " bytes) padded by --padding, chained from --iv (zeros when not given). Algorithm 1: "
            "CBC-MAC under --cipher, which it needs. Algorithm 3: single DES chained under K, "
            "the last block decrypted under K' and encrypted under K again, --key 16 bytes "
            "K|K'; it takes no --cipher. --length N keeps the leftmost N bytes, 4 to the block "
            "size (default the whole block). With --trace the padded data, each block's "
            "chaining and the final steps come first, then 'check: equals' and the exports "
            "whose answer they match.");
    auto options = std::make_shared<MacOptions>();
    AddWordOption<card::MacAlgorithm>(
        command.app(), "--algorithm", card::MacAlgorithmWords(),
        [options](card::MacAlgorithm algorithm) { options->algorithm = algorithm; },
        "ISO/IEC 9797-1 MAC algorithm")
        ->required();
    AddCipherOption(command, Offered::every_cipher, [options](Cipher cipher) {
        options->cipher = cipher;
    })->required(false);
    AddWordOption<card::PaddingMethod>(
        command.app(), "--padding", card::PaddingMethodWords(),
        [options](card::PaddingMethod method) { options->padding = method; },
        "ISO/IEC 9797-1 padding method")
        ->required();
    const HexArgument& key = command.Hex("--key", kKey, kKeyHelp);
    const HexArgument& iv = command.Hex(
        "--iv", kIv, "The IV in hex, one block: zeros when not given", Command::Presence::optional);
    command.app()
        .add_option("--length", options->length, "Keep the leftmost N bytes of the MAC")
        ->type_name("N");
    const HexArgument& data = command.Hex("DATA", kCardData, kDataHelp);
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&key, &iv, &data}, [options](Session& s, const std::vector<Bytes>& bytes) {
        if (options->algorithm == card::MacAlgorithm::cbc_mac && !options->cipher) {
            s.Refuse("MAC algorithm 1 needs --cipher.");
            return kWrongUsage;
        }
        if (options->algorithm == card::MacAlgorithm::retail && options->cipher) {
            s.Refuse(card::messages::kRetailTakesNoCipher);
            return kWrongUsage;
        }
        std::optional<card::CipherModel> cipher;
        if (options->cipher) {
            cipher = card::CipherModel{.cipher = *options->cipher};
        }
        const card::MacRequest request{.algorithm = options->algorithm,
                                       .cipher = cipher,
                                       .padding = options->padding,
                                       .key = MacKey(*options, bytes[0]),
                                       .iv = bytes[1],
                                       .data = bytes[2],
                                       .length = options->length};
        return s.Print(card::Mac(s.Library(), request));
    });
}

void AddDiversifyCommand(CLI::App& tavik, Session& session) {
    Command& command = session.AddCommand(
        tavik, "diversify", "NXP AN10922 key diversification of --key by DATA",
        "The key diversified from the master key --key by the diversification input DATA (M: "
        "1 to 31 bytes for AES, 1 to 15 for triple DES), by NXP application note AN10922: the "
        "CMAC of a constant, M and the note's padding under the master key's cipher (one run "
        "for AES-128, two for 2TDES, three for 3TDES, with the master key's version bits kept "
        "in the parity bits of the first 8 bytes). With --trace each run's input, CMAC steps and "
        "MAC come first, then 'check: equals' and the CMAC export they match.");
    auto cipher = std::make_shared<Cipher>(Cipher::aes);
    AddCipherOption(command, Offered::with_cmac, [cipher](Cipher chosen) { *cipher = chosen; });
    const HexArgument& key = command.Hex("--key", kMasterKey, "The master key in hex");
    const HexArgument& data = command.Hex("DATA", kData, kDataHelp);
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&key, &data}, [cipher](Session& s, const std::vector<Bytes>& bytes) {
        const card::DiversifyRequest request{
            .cipher = {.cipher = *cipher}, .master_key = bytes[0], .input = bytes[1]};
        return s.Print(card::DiversifyKey(s.Library(), request));
    });
}

} // namespace

void AddCardPracticeCommands(CLI::App& tavik, Session& session) {
    AddPadCommand(tavik, session, true);
    AddPadCommand(tavik, session, false);
    AddMacCommand(tavik, session);
    AddDiversifyCommand(tavik, session);
}

} // namespace orvelin::cli
