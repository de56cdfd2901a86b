#include "string_table.h"

#include "resource.h"

namespace orvelin::res {

std::string LoadResourceString(int id) {
    switch (id) {
    case IDS_ABOUTBOX:
        return "关于 Orvelin(&A)...";
    case IDS_CARDPRACTICE:
        return "Card practice...";
    default:
        return {};
    }
}

} // namespace orvelin::res
