#pragma once
// Decodes one member's data by its method. Keeps its buffers between members.

#include "lha/ByteIo.h"
#include "lha/LzhDecoder.h"

#include <cstdint>
#include <string>

namespace lha {

// Whether Decode knows the method ("-lh5-" and the like).
bool IsKnownMethod(const std::string& method);

class Decoder {
public:
    // Reads `dataSize` bytes of `data` and writes `originalSize` bytes to `out`.
    // Raises lha::Error: UnsupportedMethod, BadData.
    void Decode(const std::string& method, ByteReader& data, uint64_t dataSize, uint64_t originalSize,
                ByteWriter& out);

private:
    LzhDecoder lzh_;
};

}  // namespace lha
