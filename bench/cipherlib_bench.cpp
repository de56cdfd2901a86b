// Throughput of every export beside OpenSSL on the same inputs, in one run so
// that each ratio compares like with like. Built, never run as a test.
#include "openssl_peer.h"
#include "tavik_alg.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

namespace peer = testing_support::peer;
using peer::Cipher;
using testing_support::Bytes;

Bytes filled(std::size_t size, std::uint8_t seed) {
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i) {
        out[i] = static_cast<std::uint8_t>(seed + 31 * i);
    }
    return out;
}

// Long enough for every key and IV: each call reads the front it needs.
const Bytes kKey = filled(TAVIK_3TDES_KEY_SIZE, 0x11);
const Bytes kIv = filled(TAVIK_AES_BLOCK_SIZE, 0x77);

void count_bytes(benchmark::State& state, std::size_t per_iteration) {
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(per_iteration));
}

// ---- DES family.

void BM_lib_ver(benchmark::State& state) {
    std::uint32_t version = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lib_ver(&version));
    }
}
BENCHMARK(BM_lib_ver);

void BM_EnOrDecrypt_DES(benchmark::State& state) {
    Bytes block = filled(TAVIK_DES_BLOCK_SIZE, 1);
    for (auto _ : state) {
        EnOrDecrypt_DES(TAVIK_MODE_ENCRYPT, kKey.data(), block.data());
        benchmark::ClobberMemory();
    }
    count_bytes(state, block.size());
}
BENCHMARK(BM_EnOrDecrypt_DES);

template <auto Function>
void BM_TripleDesEcb(benchmark::State& state) {
    Bytes data = filled(static_cast<std::size_t>(state.range(0)), 2);
    for (auto _ : state) {
        Function(TAVIK_MODE_ENCRYPT, kKey.data(), static_cast<std::uint32_t>(data.size()),
                 data.data());
        benchmark::ClobberMemory();
    }
    count_bytes(state, data.size());
}
BENCHMARK(BM_TripleDesEcb<EnOrDecrypt_3DES>)
    ->Name("EnOrDecrypt_3DES")
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK(BM_TripleDesEcb<EnOrDecrypt_3DES_3KEY>)
    ->Name("EnOrDecrypt_3DES_3KEY")
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);

template <auto Function>
void BM_DesFamilyCbc(benchmark::State& state) {
    Bytes data = filled(static_cast<std::size_t>(state.range(0)), 3);
    std::array<std::uint8_t, TAVIK_DES_BLOCK_SIZE> iv{};
    for (auto _ : state) {
        std::copy_n(kIv.begin(), iv.size(), iv.begin());
        Function(TAVIK_MODE_CBC_ENCRYPT, kKey.data(), iv.data(),
                 static_cast<std::uint32_t>(data.size()), data.data());
        benchmark::ClobberMemory();
    }
    count_bytes(state, data.size());
}
BENCHMARK(BM_DesFamilyCbc<EnOrDecrypt_DES_CBC>)
    ->Name("EnOrDecrypt_DES_CBC")
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK(BM_DesFamilyCbc<EnOrDecrypt_3DES_CBC>)
    ->Name("EnOrDecrypt_3DES_CBC")
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK(BM_DesFamilyCbc<EnOrDecrypt_3DES_3KEY_CBC>)
    ->Name("EnOrDecrypt_3DES_3KEY_CBC")
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);

// ---- AES-128.

void BM_AES_ExpandKey(benchmark::State& state) {
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> schedule{};
    for (auto _ : state) {
        AES_ExpandKey(kKey.data(), schedule.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AES_ExpandKey);

template <auto Function>
void BM_AesBlock(benchmark::State& state) {
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> schedule{};
    AES_ExpandKey(kKey.data(), schedule.data());
    Bytes block = filled(TAVIK_AES_BLOCK_SIZE, 4);
    for (auto _ : state) {
        Function(block.data(), schedule.data(), block.data());
        benchmark::ClobberMemory();
    }
    count_bytes(state, block.size());
}
BENCHMARK(BM_AesBlock<AES_Encrypt>)->Name("AES_Encrypt");
BENCHMARK(BM_AesBlock<AES_Decrypt>)->Name("AES_Decrypt");

// AES CBC takes whole blocks, so its smallest size is one block.
template <auto Function>
void BM_AesCbc(benchmark::State& state) {
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> schedule{};
    AES_ExpandKey(kKey.data(), schedule.data());
    Bytes data = filled(static_cast<std::size_t>(state.range(0)), 5);
    for (auto _ : state) {
        Function(data.data(), schedule.data(), data.data(), static_cast<std::uint16_t>(data.size()),
                 kIv.data());
        benchmark::ClobberMemory();
    }
    count_bytes(state, data.size());
}
BENCHMARK(BM_AesCbc<AES_EncryptCBC>)
    ->Name("AES_EncryptCBC")
    ->Arg(TAVIK_AES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK(BM_AesCbc<AES_DecryptCBC>)
    ->Name("AES_DecryptCBC")
    ->Arg(TAVIK_AES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);

// ---- CMAC (the triple-DES forms take at most TAVIK_TDES_CMAC_MAX_LENGTH bytes).

// Shorter than one AES block, so that the AES MAC pads its only block.
constexpr int kShortMessage = 8;

template <auto Function, std::size_t Block>
void BM_Cmac(benchmark::State& state) {
    const Bytes message = filled(static_cast<std::size_t>(state.range(0)), 6);
    std::array<std::uint8_t, Block> mac{};
    for (auto _ : state) {
        Function(kKey.data(), message.data(), static_cast<std::int16_t>(message.size()), mac.data(),
                 kIv.data());
        benchmark::ClobberMemory();
    }
    count_bytes(state, message.size());
}
BENCHMARK(BM_Cmac<AES_CMAC, TAVIK_AES_BLOCK_SIZE>)
    ->Name("AES_CMAC")
    ->Arg(kShortMessage)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK(BM_Cmac<TDES_CMAC, TAVIK_DES_BLOCK_SIZE>)
    ->Name("TDES_CMAC")
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(TAVIK_TDES_CMAC_MAX_LENGTH);
BENCHMARK(BM_Cmac<TDES_3KEY_CMAC, TAVIK_DES_BLOCK_SIZE>)
    ->Name("TDES_3KEY_CMAC")
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(TAVIK_TDES_CMAC_MAX_LENGTH);

// ---- OpenSSL on the same inputs.

// Keyed once; each run restarts the chain from the IV, as every call of ours does.
void BM_OpenSslCipher(benchmark::State& state, Cipher cipher, std::size_t key_size, bool chained) {
    const auto key = std::span(kKey).first(key_size);
    const auto iv = std::span(kIv).first(chained ? peer::block_size(cipher) : 0);
    peer::BlockCipher openssl(cipher, true, key, iv);
    Bytes data = filled(static_cast<std::size_t>(state.range(0)), 7);
    for (auto _ : state) {
        openssl.run(data);
        benchmark::ClobberMemory();
    }
    count_bytes(state, data.size());
}
BENCHMARK_CAPTURE(BM_OpenSslCipher, DES_ECB, Cipher::des, TAVIK_DES_KEY_SIZE, false)
    ->Arg(TAVIK_DES_BLOCK_SIZE);
BENCHMARK_CAPTURE(BM_OpenSslCipher, DES_EDE_ECB, Cipher::tdes2, TAVIK_2TDES_KEY_SIZE, false)
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK_CAPTURE(BM_OpenSslCipher, DES_EDE3_ECB, Cipher::tdes3, TAVIK_3TDES_KEY_SIZE, false)
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK_CAPTURE(BM_OpenSslCipher, DES_CBC, Cipher::des, TAVIK_DES_KEY_SIZE, true)
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK_CAPTURE(BM_OpenSslCipher, DES_EDE_CBC, Cipher::tdes2, TAVIK_2TDES_KEY_SIZE, true)
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK_CAPTURE(BM_OpenSslCipher, DES_EDE3_CBC, Cipher::tdes3, TAVIK_3TDES_KEY_SIZE, true)
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK_CAPTURE(BM_OpenSslCipher, AES_128_ECB, Cipher::aes128, TAVIK_AES_KEY_SIZE, false)
    ->Arg(TAVIK_AES_BLOCK_SIZE);
BENCHMARK_CAPTURE(BM_OpenSslCipher, AES_128_CBC, Cipher::aes128, TAVIK_AES_KEY_SIZE, true)
    ->Arg(TAVIK_AES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(4096);

// Keyed afresh on every MAC, as ours is.
void BM_OpenSslCmac(benchmark::State& state, Cipher cipher, std::size_t key_size) {
    peer::Cmac openssl(cipher, std::span(kKey).first(key_size));
    const Bytes message = filled(static_cast<std::size_t>(state.range(0)), 8);
    Bytes tag(TAVIK_AES_BLOCK_SIZE); // the larger MAC
    for (auto _ : state) {
        openssl.run(message, tag);
        benchmark::ClobberMemory();
    }
    count_bytes(state, message.size());
}
BENCHMARK_CAPTURE(BM_OpenSslCmac, AES_128, Cipher::aes128, TAVIK_AES_KEY_SIZE)
    ->Arg(kShortMessage)
    ->Arg(256)
    ->Arg(4096);
BENCHMARK_CAPTURE(BM_OpenSslCmac, DES_EDE3, Cipher::tdes3, TAVIK_3TDES_KEY_SIZE)
    ->Arg(TAVIK_DES_BLOCK_SIZE)
    ->Arg(256)
    ->Arg(TAVIK_TDES_CMAC_MAX_LENGTH);

} // namespace

BENCHMARK_MAIN();
