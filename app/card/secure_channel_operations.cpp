// The secure-channel operations, each a second word under its family on
// tavik's command line: desfire (EV2 / NTAG 424 DNA secure messaging), gp
// (GlobalPlatform SCP02 and SCP03) and emv.
#include "desfire.h"
#include "emv.h"
#include "operation_families.h"
#include "operation_inputs.h"
#include "padding.h"
#include "scp02.h"
#include "scp03.h"

#include <array>

namespace orvelin::card {
namespace {

constexpr FieldSpec kKey{.label = "Key"};
constexpr FieldSpec kData{.label = "Data", .capacity = kMaxCardData};
constexpr FieldSpec kTi{.label = "TI"};
constexpr std::string_view kTiHelp = "The transaction identifier, 4 bytes";
constexpr std::string_view kCounter = "--counter";

constexpr std::string_view kDesfire = "DESFire EV2";
constexpr std::string_view kGlobalPlatform = "GlobalPlatform";
constexpr std::string_view kEmv = "EMV";

OperationInput KeyInput(std::string_view help) {
    return HexInput("--key", "Key", help, kKey);
}

OperationInput CounterInput() {
    return DigitsInput(
        kCounter, "Counter",
        "CmdCtr, decimal (0 to 65535); for --response, the counter after the command", "N");
}

OperationInput ResponseInput() {
    return FlagInput("--response", "Response",
                     "The response's computation instead of the command's");
}

struct SessionAt {
    enum : std::size_t { key, rnd_a, rnd_b };
};

CardOperation DesfireSession() {
    return {
        .family = kDesfire,
        .title = "DESFire EV2 session keys",
        .command = {"desfire", "session"},
        .fixed = {},
        .summary = "SesAuthENCKey and SesAuthMACKey after AuthenticateEV2First",
        .details = "The session keys of an AES-128 AuthenticateEV2First: the AES-CMAC under --key "
                   "of SV1 (A5 5A 00 01 00 80 ...) and SV2 (5A A5 ...), each followed by "
                   "RndA[0..1], RndA[2..7] XOR RndB[0..5], RndB[6..15], RndA[8..15]. Prints "
                   "'SesAuthENCKey HEX' and 'SesAuthMACKey HEX'. With --trace, first SV1, SV2 "
                   "and both CMACs' steps.",
        .inputs = {KeyInput("The application key, 16 bytes"),
                   HexInput("--rnda", "RndA", "The PCD's random RndA, 16 bytes", {.label = "RndA"}),
                   HexInput("--rndb", "RndB", "The PICC's random RndB, 16 bytes",
                            {.label = "RndB"})},
        .run = [](const TavikAlgBinding* library, RunInputs in) {
            return DesfireSessionKeys(*library, in[SessionAt::key].bytes,
                                      in[SessionAt::rnd_a].bytes, in[SessionAt::rnd_b].bytes);
        }};
}

// The channel of a secure-messaging input list: key, TI, counter, response.
struct ChannelAt {
    std::size_t key, ti, counter, response;
};

OrRefusal<DesfireChannel> Channel(RunInputs in, const ChannelAt& at) {
    const auto counter = NumberValue(kCounter, in[at.counter]);
    if (const CardRefusal* refusal = RefusalIn(counter)) {
        return *refusal;
    }
    return DesfireChannel{.key = in[at.key].bytes,
                          .ti = in[at.ti].bytes,
                          .counter = std::get<std::optional<std::uint64_t>>(counter).value_or(0),
                          .direction = in[at.response].given ? DesfireDirection::response
                                                             : DesfireDirection::command};
}

struct MacAt {
    enum : std::size_t { key, ti, code, counter, response, data };
};

CardOutcome RunDesfireMac(const TavikAlgBinding* library, RunInputs in) {
    const auto channel = Channel(in, {MacAt::key, MacAt::ti, MacAt::counter, MacAt::response});
    if (const CardRefusal* refusal = RefusalIn(channel)) {
        return *refusal;
    }
    return DesfireMac(*library, std::get<DesfireChannel>(channel), in[MacAt::code].bytes,
                      in[MacAt::data].bytes);
}

CardOperation DesfireMacOperation() {
    return {.family = kDesfire,
            .title = "DESFire EV2 MACt",
            .command = {"desfire", "mac"},
            .fixed = {},
            .summary = "MACt of a command or, with --response, a response",
            .details =
                "MACt: bytes 1, 3, ..., 15 of the AES-CMAC under SesAuthMACKey of the code, "
                "CmdCtr (least significant byte first), TI and DATA. For a command, --command "
                "is its code and DATA its header and data as sent; with --response, --command "
                "holds the response code, --counter the counter after the command, and DATA "
                "the response data. DATA may be left out when empty. With --trace, first the "
                "MAC input and the CMAC's steps.",
            .inputs = {KeyInput("SesAuthMACKey, 16 bytes"), HexInput("--ti", "TI", kTiHelp, kTi),
                       HexInput("--command", "Command code",
                                "The command code (or the response code), 1 byte",
                                {.label = "Command code"}),
                       CounterInput(), ResponseInput(),
                       HexInput("DATA", "Data", kDataHelp, kData, false)},
            .run = RunDesfireMac};
}

struct CipherAt {
    enum : std::size_t { key, ti, counter, response, data };
};

template <bool kEncrypt>
CardOutcome RunDesfireCipher(const TavikAlgBinding* library, RunInputs in) {
    const auto channel =
        Channel(in, {CipherAt::key, CipherAt::ti, CipherAt::counter, CipherAt::response});
    if (const CardRefusal* refusal = RefusalIn(channel)) {
        return *refusal;
    }
    const DesfireChannel& read = std::get<DesfireChannel>(channel);
    return kEncrypt ? DesfireEncrypt(*library, read, in[CipherAt::data].bytes)
                    : DesfireDecrypt(*library, read, in[CipherAt::data].bytes);
}

CardOperation DesfireCipher(bool encrypt) {
    return {.family = kDesfire,
            .title = encrypt ? "DESFire EV2 data encrypted" : "DESFire EV2 data decrypted",
            .command = {"desfire", encrypt ? "encrypt" : "decrypt"},
            .fixed = {},
            .summary = encrypt ? "Encrypt command or response data under SesAuthENCKey"
                               : "Decrypt command or response data under SesAuthENCKey",
            .details =
                std::string(encrypt ? "Pads DATA by ISO/IEC 9797-1 method 2 (80 00 ...) and "
                                      "encrypts it"
                                    : "Decrypts DATA (whole 16-byte blocks) and removes and "
                                      "checks its method-2 padding,") +
                " with AES-128 CBC under SesAuthENCKey from the IV E(key, A5 5A || TI || "
                "CmdCtr || eight zero bytes), 5A A5 with --response. With --trace, first the "
                "IV's input, the IV and each block.",
            .inputs = {KeyInput("SesAuthENCKey, 16 bytes"), HexInput("--ti", "TI", kTiHelp, kTi),
                       CounterInput(), ResponseInput(), HexInput("DATA", "Data", kDataHelp, kData)},
            .run = encrypt ? RunDesfireCipher<true> : RunDesfireCipher<false>};
}

struct Scp02At {
    enum : std::size_t { key, enc, mac, dek, counter, host, card };
};

// --key stands for each static key not given apart; without it, all three
// are needed.
CardOutcome RunScp02(const TavikAlgBinding* library, RunInputs in) {
    constexpr std::array<std::size_t, 3> kApart = {Scp02At::enc, Scp02At::mac, Scp02At::dek};
    constexpr std::array<std::string_view, 3> kNames = {"--enc", "--mac", "--dek"};
    std::array<std::span<const std::uint8_t>, 3> keys;
    for (std::size_t i = 0; i < kApart.size(); ++i) {
        const InputValue& apart = in[kApart[i]];
        if (!apart.given && !in[Scp02At::key].given) {
            return UsageRefusal(std::string(kNames[i]) + " is needed: give it or --key.");
        }
        keys[i] = apart.given ? apart.bytes : in[Scp02At::key].bytes;
    }
    return Scp02SessionKeys(*library, {.enc = keys[0], .mac = keys[1], .dek = keys[2]},
                            {.sequence_counter = in[Scp02At::counter].bytes,
                             .host_challenge = in[Scp02At::host].bytes,
                             .card_challenge = in[Scp02At::card].bytes});
}

OperationInput StaticKey(std::string_view option, std::string_view label, std::string_view help) {
    return HexInput(option, label, help, kKey, false);
}

OperationInput Challenge(std::string_view option, std::string_view label, std::string_view help) {
    return HexInput(option, label, help, {.label = label});
}

CardOperation Scp02Operation() {
    return {
        .family = kGlobalPlatform,
        .title = "SCP02 session",
        .command = {"gp", "scp02"},
        .fixed = {},
        .summary = "SCP02 session keys and cryptograms (two-key triple DES)",
        .details =
            "The SCP02 session: S-ENC, C-MAC, R-MAC and DEK, each the triple-DES CBC encryption "
            "from a zero IV of its constant (0182, 0101, 0102, 0181) || --counter || twelve zero "
            "bytes under the static ENC, MAC, MAC or DEK key; then the card cryptogram (host || "
            "counter || card challenge) and the host cryptogram (counter || card || host "
            "challenge), each the full triple-DES MAC under S-ENC with padding method 2. One "
            "labelled line each, in that order. --key gives the static key for each of --enc, "
            "--mac and --dek not given; without --key all three are needed. With --trace, first "
            "every input and block.",
        .inputs = {StaticKey("--key", "Key", "The static key for each one not given apart"),
                   StaticKey("--enc", "ENC key", "The static ENC key, 16 bytes"),
                   StaticKey("--mac", "MAC key", "The static MAC key, 16 bytes"),
                   StaticKey("--dek", "DEK key", "The static DEK key, 16 bytes"),
                   Challenge("--counter", "Sequence counter", "The sequence counter, 2 bytes"),
                   Challenge("--host-challenge", "Host challenge", "8 bytes"),
                   Challenge("--card-challenge", "Card challenge", "6 bytes")},
        .run = RunScp02};
}

struct CmacAt {
    enum : std::size_t { key, icv, icv_encrypt, apdu };
};

CardOutcome RunScp02Cmac(const TavikAlgBinding* library, RunInputs in) {
    const bool encrypt = in[CmacAt::icv_encrypt].given;
    if (encrypt && !in[CmacAt::icv].given) {
        return UsageRefusal("--icv-encrypt needs --icv.");
    }
    return Scp02CommandMac(*library,
                           {.c_mac_key = in[CmacAt::key].bytes,
                            .apdu = in[CmacAt::apdu].bytes,
                            .icv = in[CmacAt::icv].bytes,
                            .icv_use = encrypt ? Scp02Icv::encrypted : Scp02Icv::as_given});
}

CardOperation Scp02CmacOperation() {
    return {
        .family = kGlobalPlatform,
        .title = "SCP02 C-MAC",
        .command = {"gp", "scp02-cmac"},
        .fixed = {},
        .summary = "SCP02 C-MAC of one command APDU",
        .details =
            "The C-MAC of APDU, a short command APDU of any case (CLA INS P1 P2, then nothing, "
            "Le, Lc and data, or Lc, data and Le), as before wrapping: the retail MAC (ISO/IEC "
            "9797-1 algorithm 3, padding method 2) under the C-MAC session key from the ICV, "
            "over the header with 04 set in CLA and Lc raised by 8 (08 without data), then the "
            "data; Le is not MACed and follows the C-MAC. Extended-length APDUs are refused. "
            "Without --icv the ICV is zeros (the first command); with --icv-encrypt the ICV is "
            "first encrypted under single DES with the key's left half. With --trace, first the "
            "case read, the ICV, the MAC input, the MAC's steps and the APDU as sent.",
        .inputs = {KeyInput("The C-MAC session key, 16 bytes"),
                   HexInput("--icv", "ICV", "The ICV, 8 bytes: the previous C-MAC",
                            {.label = "ICV"}, false),
                   FlagInput("--icv-encrypt", "Encrypt the ICV",
                             "Encrypt the ICV first, as some cards ask; needs --icv"),
                   HexInput("APDU", "APDU", "The command APDU in hex; - reads standard input",
                            {.label = "APDU"})},
        .run = RunScp02Cmac};
}

struct Scp03At {
    enum : std::size_t { enc, mac, host, card };
};

CardOperation Scp03Operation() {
    return {
        .family = kGlobalPlatform,
        .title = "SCP03 session",
        .command = {"gp", "scp03"},
        .fixed = {},
        .summary = "SCP03 session keys and cryptograms (AES-128)",
        .details =
            "The SCP03 session (AES-128 keys, 8-byte challenges): S-ENC, S-MAC, S-RMAC, the card "
            "cryptogram and the host cryptogram, one labelled line each, in that order, derived "
            "by NIST SP 800-108 counter mode with AES-CMAC from eleven zero bytes, the constant "
            "(04, 06, 07, 00, 01), 00, the length in bits, the counter and host || card "
            "challenge: the keys under ENC (S-ENC) or MAC, the cryptograms under S-MAC. With "
            "--trace, first every input and CMAC step.",
        .inputs = {HexInput("--enc", "ENC key", "The static ENC key, 16 bytes", kKey),
                   HexInput("--mac", "MAC key", "The static MAC key, 16 bytes", kKey),
                   Challenge("--host-challenge", "Host challenge", "8 bytes"),
                   Challenge("--card-challenge", "Card challenge", "8 bytes")},
        .run = [](const TavikAlgBinding* library, RunInputs in) {
            return Scp03SessionKeys(*library, {.enc = in[Scp03At::enc].bytes,
                                               .mac = in[Scp03At::mac].bytes,
                                               .host_challenge = in[Scp03At::host].bytes,
                                               .card_challenge = in[Scp03At::card].bytes});
        }};
}

struct IccKeyAt {
    enum : std::size_t { imk, pan, psn };
};

CardOperation EmvIccKey() {
    return {
        .family = kEmv,
        .title = "EMV ICC master key",
        .command = {"emv", "icc-key"},
        .fixed = {},
        .summary = "The ICC master key from the issuer master key (option A)",
        .details = "The ICC master key by option A: Y is the rightmost 16 digits of PAN || PSN "
                   "(00 when --psn is not given), left-padded with zeros, two digits to a byte; "
                   "the key is E(IMK, Y) || E(IMK, Y XOR FF..FF) with two-key triple DES, odd "
                   "parity set. --pan and --psn are decimal digits, not hex. With --trace, first "
                   "Y and both halves.",
        .inputs = {HexInput("--imk", "IMK", "The issuer master key, 16 bytes", {.label = "IMK"}),
                   DigitsInput("--pan", "PAN", "The PAN, 1 to 19 decimal digits", "DIGITS"),
                   DigitsInput("--psn", "PSN", "The PAN sequence number, 2 decimal digits", "NN",
                               false)},
        .run = [](const TavikAlgBinding* library, RunInputs in) {
            return EmvIccMasterKey(*library, in[IccKeyAt::imk].bytes, in[IccKeyAt::pan].text,
                                   in[IccKeyAt::psn].text);
        }};
}

struct SessionKeyAt {
    enum : std::size_t { key, r };
};

CardOperation EmvSessionKeyOperation() {
    return {
        .family = kEmv,
        .title = "EMV session key",
        .command = {"emv", "session-key"},
        .fixed = {},
        .summary = "The common session key from the ICC master key",
        .details = "The EMV common session key: E(MK, R with byte 2 set to F0) || E(MK, R "
                   "with byte 2 set to 0F) with two-key triple DES, odd parity set. With "
                   "--trace, first both inputs and halves.",
        .inputs = {KeyInput("The ICC master key, 16 bytes"),
                   HexInput("--r", "R", "R, 8 bytes (ATC || 00 00 || UN, say)", {.label = "R"})},
        .run = [](const TavikAlgBinding* library, RunInputs in) {
            return EmvSessionKey(*library, in[SessionKeyAt::key].bytes, in[SessionKeyAt::r].bytes);
        }};
}

struct ArqcAt {
    enum : std::size_t { key, padding, data };
};

CardOperation EmvArqcOperation() {
    const std::vector<InputWord> paddings =
        WordsOf<PaddingMethod>(PaddingMethodWords(), [](PaddingMethod method) {
            return method != PaddingMethod::length_block;
        });
    return {.family = kEmv,
            .title = "EMV ARQC",
            .command = {"emv", "arqc"},
            .fixed = {},
            .summary = "The application cryptogram over DATA",
            .details =
                "The application cryptogram: the retail MAC (ISO/IEC 9797-1 algorithm 3) under "
                "the session key over DATA padded by method 2 (80 00 ...) or, with --padding "
                "1, method 1 (zeros). With --trace, first the MAC's steps.",
            .inputs = {KeyInput("The session key, 16 bytes"),
                       WordInput("--padding", "Padding method",
                                 WordHelp("ISO/IEC 9797-1 padding method (default 2)", paddings),
                                 paddings, "2"),
                       HexInput("DATA", "Data", kDataHelp, kData)},
            .run = [](const TavikAlgBinding* library, RunInputs in) {
                return EmvArqc(*library, in[ArqcAt::key].bytes, in[ArqcAt::data].bytes,
                               WordValue(PaddingMethodWords(), in[ArqcAt::padding]).value());
            }};
}

struct ArpcAt {
    enum : std::size_t { key, arqc, arc };
};

CardOperation EmvArpcOperation() {
    return {.family = kEmv,
            .title = "EMV ARPC",
            .command = {"emv", "arpc"},
            .fixed = {},
            .summary = "ARPC method 1",
            .details = "ARPC method 1: E(K, ARQC XOR (ARC || six zero bytes)) with two-key "
                       "triple DES. With --trace, first the block encrypted.",
            .inputs = {KeyInput("The key, 16 bytes"),
                       HexInput("--arqc", "ARQC", "The ARQC, 8 bytes", {.label = "ARQC"}),
                       HexInput("--arc", "ARC", "The response code, 2 bytes", {.label = "ARC"})},
            .run = [](const TavikAlgBinding* library, RunInputs in) {
                return EmvArpc(*library, in[ArpcAt::key].bytes, in[ArpcAt::arqc].bytes,
                               in[ArpcAt::arc].bytes);
            }};
}

} // namespace

std::vector<CardOperation> SecureChannelOperations() {
    std::vector<CardOperation> operations;
    operations.push_back(DesfireSession());
    operations.push_back(DesfireMacOperation());
    operations.push_back(DesfireCipher(true));
    operations.push_back(DesfireCipher(false));
    operations.push_back(Scp02Operation());
    operations.push_back(Scp02CmacOperation());
    operations.push_back(Scp03Operation());
    operations.push_back(EmvIccKey());
    operations.push_back(EmvSessionKeyOperation());
    operations.push_back(EmvArqcOperation());
    operations.push_back(EmvArpcOperation());
    return operations;
}

} // namespace orvelin::card
