// tavik verify: NIST CAVP response files through the library, one line per file.
#include "cavp_check.h"
#include "command.h"
#include "common_options.h"
#include "exit_status.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <set>

namespace orvelin::cli {
namespace {

struct FileTally {
    std::size_t passed = 0;
    std::size_t failed = 0;
    std::size_t skipped = 0;
    std::map<std::string, std::size_t> skip_reasons;
    std::map<std::string, std::size_t> notes; // records that needed each
};

std::string RecordName(const std::string& path, const CavpRecord& record) {
    const std::string* count = record.Find("count");
    return path + ":" + std::to_string(record.line) + ": " +
           (record.section.empty() ? "" : "[" + record.section + "] ") + "COUNT " +
           (count != nullptr ? *count : "?");
}

void Tally(const RecordResult& result, FileTally& tally) {
    for (const auto& note : std::set<std::string>(result.notes.begin(), result.notes.end())) {
        ++tally.notes[note];
    }
    switch (result.verdict) {
    case Verdict::passed:
        ++tally.passed;
        break;
    case Verdict::failed:
        ++tally.failed;
        break;
    case Verdict::skipped:
        ++tally.skipped;
        ++tally.skip_reasons[result.reason];
        break;
    }
}

std::string Summary(const std::string& path, const FileTally& tally) {
    std::string line = path + ": " + std::to_string(tally.passed) + " passed, " +
                       std::to_string(tally.failed) + " failed, " + std::to_string(tally.skipped) +
                       " skipped";
    for (const auto& [reason, count] : tally.skip_reasons) {
        line += " [" + std::to_string(count) + " skipped: " + reason + "]";
    }
    for (const auto& [note, count] : tally.notes) {
        line += " [" + std::to_string(count) + " records: " + note + "]";
    }
    return line;
}

// True when every record passed or was skipped; failures are named on
// standard error.
bool VerifyFile(Session& session, const TavikAlgBinding& library, const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<CavpRecord> records = ReadCavpRecords(file);
    if (!file.eof() || records.empty()) {
        session.PrintLine(path + ": no CAVP records read");
        return false;
    }
    FileTally tally;
    for (const CavpRecord& record : records) {
        const RecordResult result = CheckRecord(library, record);
        if (result.verdict == Verdict::failed) {
            session.Refuse(RecordName(path, record) + ": " + result.reason);
        }
        Tally(result, tally);
    }
    session.PrintLine(Summary(path, tally));
    return tally.failed == 0;
}

int Run(Session& session, const std::vector<std::string>& files) {
    const TavikAlgBinding& library = session.Library();
    bool all_passed = true;
    for (const std::string& path : files) {
        all_passed = VerifyFile(session, library, path) && all_passed;
    }
    return all_passed ? kDone : kRefused;
}

constexpr std::string_view kHelp =
    "Run every record of NIST CAVP response files through the library and print one line per "
    "file: records passed, failed, and skipped as outside the exports' contract, with the "
    "reasons. Reads TDES and AES-128 known-answer and multi-block files, ECB and CBC "
    "(T{ECB,CBC}*.rsp, {ECB,CBC}*128.rsp), and CMACGen files for AES-128 and two- and three-key "
    "triple DES. Keys with K1 = K2 = K3 run through single DES and both triple-DES forms, keys "
    "with K3 = K1 through both triple-DES forms. A Tlen under the block is compared on the MAC's "
    "leftmost bytes; Msg = 00 with Mlen 0 is the empty message; messages over a CMAC export's "
    "limit (32767 bytes for AES, 512 for triple DES) are skipped. Failed records are named on "
    "standard error, and the exit status is 1 if any record failed.";

} // namespace

Command AddVerifyCommand(CLI::App& tavik) {
    auto files = std::make_shared<std::vector<std::string>>();
    CLI::App* command =
        AddCommand(tavik, "verify", "Run NIST CAVP response files through the library", kHelp);
    command->add_option("FILE", *files, "CAVP .rsp files")->required()->check(CLI::ExistingFile);
    return {command, [files](Session& session) { return Run(session, *files); }};
}

} // namespace orvelin::cli
