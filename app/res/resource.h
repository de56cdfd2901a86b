// Identifiers of the program's resources and controls.
#ifndef ORVELIN_RESOURCE_H
#define ORVELIN_RESOURCE_H

#include <array>

namespace orvelin::res {

// Dialog templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_ORVELIN_DIALOG = 102;
inline constexpr int IDD_CARD_PRACTICE = 131;

// Strings, icons, system commands.
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDS_CARDPRACTICE = 103;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;
inline constexpr unsigned IDM_CARD_PRACTICE = 0x0020;

// A control without an identifier of its own.
inline constexpr int IDC_STATIC = -1;

// Controls of the main window.
inline constexpr int IDC_SESSION_KEY = 1000;
inline constexpr int IDC_DATA_IN = 1001;
inline constexpr int IDC_DATA_OUT = 1002;
inline constexpr int IDC_CRC16 = 1003;
inline constexpr int IDC_DES_ENABLE = 1004;
inline constexpr int IDC_ENCRYPT = 1005;
inline constexpr int IDC_AES_ENABLE = 1006;
inline constexpr int IDC_DES = 1007;
inline constexpr int IDC_2TDES = 1008;
inline constexpr int IDC_3TDES = 1009;
inline constexpr int IDC_IV = 1010;
inline constexpr int IDC_CBC = 1011;
inline constexpr int IDC_CRC32 = 1012;
inline constexpr int IDC_CALC_CRC = 1013;
inline constexpr int IDC_DECRYPT = 1014;
inline constexpr int IDC_AES_CMAC = 1015;
inline constexpr int IDC_CMAC = 1016;
inline constexpr int IDC_TDES_CMAC = 1017;
inline constexpr int IDC_KEY_XOR_IN = 1018;
inline constexpr int IDC_3KTDES_CMAC = 1019;

// The about box's push button shares its identifier with Decrypt.
inline constexpr int IDC_ABOUT_OK = 1014;

// Controls of the card-practice dialog: slots whose labels and visibility the
// chosen operation sets.
inline constexpr int IDC_CARD_OPERATION = 1100;
inline constexpr int IDC_CARD_FIELD_LABEL_1 = 1101;
inline constexpr int IDC_CARD_FIELD_LABEL_2 = 1102;
inline constexpr int IDC_CARD_FIELD_LABEL_3 = 1103;
inline constexpr int IDC_CARD_FIELD_LABEL_4 = 1104;
inline constexpr int IDC_CARD_FIELD_LABEL_5 = 1105;
inline constexpr int IDC_CARD_FIELD_LABEL_6 = 1106;
inline constexpr int IDC_CARD_FIELD_LABEL_7 = 1107;
inline constexpr int IDC_CARD_FIELD_LABEL_8 = 1108;
inline constexpr int IDC_CARD_FIELD_1 = 1111;
inline constexpr int IDC_CARD_FIELD_2 = 1112;
inline constexpr int IDC_CARD_FIELD_3 = 1113;
inline constexpr int IDC_CARD_FIELD_4 = 1114;
inline constexpr int IDC_CARD_FIELD_5 = 1115;
inline constexpr int IDC_CARD_FIELD_6 = 1116;
inline constexpr int IDC_CARD_FIELD_7 = 1117;
inline constexpr int IDC_CARD_FIELD_8 = 1118;
inline constexpr int IDC_CARD_CHOICE_LABEL_1 = 1121;
inline constexpr int IDC_CARD_CHOICE_LABEL_2 = 1122;
inline constexpr int IDC_CARD_CHOICE_LABEL_3 = 1123;
inline constexpr int IDC_CARD_CHOICE_1 = 1126;
inline constexpr int IDC_CARD_CHOICE_2 = 1127;
inline constexpr int IDC_CARD_CHOICE_3 = 1128;
inline constexpr int IDC_CARD_FLAG_1 = 1131;
inline constexpr int IDC_CARD_FLAG_2 = 1132;
inline constexpr int IDC_CARD_CALCULATE = 1135;
inline constexpr int IDC_CARD_EXAMPLE = 1136;
inline constexpr int IDC_CARD_SOURCE = 1137;
inline constexpr int IDC_CARD_RESULT = 1140;
inline constexpr int IDC_CARD_STEPS = 1141;
inline constexpr int IDC_CARD_COMMAND = 1142;
// Labels below the rows that hide: they move up when those rows close up.
inline constexpr int IDC_CARD_SOURCE_LABEL = 1145;
inline constexpr int IDC_CARD_RESULT_LABEL = 1146;
inline constexpr int IDC_CARD_STEPS_LABEL = 1147;
inline constexpr int IDC_CARD_COMMAND_LABEL = 1148;

// The slots in order, row by row.
inline constexpr std::array<int, 8> kCardFieldLabels = {
    IDC_CARD_FIELD_LABEL_1, IDC_CARD_FIELD_LABEL_2, IDC_CARD_FIELD_LABEL_3, IDC_CARD_FIELD_LABEL_4,
    IDC_CARD_FIELD_LABEL_5, IDC_CARD_FIELD_LABEL_6, IDC_CARD_FIELD_LABEL_7, IDC_CARD_FIELD_LABEL_8};
inline constexpr std::array<int, 8> kCardFields = {
    IDC_CARD_FIELD_1, IDC_CARD_FIELD_2, IDC_CARD_FIELD_3, IDC_CARD_FIELD_4,
    IDC_CARD_FIELD_5, IDC_CARD_FIELD_6, IDC_CARD_FIELD_7, IDC_CARD_FIELD_8};
inline constexpr std::array<int, 3> kCardChoiceLabels = {
    IDC_CARD_CHOICE_LABEL_1, IDC_CARD_CHOICE_LABEL_2, IDC_CARD_CHOICE_LABEL_3};
inline constexpr std::array<int, 3> kCardChoices = {IDC_CARD_CHOICE_1, IDC_CARD_CHOICE_2,
                                                    IDC_CARD_CHOICE_3};
inline constexpr std::array<int, 2> kCardFlags = {IDC_CARD_FLAG_1, IDC_CARD_FLAG_2};

} // namespace orvelin::res

#endif
