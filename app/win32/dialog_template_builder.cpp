#include "dialog_template_builder.h"

#include "resource.h"
#include "wide_text.h"

#include <string_view>

namespace orvelin::win32 {
namespace {

using res::ControlKind;

// Predefined window classes named by atom, as resource compilers write them.
constexpr WORD kOrdinalMarker = 0xFFFF;
constexpr WORD kButtonAtom = 0x0080;
constexpr WORD kEditAtom = 0x0081;
constexpr WORD kStaticAtom = 0x0082;
constexpr WORD kComboBoxAtom = 0x0085;

// A combo box's template height spans its dropped list too; the closed box
// takes its height from the font.
constexpr int kDroppedListHeight = 160;

WORD ClassAtom(ControlKind kind) {
    switch (kind) {
    case ControlKind::edit:
    case ControlKind::plain_edit:
    case ControlKind::read_only_edit:
    case ControlKind::multi_line_text:
    case ControlKind::wrapped_text:
        return kEditAtom;
    case ControlKind::drop_down_list:
        return kComboBoxAtom;
    case ControlKind::label:
    case ControlKind::right_label:
    case ControlKind::icon:
        return kStaticAtom;
    default:
        return kButtonAtom;
    }
}

class TemplateWriter {
  public:
    void Word(int value) { words_.push_back(static_cast<WORD>(value)); }

    void Dword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }

    // A NUL-terminated UTF-16 string.
    void Text(std::string_view utf8) {
        const std::wstring wide = WideFromUtf8(utf8);
        words_.insert(words_.end(), wide.begin(), wide.end());
        words_.push_back(0);
    }

    void Ordinal(WORD value) {
        words_.push_back(kOrdinalMarker);
        words_.push_back(value);
    }

    void AlignToDword() {
        if (words_.size() % 2 != 0) {
            words_.push_back(0);
        }
    }

    void Rect(const res::Rect& rect) {
        Word(rect.x);
        Word(rect.y);
        Word(rect.width);
        Word(rect.height);
    }

    std::vector<WORD> Take() { return std::move(words_); }

  private:
    std::vector<WORD> words_;
};

DWORD DialogStyle(const DialogFrame& frame) {
    const DWORD style = DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    return frame.visible ? style | WS_VISIBLE : style;
}

DWORD ControlKindStyle(ControlKind kind) {
    switch (kind) {
    case ControlKind::default_push_button:
        return BS_DEFPUSHBUTTON;
    case ControlKind::push_button:
        return BS_PUSHBUTTON;
    case ControlKind::edit:
    case ControlKind::plain_edit:
        return WS_BORDER | ES_AUTOHSCROLL;
    case ControlKind::read_only_edit:
        return WS_BORDER | ES_AUTOHSCROLL | ES_READONLY;
    case ControlKind::multi_line_text:
        return WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
               ES_AUTOHSCROLL | ES_READONLY;
    case ControlKind::wrapped_text:
        return WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
    case ControlKind::drop_down_list:
        return WS_VSCROLL | CBS_DROPDOWNLIST;
    case ControlKind::label:
        return SS_LEFT | SS_NOPREFIX;
    case ControlKind::right_label:
        return SS_RIGHT;
    case ControlKind::auto_check_box:
        return BS_AUTOCHECKBOX;
    case ControlKind::auto_radio_button:
        return BS_AUTORADIOBUTTON;
    case ControlKind::icon:
        return SS_ICON;
    }
    return 0;
}

DWORD ControlStyle(const res::ControlTemplate& control) {
    DWORD style = WS_CHILD | WS_VISIBLE | ControlKindStyle(control.kind);
    if (control.tab_stop) {
        style |= WS_TABSTOP;
    }
    if (control.group_start) {
        style |= WS_GROUP;
    }
    return style;
}

void WriteControl(TemplateWriter& out, const res::ControlTemplate& control) {
    out.AlignToDword();
    out.Dword(ControlStyle(control));
    out.Dword(0); // extended style
    res::Rect rect = control.rect;
    if (control.kind == ControlKind::drop_down_list) {
        rect.height += kDroppedListHeight;
    }
    out.Rect(rect);
    out.Word(control.id); // IDC_STATIC is written as 0xFFFF
    out.Ordinal(ClassAtom(control.kind));
    if (control.kind == ControlKind::icon) {
        out.Ordinal(static_cast<WORD>(res::IDR_MAINFRAME));
    } else {
        out.Text(control.caption);
    }
    out.Word(0); // no creation data
}

} // namespace

DialogTemplateBuffer BuildDialogTemplate(const res::DialogTemplate& dialog,
                                         const DialogFrame& frame) {
    TemplateWriter out;
    out.Dword(DialogStyle(frame));
    out.Dword(frame.app_window ? WS_EX_APPWINDOW : 0);
    out.Word(static_cast<int>(dialog.controls.size()));
    out.Rect({0, 0, dialog.width, dialog.height});
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(dialog.caption);
    out.Word(dialog.font_points);
    out.Text(dialog.font_face);
    for (const auto& control : dialog.controls) {
        WriteControl(out, control);
    }
    return DialogTemplateBuffer(out.Take());
}

} // namespace orvelin::win32
