// The about box, from dialog template 100.
#ifndef ORVELIN_WIN32_ABOUT_DLG_H
#define ORVELIN_WIN32_ABOUT_DLG_H

#include <windows.h>

class CAboutDlg {
  public:
    // Runs the box modally over `owner` until 确定 or Escape closes it.
    INT_PTR DoModal(HWND owner) const;

  private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
};

#endif
