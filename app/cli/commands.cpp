// The commands over the window's operations: encrypt, decrypt, cmac, crc16
// (whose --type b is the card operations' CRC_B), crc32 and xor. Each maps
// its options onto the core's fields, choice and limits; the core checks and
// calls the library.
#include "tavik.h"

#include "card_messages.h"
#include "checksums.h"
#include "word_option.h"

#include <array>
#include <memory>

namespace orvelin::cli {

// --cipher NAME: `take` is called with the cipher as soon as it is parsed.
CLI::Option* AddCipherOption(Command& command, Offered offered, std::function<void(Cipher)> take) {
    const auto has_cmac = [offered](Cipher cipher) {
        return offered == Offered::every_cipher || CipherModel{cipher}.CmacExport();
    };
    return AddWordOption<Cipher>(command.app(), "--cipher", card::CipherWords(), std::move(take),
                                 "The cipher", has_cmac)
        ->required();
}

namespace {

InputRules RulesOf(const HexArgument& key, const HexArgument& iv, const HexArgument& data) {
    return {.key = key.rule, .iv = iv.rule, .data = data.rule, .odd_digits = kOddDigits};
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
           std::to_string(CipherModel{Cipher::des}.data_limit()) + " bytes (DES family) or " +
           std::to_string(CipherModel{Cipher::aes}.data_limit()) +
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
        data.rule.capacity = CipherModel{cipher}.data_limit();
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
        return s.Print(outcome, TraceCipher(library, choice, direction,
                                            Checked(fields, CipherChecks(choice), rules)));
    });
}

// crc16 --type b: the table's CRC_B over DATA as typed.
int CrcB(Session& session, const HexArgument& data) {
    constexpr std::array<std::string_view, 3> kWords = {"crc16", "--type", "b"};
    const card::CardOperation* crc_b = card::FindCardOperation(kWords);
    if (crc_b == nullptr) {
        return session.Refuse(card::messages::PreconditionBroken("CRC_B in the card operations"));
    }
    return RunOperation(session, *crc_b, {data.text});
}

void AddCrc(CLI::App& tavik, Session& session, const CrcChoice& choice) {
    const bool crc16 = choice.crc16;
    Command& command = session.AddCommand(
        tavik, crc16 ? "crc16" : "crc32",
        crc16 ? "CRC_A (or, with --type b, CRC_B) of ISO/IEC 14443-3 over DATA"
              : "CRC-32, without final complement, over DATA",
        std::string(crc16 ? "CRC_A of ISO/IEC 14443-3 (from 0x6363) or, with --type b, CRC_B "
                            "(from 0xFFFF, complemented at the end), least significant byte "
                            "first as the window shows CRC_A."
                          : "CRC-32 (from 0xFFFFFFFF, reflected polynomial 0xEDB88320) without "
                            "the final complement, least significant byte first as the window "
                            "shows it.") +
            " DATA: up to " + std::to_string(kLongestMessage) + " bytes. No library is loaded.");
    const HexArgument& data = command.Hex("DATA", kData, kDataHelp);
    auto type_b = std::make_shared<bool>(false);
    if (crc16) {
        AddWordOption<card::Crc16Type>(
            command.app(), "--type", card::Crc16TypeWords(),
            [type_b](card::Crc16Type type) { *type_b = type == card::Crc16Type::b; },
            "The CRC of ISO/IEC 14443-3, shown least significant byte first (default a)");
    }
    command.Run([choice, type_b, &data](Session& s) {
        if (*type_b) {
            return CrcB(s, data);
        }
        return s.Print(CalcCrc(data.text, choice, {.data = data.rule, .odd_digits = kOddDigits}));
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
        return s.Print(KeyXorIn(fields, {.key = a.rule, .data = b.rule, .odd_digits = kOddDigits}));
    });
}

void AddCmacCommand(CLI::App& tavik, Session& session) {
    Command& command = session.AddCommand(
        tavik, "cmac", "CMAC of DATA: AES-128, two- or three-key triple DES",
        "The CMAC of DATA (any length: up to " +
            std::to_string(CipherModel{Cipher::aes}.cmac_limit()) + " bytes for AES, " +
            std::to_string(CipherModel{Cipher::three_key_tdes}.cmac_limit()) +
            " for triple DES), chained from --iv as the library's CMAC exports chain it. Prints "
            "the full MAC; for AES a second line holds the 8 bytes the window's CMAC field "
            "shows, bytes 1, 3, ..., 15 of the MAC. With --trace, first: L = E(K, 0), the "
            "subkeys K1 and K2, each block's input, chaining value and output, the last block "
            "before and after padding and masking, the MAC, and 'check: equals' with the export.");
    auto cipher = std::make_shared<Cipher>(Cipher::aes);
    HexArgument& data = command.Hex("DATA", kData, kDataHelp);
    AddCipherOption(command, Offered::with_cmac, [cipher, &data](Cipher chosen) {
        *cipher = chosen;
        data.rule.capacity = CipherModel{chosen}.cmac_limit();
    });
    const HexArgument& key = command.Hex("--key", kKey, kKeyHelp);
    const HexArgument& iv = command.Hex(
        "--iv", kIv, "The IV in hex, one block: zeros when not given", Command::Presence::optional);
    command.TraceFlag(kTraceHelp);
    command.Run([cipher, &key, &iv, &data](Session& s) {
        const TavikAlgBinding& library = s.Library();
        const Fields fields{.session_key = key.text,
                            .iv = iv.given() ? iv.text
                                             : WriteHex(Bytes(CipherModel{*cipher}.block_size())),
                            .data_in = data.text};
        const InputRules rules = RulesOf(key, iv, data);
        const Outcome outcome = Cmac(library, *cipher, fields, rules);
        if (!s.options.trace || std::holds_alternative<Refusal>(outcome)) {
            return s.Print(outcome);
        }
        return s.Print(outcome,
                       TraceCmac(library, *cipher, Checked(fields, CmacChecks(*cipher), rules)));
    });
}

} // namespace

void AddCommands(CLI::App& tavik, Session& session) {
    AddCipherCommand(tavik, session, Direction::encrypt);
    AddCipherCommand(tavik, session, Direction::decrypt);
    AddCmacCommand(tavik, session);
    AddCrc(tavik, session, {.crc16 = true});
    AddCrc(tavik, session, {.crc32 = true});
    AddXor(tavik, session);
    AddCardCommands(tavik, session);
}

} // namespace orvelin::cli
