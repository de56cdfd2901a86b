#include "view_contract.h"

#include "resource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace view_contract {
namespace {

using enum res::ControlKind;

// clang-format off
constexpr std::array<res::ControlTemplate, 9> kKindsControls = {{
    {kLabel,     label,               "Name", {5, 7, 40, 8},      false, true, kPlain},
    {kPlain,     plain_edit,          "",     {50, 5, 100, 14},   true,  false},
    {kList,      drop_down_list,      "",     {50, 22, 100, 14},  true,  false},
    {kHex,       edit,                "",     {50, 39, 100, 14},  true,  false},
    {kReadOnly,  read_only_edit,      "",     {50, 56, 100, 14},  true,  false},
    {kMultiLine, multi_line_text,     "",     {50, 73, 100, 36},  true,  false},
    {kBox,       auto_check_box,      "Box",  {50, 112, 60, 10},  true,  false},
    {kGo,        default_push_button, "Go",   {110, 126, 40, 14}, true,  false},
    {kWrapped,   wrapped_text,        "",     {50, 143, 100, 24}, true,  false},
}};
// clang-format on
constexpr res::DialogTemplate kKindsDialog{900, "Kinds", 160, 170, "宋体", 9, kKindsControls};

} // namespace

const res::DialogTemplate& KindsDialog() {
    return kKindsDialog;
}

void RecordingLogic::OnInitDialog(orvelin::DialogView& shown) {
    view = &shown;
    ++initialised;
}

bool RecordingLogic::OnCommand(int id) {
    commands.push_back(id);
    return true;
}

void RecordingLogic::OnChange(int id) {
    changes.push_back(id);
}

void ExpectTextsRoundTrip(orvelin::DialogView& view) {
    const std::string text = "PAN 5413339000001513 密钥";
    const std::string lines = "step 1\nstep 2: 00 11\n\nstep 4";
    for (const auto& [id, value] : {std::pair{kPlain, text},
                                    {kReadOnly, text},
                                    {kMultiLine, lines},
                                    {kWrapped, lines},
                                    {kLabel, text},
                                    {kBox, text},
                                    {kHex, std::string("0A 1B")}}) {
        orvelin::SetControlText(view, id, value);
        EXPECT_EQ(orvelin::ControlText(view, id), value) << id;
    }
}

void ExpectListRoundTrips(orvelin::DialogView& view) {
    const std::vector<std::string> items = {"ISO/IEC 9797-1 pad", "CRC_B", "EMV ARQC"};
    orvelin::SetListItems(view, kList, items);
    EXPECT_EQ(orvelin::SelectedIndex(view, kList), 0);
    for (const auto& [choose, chosen] : {std::pair{2, 2}, {1, 1}, {3, -1}, {-1, -1}, {0, 0}}) {
        orvelin::SelectIndex(view, kList, choose);
        EXPECT_EQ(orvelin::SelectedIndex(view, kList), chosen) << choose;
    }
    EXPECT_EQ(orvelin::ControlText(view, kList), items[0]);
    orvelin::SetListItems(view, kList, {});
    EXPECT_EQ(orvelin::SelectedIndex(view, kList), -1);
}

void ChangeEverythingAsTheLogic(orvelin::DialogView& view) {
    const std::vector<std::string> items = {"one", "two", "three"};
    orvelin::SetListItems(view, kList, items);
    orvelin::SelectIndex(view, kList, 1);
    for (const int id : {kPlain, kReadOnly, kMultiLine, kHex}) {
        orvelin::SetControlText(view, id, "12");
    }
    const std::array<std::uint8_t, 2> bytes = {0x12, 0x34};
    orvelin::ShowBytes(view, kHex, bytes);
    orvelin::SetChecked(view, kBox, true);
}

void ExpectWrongIdsIgnored(orvelin::DialogView& view) {
    const std::array<std::uint8_t, 1> byte = {1};
    const std::vector<std::string> items = {"x"};
    const std::vector<std::function<void(int)>> calls = {
        [&](int id) { EXPECT_EQ(orvelin::FieldText(view, id), ""); },
        [&](int id) { orvelin::ShowBytes(view, id, byte); },
        [&](int id) { EXPECT_FALSE(orvelin::IsChecked(view, id)); },
        [&](int id) { orvelin::SetChecked(view, id, true); },
        [&](int id) { orvelin::SetEnabled(view, id, false); },
        [&](int id) { orvelin::SetFocusTo(view, id); },
        [&](int id) { orvelin::SetVisible(view, id, false); },
        [&](int id) { EXPECT_EQ(orvelin::ControlText(view, id), ""); },
        [&](int id) { orvelin::SetControlText(view, id, "x"); },
        [&](int id) { orvelin::SetListItems(view, id, items); },
        [&](int id) { EXPECT_EQ(orvelin::SelectedIndex(view, id), -1); },
        [&](int id) { orvelin::SelectIndex(view, id, 0); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NO_THROW(calls[i](4242));
        EXPECT_NO_THROW(calls[i](res::IDC_STATIC));
    }
    EXPECT_EQ(orvelin::FieldText(view, kPlain), "");
    EXPECT_EQ(orvelin::SelectedIndex(view, kMultiLine), -1);
    EXPECT_FALSE(orvelin::IsChecked(view, kList));
    const std::string plain = orvelin::ControlText(view, kPlain);
    EXPECT_NO_THROW(orvelin::SetListItems(view, kPlain, items));
    EXPECT_EQ(orvelin::ControlText(view, kPlain), plain);
}

} // namespace view_contract
