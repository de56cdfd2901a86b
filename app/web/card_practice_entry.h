// The card-practice dialog's logic, where this build has it.
#ifndef ORVELIN_WEB_CARD_PRACTICE_ENTRY_H
#define ORVELIN_WEB_CARD_PRACTICE_ENTRY_H

#include "dialog_view.h"
#include "tavik_alg_binding.h"

#include <memory>

namespace orvelin::web {

// The logic over `library`, which must outlive it; null when the build has
// no card-practice dialog, and the menu then offers none.
std::unique_ptr<DialogLogic> MakeCardPracticeLogic(const TavikAlgBinding& library);

} // namespace orvelin::web

#endif
