// The DLL's version record as Windows programs read it (the file's properties
// page does the same): the fixed numbers, the translation, the six strings of
// its one string table, and the language the resource is filed under.
#include "tavik_alg.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
constexpr WORD kUnicode = 1200;

// The DLL this program imported, as Windows located it.
HMODULE imported_dll() {
    return GetModuleHandleA("TAVIK_ALG.dll");
}

std::string path_of(HMODULE module) {
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
    return {path.data(), length};
}

class VersionRecord : public testing::Test {
  protected:
    void SetUp() override {
        const HMODULE module = imported_dll();
        ASSERT_NE(module, nullptr);
        const std::string path = path_of(module);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_NE(size, 0U) << path;
        record_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, record_.data())) << path;
    }

    // The value filed under `query`; empty where the record has none.
    std::span<const std::byte> value(const std::string& query) {
        void* data = nullptr;
        UINT size = 0;
        if (VerQueryValueA(record_.data(), query.c_str(), &data, &size) == 0) {
            return {};
        }
        return {static_cast<const std::byte*>(data), size};
    }

    std::string text(std::string_view name) {
        const auto chars = value("\\StringFileInfo\\080404b0\\" + std::string(name));
        const auto* first = reinterpret_cast<const char*>(chars.data());
        return {first, strnlen(first, chars.size())};
    }

  private:
    std::vector<std::byte> record_;
};

TEST_F(VersionRecord, FileAndProductNumbersAre6_10_2_66) {
    const auto raw = value("\\");
    ASSERT_GE(raw.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, raw.data(), sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDU);
    EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(10, 6));
    EXPECT_EQ(fixed.dwFileVersionLS, MAKELONG(66, 2));
    EXPECT_EQ(fixed.dwProductVersionMS, MAKELONG(10, 6));
    EXPECT_EQ(fixed.dwProductVersionLS, MAKELONG(66, 2));
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_DLL));
}

TEST_F(VersionRecord, TranslationIsChinesePrcInUnicode) {
    const auto raw = value("\\VarFileInfo\\Translation");
    ASSERT_EQ(raw.size(), 2 * sizeof(WORD));
    std::array<WORD, 2> pair{};
    std::memcpy(pair.data(), raw.data(), raw.size());
    EXPECT_EQ(pair[0], kChinesePrc);
    EXPECT_EQ(pair[1], kUnicode);
}

TEST_F(VersionRecord, StringTableHoldsTheSixValues) {
    struct Entry {
        std::string_view name;
        std::string_view value;
    };
    constexpr std::array<Entry, 6> kEntries = {{
        {"FileVersion", "6.10.2.66"},
        {"ProductVersion", "6.10.2.66"},
        {"FileDescription", "TAVIK_ALG DLL"},
        {"ProductName", "TAVIK_ALG Dynamic Link Library"},
        {"InternalName", "TAVIK_ALG"},
        {"OriginalFilename", "TAVIK_ALG.DLL"},
    }};
    for (const auto& entry : kEntries) {
        EXPECT_EQ(text(entry.name), entry.value) << entry.name;
    }
    EXPECT_EQ(text("CompanyName"), "");
}

BOOL CALLBACK collect_language(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
    reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
    return TRUE;
}

// A resource script without a LANGUAGE statement files the record under
// English (US), where a lookup by the translation's language misses it.
TEST(VersionResource, IsFiledUnderChinesePrcAlone) {
    std::vector<WORD> languages;
    EnumResourceLanguagesA(imported_dll(), RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO),
                           collect_language, reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, std::vector<WORD>{kChinesePrc});
}

// The import library links the program to the DLL under its own name, and
// lib_ver keeps its number apart from the file's record.
TEST(VersionResource, ImportedLibraryReportsItsOwnNumber) {
    std::uint32_t number = 0;
    ASSERT_EQ(lib_ver(&number), TAVIK_DONE);
    EXPECT_EQ(number, TAVIK_ALG_VERSION);
    EXPECT_NE(imported_dll(), nullptr);
}

} // namespace
