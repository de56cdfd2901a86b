// The DLL as a run-time caller on Windows binds it: loaded by file name from
// beside the program and each export found by GetProcAddress under the name
// in the header's list; and a partial build that lacks one export.
#include "tavik_alg.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

namespace {

#define TAVIK_EXPORT_NAME(name) std::string_view{#name},
constexpr std::array kExports = {TAVIK_ALG_EXPORTS(TAVIK_EXPORT_NAME)};
#undef TAVIK_EXPORT_NAME

constexpr std::string_view kPartialDll = ORVELIN_PARTIAL_DLL;
constexpr std::string_view kPartialMissing = ORVELIN_PARTIAL_MISSING;

class Dll {
  public:
    explicit Dll(std::string_view file) : module_(LoadLibraryA(std::string(file).c_str())) {}
    ~Dll() {
        if (module_ != nullptr) {
            FreeLibrary(module_);
        }
    }
    Dll(const Dll&) = delete;
    Dll& operator=(const Dll&) = delete;

    bool loaded() const { return module_ != nullptr; }
    bool exports(std::string_view name) const { return find(name) != nullptr; }

    template <typename Function>
    Function* bind(std::string_view name) const {
        return std::bit_cast<Function*>(find(name));
    }

  private:
    FARPROC find(std::string_view name) const {
        return GetProcAddress(module_, std::string(name).c_str());
    }

    HMODULE module_;
};

TEST(Binding, EveryListedNameResolvesUndecorated) {
    const Dll dll("TAVIK_ALG.dll");
    ASSERT_TRUE(dll.loaded());
    EXPECT_EQ(kExports.size(), 15U);
    for (const auto name : kExports) {
        EXPECT_TRUE(dll.exports(name)) << name;
    }
    // Neither the 32-bit C nor stdcall decorations, nor the internals.
    EXPECT_FALSE(dll.exports("_lib_ver"));
    EXPECT_FALSE(dll.exports("lib_ver@4"));
    EXPECT_FALSE(dll.exports("des_block"));
}

TEST(Binding, BoundFunctionsGiveTheStandardsAnswers) {
    const Dll dll("TAVIK_ALG.dll");
    ASSERT_TRUE(dll.loaded());
    const auto version = dll.bind<decltype(lib_ver)>("lib_ver");
    ASSERT_NE(version, nullptr);
    std::uint32_t number = 0;
    EXPECT_EQ(version(&number), TAVIK_DONE);
    EXPECT_EQ(number, TAVIK_ALG_VERSION);
    EXPECT_EQ(version(nullptr), TAVIK_NULL_VERSION);

    // FIPS 81, appendix B: the first block of "Now is the time for all ".
    const auto des = dll.bind<decltype(EnOrDecrypt_DES)>("EnOrDecrypt_DES");
    ASSERT_NE(des, nullptr);
    const std::array<std::uint8_t, 8> key = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
    std::array<std::uint8_t, 8> block = {'N', 'o', 'w', ' ', 'i', 's', ' ', 't'};
    EXPECT_EQ(des(TAVIK_MODE_ENCRYPT, key.data(), block.data()), TAVIK_DONE);
    EXPECT_EQ(block, (std::array<std::uint8_t, 8>{0x3f, 0xa4, 0x0e, 0x8a, 0x98, 0x4d, 0x48, 0x15}));
}

TEST(Binding, PartialDllLacksOnlyTheNamedExport) {
    const Dll dll(kPartialDll);
    ASSERT_TRUE(dll.loaded()) << kPartialDll;
    for (const auto name : kExports) {
        EXPECT_EQ(dll.exports(name), name != kPartialMissing) << name;
    }
    const auto version = dll.bind<decltype(lib_ver)>("lib_ver");
    ASSERT_NE(version, nullptr);
    std::uint32_t number = 0;
    EXPECT_EQ(version(&number), TAVIK_DONE);
    EXPECT_EQ(number, TAVIK_ALG_VERSION);
}

} // namespace
