// The NAME = value records of the CAVP .rsp and the .txt vector files, for
// the seed maker. Names are upper-cased, so Key and KEY read alike.
#ifndef ORVELIN_FUZZ_VECTOR_RECORDS_H
#define ORVELIN_FUZZ_VECTOR_RECORDS_H

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvelin::fuzz {

struct VectorRecord {
    std::string section; // ENCRYPT, DECRYPT or "" where the file has none
    std::map<std::string, std::string> fields;

    std::optional<std::string> Field(const std::string& name) const;
};

std::vector<VectorRecord> ReadVectorRecords(const std::filesystem::path& file);

} // namespace orvelin::fuzz

#endif
