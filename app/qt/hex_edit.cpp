#include "hex_edit.h"

#include "typing_filter.h"

#include <QKeyEvent>

#include <algorithm>
#include <string>

namespace {

// The characters a key press types, as the edit control would receive them:
// Ctrl with a letter types that letter's control code (Ctrl+V is 22). Keys the
// dialog acts on, and editing keys, type none: the filter never sees them.
std::u32string CharactersOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    const bool control = (event.modifiers() & Qt::ControlModifier) != 0;
    if (control && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        return {static_cast<char32_t>(event.key() - Qt::Key_A + 1)};
    }
    const auto ucs4 = event.text().toUcs4();
    return {ucs4.begin(), ucs4.end()};
}

} // namespace

CHexEdit::CHexEdit(QWidget* parent) : QLineEdit(parent) {}

CHexEdit::~CHexEdit() = default;

std::string CHexEdit::Text8() const {
    const QByteArray latin1 = text().toLatin1();
    return {latin1.constData(), static_cast<std::size_t>(latin1.size())};
}

orvelin::HexReading CHexEdit::GetBytes(std::span<std::uint8_t> destination) const {
    return orvelin::ReadHex(Text8(), destination);
}

void CHexEdit::SetBytes(std::span<const std::uint8_t> bytes) {
    setText(QString::fromStdString(orvelin::WriteHex(bytes)));
}

void CHexEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control) {
        m_ctrlHeld = 1;
    }
    const std::u32string characters = CharactersOf(*event);
    const bool passes = std::all_of(characters.begin(), characters.end(), [this](char32_t c) {
        return orvelin::PassesTypingFilter(m_ctrlHeld != 0, c);
    });
    if (!passes) {
        event->accept(); // dropped without a sound
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CHexEdit::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control) {
        m_ctrlHeld = 0;
    }
    QLineEdit::keyReleaseEvent(event);
}
