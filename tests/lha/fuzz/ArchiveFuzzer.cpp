// libFuzzer target: any bytes as an archive, through header parsing, name
// checks and decoding. Built and run by scripts/fuzz-lha.

#include "lha/Archive.h"
#include "lha/Error.h"
#include "lha/MemberPath.h"

#include <cstddef>
#include <cstdint>

namespace {

// Members may claim gigabytes that a tiny stream can legally produce (a code
// of zero bits); decoding them is slow, not wrong, so the sink stops early.
class BoundedSink : public lha::ByteWriter {
public:
    void Write(const uint8_t*, size_t size) override {
        written_ += size;
        if (written_ > (size_t{1} << 24)) throw lha::Error(lha::ErrorKind::Write, "enough");
    }

private:
    size_t written_ = 0;
};

bool IsShiftJisLead(uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lha::MemoryReader reader(data, size);
    lha::ArchiveReader archive(reader);
    try {
        while (auto header = archive.Next()) {
            try {
                lha::SafeMemberPath(*header, IsShiftJisLead);
            } catch (const lha::Error&) {
            }
            BoundedSink sink;
            try {
                archive.Extract(sink);
            } catch (const lha::Error& error) {
                if (error.Kind() != lha::ErrorKind::CrcMismatch && error.Kind() != lha::ErrorKind::Write) throw;
            }
        }
    } catch (const lha::Error&) {
    }
    return 0;
}
