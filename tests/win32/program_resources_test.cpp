// Orvelin.exe's own resources, read from the built program: the icon, the
// version record under Chinese (PRC), and the manifest.
#include "resource.h"
#include "version.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kProgram = L"" ORVELIN_PROGRAM_FILE;
constexpr WORD kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

// A version record's string under the 0804/1200 translation.
std::wstring VersionString(const std::vector<char>& record, const wchar_t* name) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(record.data(), path.c_str(), &value, &length) == FALSE || length == 0) {
        return {};
    }
    return static_cast<const wchar_t*>(value);
}

TEST(ProgramResources, VersionRecordNamesOrvelinAtTheProjectsVersion) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(kProgram, &ignored);
    ASSERT_GT(size, 0u) << "no version record";
    std::vector<char> record(size);
    ASSERT_TRUE(GetFileVersionInfoW(kProgram, 0, size, record.data()));

    const std::string version = orvelin::res::kFileVersion;
    EXPECT_EQ(VersionString(record, L"FileVersion"), std::wstring(version.begin(), version.end()));
    EXPECT_EQ(VersionString(record, L"ProductName"), L"Orvelin");
    EXPECT_EQ(VersionString(record, L"FileDescription"), L"Orvelin");
    EXPECT_EQ(VersionString(record, L"OriginalFilename"), L"Orvelin.exe");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const auto word = [](DWORD high, DWORD low) {
        return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
               std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
    };
    EXPECT_EQ(word(fixed->dwFileVersionMS, fixed->dwFileVersionLS), version);
}

TEST(ProgramResources, IconAndVersionAreChineseAndTheManifestIsThere) {
    HMODULE const program = LoadLibraryExW(kProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    const auto has = [program](LPCWSTR type, int id, WORD language) {
        return FindResourceExW(program, type, MAKEINTRESOURCEW(id), language) != nullptr;
    };
    EXPECT_TRUE(has(RT_GROUP_ICON, orvelin::res::IDR_MAINFRAME, kChinesePrc));
    EXPECT_TRUE(has(RT_VERSION, VS_VERSION_INFO, kChinesePrc));
    EXPECT_TRUE(has(RT_MANIFEST, 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)));
    FreeLibrary(program);
}

} // namespace
