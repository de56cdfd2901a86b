// The view as Win32 implements it, under Wine: the view's contract over the
// dialog of every kind, what the controls show, only the operator's changes
// reported, and a modeless dialog that opens beside its owner, comes to the
// front when opened again, and takes Enter and Escape from a running loop.
#include "dialog_view.h"
#include "template_dialog.h"
#include "view_contract.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

using orvelin::DialogView;
using namespace view_contract;

// What a message loop does; WH_GETMESSAGE hooks see each message it removes.
void RunPendingMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PressKey(HWND control, WPARAM key) {
    // Once, and for the release: it was down and goes up.
    constexpr auto kReleased = static_cast<LPARAM>(0xC0000001U);
    PostMessageW(control, WM_KEYDOWN, key, 1);
    PostMessageW(control, WM_KEYUP, key, kReleased);
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
    DialogView view_{KindsDialog(), logic_, false};
};

TEST_F(TemplateDialogView, KeepsTheViewsContract) {
    ExpectTextsRoundTrip(view_);
    ExpectListRoundTrips(view_);
    ExpectWrongIdsIgnored(view_);
}

TEST_F(TemplateDialogView, MultiLineTextBreaksLinesInAFixedPitchFont) {
    orvelin::SetControlText(view_, kMultiLine, "1\n2\n\n4");
    // The edit control breaks lines only at "\r\n".
    EXPECT_EQ(SendMessageW(Item(kMultiLine), EM_GETLINECOUNT, 0, 0), 4);
    LOGFONTW font{};
    auto* const shown = reinterpret_cast<HFONT>(SendMessageW(Item(kMultiLine), WM_GETFONT, 0, 0));
    ASSERT_NE(GetObjectW(shown, sizeof font, &font), 0);
    EXPECT_EQ(font.lfPitchAndFamily & 0x3, FIXED_PITCH);
    orvelin::SetVisible(view_, kMultiLine, false);
    EXPECT_FALSE(IsWindowVisible(Item(kMultiLine)));
}

// Positions and sizes in dialog units, as the dialog manager maps them.
TEST_F(TemplateDialogView, AControlMovesAndTheDialogResizesInDialogUnits) {
    HWND const dialog = view_.GetSafeHwnd();
    orvelin::MoveControl(view_, kGo, 12, 20);
    orvelin::ResizeDialog(view_, 120, 60);
    RECT expected{12, 20, 120, 60};
    ASSERT_TRUE(MapDialogRect(dialog, &expected));
    RECT placed{};
    GetWindowRect(Item(kGo), &placed);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, expected.left);
    EXPECT_EQ(placed.top, expected.top);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
}

TEST_F(TemplateDialogView, OnlyTheOperatorsChangesAreReported) {
    ChangeEverythingAsTheLogic(view_);
    EXPECT_TRUE(logic_.changes.empty());
    SendMessageW(Item(kPlain), WM_CHAR, L'3', 1);
    SendMessageW(Item(kHex), WM_CHAR, L'A', 1);
    SendMessageW(Item(kHex), WM_CHAR, L'g', 1); // the filter drops it: no change
    SendMessageW(Item(kList), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(logic_.changes, (std::vector<int>{kPlain, kHex, kList}));
    EXPECT_EQ(orvelin::SelectedIndex(view_, kList), 2);
    EXPECT_TRUE(logic_.commands.empty());
}

TEST_F(TemplateDialogView, AModelessDialogOpensBesideItsOwnerOnceAndTakesItsKeys) {
    HWND const owner = view_.GetSafeHwnd();
    SetWindowPos(owner, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RecordingLogic second;
    orvelin::OpenModelessDialog(view_, KindsDialog(), second);
    ASSERT_NE(second.view, nullptr);
    DialogView* const opened = second.view;
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
    orvelin::OpenModelessDialog(view_, KindsDialog(), second);
    EXPECT_EQ(second.initialised, 1);
    EXPECT_EQ(view_.ModelessOf(second), opened);
    EXPECT_EQ(GetForegroundWindow(), window);

    PressKey(GetDlgItem(window, kPlain), VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(view_.ModelessOf(second), nullptr);
    EXPECT_TRUE(IsWindowVisible(owner));
    orvelin::OpenModelessDialog(view_, KindsDialog(), second);
    EXPECT_EQ(second.initialised, 2);
    ASSERT_NE(view_.ModelessOf(second), nullptr);
    HWND const reopened = view_.ModelessOf(second)->GetSafeHwnd();
    EXPECT_TRUE(IsWindowVisible(reopened));
    SendMessageW(reopened, WM_CLOSE, 0, 0); // the close box, which posts IDCANCEL
    RunPendingMessages();
    EXPECT_FALSE(IsWindow(reopened));
}

} // namespace
