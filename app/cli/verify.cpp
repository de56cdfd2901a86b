// tavik verify: NIST CAVP response files through the library, by way of the
// same operations as every other command, one line per file. A record that
// is malformed fails with its line; only records outside the exports'
// contract by design are skipped, each with why.
#include "tavik.h"

#include <array>
#include <cctype>
#include <charconv>
#include <fstream>
#include <map>
#include <set>

namespace orvelin::cli {
namespace {

// The records of a response file, whichever family it belongs to: `NAME =
// value` lines up to a blank line, under the last [SECTION] line. `#` lines
// are comments; line ends may be CRLF or LF.
struct CavpRecord {
    std::string section;  // "ENCRYPT", "DECRYPT", or "" where the file has none
    std::size_t line = 0; // of its first field
    std::string problem;  // a line that is not NAME = value, or that repeats a name
    std::map<std::string, std::string, std::less<>> fields; // names in lower case

    const std::string* Find(std::string_view name) const {
        const auto found = fields.find(name);
        return found == fields.end() ? nullptr : &found->second;
    }
};

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

void AddField(CavpRecord& record, std::string_view line, std::size_t number) {
    const auto equals = line.find('=');
    const std::string_view name = Trim(line.substr(0, std::min(equals, line.size())));
    std::string problem;
    if (equals == std::string_view::npos) {
        problem = " is not NAME = value";
    } else if (!record.fields.emplace(LowerCase(name), Trim(line.substr(equals + 1))).second) {
        problem = " repeats " + std::string(name);
    }
    if (record.problem.empty() && !problem.empty()) {
        record.problem = "line " + std::to_string(number) + problem;
    }
}

std::vector<CavpRecord> ReadCavpRecords(std::istream& input) {
    std::vector<CavpRecord> records;
    std::string section;
    CavpRecord current;
    const auto finish = [&] {
        if (current.line != 0) {
            records.push_back(std::move(current));
        }
        current = {};
    };
    std::string text;
    for (std::size_t number = 1; std::getline(input, text); ++number) {
        const std::string_view line = Trim(text);
        if (line.empty() || (line.front() == '[' && line.back() == ']')) {
            finish();
            section = line.empty() ? section : std::string(Trim(line.substr(1, line.size() - 2)));
        } else if (line.front() != '#') {
            current.section = section;
            current.line = current.line == 0 ? number : current.line;
            AddField(current, line, number);
        }
    }
    finish();
    return records;
}

enum class Verdict { passed, failed, skipped };

struct RecordResult {
    Verdict verdict = Verdict::passed;
    std::string reason;             // why it failed, or why it is outside the exports' contract
    std::vector<std::string> notes; // how the record was read, where that needs saying
};

RecordResult Failed(std::string reason) {
    return {.verdict = Verdict::failed, .reason = std::move(reason), .notes = {}};
}

RecordResult Skipped(std::string reason) {
    return {.verdict = Verdict::skipped, .reason = std::move(reason), .notes = {}};
}

// Large enough for any message a file may hold; the limits are checked apart.
constexpr std::size_t kFileFieldCapacity = 1 << 20;

// A field's bytes, named as the files name it: hex digits only, and an even
// number of them. A record found wanting throws its RecordResult.
Bytes HexField(const CavpRecord& record, std::string_view label) {
    const std::string* text = record.Find(LowerCase(label));
    if (text == nullptr) {
        throw Failed(std::string(label) + " is missing");
    }
    auto read = ReadBytes(*text, {.label = label, .capacity = kFileFieldCapacity}, kOddDigits);
    if (const auto* refusal = std::get_if<Refusal>(&read)) {
        throw Failed(refusal->message);
    }
    return std::get<Bytes>(std::move(read));
}

struct KeyedCipher {
    Cipher cipher;
    std::string key; // hex, as the library takes it
};

enum class Family { block_cipher, cmac };

// KEYs, or KEY1..3 all equal: single DES, two-key and three-key triple DES;
// KEY3 = KEY1: two-key and three-key; otherwise three-key. Single DES has no
// CMAC.
std::vector<KeyedCipher> TripleDesCiphers(const CavpRecord& record, Family family) {
    const bool one_key = record.Find("keys") != nullptr;
    std::vector<Bytes> parts;
    std::string key;
    std::vector<KeyedCipher> ciphers;
    for (const std::string name : {"KEY1", "KEY2", "KEY3"}) {
        const std::string label = one_key ? "KEYs" : name;
        parts.push_back(HexField(record, label));
        if (parts.back().size() != TAVIK_DES_KEY_SIZE) {
            throw Failed(label + " is not 8 bytes");
        }
        key += WriteHex(parts.back());
    }
    if (family == Family::block_cipher && parts[0] == parts[1] && parts[1] == parts[2]) {
        ciphers.push_back({.cipher = Cipher::des, .key = key.substr(0, 16)});
    }
    if (parts[2] == parts[0]) {
        ciphers.push_back({.cipher = Cipher::two_key_tdes, .key = key.substr(0, 32)});
    }
    ciphers.push_back({.cipher = Cipher::three_key_tdes, .key = key});
    return ciphers;
}

// KEY: AES-128; AES-192 and AES-256 keys are outside the library by design.
std::vector<KeyedCipher> Ciphers(const CavpRecord& record, Family family) {
    if (record.Find("key") == nullptr) {
        return TripleDesCiphers(record, family);
    }
    const std::size_t size = HexField(record, "KEY").size();
    if (size == 24 || size == 32) {
        throw Skipped("AES keys of 24 and 32 bytes: the library's AES is AES-128");
    }
    if (size != TAVIK_AES_KEY_SIZE) {
        throw Failed("an AES key of " + std::to_string(size) +
                     " bytes: the library's AES takes 16");
    }
    return {{.cipher = Cipher::aes, .key = *record.Find("key")}};
}

// An operation's refusal fails the record; a wrong answer names the export.
Bytes Answer(const Outcome& outcome) {
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        throw Failed(refusal->message);
    }
    return *std::get<Shown>(outcome).data_out;
}

void Compare(std::optional<Export> by, const Bytes& got, const Bytes& expected) {
    if (got != expected) {
        throw Failed(std::string(ExportName(by)) + " gives " + WriteHex(got) + ", the file has " +
                     WriteHex(expected));
    }
}

// Every cipher the keys fit must pass; the first that does not decides.
RecordResult CheckEach(const CavpRecord& record, Family family,
                       const std::function<RecordResult(const KeyedCipher&)>& check) {
    RecordResult all;
    for (const KeyedCipher& cipher : Ciphers(record, family)) {
        RecordResult one = check(cipher);
        if (one.verdict != Verdict::passed) {
            return one;
        }
        all.notes.insert(all.notes.end(), one.notes.begin(), one.notes.end());
    }
    return all;
}

RecordResult CheckBlockRecord(const TavikAlgBinding& library, const CavpRecord& record) {
    const bool encrypt = record.section == "ENCRYPT";
    if ((!encrypt && record.section != "DECRYPT") || record.Find("plaintext") == nullptr ||
        record.Find("ciphertext") == nullptr) {
        return Failed(
            "neither a block-cipher record under [ENCRYPT] or [DECRYPT] nor a CMAC record");
    }
    const std::string_view from_label = encrypt ? "PLAINTEXT" : "CIPHERTEXT";
    const Bytes expected = HexField(record, encrypt ? "CIPHERTEXT" : "PLAINTEXT");
    const Bytes from = HexField(record, from_label);
    if (from.empty() || expected.empty()) {
        return Failed("an empty PLAINTEXT or CIPHERTEXT");
    }
    const std::string* iv = record.Find("iv");
    const Direction direction = encrypt ? Direction::encrypt : Direction::decrypt;
    return CheckEach(record, Family::block_cipher, [&](const KeyedCipher& keyed) {
        const CipherChoice choice{.cipher = keyed.cipher,
                                  .chaining = iv != nullptr ? Chaining::cbc : Chaining::ecb};
        const std::size_t limit = choice.model().data_limit();
        if (from.size() > limit) {
            return Skipped(std::string(ExportName(choice.RouteExport(direction))) +
                           " takes at most " + std::to_string(limit) + " bytes");
        }
        const Fields fields{.session_key = keyed.key,
                            .iv = iv != nullptr ? *iv : "",
                            .data_in = *record.Find(LowerCase(from_label))};
        const InputRules rules{.key = {.label = "KEY"},
                               .iv = {.label = "IV"},
                               .data = {.label = from_label, .capacity = limit},
                               .odd_digits = kOddDigits};
        Compare(choice.RouteExport(direction),
                Answer(EncryptOrDecrypt(library, direction, fields, choice, rules)), expected);
        return RecordResult{};
    });
}

std::size_t NumberField(const CavpRecord& record, std::string_view label) {
    const std::string* text = record.Find(LowerCase(label));
    std::size_t value = 0;
    if (text == nullptr || text->empty() ||
        std::from_chars(text->data(), text->data() + text->size(), value).ptr !=
            text->data() + text->size()) {
        throw Failed(std::string(label) + " is missing or not a number");
    }
    return value;
}

RecordResult CheckCmacRecord(const TavikAlgBinding& library, const CavpRecord& record) {
    const std::size_t mlen = NumberField(record, "Mlen");
    const std::size_t tlen = NumberField(record, "Tlen");
    Bytes message = HexField(record, "Msg");
    const Bytes expected = HexField(record, "Mac");
    std::vector<std::string> notes;
    std::string message_text = *record.Find("msg");
    // The files write "Msg = 00" for the empty message.
    if (mlen == 0 && message == Bytes{0}) {
        message.clear();
        message_text.clear();
        notes.emplace_back("Mlen 0 read as the empty message");
    }
    if (message.size() != mlen || expected.size() != tlen) {
        return Failed("Msg or Mac does not hold Mlen or Tlen bytes");
    }
    if (tlen == 0) {
        return Failed("Tlen 0: no MAC to compare");
    }
    RecordResult result = CheckEach(record, Family::cmac, [&](const KeyedCipher& keyed) {
        const CipherModel model{keyed.cipher};
        const std::optional<Export> by = model.CmacExport();
        const std::size_t limit = model.cmac_limit();
        const std::size_t block = model.block_size();
        if (mlen > limit) {
            return Skipped(std::string(ExportName(by)) + " takes at most " + std::to_string(limit) +
                           " bytes; the message has " + std::to_string(mlen));
        }
        if (tlen > block) {
            return Failed("a Mac longer than the block");
        }
        const Fields fields{
            .session_key = keyed.key, .iv = WriteHex(Bytes(block)), .data_in = message_text};
        const InputRules rules{.key = {.label = "Key"},
                               .data = {.label = "Msg", .capacity = limit},
                               .odd_digits = kOddDigits};
        Bytes got = Answer(Cmac(library, keyed.cipher, fields, rules));
        got.resize(tlen);
        Compare(by, got, expected);
        RecordResult passed;
        if (tlen < block) {
            passed.notes.push_back("Tlen " + std::to_string(tlen) +
                                   " compared on the MAC's leftmost bytes");
        }
        return passed;
    });
    result.notes.insert(result.notes.end(), notes.begin(), notes.end());
    return result;
}

RecordResult CheckRecord(const TavikAlgBinding& library, const CavpRecord& record) {
    if (!record.problem.empty()) {
        return Failed(record.problem);
    }
    try {
        if (record.Find("msg") != nullptr || record.Find("mac") != nullptr) {
            return CheckCmacRecord(library, record);
        }
        return CheckBlockRecord(library, record);
    } catch (const RecordResult& found) {
        return found;
    }
}

// Records per verdict, why each skipped one was skipped, and how many
// records needed each note.
struct FileTally {
    std::array<std::size_t, 3> verdicts{};
    std::map<std::string, std::size_t> skip_reasons;
    std::map<std::string, std::size_t> notes;

    std::size_t Count(Verdict verdict) const {
        return verdicts.at(static_cast<std::size_t>(verdict));
    }
    void Add(const RecordResult& result) {
        ++verdicts.at(static_cast<std::size_t>(result.verdict));
        if (result.verdict == Verdict::skipped) {
            ++skip_reasons[result.reason];
        }
        for (const auto& note : std::set<std::string>(result.notes.begin(), result.notes.end())) {
            ++notes[note];
        }
    }
};

std::string Summary(const std::string& path, const FileTally& tally) {
    std::string line = path + ": " + std::to_string(tally.Count(Verdict::passed)) + " passed, " +
                       std::to_string(tally.Count(Verdict::failed)) + " failed, " +
                       std::to_string(tally.Count(Verdict::skipped)) + " skipped";
    for (const auto& [reason, count] : tally.skip_reasons) {
        line += " [" + std::to_string(count) + " skipped: " + reason + "]";
    }
    for (const auto& [note, count] : tally.notes) {
        line += " [" + std::to_string(count) + " records: " + note + "]";
    }
    return line;
}

std::string RecordName(const std::string& path, const CavpRecord& record) {
    const std::string* count = record.Find("count");
    return path + ":" + std::to_string(record.line) + ": " +
           (record.section.empty() ? "" : "[" + record.section + "] ") + "COUNT " +
           (count != nullptr ? *count : "?");
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
        tally.Add(result);
    }
    session.PrintLine(Summary(path, tally));
    return tally.Count(Verdict::failed) == 0;
}

constexpr std::string_view kHelp =
    "Run every record of NIST CAVP response files through the library and print one line per "
    "file: records passed, failed, and skipped as outside the exports' contract, with the "
    "reasons. Reads TDES and AES-128 known-answer and multi-block files, ECB and CBC "
    "(T{ECB,CBC}*.rsp, {ECB,CBC}*128.rsp), and CMACGen files for AES-128 and two- and three-key "
    "triple DES. Keys with K1 = K2 = K3 run through single DES and both triple-DES forms, keys "
    "with K3 = K1 through both triple-DES forms. A Tlen under the block is compared on the MAC's "
    "leftmost bytes; Msg = 00 with Mlen 0 is the empty message; messages over a CMAC export's "
    "limit (32767 bytes for AES, 512 for triple DES) and AES keys of 24 or 32 bytes are skipped. "
    "A malformed record (a wrong key, block or MAC length, a missing or repeated field, an odd "
    "number of digits) fails. Failed records are named on standard error, and the exit status "
    "is 1 if any record failed.";

} // namespace

void AddVerifyCommand(CLI::App& tavik, Session& session) {
    Command& command = session.AddCommand(
        tavik, "verify", "Run NIST CAVP response files through the library", kHelp);
    auto files = std::make_shared<std::vector<std::string>>();
    command.app()
        .add_option("FILE", *files, "CAVP .rsp files")
        ->required()
        ->check(CLI::ExistingFile);
    command.Run([files](Session& s) {
        const TavikAlgBinding& library = s.Library();
        bool all_passed = true;
        for (const std::string& path : *files) {
            all_passed = VerifyFile(s, library, path) && all_passed;
        }
        return all_passed ? kDone : kRefused;
    });
}

} // namespace orvelin::cli
