// Dialog templates 102 (the main window) and 100 (the about box).
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
// clang-format on

constexpr DialogTemplate kMainDialog{IDD_ORVELIN_DIALOG, "Orvelin R1020", 629, 188, kDialogFont, 10,
                                     kMainControls};
constexpr DialogTemplate kAboutDialog{IDD_ABOUTBOX,  "关于 Orvelin", 235, 55, kDialogFont, 9,
                                      kAboutControls};

} // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMainDialog;
}
const DialogTemplate& AboutDialogTemplate() {
    return kAboutDialog;
}

} // namespace orvelin::res
