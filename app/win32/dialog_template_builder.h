// Dialog templates in memory, as the dialog manager reads them, from the one
// description in app/res: a DLGTEMPLATE and a DLGITEMTEMPLATE per control.
#ifndef ORVELIN_WIN32_DIALOG_TEMPLATE_BUILDER_H
#define ORVELIN_WIN32_DIALOG_TEMPLATE_BUILDER_H

#include "dialog_template.h"

#include <windows.h>

#include <vector>

namespace orvelin::win32 {

// How the dialog's own window is made.
struct DialogFrame {
    bool visible = true;     // shown on creation; a hidden one waits for ShowWindow
    bool app_window = false; // on the taskbar though it has no owner's
};

// The template's words. Items start on DWORD boundaries counted from the
// first word, and the vector's storage starts on one.
class DialogTemplateBuffer {
  public:
    explicit DialogTemplateBuffer(std::vector<WORD> words) : words_(std::move(words)) {}

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    std::vector<WORD> words_;
};

DialogTemplateBuffer BuildDialogTemplate(const res::DialogTemplate& dialog,
                                         const DialogFrame& frame);

} // namespace orvelin::win32

#endif
