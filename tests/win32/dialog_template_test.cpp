// The dialogs as the dialog manager made them from the in-memory templates,
// control by control against the one description; the main window's
// start-up state, a click rule and its menu entry; the hex fields' filter.
#include "control_states.h"
#include "dialog_template.h"
#include "dialog_template_builder.h"
#include "orvelin_dlg.h"
#include "resource.h"
#include "string_table.h"
#include "wide_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace {

namespace res = orvelin::res;
using orvelin::win32::WideFromUtf8;
using res::ControlKind;

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    std::wstring name(64, L'\0');
    name.resize(static_cast<std::size_t>(
        GetClassNameW(window, name.data(), static_cast<int>(name.size()))));
    return name;
}

DWORD StyleOf(HWND window) {
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

// What each kind must come out as: its window class, and the style bits under
// `mask` that tell it from the others of that class.
struct KindFacts {
    const wchar_t* window_class;
    DWORD mask;
    DWORD bits;
};

constexpr DWORD kEditBits = ES_AUTOHSCROLL | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL;
constexpr DWORD kComboBoxType = 0x3; // CBS_SIMPLE, CBS_DROPDOWN or CBS_DROPDOWNLIST

KindFacts FactsOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::default_push_button:
        return {L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON};
    case ControlKind::push_button:
        return {L"Button", BS_TYPEMASK, BS_PUSHBUTTON};
    case ControlKind::edit:
    case ControlKind::plain_edit:
        return {L"Edit", kEditBits, ES_AUTOHSCROLL};
    case ControlKind::read_only_edit:
        return {L"Edit", kEditBits, ES_AUTOHSCROLL | ES_READONLY};
    case ControlKind::multi_line_text:
        return {L"Edit", kEditBits,
                ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL};
    case ControlKind::wrapped_text:
        return {L"Edit", kEditBits, ES_MULTILINE | ES_READONLY | WS_VSCROLL};
    case ControlKind::drop_down_list:
        return {L"ComboBox", kComboBoxType, CBS_DROPDOWNLIST};
    case ControlKind::label:
        return {L"Static", SS_TYPEMASK | SS_NOPREFIX, SS_LEFT | SS_NOPREFIX};
    case ControlKind::right_label:
        return {L"Static", SS_TYPEMASK | SS_NOPREFIX, SS_RIGHT};
    case ControlKind::auto_check_box:
        return {L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX};
    case ControlKind::auto_radio_button:
        return {L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON};
    case ControlKind::icon:
        return {L"Static", SS_TYPEMASK, SS_ICON};
    }
    return {};
}

std::vector<HWND> ChildrenInOrder(HWND dialog) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

void ExpectMatches(HWND control, const res::ControlTemplate& expected) {
    SCOPED_TRACE(testing::Message()
                 << "control " << expected.id << " \"" << expected.caption << '"');
    const KindFacts facts = FactsOf(expected.kind);
    const DWORD style = StyleOf(control);
    EXPECT_EQ(static_cast<WORD>(GetDlgCtrlID(control)), static_cast<WORD>(expected.id));
    EXPECT_EQ(ClassOf(control), facts.window_class);
    EXPECT_EQ(style & facts.mask, facts.bits);
    EXPECT_EQ((style & WS_TABSTOP) != 0, expected.tab_stop);
    EXPECT_EQ((style & WS_GROUP) != 0, expected.group_start);
    EXPECT_TRUE(style & WS_VISIBLE);
    if (expected.kind == ControlKind::icon) {
        EXPECT_NE(SendMessageW(control, STM_GETICON, 0, 0), 0) << "no icon 128";
    } else {
        EXPECT_EQ(TextOf(control), WideFromUtf8(expected.caption));
    }
    if (std::wstring_view(facts.window_class) == L"Edit") {
        const auto extended = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE));
        // The dialog manager may draw the border as a sunken edge instead.
        EXPECT_TRUE((style & WS_BORDER) != 0 || (extended & WS_EX_CLIENTEDGE) != 0);
    }
}

void ExpectMatchesTemplate(HWND dialog, const res::DialogTemplate& expected) {
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), WideFromUtf8(expected.caption));
    const auto children = ChildrenInOrder(dialog);
    ASSERT_EQ(children.size(), expected.controls.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
        ExpectMatches(children[i], expected.controls[i]);
    }
}

struct WindowCloser {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

class MainWindow : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(std::holds_alternative<orvelin::TavikAlgBinding>(binding_));
        dialog_ = std::make_unique<COrvelinDlg>(std::get<orvelin::TavikAlgBinding>(binding_));
        window_.reset(dialog_->Create());
        ASSERT_NE(window_, nullptr);
    }

    HWND Item(int id) const { return GetDlgItem(window_.get(), id); }
    bool Checked(int id) const { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::wstring Text(int id) const { return TextOf(Item(id)); }

    void ExpectApplied(const orvelin::ControlStep& step) const {
        using enum orvelin::ControlAction;
        SCOPED_TRACE(testing::Message() << "control " << step.control);
        switch (step.action) {
        case check:
        case uncheck:
            EXPECT_EQ(Checked(step.control), step.action == check);
            break;
        case enable:
        case disable:
            EXPECT_EQ(Enabled(step.control), step.action == enable);
            break;
        case show_zero_bytes:
            EXPECT_EQ(Text(step.control), std::wstring(2 * orvelin::kStartUpZeroBytes, L'0'));
            break;
        case focus:
            EXPECT_EQ(GetFocus(), Item(step.control));
            break;
        }
    }

    const orvelin::BindingResult binding_ =
        orvelin::TavikAlgBinding::Bind(orvelin::kTavikAlgFileName);
    std::unique_ptr<COrvelinDlg> dialog_;
    Window window_;
};

INT_PTR CALLBACK DoNothing(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// Each template made into a hidden dialog with a procedure that does nothing,
// so that every control is as the template left it.
class TemplateDialog : public testing::TestWithParam<const res::DialogTemplate*> {};

TEST_P(TemplateDialog, ControlsFollowTheTemplateInItsOrder) {
    const auto& expected = *GetParam();
    const auto made = orvelin::win32::BuildDialogTemplate(expected, {.visible = false});
    const Window window(
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), made.Get(), nullptr, &DoNothing, 0));
    ExpectMatchesTemplate(window.get(), expected);
}

INSTANTIATE_TEST_SUITE_P(EachTemplate, TemplateDialog,
                         testing::Values(&res::MainDialogTemplate(), &res::AboutDialogTemplate(),
                                         &res::CardPracticeDialogTemplate()),
                         [](const auto& dialog) {
                             return "IDD_" + std::to_string(dialog.param->id);
                         });

// Assistive technology names a control by the static text just before it.
TEST(CardPracticeTemplate, EachLabelComesJustBeforeTheControlItNames) {
    const auto controls = res::CardPracticeDialogTemplate().controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].buddy != res::IDC_STATIC) {
            ASSERT_LT(i + 1, controls.size());
            EXPECT_EQ(controls[i + 1].id, controls[i].buddy) << "label " << controls[i].id;
        }
    }
}

TEST_F(MainWindow, StartsInTheCoresStateWithTheAboutAndCardPracticeEntriesLast) {
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(window_.get(), GWL_EXSTYLE));
    EXPECT_TRUE(extended & WS_EX_APPWINDOW);
    for (const auto& step : orvelin::StartUpSteps()) {
        ExpectApplied(step);
    }
    EXPECT_FALSE(Checked(res::IDC_AES_ENABLE));
    EXPECT_FALSE(Checked(res::IDC_CRC16));

    HMENU const menu = GetSystemMenu(window_.get(), FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 3);
    EXPECT_EQ(GetMenuState(menu, static_cast<UINT>(count - 3), MF_BYPOSITION) & MF_SEPARATOR,
              MF_SEPARATOR);
    for (const auto& [place, command, text] :
         {std::tuple{count - 2, res::IDM_ABOUTBOX, res::IDS_ABOUTBOX},
          std::tuple{count - 1, res::IDM_CARD_PRACTICE, res::IDS_CARDPRACTICE}}) {
        EXPECT_EQ(GetMenuItemID(menu, place), command);
        std::wstring entry(128, L'\0');
        entry.resize(static_cast<std::size_t>(
            GetMenuStringW(menu, static_cast<UINT>(place), entry.data(),
                           static_cast<int>(entry.size()), MF_BYPOSITION)));
        EXPECT_EQ(entry, WideFromUtf8(res::LoadResourceString(text)));
    }
}

TEST_F(MainWindow, ClicksApplyTheCoresRules) {
    SendMessageW(Item(res::IDC_AES_ENABLE), BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(res::IDC_AES_ENABLE));
    for (const auto& step : orvelin::StepsAfterClick(res::IDC_AES_ENABLE, true)) {
        ExpectApplied(step);
    }
    SendMessageW(Item(res::IDC_CBC), BM_CLICK, 0, 0);
    EXPECT_FALSE(Checked(res::IDC_CBC));
    for (const auto& step : orvelin::StepsAfterClick(res::IDC_CBC, false)) {
        ExpectApplied(step);
    }
}

// DES of a zero block under a zero key, CBC from a zero IV: the start-up state.
TEST_F(MainWindow, EncryptShowsTheLibrarysAnswerInDataOut) {
    SendMessageW(Item(res::IDC_ENCRYPT), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(res::IDC_DATA_OUT), L"8CA64DE9C1B123A7");
}

TEST_F(MainWindow, HexFieldsDropWhatTheTypingFilterDrops) {
    HWND const field = Item(res::IDC_DATA_IN);
    SetWindowTextW(field, L"");
    const auto type = [field](wchar_t c) { SendMessageW(field, WM_CHAR, c, 1); };
    type(L'g');
    type(L'a');
    type(L' ');
    type(L'%');
    EXPECT_EQ(TextOf(field), L"a%");
    // While Ctrl is held every character passes; its release ends that.
    SendMessageW(field, WM_KEYDOWN, VK_CONTROL, 1);
    type(L'g');
    SendMessageW(field, WM_KEYUP, VK_CONTROL, 1);
    type(L'h');
    EXPECT_EQ(TextOf(field), L"a%g");
}

} // namespace
