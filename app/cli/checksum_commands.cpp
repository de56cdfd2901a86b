// tavik crc16 | crc32 | xor: the window's CalcCRC and Key Xor In, which need
// no library.
#include "byte_ops.h"
#include "checksums.h"
#include "command.h"
#include "common_options.h"
#include "exit_status.h"
#include "input_checks.h"

namespace orvelin::cli {
namespace {

int RunChecksum(Session& session, const std::string& argument,
                Bytes (*checksum)(std::span<const std::uint8_t>)) {
    const HexArgument data = session.Argument(orvelin::messages::kDataInLabel, argument);
    if (auto refusal = RefuseUnreadableOrLong({&data}, kDataLimit)) {
        return session.Refuse(refusal->message);
    }
    session.PrintBytes(checksum(data.ToBytes()));
    return kDone;
}

std::string LimitText() {
    return " DATA: up to " + std::to_string(kDataLimit) + " bytes. No library is loaded.";
}

Command AddChecksumCommand(CLI::App& tavik, const char* name, const std::string& summary,
                           const std::string& details,
                           Bytes (*checksum)(std::span<const std::uint8_t>)) {
    auto data = std::make_shared<std::string>();
    CLI::App* command = AddCommand(tavik, name, summary, details + LimitText());
    AddDataArgument(*command, *data);
    return {command,
            [data, checksum](Session& session) { return RunChecksum(session, *data, checksum); }};
}

struct XorOptions {
    std::string a;
    std::string b;
};

int RunXor(Session& session, const XorOptions& options) {
    const HexArgument a = session.Argument("A", options.a);
    const HexArgument b = session.Argument("B", options.b);
    if (auto refusal = RefuseUnreadableOrLong({&a, &b}, kDataLimit)) {
        return session.Refuse(refusal->message);
    }
    session.PrintBytes(Xor(a.ToBytes(), b.ToBytes()));
    return kDone;
}

} // namespace

Command AddCrc16Command(CLI::App& tavik) {
    return AddChecksumCommand(tavik, "crc16", "CRC_A of ISO/IEC 14443-3 over DATA",
                              "CRC_A of ISO/IEC 14443-3 (from 0x6363), least significant byte "
                              "first as the window shows it.",
                              Crc16Shown);
}

Command AddCrc32Command(CLI::App& tavik) {
    return AddChecksumCommand(tavik, "crc32", "CRC-32, without final complement, over DATA",
                              "CRC-32 (from 0xFFFFFFFF, reflected polynomial 0xEDB88320) without "
                              "the final complement, least significant byte first as the window "
                              "shows it.",
                              Crc32Shown);
}

Command AddXorCommand(CLI::App& tavik) {
    auto options = std::make_shared<XorOptions>();
    CLI::App* command =
        AddCommand(tavik, "xor", "A XOR B over the shorter of the two",
                   "A XOR B byte by byte over the shorter of the two, as the window's Key Xor In "
                   "does; each up to " +
                       std::to_string(kDataLimit) + " bytes. No library is loaded.");
    command->add_option("A", options->a, "Hex; - reads standard input")
        ->required()
        ->type_name("HEX");
    command->add_option("B", options->b, "Hex; - reads standard input")
        ->required()
        ->type_name("HEX");
    return {command, [options](Session& session) { return RunXor(session, *options); }};
}

} // namespace orvelin::cli
