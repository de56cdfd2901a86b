// Identifiers of the program's resources and controls.
#ifndef ORVELIN_RESOURCE_H
#define ORVELIN_RESOURCE_H

namespace orvelin::res {

// Dialog templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_ORVELIN_DIALOG = 102;

// Strings, icons, system commands.
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

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

} // namespace orvelin::res

#endif
