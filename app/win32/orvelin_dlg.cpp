#include "orvelin_dlg.h"

#include "about_dlg.h"
#include "dialog_template_builder.h"
#include "message_box.h"
#include "resource.h"
#include "start_up.h"
#include "string_table.h"
#include "wide_text.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace res = orvelin::res;
namespace win32 = orvelin::win32;

namespace {

constexpr WPARAM kSystemCommandMask = 0xFFF0;

HINSTANCE ProgramInstance() {
    return GetModuleHandleW(nullptr);
}

} // namespace

COrvelinDlg::COrvelinDlg(const orvelin::TavikAlgBinding& library)
    : m_library(library),
      m_hIcon(LoadIconW(ProgramInstance(), MAKEINTRESOURCEW(res::IDR_MAINFRAME))) {}

INT_PTR COrvelinDlg::DoModal(HWND owner) {
    const auto window = win32::BuildDialogTemplate(res::MainDialogTemplate(),
                                                   {.visible = true, .app_window = true});
    return DialogBoxIndirectParamW(ProgramInstance(), window.Get(), owner, &COrvelinDlg::DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

HWND COrvelinDlg::Create(HWND owner) {
    const auto window = win32::BuildDialogTemplate(res::MainDialogTemplate(),
                                                   {.visible = false, .app_window = true});
    return CreateDialogIndirectParamW(ProgramInstance(), window.Get(), owner,
                                      &COrvelinDlg::DialogProc, reinterpret_cast<LPARAM>(this));
}

// The object arrives with WM_INITDIALOG; messages before it get the default.
INT_PTR CALLBACK COrvelinDlg::DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lparam);
        reinterpret_cast<COrvelinDlg*>(lparam)->m_hWnd = dialog;
    }
    auto* const self = reinterpret_cast<COrvelinDlg*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (self == nullptr) {
        return FALSE;
    }
    const INT_PTR result = self->OnMessage(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        self->m_hWnd = nullptr;
    }
    return result;
}

INT_PTR COrvelinDlg::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wparam), lparam);
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    case WM_COMMAND:
        return HIWORD(wparam) == BN_CLICKED && OnCommand(LOWORD(wparam));
    default:
        return FALSE;
    }
}

// Clicked notifications come after an automatic box has toggled itself.
bool COrvelinDlg::OnCommand(int id) {
    static constexpr std::array<std::pair<int, void (COrvelinDlg::*)()>, 12> kMessageMap = {{
        {res::IDC_ENCRYPT, &COrvelinDlg::OnBnClickedEncrypt},
        {res::IDC_DECRYPT, &COrvelinDlg::OnBnClickedDecrypt},
        {res::IDC_DES_ENABLE, &COrvelinDlg::OnBnClickedDesEnable},
        {res::IDC_AES_ENABLE, &COrvelinDlg::OnBnClickedAesEnable},
        {res::IDC_CBC, &COrvelinDlg::OnBnClickedCbc},
        {res::IDC_CRC16, &COrvelinDlg::OnBnClickedCrc16},
        {res::IDC_CRC32, &COrvelinDlg::OnBnClickedCrc32},
        {res::IDC_CALC_CRC, &COrvelinDlg::OnBnClickedCalcCrc},
        {res::IDC_AES_CMAC, &COrvelinDlg::OnBnClickedAesCmac},
        {res::IDC_TDES_CMAC, &COrvelinDlg::OnBnClickedTdesCmac},
        {res::IDC_KEY_XOR_IN, &COrvelinDlg::OnBnClickedKeyXorIn},
        {res::IDC_3KTDES_CMAC, &COrvelinDlg::OnBnClicked3ktdesCmac},
    }};
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    for (const auto& [control, handler] : kMessageMap) {
        if (control == id) {
            (this->*handler)();
            return true;
        }
    }
    return false;
}

void COrvelinDlg::DoDataExchange() {
    const auto item = [this](int id) { return GetDlgItem(m_hWnd, id); };
    m_crc16 = item(res::IDC_CRC16);
    m_dataIn.SubclassDlgItem(res::IDC_DATA_IN, m_hWnd);
    m_dataOut.SubclassDlgItem(res::IDC_DATA_OUT, m_hWnd);
    m_sessionKey.SubclassDlgItem(res::IDC_SESSION_KEY, m_hWnd);
    m_iv.SubclassDlgItem(res::IDC_IV, m_hWnd);
    m_desEnable = item(res::IDC_DES_ENABLE);
    m_aesEnable = item(res::IDC_AES_ENABLE);
    m_des = item(res::IDC_DES);
    m_3tdes = item(res::IDC_3TDES);
    m_2tdes = item(res::IDC_2TDES);
    m_cbc = item(res::IDC_CBC);
    m_crc32 = item(res::IDC_CRC32);
    m_aesCmac = item(res::IDC_AES_CMAC);
    m_cmac.SubclassDlgItem(res::IDC_CMAC, m_hWnd);
    m_tdesCmac = item(res::IDC_TDES_CMAC);
    m_3ktdesCmac = item(res::IDC_3KTDES_CMAC);
}

// The start-up steps set the focus themselves, so the dialog manager must not.
BOOL COrvelinDlg::OnInitDialog() {
    DoDataExchange();
    AppendAboutEntry();
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    Apply(orvelin::StartUpSteps());
    return FALSE;
}

// The wide call keeps the Chinese entry readable whatever the system code page.
void COrvelinDlg::AppendAboutEntry() {
    HMENU const menu = GetSystemMenu(m_hWnd, FALSE);
    const std::wstring about = win32::WideFromUtf8(res::LoadResourceString(res::IDS_ABOUTBOX));
    if (menu != nullptr && !about.empty()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, res::IDM_ABOUTBOX, about.c_str());
    }
}

bool COrvelinDlg::OnSysCommand(UINT id, LPARAM /*parameter*/) {
    if ((id & kSystemCommandMask) == res::IDM_ABOUTBOX) {
        CAboutDlg{}.DoModal(m_hWnd);
        return true;
    }
    return false; // move, minimise and close go on to the default
}

// Minimised, the window draws its icon centred in the client area.
bool COrvelinDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        return false;
    }
    PAINTSTRUCT paint{};
    HDC const dc = BeginPaint(m_hWnd, &paint);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return true;
}

void COrvelinDlg::OnCancel() {
    EndDialog(m_hWnd, IDCANCEL);
}

CHexEdit& COrvelinDlg::HexEdit(int id) {
    const std::array<std::pair<int, CHexEdit*>, 5> fields = {{
        {res::IDC_SESSION_KEY, &m_sessionKey},
        {res::IDC_IV, &m_iv},
        {res::IDC_DATA_IN, &m_dataIn},
        {res::IDC_DATA_OUT, &m_dataOut},
        {res::IDC_CMAC, &m_cmac},
    }};
    for (const auto& [field, edit] : fields) {
        if (field == id) {
            return *edit;
        }
    }
    throw std::logic_error("dialog control " + std::to_string(id) + " is not a hex field");
}

bool COrvelinDlg::IsChecked(HWND button) const {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void COrvelinDlg::Apply(std::span<const orvelin::ControlStep> steps) {
    using enum orvelin::ControlAction;
    static constexpr std::array<std::uint8_t, orvelin::kStartUpZeroBytes> kZeros{};
    for (const auto& [id, action] : steps) {
        HWND const control = GetDlgItem(m_hWnd, id);
        switch (action) {
        case check:
        case uncheck:
            SendMessageA(control, BM_SETCHECK, action == check ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case enable:
        case disable:
            EnableWindow(control, action == enable);
            break;
        case show_zero_bytes:
            HexEdit(id).SetBytes(kZeros);
            break;
        case focus:
            SetFocus(control);
            break;
        }
    }
}

void COrvelinDlg::ApplyClickRule(int clicked) {
    Apply(orvelin::StepsAfterClick(clicked, IsChecked(GetDlgItem(m_hWnd, clicked))));
}

// ---- Control-state rules.

void COrvelinDlg::OnBnClickedAesEnable() {
    ApplyClickRule(res::IDC_AES_ENABLE);
}

void COrvelinDlg::OnBnClickedDesEnable() {
    ApplyClickRule(res::IDC_DES_ENABLE);
}

void COrvelinDlg::OnBnClickedCbc() {
    ApplyClickRule(res::IDC_CBC);
}

void COrvelinDlg::OnBnClickedCrc16() {
    ApplyClickRule(res::IDC_CRC16);
}

void COrvelinDlg::OnBnClickedCrc32() {
    ApplyClickRule(res::IDC_CRC32);
}

// ---- Operations.

orvelin::Fields COrvelinDlg::ReadFields() const {
    return {m_sessionKey.Text8(), m_iv.Text8(), m_dataIn.Text8()};
}

orvelin::CipherChoice COrvelinDlg::ReadCipherChoice() const {
    return orvelin::CipherChoiceOf({.aes_enabled = IsChecked(m_aesEnable),
                                    .two_key = IsChecked(m_2tdes),
                                    .three_key = IsChecked(m_3tdes),
                                    .cbc = IsChecked(m_cbc)});
}

void COrvelinDlg::Show(const orvelin::Outcome& outcome) {
    if (const auto* refusal = std::get_if<orvelin::Refusal>(&outcome)) {
        win32::ShowMessageBox(m_hWnd, refusal->message);
        return;
    }
    const auto& shown = std::get<orvelin::Shown>(outcome);
    if (shown.cmac) {
        m_cmac.SetBytes(*shown.cmac);
    }
    if (shown.data_out) {
        m_dataOut.SetBytes(*shown.data_out);
    }
}

void COrvelinDlg::OnBnClickedEncrypt() {
    Show(orvelin::Encrypt(m_library, ReadFields(), ReadCipherChoice()));
}

void COrvelinDlg::OnBnClickedDecrypt() {
    Show(orvelin::Decrypt(m_library, ReadFields(), ReadCipherChoice()));
}

void COrvelinDlg::OnBnClickedCalcCrc() {
    Show(orvelin::CalcCrc(m_dataIn.Text8(), {IsChecked(m_crc16), IsChecked(m_crc32)}));
}

void COrvelinDlg::OnBnClickedAesCmac() {
    Show(orvelin::AesCmac(m_library, ReadFields()));
}

void COrvelinDlg::OnBnClickedTdesCmac() {
    Show(orvelin::TdesCmac(m_library, ReadFields()));
}

void COrvelinDlg::OnBnClicked3ktdesCmac() {
    Show(orvelin::Tdes3KeyCmac(m_library, ReadFields()));
}

void COrvelinDlg::OnBnClickedKeyXorIn() {
    Show(orvelin::KeyXorIn(ReadFields()));
}

namespace orvelin::win32 {

const TavikAlgBinding& MainWindowUnitLibrary() {
    static const TavikAlgBinding library = BindAtStartUp(kTavikAlgFileName, ShowApplicationMessage);
    return library;
}

} // namespace orvelin::win32
