// Writes the fuzz targets' seed inputs from the vector files:
//   fuzz_seed_maker VECTOR_DIR OUT_DIR
// Each record becomes one input in OUT_DIR/TARGET/: the cipher targets get the
// call the record describes, hex_text_fuzz gets its message as text.
#include "cipher_case.h"
#include "hex.h"
#include "vector_records.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using orvelin::fuzz::Bytes;
using orvelin::fuzz::CipherCase;
using orvelin::fuzz::Export;
using testing_support::from_hex;
using testing_support::Record;

constexpr std::size_t kLongestText = 4096;

// The number of distinct DES keys of a record and their bytes: KEYs is one
// key; KEY1..3 are one, two (K3 = K1) or three.
std::optional<std::pair<int, Bytes>> DesKeys(const Record& r) {
    if (const auto single = r.find("KEYs")) {
        return std::pair{1, from_hex(*single)};
    }
    const auto k1 = r.find("KEY1"), k2 = r.find("KEY2"), k3 = r.find("KEY3");
    if (!k1 || !k2 || !k3) {
        return std::nullopt;
    }
    if (*k1 == *k2 && *k2 == *k3) {
        return std::pair{1, from_hex(*k1)};
    }
    if (*k1 == *k3) {
        return std::pair{2, from_hex(*k1 + *k2)};
    }
    return std::pair{3, from_hex(*k1 + *k2 + *k3)};
}

Export ByKeys(int keys, Export one, Export two, Export three) {
    return keys == 1 ? one : keys == 2 ? two : three;
}

// The text of the record's message: the ciphertext in a DECRYPT section,
// else the plaintext or the message.
std::optional<std::string> MessageText(const Record& r) {
    const std::vector<std::string> names =
        r.section == "DECRYPT" ? std::vector<std::string>{"CIPHERTEXT"}
                               : std::vector<std::string>{"PLAINTEXT", "MSG", "MESSAGE"};
    for (const auto& name : names) {
        if (const auto value = r.find(name)) {
            return value;
        }
    }
    return std::nullopt;
}

// A CMAC record with Mlen 0 writes its empty message as 00.
Bytes MessageOf(const Record& r) {
    return r.find("Mlen") == "0" ? Bytes{} : from_hex(MessageText(r).value_or(""));
}

bool SetAesCall(const fs::path& file, const Record& r, CipherCase& c) {
    const std::string name = file.filename().string();
    const auto key = r.find("KEY");
    if (!key || !(name.starts_with("ECB") || name.starts_with("CBC"))) {
        return false;
    }
    const bool decrypt = r.section == "DECRYPT";
    c.key = from_hex(*key);
    if (name.starts_with("CBC")) {
        c.function = decrypt ? Export::AES_DecryptCBC : Export::AES_EncryptCBC;
        c.iv = from_hex(r.find("IV").value_or(""));
    } else {
        c.function = decrypt ? Export::AES_Decrypt : Export::AES_Encrypt;
    }
    return true;
}

bool SetDesCall(const fs::path& file, const Record& r, CipherCase& c) {
    const std::string name = file.filename().string();
    const auto keys = DesKeys(r);
    if (!keys || !(name.starts_with("TECB") || name.starts_with("TCBC"))) {
        return false;
    }
    const bool decrypt = r.section == "DECRYPT";
    c.key = keys->second;
    if (name.starts_with("TCBC")) {
        c.function = ByKeys(keys->first, Export::EnOrDecrypt_DES_CBC, Export::EnOrDecrypt_3DES_CBC,
                            Export::EnOrDecrypt_3DES_3KEY_CBC);
        c.mode = decrypt ? TAVIK_MODE_CBC_DECRYPT : TAVIK_MODE_CBC_ENCRYPT;
        c.iv = from_hex(r.find("IV").value_or(""));
    } else {
        c.function = ByKeys(keys->first, Export::EnOrDecrypt_DES, Export::EnOrDecrypt_3DES,
                            Export::EnOrDecrypt_3DES_3KEY);
        c.mode = decrypt ? TAVIK_MODE_DECRYPT : TAVIK_MODE_ENCRYPT;
    }
    return true;
}

// The vectors' CMACs start from a zero IV.
bool SetCmacCall(const fs::path& file, const Record& r, CipherCase& c) {
    if (file.parent_path().filename() != "cmac") {
        return false;
    }
    if (const auto key = r.find("KEY")) {
        c.function = Export::AES_CMAC;
        c.key = from_hex(*key);
    } else if (const auto keys = DesKeys(r); keys && keys->first > 1) {
        c.function = keys->first == 2 ? Export::TDES_CMAC : Export::TDES_3KEY_CMAC;
        c.key = keys->second;
    } else {
        return false;
    }
    c.iv = Bytes(orvelin::fuzz::IvSize(c.function), 0);
    const std::size_t longest =
        c.function == Export::AES_CMAC ? TAVIK_AES_CMAC_MAX_LENGTH : TAVIK_TDES_CMAC_MAX_LENGTH;
    return c.data.size() <= longest;
}

std::optional<CipherCase> CaseOf(const fs::path& file, const Record& r) {
    CipherCase c;
    c.data = MessageOf(r);
    if (!SetAesCall(file, r, c) && !SetDesCall(file, r, c) && !SetCmacCall(file, r, c)) {
        return std::nullopt;
    }
    if (c.key.size() != orvelin::fuzz::KeySize(c.function) ||
        c.iv.size() != orvelin::fuzz::IvSize(c.function)) {
        return std::nullopt;
    }
    c.length = static_cast<std::uint32_t>(c.data.size());
    return c;
}

// hex_text_fuzz's layout: the destination size, little-endian, then the text.
Bytes HexSeed(const std::string& text) {
    const std::size_t size = (text.size() + 1) / 2;
    Bytes seed = {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8)};
    seed.insert(seed.end(), text.begin(), text.end());
    return seed;
}

// Writes each input into every folder given, numbered in order; the folders
// are emptied first so that no input outlives its record.
class SeedWriter {
  public:
    explicit SeedWriter(std::vector<fs::path> folders) : folders_(std::move(folders)) {
        for (const auto& folder : folders_) {
            fs::remove_all(folder);
            fs::create_directories(folder);
        }
    }

    void Write(const Bytes& input) {
        const std::string name = std::to_string(written_++);
        for (const auto& folder : folders_) {
            std::ofstream(folder / name, std::ios::binary)
                .write(reinterpret_cast<const char*>(input.data()),
                       static_cast<std::streamsize>(input.size()));
        }
    }
    std::size_t written() const { return written_; }

  private:
    std::vector<fs::path> folders_;
    std::size_t written_ = 0;
};

std::vector<fs::path> VectorFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const auto extension = entry.path().extension();
        if (entry.is_regular_file() && (extension == ".rsp" || extension == ".txt")) {
            files.push_back(entry.path());
        }
    }
    std::ranges::sort(files);
    return files;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv, argv + argc);
    if (args.size() != 3) {
        std::cerr << "usage: fuzz_seed_maker VECTOR_DIR OUT_DIR\n";
        return 2;
    }
    const fs::path vectors = args[1];
    const fs::path out = args[2];
    if (!fs::is_directory(vectors)) {
        std::cerr << "fuzz_seed_maker: no vector folder at " << vectors << '\n';
        return 1;
    }
    SeedWriter cipher({out / "cipherlib_contract_fuzz", out / "cipherlib_openssl_fuzz"});
    SeedWriter hex({out / "hex_text_fuzz"});
    std::set<std::string> texts;
    for (const auto& file : VectorFiles(vectors)) {
        for (const auto& record : testing_support::read_vector_file(file)) {
            if (const auto c = CaseOf(file, record)) {
                cipher.Write(orvelin::fuzz::Encode(*c));
            }
            const auto text = MessageText(record);
            if (text && text->size() <= kLongestText && texts.insert(*text).second) {
                hex.Write(HexSeed(*text));
            }
        }
    }
    std::cout << "fuzz_seed_maker: " << cipher.written() << " cipher inputs, " << hex.written()
              << " hex texts from " << vectors << '\n';
    return cipher.written() > 0 ? 0 : 1;
}
