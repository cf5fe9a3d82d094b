#include "lha/ByteIo.h"

#include <algorithm>
#include <cstring>

namespace lha {

uint64_t ByteReader::Skip(uint64_t count) {
    uint8_t scratch[16384];
    uint64_t skipped = 0;
    while (skipped < count) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(sizeof scratch, count - skipped));
        size_t got = Read(scratch, want);
        skipped += got;
        if (got < want) break;
    }
    return skipped;
}

size_t ReadFully(ByteReader& reader, uint8_t* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        size_t got = reader.Read(buffer + done, size - done);
        if (got == 0) break;
        done += got;
    }
    return done;
}

size_t LimitedReader::Read(uint8_t* buffer, size_t size) {
    size_t want = static_cast<size_t>(std::min<uint64_t>(size, left_));
    size_t got = want ? source_.Read(buffer, want) : 0;
    left_ -= got;
    return got;
}

uint64_t LimitedReader::Skip(uint64_t count) {
    uint64_t skipped = source_.Skip(std::min(count, left_));
    left_ -= skipped;
    return skipped;
}

size_t MemoryReader::Read(uint8_t* buffer, size_t size) {
    size_t got = std::min(size, size_ - position_);
    if (got) std::memcpy(buffer, data_ + position_, got);
    position_ += got;
    return got;
}

uint64_t MemoryReader::Skip(uint64_t count) {
    size_t skipped = static_cast<size_t>(std::min<uint64_t>(count, size_ - position_));
    position_ += skipped;
    return skipped;
}

}  // namespace lha
