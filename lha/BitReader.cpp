#include "lha/BitReader.h"

#include <algorithm>

namespace lha {

namespace {
constexpr size_t kFront = 8;
constexpr size_t kBufferSize = 1 << 16;
constexpr size_t kPadding = 16;
}  // namespace

void BitReader::Start(ByteReader& source, uint64_t size) {
    if (storage_.empty()) {
        storage_.resize(kFront + kBufferSize + kPadding);
        begin_ = storage_.data() + kFront;
    }
    source_ = &source;
    left_ = size;
    size_ = size;
    offset_ = 0;
    exhausted_ = false;
    end_ = begin_;
    cursor = BitCursor{};
    cursor.ip = begin_;
    Fill();
}

void BitReader::Fill() {
    size_t keep = static_cast<size_t>(end_ - cursor.ip);
    offset_ += static_cast<uint64_t>(cursor.ip - begin_);
    std::memmove(begin_, cursor.ip, keep);
    cursor.ip = begin_;
    end_ = begin_ + keep;
    size_t want = static_cast<size_t>(std::min<uint64_t>(kBufferSize - keep, left_));
    size_t got = ReadFully(*source_, end_, want);
    end_ += got;
    left_ -= got;
    if (got < want) {
        // The archive is shorter than the header says; decode what there is.
        left_ = 0;
        size_ = offset_ + static_cast<uint64_t>(end_ - begin_);
    }
    if (left_ == 0) {
        exhausted_ = true;
        std::memset(end_, 0, kPadding);
        cursor.fastEnd = end_ + kPadding - 8;
    } else {
        cursor.fastEnd = end_ - 8;
    }
}

void BitReader::RefillSlowly() {
    if (exhausted_) EndsEarly();
    Fill();
    if (!cursor.TryRefill()) EndsEarly();
}

void BitReader::Finish() const {
    uint64_t consumedBits = (offset_ + static_cast<uint64_t>(cursor.ip - begin_)) * 8 - cursor.count;
    if (consumedBits > size_ * 8) EndsEarly();
}

void BitReader::EndsEarly() const {
    throw Error(ErrorKind::BadData, "compressed data ends early (after " + std::to_string(size_) + " bytes)");
}

}  // namespace lha
