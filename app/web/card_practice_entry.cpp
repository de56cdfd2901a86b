#include "card_practice_entry.h"

#include "card_practice_dlg.h"

namespace orvelin::web {

std::unique_ptr<DialogLogic> MakeCardPracticeLogic(const TavikAlgBinding& library) {
    return std::make_unique<CCardPracticeDlg>(library);
}

} // namespace orvelin::web
