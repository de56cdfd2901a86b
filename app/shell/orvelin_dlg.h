// The main window: five hex fields, the algorithm and checksum choices, and a
// button per operation. Handlers read the controls, call the core, and show.
#ifndef ORVELIN_ORVELIN_DLG_H
#define ORVELIN_ORVELIN_DLG_H

#include "operations.h"

#include <QDialog>
#include <QIcon>

#include <cstdint>
#include <map>

class CHexEdit;
class QAbstractButton;
class QMenu;

using CButton = QAbstractButton;

class COrvelinDlg : public QDialog {
    Q_OBJECT

  public:
    explicit COrvelinDlg(QWidget* parent = nullptr);
    ~COrvelinDlg() override;

    // The main-window unit's binding table, bound on first use; the only
    // table the operations call through.
    static const orvelin::TavikAlgBinding& Library();

    int DoModal() { return exec(); }

    // Commands of the window menu; the about entry is 0x0010.
    void OnSysCommand(unsigned id, std::intptr_t parameter);
    // Linux window managers own the title-bar menu, so the window's own
    // entries open with a right-click on its background.
    QMenu* SystemMenu() const { return m_systemMenu; }

  protected:
    void DoDataExchange();
    bool OnInitDialog();
    void OnCancel();
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void ConnectMessageMap();
    QAbstractButton* Button(int id) const;

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

    std::map<int, QWidget*> m_controls;
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
