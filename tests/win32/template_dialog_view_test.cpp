// The view as Win32 implements it, under Wine, over a small template of every
// kind of control and a logic that records its events: each kind's value
// round-trips, only the operator's changes are reported, a wrong identifier
// is ignored, and a modeless dialog opens beside its owner, comes to the
// front when opened again, and takes Enter and Escape from a running loop.
#include "dialog_template.h"
#include "dialog_view.h"
#include "resource.h"
#include "template_dialog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace res = orvelin::res;
using enum res::ControlKind;
using orvelin::DialogView;

constexpr int kLabel = 2001;
constexpr int kPlain = 2002;
constexpr int kList = 2003;
constexpr int kHex = 2004;
constexpr int kReadOnly = 2005;
constexpr int kMultiLine = 2006;
constexpr int kBox = 2007;
constexpr int kGo = 2008;

// clang-format off
constexpr std::array<res::ControlTemplate, 8> kKindsControls = {{
    {kLabel,     label,               "Name", {5, 7, 40, 8},      false, true, kPlain},
    {kPlain,     plain_edit,          "",     {50, 5, 100, 14},   true,  false},
    {kList,      drop_down_list,      "",     {50, 22, 100, 14},  true,  false},
    {kHex,       edit,                "",     {50, 39, 100, 14},  true,  false},
    {kReadOnly,  read_only_edit,      "",     {50, 56, 100, 14},  true,  false},
    {kMultiLine, multi_line_text,     "",     {50, 73, 100, 36},  true,  false},
    {kBox,       auto_check_box,      "Box",  {50, 112, 60, 10},  true,  false},
    {kGo,        default_push_button, "Go",   {110, 126, 40, 14}, true,  false},
}};
// clang-format on
constexpr res::DialogTemplate kKindsDialog{900, "Kinds", 160, 146, "宋体", 9, kKindsControls};

class RecordingLogic : public orvelin::DialogLogic {
  public:
    void OnInitDialog(DialogView& view) override {
        view_ = &view;
        ++initialised;
    }
    bool OnCommand(int id) override {
        commands.push_back(id);
        return true;
    }
    void OnChange(int id) override { changes.push_back(id); }

    DialogView* view_ = nullptr;
    int initialised = 0;
    std::vector<int> commands;
    std::vector<int> changes;
};

// What a message loop does; WH_GETMESSAGE hooks see each message it removes.
void RunPendingMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PressKey(HWND control, WPARAM key) {
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, 0xC0000001);
    RunPendingMessages();
}

class TemplateDialogView : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(view_.Create(), nullptr);
        ShowWindow(view_.GetSafeHwnd(), SW_SHOWNOACTIVATE);
    }
    void TearDown() override { DestroyWindow(view_.GetSafeHwnd()); }

    HWND Item(int id) const { return GetDlgItem(view_.GetSafeHwnd(), id); }

    RecordingLogic logic_;
    DialogView view_{kKindsDialog, logic_, false};
};

TEST_F(TemplateDialogView, EachTextBearingKindRoundTripsItsText) {
    const std::string text = "PAN 5413339000001513 密钥";
    const std::string lines = "step 1\nstep 2: 00 11\n\nstep 4";
    for (const auto& [id, value] : {std::pair{kPlain, text},
                                    {kReadOnly, text},
                                    {kMultiLine, lines},
                                    {kLabel, text},
                                    {kBox, text},
                                    {kHex, std::string("0A 1B")}}) {
        orvelin::SetControlText(view_, id, value);
        EXPECT_EQ(orvelin::ControlText(view_, id), value) << id;
    }
    // The edit control breaks lines only at "\r\n".
    EXPECT_EQ(SendMessageW(Item(kMultiLine), EM_GETLINECOUNT, 0, 0), 4);
    LOGFONTW font{};
    auto* const shown = reinterpret_cast<HFONT>(SendMessageW(Item(kMultiLine), WM_GETFONT, 0, 0));
    ASSERT_NE(GetObjectW(shown, sizeof font, &font), 0);
    EXPECT_EQ(font.lfPitchAndFamily & 0x3, FIXED_PITCH);
}

TEST_F(TemplateDialogView, DropDownListTakesItemsAndChoices) {
    const std::vector<std::string> items = {"ISO/IEC 9797-1 pad", "CRC_B", "EMV ARQC"};
    orvelin::SetListItems(view_, kList, items);
    EXPECT_EQ(SendMessageW(Item(kList), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(orvelin::SelectedIndex(view_, kList), 0);
    for (const auto& [choose, chosen] : {std::pair{2, 2}, {1, 1}, {3, -1}, {-1, -1}, {0, 0}}) {
        orvelin::SelectIndex(view_, kList, choose);
        EXPECT_EQ(orvelin::SelectedIndex(view_, kList), chosen) << choose;
    }
    EXPECT_EQ(orvelin::ControlText(view_, kList), items[0]);
    orvelin::SetListItems(view_, kList, {});
    EXPECT_EQ(orvelin::SelectedIndex(view_, kList), -1);
}

TEST_F(TemplateDialogView, ControlsHideAndShow) {
    orvelin::SetVisible(view_, kPlain, false);
    EXPECT_FALSE(IsWindowVisible(Item(kPlain)));
    orvelin::SetVisible(view_, kPlain, true);
    EXPECT_TRUE(IsWindowVisible(Item(kPlain)));
}

TEST_F(TemplateDialogView, OnlyTheOperatorsChangesAreReported) {
    const std::vector<std::string> items = {"one", "two", "three"};
    orvelin::SetListItems(view_, kList, items);
    orvelin::SelectIndex(view_, kList, 1);
    orvelin::SetControlText(view_, kPlain, "12");
    const std::array<std::uint8_t, 2> bytes = {0x12, 0x34};
    orvelin::ShowBytes(view_, kHex, bytes);
    EXPECT_TRUE(logic_.changes.empty());

    SendMessageW(Item(kPlain), WM_CHAR, L'3', 1);
    SendMessageW(Item(kHex), WM_CHAR, L'A', 1);
    SendMessageW(Item(kHex), WM_CHAR, L'g', 1); // the filter drops it: no change
    SendMessageW(Item(kList), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(logic_.changes, (std::vector<int>{kPlain, kHex, kList}));
    EXPECT_EQ(orvelin::SelectedIndex(view_, kList), 2);
    EXPECT_TRUE(logic_.commands.empty());
}

// A wrong identifier or kind is a programming error: ignored, read as empty.
TEST_F(TemplateDialogView, AWrongIdThroughEachCallIsIgnored) {
    DialogView& view = view_;
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
    EXPECT_EQ(orvelin::ControlText(view, kLabel), "Name") << "IDC_STATIC reached a label";
    // Calls that need another kind than these controls are.
    EXPECT_EQ(orvelin::FieldText(view, kPlain), "");
    EXPECT_EQ(orvelin::SelectedIndex(view, kMultiLine), -1);
    EXPECT_FALSE(orvelin::IsChecked(view, kList));
    EXPECT_NO_THROW(orvelin::SetListItems(view, kPlain, items));
}

TEST_F(TemplateDialogView, AModelessDialogOpensBesideItsOwnerOnceAndTakesItsKeys) {
    HWND const owner = view_.GetSafeHwnd();
    SetWindowPos(owner, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RecordingLogic second;
    orvelin::OpenModelessDialog(view_, kKindsDialog, second);
    ASSERT_NE(second.view_, nullptr);
    DialogView* const opened = second.view_;
    HWND const window = opened->GetSafeHwnd();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner);
    RECT owner_rect{};
    RECT opened_rect{};
    GetWindowRect(owner, &owner_rect);
    GetWindowRect(window, &opened_rect);
    EXPECT_GE(opened_rect.left, owner_rect.right);

    // Enter in a field presses the default button, through the hook.
    PressKey(GetDlgItem(window, kPlain), VK_RETURN);
    EXPECT_EQ(second.commands, std::vector<int>{kGo});

    SetForegroundWindow(owner);
    orvelin::OpenModelessDialog(view_, kKindsDialog, second);
    EXPECT_EQ(second.initialised, 1);
    EXPECT_EQ(view_.ModelessOf(second), opened);
    EXPECT_EQ(GetForegroundWindow(), window);

    PressKey(GetDlgItem(window, kPlain), VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(view_.ModelessOf(second), nullptr);
    EXPECT_TRUE(IsWindowVisible(owner));
    orvelin::OpenModelessDialog(view_, kKindsDialog, second);
    EXPECT_EQ(second.initialised, 2);
    ASSERT_NE(view_.ModelessOf(second), nullptr);
    HWND const reopened = view_.ModelessOf(second)->GetSafeHwnd();
    EXPECT_TRUE(IsWindowVisible(reopened));
    SendMessageW(reopened, WM_CLOSE, 0, 0); // the close box, which posts IDCANCEL
    RunPendingMessages();
    EXPECT_FALSE(IsWindow(reopened));
}

} // namespace
