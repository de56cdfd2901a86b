#include "orvelin_dlg.h"

#include "about_dlg.h"
#include "message_box.h"
#include "resource.h"
#include "start_up.h"
#include "string_table.h"
#include "wide_text.h"

#include <string>
#include <utility>

namespace res = orvelin::res;
namespace win32 = orvelin::win32;

namespace {

constexpr WPARAM kSystemCommandMask = 0xFFF0;

} // namespace

COrvelinDlg::COrvelinDlg(const orvelin::TavikAlgBinding& library)
    : OrvelinDlgLogic(library), DialogView(res::MainDialogTemplate(), *this, true),
      m_hIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(res::IDR_MAINFRAME))),
      m_cardPractice(library) {}

INT_PTR COrvelinDlg::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG:
        AppendMenuEntries();
        SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
        SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
        return DialogView::OnMessage(message, wparam, lparam);
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wparam), lparam);
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
    default:
        return DialogView::OnMessage(message, wparam, lparam);
    }
}

// The wide calls keep the Chinese entry readable whatever the system code page.
void COrvelinDlg::AppendMenuEntries() {
    HMENU const menu = GetSystemMenu(m_hWnd, FALSE);
    if (menu == nullptr) {
        return;
    }
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    for (const auto& [text_id, command] :
         {std::pair{res::IDS_ABOUTBOX, res::IDM_ABOUTBOX},
          std::pair{res::IDS_CARDPRACTICE, res::IDM_CARD_PRACTICE}}) {
        const std::wstring text = win32::WideFromUtf8(res::LoadResourceString(text_id));
        if (!text.empty()) {
            AppendMenuW(menu, MF_STRING, command, text.c_str());
        }
    }
}

bool COrvelinDlg::OnSysCommand(UINT id, LPARAM /*parameter*/) {
    switch (id & kSystemCommandMask) {
    case res::IDM_ABOUTBOX:
        CAboutDlg{}.DoModal(*this);
        return true;
    case res::IDM_CARD_PRACTICE:
        m_cardPractice.OpenBeside(*this);
        return true;
    default:
        return false; // move, minimise and close go on to the default
    }
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

namespace orvelin::win32 {

const TavikAlgBinding& MainWindowUnitLibrary() {
    static const TavikAlgBinding library = BindAtStartUp(kTavikAlgFileName, ShowApplicationMessage);
    return library;
}

} // namespace orvelin::win32
