// tavik cmac: the window's CMAC buttons, over messages up to each export's limit.
#include "cmac_trace.h"
#include "command.h"
#include "common_options.h"
#include "exit_status.h"

namespace orvelin::cli {
namespace {

struct CmacOptions {
    Cipher cipher = Cipher::aes;
    std::string key;
    std::string iv;
    std::string data;
    bool trace = false;
    CLI::Option* iv_given = nullptr;
};

std::variant<Refusal, CheckedInput> ReadInput(Session& session, const CmacOptions& options) {
    const CipherFacts& facts = FactsOf(options.cipher);
    const HexArgument key = session.Argument(orvelin::messages::kSessionKeyLabel, options.key);
    const HexArgument data = session.Argument(orvelin::messages::kDataInLabel, options.data);
    std::optional<HexArgument> iv;
    if (options.iv_given->count() != 0) {
        iv = session.Argument(orvelin::messages::kIvLabel, options.iv);
    }
    return CheckInput(key, iv ? &*iv : nullptr, data, {facts.algorithm, false, facts.cmac_limit});
}

// The window's AES CMAC field: bytes 1, 3, ..., 15 of the MAC.
Bytes OddBytes(const Bytes& mac) {
    Bytes odd;
    for (std::size_t i = 1; i < mac.size(); i += 2) {
        odd.push_back(mac[i]);
    }
    return odd;
}

int Run(Session& session, const CmacOptions& options) {
    const TavikAlgBinding& library = session.Library();
    const auto read = ReadInput(session, options);
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        return session.Refuse(refusal->message);
    }
    const auto& input = std::get<CheckedInput>(read);
    const Bytes mac = RunCmac(library, options.cipher, input);
    if (options.trace) {
        const BlockCipher cipher(library, options.cipher, input.key);
        const Trace trace = TraceCmac(cipher, input.iv, input.data);
        if (!PrintCheckedTrace(session, trace, mac, CmacExportName(options.cipher))) {
            return kRefused;
        }
    }
    session.PrintBytes(mac);
    if (options.cipher == Cipher::aes) {
        session.PrintBytes(OddBytes(mac));
    }
    return kDone;
}

std::string Details() {
    return "The CMAC of DATA (any length: up to " +
           std::to_string(FactsOf(Cipher::aes).cmac_limit) + " bytes for AES, " +
           std::to_string(FactsOf(Cipher::three_key_tdes).cmac_limit) +
           " for triple DES), chained from --iv as the library's CMAC exports chain it. Prints "
           "the full MAC; for AES a second line holds the 8 bytes the window's CMAC field "
           "shows, bytes 1, 3, ..., 15 of the MAC. With --trace, first: L = E(K, 0), the subkeys "
           "K1 "
           "and K2, each block's input, chaining value and output, the last block before and "
           "after padding and masking, the MAC, and 'check: equals' with the export.";
}

} // namespace

Command AddCmacCommand(CLI::App& tavik) {
    auto options = std::make_shared<CmacOptions>();
    CLI::App* command =
        AddCommand(tavik, "cmac", "CMAC of DATA: AES-128, two- or three-key triple DES", Details());
    AddCipherOption(*command, options->cipher, CmacCiphers());
    AddKeyOption(*command, options->key);
    options->iv_given = AddIvOption(*command, options->iv, "zeros when not given");
    AddTraceFlag(*command, options->trace);
    AddDataArgument(*command, options->data);
    return {command, [options](Session& session) { return Run(session, *options); }};
}

} // namespace orvelin::cli
