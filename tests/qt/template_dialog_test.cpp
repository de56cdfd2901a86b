// The view as Qt implements it, on the offscreen platform, over a small
// template of every kind of control and a logic that records its events: each
// kind's value round-trips, only the operator's changes are reported, a wrong
// identifier is ignored, and a modeless dialog opens beside its owner, comes
// to the front when opened again and closes on Escape. Then the card-practice
// template as built.
#include "dialog_template.h"
#include "dialog_view.h"
#include "hex_edit.h"
#include "resource.h"
#include "template_dialog.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
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

// Activation arrives as a window-system event.
bool ActiveSoon(const QWidget* window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 1000);
}

class TemplateDialogView : public testing::Test {
  protected:
    void SetUp() override {
        dialog_ = std::make_unique<DialogView>(kKindsDialog, logic_, nullptr);
        dialog_->show();
    }

    template <typename Widget = QWidget>
    Widget* Control(int id) const {
        return dialog_->findChild<Widget*>(QString::number(id));
    }

    RecordingLogic logic_;
    std::unique_ptr<DialogView> dialog_;
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
        orvelin::SetControlText(*dialog_, id, value);
        EXPECT_EQ(orvelin::ControlText(*dialog_, id), value) << id;
    }
    EXPECT_TRUE(Control<QLineEdit>(kReadOnly)->isReadOnly());
    auto* const multi_line = Control<QPlainTextEdit>(kMultiLine);
    ASSERT_NE(multi_line, nullptr);
    EXPECT_TRUE(multi_line->isReadOnly());
    EXPECT_TRUE(multi_line->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_TRUE(QFontInfo(multi_line->font()).fixedPitch());
    EXPECT_EQ(Control<CHexEdit>(kPlain), nullptr) << "a plain field must not filter as hex";
}

TEST_F(TemplateDialogView, DropDownListTakesItemsAndChoices) {
    const std::vector<std::string> items = {"ISO/IEC 9797-1 pad", "CRC_B", "EMV ARQC"};
    orvelin::SetListItems(*dialog_, kList, items);
    EXPECT_EQ(Control<QComboBox>(kList)->count(), 3);
    EXPECT_FALSE(Control<QComboBox>(kList)->isEditable());
    EXPECT_EQ(orvelin::SelectedIndex(*dialog_, kList), 0);
    for (const auto& [choose, chosen] : {std::pair{2, 2}, {1, 1}, {3, -1}, {-1, -1}, {0, 0}}) {
        orvelin::SelectIndex(*dialog_, kList, choose);
        EXPECT_EQ(orvelin::SelectedIndex(*dialog_, kList), chosen) << choose;
    }
    EXPECT_EQ(orvelin::ControlText(*dialog_, kList), items[0]);
    orvelin::SetListItems(*dialog_, kList, {});
    EXPECT_EQ(orvelin::SelectedIndex(*dialog_, kList), -1);
}

TEST_F(TemplateDialogView, ALabelsNewTextNamesItsBuddyAndControlsHide) {
    orvelin::SetControlText(*dialog_, kLabel, "Host challenge");
    QAccessibleInterface* const field = QAccessible::queryAccessibleInterface(Control(kPlain));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(QAccessible::Name), "Host challenge");
    orvelin::SetVisible(*dialog_, kPlain, false);
    EXPECT_FALSE(Control(kPlain)->isVisible());
    orvelin::SetVisible(*dialog_, kPlain, true);
    EXPECT_TRUE(Control(kPlain)->isVisible());
}

TEST_F(TemplateDialogView, OnlyTheOperatorsChangesAreReported) {
    const std::vector<std::string> items = {"one", "two", "three"};
    orvelin::SetListItems(*dialog_, kList, items);
    orvelin::SelectIndex(*dialog_, kList, 1);
    orvelin::SetControlText(*dialog_, kPlain, "12");
    const std::array<std::uint8_t, 2> bytes = {0x12, 0x34};
    orvelin::ShowBytes(*dialog_, kHex, bytes);
    EXPECT_TRUE(logic_.changes.empty());

    Control(kPlain)->setFocus();
    QTest::keyClicks(Control(kPlain), "3");
    QTest::keyClicks(Control(kHex), "A");
    QTest::keyClick(Control(kList), Qt::Key_Down);
    EXPECT_EQ(logic_.changes, (std::vector<int>{kPlain, kHex, kList}));
    EXPECT_EQ(orvelin::SelectedIndex(*dialog_, kList), 2);
    EXPECT_TRUE(logic_.commands.empty());
}

// A wrong identifier or kind is a programming error: ignored, read as empty.
TEST_F(TemplateDialogView, AWrongIdThroughEachCallIsIgnored) {
    DialogView& view = *dialog_;
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
    // Calls that need another kind than these controls are.
    EXPECT_EQ(orvelin::FieldText(view, kPlain), "");
    EXPECT_EQ(orvelin::SelectedIndex(view, kMultiLine), -1);
    EXPECT_FALSE(orvelin::IsChecked(view, kList));
    EXPECT_NO_THROW(orvelin::SetListItems(view, kPlain, items));
}

TEST_F(TemplateDialogView, AModelessDialogOpensBesideItsOwnerOnceAndEscapeClosesIt) {
    dialog_->move(0, 0);
    RecordingLogic second;
    orvelin::OpenModelessDialog(*dialog_, kKindsDialog, second);
    ASSERT_NE(second.view_, nullptr);
    DialogView* const opened = second.view_;
    EXPECT_TRUE(opened->isVisible());
    EXPECT_FALSE(opened->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_GT(opened->x(), dialog_->frameGeometry().right());

    // Enter in a field presses the default button.
    opened->findChild<QWidget*>(QString::number(kPlain))->setFocus();
    QTest::keyClick(opened->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(second.commands, std::vector<int>{kGo});

    dialog_->activateWindow();
    ASSERT_TRUE(ActiveSoon(dialog_.get()));
    orvelin::OpenModelessDialog(*dialog_, kKindsDialog, second);
    EXPECT_EQ(second.initialised, 1);
    EXPECT_EQ(dialog_->ModelessOf(second), opened);
    EXPECT_TRUE(ActiveSoon(opened));

    QTest::keyClick(opened->focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(dialog_->ModelessOf(second), nullptr);
    EXPECT_TRUE(dialog_->isVisible());
    orvelin::OpenModelessDialog(*dialog_, kKindsDialog, second);
    EXPECT_EQ(second.initialised, 2);
    ASSERT_NE(dialog_->ModelessOf(second), nullptr);
    EXPECT_TRUE(dialog_->ModelessOf(second)->isVisible());
    dialog_->ModelessOf(second)->close(); // the close box
    EXPECT_EQ(dialog_->ModelessOf(second), nullptr);
}

TEST(CardPracticeDialog, EveryControlIsBuiltInsideTheDialogInTemplateTabOrder) {
    const res::DialogTemplate& card = res::CardPracticeDialogTemplate();
    RecordingLogic logic;
    DialogView dialog(card, logic, nullptr);
    const QRect client = dialog.rect();
    std::vector<int> expected_order;
    for (const auto& control : card.controls) {
        if (control.id == res::IDC_STATIC) {
            continue;
        }
        const auto* const widget = dialog.findChild<QWidget*>(QString::number(control.id));
        ASSERT_NE(widget, nullptr) << control.id;
        EXPECT_TRUE(client.contains(widget->geometry())) << control.id;
        if (control.tab_stop) {
            expected_order.push_back(control.id);
        }
    }
    std::vector<int> order;
    auto* const first = dialog.findChild<QWidget*>(QString::number(expected_order.front()));
    QWidget* widget = first;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 && widget->parentWidget() == &dialog) {
            order.push_back(widget->objectName().toInt());
        }
        widget = widget->nextInFocusChain();
    } while (widget != first);
    EXPECT_EQ(order, expected_order);
    for (std::size_t row = 0; row < res::kCardFields.size(); ++row) {
        const auto* const label =
            dialog.findChild<QLabel*>(QString::number(res::kCardFieldLabels[row]));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->buddy()->objectName().toInt(), res::kCardFields[row]);
    }
}

} // namespace
