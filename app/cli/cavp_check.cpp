#include "cavp_check.h"

#include "byte_ops.h"
#include "cavp_keys.h"
#include "library_calls.h"

#include <charconv>

namespace orvelin::cli {
namespace {

RecordResult Failed(std::string reason) {
    return {Verdict::failed, std::move(reason), {}};
}

RecordResult Skipped(std::string reason) {
    return {Verdict::skipped, std::move(reason), {}};
}

RecordResult Mismatch(std::string_view export_name, const Bytes& got, const Bytes& expected) {
    return Failed(std::string(export_name) + " gives " + WriteHex(got) + ", the file has " +
                  WriteHex(expected));
}

std::optional<std::size_t> NumberField(const CavpRecord& record, std::string_view name) {
    const std::string* text = record.Find(name);
    std::size_t value = 0;
    if (text == nullptr ||
        std::from_chars(text->data(), text->data() + text->size(), value).ec != std::errc{}) {
        return std::nullopt;
    }
    return value;
}

// What one cipher of a block-cipher record is given and must give back.
struct BlockCase {
    Direction direction;
    std::optional<Bytes> iv; // CBC when present
    Bytes from;
    Bytes to;
};

RecordResult CheckBlockCipher(const TavikAlgBinding& library, const KeyedCipher& keyed,
                              const BlockCase& block_case) {
    const CipherFacts& facts = FactsOf(keyed.cipher);
    const std::size_t block = facts.algorithm->block;
    if (block_case.from.size() % block != 0 || block_case.from.size() > facts.data_limit) {
        return Skipped(std::to_string(block_case.from.size()) +
                       " bytes of data: " + std::string(facts.name) + " takes whole blocks up to " +
                       std::to_string(facts.data_limit));
    }
    const bool cbc = block_case.iv.has_value();
    if (cbc && block_case.iv->size() != block) {
        return Failed("an IV that is not one block");
    }
    const CheckedInput input{keyed.key, cbc ? *block_case.iv : Bytes(block), block_case.from};
    const Bytes got = RunCipher(library, keyed.cipher, block_case.direction, cbc, input);
    if (got != block_case.to) {
        return Mismatch(CipherExportName(keyed.cipher, block_case.direction, cbc), got,
                        block_case.to);
    }
    return {};
}

std::optional<BlockCase> ReadBlockCase(const CavpRecord& record) {
    const auto plaintext = HexField(record, "plaintext");
    const auto ciphertext = HexField(record, "ciphertext");
    if (!plaintext || !ciphertext || (record.section != "ENCRYPT" && record.section != "DECRYPT")) {
        return std::nullopt;
    }
    const bool encrypt = record.section == "ENCRYPT";
    return BlockCase{encrypt ? Direction::encrypt : Direction::decrypt, HexField(record, "iv"),
                     encrypt ? *plaintext : *ciphertext, encrypt ? *ciphertext : *plaintext};
}

// What a CMACGen record gives: the message as meant, the MAC as written.
struct CmacCase {
    Bytes message;
    Bytes mac;
    std::vector<std::string> notes;
};

std::variant<RecordResult, CmacCase> ReadCmacCase(const CavpRecord& record) {
    const auto mlen = NumberField(record, "mlen");
    const auto tlen = NumberField(record, "tlen");
    auto message = HexField(record, "msg");
    const auto mac = HexField(record, "mac");
    if (!mlen || !tlen || !message || !mac) {
        return Failed("Mlen, Tlen, Msg or Mac missing or unreadable");
    }
    CmacCase cmac_case{std::move(*message), *mac, {}};
    // The files write "Msg = 00" for the empty message.
    if (*mlen == 0) {
        cmac_case.message.clear();
        cmac_case.notes.emplace_back("Mlen 0 read as the empty message");
    }
    if (cmac_case.message.size() != *mlen || cmac_case.mac.size() != *tlen) {
        return Failed("Msg or Mac does not hold Mlen or Tlen bytes");
    }
    return cmac_case;
}

RecordResult CheckCmac(const TavikAlgBinding& library, const KeyedCipher& keyed,
                       const CmacCase& cmac_case) {
    const CipherFacts& facts = FactsOf(keyed.cipher);
    const std::string_view name = CmacExportName(keyed.cipher);
    if (cmac_case.message.size() > facts.cmac_limit) {
        return Skipped(std::string(name) + " takes at most " + std::to_string(facts.cmac_limit) +
                       " bytes; the message has " + std::to_string(cmac_case.message.size()));
    }
    if (cmac_case.mac.size() > facts.algorithm->block) {
        return Failed("a Mac longer than the block");
    }
    const CheckedInput input{keyed.key, Bytes(facts.algorithm->block), cmac_case.message};
    const Bytes got = Leftmost(RunCmac(library, keyed.cipher, input), cmac_case.mac.size());
    if (got != cmac_case.mac) {
        return Mismatch(name, got, cmac_case.mac);
    }
    RecordResult passed;
    if (cmac_case.mac.size() < facts.algorithm->block) {
        passed.notes.push_back("Tlen " + std::to_string(cmac_case.mac.size()) +
                               " compared on the MAC's leftmost bytes");
    }
    return passed;
}

// Every cipher must pass; the first that does not decides.
template <typename Check>
RecordResult CheckEach(const std::vector<KeyedCipher>& ciphers, Check check) {
    RecordResult all;
    for (const KeyedCipher& keyed : ciphers) {
        RecordResult one = check(keyed);
        if (one.verdict != Verdict::passed) {
            return one;
        }
        all.notes.insert(all.notes.end(), one.notes.begin(), one.notes.end());
    }
    return all;
}

RecordResult
CheckWithKeys(const CavpRecord& record, bool for_cmac,
              const std::function<RecordResult(const std::vector<KeyedCipher>&)>& check) {
    auto keyed = KeyedCiphers(record, for_cmac);
    if (const auto* problem = std::get_if<KeyProblem>(&keyed)) {
        return problem->out_of_contract ? Skipped(problem->reason) : Failed(problem->reason);
    }
    return check(std::get<std::vector<KeyedCipher>>(keyed));
}

RecordResult CheckCmacRecord(const TavikAlgBinding& library, const CavpRecord& record) {
    auto read = ReadCmacCase(record);
    if (const auto* failed = std::get_if<RecordResult>(&read)) {
        return *failed;
    }
    const CmacCase& cmac_case = std::get<CmacCase>(read);
    RecordResult result = CheckWithKeys(record, true, [&](const auto& ciphers) {
        return CheckEach(ciphers,
                         [&](const KeyedCipher& k) { return CheckCmac(library, k, cmac_case); });
    });
    result.notes.insert(result.notes.end(), cmac_case.notes.begin(), cmac_case.notes.end());
    return result;
}

RecordResult CheckBlockRecord(const TavikAlgBinding& library, const CavpRecord& record) {
    const auto block_case = ReadBlockCase(record);
    if (!block_case) {
        return Failed(
            "neither a block-cipher record under [ENCRYPT] or [DECRYPT] nor a CMAC record");
    }
    return CheckWithKeys(record, false, [&](const auto& ciphers) {
        return CheckEach(ciphers, [&](const KeyedCipher& k) {
            return CheckBlockCipher(library, k, *block_case);
        });
    });
}

} // namespace

RecordResult CheckRecord(const TavikAlgBinding& library, const CavpRecord& record) {
    if (record.stray_line != 0) {
        return Failed("line " + std::to_string(record.stray_line) + " is not NAME = value");
    }
    if (record.Find("msg") != nullptr || record.Find("mac") != nullptr) {
        return CheckCmacRecord(library, record);
    }
    return CheckBlockRecord(library, record);
}

} // namespace orvelin::cli
