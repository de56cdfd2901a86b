// The library as a run-time caller sees it: loaded by file name, every export
// resolved by name and called through a pointer typed from the public header.
// This program does not link the library.
#include "tavik_alg.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 15> kExports = {"lib_ver",
                                                       "EnOrDecrypt_DES",
                                                       "EnOrDecrypt_3DES",
                                                       "EnOrDecrypt_3DES_3KEY",
                                                       "EnOrDecrypt_DES_CBC",
                                                       "EnOrDecrypt_3DES_CBC",
                                                       "EnOrDecrypt_3DES_3KEY_CBC",
                                                       "TDES_CMAC",
                                                       "TDES_3KEY_CMAC",
                                                       "AES_ExpandKey",
                                                       "AES_Encrypt",
                                                       "AES_Decrypt",
                                                       "AES_EncryptCBC",
                                                       "AES_DecryptCBC",
                                                       "AES_CMAC"};

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

TEST_F(LoadedLibrary, EveryExportResolvesByName) {
    for (const auto name : kExports) {
        EXPECT_NE(dlsym(handle_, std::string(name).c_str()), nullptr) << name;
    }
    EXPECT_EQ(dlsym(handle_, "des_block"), nullptr);
}

TEST_F(LoadedLibrary, BoundVersionQueryAndBlockFunctionWork) {
    const auto version = bind<decltype(lib_ver)>("lib_ver");
    ASSERT_NE(version, nullptr);
    std::uint32_t number = 0;
    EXPECT_EQ(version(&number), TAVIK_DONE);
    EXPECT_EQ(number, 0x1020U);
    EXPECT_EQ(version(nullptr), TAVIK_NULL_VERSION);

    const auto des = bind<decltype(EnOrDecrypt_DES)>("EnOrDecrypt_DES");
    ASSERT_NE(des, nullptr);
    const std::array<std::uint8_t, 8> key = {0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef};
    std::array<std::uint8_t, 8> block = {'N', 'o', 'w', ' ', 'i', 's', ' ', 't'};
    EXPECT_EQ(des(0, key.data(), block.data()), TAVIK_DONE);
    EXPECT_EQ(block, (std::array<std::uint8_t, 8>{0x3f, 0xa4, 0x0e, 0x8a, 0x98, 0x4d, 0x48, 0x15}));
}

} // namespace
