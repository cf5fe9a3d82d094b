#pragma once
// Decodes one member's data by its method. Keeps its buffers between members.

#include "lha/ByteIo.h"
#include "lha/LzhDecoder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace lha {

class Decoder {
public:
    // Reads `dataSize` bytes of `data` and writes `originalSize` bytes to `out`.
    // The data of each Write stays unchanged until the next Write returns, the
    // last one until the next Decode: `out` may go on reading it meanwhile
    // (BackgroundWriter does).
    // Raises lha::Error: UnsupportedMethod, BadData.
    void Decode(const std::string& method, ByteReader& data, uint64_t dataSize, uint64_t originalSize,
                ByteWriter& out);

private:
    void CopyStored(ByteReader& data, uint64_t dataSize, uint64_t originalSize, ByteWriter& out);

    LzhDecoder lzh_;
    std::unique_ptr<uint8_t[]> stored_;  // two halves that stored data passes through in turn
};

}  // namespace lha
