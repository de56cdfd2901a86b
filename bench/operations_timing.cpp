// Every button's operation with 256 bytes of data, through the run-time
// binding as the window calls it, timed by a plain loop: there is no Google
// Benchmark for MinGW, so the Windows build measures with this. Prints the
// microseconds per press; a press that is refused ends it with status 1, so
// that no refusal is ever timed as an operation.
//   operations_timing [SECONDS_PER_OPERATION]
#include "operations.h"
#include "start_up.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace {

using orvelin::Chaining;
using orvelin::Cipher;
using orvelin::CipherChoice;
using Press = std::function<orvelin::Outcome()>;

const std::string kData256(512, 'A');
const std::string kKey16(32, '1');
const std::string kKey24(48, '2');
const std::string kIv8(16, '3');
const std::string kIv16(32, '4');

struct Operation {
    const char* name;
    Press press;
};

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding binding = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { std::fputs(m.c_str(), stderr); });
    return binding;
}

Press Cipher(CipherChoice choice, bool encrypt) {
    const std::string& key = choice.cipher == Cipher::three_key_tdes ? kKey24 : kKey16;
    const orvelin::Fields fields{key, choice.cipher == Cipher::aes ? kIv16 : kIv8, kData256};
    return [fields, choice, encrypt] {
        return encrypt ? orvelin::Encrypt(Library(), fields, choice)
                       : orvelin::Decrypt(Library(), fields, choice);
    };
}

orvelin::Outcome AesCmac() {
    return orvelin::AesCmac(Library(), {kKey16, kIv16, kData256});
}
orvelin::Outcome TdesCmac() {
    return orvelin::TdesCmac(Library(), {kKey16, kIv8, kData256});
}
orvelin::Outcome Tdes3KeyCmac() {
    return orvelin::Tdes3KeyCmac(Library(), {kKey24, kIv8, kData256});
}
orvelin::Outcome Crc16() {
    return orvelin::CalcCrc(kData256, {true, false});
}
orvelin::Outcome Crc32() {
    return orvelin::CalcCrc(kData256, {false, true});
}
orvelin::Outcome KeyXorIn() {
    return orvelin::KeyXorIn({kData256, "", kData256});
}

std::vector<Operation> Operations() {
    return {
        {"DES_CBC_encrypt", Cipher({.cipher = Cipher::des, .chaining = Chaining::cbc}, true)},
        {"DES_ECB_decrypt", Cipher({.cipher = Cipher::des, .chaining = Chaining::ecb}, false)},
        {"2TDES_CBC_encrypt",
         Cipher({.cipher = Cipher::two_key_tdes, .chaining = Chaining::cbc}, true)},
        {"3TDES_CBC_encrypt",
         Cipher({.cipher = Cipher::three_key_tdes, .chaining = Chaining::cbc}, true)},
        {"3TDES_CBC_decrypt",
         Cipher({.cipher = Cipher::three_key_tdes, .chaining = Chaining::cbc}, false)},
        {"AES_CBC_encrypt", Cipher({.cipher = Cipher::aes, .chaining = Chaining::cbc}, true)},
        {"AES_ECB_decrypt", Cipher({.cipher = Cipher::aes, .chaining = Chaining::ecb}, false)},
        {"AES_CMAC", AesCmac},
        {"TDES_CMAC", TdesCmac},
        {"3KTDES_CMAC", Tdes3KeyCmac},
        {"CalcCRC_16", Crc16},
        {"CalcCRC_32", Crc32},
        {"Key_Xor_In", KeyXorIn},
    };
}

// Presses in batches until the time is spent; the mean time of one press.
double MicrosecondsPerPress(const Operation& operation, double seconds) {
    using Clock = std::chrono::steady_clock;
    constexpr int kBatch = 64;
    const std::chrono::duration<double> budget(seconds);
    long long presses = 0;
    const auto start = Clock::now();
    std::chrono::duration<double> elapsed{};
    while (elapsed < budget) {
        for (int i = 0; i < kBatch; ++i) {
            if (!std::holds_alternative<orvelin::Shown>(operation.press())) {
                std::fprintf(stderr, "%s was refused\n", operation.name);
                std::exit(EXIT_FAILURE);
            }
        }
        presses += kBatch;
        elapsed = Clock::now() - start;
    }
    return std::chrono::duration<double, std::micro>(elapsed).count() /
           static_cast<double>(presses);
}

} // namespace

int main(int argc, char* argv[]) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 0.5;
    if (!(seconds > 0.0)) {
        std::fputs("usage: operations_timing [SECONDS_PER_OPERATION]\n", stderr);
        return 2;
    }
    std::printf("%-20s %12s\n", "operation (256 B)", "us per press");
    for (const Operation& operation : Operations()) {
        std::printf("%-20s %12.2f\n", operation.name, MicrosecondsPerPress(operation, seconds));
    }
    return EXIT_SUCCESS;
}
