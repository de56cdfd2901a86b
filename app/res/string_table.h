// The program's string table and version record.
#ifndef ORVELIN_STRING_TABLE_H
#define ORVELIN_STRING_TABLE_H

#include <string>

namespace orvelin::res {

// The string with this identifier, UTF-8; empty when there is none.
std::string LoadResourceString(int id);

} // namespace orvelin::res

#endif
