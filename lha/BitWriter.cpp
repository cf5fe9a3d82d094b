#include "lha/BitWriter.h"

namespace lha {

void BitWriter::Put(uint32_t value, unsigned count) {
    if (count == 0) return;
    pending_ = (pending_ << count) | (value & ((uint64_t{1} << count) - 1));
    count_ += count;
    while (count_ >= 8) {
        count_ -= 8;
        uint8_t byte = static_cast<uint8_t>(pending_ >> count_);
        out_.Write(&byte, 1);
    }
}

void BitWriter::Flush() {
    if (count_ > 0) Put(0, 8 - count_);
}

}  // namespace lha
