// tavik encrypt | decrypt: the window's Encrypt and Decrypt buttons.
#include "cipher_trace.h"
#include "command.h"
#include "common_options.h"
#include "exit_status.h"

namespace orvelin::cli {
namespace {

struct CipherOptions {
    Cipher cipher = Cipher::des;
    std::string key;
    std::string iv;
    std::string data;
    bool cbc = false;
    bool trace = false;
};

std::variant<Refusal, CheckedInput> ReadInput(Session& session, const CipherOptions& options) {
    const CipherFacts& facts = FactsOf(options.cipher);
    const HexArgument key = session.Argument(orvelin::messages::kSessionKeyLabel, options.key);
    const HexArgument data = session.Argument(orvelin::messages::kDataInLabel, options.data);
    std::optional<HexArgument> iv;
    if (options.cbc) {
        iv = session.Argument(orvelin::messages::kIvLabel, options.iv);
    }
    return CheckInput(key, iv ? &*iv : nullptr, data, {facts.algorithm, true, facts.data_limit});
}

int Run(Session& session, const CipherOptions& options, Direction direction) {
    const TavikAlgBinding& library = session.Library();
    const auto read = ReadInput(session, options);
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        return session.Refuse(refusal->message);
    }
    const auto& input = std::get<CheckedInput>(read);
    const Bytes result = RunCipher(library, options.cipher, direction, options.cbc, input);
    if (options.trace) {
        const BlockCipher cipher(library, options.cipher, input.key);
        const Trace trace = TraceCipher(cipher, direction, options.cbc, input.iv, input.data);
        if (!PrintCheckedTrace(session, trace, result,
                               CipherExportName(options.cipher, direction, options.cbc))) {
            return kRefused;
        }
    }
    session.PrintBytes(result);
    return kDone;
}

std::string Details(Direction direction) {
    const bool encrypt = direction == Direction::encrypt;
    return std::string(encrypt ? "Encrypts" : "Decrypts") +
           " DATA, whole blocks (8 bytes for the DES family, 16 for AES), in ECB or, with --cbc, "
           "in CBC from --iv, as the window's " +
           (encrypt ? "Encrypt" : "Decrypt") +
           " button does, with the window's checks and "
           "messages; up to " +
           std::to_string(FactsOf(Cipher::des).data_limit) + " bytes (DES family) or " +
           std::to_string(FactsOf(Cipher::aes).data_limit) +
           " (AES). With --trace, each block's input, chaining value (CBC) and output come "
           "first, then 'check: equals' and the export whose answer the steps match.";
}

} // namespace

Command AddCipherCommand(CLI::App& tavik, Direction direction) {
    const bool encrypt = direction == Direction::encrypt;
    auto options = std::make_shared<CipherOptions>();
    CLI::App* command =
        AddCommand(tavik, encrypt ? "encrypt" : "decrypt",
                   std::string(encrypt ? "Encrypt" : "Decrypt") +
                       " DATA: DES, two- or three-key triple DES, or AES-128; ECB or CBC",
                   Details(direction));
    AddCipherOption(*command, options->cipher, AllCiphers());
    AddKeyOption(*command, options->key);
    CLI::Option* cbc = command->add_flag("--cbc", options->cbc, "CBC instead of ECB; needs --iv");
    CLI::Option* iv = AddIvOption(*command, options->iv, "with --cbc");
    cbc->needs(iv);
    iv->needs(cbc);
    AddTraceFlag(*command, options->trace);
    AddDataArgument(*command, options->data);
    return {command,
            [options, direction](Session& session) { return Run(session, *options, direction); }};
}

} // namespace orvelin::cli
