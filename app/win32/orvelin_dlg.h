// The main window, dialog template 102: five hex fields, the algorithm and
// checksum choices, and a button per operation. Handlers read the controls,
// call the core, and show.
#ifndef ORVELIN_WIN32_ORVELIN_DLG_H
#define ORVELIN_WIN32_ORVELIN_DLG_H

#include "control_states.h"
#include "hex_edit.h"
#include "operations.h"

#include <windows.h>

#include <span>

class COrvelinDlg {
  public:
    // The operations call through `library`, which must outlive the window.
    explicit COrvelinDlg(const orvelin::TavikAlgBinding& library);
    COrvelinDlg(const COrvelinDlg&) = delete;
    COrvelinDlg& operator=(const COrvelinDlg&) = delete;

    // Shows the window and runs it until it closes; the EndDialog value.
    INT_PTR DoModal(HWND owner = nullptr);
    // The window created and initialised but hidden, without a loop of its
    // own; the caller shows or destroys it. Null when it could not be made.
    HWND Create(HWND owner = nullptr);
    HWND GetSafeHwnd() const { return m_hWnd; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
    bool OnCommand(int id);

    BOOL OnInitDialog();
    bool OnSysCommand(UINT id, LPARAM parameter);
    bool OnPaint();
    HICON OnQueryDragIcon() const { return m_hIcon; }
    void OnCancel();

    void DoDataExchange();
    void AppendAboutEntry();
    void Apply(std::span<const orvelin::ControlStep> steps);
    void ApplyClickRule(int clicked);
    CHexEdit& HexEdit(int id);
    bool IsChecked(HWND button) const;

    void OnBnClickedEncrypt();
    void OnBnClickedDecrypt();
    void OnBnClickedDesEnable();
    void OnBnClickedAesEnable();
    void OnBnClickedCbc();
    void OnBnClickedCrc16();
    void OnBnClickedCrc32();
    void OnBnClickedCalcCrc();
    void OnBnClickedAesCmac();
    void OnBnClickedTdesCmac();
    void OnBnClickedKeyXorIn();
    void OnBnClicked3ktdesCmac();

    orvelin::Fields ReadFields() const;
    orvelin::CipherChoice ReadCipherChoice() const;
    void Show(const orvelin::Outcome& outcome);

    const orvelin::TavikAlgBinding& m_library;
    HWND m_hWnd = nullptr;

    HWND m_crc16 = nullptr;
    CHexEdit m_dataIn;
    CHexEdit m_dataOut;
    CHexEdit m_sessionKey;
    CHexEdit m_iv;
    HICON m_hIcon = nullptr;
    HWND m_desEnable = nullptr;
    HWND m_aesEnable = nullptr;
    HWND m_des = nullptr;
    HWND m_3tdes = nullptr;
    HWND m_2tdes = nullptr;
    HWND m_cbc = nullptr;
    HWND m_crc32 = nullptr;
    HWND m_aesCmac = nullptr;
    CHexEdit m_cmac;
    HWND m_tdesCmac = nullptr;
    HWND m_3ktdesCmac = nullptr;
};

namespace orvelin::win32 {

// The main-window unit's own binding table, bound on the first call: a
// failure shows its message and ends the program.
const TavikAlgBinding& MainWindowUnitLibrary();

} // namespace orvelin::win32

#endif
