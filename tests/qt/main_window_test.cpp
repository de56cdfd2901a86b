// The main window as Qt shows it, on the offscreen platform: the widgets made
// from the template in their start-up state, clicks reaching the core's
// behaviour and its calls reaching the widgets, the message box, the typing
// filter, the keyboard and the about command.
#include "dialog_template.h"
#include "hex_edit.h"
#include "messages.h"
#include "modal_watch.h"
#include "orvelin_dlg.h"
#include "resource.h"
#include "start_up.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

namespace res = orvelin::res;
namespace msg = orvelin::messages;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const orvelin::TavikAlgBinding& Library() {
    static const orvelin::TavikAlgBinding binding = orvelin::BindAtStartUp(
        orvelin::kTavikAlgFileName, [](const std::string& m) { ADD_FAILURE() << m; });
    return binding;
}

class MainWindow : public testing::Test {
  protected:
    void SetUp() override {
        dialog_ = std::make_unique<COrvelinDlg>(Library());
        dialog_->show();
    }

    CHexEdit* Field(int id) const { return dialog_->findChild<CHexEdit*>(QString::number(id)); }
    QAbstractButton* Button(int id) const {
        return dialog_->findChild<QAbstractButton*>(QString::number(id));
    }
    bool Checked(int id) const { return Button(id)->isChecked(); }
    bool Enabled(int id) const {
        return dialog_->findChild<QWidget*>(QString::number(id))->isEnabled();
    }

    void SetFields(const QString& key, const QString& iv, const QString& data) {
        Field(res::IDC_SESSION_KEY)->setText(key);
        Field(res::IDC_IV)->setText(iv);
        Field(res::IDC_DATA_IN)->setText(data);
    }
    QString DataOut() const { return Field(res::IDC_DATA_OUT)->text(); }
    QString Cmac() const { return Field(res::IDC_CMAC)->text(); }

    std::vector<QString> AllTexts() const {
        std::vector<QString> texts;
        for (const int id : {res::IDC_SESSION_KEY, res::IDC_IV, res::IDC_DATA_IN, res::IDC_DATA_OUT,
                             res::IDC_CMAC}) {
            texts.push_back(Field(id)->text());
        }
        return texts;
    }

    // Presses a button that refuses: exactly one message box, owned by the
    // window, OK only, no icon, captioned with the application's name.
    QString RefusalOf(int button_id) {
        const auto before = AllTexts();
        const auto seen = RunClosingModals([&] { Button(button_id)->click(); });
        EXPECT_EQ(seen.size(), 1U);
        EXPECT_EQ(AllTexts(), before) << "a refusal changed a field";
        if (seen.size() != 1) {
            return {};
        }
        EXPECT_EQ(seen[0].class_name, "QMessageBox");
        EXPECT_EQ(seen[0].title, Text(msg::kApplicationName));
        EXPECT_FALSE(seen[0].has_icon);
        EXPECT_TRUE(seen[0].ok_only);
        EXPECT_EQ(seen[0].owner, dialog_.get());
        return seen[0].text;
    }

    std::unique_ptr<COrvelinDlg> dialog_;
};

TEST_F(MainWindow, StartUpState) {
    EXPECT_EQ(dialog_->windowTitle(), QString::fromUtf8(res::MainDialogTemplate().caption));
    EXPECT_EQ(dialog_->minimumSize(), dialog_->maximumSize());
    EXPECT_FALSE(dialog_->windowIcon().isNull());
    for (const int id : {res::IDC_SESSION_KEY, res::IDC_IV, res::IDC_DATA_IN}) {
        EXPECT_EQ(Field(id)->text(), "0000000000000000");
    }
    EXPECT_EQ(DataOut(), "");
    EXPECT_EQ(Cmac(), "");
    for (const int id : {res::IDC_DES_ENABLE, res::IDC_DES, res::IDC_CBC, res::IDC_CRC32}) {
        EXPECT_TRUE(Checked(id)) << id;
    }
    for (const int id : {res::IDC_AES_ENABLE, res::IDC_2TDES, res::IDC_3TDES, res::IDC_CRC16}) {
        EXPECT_FALSE(Checked(id)) << id;
    }
    EXPECT_FALSE(Enabled(res::IDC_AES_CMAC));
    for (const int id : {res::IDC_TDES_CMAC, res::IDC_3KTDES_CMAC, res::IDC_IV, res::IDC_DES}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_EQ(dialog_->focusWidget(), Button(res::IDC_DECRYPT));
}

TEST_F(MainWindow, TabOrderIsTemplateOrderAndLabelsNameTheirFields) {
    const std::vector<int> expected = {1014, 1000, 1001, 1002, 1003, 1004, 1005, 1006, 1010,
                                       1011, 1012, 1013, 1015, 1016, 1017, 1018, 1019};
    std::vector<int> order;
    QWidget* widget = Button(res::IDC_DECRYPT);
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) != 0 &&
            widget->parentWidget() == dialog_.get()) {
            order.push_back(widget->objectName().toInt());
        }
        widget = widget->nextInFocusChain();
    } while (widget != Button(res::IDC_DECRYPT));
    EXPECT_EQ(order, expected);
    for (const auto& [label, id] : {std::pair{"SessionKey:", res::IDC_SESSION_KEY},
                                    {"IV:", res::IDC_IV},
                                    {"DataIn:", res::IDC_DATA_IN},
                                    {"DataOut:", res::IDC_DATA_OUT},
                                    {"CMAC:", res::IDC_CMAC}}) {
        QAccessibleInterface* const accessible = QAccessible::queryAccessibleInterface(Field(id));
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), label);
    }
}

TEST_F(MainWindow, TypingFilterRefusesAllButHexDigitsAndThreeMarks) {
    CHexEdit* const field = Field(res::IDC_DATA_IN);
    field->clear();
    field->setFocus();
    QTest::keyClicks(field, "gx-: G");
    EXPECT_EQ(field->text(), "");
    QTest::keyClicks(field, "09afAF.%'");
    EXPECT_EQ(field->text(), "09afAF.%'");
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), "09afAF.");
}

TEST_F(MainWindow, CtrlHeldInTheFieldLetsPasteThrough) {
    CHexEdit* const field = Field(res::IDC_DATA_IN);
    field->clear();
    field->setFocus();
    QApplication::clipboard()->setText("zz 12-34");
    // Ctrl went down while another window had the focus: the field never saw it.
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(field, &paste);
    EXPECT_EQ(field->text(), "");
    QTest::keyPress(field, Qt::Key_Control);
    EXPECT_EQ(field->CtrlHeld(), 1);
    QApplication::sendEvent(field, &paste);
    QTest::keyRelease(field, Qt::Key_Control);
    EXPECT_EQ(field->CtrlHeld(), 0);
    EXPECT_EQ(field->text(), "zz 12-34");
}

// The behaviour is the core's; here its calls reach the widgets they name.
TEST_F(MainWindow, ClicksReachTheLogicAndItsCallsReachTheirControls) {
    Button(res::IDC_AES_ENABLE)->click();
    EXPECT_FALSE(Checked(res::IDC_DES_ENABLE));
    EXPECT_TRUE(Enabled(res::IDC_AES_CMAC));
    EXPECT_FALSE(Enabled(res::IDC_3TDES));
    Button(res::IDC_CBC)->click();
    EXPECT_FALSE(Enabled(res::IDC_IV));
    SetFields("4cf15134a2850dd58a3d10ba80570d38", "0000000000000000",
              "6bc1bee22e409f96e93d7e117393172aae2d8a57");
    Button(res::IDC_DES_ENABLE)->click();
    Button(res::IDC_TDES_CMAC)->click();
    EXPECT_EQ(DataOut(), "62DD1B471902BD4E");
    EXPECT_EQ(Cmac(), "62DD1B471902BD4E");
}

TEST_F(MainWindow, ARefusalIsOneMessageBoxOwnedByTheWindow) {
    EXPECT_EQ(RefusalOf(res::IDC_TDES_CMAC), Text(msg::kKeyLength16));
}

TEST_F(MainWindow, EnterInAnyFieldRunsDecryptAndEscapeCloses) {
    SetFields("0000000000000000", "0000000000000000", "8CA64DE9C1B123A7");
    for (const int id : {res::IDC_SESSION_KEY, res::IDC_DATA_IN, res::IDC_CMAC}) {
        Field(res::IDC_DATA_OUT)->clear();
        Field(id)->setFocus();
        QTest::keyClick(Field(id), Qt::Key_Return);
        EXPECT_EQ(DataOut(), "0000000000000000") << id;
        EXPECT_TRUE(dialog_->isVisible());
    }
    QTest::keyClick(Field(res::IDC_IV), Qt::Key_Escape);
    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(dialog_->result(), QDialog::Rejected);
}

TEST_F(MainWindow, AboutCommandOpensTheAboutBoxForEveryIdThatMasksTo0x10) {
    for (unsigned id = 0x10; id <= 0x1F; ++id) {
        const auto seen = RunClosingModals([&] { dialog_->OnSysCommand(id, 0); });
        ASSERT_EQ(seen.size(), 1U) << id;
        EXPECT_EQ(seen[0].title, QString::fromUtf8("关于 Orvelin"));
        EXPECT_EQ(seen[0].owner, dialog_.get());
    }
    for (const unsigned id : {0x00U, 0x30U, 0xF060U}) {
        EXPECT_TRUE(RunClosingModals([&] { dialog_->OnSysCommand(id, 0); }).empty()) << id;
    }
    EXPECT_TRUE(dialog_->isVisible());
}

TEST_F(MainWindow, WindowMenuEndsWithSeparatorAboutAndCardPracticeEntries) {
    ASSERT_NE(dialog_->SystemMenu(), nullptr);
    const auto actions = dialog_->SystemMenu()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_TRUE(actions[0]->isSeparator());
    EXPECT_EQ(actions[1]->text(), QString::fromUtf8("关于 Orvelin(&A)..."));
    EXPECT_EQ(actions[2]->text(), "Card practice...");
    QStringList labels;
    const auto seen = RunClosingModals([&] { actions[1]->trigger(); },
                                       [&](QWidget* about) {
                                           for (auto* label : about->findChildren<QLabel*>()) {
                                               labels << label->text();
                                           }
                                           auto* ok = about->findChild<QAbstractButton*>();
                                           EXPECT_EQ(ok->text(), QString::fromUtf8("确定"));
                                           ok->click();
                                       });
    ASSERT_EQ(seen.size(), 1U);
    EXPECT_TRUE(labels.contains("Orvelin"));
    EXPECT_TRUE(labels.filter("2025").size() == 1);
}

// The card-practice entry opens one modeless dialog beside the window, which
// stays usable; the logic's calls reach its widgets.
TEST_F(MainWindow, CardPracticeEntryOpensOneModelessDialogThatCalculatesAnExample) {
    const auto seen = RunClosingModals([&] {
        dialog_->SystemMenu()->actions()[2]->trigger();
        dialog_->OnSysCommand(res::IDM_CARD_PRACTICE, 0);
    });
    EXPECT_TRUE(seen.empty());
    const auto opened = dialog_->findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(opened.size(), 1);
    QDialog* const card = opened.front();
    EXPECT_TRUE(card->isVisible());
    EXPECT_FALSE(card->isModal());
    EXPECT_EQ(card->windowTitle(), "Card practice");
    const auto child = [card](int id) { return card->findChild<QWidget*>(QString::number(id)); };
    auto* const chooser = static_cast<QComboBox*>(child(res::IDC_CARD_OPERATION));
    chooser->setCurrentIndex(chooser->findText("DESFire EV2 session keys"));
    static_cast<QAbstractButton*>(child(res::IDC_CARD_EXAMPLE))->click();
    static_cast<QAbstractButton*>(child(res::IDC_CARD_CALCULATE))->click();
    EXPECT_EQ(static_cast<QPlainTextEdit*>(child(res::IDC_CARD_RESULT))->toPlainText(),
              "SesAuthENCKey 1309C877509E5A215007FF0ED19CA564\n"
              "SesAuthMACKey 4C6626F5E72EA694202139295C7A7FC7");
    EXPECT_FALSE(child(res::IDC_CARD_FIELD_4)->isVisibleTo(card));
    EXPECT_EQ(static_cast<QLabel*>(child(res::IDC_CARD_FIELD_LABEL_2))->text(), "RndA");
    EXPECT_TRUE(dialog_->isEnabled());
}

} // namespace
