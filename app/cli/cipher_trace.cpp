#include "cipher_trace.h"

#include "byte_ops.h"

namespace orvelin::cli {
namespace {

// C = E(P xor chaining); C chains on.
Bytes EncryptBlock(const BlockCipher& cipher, std::size_t index, Bytes& chaining,
                   const Bytes& input, Trace& trace) {
    Bytes block = Xor(input, chaining);
    trace.Add(BlockLabel(index, "chaining"), chaining);
    trace.Add(BlockLabel(index, "XOR"), block);
    cipher.Encrypt(block);
    chaining = block;
    return block;
}

// P = D(C) xor chaining; C chains on.
Bytes DecryptBlock(const BlockCipher& cipher, std::size_t index, Bytes& chaining,
                   const Bytes& input, Trace& trace) {
    Bytes block = input;
    cipher.Decrypt(block);
    trace.Add(BlockLabel(index, "decrypted"), block);
    trace.Add(BlockLabel(index, "chaining"), chaining);
    Bytes output = Xor(block, chaining);
    chaining = input;
    return output;
}

Bytes EcbBlock(const BlockCipher& cipher, Direction direction, const Bytes& input) {
    Bytes block = input;
    if (direction == Direction::encrypt) {
        cipher.Encrypt(block);
    } else {
        cipher.Decrypt(block);
    }
    return block;
}

} // namespace

Trace TraceCipher(const BlockCipher& cipher, Direction direction, bool cbc,
                  std::span<const std::uint8_t> iv, std::span<const std::uint8_t> data) {
    const std::size_t size = cipher.block_size();
    Trace trace;
    Bytes chaining(iv.begin(), iv.end());
    for (std::size_t index = 0; index * size < data.size(); ++index) {
        const Bytes input = Leftmost(data.subspan(index * size), size);
        trace.Add(BlockLabel(index, "input"), input);
        Bytes output;
        if (!cbc) {
            output = EcbBlock(cipher, direction, input);
        } else if (direction == Direction::encrypt) {
            output = EncryptBlock(cipher, index, chaining, input, trace);
        } else {
            output = DecryptBlock(cipher, index, chaining, input, trace);
        }
        trace.Add(BlockLabel(index, "output"), output);
        trace.result.insert(trace.result.end(), output.begin(), output.end());
    }
    return trace;
}

} // namespace orvelin::cli
