// The smallest Win32 dialog program: one button in a dialog made from a
// template in memory, as Orvelin.exe makes its window, and nothing else.
// bench/startup-wine.sh times its start-up beside Orvelin.exe's under the
// same Wine, so that what Wine itself costs is told apart.
#include <windows.h>

#include <string_view>
#include <vector>

namespace {

constexpr WORD kButtonClassAtom = 0x0080;

class TemplateBuffer {
  public:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(std::wstring_view text) {
        for (const wchar_t c : text) {
            Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void AlignToDword() {
        if (words_.size() % 2 != 0) {
            Word(0);
        }
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    std::vector<WORD> words_;
};

void WriteDialog(TemplateBuffer& out) {
    out.Dword(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU |
              WS_VISIBLE);
    out.Dword(0);  // extended style
    out.Word(1);   // one control
    out.Word(0);   // x
    out.Word(0);   // y
    out.Word(160); // width, dialog units
    out.Word(60);  // height
    out.Word(0);   // no menu
    out.Word(0);   // the dialog class
    out.Text(L"Minimal dialog");
    out.Word(9); // font size, points
    out.Text(L"MS Shell Dlg");
}

void WriteButton(TemplateBuffer& out) {
    out.AlignToDword();
    out.Dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON);
    out.Dword(0);
    out.Word(55);
    out.Word(23);
    out.Word(50);
    out.Word(14);
    out.Word(IDOK);
    out.Word(0xFFFF);
    out.Word(kButtonClassAtom);
    out.Text(L"OK");
    out.Word(0); // no creation data
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM /*lparam*/) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wparam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*command_line*/,
                   int /*show*/) {
    TemplateBuffer buffer;
    WriteDialog(buffer);
    WriteButton(buffer);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), buffer.Get(), nullptr, &DialogProc, 0);
    return 0;
}
