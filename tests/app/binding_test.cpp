// Loading the library by its Windows file name and binding the fifteen
// exports, including the failures that end the program.
#include "tavik_alg_binding.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using orvelin::TavikAlgBinding;

// Prints what the message box would show, so the child's stderr records it.
void PrintShown(const std::string& message) {
    std::fprintf(stderr, "shown: %s\n", message.c_str());
}

void FailOnMessage(const std::string& message) {
    ADD_FAILURE() << "unexpected: " << message;
}

TEST(LibraryLoader, MapsTheWindowsNameToThePlatformsFileName) {
    EXPECT_EQ(orvelin::platform::PlatformLibraryName("TAVIK_ALG.dll"), "libTAVIK_ALG.so");
    EXPECT_EQ(orvelin::platform::PlatformLibraryName("TAVIK_ALG.DLL"), "libTAVIK_ALG.so");
    EXPECT_EQ(orvelin::platform::PlatformLibraryName("libm.so.6"), "libm.so.6");
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
    const TavikAlgBinding first(orvelin::kTavikAlgFileName, FailOnMessage);
    const TavikAlgBinding second(orvelin::kTavikAlgFileName, FailOnMessage);
    EXPECT_EQ(first.module, second.module); // one module, loaded twice
    std::uint32_t version = 0;
    EXPECT_EQ(second.lib_ver(&version), 0);
    EXPECT_EQ(version, 0x1020U);
}

class BindingFailure : public testing::Test {
  protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(BindingFailure, MissingFileNamesLibVerOnceAndExitsWithMinusOne) {
    EXPECT_EXIT(TavikAlgBinding("TAVIK_ALG_ABSENT.dll", PrintShown), testing::ExitedWithCode(255),
                testing::Eq("shown: Load TAVIK_ALG.DLL failed! func<lib_ver> cann't be load!\n"));
}

TEST_F(BindingFailure, LibraryLackingTheLastExportNamesIt) {
    EXPECT_EXIT(TavikAlgBinding("TAVIK_ALG_NO_AES_CMAC.dll", PrintShown),
                testing::ExitedWithCode(255),
                testing::Eq("shown: Load TAVIK_ALG.DLL failed! func<AES_CMAC> cann't be load!\n"));
}

TEST_F(BindingFailure, OnlyTheFirstMissingExportInBindingOrderIsReported) {
    EXPECT_EXIT(
        TavikAlgBinding("TAVIK_ALG_NO_TWO.dll", PrintShown), testing::ExitedWithCode(255),
        testing::Eq(
            "shown: Load TAVIK_ALG.DLL failed! func<EnOrDecrypt_3DES_CBC> cann't be load!\n"));
}

} // namespace
