// tavik kcv: the key check value, by either of the two conventions in use.
#include "block_cipher.h"
#include "cli_messages.h"
#include "command.h"
#include "common_options.h"
#include "exit_status.h"

namespace orvelin::cli {
namespace {

constexpr std::size_t kZeroBlockKcvLength = 3;
constexpr std::size_t kCmacKcvLength = 5;

struct KcvOptions {
    Cipher cipher = Cipher::des;
    std::string key;
    bool cmac = false;
};

Bytes ZeroBlockKcv(const TavikAlgBinding& library, Cipher cipher, const Bytes& key) {
    const BlockCipher block_cipher(library, cipher, key);
    Bytes block(block_cipher.block_size());
    block_cipher.Encrypt(block);
    block.resize(kZeroBlockKcvLength);
    return block;
}

// One zero block, chained from a zero IV.
Bytes CmacKcv(const TavikAlgBinding& library, const Bytes& key) {
    const CheckedInput input{key, Bytes(TAVIK_AES_BLOCK_SIZE), Bytes(TAVIK_AES_BLOCK_SIZE)};
    Bytes mac = RunCmac(library, Cipher::aes, input);
    mac.resize(kCmacKcvLength);
    return mac;
}

int Run(Session& session, const KcvOptions& options) {
    if (options.cmac && options.cipher != Cipher::aes) {
        session.Refuse(messages::kCmacKcvAesOnly);
        return kWrongUsage;
    }
    const TavikAlgBinding& library = session.Library();
    const HexArgument key = session.Argument(orvelin::messages::kSessionKeyLabel, options.key);
    const HexArgument no_data{orvelin::messages::kDataInLabel, {}, {}};
    const auto read =
        CheckInput(key, nullptr, no_data, {FactsOf(options.cipher).algorithm, false, 0});
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        return session.Refuse(refusal->message);
    }
    const Bytes& checked_key = std::get<CheckedInput>(read).key;
    session.PrintBytes(options.cmac ? CmacKcv(library, checked_key)
                                    : ZeroBlockKcv(library, options.cipher, checked_key));
    return kDone;
}

constexpr std::string_view kHelp =
    "The key check value (KCV) of --key. Without --cmac: the first 3 bytes of the key's "
    "encryption of one all-zero block (8 bytes for the DES family, 16 for AES), the long-standing "
    "convention of key-management practice, as used for TDEA keys under ANSI X9.24. With --cmac "
    "(AES keys only): the leftmost 5 bytes of the AES-CMAC of one all-zero 16-byte block from a "
    "zero IV, the CMAC-based check value that payment-card key-block practice uses for AES keys "
    "(as described in ANSI X9.24-1); some systems show only its first 3 bytes. The two "
    "conventions give different values for the same key.";

} // namespace

Command AddKcvCommand(CLI::App& tavik) {
    auto options = std::make_shared<KcvOptions>();
    CLI::App* command = AddCommand(tavik, "kcv", "Key check value of --key", kHelp);
    AddCipherOption(*command, options->cipher, AllCiphers());
    AddKeyOption(*command, options->key);
    command->add_flag(
        "--cmac", options->cmac,
        "The CMAC-based check value (5 bytes) instead of the zero-block one (3 bytes)");
    return {command, [options](Session& session) { return Run(session, *options); }};
}

} // namespace orvelin::cli
