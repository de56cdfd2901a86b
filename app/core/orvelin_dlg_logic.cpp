#include "orvelin_dlg_logic.h"

#include "resource.h"

#include <array>
#include <cstdint>
#include <utility>

namespace orvelin {

using namespace res;

void OrvelinDlgLogic::OnInitDialog(DialogView& view) {
    DoDataExchange(view);
    Apply(StartUpSteps());
}

void OrvelinDlgLogic::DoDataExchange(DialogView& view) {
    m_view = &view;
    DDX_Control(view, IDC_CRC16, m_crc16);
    DDX_Control(view, IDC_DATA_IN, m_dataIn);
    DDX_Control(view, IDC_DATA_OUT, m_dataOut);
    DDX_Control(view, IDC_SESSION_KEY, m_sessionKey);
    DDX_Control(view, IDC_IV, m_iv);
    DDX_Control(view, IDC_DES_ENABLE, m_desEnable);
    DDX_Control(view, IDC_AES_ENABLE, m_aesEnable);
    DDX_Control(view, IDC_DES, m_des);
    DDX_Control(view, IDC_3TDES, m_3tdes);
    DDX_Control(view, IDC_2TDES, m_2tdes);
    DDX_Control(view, IDC_CBC, m_cbc);
    DDX_Control(view, IDC_CRC32, m_crc32);
    DDX_Control(view, IDC_AES_CMAC, m_aesCmac);
    DDX_Control(view, IDC_CMAC, m_cmac);
    DDX_Control(view, IDC_TDES_CMAC, m_tdesCmac);
    DDX_Control(view, IDC_3KTDES_CMAC, m_3ktdesCmac);
}

// Clicked notifications come after an automatic box has toggled itself.
bool OrvelinDlgLogic::OnCommand(int id) {
    static constexpr std::array<std::pair<int, void (OrvelinDlgLogic::*)()>, 12> kMessageMap = {{
        {IDC_ENCRYPT, &OrvelinDlgLogic::OnBnClickedEncrypt},
        {IDC_DECRYPT, &OrvelinDlgLogic::OnBnClickedDecrypt},
        {IDC_DES_ENABLE, &OrvelinDlgLogic::OnBnClickedDesEnable},
        {IDC_AES_ENABLE, &OrvelinDlgLogic::OnBnClickedAesEnable},
        {IDC_CBC, &OrvelinDlgLogic::OnBnClickedCbc},
        {IDC_CRC16, &OrvelinDlgLogic::OnBnClickedCrc16},
        {IDC_CRC32, &OrvelinDlgLogic::OnBnClickedCrc32},
        {IDC_CALC_CRC, &OrvelinDlgLogic::OnBnClickedCalcCrc},
        {IDC_AES_CMAC, &OrvelinDlgLogic::OnBnClickedAesCmac},
        {IDC_TDES_CMAC, &OrvelinDlgLogic::OnBnClickedTdesCmac},
        {IDC_KEY_XOR_IN, &OrvelinDlgLogic::OnBnClickedKeyXorIn},
        {IDC_3KTDES_CMAC, &OrvelinDlgLogic::OnBnClicked3ktdesCmac},
    }};
    for (const auto& [control, handler] : kMessageMap) {
        if (control == id) {
            (this->*handler)();
            return true;
        }
    }
    return false;
}

void OrvelinDlgLogic::Apply(std::span<const ControlStep> steps) {
    using enum ControlAction;
    static constexpr std::array<std::uint8_t, kStartUpZeroBytes> kZeros{};
    for (const auto& [id, action] : steps) {
        switch (action) {
        case check:
        case uncheck:
            SetChecked(*m_view, id, action == check);
            break;
        case enable:
        case disable:
            SetEnabled(*m_view, id, action == enable);
            break;
        case show_zero_bytes:
            ShowBytes(*m_view, id, kZeros);
            break;
        case focus:
            SetFocusTo(*m_view, id);
            break;
        }
    }
}

void OrvelinDlgLogic::ApplyClickRule(int clicked) {
    Apply(StepsAfterClick(clicked, IsChecked(*m_view, clicked)));
}

// ---- Control-state rules.

void OrvelinDlgLogic::OnBnClickedAesEnable() {
    ApplyClickRule(IDC_AES_ENABLE);
}

void OrvelinDlgLogic::OnBnClickedDesEnable() {
    ApplyClickRule(IDC_DES_ENABLE);
}

void OrvelinDlgLogic::OnBnClickedCbc() {
    ApplyClickRule(IDC_CBC);
}

void OrvelinDlgLogic::OnBnClickedCrc16() {
    ApplyClickRule(IDC_CRC16);
}

void OrvelinDlgLogic::OnBnClickedCrc32() {
    ApplyClickRule(IDC_CRC32);
}

// ---- Operations.

Fields OrvelinDlgLogic::ReadFields() const {
    return {m_sessionKey.Text8(), m_iv.Text8(), m_dataIn.Text8()};
}

CipherChoice OrvelinDlgLogic::ReadCipherChoice() const {
    return CipherChoiceOf({.aes_enabled = m_aesEnable.GetCheck(),
                           .two_key = m_2tdes.GetCheck(),
                           .three_key = m_3tdes.GetCheck(),
                           .cbc = m_cbc.GetCheck()});
}

void OrvelinDlgLogic::Show(const Outcome& outcome) {
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        ShowMessageBox(*m_view, refusal->message);
        return;
    }
    const auto& shown = std::get<Shown>(outcome);
    if (shown.cmac) {
        m_cmac.SetBytes(*shown.cmac);
    }
    if (shown.data_out) {
        m_dataOut.SetBytes(*shown.data_out);
    }
}

void OrvelinDlgLogic::OnBnClickedEncrypt() {
    Show(Encrypt(m_library, ReadFields(), ReadCipherChoice()));
}

void OrvelinDlgLogic::OnBnClickedDecrypt() {
    Show(Decrypt(m_library, ReadFields(), ReadCipherChoice()));
}

void OrvelinDlgLogic::OnBnClickedCalcCrc() {
    Show(CalcCrc(m_dataIn.Text8(), {.crc16 = m_crc16.GetCheck(), .crc32 = m_crc32.GetCheck()}));
}

void OrvelinDlgLogic::OnBnClickedAesCmac() {
    Show(AesCmac(m_library, ReadFields()));
}

void OrvelinDlgLogic::OnBnClickedTdesCmac() {
    Show(TdesCmac(m_library, ReadFields()));
}

void OrvelinDlgLogic::OnBnClicked3ktdesCmac() {
    Show(Tdes3KeyCmac(m_library, ReadFields()));
}

void OrvelinDlgLogic::OnBnClickedKeyXorIn() {
    Show(KeyXorIn(ReadFields()));
}

} // namespace orvelin
