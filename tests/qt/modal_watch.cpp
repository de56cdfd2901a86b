#include "modal_watch.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

std::vector<ModalSeen> RunClosingModals(const std::function<void()>& action,
                                        const std::function<void(QWidget*)>& close_dialog) {
    std::vector<ModalSeen> seen;
    QWidget* last = nullptr;
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* const modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == last) {
            return;
        }
        last = modal;
        ModalSeen record{QString::fromLatin1(modal->metaObject()->className()),
                         modal->windowTitle(),
                         {},
                         false,
                         0,
                         false,
                         modal->parentWidget()};
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            record.text = box->text();
            record.has_icon = box->icon() != QMessageBox::NoIcon;
            record.button_count = static_cast<int>(box->buttons().size());
            record.ok_only = box->standardButtons() == QMessageBox::Ok;
            seen.push_back(record);
            box->button(QMessageBox::Ok)->click();
            return;
        }
        seen.push_back(record);
        if (close_dialog) {
            close_dialog(modal);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
    });
    watcher.start();
    action();
    watcher.stop();
    return seen;
}
