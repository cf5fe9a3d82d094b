#include "lha/Archive.h"

#include "lha/Crc16.h"
#include "lha/Error.h"

#include <utility>

namespace lha {

namespace {

class CrcWriter : public ByteWriter {
public:
    explicit CrcWriter(ByteWriter& out) : out_(out) {}
    void Write(const uint8_t* data, size_t size) override {
        crc.Update(data, size);
        out_.Write(data, size);
    }
    Crc16 crc;

private:
    ByteWriter& out_;
};

}  // namespace

// Below this size a member is not worth a hand-over between threads.
constexpr uint64_t kBackgroundMinimum = uint64_t{1} << 20;

ArchiveReader::ArchiveReader(ByteReader& source, bool background)
    : source_(source), background_(background ? std::make_unique<BackgroundWriter>() : nullptr) {}

std::optional<Header> ArchiveReader::Next() {
    SkipRest();
    uint8_t firstByte;
    bool atEnd = source_.Read(&firstByte, 1) == 0;
    bool first = std::exchange(first_, false);
    // An archive holds at least its end mark.
    if (atEnd && first) throw Error(ErrorKind::NotAnArchive, "no LHA header: the file is empty");
    try {
        current_ = atEnd ? std::nullopt : ReadHeaderAfter(firstByte, source_);
    } catch (const Error& error) {
        // Only the first header decides whether this is an archive at all.
        if (error.Kind() == ErrorKind::NotAnArchive && !first) throw Error(ErrorKind::BadHeader, error.what());
        throw;
    }
    dataLeft_ = current_ ? current_->compressedSize : 0;
    return current_;
}

void ArchiveReader::Extract(ByteWriter& out) {
    const Header& header = *current_;
    LimitedReader data(source_, dataLeft_);
    CrcWriter checked(out);
    try {
        Decode(header, data, checked);
    } catch (...) {
        // What the decoder did not read is passed over by the next Next.
        dataLeft_ = data.Left();
        throw;
    }
    dataLeft_ = data.Left();
    SkipRest();
    if (checked.crc.Value() != header.crc)
        throw Error(ErrorKind::CrcMismatch,
                    "CRC error: the header gives " + Hex16(header.crc) + ", the data " + Hex16(checked.crc.Value()));
}

void ArchiveReader::Decode(const Header& header, LimitedReader& data, ByteWriter& out) {
    if (!background_ || header.originalSize < kBackgroundMinimum) {
        decoder_.Decode(header.method, data, data.Left(), header.originalSize, out);
        return;
    }
    background_->Start(out);
    try {
        decoder_.Decode(header.method, data, data.Left(), header.originalSize, *background_);
    } catch (...) {
        try {
            background_->Finish();
        } catch (...) {
            // the decoding error is the one to report
        }
        throw;
    }
    background_->Finish();
}

void ArchiveReader::SkipRest() {
    if (dataLeft_ == 0) return;
    uint64_t skipped = source_.Skip(dataLeft_);
    dataLeft_ -= skipped;
    if (dataLeft_ != 0) {
        dataLeft_ = 0;
        throw Error(ErrorKind::BadData, "the archive ends inside a member's data");
    }
}

}  // namespace lha
