// The commands over the window's operations: encrypt, decrypt, cmac, kcv,
// crc16, crc32 and xor. Each maps its options onto the core's fields, choice
// and limits; the core checks and calls the library.
#include "tavik.h"

#include "checksums.h"

#include <array>
#include <memory>

namespace orvelin::cli {
namespace {

struct CipherName {
    Cipher cipher;
    std::string_view name; // as typed after --cipher
    std::string_view key;  // for --help
};

constexpr std::array<CipherName, 4> kCipherNames = {{
    {.cipher = Cipher::des, .name = "des", .key = "8 bytes (of a longer key, the first 8)"},
    {.cipher = Cipher::two_key_tdes, .name = "2tdes", .key = "16 bytes, K1|K2"},
    {.cipher = Cipher::three_key_tdes, .name = "3tdes", .key = "24 bytes, K1|K2|K3"},
    {.cipher = Cipher::aes, .name = "aes", .key = "AES-128, 16 bytes"},
}};

enum class Offered { every_cipher, with_cmac };

// --cipher NAME: `take` is called with the cipher as soon as it is parsed.
void AddCipherOption(Command& command, Offered offered, std::function<void(Cipher)> take) {
    std::vector<std::string> names;
    std::string keys;
    for (const CipherName& c : kCipherNames) {
        if (offered == Offered::every_cipher || CmacDataLimit(c.cipher) != 0) {
            names.emplace_back(c.name);
            keys += (keys.empty() ? "The key: " : "; ") + std::string(c.name) + " " +
                    std::string(c.key);
        }
    }
    // The check leaves the name as listed, whatever its case.
    const auto by_name = [take = std::move(take)](const std::string& name) {
        for (const CipherName& c : kCipherNames) {
            if (c.name == name) {
                take(c.cipher);
            }
        }
    };
    command.app()
        .add_option_function<std::string>("--cipher", by_name, keys)
        ->required()
        ->type_name(CLI::detail::join(names, "|"))
        ->check(CLI::IsMember(names, CLI::ignore_case).description(""));
}

constexpr FieldSpec kKey{.label = messages::kSessionKeyLabel};
constexpr FieldSpec kIv{.label = messages::kIvLabel};
constexpr FieldSpec kData{.label = messages::kDataInLabel, .capacity = kLongestMessage};
const std::string kKeyHelp = "The key in hex";
const std::string kDataHelp = "The data in hex; spaces allowed (quote them), either case; - "
                              "reads it from standard input, where line breaks count as spaces";
const std::string kTraceHelp = "Print every step, computed with the library's block exports, and "
                               "check that they end in what the whole-message export returns";

InputRules RulesOf(const HexArgument& key, const HexArgument& iv, const HexArgument& data) {
    return {.key = key.spec, .iv = iv.spec, .data = data.spec, .odd_digits = kOddDigits};
}

// The input a trace starts from, once the operation itself has passed it.
CheckedFields Checked(const Fields& fields, const FieldChecks& checks, const InputRules& rules) {
    return std::get<CheckedFields>(ReadChecked(fields, checks, rules));
}

struct CipherOptions {
    Cipher cipher = Cipher::des;
    bool cbc = false;
};

std::string CipherDetails(Direction direction) {
    const bool encrypt = direction == Direction::encrypt;
    return std::string(encrypt ? "Encrypts" : "Decrypts") +
           " DATA, whole blocks (8 bytes for the DES family, 16 for AES), in ECB or, with --cbc, "
           "in CBC from --iv, as the window's " +
           (encrypt ? "Encrypt" : "Decrypt") +
           " button does, with the window's checks and messages; up to " +
           std::to_string(CipherDataLimit(Cipher::des)) + " bytes (DES family) or " +
           std::to_string(CipherDataLimit(Cipher::aes)) +
           " (AES). With --trace, each block's input, chaining value (CBC) and output come "
           "first, then 'check: equals' and the export whose answer the steps match.";
}

void AddCipherCommand(CLI::App& tavik, Session& session, Direction direction) {
    const bool encrypt = direction == Direction::encrypt;
    Command& command =
        session.AddCommand(tavik, encrypt ? "encrypt" : "decrypt",
                           std::string(encrypt ? "Encrypt" : "Decrypt") +
                               " DATA: DES, two- or three-key triple DES, or AES-128; ECB or CBC",
                           CipherDetails(direction));
    auto options = std::make_shared<CipherOptions>();
    HexArgument& data = command.Hex("DATA", kData, kDataHelp);
    AddCipherOption(command, Offered::every_cipher, [options, &data](Cipher cipher) {
        options->cipher = cipher;
        data.spec.capacity = CipherDataLimit(cipher);
    });
    const HexArgument& key = command.Hex("--key", kKey, kKeyHelp);
    CLI::Option* cbc =
        command.app().add_flag("--cbc", options->cbc, "CBC instead of ECB; needs --iv");
    const HexArgument& iv = command.Hex("--iv", kIv, "The IV in hex, one block: with --cbc",
                                        Command::Presence::optional);
    cbc->needs(iv.option);
    iv.option->needs(cbc);
    command.TraceFlag(kTraceHelp);
    command.Run([options, direction, &key, &iv, &data](Session& s) {
        const TavikAlgBinding& library = s.Library();
        const CipherChoice choice{.cipher = options->cipher,
                                  .chaining = options->cbc ? Chaining::cbc : Chaining::ecb};
        const Fields fields{.session_key = key.text, .iv = iv.text, .data_in = data.text};
        const InputRules rules = RulesOf(key, iv, data);
        const Outcome outcome = EncryptOrDecrypt(library, direction, fields, choice, rules);
        if (!s.options.trace || std::holds_alternative<Refusal>(outcome)) {
            return s.Print(outcome);
        }
        return s.Print(outcome,
                       TraceCipher(library, choice, direction,
                                   Checked(fields, CipherChecks(choice), rules),
                                   *std::get<Shown>(outcome).data_out),
                       ExportName(CipherExport(choice, direction)));
    });
}

constexpr std::size_t kZeroBlockKcvLength = 3;
constexpr std::size_t kCmacKcvLength = 5;

struct KcvOptions {
    Cipher cipher = Cipher::des;
    bool cmac = false;
};

// The zero-block check value through Encrypt in ECB, the CMAC one through
// the AES CMAC: the window's key checks and messages either way.
Outcome KcvOf(const TavikAlgBinding& library, const KcvOptions& options, const HexArgument& key) {
    const std::string zero_block = WriteHex(Bytes(AlgorithmOf(options.cipher).block));
    const Fields fields{.session_key = key.text, .iv = zero_block, .data_in = zero_block};
    const InputRules rules{.key = key.spec, .odd_digits = kOddDigits};
    if (options.cmac) {
        return Cmac(library, Cipher::aes, fields, rules);
    }
    return EncryptOrDecrypt(library, Direction::encrypt, fields, {.cipher = options.cipher}, rules);
}

void AddCrc(CLI::App& tavik, Session& session, const CrcChoice& choice) {
    const bool crc16 = choice.crc16;
    Command& command = session.AddCommand(
        tavik, crc16 ? "crc16" : "crc32",
        crc16 ? "CRC_A of ISO/IEC 14443-3 over DATA"
              : "CRC-32, without final complement, over DATA",
        std::string(crc16 ? "CRC_A of ISO/IEC 14443-3 (from 0x6363), least significant byte first "
                            "as the window shows it."
                          : "CRC-32 (from 0xFFFFFFFF, reflected polynomial 0xEDB88320) without "
                            "the final complement, least significant byte first as the window "
                            "shows it.") +
            " DATA: up to " + std::to_string(kLongestMessage) + " bytes. No library is loaded.");
    const HexArgument& data = command.Hex("DATA", kData, kDataHelp);
    command.Run([choice, &data](Session& s) {
        return s.Print(CalcCrc(data.text, choice, {.data = data.spec, .odd_digits = kOddDigits}));
    });
}

void AddXor(CLI::App& tavik, Session& session) {
    Command& command = session.AddCommand(
        tavik, "xor", "A XOR B over the shorter of the two",
        "A XOR B byte by byte over the shorter of the two, as the window's Key Xor In does; each "
        "up to " +
            std::to_string(kLongestMessage) + " bytes. No library is loaded.");
    const std::string help = "Hex; - reads standard input";
    const HexArgument& a = command.Hex("A", {.label = "A", .capacity = kLongestMessage}, help);
    const HexArgument& b = command.Hex("B", {.label = "B", .capacity = kLongestMessage}, help);
    command.Run([&a, &b](Session& s) {
        const Fields fields{.session_key = a.text, .iv = {}, .data_in = b.text};
        return s.Print(KeyXorIn(fields, {.key = a.spec, .data = b.spec, .odd_digits = kOddDigits}));
    });
}

void AddCmacCommand(CLI::App& tavik, Session& session) {
    Command& command = session.AddCommand(
        tavik, "cmac", "CMAC of DATA: AES-128, two- or three-key triple DES",
        "The CMAC of DATA (any length: up to " + std::to_string(CmacDataLimit(Cipher::aes)) +
            " bytes for AES, " + std::to_string(CmacDataLimit(Cipher::three_key_tdes)) +
            " for triple DES), chained from --iv as the library's CMAC exports chain it. Prints "
            "the full MAC; for AES a second line holds the 8 bytes the window's CMAC field "
            "shows, bytes 1, 3, ..., 15 of the MAC. With --trace, first: L = E(K, 0), the "
            "subkeys K1 and K2, each block's input, chaining value and output, the last block "
            "before and after padding and masking, the MAC, and 'check: equals' with the export.");
    auto cipher = std::make_shared<Cipher>(Cipher::aes);
    HexArgument& data = command.Hex("DATA", kData, kDataHelp);
    AddCipherOption(command, Offered::with_cmac, [cipher, &data](Cipher chosen) {
        *cipher = chosen;
        data.spec.capacity = CmacDataLimit(chosen);
    });
    const HexArgument& key = command.Hex("--key", kKey, kKeyHelp);
    const HexArgument& iv = command.Hex(
        "--iv", kIv, "The IV in hex, one block: zeros when not given", Command::Presence::optional);
    command.TraceFlag(kTraceHelp);
    command.Run([cipher, &key, &iv, &data](Session& s) {
        const TavikAlgBinding& library = s.Library();
        const Fields fields{.session_key = key.text,
                            .iv =
                                iv.given() ? iv.text : WriteHex(Bytes(AlgorithmOf(*cipher).block)),
                            .data_in = data.text};
        const InputRules rules = RulesOf(key, iv, data);
        const Outcome outcome = Cmac(library, *cipher, fields, rules);
        if (!s.options.trace || std::holds_alternative<Refusal>(outcome)) {
            return s.Print(outcome);
        }
        return s.Print(outcome,
                       TraceCmac(library, *cipher, Checked(fields, CmacChecks(*cipher), rules),
                                 *std::get<Shown>(outcome).data_out),
                       ExportName(CmacExport(*cipher)));
    });
}

void AddKcvCommand(CLI::App& tavik, Session& session) {
    Command& command = session.AddCommand(
        tavik, "kcv", "Key check value of --key",
        "The key check value (KCV) of --key. Without --cmac: the first 3 bytes of the key's "
        "encryption of one all-zero block (8 bytes for the DES family, 16 for AES), the "
        "long-standing convention of key-management practice, as used for TDEA keys under ANSI "
        "X9.24. With --cmac (AES keys only): the leftmost 5 bytes of the AES-CMAC of one "
        "all-zero 16-byte block from a zero IV, the CMAC-based check value that payment-card "
        "key-block practice uses for AES keys (as described in ANSI X9.24-1); some systems show "
        "only its first 3 bytes. The two conventions give different values for the same key.");
    auto options = std::make_shared<KcvOptions>();
    AddCipherOption(command, Offered::every_cipher,
                    [options](Cipher cipher) { options->cipher = cipher; });
    const HexArgument& key = command.Hex("--key", kKey, kKeyHelp);
    command.app().add_flag(
        "--cmac", options->cmac,
        "The CMAC-based check value (5 bytes) instead of the zero-block one (3 bytes)");
    command.Run([options, &key](Session& s) {
        if (options->cmac && options->cipher != Cipher::aes) {
            s.Refuse("--cmac computes the check value of AES keys only.");
            return kWrongUsage;
        }
        Outcome outcome = KcvOf(s.Library(), *options, key);
        if (auto* shown = std::get_if<Shown>(&outcome)) {
            shown->data_out->resize(options->cmac ? kCmacKcvLength : kZeroBlockKcvLength);
            shown->cmac.reset();
        }
        return s.Print(outcome);
    });
}

} // namespace

void AddCommands(CLI::App& tavik, Session& session) {
    AddCipherCommand(tavik, session, Direction::encrypt);
    AddCipherCommand(tavik, session, Direction::decrypt);
    AddCmacCommand(tavik, session);
    AddKcvCommand(tavik, session);
    AddCrc(tavik, session, {.crc16 = true});
    AddCrc(tavik, session, {.crc32 = true});
    AddXor(tavik, session);
}

} // namespace orvelin::cli
