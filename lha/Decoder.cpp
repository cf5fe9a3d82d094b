#include "lha/Decoder.h"

#include "lha/Error.h"

#include <algorithm>

namespace lha {

namespace {

struct MethodEntry {
    const char* name;
    LzhParameters parameters;  // dictionaryBits 0: stored as is
};

constexpr MethodEntry kMethods[] = {
    {"-lh0-", {0, 0}},  {"-lhd-", {0, 0}},  {"-lh4-", {12, 4}},
    {"-lh5-", {13, 4}}, {"-lh6-", {15, 5}}, {"-lh7-", {16, 5}},
};

constexpr size_t kStoredPart = size_t{1} << 17;

const MethodEntry* FindMethod(const std::string& method) {
    for (const MethodEntry& entry : kMethods)
        if (method == entry.name) return &entry;
    return nullptr;
}

}  // namespace

void Decoder::CopyStored(ByteReader& data, uint64_t dataSize, uint64_t originalSize, ByteWriter& out) {
    if (dataSize != originalSize)
        throw Error(ErrorKind::BadData, "stored member of " + std::to_string(originalSize) + " bytes takes " +
                                            std::to_string(dataSize) + " bytes in the archive");
    if (!stored_) stored_.reset(new uint8_t[2 * kStoredPart]);
    uint8_t* part = stored_.get();
    uint64_t left = originalSize;
    while (left > 0) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(left, kStoredPart));
        size_t got = ReadFully(data, part, want);
        if (got == 0) throw Error(ErrorKind::BadData, "stored data ends early");
        out.Write(part, got);
        left -= got;
        part = part == stored_.get() ? part + kStoredPart : stored_.get();
    }
}

void Decoder::Decode(const std::string& method, ByteReader& data, uint64_t dataSize, uint64_t originalSize,
                     ByteWriter& out) {
    const MethodEntry* entry = FindMethod(method);
    if (!entry) throw Error(ErrorKind::UnsupportedMethod, "unsupported method " + method);
    if (entry->parameters.dictionaryBits == 0)
        CopyStored(data, dataSize, originalSize, out);
    else
        lzh_.Decode(entry->parameters, data, dataSize, originalSize, out);
}

}  // namespace lha
