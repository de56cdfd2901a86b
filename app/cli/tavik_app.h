// The whole command line: parse, bind the library when the command needs it,
// run the command. Streams are parameters so that nothing here is global.
#ifndef TAVIK_APP_H
#define TAVIK_APP_H

#include <iosfwd>

namespace orvelin::cli {

int RunTavik(int argc, const char* const* argv, std::istream& in, std::ostream& out,
             std::ostream& err);

} // namespace orvelin::cli

#endif
