#include "orvelin_dlg.h"

#include "about_dlg.h"
#include "dialog_builder.h"
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

template <typename Widget>
Widget* Control(const std::map<int, QWidget*>& controls, int id) {
    return static_cast<Widget*>(controls.at(id));
}

void SetEnabled(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* widget : widgets) {
        widget->setEnabled(enabled);
    }
}

} // namespace

const orvelin::TavikAlgBinding& COrvelinDlg::Library() {
    static const orvelin::TavikAlgBinding binding(orvelin::kTavikAlgFileName,
                                                  orvelin::AfxMessageBox);
    return binding;
}

COrvelinDlg::COrvelinDlg(QWidget* parent) : QDialog(parent), m_hIcon(orvelin::ProgramIcon()) {
    m_controls = orvelin::BuildDialog(
                     *this, res::MainDialogTemplate(),
                     [](QWidget* owner) { return new CHexEdit(owner); }, m_hIcon)
                     .by_id;
    DoDataExchange();
    ConnectMessageMap();
    OnInitDialog();
}

COrvelinDlg::~COrvelinDlg() = default;

void COrvelinDlg::DoDataExchange() {
    m_crc16 = Control<CButton>(m_controls, res::IDC_CRC16);
    m_dataIn = Control<CHexEdit>(m_controls, res::IDC_DATA_IN);
    m_dataOut = Control<CHexEdit>(m_controls, res::IDC_DATA_OUT);
    m_sessionKey = Control<CHexEdit>(m_controls, res::IDC_SESSION_KEY);
    m_iv = Control<CHexEdit>(m_controls, res::IDC_IV);
    m_desEnable = Control<CButton>(m_controls, res::IDC_DES_ENABLE);
    m_aesEnable = Control<CButton>(m_controls, res::IDC_AES_ENABLE);
    m_des = Control<CButton>(m_controls, res::IDC_DES);
    m_3tdes = Control<CButton>(m_controls, res::IDC_3TDES);
    m_2tdes = Control<CButton>(m_controls, res::IDC_2TDES);
    m_cbc = Control<CButton>(m_controls, res::IDC_CBC);
    m_crc32 = Control<CButton>(m_controls, res::IDC_CRC32);
    m_aesCmac = Control<CButton>(m_controls, res::IDC_AES_CMAC);
    m_cmac = Control<CHexEdit>(m_controls, res::IDC_CMAC);
    m_tdesCmac = Control<CButton>(m_controls, res::IDC_TDES_CMAC);
    m_3ktdesCmac = Control<CButton>(m_controls, res::IDC_3KTDES_CMAC);
}

QAbstractButton* COrvelinDlg::Button(int id) const {
    return Control<QAbstractButton>(m_controls, id);
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
        connect(Button(id), &QAbstractButton::clicked, this, handler);
    }
}

bool COrvelinDlg::OnInitDialog() {
    const QString about = QString::fromStdString(res::LoadString(res::IDS_ABOUTBOX));
    if (!about.isEmpty()) {
        m_systemMenu = new QMenu(this);
        m_systemMenu->addSeparator();
        QAction* const entry = m_systemMenu->addAction(about);
        connect(entry, &QAction::triggered, this, [this] { OnSysCommand(res::IDM_ABOUTBOX, 0); });
    }
    setWindowIcon(m_hIcon);
    m_desEnable->setChecked(true);
    m_cbc->setChecked(true);
    m_des->setChecked(true);
    const std::array<std::uint8_t, 8> zeros{};
    m_iv->SetBytes(zeros);
    m_dataIn->SetBytes(zeros);
    m_sessionKey->SetBytes(zeros);
    m_aesCmac->setEnabled(false);
    m_crc32->setChecked(true);
    Button(res::IDC_DECRYPT)->setFocus(Qt::OtherFocusReason);
    return true;
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
    m_desEnable->setChecked(false);
    SetEnabled({m_aesCmac}, true);
    SetEnabled({m_des, m_2tdes, m_3tdes, m_tdesCmac, m_3ktdesCmac}, false);
}

void COrvelinDlg::OnBnClickedDesEnable() {
    m_aesEnable->setChecked(false);
    SetEnabled({m_des, m_2tdes, m_3tdes, m_tdesCmac, m_3ktdesCmac}, true);
    SetEnabled({m_aesCmac}, false);
}

void COrvelinDlg::OnBnClickedCbc() {
    m_iv->setEnabled(m_cbc->isChecked());
}

void COrvelinDlg::OnBnClickedCrc16() {
    m_crc32->setChecked(false);
}

void COrvelinDlg::OnBnClickedCrc32() {
    m_crc16->setChecked(false);
}

// ---- Operations.

orvelin::Fields COrvelinDlg::ReadFields() const {
    const auto reader = [](const CHexEdit* field) {
        return
            [field](std::span<std::uint8_t> destination) { return field->GetBytes(destination); };
    };
    return {reader(m_sessionKey), reader(m_iv), reader(m_dataIn)};
}

orvelin::CipherChoice COrvelinDlg::ReadCipherChoice() const {
    const auto variant = m_2tdes->isChecked()   ? orvelin::DesVariant::two_key
                         : m_3tdes->isChecked() ? orvelin::DesVariant::three_key
                                                : orvelin::DesVariant::single_des;
    return {m_aesEnable->isChecked(), variant, m_cbc->isChecked()};
}

void COrvelinDlg::Show(const orvelin::Outcome& outcome) {
    if (outcome.message) {
        orvelin::MessageBox(this, *outcome.message);
        return;
    }
    if (outcome.cmac) {
        m_cmac->SetBytes(*outcome.cmac);
    }
    if (outcome.data_out) {
        m_dataOut->SetBytes(*outcome.data_out);
    }
}

void COrvelinDlg::OnBnClickedEncrypt() {
    Show(orvelin::Encrypt(Library(), ReadFields(), ReadCipherChoice()));
}

void COrvelinDlg::OnBnClickedDecrypt() {
    Show(orvelin::Decrypt(Library(), ReadFields(), ReadCipherChoice()));
}

void COrvelinDlg::OnBnClickedCalcCrc() {
    Show(orvelin::CalcCrc(ReadFields().data_in, {m_crc16->isChecked(), m_crc32->isChecked()}));
}

void COrvelinDlg::OnBnClickedAesCmac() {
    Show(orvelin::AesCmac(Library(), ReadFields()));
}

void COrvelinDlg::OnBnClickedTdesCmac() {
    Show(orvelin::TdesCmac(Library(), ReadFields()));
}

void COrvelinDlg::OnBnClicked3ktdesCmac() {
    Show(orvelin::Tdes3KeyCmac(Library(), ReadFields()));
}

void COrvelinDlg::OnBnClickedKeyXorIn() {
    Show(orvelin::KeyXorIn(ReadFields()));
}
