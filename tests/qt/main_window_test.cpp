// The main window as a user meets it, on the offscreen platform: start-up
// state, the control-state rules, the typing filter, every button, every
// refusal, the keyboard and the about command.
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
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
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
    EXPECT_EQ(dialog_->windowTitle(), Text(msg::kMainWindowCaption));
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

TEST_F(MainWindow, AesEnableClickedTwiceLeavesBothUncheckedAndDesStillDecides) {
    Button(res::IDC_AES_ENABLE)->click();
    EXPECT_TRUE(Checked(res::IDC_AES_ENABLE));
    EXPECT_FALSE(Checked(res::IDC_DES_ENABLE));
    Button(res::IDC_AES_ENABLE)->click();
    EXPECT_FALSE(Checked(res::IDC_AES_ENABLE));
    EXPECT_FALSE(Checked(res::IDC_DES_ENABLE));
    for (const int id :
         {res::IDC_DES, res::IDC_2TDES, res::IDC_3TDES, res::IDC_TDES_CMAC, res::IDC_3KTDES_CMAC}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    EXPECT_TRUE(Enabled(res::IDC_AES_CMAC));
    EXPECT_TRUE(Checked(res::IDC_DES)); // disabled, still checked
    Button(res::IDC_ENCRYPT)->click();
    EXPECT_EQ(DataOut(), "8CA64DE9C1B123A7");
}

TEST_F(MainWindow, DesEnableRestoresTheDesControls) {
    Button(res::IDC_AES_ENABLE)->click();
    Button(res::IDC_DES_ENABLE)->click();
    EXPECT_TRUE(Checked(res::IDC_DES_ENABLE));
    EXPECT_FALSE(Checked(res::IDC_AES_ENABLE));
    for (const int id :
         {res::IDC_DES, res::IDC_2TDES, res::IDC_3TDES, res::IDC_TDES_CMAC, res::IDC_3KTDES_CMAC}) {
        EXPECT_TRUE(Enabled(id)) << id;
    }
    EXPECT_FALSE(Enabled(res::IDC_AES_CMAC));
    Button(res::IDC_DES_ENABLE)->click(); // unchecking still applies the row
    EXPECT_FALSE(Checked(res::IDC_DES_ENABLE));
    EXPECT_FALSE(Enabled(res::IDC_AES_CMAC));
}

TEST_F(MainWindow, CbcEnablesTheIvFieldWithoutClearingIt) {
    Button(res::IDC_CBC)->click();
    EXPECT_FALSE(Enabled(res::IDC_IV));
    EXPECT_EQ(Field(res::IDC_IV)->text(), "0000000000000000");
    Button(res::IDC_CBC)->click();
    EXPECT_TRUE(Enabled(res::IDC_IV));
}

TEST_F(MainWindow, Crc16AndCrc32ExcludeEachOtherAndNeitherDoesNothing) {
    Button(res::IDC_CRC16)->click();
    EXPECT_TRUE(Checked(res::IDC_CRC16));
    EXPECT_FALSE(Checked(res::IDC_CRC32));
    Button(res::IDC_CRC32)->click();
    EXPECT_FALSE(Checked(res::IDC_CRC16));
    EXPECT_TRUE(Checked(res::IDC_CRC32));
    Button(res::IDC_CRC32)->click();
    EXPECT_FALSE(Checked(res::IDC_CRC16) || Checked(res::IDC_CRC32));
    Field(res::IDC_DATA_OUT)->setText("KEEP");
    Button(res::IDC_CALC_CRC)->click();
    EXPECT_EQ(DataOut(), "KEEP");
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

struct ButtonAnswer {
    const char* name;
    std::vector<int> clicks; // check boxes and radio buttons first
    const char *key, *iv, *data;
    int button;
    const char *data_out, *cmac;
};

TEST_F(MainWindow, EachButtonShowsItsKnownAnswer) {
    const char* const aes_key = "2b7e151628aed2a6abf7158809cf4f3c";
    const char* const zero16 = "00000000000000000000000000000000";
    const ButtonAnswer answers[] = {
        {"start-up Encrypt",
         {},
         "0000000000000000",
         "0000000000000000",
         "0000000000000000",
         res::IDC_ENCRYPT,
         "8CA64DE9C1B123A7",
         ""},
        {"start-up Decrypt",
         {},
         "0000000000000000",
         "0000000000000000",
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
         "0000000000000000",
         "6bc1bee22e409f96e93d7e117393172aae2d8a57",
         res::IDC_TDES_CMAC,
         "62DD1B471902BD4E",
         "62DD1B471902BD4E"},
        {"3KTDES_CMAC",
         {},
         "8aa83bf8cbda10620bc1bf19fbb6cd58bc313d4a371ca8b5",
         "0000000000000000",
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
        SetUp();
        for (const int id : answer.clicks) {
            Button(id)->click();
        }
        SetFields(answer.key, answer.iv, answer.data);
        const auto before = AllTexts();
        EXPECT_TRUE(RunClosingModals([&] { Button(answer.button)->click(); }).empty());
        EXPECT_EQ(DataOut(), answer.data_out);
        EXPECT_EQ(Cmac(), answer.cmac);
        EXPECT_EQ(Field(res::IDC_IV)->text(), before[1]);
        EXPECT_EQ(Field(res::IDC_DATA_IN)->text(), before[2]);
    }
}

TEST_F(MainWindow, SamePressTwiceGivesTheSameOutputAndLeavesTheIvAlone) {
    SetFields("0123456789ABCDEF", "1234567890ABCDEF", "4E6F77206973207468652074696D6520");
    Button(res::IDC_ENCRYPT)->click();
    const QString first = DataOut();
    Button(res::IDC_ENCRYPT)->click();
    EXPECT_EQ(DataOut(), first);
    EXPECT_EQ(Field(res::IDC_IV)->text(), "1234567890ABCDEF");
    Field(res::IDC_DATA_IN)->setText(first);
    Button(res::IDC_DECRYPT)->click();
    EXPECT_EQ(DataOut(), "4E6F77206973207468652074696D6520");
}

TEST_F(MainWindow, EachRefusalShowsItsMessageAndChangesNothing) {
    Field(res::IDC_DATA_OUT)->setText("OLD");
    Field(res::IDC_CMAC)->setText("OLDMAC");
    EXPECT_EQ(RefusalOf(res::IDC_TDES_CMAC), Text(msg::kKeyLength16));
    Button(res::IDC_2TDES)->click();
    EXPECT_EQ(RefusalOf(res::IDC_ENCRYPT), Text(msg::kKeyLength16));
    Button(res::IDC_3TDES)->click();
    EXPECT_EQ(RefusalOf(res::IDC_DECRYPT), Text(msg::kKeyLength24));
    EXPECT_EQ(RefusalOf(res::IDC_3KTDES_CMAC), Text(msg::kKeyLength24));
    Button(res::IDC_DES)->click();
    Field(res::IDC_IV)->setText("00");
    EXPECT_EQ(RefusalOf(res::IDC_ENCRYPT), Text(msg::kIvLength8));
    Field(res::IDC_IV)->setText("0000000000000000");
    Field(res::IDC_DATA_IN)->setText("00112233.4556677");
    EXPECT_EQ(RefusalOf(res::IDC_ENCRYPT), Text(msg::NotHexDigits(msg::kDataInLabel)));
    EXPECT_EQ(RefusalOf(res::IDC_CALC_CRC), Text(msg::NotHexDigits(msg::kDataInLabel)));
    Field(res::IDC_DATA_IN)->setText(QString(514, '0'));
    EXPECT_EQ(RefusalOf(res::IDC_KEY_XOR_IN), Text(msg::TooLong(msg::kDataInLabel)));
    Field(res::IDC_DATA_IN)->setText("001122334455");
    EXPECT_EQ(RefusalOf(res::IDC_DECRYPT), Text(msg::kDataMultipleOf8));
    Field(res::IDC_SESSION_KEY)->setText("0011");
    EXPECT_EQ(RefusalOf(res::IDC_ENCRYPT), Text(msg::kDesKeyAtLeast8));
    Field(res::IDC_SESSION_KEY)->setText(QString(32, '1'));
    Button(res::IDC_AES_ENABLE)->click();
    EXPECT_EQ(RefusalOf(res::IDC_ENCRYPT), Text(msg::kIvLength16));
    EXPECT_EQ(RefusalOf(res::IDC_AES_CMAC), Text(msg::kIvLength16));
    Button(res::IDC_CBC)->click(); // IV field disabled: the CMAC still reads it
    EXPECT_EQ(RefusalOf(res::IDC_AES_CMAC), Text(msg::kIvLength16));
    Field(res::IDC_SESSION_KEY)->setText("0000000000000000");
    EXPECT_EQ(RefusalOf(res::IDC_ENCRYPT), Text(msg::kKeyLength16));
    EXPECT_EQ(DataOut(), "OLD");
    EXPECT_EQ(Cmac(), "OLDMAC");
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
        EXPECT_EQ(seen[0].class_name, "CAboutDlg");
        EXPECT_EQ(seen[0].title, QString::fromUtf8("关于 Orvelin"));
        EXPECT_EQ(seen[0].owner, dialog_.get());
    }
    for (const unsigned id : {0x00U, 0x20U, 0xF060U}) {
        EXPECT_TRUE(RunClosingModals([&] { dialog_->OnSysCommand(id, 0); }).empty()) << id;
    }
    EXPECT_TRUE(dialog_->isVisible());
}

TEST_F(MainWindow, WindowMenuEndsWithSeparatorAndAboutEntryWhoseButtonCloses) {
    ASSERT_NE(dialog_->SystemMenu(), nullptr);
    const auto actions = dialog_->SystemMenu()->actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_TRUE(actions[0]->isSeparator());
    EXPECT_EQ(actions[1]->text(), QString::fromUtf8("关于 Orvelin(&A)..."));
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

} // namespace
