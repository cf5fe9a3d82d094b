#include "lha/ArchiveWriter.h"

#include "lha/Crc16.h"
#include "lha/Error.h"
#include "lha/HeaderWriter.h"

#include <algorithm>
#include <vector>

namespace lha {

namespace {

// Archives for MS-DOS and Windows carry this system id.
constexpr uint8_t kMsDosId = 'M';
constexpr uint16_t kFolderAttribute = 0x10;

struct PackingMethod {
    const char* name;
    LzhParameters parameters;
};

constexpr PackingMethod kPackingMethods[] = {
    {"-lh5-", {13, 4}},
    {"-lh6-", {15, 5}},
    {"-lh7-", {16, 5}},
};

const PackingMethod* FindPackingMethod(const std::string& method) {
    for (const PackingMethod& entry : kPackingMethods)
        if (method == entry.name) return &entry;
    return nullptr;
}

// Passes data through and keeps its CRC-16.
class CrcReader : public ByteReader {
public:
    explicit CrcReader(ByteReader& source) : source_(source) {}
    size_t Read(uint8_t* buffer, size_t size) override {
        size_t got = source_.Read(buffer, size);
        crc.Update(buffer, got);
        return got;
    }
    Crc16 crc;

private:
    ByteReader& source_;
};

void CheckSize(const Header& entry, uint64_t read) {
    if (read != entry.originalSize)
        throw Error(ErrorKind::Read, entry.Path() + ": the file changed while it was read (" +
                                         std::to_string(entry.originalSize) + " bytes expected, " +
                                         std::to_string(read) + " read)");
}

}  // namespace

bool IsPackingMethod(const std::string& method) { return FindPackingMethod(method) != nullptr; }

ArchiveWriter::ArchiveWriter(SeekableWriter& out, const std::string& method) : out_(out), method_(method) {
    const PackingMethod* entry = FindPackingMethod(method);
    if (!entry) throw Error(ErrorKind::UnsupportedMethod, "cannot pack with method " + method);
    encoder_ = std::make_unique<LzhEncoder>(entry->parameters);
}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::AddFolder(Header entry) {
    entry.method = "-lhd-";
    entry.compressedSize = entry.originalSize = 0;
    entry.crc = 0;
    entry.osId = kMsDosId;
    entry.attributes |= kFolderAttribute;
    std::vector<uint8_t> header = WriteLevel2Header(entry);
    out_.Write(header.data(), header.size());
}

void ArchiveWriter::AddFile(Header entry, RewindableReader& data) {
    entry.osId = kMsDosId;
    entry.method = method_;
    entry.compressedSize = 0;
    entry.crc = 0;
    const uint64_t headerStart = out_.Position();
    std::vector<uint8_t> header = WriteLevel2Header(entry);
    out_.Write(header.data(), header.size());

    // Packing pays only when it saves at least a byte.
    CrcReader checked(data);
    LzhEncoder::Result result{false, 0, 0};
    if (entry.originalSize > 0) result = encoder_->Encode(checked, out_, entry.originalSize - 1);
    if (result.shrank) {
        CheckSize(entry, result.read);
        entry.compressedSize = result.written;
        entry.crc = checked.crc.Value();
    } else {
        out_.Seek(headerStart + header.size());
        Store(entry, data);
    }
    const uint64_t end = out_.Position();
    out_.Seek(headerStart);
    header = WriteLevel2Header(entry);
    out_.Write(header.data(), header.size());
    out_.Seek(end);
}

void ArchiveWriter::Store(Header& entry, RewindableReader& data) {
    data.Rewind();
    entry.method = "-lh0-";
    CrcReader checked(data);
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<uint64_t>(entry.originalSize + 1, 1 << 18)));
    uint64_t read = 0;
    while (size_t got = checked.Read(buffer.data(), buffer.size())) {
        read += got;
        if (read > entry.originalSize) break;
        out_.Write(buffer.data(), got);
    }
    CheckSize(entry, read);
    entry.compressedSize = read;
    entry.crc = checked.crc.Value();
}

void ArchiveWriter::Finish() {
    const uint8_t endMark = 0;
    out_.Write(&endMark, 1);
}

}  // namespace lha
