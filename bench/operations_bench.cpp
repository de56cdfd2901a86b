// Every button's operation with 256 bytes of data, through the run-time
// binding as the window calls it.
#include "operations.h"
#include "start_up.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

using orvelin::Chaining;
using orvelin::Cipher;
using orvelin::CipherChoice;

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding binding = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { std::fputs(m.c_str(), stderr); });
    return binding;
}

const std::string kData256(512, 'A');
const std::string kKey16(32, '1');
const std::string kKey24(48, '2');
const std::string kIv8(16, '3');
const std::string kIv16(32, '4');

void BM_Cipher(benchmark::State& state, CipherChoice choice, bool encrypt) {
    const std::string& key = choice.cipher == Cipher::three_key_tdes ? kKey24 : kKey16;
    const orvelin::Fields fields{key, choice.cipher == Cipher::aes ? kIv16 : kIv8, kData256};
    for (auto _ : state) {
        benchmark::DoNotOptimize(encrypt ? orvelin::Encrypt(Library(), fields, choice)
                                         : orvelin::Decrypt(Library(), fields, choice));
    }
}
BENCHMARK_CAPTURE(BM_Cipher, DES_CBC_encrypt,
                  CipherChoice{.cipher = Cipher::des, .chaining = Chaining::cbc}, true);
BENCHMARK_CAPTURE(BM_Cipher, DES_ECB_decrypt,
                  CipherChoice{.cipher = Cipher::des, .chaining = Chaining::ecb}, false);
BENCHMARK_CAPTURE(BM_Cipher, 2TDES_CBC_encrypt,
                  CipherChoice{.cipher = Cipher::two_key_tdes, .chaining = Chaining::cbc}, true);
BENCHMARK_CAPTURE(BM_Cipher, 3TDES_CBC_encrypt,
                  CipherChoice{.cipher = Cipher::three_key_tdes, .chaining = Chaining::cbc}, true);
BENCHMARK_CAPTURE(BM_Cipher, 3TDES_CBC_decrypt,
                  CipherChoice{.cipher = Cipher::three_key_tdes, .chaining = Chaining::cbc}, false);
BENCHMARK_CAPTURE(BM_Cipher, AES_CBC_encrypt,
                  CipherChoice{.cipher = Cipher::aes, .chaining = Chaining::cbc}, true);
BENCHMARK_CAPTURE(BM_Cipher, AES_ECB_decrypt,
                  CipherChoice{.cipher = Cipher::aes, .chaining = Chaining::ecb}, false);

void BM_AesCmac(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvelin::AesCmac(Library(), {kKey16, kIv16, kData256}));
    }
}
BENCHMARK(BM_AesCmac);

void BM_TdesCmac(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvelin::TdesCmac(Library(), {kKey16, kIv8, kData256}));
    }
}
BENCHMARK(BM_TdesCmac);

void BM_Tdes3KeyCmac(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvelin::Tdes3KeyCmac(Library(), {kKey24, kIv8, kData256}));
    }
}
BENCHMARK(BM_Tdes3KeyCmac);

void BM_CalcCrc(benchmark::State& state) {
    const orvelin::CrcChoice choice{state.range(0) == 16, state.range(0) == 32};
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvelin::CalcCrc(kData256, choice));
    }
}
BENCHMARK(BM_CalcCrc)->Arg(16)->Arg(32);

void BM_KeyXorIn(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvelin::KeyXorIn({kData256, "", kData256}));
    }
}
BENCHMARK(BM_KeyXorIn);

} // namespace

BENCHMARK_MAIN();
