// The main window: five hex fields, the algorithm and checksum choices, and a
// button per operation. Handlers read the controls, call the core, and show.
#ifndef ORVELIN_ORVELIN_DLG_H
#define ORVELIN_ORVELIN_DLG_H

#include "control_states.h"
#include "dialog_builder.h"
#include "operations.h"

#include <QDialog>
#include <QIcon>

#include <cstdint>
#include <span>

class CHexEdit;
class QAbstractButton;
class QMenu;

using CButton = QAbstractButton;

class COrvelinDlg : public QDialog {
    Q_OBJECT

  public:
    // The operations call through `library`, which must outlive the window.
    explicit COrvelinDlg(const orvelin::TavikAlgBinding& library, QWidget* parent = nullptr);
    ~COrvelinDlg() override;

    int DoModal() { return exec(); }

    // Commands of the window menu; the about entry is 0x0010.
    void OnSysCommand(unsigned id, std::intptr_t parameter);
    // Linux window managers own the title-bar menu, so the window's own
    // entries open with a right-click on its background.
    QMenu* SystemMenu() const { return m_systemMenu; }

  protected:
    bool OnInitDialog();
    void OnCancel();
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void DoDataExchange();
    void ConnectMessageMap();
    void Apply(std::span<const orvelin::ControlStep> steps);
    void ApplyClickRule(int clicked);

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
    orvelin::BuiltDialog m_controls;
    QMenu* m_systemMenu = nullptr;

    CButton* m_crc16 = nullptr;
    CHexEdit* m_dataIn = nullptr;
    CHexEdit* m_dataOut = nullptr;
    CHexEdit* m_sessionKey = nullptr;
    CHexEdit* m_iv = nullptr;
    QIcon m_hIcon;
    CButton* m_desEnable = nullptr;
    CButton* m_aesEnable = nullptr;
    CButton* m_des = nullptr;
    CButton* m_3tdes = nullptr;
    CButton* m_2tdes = nullptr;
    CButton* m_cbc = nullptr;
    CButton* m_crc32 = nullptr;
    CButton* m_aesCmac = nullptr;
    CHexEdit* m_cmac = nullptr;
    CButton* m_tdesCmac = nullptr;
    CButton* m_3ktdesCmac = nullptr;
};

#endif
