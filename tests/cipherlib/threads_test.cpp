// Every export called from four threads at once. The threads share the keys,
// the AES schedule and the IVs, all read-only; each thread has its own data
// and message (held in the same read-only inputs) and writes only into
// buffers of its own. Every answer must equal the one computed on one thread
// beforehand; under ThreadSanitizer (ORVELIN_TSAN) any shared write is also
// reported as a race.
#include "byte_ops.h"
#include "calls.h"
#include "random_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using testing_support::Bytes;
using testing_support::join;
using testing_support::RandomBytes;

constexpr std::size_t kThreads = 4;
constexpr int kIterations = 300;

struct Shared {
    Bytes des_key, tdes2_key, tdes3_key, aes_key, des_iv, aes_iv;
    calls::AesSchedule schedule;
};

// One thread's inputs: two blocks of data for each family, and a message that
// ends in a partial block for both. Small, since the DES engine is slow by
// design and ThreadSanitizer slows it further.
struct Lane {
    Bytes des_data, aes_data, message;
};

struct Inputs {
    Shared shared;
    std::array<Lane, kThreads> lanes;
};

Inputs make_inputs() {
    RandomBytes random;
    Inputs in;
    in.shared = {random(TAVIK_DES_KEY_SIZE),
                 random(TAVIK_2TDES_KEY_SIZE),
                 random(TAVIK_3TDES_KEY_SIZE),
                 random(TAVIK_AES_KEY_SIZE),
                 random(TAVIK_DES_BLOCK_SIZE),
                 random(TAVIK_AES_BLOCK_SIZE),
                 {}};
    in.shared.schedule = calls::aes_schedule(in.shared.aes_key);
    for (auto& lane : in.lanes) {
        lane = {random(2 * TAVIK_DES_BLOCK_SIZE), random(2 * TAVIK_AES_BLOCK_SIZE),
                random(TAVIK_DES_BLOCK_SIZE + 3)};
    }
    return in;
}

std::uint16_t length16(const Bytes& b) {
    return static_cast<std::uint16_t>(b.size());
}

// One function per export, named as it is: each returns everything the call
// wrote, from buffers of its own.
namespace run {

Bytes lib_ver(const Shared&, const Lane&) {
    std::uint32_t version = 0;
    ::lib_ver(&version);
    Bytes out(sizeof version);
    std::memcpy(out.data(), &version, sizeof version);
    return out;
}

Bytes EnOrDecrypt_DES(const Shared& s, const Lane& lane) {
    Bytes block(lane.des_data.begin(), lane.des_data.begin() + TAVIK_DES_BLOCK_SIZE);
    ::EnOrDecrypt_DES(calls::kDecrypt, s.des_key.data(), block.data());
    return block;
}

Bytes EnOrDecrypt_3DES(const Shared& s, const Lane& lane) {
    return calls::ecb(::EnOrDecrypt_3DES, calls::kEncrypt, s.tdes2_key, lane.des_data);
}

Bytes EnOrDecrypt_3DES_3KEY(const Shared& s, const Lane& lane) {
    return calls::ecb(::EnOrDecrypt_3DES_3KEY, calls::kDecrypt, s.tdes3_key, lane.des_data);
}

// The CBC forms also write the chaining value into `iv`.
Bytes des_family_cbc(calls::CbcFunction f, std::uint8_t mode, const Bytes& key, const Shared& s,
                     const Lane& lane) {
    Bytes iv = s.des_iv;
    Bytes data = lane.des_data;
    f(mode, key.data(), iv.data(), static_cast<std::uint32_t>(data.size()), data.data());
    return join({data, iv});
}

Bytes EnOrDecrypt_DES_CBC(const Shared& s, const Lane& lane) {
    return des_family_cbc(::EnOrDecrypt_DES_CBC, calls::kCbcEncrypt, s.des_key, s, lane);
}

Bytes EnOrDecrypt_3DES_CBC(const Shared& s, const Lane& lane) {
    return des_family_cbc(::EnOrDecrypt_3DES_CBC, calls::kCbcDecrypt, s.tdes2_key, s, lane);
}

Bytes EnOrDecrypt_3DES_3KEY_CBC(const Shared& s, const Lane& lane) {
    return des_family_cbc(::EnOrDecrypt_3DES_3KEY_CBC, calls::kCbcEncrypt, s.tdes3_key, s, lane);
}

Bytes TDES_CMAC(const Shared& s, const Lane& lane) {
    return calls::cmac(::TDES_CMAC, s.tdes2_key, lane.message, s.des_iv);
}

Bytes TDES_3KEY_CMAC(const Shared& s, const Lane& lane) {
    return calls::cmac(::TDES_3KEY_CMAC, s.tdes3_key, lane.message, s.des_iv);
}

// Each lane expands a key of its own, taken from its data.
Bytes AES_ExpandKey(const Shared&, const Lane& lane) {
    calls::AesSchedule schedule{};
    ::AES_ExpandKey(lane.aes_data.data(), schedule.data());
    return {schedule.begin(), schedule.end()};
}

Bytes AES_Encrypt(const Shared& s, const Lane& lane) {
    Bytes out(TAVIK_AES_BLOCK_SIZE);
    ::AES_Encrypt(lane.aes_data.data(), s.schedule.data(), out.data());
    return out;
}

Bytes AES_Decrypt(const Shared& s, const Lane& lane) {
    Bytes out(TAVIK_AES_BLOCK_SIZE);
    ::AES_Decrypt(lane.aes_data.data(), s.schedule.data(), out.data());
    return out;
}

// Encryption writes P xor V back into its input, so the input is a copy.
Bytes AES_EncryptCBC(const Shared& s, const Lane& lane) {
    Bytes input = lane.aes_data;
    Bytes out(input.size());
    ::AES_EncryptCBC(input.data(), s.schedule.data(), out.data(), length16(input), s.aes_iv.data());
    return join({out, input});
}

Bytes AES_DecryptCBC(const Shared& s, const Lane& lane) {
    Bytes out(lane.aes_data.size());
    ::AES_DecryptCBC(lane.aes_data.data(), s.schedule.data(), out.data(), length16(lane.aes_data),
                     s.aes_iv.data());
    return out;
}

Bytes AES_CMAC(const Shared& s, const Lane& lane) {
    return calls::cmac(::AES_CMAC, s.aes_key, lane.message, s.aes_iv);
}

} // namespace run

struct Call {
    std::string_view name;
    Bytes (*run)(const Shared&, const Lane&);
};

// From the header's one list, so that a new export cannot go untested here.
#define ORVELIN_THREADS_CALL(name) Call{#name, &run::name},
constexpr std::array kCalls = {TAVIK_ALG_EXPORTS(ORVELIN_THREADS_CALL)};
#undef ORVELIN_THREADS_CALL

using Answers = std::array<Bytes, kCalls.size()>;

Answers answers_of(const Shared& shared, const Lane& lane) {
    Answers answers;
    for (std::size_t i = 0; i < kCalls.size(); ++i) {
        answers[i] = kCalls[i].run(shared, lane);
    }
    return answers;
}

// Holds every thread until all have arrived, so that the calls overlap. A
// mutex and a condition variable rather than std::latch: the MinGW runtime's
// latch can miss a wake-up and hang under Wine.
class StartGate {
  public:
    explicit StartGate(std::size_t threads) : waiting_(threads) {}

    void arrive_and_wait() {
        std::unique_lock lock(mutex_);
        if (--waiting_ == 0) {
            opened_.notify_all();
            return;
        }
        opened_.wait(lock, [this] { return waiting_ == 0; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable opened_;
    std::size_t waiting_;
};

TEST(Threads, EveryExportFromFourThreadsAtOnceGivesTheOneThreadAnswers) {
    const Inputs inputs = make_inputs();
    std::array<Answers, kThreads> expected;
    for (std::size_t t = 0; t < kThreads; ++t) {
        expected[t] = answers_of(inputs.shared, inputs.lanes[t]);
    }
    // Lanes with equal answers could hide a result written for another thread;
    // only the version is the same for all.
    for (std::size_t i = 0; i < kCalls.size(); ++i) {
        if (kCalls[i].name != "lib_ver") {
            EXPECT_NE(expected[0][i], expected[1][i]) << kCalls[i].name;
        }
    }

    std::array<std::array<int, kCalls.size()>, kThreads> mismatches{};
    StartGate start(kThreads);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            for (int iteration = 0; iteration < kIterations; ++iteration) {
                for (std::size_t i = 0; i < kCalls.size(); ++i) {
                    if (kCalls[i].run(inputs.shared, inputs.lanes[t]) != expected[t][i]) {
                        ++mismatches[t][i];
                    }
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (std::size_t t = 0; t < kThreads; ++t) {
        for (std::size_t i = 0; i < kCalls.size(); ++i) {
            EXPECT_EQ(mismatches[t][i], 0) << kCalls[i].name << " on thread " << t;
        }
    }
}

} // namespace
