// One CAVP record through the library: every export whose keying the record
// fits must give the file's answer.
#ifndef TAVIK_CAVP_CHECK_H
#define TAVIK_CAVP_CHECK_H

#include "cavp_records.h"
#include "tavik_alg_binding.h"

#include <string>
#include <vector>

namespace orvelin::cli {

enum class Verdict { passed, failed, skipped };

struct RecordResult {
    Verdict verdict = Verdict::passed;
    std::string reason;             // why it failed, or why it is out of the exports' contract
    std::vector<std::string> notes; // how the record was read, where that needs saying
};

// A block-cipher record (KEY, KEYs or KEY1..3; IV for CBC; PLAINTEXT and
// CIPHERTEXT under [ENCRYPT] or [DECRYPT]) or a CMACGen record (Key or
// Key1..3, Mlen, Tlen, Msg, Mac).
RecordResult CheckRecord(const TavikAlgBinding& library, const CavpRecord& record);

} // namespace orvelin::cli

#endif
