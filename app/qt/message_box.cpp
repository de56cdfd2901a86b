#include "message_box.h"

#include "messages.h"

#include <QMessageBox>

namespace orvelin {

void MessageBox(QWidget* owner, const std::string& text) {
    const auto caption = orvelin::messages::kApplicationName;
    QMessageBox box(QMessageBox::NoIcon,
                    QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                    QString::fromStdString(text), QMessageBox::Ok, owner);
    box.exec();
}

void AfxMessageBox(const std::string& text) {
    MessageBox(nullptr, text);
}

} // namespace orvelin
