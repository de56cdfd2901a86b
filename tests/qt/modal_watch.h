// Records and closes each modal box that opens while an action runs, so that
// tests can press buttons that show messages.
#ifndef ORVELIN_TESTS_MODAL_WATCH_H
#define ORVELIN_TESTS_MODAL_WATCH_H

#include <QString>

#include <functional>
#include <vector>

class QWidget;

struct ModalSeen {
    QString class_name;
    QString title;
    QString text; // a message box's text
    bool has_icon = false;
    int button_count = 0;
    bool ok_only = false;
    QWidget* owner = nullptr;
};

// Runs `action`; every modal window that opens meanwhile is recorded, then
// closed (a message box with OK, any other dialog with `close_dialog`).
std::vector<ModalSeen> RunClosingModals(const std::function<void()>& action,
                                        const std::function<void(QWidget*)>& close_dialog = {});

#endif
