// Dialog templates 102 (the main window), 100 (the about box) and 131 (card
// practice).
#include "dialog_template.h"
#include "resource.h"

#include <array>

namespace orvelin::res {
namespace {

using enum ControlKind;

constexpr const char* kDialogFont = "宋体";

// clang-format off
constexpr std::array<ControlTemplate, 25> kMainControls = {{
    {IDC_DECRYPT,     default_push_button, "Decrypt",     {555, 145, 50, 14},  true,  false},
    {IDC_SESSION_KEY, edit,                "",            {63, 26, 547, 16},   true,  false},
    {IDC_STATIC,      right_label,         "SessionKey:", {9, 28, 49, 8},      false, true, IDC_SESSION_KEY},
    {IDC_DATA_IN,     edit,                "",            {63, 76, 547, 16},   true,  false},
    {IDC_STATIC,      right_label,         "DataIn:",     {9, 79, 49, 8},      false, true, IDC_DATA_IN},
    {IDC_DATA_OUT,    edit,                "",            {63, 105, 547, 16},  true,  false},
    {IDC_STATIC,      right_label,         "DataOut:",    {9, 109, 49, 8},     false, true, IDC_DATA_OUT},
    {IDC_CRC16,       auto_check_box,      "CRC16",       {374, 148, 32, 10},  true,  false},
    {IDC_DES_ENABLE,  auto_check_box,      "DES ENABLE",  {138, 148, 51, 10},  true,  false},
    {IDC_ENCRYPT,     push_button,         "Encrypt",     {502, 145, 50, 14},  true,  false},
    {IDC_DES,         auto_radio_button,   "DES",         {194, 148, 24, 10},  false, false},
    {IDC_2TDES,       auto_radio_button,   "2TDES",       {225, 148, 35, 10},  false, false},
    {IDC_3TDES,       auto_radio_button,   "3TDES",       {262, 148, 35, 10},  false, false},
    {IDC_AES_ENABLE,  auto_check_box,      "AES_ENABLE",  {63, 148, 56, 10},   true,  false},
    {IDC_IV,          edit,                "",            {63, 50, 547, 16},   true,  false},
    {IDC_STATIC,      right_label,         "IV:",         {9, 52, 49, 8},      false, true, IDC_IV},
    {IDC_CBC,         auto_check_box,      "CBC",         {329, 148, 27, 10},  true,  false},
    {IDC_CRC32,       auto_check_box,      "CRC32",       {410, 148, 32, 10},  true,  false},
    {IDC_CALC_CRC,    push_button,         "CalcCRC",     {449, 146, 50, 14},  true,  false},
    {IDC_AES_CMAC,    push_button,         "AES_CMAC",    {176, 128, 50, 14},  true,  false},
    {IDC_STATIC,      right_label,         "CMAC:",       {9, 129, 49, 8},     false, true, IDC_CMAC},
    {IDC_CMAC,        edit,                "",            {63, 126, 99, 16},   true,  false},
    {IDC_TDES_CMAC,   push_button,         "TDES_CMAC",   {233, 128, 50, 14},  true,  false},
    {IDC_KEY_XOR_IN,  push_button,         "Key Xor In",  {555, 126, 50, 14},  true,  false},
    {IDC_3KTDES_CMAC, push_button,         "3KTDES_CMAC", {290, 128, 50, 14},  true,  false},
}};

constexpr std::array<ControlTemplate, 4> kAboutControls = {{
    {IDC_STATIC,   icon,                "",                   {11, 17, 20, 20}, false, false},
    {IDC_STATIC,   label,               "Orvelin",            {40, 10, 119, 8}, false, true},
    {IDC_STATIC,   label,               "版权所有 (C) 2025",  {40, 25, 119, 8}, false, true},
    {IDC_ABOUT_OK, default_push_button, "确定",               {178, 7, 50, 14}, true,  true},
}};

// Rows of slots: the logic names each label and shows only what the chosen
// operation uses. Labels come just before their fields, which take their name.
constexpr std::array<ControlTemplate, 36> kCardPracticeControls = {{
    {IDC_STATIC,              label,               "Operation", {7, 10, 95, 8},      false, true, IDC_CARD_OPERATION},
    {IDC_CARD_OPERATION,      drop_down_list,      "",          {106, 7, 200, 14},   true,  false},
    {IDC_CARD_FIELD_LABEL_1,  label,               "",          {7, 29, 95, 8},      false, true, IDC_CARD_FIELD_1},
    {IDC_CARD_FIELD_1,        plain_edit,          "",          {106, 26, 327, 14},  true,  false},
    {IDC_CARD_FIELD_LABEL_2,  label,               "",          {7, 46, 95, 8},      false, true, IDC_CARD_FIELD_2},
    {IDC_CARD_FIELD_2,        plain_edit,          "",          {106, 43, 327, 14},  true,  false},
    {IDC_CARD_FIELD_LABEL_3,  label,               "",          {7, 63, 95, 8},      false, true, IDC_CARD_FIELD_3},
    {IDC_CARD_FIELD_3,        plain_edit,          "",          {106, 60, 327, 14},  true,  false},
    {IDC_CARD_FIELD_LABEL_4,  label,               "",          {7, 80, 95, 8},      false, true, IDC_CARD_FIELD_4},
    {IDC_CARD_FIELD_4,        plain_edit,          "",          {106, 77, 327, 14},  true,  false},
    {IDC_CARD_FIELD_LABEL_5,  label,               "",          {7, 97, 95, 8},      false, true, IDC_CARD_FIELD_5},
    {IDC_CARD_FIELD_5,        plain_edit,          "",          {106, 94, 327, 14},  true,  false},
    {IDC_CARD_FIELD_LABEL_6,  label,               "",          {7, 114, 95, 8},     false, true, IDC_CARD_FIELD_6},
    {IDC_CARD_FIELD_6,        plain_edit,          "",          {106, 111, 327, 14}, true,  false},
    {IDC_CARD_FIELD_LABEL_7,  label,               "",          {7, 131, 95, 8},     false, true, IDC_CARD_FIELD_7},
    {IDC_CARD_FIELD_7,        plain_edit,          "",          {106, 128, 327, 14}, true,  false},
    {IDC_CARD_FIELD_LABEL_8,  label,               "",          {7, 148, 95, 8},     false, true, IDC_CARD_FIELD_8},
    {IDC_CARD_FIELD_8,        plain_edit,          "",          {106, 145, 327, 14}, true,  false},
    {IDC_CARD_CHOICE_LABEL_1, label,               "",          {7, 166, 95, 8},     false, true, IDC_CARD_CHOICE_1},
    {IDC_CARD_CHOICE_1,       drop_down_list,      "",          {106, 163, 200, 14}, true,  false},
    {IDC_CARD_CHOICE_LABEL_2, label,               "",          {7, 183, 95, 8},     false, true, IDC_CARD_CHOICE_2},
    {IDC_CARD_CHOICE_2,       drop_down_list,      "",          {106, 180, 200, 14}, true,  false},
    {IDC_CARD_CHOICE_LABEL_3, label,               "",          {7, 200, 95, 8},     false, true, IDC_CARD_CHOICE_3},
    {IDC_CARD_CHOICE_3,       drop_down_list,      "",          {106, 197, 200, 14}, true,  false},
    {IDC_CARD_FLAG_1,         auto_check_box,      "",          {106, 216, 160, 10}, true,  true},
    {IDC_CARD_FLAG_2,         auto_check_box,      "",          {272, 216, 161, 10}, true,  false},
    {IDC_CARD_CALCULATE,      default_push_button, "Calculate", {106, 230, 50, 14},  true,  true},
    {IDC_CARD_EXAMPLE,        push_button,         "Example",   {160, 230, 50, 14},  true,  false},
    {IDC_CARD_SOURCE_LABEL,   label,               "Source",    {7, 252, 95, 8},     false, true, IDC_CARD_SOURCE},
    {IDC_CARD_SOURCE,         wrapped_text,        "",          {106, 250, 327, 30}, true,  false},
    {IDC_CARD_RESULT_LABEL,   label,               "Result",    {7, 287, 95, 8},     false, true, IDC_CARD_RESULT},
    {IDC_CARD_RESULT,         multi_line_text,     "",          {106, 285, 327, 36}, true,  false},
    {IDC_CARD_STEPS_LABEL,    label,               "Steps",     {7, 328, 95, 8},     false, true, IDC_CARD_STEPS},
    {IDC_CARD_STEPS,          multi_line_text,     "",          {106, 326, 327, 80}, true,  false},
    {IDC_CARD_COMMAND_LABEL,  label,               "Command",   {7, 414, 95, 8},     false, true, IDC_CARD_COMMAND},
    {IDC_CARD_COMMAND,        read_only_edit,      "",          {106, 411, 327, 14}, true,  false},
}};
// clang-format on

constexpr DialogTemplate kMainDialog{IDD_ORVELIN_DIALOG, "Orvelin R1020", 629, 188, kDialogFont, 10,
                                     kMainControls};
constexpr DialogTemplate kAboutDialog{IDD_ABOUTBOX,  "关于 Orvelin", 235, 55, kDialogFont, 9,
                                      kAboutControls};
constexpr DialogTemplate kCardPracticeDialog{
    IDD_CARD_PRACTICE, "Card practice", 440, 432, kDialogFont, 9, kCardPracticeControls};

} // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMainDialog;
}
const DialogTemplate& AboutDialogTemplate() {
    return kAboutDialog;
}
const DialogTemplate& CardPracticeDialogTemplate() {
    return kCardPracticeDialog;
}

} // namespace orvelin::res
