// The main window's behaviour, on the fake view holding the controls of
// template 102, clicked as a dialog clicks them: the control-state rules,
// every button's known answer, every refusal.
#include "dialog_template.h"
#include "fake_view.h"
#include "hex_text.h"
#include "messages.h"
#include "orvelin_dlg_logic.h"
#include "resource.h"
#include "start_up.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace res = orvelin::res;
namespace msg = orvelin::messages;

namespace {

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding binding = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { ADD_FAILURE() << m; });
    return binding;
}

// The window after its initialisation; clicks toggle an automatic box, or
// check a radio button and clear the others, before the handler runs.
class Window {
  public:
    Window() { logic_.OnInitDialog(view_); }

    void Click(int id) {
        EXPECT_TRUE(Enabled(id)) << "control " << id << " is disabled";
        const auto controls = res::MainDialogTemplate().controls;
        const auto kind = std::ranges::find(controls, id, &res::ControlTemplate::id)->kind;
        if (kind == res::ControlKind::auto_check_box) {
            view_.checks[id] = !view_.checks[id];
        } else if (kind == res::ControlKind::auto_radio_button) {
            for (const auto& control : controls) {
                if (control.kind == kind) {
                    view_.checks[control.id] = control.id == id;
                }
            }
        }
        logic_.OnCommand(id);
    }

    void SetFields(const std::string& key, const std::string& iv, const std::string& data) {
        Text(res::IDC_SESSION_KEY) = key;
        Text(res::IDC_IV) = iv;
        Text(res::IDC_DATA_IN) = data;
    }
    std::string& Text(int id) { return view_.texts[id]; }
    bool Checked(int id) const { return view_.checks.contains(id) && view_.checks.at(id); }
    bool Enabled(int id) const { return !view_.disabled.contains(id); }
    const std::vector<std::string>& Messages() const { return view_.messages; }

    std::map<int, std::string> AllTexts() const { return view_.texts; }

    // Presses a button that refuses: exactly one message, and no field changed.
    std::string RefusalOf(int button) {
        const auto before = AllTexts();
        const auto shown = Messages().size();
        Click(button);
        EXPECT_EQ(AllTexts(), before) << "a refusal changed a field";
        EXPECT_EQ(Messages().size(), shown + 1);
        return Messages().size() == shown + 1 ? Messages().back() : std::string();
    }

  private:
    orvelin::DialogView view_;
    orvelin::OrvelinDlgLogic logic_{Library()};
};

TEST(MainWindowLogic, StartsInTheStartUpStateWithNoMessage) {
    Window window;
    for (const int id : {res::IDC_SESSION_KEY, res::IDC_IV, res::IDC_DATA_IN}) {
        EXPECT_EQ(window.Text(id), "0000000000000000");
    }
    EXPECT_EQ(window.Text(res::IDC_DATA_OUT), "");
    EXPECT_TRUE(window.Checked(res::IDC_DES_ENABLE) && window.Checked(res::IDC_CRC32));
    EXPECT_FALSE(window.Enabled(res::IDC_AES_CMAC));
    EXPECT_TRUE(window.Messages().empty());
}

TEST(MainWindowLogic, AesEnableClickedTwiceLeavesBothUncheckedAndDesStillDecides) {
    Window window;
    window.Click(res::IDC_AES_ENABLE);
    EXPECT_TRUE(window.Checked(res::IDC_AES_ENABLE));
    EXPECT_FALSE(window.Checked(res::IDC_DES_ENABLE));
    window.Click(res::IDC_AES_ENABLE);
    EXPECT_FALSE(window.Checked(res::IDC_AES_ENABLE));
    EXPECT_FALSE(window.Checked(res::IDC_DES_ENABLE));
    for (const int id :
         {res::IDC_DES, res::IDC_2TDES, res::IDC_3TDES, res::IDC_TDES_CMAC, res::IDC_3KTDES_CMAC}) {
        EXPECT_FALSE(window.Enabled(id)) << id;
    }
    EXPECT_TRUE(window.Enabled(res::IDC_AES_CMAC));
    EXPECT_TRUE(window.Checked(res::IDC_DES)); // disabled, still checked
    window.Click(res::IDC_ENCRYPT);
    EXPECT_EQ(window.Text(res::IDC_DATA_OUT), "8CA64DE9C1B123A7");
}

TEST(MainWindowLogic, DesEnableRestoresTheDesControls) {
    Window window;
    window.Click(res::IDC_AES_ENABLE);
    window.Click(res::IDC_DES_ENABLE);
    EXPECT_TRUE(window.Checked(res::IDC_DES_ENABLE));
    EXPECT_FALSE(window.Checked(res::IDC_AES_ENABLE));
    for (const int id :
         {res::IDC_DES, res::IDC_2TDES, res::IDC_3TDES, res::IDC_TDES_CMAC, res::IDC_3KTDES_CMAC}) {
        EXPECT_TRUE(window.Enabled(id)) << id;
    }
    EXPECT_FALSE(window.Enabled(res::IDC_AES_CMAC));
    window.Click(res::IDC_DES_ENABLE); // unchecking still applies the row
    EXPECT_FALSE(window.Checked(res::IDC_DES_ENABLE));
    EXPECT_FALSE(window.Enabled(res::IDC_AES_CMAC));
}

TEST(MainWindowLogic, CbcEnablesTheIvFieldWithoutClearingIt) {
    Window window;
    window.Click(res::IDC_CBC);
    EXPECT_FALSE(window.Enabled(res::IDC_IV));
    EXPECT_EQ(window.Text(res::IDC_IV), "0000000000000000");
    window.Click(res::IDC_CBC);
    EXPECT_TRUE(window.Enabled(res::IDC_IV));
}

TEST(MainWindowLogic, Crc16AndCrc32ExcludeEachOtherAndNeitherDoesNothing) {
    Window window;
    window.Click(res::IDC_CRC16);
    EXPECT_TRUE(window.Checked(res::IDC_CRC16));
    EXPECT_FALSE(window.Checked(res::IDC_CRC32));
    window.Click(res::IDC_CRC32);
    EXPECT_FALSE(window.Checked(res::IDC_CRC16));
    EXPECT_TRUE(window.Checked(res::IDC_CRC32));
    window.Click(res::IDC_CRC32);
    EXPECT_FALSE(window.Checked(res::IDC_CRC16) || window.Checked(res::IDC_CRC32));
    window.Text(res::IDC_DATA_OUT) = "KEEP";
    window.Click(res::IDC_CALC_CRC);
    EXPECT_EQ(window.Text(res::IDC_DATA_OUT), "KEEP");
    EXPECT_TRUE(window.Messages().empty());
}

struct ButtonAnswer {
    const char* name;
    std::vector<int> clicks; // check boxes and radio buttons first
    const char *key, *iv, *data;
    int button;
    const char *data_out, *cmac;
};

TEST(MainWindowLogic, EachButtonShowsItsKnownAnswer) {
    const char* const aes_key = "2b7e151628aed2a6abf7158809cf4f3c";
    const char* const zero8 = "0000000000000000";
    const char* const zero16 = "00000000000000000000000000000000";
    const ButtonAnswer answers[] = {
        {"start-up Encrypt", {}, zero8, zero8, zero8, res::IDC_ENCRYPT, "8CA64DE9C1B123A7", ""},
        {"start-up Decrypt",
         {},
         zero8,
         zero8,
         "8CA64DE9C1B123A7",
         res::IDC_DECRYPT,
         "0000000000000000",
         ""},
        {"3TDES ECB",
         {res::IDC_3TDES, res::IDC_CBC},
         "0123456789ABCDEF23456789ABCDEF01456789ABCDEF0123",
         "",
         "5468652071756663",
         res::IDC_ENCRYPT,
         "A826FD8CE53B855F",
         ""},
        {"AES ECB",
         {res::IDC_AES_ENABLE, res::IDC_CBC},
         "000102030405060708090a0b0c0d0e0f",
         "",
         "00112233445566778899aabbccddeeff",
         res::IDC_ENCRYPT,
         "69C4E0D86A7B0430D8CDB78070B4C55A",
         ""},
        {"CRC16", {res::IDC_CRC16}, "", "", "313233343536373839", res::IDC_CALC_CRC, "05BF", ""},
        {"CRC32", {}, "", "", "313233343536373839", res::IDC_CALC_CRC, "D9C60B34", ""},
        {"AES_CMAC",
         {res::IDC_AES_ENABLE},
         aes_key,
         zero16,
         "",
         res::IDC_AES_CMAC,
         "BB1D6929E95937287FA37D129B756746",
         "1D295928A3127546"},
        {"TDES_CMAC",
         {},
         "4cf15134a2850dd58a3d10ba80570d38",
         zero8,
         "6bc1bee22e409f96e93d7e117393172aae2d8a57",
         res::IDC_TDES_CMAC,
         "62DD1B471902BD4E",
         "62DD1B471902BD4E"},
        {"3KTDES_CMAC",
         {},
         "8aa83bf8cbda10620bc1bf19fbb6cd58bc313d4a371ca8b5",
         zero8,
         "",
         res::IDC_3KTDES_CMAC,
         "B7A688E122FFAF95",
         "B7A688E122FFAF95"},
        {"Key Xor In",
         {},
         "0F0F0F0F0F0F0F0F",
         "",
         "FFFFFFFFFFFFFFFF00000000",
         res::IDC_KEY_XOR_IN,
         "F0F0F0F0F0F0F0F0",
         ""},
    };
    for (const auto& answer : answers) {
        SCOPED_TRACE(answer.name);
        Window window;
        for (const int id : answer.clicks) {
            window.Click(id);
        }
        window.SetFields(answer.key, answer.iv, answer.data);
        window.Click(answer.button);
        EXPECT_TRUE(window.Messages().empty());
        EXPECT_EQ(window.Text(res::IDC_DATA_OUT), answer.data_out);
        EXPECT_EQ(window.Text(res::IDC_CMAC), answer.cmac);
        EXPECT_EQ(window.Text(res::IDC_IV), answer.iv);
        EXPECT_EQ(window.Text(res::IDC_DATA_IN), answer.data);
    }
}

TEST(MainWindowLogic, SamePressTwiceGivesTheSameOutputAndLeavesTheIvAlone) {
    Window window;
    window.SetFields("0123456789ABCDEF", "1234567890ABCDEF", "4E6F77206973207468652074696D6520");
    window.Click(res::IDC_ENCRYPT);
    const std::string first = window.Text(res::IDC_DATA_OUT);
    window.Click(res::IDC_ENCRYPT);
    EXPECT_EQ(window.Text(res::IDC_DATA_OUT), first);
    EXPECT_EQ(window.Text(res::IDC_IV), "1234567890ABCDEF");
    window.Text(res::IDC_DATA_IN) = first;
    window.Click(res::IDC_DECRYPT);
    EXPECT_EQ(window.Text(res::IDC_DATA_OUT), "4E6F77206973207468652074696D6520");
}

TEST(MainWindowLogic, EachRefusalShowsItsMessageAndChangesNothing) {
    Window window;
    window.Text(res::IDC_DATA_OUT) = "OLD";
    window.Text(res::IDC_CMAC) = "OLDMAC";
    EXPECT_EQ(window.RefusalOf(res::IDC_TDES_CMAC), msg::kKeyLength16);
    window.Click(res::IDC_2TDES);
    EXPECT_EQ(window.RefusalOf(res::IDC_ENCRYPT), msg::kKeyLength16);
    window.Click(res::IDC_3TDES);
    EXPECT_EQ(window.RefusalOf(res::IDC_DECRYPT), msg::kKeyLength24);
    EXPECT_EQ(window.RefusalOf(res::IDC_3KTDES_CMAC), msg::kKeyLength24);
    window.Click(res::IDC_DES);
    window.Text(res::IDC_IV) = "00";
    EXPECT_EQ(window.RefusalOf(res::IDC_ENCRYPT), msg::kIvLength8);
    window.Text(res::IDC_IV) = "0000000000000000";
    window.Text(res::IDC_DATA_IN) = "00112233.4556677";
    EXPECT_EQ(window.RefusalOf(res::IDC_ENCRYPT), msg::NotHexDigits(msg::kDataInLabel));
    EXPECT_EQ(window.RefusalOf(res::IDC_CALC_CRC), msg::NotHexDigits(msg::kDataInLabel));
    window.Text(res::IDC_DATA_IN) = std::string(514, '0');
    EXPECT_EQ(window.RefusalOf(res::IDC_KEY_XOR_IN), msg::TooLong(msg::kDataInLabel));
    window.Text(res::IDC_DATA_IN) = "001122334455";
    EXPECT_EQ(window.RefusalOf(res::IDC_DECRYPT), msg::kDataMultipleOf8);
    window.Text(res::IDC_SESSION_KEY) = "0011";
    EXPECT_EQ(window.RefusalOf(res::IDC_ENCRYPT), msg::kDesKeyAtLeast8);
    window.Text(res::IDC_SESSION_KEY) = std::string(32, '1');
    window.Click(res::IDC_AES_ENABLE);
    EXPECT_EQ(window.RefusalOf(res::IDC_ENCRYPT), msg::kIvLength16);
    EXPECT_EQ(window.RefusalOf(res::IDC_AES_CMAC), msg::kIvLength16);
    window.Click(res::IDC_CBC); // IV field disabled: the CMAC still reads it
    EXPECT_EQ(window.RefusalOf(res::IDC_AES_CMAC), msg::kIvLength16);
    window.Text(res::IDC_SESSION_KEY) = "0000000000000000";
    EXPECT_EQ(window.RefusalOf(res::IDC_ENCRYPT), msg::kKeyLength16);
    EXPECT_EQ(window.Text(res::IDC_DATA_OUT), "OLD");
    EXPECT_EQ(window.Text(res::IDC_CMAC), "OLDMAC");
}

// Radio buttons, fields and cancel are the window's own business.
TEST(MainWindowLogic, ControlsWithoutAHandlerAreLeftToTheWindow) {
    orvelin::OrvelinDlgLogic logic(Library());
    for (const int id : {res::IDC_DES, res::IDC_SESSION_KEY, res::IDC_STATIC, 2}) {
        EXPECT_FALSE(logic.OnCommand(id)) << id;
    }
}

} // namespace
