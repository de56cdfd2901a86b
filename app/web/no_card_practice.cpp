// A build whose card practice has no dialog yet.
#include "card_practice_entry.h"

namespace orvelin::web {

std::unique_ptr<DialogLogic> MakeCardPracticeLogic(const TavikAlgBinding& /*library*/) {
    return nullptr;
}

} // namespace orvelin::web
