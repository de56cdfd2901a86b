// The records of a NIST CAVP response file, whichever family it belongs to:
// `NAME = value` lines up to a blank line, under the last [SECTION] line.
// `#` lines are comments; line ends may be CRLF or LF.
#ifndef TAVIK_CAVP_RECORDS_H
#define TAVIK_CAVP_RECORDS_H

#include <cstddef>
#include <functional>
#include <istream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orvelin::cli {

struct CavpRecord {
    std::string section;        // "ENCRYPT", "DECRYPT", or "" where the file has none
    std::size_t line = 0;       // of its first field
    std::size_t stray_line = 0; // the first line in it that is not NAME = value, or 0
    std::map<std::string, std::string, std::less<>> fields; // names in lower case

    // Null when the record has no such field; `name` in lower case.
    const std::string* Find(std::string_view name) const;
};

std::vector<CavpRecord> ReadCavpRecords(std::istream& input);

} // namespace orvelin::cli

#endif
