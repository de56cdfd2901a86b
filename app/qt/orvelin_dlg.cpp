#include "orvelin_dlg.h"

#include "about_dlg.h"
#include "hex_edit.h"
#include "message_box.h"
#include "program_icon.h"
#include "resource.h"
#include "string_table.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QMenu>

#include <array>

namespace res = orvelin::res;

namespace {

constexpr unsigned kSystemCommandMask = 0xFFF0;

} // namespace

COrvelinDlg::COrvelinDlg(const orvelin::TavikAlgBinding& library, QWidget* parent)
    : QDialog(parent), m_library(library), m_hIcon(orvelin::ProgramIcon()) {
    m_controls = orvelin::BuildDialog(*this, res::MainDialogTemplate(), m_hIcon);
    DoDataExchange();
    ConnectMessageMap();
    OnInitDialog();
}

COrvelinDlg::~COrvelinDlg() = default;

void COrvelinDlg::DoDataExchange() {
    m_crc16 = m_controls.Get<CButton>(res::IDC_CRC16);
    m_dataIn = m_controls.Get<CHexEdit>(res::IDC_DATA_IN);
    m_dataOut = m_controls.Get<CHexEdit>(res::IDC_DATA_OUT);
    m_sessionKey = m_controls.Get<CHexEdit>(res::IDC_SESSION_KEY);
    m_iv = m_controls.Get<CHexEdit>(res::IDC_IV);
    m_desEnable = m_controls.Get<CButton>(res::IDC_DES_ENABLE);
    m_aesEnable = m_controls.Get<CButton>(res::IDC_AES_ENABLE);
    m_des = m_controls.Get<CButton>(res::IDC_DES);
    m_3tdes = m_controls.Get<CButton>(res::IDC_3TDES);
    m_2tdes = m_controls.Get<CButton>(res::IDC_2TDES);
    m_cbc = m_controls.Get<CButton>(res::IDC_CBC);
    m_crc32 = m_controls.Get<CButton>(res::IDC_CRC32);
    m_aesCmac = m_controls.Get<CButton>(res::IDC_AES_CMAC);
    m_cmac = m_controls.Get<CHexEdit>(res::IDC_CMAC);
    m_tdesCmac = m_controls.Get<CButton>(res::IDC_TDES_CMAC);
    m_3ktdesCmac = m_controls.Get<CButton>(res::IDC_3KTDES_CMAC);
}

// Clicked notifications come after an automatic box has toggled itself.
void COrvelinDlg::ConnectMessageMap() {
    const std::array<std::pair<int, void (COrvelinDlg::*)()>, 12> handlers = {{
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
    for (const auto& [id, handler] : handlers) {
        connect(m_controls.Get<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
    }
}

bool COrvelinDlg::OnInitDialog() {
    const QString about = QString::fromStdString(res::LoadResourceString(res::IDS_ABOUTBOX));
    if (!about.isEmpty()) {
        m_systemMenu = new QMenu(this);
        m_systemMenu->addSeparator();
        QAction* const entry = m_systemMenu->addAction(about);
        connect(entry, &QAction::triggered, this, [this] { OnSysCommand(res::IDM_ABOUTBOX, 0); });
    }
    setWindowIcon(m_hIcon);
    Apply(orvelin::StartUpSteps());
    return true;
}

void COrvelinDlg::Apply(std::span<const orvelin::ControlStep> steps) {
    using enum orvelin::ControlAction;
    static constexpr std::array<std::uint8_t, orvelin::kStartUpZeroBytes> kZeros{};
    for (const auto& [id, action] : steps) {
        switch (action) {
        case check:
        case uncheck:
            m_controls.Get<QAbstractButton>(id)->setChecked(action == check);
            break;
        case enable:
        case disable:
            m_controls.Get<QWidget>(id)->setEnabled(action == enable);
            break;
        case show_zero_bytes:
            m_controls.Get<CHexEdit>(id)->SetBytes(kZeros);
            break;
        case focus:
            m_controls.Get<QWidget>(id)->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void COrvelinDlg::ApplyClickRule(int clicked) {
    Apply(orvelin::StepsAfterClick(clicked, m_controls.Get<QAbstractButton>(clicked)->isChecked()));
}

void COrvelinDlg::OnSysCommand(unsigned id, std::intptr_t /*parameter*/) {
    if ((id & kSystemCommandMask) == res::IDM_ABOUTBOX) {
        CAboutDlg about(this);
        about.DoModal();
    }
    // Move, minimise and close belong to the window manager here.
}

void COrvelinDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (m_systemMenu != nullptr) {
        m_systemMenu->exec(event->globalPos());
    }
}

void COrvelinDlg::OnCancel() {
    QDialog::reject();
}

void COrvelinDlg::reject() {
    OnCancel();
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
    return {m_sessionKey->Text8(), m_iv->Text8(), m_dataIn->Text8()};
}

orvelin::CipherChoice COrvelinDlg::ReadCipherChoice() const {
    return orvelin::CipherChoiceOf({.aes_enabled = m_aesEnable->isChecked(),
                                    .two_key = m_2tdes->isChecked(),
                                    .three_key = m_3tdes->isChecked(),
                                    .cbc = m_cbc->isChecked()});
}

void COrvelinDlg::Show(const orvelin::Outcome& outcome) {
    if (const auto* refusal = std::get_if<orvelin::Refusal>(&outcome)) {
        orvelin::MessageBox(this, refusal->message);
        return;
    }
    const auto& shown = std::get<orvelin::Shown>(outcome);
    if (shown.cmac) {
        m_cmac->SetBytes(*shown.cmac);
    }
    if (shown.data_out) {
        m_dataOut->SetBytes(*shown.data_out);
    }
}

void COrvelinDlg::OnBnClickedEncrypt() {
    Show(orvelin::Encrypt(m_library, ReadFields(), ReadCipherChoice()));
}

void COrvelinDlg::OnBnClickedDecrypt() {
    Show(orvelin::Decrypt(m_library, ReadFields(), ReadCipherChoice()));
}

void COrvelinDlg::OnBnClickedCalcCrc() {
    Show(orvelin::CalcCrc(m_dataIn->Text8(), {m_crc16->isChecked(), m_crc32->isChecked()}));
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
