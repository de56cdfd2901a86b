#include "padding.h"

#include "card_messages.h"

#include <algorithm>
#include <optional>

namespace orvelin::card {
namespace {

constexpr std::uint8_t kMark = 0x80;
constexpr unsigned kBitsPerByte = 8;

std::optional<CardRefusal> RefuseBlock(std::size_t block) {
    if (block != 8 && block != 16) {
        return CardRefusal{std::string(messages::kBlockSize)};
    }
    return std::nullopt;
}

bool KnownMethod(PaddingMethod method) {
    return method == PaddingMethod::zeros || method == PaddingMethod::mark_then_zeros ||
           method == PaddingMethod::length_block;
}

std::size_t RoundUp(std::size_t size, std::size_t block) {
    return (size + block - 1) / block * block;
}

// The data's length in bits, big-endian, right-aligned in one block.
Bytes LengthBlock(std::size_t data_size, std::size_t block) {
    Bytes length(block);
    auto bits = static_cast<std::uint64_t>(data_size) * kBitsPerByte;
    for (auto byte = length.rbegin(); byte != length.rend() && bits != 0; ++byte) {
        *byte = static_cast<std::uint8_t>(bits & 0xFFU);
        bits >>= kBitsPerByte;
    }
    return length;
}

// The data length a length block names, if it is a whole number of bytes
// that fits in a size_t.
std::optional<std::size_t> DataSizeOf(std::span<const std::uint8_t> length_block) {
    std::uint64_t bits = 0;
    for (const std::uint8_t byte : length_block) {
        if ((bits >> 56U) != 0) {
            return std::nullopt;
        }
        bits = bits << kBitsPerByte | byte;
    }
    if (bits % kBitsPerByte != 0 || bits / kBitsPerByte > kMaxCardData) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(bits / kBitsPerByte);
}

std::variant<CardRefusal, Bytes> RemoveMark(std::span<const std::uint8_t> padded,
                                            std::size_t block) {
    const auto last_block = padded.last(block);
    const auto mark = std::find_if(last_block.rbegin(), last_block.rend(),
                                   [](std::uint8_t byte) { return byte != 0; });
    if (mark == last_block.rend()) {
        return CardRefusal{std::string(messages::kUnpadNoMark)};
    }
    if (*mark != kMark) {
        const bool has_mark =
            std::find(last_block.begin(), last_block.end(), kMark) != last_block.end();
        return CardRefusal{
            std::string(has_mark ? messages::kUnpadAfterMark : messages::kUnpadNoMark)};
    }
    const auto kept = padded.size() - static_cast<std::size_t>(mark - last_block.rbegin()) - 1;
    return Bytes(padded.begin(), padded.begin() + static_cast<std::ptrdiff_t>(kept));
}

std::variant<CardRefusal, Bytes> RemoveLengthBlock(std::span<const std::uint8_t> padded,
                                                   std::size_t block) {
    const auto rest = padded.subspan(block);
    const auto data_size = DataSizeOf(padded.first(block));
    if (!data_size || RoundUp(*data_size, block) != rest.size()) {
        return CardRefusal{std::string(messages::kUnpadLengthDisagrees)};
    }
    const auto fill = rest.subspan(*data_size);
    if (std::any_of(fill.begin(), fill.end(), [](std::uint8_t byte) { return byte != 0; })) {
        return CardRefusal{std::string(messages::kUnpadNonZeroFill)};
    }
    return Bytes(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(*data_size));
}

} // namespace

std::variant<CardRefusal, Bytes> PadData(std::span<const std::uint8_t> data, PaddingMethod method,
                                         std::size_t block) {
    if (auto refusal = RefuseBlock(block)) {
        return *refusal;
    }
    if (!KnownMethod(method)) {
        return CardRefusal{std::string(messages::kUnknownPaddingMethod)};
    }
    if (data.size() > kMaxCardData) {
        return CardRefusal{messages::DataTooLong(kMaxCardData)};
    }
    Bytes padded;
    if (method == PaddingMethod::length_block) {
        padded = LengthBlock(data.size(), block);
    }
    padded.insert(padded.end(), data.begin(), data.end());
    if (method == PaddingMethod::mark_then_zeros) {
        padded.push_back(kMark);
    }
    // Methods 1 and 2 pad to a positive multiple; method 3's length block
    // already makes it positive.
    const std::size_t minimum = method == PaddingMethod::zeros ? block : 0;
    padded.resize(std::max(RoundUp(padded.size(), block), minimum));
    return padded;
}

CardOutcome Pad(std::span<const std::uint8_t> data, PaddingMethod method, std::size_t block) {
    auto padded = PadData(data, method, block);
    if (auto* refusal = std::get_if<CardRefusal>(&padded)) {
        return *refusal;
    }
    Bytes& bytes = std::get<Bytes>(padded);
    CardResult result;
    std::size_t data_start = 0;
    if (method == PaddingMethod::length_block) {
        result.Step("length block",
                    Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(block)));
        data_start = block;
    }
    result.Step(
        "padding",
        Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(data_start + data.size()), bytes.end()));
    result.Value("", std::move(bytes));
    return result;
}

CardOutcome Unpad(std::span<const std::uint8_t> padded, PaddingMethod method, std::size_t block) {
    if (auto refusal = RefuseBlock(block)) {
        return *refusal;
    }
    if (!KnownMethod(method)) {
        return CardRefusal{std::string(messages::kUnknownPaddingMethod)};
    }
    if (method == PaddingMethod::zeros) {
        return CardRefusal{std::string(messages::kUnpadMethod1)};
    }
    if (padded.size() > kMaxCardData + 2 * block) {
        return CardRefusal{messages::DataTooLong(kMaxCardData + 2 * block)};
    }
    if (padded.empty() || padded.size() % block != 0) {
        return CardRefusal{std::string(messages::kUnpadWholeBlocks)};
    }
    auto data = method == PaddingMethod::mark_then_zeros ? RemoveMark(padded, block)
                                                         : RemoveLengthBlock(padded, block);
    if (auto* refusal = std::get_if<CardRefusal>(&data)) {
        return *refusal;
    }
    Bytes& bytes = std::get<Bytes>(data);
    CardResult result;
    if (method == PaddingMethod::length_block) {
        result.Step("length block",
                    Bytes(padded.begin(), padded.begin() + static_cast<std::ptrdiff_t>(block)));
        const auto fill = padded.subspan(block + bytes.size());
        result.Step("padding removed", Bytes(fill.begin(), fill.end()));
    } else {
        const auto removed = padded.subspan(bytes.size());
        result.Step("padding removed", Bytes(removed.begin(), removed.end()));
    }
    result.Value("", std::move(bytes));
    return result;
}

} // namespace orvelin::card
