// The application object.
#ifndef ORVELIN_WIN32_ORVELIN_APP_H
#define ORVELIN_WIN32_ORVELIN_APP_H

#include "tavik_alg_binding.h"

#include <windows.h>

class COrvelinApp {
  public:
    // Runs the main window modally over the main-window unit's table and
    // returns FALSE, so that the program ends when it closes.
    BOOL InitInstance(const orvelin::TavikAlgBinding& window_unit_library) const;
};

#endif
