#include "message_box.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace orvelin {

void MessageBox(QWidget* owner, const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Ok, owner);
    box.exec();
}

void AfxMessageBox(const std::string& text) {
    MessageBox(nullptr, text);
}

} // namespace orvelin
