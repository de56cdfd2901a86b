// The window's control-state rules and start-up state, on a model of the
// controls with no display: what the operator sees after each click.
#include "control_states.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

using namespace orvelin::res;
using orvelin::ControlAction;
using orvelin::ControlStep;

// Check marks and enabled states as a window would hold them; every control
// starts enabled and unchecked, as a dialog's controls do when created.
class Panel {
  public:
    Panel() { Apply(orvelin::StartUpSteps()); }

    // An automatic box toggles itself, then its rule runs.
    void Click(int box) {
        checked_[box] = !checked_[box];
        Apply(orvelin::StepsAfterClick(box, checked_[box]));
    }

    bool Checked(int id) const { return checked_.contains(id) && checked_.at(id); }
    bool Enabled(int id) const { return !disabled_.contains(id); }
    std::vector<int> ZeroFields() const { return zero_fields_; }
    int Focus() const { return focus_; }

  private:
    void Apply(std::span<const ControlStep> steps) {
        for (const auto& [id, action] : steps) {
            switch (action) {
            case ControlAction::check:
            case ControlAction::uncheck:
                checked_[id] = action == ControlAction::check;
                break;
            case ControlAction::enable:
                disabled_.erase(id);
                break;
            case ControlAction::disable:
                disabled_.insert(id);
                break;
            case ControlAction::show_zero_bytes:
                zero_fields_.push_back(id);
                break;
            case ControlAction::focus:
                focus_ = id;
                break;
            }
        }
    }

    std::map<int, bool> checked_;
    std::set<int> disabled_;
    std::vector<int> zero_fields_;
    int focus_ = 0;
};

TEST(ControlStates, StartUpState) {
    const Panel panel;
    for (const int id : {IDC_DES_ENABLE, IDC_DES, IDC_CBC, IDC_CRC32}) {
        EXPECT_TRUE(panel.Checked(id)) << id;
    }
    for (const int id : {IDC_AES_ENABLE, IDC_2TDES, IDC_3TDES, IDC_CRC16}) {
        EXPECT_FALSE(panel.Checked(id)) << id;
    }
    EXPECT_FALSE(panel.Enabled(IDC_AES_CMAC));
    for (const int id : {IDC_DES, IDC_TDES_CMAC, IDC_3KTDES_CMAC, IDC_IV}) {
        EXPECT_TRUE(panel.Enabled(id)) << id;
    }
    EXPECT_EQ(panel.ZeroFields(), (std::vector<int>{IDC_IV, IDC_DATA_IN, IDC_SESSION_KEY}));
    EXPECT_EQ(panel.Focus(), IDC_DECRYPT);
}

TEST(ControlStates, AesEnableTwiceLeavesBothFamilyBoxesUncheckedAndAesControlsForward) {
    Panel panel;
    panel.Click(IDC_AES_ENABLE);
    EXPECT_TRUE(panel.Checked(IDC_AES_ENABLE));
    EXPECT_FALSE(panel.Checked(IDC_DES_ENABLE));
    panel.Click(IDC_AES_ENABLE);
    EXPECT_FALSE(panel.Checked(IDC_AES_ENABLE));
    EXPECT_FALSE(panel.Checked(IDC_DES_ENABLE));
    EXPECT_TRUE(panel.Enabled(IDC_AES_CMAC));
    for (const int id : {IDC_DES, IDC_2TDES, IDC_3TDES, IDC_TDES_CMAC, IDC_3KTDES_CMAC}) {
        EXPECT_FALSE(panel.Enabled(id)) << id;
    }
    // A disabled radio button keeps its check mark.
    EXPECT_TRUE(panel.Checked(IDC_DES));
}

TEST(ControlStates, DesEnableBringsTheDesFamilyBack) {
    Panel panel;
    panel.Click(IDC_AES_ENABLE);
    panel.Click(IDC_DES_ENABLE);
    EXPECT_TRUE(panel.Checked(IDC_DES_ENABLE));
    EXPECT_FALSE(panel.Checked(IDC_AES_ENABLE));
    EXPECT_FALSE(panel.Enabled(IDC_AES_CMAC));
    for (const int id : {IDC_DES, IDC_2TDES, IDC_3TDES, IDC_TDES_CMAC, IDC_3KTDES_CMAC}) {
        EXPECT_TRUE(panel.Enabled(id)) << id;
    }
}

TEST(ControlStates, CbcFollowsItsOwnCheckMarkForTheIvField) {
    Panel panel;
    panel.Click(IDC_CBC);
    EXPECT_FALSE(panel.Enabled(IDC_IV));
    panel.Click(IDC_CBC);
    EXPECT_TRUE(panel.Enabled(IDC_IV));
}

TEST(ControlStates, TheTwoCrcBoxesExcludeEachOtherButMayBothBeClear) {
    Panel panel;
    panel.Click(IDC_CRC16);
    EXPECT_TRUE(panel.Checked(IDC_CRC16));
    EXPECT_FALSE(panel.Checked(IDC_CRC32));
    panel.Click(IDC_CRC16);
    EXPECT_FALSE(panel.Checked(IDC_CRC16));
    EXPECT_FALSE(panel.Checked(IDC_CRC32));
    panel.Click(IDC_CRC32);
    EXPECT_TRUE(panel.Checked(IDC_CRC32));
    EXPECT_FALSE(panel.Checked(IDC_CRC16));
}

TEST(ControlStates, ControlsWithoutARuleChangeNothing) {
    for (const int id : {IDC_ENCRYPT, IDC_DECRYPT, IDC_DES, IDC_2TDES, IDC_SESSION_KEY}) {
        EXPECT_TRUE(orvelin::StepsAfterClick(id, true).empty()) << id;
    }
}

} // namespace
