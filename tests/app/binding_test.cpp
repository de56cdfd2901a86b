// Loading the library by its Windows file name and binding the fifteen
// exports, including the failures that end the program at start-up.
#include "messages.h"
#include "start_up.h"
#include "tavik_alg_binding.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using orvelin::BindingFailure;
using orvelin::TavikAlgBinding;

// Prints what the message box would show, so the child's stderr records it.
void PrintShown(const std::string& message) {
    std::fprintf(stderr, "shown: %s\n", message.c_str());
}

// The failure message of a binding that must fail, or a test failure.
std::string FailureOf(const char* file_name) {
    const auto result = TavikAlgBinding::Bind(file_name);
    const auto* failure = std::get_if<BindingFailure>(&result);
    EXPECT_NE(failure, nullptr) << file_name << " bound";
    return failure != nullptr ? failure->Message() : "";
}

TEST(LibraryLoader, MapsTheWindowsNameToThePlatformsFileName) {
#if defined(_WIN32)
    // Windows loads the name as the program knows it.
    EXPECT_EQ(orvelin::platform::PlatformLibraryName("TAVIK_ALG.dll"), "TAVIK_ALG.dll");
    EXPECT_EQ(orvelin::platform::PlatformLibraryName("TAVIK_ALG.DLL"), "TAVIK_ALG.DLL");
#else
    EXPECT_EQ(orvelin::platform::PlatformLibraryName("TAVIK_ALG.dll"), "libTAVIK_ALG.so");
    EXPECT_EQ(orvelin::platform::PlatformLibraryName("TAVIK_ALG.DLL"), "libTAVIK_ALG.so");
    EXPECT_EQ(orvelin::platform::PlatformLibraryName("libm.so.6"), "libm.so.6");
#endif
}

TEST(LibraryLoader, FindsTheLibraryBesideTheProgramAndFailsLookUpsOnAFailedLoad) {
    const auto module = orvelin::platform::LoadLibraryA("TAVIK_ALG.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_NE(orvelin::platform::GetProcAddress(module, "AES_CMAC"), nullptr);
    EXPECT_EQ(orvelin::platform::GetProcAddress(module, "no_such_export"), nullptr);
    EXPECT_EQ(orvelin::platform::LoadLibraryA("TAVIK_ALG_ABSENT.dll"), nullptr);
    EXPECT_EQ(orvelin::platform::GetProcAddress(nullptr, "malloc"), nullptr);
}

TEST(Binding, BindsEveryExportOfTheCompleteLibraryAndCallsThrough) {
    const auto first = TavikAlgBinding::Bind(orvelin::kTavikAlgFileName);
    const auto second = TavikAlgBinding::Bind(orvelin::kTavikAlgFileName);
    ASSERT_TRUE(std::holds_alternative<TavikAlgBinding>(first));
    ASSERT_TRUE(std::holds_alternative<TavikAlgBinding>(second));
    // One module, loaded twice.
    EXPECT_EQ(std::get<TavikAlgBinding>(first).module, std::get<TavikAlgBinding>(second).module);
    std::uint32_t version = 0;
    EXPECT_EQ(std::get<TavikAlgBinding>(second).lib_ver(&version), TAVIK_DONE);
    EXPECT_EQ(version, TAVIK_ALG_VERSION);
}

TEST(Binding, ReportsOnlyTheFirstMissingExportInBindingOrder) {
    namespace msg = orvelin::messages;
    // A failed load finds nothing, so the first entry is the one named.
    EXPECT_EQ(FailureOf("TAVIK_ALG_ABSENT.dll"), msg::BindingFailure("lib_ver"));
    EXPECT_EQ(FailureOf("TAVIK_ALG_NO_AES_CMAC.dll"), msg::BindingFailure("AES_CMAC"));
    EXPECT_EQ(FailureOf("TAVIK_ALG_NO_TWO.dll"), msg::BindingFailure("EnOrDecrypt_3DES_CBC"));
}

// What failed and the loader's own reason, as values: the file that would not
// load, or the export it lacks.
TEST(Binding, AFailureSaysWhatFailedAndWhy) {
    using Kind = BindingFailure::Kind;
    const struct {
        const char* file_name;
        Kind kind;
        std::string_view export_name;
        std::uint32_t windows_code; // ERROR_MOD_NOT_FOUND, ERROR_PROC_NOT_FOUND
        std::string_view dlerror_says;
    } rows[] = {
        {"TAVIK_ALG_ABSENT.dll", Kind::library_not_loaded, "lib_ver", 126, "No such file"},
        {"TAVIK_ALG_NO_AES_CMAC.dll", Kind::export_not_found, "AES_CMAC", 127,
         "undefined symbol: AES_CMAC"},
    };
    for (const auto& row : rows) {
        const auto result = TavikAlgBinding::Bind(row.file_name);
        const auto* failure = std::get_if<BindingFailure>(&result);
        ASSERT_NE(failure, nullptr) << row.file_name;
        EXPECT_EQ(failure->kind, row.kind) << row.file_name;
        EXPECT_EQ(failure->export_name, row.export_name);
        EXPECT_TRUE(failure->file.ends_with(orvelin::platform::PlatformLibraryName(row.file_name)))
            << failure->file;
#if defined(_WIN32)
        EXPECT_EQ(failure->reason.code, row.windows_code) << failure->reason.text;
        EXPECT_FALSE(failure->reason.text.empty());
        EXPECT_FALSE(failure->reason.text.ends_with("\n"));
#else
        EXPECT_NE(failure->reason.text.find(row.dlerror_says), std::string::npos)
            << failure->reason.text;
#endif
    }
}

// kBindingFailureStatus as the parent sees it: Windows keeps the whole exit
// code, POSIX its low eight bits.
#if defined(_WIN32)
constexpr int kShownFailureStatus = orvelin::kBindingFailureStatus;
#else
constexpr int kShownFailureStatus = 255;
#endif

class StartUpBinding : public testing::Test {
  protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// The exact text, once: the operator sees this message and nothing else.
TEST_F(StartUpBinding, MissingFileShowsOneMessageAndExitsWithMinusOne) {
    EXPECT_EXIT(orvelin::BindAtStartUp("TAVIK_ALG_ABSENT.dll", PrintShown),
                testing::ExitedWithCode(kShownFailureStatus),
                testing::Eq("shown: Load TAVIK_ALG.DLL failed! func<lib_ver> cann't be load!\n"));
}

TEST_F(StartUpBinding, MissingExportShowsOneMessageAndExitsWithMinusOne) {
    EXPECT_EXIT(
        orvelin::BindAtStartUp("TAVIK_ALG_NO_TWO.dll", PrintShown),
        testing::ExitedWithCode(kShownFailureStatus),
        testing::Eq("shown: " + orvelin::messages::BindingFailure("EnOrDecrypt_3DES_CBC") + "\n"));
}

TEST(StartUp, CompleteLibraryShowsNothing) {
    const TavikAlgBinding binding = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { ADD_FAILURE() << m; });
    EXPECT_NE(binding.module, nullptr);
}

} // namespace
