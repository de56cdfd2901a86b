// The library as a run-time caller sees it: loaded by file name, every export
// resolved by name and called through a pointer typed from the public header.
// This program does not link the library; it knows the names only from the
// header's one list of them.
#include "tavik_alg.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <array>
#include <set>
#include <string>
#include <string_view>

namespace {

// Naming each export also checks at compile time that the header declares it.
#define ORVELIN_EXPORT_NAME(name) (static_cast<void>(&name), std::string_view{#name}),
constexpr std::array kExports = {TAVIK_ALG_EXPORTS(ORVELIN_EXPORT_NAME)};
#undef ORVELIN_EXPORT_NAME

class LoadedLibrary : public testing::Test {
  protected:
    void SetUp() override {
        handle_ = dlopen(ORVELIN_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (handle_ != nullptr) {
            dlclose(handle_);
        }
    }

    template <typename Function>
    Function* bind(const char* name) {
        return reinterpret_cast<Function*>(dlsym(handle_, name));
    }

    void* handle_ = nullptr;
};

TEST(ExportList, NamesFifteenDistinctFunctions) {
    EXPECT_EQ(kExports.size(), 15U);
    EXPECT_EQ(std::set<std::string_view>(kExports.begin(), kExports.end()).size(), kExports.size());
}

TEST_F(LoadedLibrary, EveryExportResolvesByNameAndNothingInternalDoes) {
    for (const auto name : kExports) {
        EXPECT_NE(dlsym(handle_, std::string(name).c_str()), nullptr) << name;
    }
    EXPECT_EQ(dlsym(handle_, "des_block"), nullptr);
    EXPECT_EQ(dlsym(handle_, "expand_key"), nullptr);
}

TEST_F(LoadedLibrary, BoundVersionQueryAndBlockFunctionWork) {
    const auto version = bind<decltype(lib_ver)>("lib_ver");
    ASSERT_NE(version, nullptr);
    std::uint32_t number = 0;
    EXPECT_EQ(version(&number), TAVIK_DONE);
    EXPECT_EQ(number, TAVIK_ALG_VERSION);
    EXPECT_EQ(version(nullptr), TAVIK_NULL_VERSION);

    const auto des = bind<decltype(EnOrDecrypt_DES)>("EnOrDecrypt_DES");
    ASSERT_NE(des, nullptr);
    using DesBlock = std::array<std::uint8_t, TAVIK_DES_BLOCK_SIZE>;
    const std::array<std::uint8_t, TAVIK_DES_KEY_SIZE> key = {0x01, 0x23, 0x45, 0x67,
                                                              0x89, 0xab, 0xcd, 0xef};
    DesBlock block = {'N', 'o', 'w', ' ', 'i', 's', ' ', 't'};
    EXPECT_EQ(des(TAVIK_MODE_ENCRYPT, key.data(), block.data()), TAVIK_DONE);
    EXPECT_EQ(block, (DesBlock{0x3f, 0xa4, 0x0e, 0x8a, 0x98, 0x4d, 0x48, 0x15}));
}

} // namespace
