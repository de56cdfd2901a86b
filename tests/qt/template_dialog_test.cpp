// The view as Qt implements it, on the offscreen platform: the view's
// contract over the dialog of every kind, what the widgets show, only the
// operator's changes reported, and a modeless dialog that opens beside its
// owner, comes to the front when opened again and closes on Escape. Then the
// card-practice template as built.
#include "card_practice_dlg.h"
#include "dialog_template.h"
#include "hex_edit.h"
#include "resource.h"
#include "start_up.h"
#include "template_dialog.h"
#include "view_contract.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

namespace res = orvelin::res;
using orvelin::DialogView;
using namespace view_contract;

// Activation arrives as a window-system event.
bool ActiveSoon(const QWidget* window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 1000);
}

class TemplateDialogView : public testing::Test {
  protected:
    void SetUp() override {
        dialog_ = std::make_unique<DialogView>(KindsDialog(), logic_, nullptr);
        dialog_->show();
    }

    template <typename Widget = QWidget>
    Widget* Control(int id) const {
        return dialog_->findChild<Widget*>(QString::number(id));
    }

    RecordingLogic logic_;
    std::unique_ptr<DialogView> dialog_;
};

TEST_F(TemplateDialogView, KeepsTheViewsContract) {
    ExpectTextsRoundTrip(*dialog_);
    ExpectListRoundTrips(*dialog_);
    ExpectWrongIdsIgnored(*dialog_);
}

TEST_F(TemplateDialogView, EachKindIsTheWidgetItsRoleNeeds) {
    EXPECT_TRUE(Control<QLineEdit>(kReadOnly)->isReadOnly());
    EXPECT_EQ(Control<CHexEdit>(kPlain), nullptr) << "a plain field must not filter as hex";
    EXPECT_FALSE(Control<QComboBox>(kList)->isEditable());
    auto* const multi_line = Control<QPlainTextEdit>(kMultiLine);
    ASSERT_NE(multi_line, nullptr);
    EXPECT_TRUE(multi_line->isReadOnly());
    EXPECT_TRUE(multi_line->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_TRUE(QFontInfo(multi_line->font()).fixedPitch());
    EXPECT_EQ(multi_line->lineWrapMode(), QPlainTextEdit::NoWrap) << "steps keep their columns";
    auto* const wrapped = Control<QPlainTextEdit>(kWrapped);
    ASSERT_NE(wrapped, nullptr);
    EXPECT_TRUE(wrapped->isReadOnly());
    EXPECT_EQ(wrapped->lineWrapMode(), QPlainTextEdit::WidgetWidth);
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

// Positions and sizes in dialog units, converted as the builder converts them.
TEST_F(TemplateDialogView, AControlMovesAndTheDialogResizesInDialogUnits) {
    orvelin::MoveControl(*dialog_, kGo, 12, 20);
    orvelin::ResizeDialog(*dialog_, 120, 60);
    EXPECT_EQ(Control(kGo)->pos(), orvelin::PixelsOf(*dialog_, {12, 20, 0, 0}).topLeft());
    EXPECT_EQ(dialog_->size(), orvelin::PixelsOf(*dialog_, {0, 0, 120, 60}).size());
}

TEST_F(TemplateDialogView, OnlyTheOperatorsChangesAreReported) {
    ChangeEverythingAsTheLogic(*dialog_);
    EXPECT_TRUE(logic_.changes.empty());
    Control(kPlain)->setFocus();
    QTest::keyClicks(Control(kPlain), "3");
    QTest::keyClicks(Control(kHex), "Ag"); // the filter drops the g
    QTest::keyClick(Control(kList), Qt::Key_Down);
    EXPECT_EQ(logic_.changes, (std::vector<int>{kPlain, kHex, kList}));
    EXPECT_EQ(orvelin::SelectedIndex(*dialog_, kList), 2);
    EXPECT_TRUE(logic_.commands.empty());
}

TEST_F(TemplateDialogView, AModelessDialogOpensBesideItsOwnerOnceAndEscapeClosesIt) {
    dialog_->move(0, 0);
    RecordingLogic second;
    orvelin::OpenModelessDialog(*dialog_, KindsDialog(), second);
    ASSERT_NE(second.view, nullptr);
    DialogView* const opened = second.view;
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
    orvelin::OpenModelessDialog(*dialog_, KindsDialog(), second);
    EXPECT_EQ(second.initialised, 1);
    EXPECT_EQ(dialog_->ModelessOf(second), opened);
    EXPECT_TRUE(ActiveSoon(opened));

    QTest::keyClick(opened->focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(dialog_->ModelessOf(second), nullptr);
    EXPECT_TRUE(dialog_->isVisible());
    orvelin::OpenModelessDialog(*dialog_, KindsDialog(), second);
    EXPECT_EQ(second.initialised, 2);
    ASSERT_NE(dialog_->ModelessOf(second), nullptr);
    EXPECT_TRUE(dialog_->ModelessOf(second)->isVisible());
    dialog_->ModelessOf(second)->close(); // the close box
    EXPECT_EQ(dialog_->ModelessOf(second), nullptr);
}

// Its tab order is the template's, as the main window's test shows of the builder.
TEST(CardPracticeDialog, EveryControlIsInsideTheDialogAndEachFieldLabelNamesItsField) {
    const res::DialogTemplate& card = res::CardPracticeDialogTemplate();
    RecordingLogic logic;
    DialogView dialog(card, logic, nullptr);
    for (const auto& control : card.controls) {
        const auto* const widget = dialog.findChild<QWidget*>(QString::number(control.id));
        if (control.id != res::IDC_STATIC) {
            ASSERT_NE(widget, nullptr) << control.id;
            EXPECT_TRUE(dialog.rect().contains(widget->geometry())) << control.id;
        }
    }
    for (std::size_t row = 0; row < res::kCardFields.size(); ++row) {
        const auto* const label =
            dialog.findChild<QLabel*>(QString::number(res::kCardFieldLabels[row]));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->buddy()->objectName().toInt(), res::kCardFields[row]);
    }
}

// Whatever an operation shows (labels, captions, chosen items, its example's
// source) fits its control inside the dialog, in the template's font and in
// twice its size, as a 200% screen gives it: the dialog units follow the font.
TEST(CardPracticeDialog, EveryOperationsTextsFitTheirControlsAtOnceAndTwiceTheFont) {
    static const orvelin::TavikAlgBinding library = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { ADD_FAILURE() << m; });
    res::DialogTemplate card = res::CardPracticeDialogTemplate();
    for (const int points : {card.font_points, 2 * card.font_points}) {
        card.font_points = points;
        CCardPracticeDlg logic(library);
        DialogView dialog(card, logic, nullptr);
        auto* const chooser =
            dialog.findChild<QComboBox*>(QString::number(res::IDC_CARD_OPERATION));
        auto* const example =
            dialog.findChild<QAbstractButton*>(QString::number(res::IDC_CARD_EXAMPLE));
        for (int index = 0; index < chooser->count(); ++index) {
            chooser->setCurrentIndex(index);
            example->click();
            for (QWidget* const widget :
                 dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                const std::string where = std::to_string(points) + " pt, " +
                                          chooser->currentText().toStdString() + ", " +
                                          widget->objectName().toStdString();
                if (!widget->isVisibleTo(&dialog)) {
                    continue;
                }
                EXPECT_TRUE(dialog.rect().contains(widget->geometry())) << where;
                if (qobject_cast<QLabel*>(widget) != nullptr ||
                    qobject_cast<QAbstractButton*>(widget) != nullptr ||
                    qobject_cast<QComboBox*>(widget) != nullptr) {
                    EXPECT_LE(widget->sizeHint().width(), widget->width()) << where;
                }
            }
        }
    }
}

} // namespace
