// The secure-channel commands, each a second word under its family: desfire
// (EV2 / NTAG 424 DNA secure messaging), gp (GlobalPlatform SCP02 and SCP03)
// and emv. Each hands its arguments to the card operation, which refuses
// them or returns its values with the steps a trace prints; the operation
// checks its steps against the library's whole-message export, named here.
#include "tavik.h"

#include "desfire.h"
#include "emv.h"
#include "scp02.h"
#include "scp03.h"
#include "word_option.h"

#include <memory>

namespace orvelin::cli {
namespace {

// A family word ("desfire") whose commands are its subcommands; options the
// family does not know (--library, --spaced before the command) fall through
// to tavik.
CLI::App& AddFamily(CLI::App& tavik, const std::string& name, const std::string& summary) {
    CLI::App* family = tavik.add_subcommand(name, summary);
    family->require_subcommand(1);
    family->fallthrough();
    family->footer(tavik.get_footer());
    return *family;
}

constexpr FieldSpec kCardKey{.label = "Key"};
constexpr FieldSpec kTi{.label = "TI"};
constexpr FieldSpec kCode{.label = "Command code"};
constexpr FieldSpec kCardData{.label = "Data", .capacity = card::kMaxCardData};

struct DesfireOptions {
    std::uint64_t counter = 0;
    bool response = false;
};

// --counter and --response, which every secure-messaging command takes.
std::shared_ptr<DesfireOptions> AddChannelOptions(Command& command) {
    auto options = std::make_shared<DesfireOptions>();
    command.app()
        .add_option("--counter", options->counter,
                    "CmdCtr, decimal (0 to 65535); for --response, the counter after the command")
        ->type_name("N")
        ->required();
    command.app().add_flag("--response", options->response,
                           "The response's computation instead of the command's");
    return options;
}

card::DesfireChannel Channel(const Bytes& key, const Bytes& ti, const DesfireOptions& options) {
    return {.key = key,
            .ti = ti,
            .counter = options.counter,
            .direction = options.response ? card::DesfireDirection::response
                                          : card::DesfireDirection::command};
}

void AddDesfireSession(CLI::App& desfire, Session& session) {
    Command& command = session.AddCommand(
        desfire, "session", "SesAuthENCKey and SesAuthMACKey after AuthenticateEV2First",
        "The session keys of an AES-128 AuthenticateEV2First: the AES-CMAC under --key of SV1 "
        "(A5 5A 00 01 00 80 ...) and SV2 (5A A5 ...), each followed by RndA[0..1], RndA[2..7] "
        "XOR RndB[0..5], RndB[6..15], RndA[8..15]. Prints 'SesAuthENCKey HEX' and "
        "'SesAuthMACKey HEX'. With --trace, first SV1, SV2 and both CMACs' steps.");
    const HexArgument& key = command.Hex("--key", kCardKey, "The application key, 16 bytes");
    const HexArgument& rnd_a =
        command.Hex("--rnda", {.label = "RndA"}, "The PCD's random RndA, 16 bytes");
    const HexArgument& rnd_b =
        command.Hex("--rndb", {.label = "RndB"}, "The PICC's random RndB, 16 bytes");
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&key, &rnd_a, &rnd_b}, [](Session& s, const std::vector<Bytes>& b) {
        return s.Print(card::DesfireSessionKeys(s.Library(), b[0], b[1], b[2]));
    });
}

void AddDesfireMac(CLI::App& desfire, Session& session) {
    Command& command = session.AddCommand(
        desfire, "mac", "MACt of a command or, with --response, a response",
        "MACt: bytes 1, 3, ..., 15 of the AES-CMAC under SesAuthMACKey of the code, CmdCtr "
        "(least significant byte first), TI and DATA. For a command, --command is its code and "
        "DATA its header and data as sent; with --response, --command holds the response code, "
        "--counter the counter after the command, and DATA the response data. DATA may be left "
        "out when empty. With --trace, first the MAC input and the CMAC's steps.");
    const HexArgument& key = command.Hex("--key", kCardKey, "SesAuthMACKey, 16 bytes");
    const HexArgument& ti = command.Hex("--ti", kTi, "The transaction identifier, 4 bytes");
    const HexArgument& code =
        command.Hex("--command", kCode, "The command code (or the response code), 1 byte");
    const auto options = AddChannelOptions(command);
    const HexArgument& data =
        command.Hex("DATA", kCardData, kDataHelp, Command::Presence::optional);
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&key, &ti, &code, &data}, [options](Session& s,
                                                            const std::vector<Bytes>& b) {
        return s.Print(card::DesfireMac(s.Library(), Channel(b[0], b[1], *options), b[2], b[3]));
    });
}

void AddDesfireCipher(CLI::App& desfire, Session& session, Direction direction) {
    const bool encrypt = direction == Direction::encrypt;
    Command& command = session.AddCommand(
        desfire, encrypt ? "encrypt" : "decrypt",
        encrypt ? "Encrypt command or response data under SesAuthENCKey"
                : "Decrypt command or response data under SesAuthENCKey",
        std::string(encrypt ? "Pads DATA by ISO/IEC 9797-1 method 2 (80 00 ...) and encrypts it"
                            : "Decrypts DATA (whole 16-byte blocks) and removes and checks its "
                              "method-2 padding,") +
            " with AES-128 CBC under SesAuthENCKey from the IV E(key, A5 5A || TI || CmdCtr || "
            "eight zero bytes), 5A A5 with --response. With --trace, first the IV's input, the "
            "IV and each block.");
    const HexArgument& key = command.Hex("--key", kCardKey, "SesAuthENCKey, 16 bytes");
    const HexArgument& ti = command.Hex("--ti", kTi, "The transaction identifier, 4 bytes");
    const auto options = AddChannelOptions(command);
    const HexArgument& data = command.Hex("DATA", kCardData, kDataHelp);
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes(
        {&key, &ti, &data}, [options, encrypt](Session& s, const std::vector<Bytes>& b) {
            const card::DesfireChannel channel = Channel(b[0], b[1], *options);
            return s.Print(encrypt ? card::DesfireEncrypt(s.Library(), channel, b[2])
                                   : card::DesfireDecrypt(s.Library(), channel, b[2]));
        });
}

void AddScp02(CLI::App& gp, Session& session) {
    Command& command = session.AddCommand(
        gp, "scp02", "SCP02 session keys and cryptograms (two-key triple DES)",
        "The SCP02 session: S-ENC, C-MAC, R-MAC and DEK, each the triple-DES CBC encryption "
        "from a zero IV of its constant (0182, 0101, 0102, 0181) || --counter || twelve zero "
        "bytes under the static ENC, MAC, MAC or DEK key; then the card cryptogram (host || "
        "counter || card challenge) and the host cryptogram (counter || card || host "
        "challenge), each the full triple-DES MAC under S-ENC with padding method 2. One "
        "labelled line each, in that order. --key gives the static key for each of --enc, --mac "
        "and --dek not given; without --key all three are needed. With --trace, first every "
        "input and block.");
    const auto key_option = [&command](const std::string& name, const std::string& help) {
        return &command.Hex(name, kCardKey, help, Command::Presence::optional);
    };
    const HexArgument* key = key_option("--key", "The static key for each one not given apart");
    const HexArgument* enc = key_option("--enc", "The static ENC key, 16 bytes");
    const HexArgument* mac = key_option("--mac", "The static MAC key, 16 bytes");
    const HexArgument* dek = key_option("--dek", "The static DEK key, 16 bytes");
    const HexArgument& counter =
        command.Hex("--counter", {.label = "Sequence counter"}, "The sequence counter, 2 bytes");
    const HexArgument& host =
        command.Hex("--host-challenge", {.label = "Host challenge"}, "8 bytes");
    const HexArgument& card =
        command.Hex("--card-challenge", {.label = "Card challenge"}, "6 bytes");
    command.TraceFlag(kTraceHelp);
    const std::vector<const HexArgument*> apart = {enc, mac, dek};
    command.RunOnBytes(
        {key, enc, mac, dek, &counter, &host, &card},
        [key, apart](Session& s, const std::vector<Bytes>& b) {
            // b[0] is --key, b[1 + i] the key given apart.
            const auto static_key = [&](std::size_t i) -> const Bytes& {
                return apart[i]->given() ? b[1 + i] : b[0];
            };
            for (std::size_t i = 0; i < apart.size(); ++i) {
                if (!apart[i]->given() && !key->given()) {
                    s.Refuse(apart[i]->option->get_name() + " is needed: give it or --key.");
                    return kWrongUsage;
                }
            }
            const card::Scp02StaticKeys keys{
                .enc = static_key(0), .mac = static_key(1), .dek = static_key(2)};
            return s.Print(card::Scp02SessionKeys(
                s.Library(), keys,
                {.sequence_counter = b[4], .host_challenge = b[5], .card_challenge = b[6]}));
        });
}

void AddScp02Cmac(CLI::App& gp, Session& session) {
    Command& command = session.AddCommand(
        gp, "scp02-cmac", "SCP02 C-MAC of one command APDU",
        "The C-MAC of APDU, a short command APDU of any case (CLA INS P1 P2, then nothing, Le, "
        "Lc and data, or Lc, data and Le), as before wrapping: the retail MAC (ISO/IEC 9797-1 "
        "algorithm 3, padding method 2) under the C-MAC session key from the ICV, over the "
        "header with 04 set in CLA and Lc raised by 8 (08 without data), then the data; Le is "
        "not MACed and follows the C-MAC. Extended-length APDUs are refused. Without "
        "--icv the ICV is zeros (the first command); with --icv-encrypt the ICV is first "
        "encrypted under single DES with the key's left half. With --trace, first the case read, "
        "the ICV, the MAC input, the MAC's steps and the APDU as sent.");
    auto icv_encrypt = std::make_shared<bool>(false);
    const HexArgument& key = command.Hex("--key", kCardKey, "The C-MAC session key, 16 bytes");
    const HexArgument& icv =
        command.Hex("--icv", {.label = "ICV"}, "The ICV, 8 bytes: the previous C-MAC",
                    Command::Presence::optional);
    command.app()
        .add_flag("--icv-encrypt", *icv_encrypt, "Encrypt the ICV first, as some cards ask")
        ->needs(icv.option);
    const HexArgument& apdu =
        command.Hex("APDU", {.label = "APDU"}, "The command APDU in hex; - reads standard input");
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&key, &icv, &apdu}, [icv_encrypt](Session& s, const std::vector<Bytes>& b) {
        const card::Scp02CommandMacRequest request{
            .c_mac_key = b[0],
            .apdu = b[2],
            .icv = b[1],
            .icv_use = *icv_encrypt ? card::Scp02Icv::encrypted : card::Scp02Icv::as_given};
        return s.Print(card::Scp02CommandMac(s.Library(), request));
    });
}

void AddScp03(CLI::App& gp, Session& session) {
    Command& command = session.AddCommand(
        gp, "scp03", "SCP03 session keys and cryptograms (AES-128)",
        "The SCP03 session (AES-128 keys, 8-byte challenges): S-ENC, S-MAC, S-RMAC, the card "
        "cryptogram and the host cryptogram, one labelled line each, in that order, derived by "
        "NIST SP 800-108 counter mode with AES-CMAC from eleven zero bytes, the constant (04, "
        "06, 07, 00, 01), 00, the length in bits, the counter and host || card challenge: the "
        "keys under ENC (S-ENC) or MAC, the cryptograms under S-MAC. With --trace, first every "
        "input and CMAC step.");
    const HexArgument& enc = command.Hex("--enc", kCardKey, "The static ENC key, 16 bytes");
    const HexArgument& mac = command.Hex("--mac", kCardKey, "The static MAC key, 16 bytes");
    const HexArgument& host =
        command.Hex("--host-challenge", {.label = "Host challenge"}, "8 bytes");
    const HexArgument& card =
        command.Hex("--card-challenge", {.label = "Card challenge"}, "8 bytes");
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&enc, &mac, &host, &card}, [](Session& s, const std::vector<Bytes>& b) {
        return s.Print(card::Scp03SessionKeys(
            s.Library(),
            {.enc = b[0], .mac = b[1], .host_challenge = b[2], .card_challenge = b[3]}));
    });
}

struct AccountNumber {
    std::string pan;
    std::string psn;
};

void AddEmvIccKey(CLI::App& emv, Session& session) {
    Command& command = session.AddCommand(
        emv, "icc-key", "The ICC master key from the issuer master key (option A)",
        "The ICC master key by option A: Y is the rightmost 16 digits of PAN || PSN (00 when "
        "--psn is not given), left-padded with zeros, two digits to a byte; the key is "
        "E(IMK, Y) || E(IMK, Y XOR FF..FF) with two-key triple DES, odd parity set. --pan and "
        "--psn are decimal digits, not hex. With --trace, first Y and both halves.");
    auto account = std::make_shared<AccountNumber>();
    const HexArgument& imk =
        command.Hex("--imk", {.label = "IMK"}, "The issuer master key, 16 bytes");
    command.app()
        .add_option("--pan", account->pan, "The PAN, 1 to 19 decimal digits")
        ->type_name("DIGITS")
        ->required();
    command.app()
        .add_option("--psn", account->psn, "The PAN sequence number, 2 decimal digits")
        ->type_name("NN");
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&imk}, [account](Session& s, const std::vector<Bytes>& b) {
        return s.Print(card::EmvIccMasterKey(s.Library(), b[0], account->pan, account->psn));
    });
}

void AddEmvSessionKey(CLI::App& emv, Session& session) {
    Command& command = session.AddCommand(
        emv, "session-key", "The common session key from the ICC master key",
        "The EMV common session key: E(MK, R with byte 2 set to F0) || E(MK, R with byte 2 set "
        "to 0F) with two-key triple DES, odd parity set. With --trace, first both inputs and "
        "halves.");
    const HexArgument& key = command.Hex("--key", kCardKey, "The ICC master key, 16 bytes");
    const HexArgument& r =
        command.Hex("--r", {.label = "R"}, "R, 8 bytes (ATC || 00 00 || UN, say)");
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&key, &r}, [](Session& s, const std::vector<Bytes>& b) {
        return s.Print(card::EmvSessionKey(s.Library(), b[0], b[1]));
    });
}

void AddEmvArqc(CLI::App& emv, Session& session) {
    Command& command = session.AddCommand(
        emv, "arqc", "The application cryptogram over DATA",
        "The application cryptogram: the retail MAC (ISO/IEC 9797-1 algorithm 3) under the "
        "session key over DATA padded by method 2 (80 00 ...) or, with --padding 1, method 1 "
        "(zeros). With --trace, first the MAC's steps.");
    auto padding = std::make_shared<card::PaddingMethod>(card::PaddingMethod::mark_then_zeros);
    const HexArgument& key = command.Hex("--key", kCardKey, "The session key, 16 bytes");
    AddWordOption<card::PaddingMethod>(
        command.app(), "--padding", card::PaddingMethodWords(),
        [padding](card::PaddingMethod method) { *padding = method; },
        "ISO/IEC 9797-1 padding method (default 2)",
        [](card::PaddingMethod method) { return method != card::PaddingMethod::length_block; });
    const HexArgument& data = command.Hex("DATA", kCardData, kDataHelp);
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&key, &data}, [padding](Session& s, const std::vector<Bytes>& b) {
        return s.Print(card::EmvArqc(s.Library(), b[0], b[1], *padding));
    });
}

void AddEmvArpc(CLI::App& emv, Session& session) {
    Command& command = session.AddCommand(
        emv, "arpc", "ARPC method 1",
        "ARPC method 1: E(K, ARQC XOR (ARC || six zero bytes)) with two-key triple DES. With "
        "--trace, first the block encrypted.");
    const HexArgument& key = command.Hex("--key", kCardKey, "The key, 16 bytes");
    const HexArgument& arqc = command.Hex("--arqc", {.label = "ARQC"}, "The ARQC, 8 bytes");
    const HexArgument& arc = command.Hex("--arc", {.label = "ARC"}, "The response code, 2 bytes");
    command.TraceFlag(kTraceHelp);
    command.RunOnBytes({&key, &arqc, &arc}, [](Session& s, const std::vector<Bytes>& b) {
        return s.Print(card::EmvArpc(s.Library(), b[0], b[1], b[2]));
    });
}

} // namespace

void AddSecureChannelCommands(CLI::App& tavik, Session& session) {
    CLI::App& desfire =
        AddFamily(tavik, "desfire", "DESFire EV2 / NTAG 424 DNA: session keys, MACt, data");
    AddDesfireSession(desfire, session);
    AddDesfireMac(desfire, session);
    AddDesfireCipher(desfire, session, Direction::encrypt);
    AddDesfireCipher(desfire, session, Direction::decrypt);

    CLI::App& gp = AddFamily(tavik, "gp", "GlobalPlatform SCP02 and SCP03 sessions, SCP02 C-MAC");
    AddScp02(gp, session);
    AddScp02Cmac(gp, session);
    AddScp03(gp, session);

    CLI::App& emv = AddFamily(tavik, "emv", "EMV ICC master key, session key, ARQC, ARPC");
    AddEmvIccKey(emv, session);
    AddEmvSessionKey(emv, session);
    AddEmvArqc(emv, session);
    AddEmvArpc(emv, session);
}

} // namespace orvelin::cli
