// The main window's behaviour, written once for every toolkit: its members
// bound to the controls of template 102, its start-up state, its message map
// and a handler per button and box. Each window library's COrvelinDlg
// derives from this and adds only what its toolkit alone does.
#ifndef ORVELIN_ORVELIN_DLG_LOGIC_H
#define ORVELIN_ORVELIN_DLG_LOGIC_H

#include "control_states.h"
#include "dialog_view.h"
#include "operations.h"

#include <span>

namespace orvelin {

class OrvelinDlgLogic : public DialogLogic {
  public:
    // The operations call through `library`, which must outlive the window.
    explicit OrvelinDlgLogic(const TavikAlgBinding& library) : m_library(library) {}

    void OnInitDialog(DialogView& view) override;
    bool OnCommand(int id) override;

  protected:
    void DoDataExchange(DialogView& view);

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

  private:
    void Apply(std::span<const ControlStep> steps);
    void ApplyClickRule(int clicked);
    Fields ReadFields() const;
    CipherChoice ReadCipherChoice() const;
    void Show(const Outcome& outcome);

    const TavikAlgBinding& m_library;
    DialogView* m_view = nullptr;

    ButtonControl m_crc16;
    HexField m_dataIn;
    HexField m_dataOut;
    HexField m_sessionKey;
    HexField m_iv;
    ButtonControl m_desEnable;
    ButtonControl m_aesEnable;
    ButtonControl m_des;
    ButtonControl m_3tdes;
    ButtonControl m_2tdes;
    ButtonControl m_cbc;
    ButtonControl m_crc32;
    ButtonControl m_aesCmac;
    HexField m_cmac;
    ButtonControl m_tdesCmac;
    ButtonControl m_3ktdesCmac;
};

} // namespace orvelin

#endif
