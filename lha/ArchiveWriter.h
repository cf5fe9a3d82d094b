#pragma once
// Writes an archive member by member: folders as -lhd- entries, files packed
// with the archive's method, or stored as -lh0- when packing does not make
// them smaller. Each header is written first and completed once the data is
// known, so the output must allow going back; a file that is stored after all
// is read a second time.

#include "lha/ByteIo.h"
#include "lha/Header.h"
#include "lha/LzhEncoder.h"

#include <memory>
#include <string>

namespace lha {

class SeekableWriter : public ByteWriter {
public:
    virtual uint64_t Position() = 0;
    // Further writes go to `position` (not beyond what was written).
    virtual void Seek(uint64_t position) = 0;
};

class RewindableReader : public ByteReader {
public:
    // Starts reading from the beginning again.
    virtual void Rewind() = 0;
};

// The methods that ArchiveWriter packs with: "-lh5-", "-lh6-", "-lh7-".
bool IsPackingMethod(const std::string& method);

class ArchiveWriter {
public:
    // Raises lha::Error (UnsupportedMethod) for a method it cannot pack with.
    ArchiveWriter(SeekableWriter& out, const std::string& method);
    ~ArchiveWriter();

    // `entry` gives the member's directory and name (code-page bytes), time
    // and attributes; the method, sizes and CRC are filled in here.
    void AddFolder(Header entry);
    // `entry.originalSize` is the size that `data` is expected to have; a
    // different size raises lha::Error (Read): the file changed while read.
    void AddFile(Header entry, RewindableReader& data);
    // Writes the end mark. Nothing may be added afterwards.
    void Finish();

private:
    void Store(Header& entry, RewindableReader& data);

    SeekableWriter& out_;
    std::string method_;
    std::unique_ptr<LzhEncoder> encoder_;
};

}  // namespace lha
