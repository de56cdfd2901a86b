// The texts an operator reads, pinned once; every other test refers to them
// by name.
#include "dialog_template.h"
#include "field_capacity.h"
#include "messages.h"

#include <gtest/gtest.h>

namespace {

namespace msg = orvelin::messages;

TEST(Messages, ExactTexts) {
    EXPECT_EQ(msg::kApplicationName, "Orvelin");
    EXPECT_EQ(std::string_view(orvelin::res::MainDialogTemplate().caption), "Orvelin R1020");
    EXPECT_EQ(msg::kKeyLength16, "Key length must be 16 bytes!");
    EXPECT_EQ(msg::kKeyLength24, "Key length must be 24 bytes!");
    EXPECT_EQ(msg::kIvLength8, "IV length must be 8 bytes!");
    EXPECT_EQ(msg::kIvLength16, "IV length must be 16 bytes!");
    EXPECT_EQ(msg::NotHexDigits(msg::kIvLabel), "IV must hold hex digits only!");
    EXPECT_EQ(msg::TooLong(msg::kDataInLabel), "DataIn length must not exceed 256 bytes!");
    EXPECT_EQ(orvelin::kFieldCapacity, 256U);
    EXPECT_EQ(msg::TooLong("B", 65536), "B length must not exceed 65536 bytes!");
    EXPECT_EQ(msg::OddDigitCount(msg::kSessionKeyLabel),
              "SessionKey must hold an even number of hex digits!");
    EXPECT_EQ(msg::BindingFailure("AES_CMAC"),
              "Load TAVIK_ALG.DLL failed! func<AES_CMAC> cann't be load!");
}

} // namespace
