// The hex-entry field: a single-line edit whose typed characters pass the
// typing filter, read and written by the hex text rules.
#ifndef ORVELIN_HEX_EDIT_H
#define ORVELIN_HEX_EDIT_H

#include "hex_text.h"

#include <QLineEdit>

#include <cstdint>
#include <span>
#include <string>

class CHexEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit CHexEdit(QWidget* parent = nullptr);
    ~CHexEdit() override;

    // The current text in the program's 8-bit character set: one character
    // per character of the field, '?' for anything outside Latin-1.
    std::string Text8() const;
    // Reads the current text into `destination`, never past its end.
    orvelin::HexReading GetBytes(std::span<std::uint8_t> destination) const;
    // Replaces the text by two upper-case digits per byte.
    void SetBytes(std::span<const std::uint8_t> bytes);

    // 1 while the field takes Ctrl to be held down.
    std::int32_t CtrlHeld() const { return m_ctrlHeld; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    std::int32_t m_ctrlHeld = 0;
};

#endif
