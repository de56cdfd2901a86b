// The one model of the library's ciphers, below the window's operations and
// the card operations alike: what each cipher takes (key, block, the most
// data each whole-message route takes), the export each route goes through,
// and the calls to those exports over the bound library. Every precondition
// is checked before anything is called and every result is read: a broken
// one, or a result other than done, is a failure naming the routine.
#ifndef ORVELIN_CIPHER_MODEL_H
#define ORVELIN_CIPHER_MODEL_H

#include "tavik_alg.h"
#include "tavik_alg_binding.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace orvelin {

using Bytes = std::vector<std::uint8_t>;

enum class Cipher { des, two_key_tdes, three_key_tdes, aes };
enum class Chaining { ecb, cbc };
enum class Direction { encrypt, decrypt };

// The library's exports in the header's order; ExportName gives each one's
// name from the header's own list.
#define ORVELIN_EXPORT_ENUMERATOR(name) name,
enum class Export { TAVIK_ALG_EXPORTS(ORVELIN_EXPORT_ENUMERATOR) };
#undef ORVELIN_EXPORT_ENUMERATOR
#define ORVELIN_EXPORT_NAME(name) std::string_view(#name),
inline constexpr std::array kExportNames = {TAVIK_ALG_EXPORTS(ORVELIN_EXPORT_NAME)};
#undef ORVELIN_EXPORT_NAME

constexpr std::string_view ExportName(Export export_id) {
    return kExportNames[static_cast<std::size_t>(export_id)];
}
// Empty where there is no export.
constexpr std::string_view ExportName(std::optional<Export> export_id) {
    return export_id ? ExportName(*export_id) : std::string_view();
}

// The most bytes a route takes where its export sets no tighter limit: the
// DES family takes any 32-bit length, held to this, as are the operations
// without an export.
inline constexpr std::size_t kLongestMessage = 64 * 1024;

// What the library offers for one cipher; each array is indexed by Direction.
struct CipherFacts {
    std::size_t key_size;   // the bytes its exports read
    std::size_t block_size; // an IV and a MAC are one block
    std::size_t data_limit; // of the ECB and CBC routes
    std::size_t cmac_limit; // 0: no CMAC
    std::array<Export, 2> ecb;
    std::array<Export, 2> cbc;
    std::optional<Export> cmac;
};

// AES_EncryptCBC and AES_DecryptCBC take a 16-bit length: its whole blocks.
inline constexpr std::size_t kAesDataLimit = 0xFFFF / TAVIK_AES_BLOCK_SIZE * TAVIK_AES_BLOCK_SIZE;

// In the order of Cipher. Single DES has no ECB export over many blocks (it
// takes one block a call) and no CMAC.
inline constexpr std::array<CipherFacts, 4> kCipherFacts = {{
    {.key_size = TAVIK_DES_KEY_SIZE,
     .block_size = TAVIK_DES_BLOCK_SIZE,
     .data_limit = kLongestMessage,
     .cmac_limit = 0,
     .ecb = {Export::EnOrDecrypt_DES, Export::EnOrDecrypt_DES},
     .cbc = {Export::EnOrDecrypt_DES_CBC, Export::EnOrDecrypt_DES_CBC},
     .cmac = std::nullopt},
    {.key_size = TAVIK_2TDES_KEY_SIZE,
     .block_size = TAVIK_DES_BLOCK_SIZE,
     .data_limit = kLongestMessage,
     .cmac_limit = TAVIK_TDES_CMAC_MAX_LENGTH,
     .ecb = {Export::EnOrDecrypt_3DES, Export::EnOrDecrypt_3DES},
     .cbc = {Export::EnOrDecrypt_3DES_CBC, Export::EnOrDecrypt_3DES_CBC},
     .cmac = Export::TDES_CMAC},
    {.key_size = TAVIK_3TDES_KEY_SIZE,
     .block_size = TAVIK_DES_BLOCK_SIZE,
     .data_limit = kLongestMessage,
     .cmac_limit = TAVIK_TDES_CMAC_MAX_LENGTH,
     .ecb = {Export::EnOrDecrypt_3DES_3KEY, Export::EnOrDecrypt_3DES_3KEY},
     .cbc = {Export::EnOrDecrypt_3DES_3KEY_CBC, Export::EnOrDecrypt_3DES_3KEY_CBC},
     .cmac = Export::TDES_3KEY_CMAC},
    {.key_size = TAVIK_AES_KEY_SIZE,
     .block_size = TAVIK_AES_BLOCK_SIZE,
     .data_limit = kAesDataLimit,
     .cmac_limit = TAVIK_AES_CMAC_MAX_LENGTH,
     .ecb = {Export::AES_Encrypt, Export::AES_Decrypt},
     .cbc = {Export::AES_EncryptCBC, Export::AES_DecryptCBC},
     .cmac = Export::AES_CMAC},
}};

// A precondition its caller broke, with nothing called: what `routine`
// takes ("an IV of one 8-byte block and whole blocks") and what it was given
// ("8 bytes of IV and 12 bytes of data").
struct BrokenPrecondition {
    std::string_view routine;
    std::string requirement;
    std::string found;
};

// An export whose result was not done: nothing it wrote is an answer.
struct FailedCall {
    Export by;
    std::int32_t result;
};

using RouteFailure = std::variant<BrokenPrecondition, FailedCall>;
template <typename Value>
using OrFailure = std::variant<RouteFailure, Value>;

// "16 bytes", "1 byte".
std::string SizeText(std::size_t size);

// Nothing, or `routine`'s broken precondition: for CBC an IV of one `block`
// and data of whole blocks, which every CBC chain assumes; for ECB whole
// blocks alone.
std::optional<BrokenPrecondition> RequireWholeBlocks(std::string_view routine, Chaining chaining,
                                                     std::size_t block, std::size_t iv_size,
                                                     std::size_t data_size);

// One cipher: `CipherModel{.cipher = Cipher::aes}`.
struct CipherModel {
    Cipher cipher = Cipher::des;

    constexpr const CipherFacts& facts() const {
        return kCipherFacts[static_cast<std::size_t>(cipher)];
    }
    constexpr std::size_t key_size() const { return facts().key_size; }
    constexpr std::size_t block_size() const { return facts().block_size; }
    // AES: the CBC exports' 16-bit length in whole blocks; the DES family
    // kLongestMessage.
    constexpr std::size_t data_limit() const { return facts().data_limit; }
    // 512 bytes for triple DES, 32767 for AES, 0 for single DES.
    constexpr std::size_t cmac_limit() const { return facts().cmac_limit; }

    // The export a whole message goes through.
    constexpr Export RouteExport(Chaining chaining, Direction direction) const {
        const auto& exports = chaining == Chaining::cbc ? facts().cbc : facts().ecb;
        return exports[static_cast<std::size_t>(direction)];
    }
    // None for single DES.
    constexpr std::optional<Export> CmacExport() const { return facts().cmac; }

    // Each route's preconditions over the sizes it is given, in the order
    // BoundCipher checks them.
    std::optional<BrokenPrecondition> RefuseKey(std::size_t key_size) const;
    std::optional<BrokenPrecondition> RefuseRoute(Chaining chaining, Direction direction,
                                                  std::size_t iv_size, std::size_t data_size) const;
    std::optional<BrokenPrecondition> RefuseCmac(std::size_t iv_size,
                                                 std::size_t message_size) const;
};

// A cipher keyed over the bound library: each route calls the export the
// model names for it and reads its result. It keeps a reference to the
// library, a copy of the key and (for AES) its schedule, and writes only the
// buffers it is given.
class BoundCipher {
  public:
    // Fails: a key of another length than the model's (nothing called); an
    // AES key whose AES_ExpandKey does not report done.
    static OrFailure<BoundCipher> Make(const TavikAlgBinding& library, const CipherModel& model,
                                       std::span<const std::uint8_t> key);

    const CipherModel& model() const { return model_; }

    // `data` in place, ECB or CBC from `iv` (one block, left as it is; not
    // read for ECB): whole blocks within the model's data limit.
    [[nodiscard]] std::optional<RouteFailure> Run(Chaining chaining, Direction direction,
                                                  std::span<const std::uint8_t> iv,
                                                  std::span<std::uint8_t> data) const;
    // The full MAC block of `message` chained from `iv` (one block): the
    // message within the CMAC's limit; a cipher without one fails.
    OrFailure<Bytes> Cmac(std::span<const std::uint8_t> iv,
                          std::span<const std::uint8_t> message) const;

  private:
    BoundCipher(const TavikAlgBinding& library, const CipherModel& model,
                std::span<const std::uint8_t> key);
    std::int32_t CallEcb(Export by, Direction direction, std::span<std::uint8_t> data) const;
    std::int32_t CallBlock(Export by, std::uint8_t mode, std::span<std::uint8_t> block) const;
    std::int32_t CallCbc(Export by, Direction direction, std::span<const std::uint8_t> iv,
                         std::span<std::uint8_t> data) const;

    const TavikAlgBinding* library_;
    CipherModel model_;
    std::array<std::uint8_t, TAVIK_3TDES_KEY_SIZE> key_{};
    std::array<std::uint8_t, TAVIK_AES_SCHEDULE_SIZE> schedule_{};
};

// One whole message through a route or the CMAC, every precondition checked
// before anything is called: the route's key is expanded after its checks,
// and empty data calls nothing; the CMAC exports take the key unexpanded.
[[nodiscard]] std::optional<RouteFailure>
RunRoute(const TavikAlgBinding& library, const CipherModel& model, Chaining chaining,
         Direction direction, std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
         std::span<std::uint8_t> data);
OrFailure<Bytes> RunCmacRoute(const TavikAlgBinding& library, const CipherModel& model,
                              std::span<const std::uint8_t> key, std::span<const std::uint8_t> iv,
                              std::span<const std::uint8_t> message);

} // namespace orvelin

#endif
