#pragma once
// Reads an archive member by member: Next gives each header in turn, Extract
// decodes the member's data into a writer and checks its CRC-16. A member
// that is not extracted is passed over.

#include "lha/BackgroundWriter.h"
#include "lha/ByteIo.h"
#include "lha/Decoder.h"
#include "lha/Header.h"

#include <memory>
#include <optional>

namespace lha {

class ArchiveReader {
public:
    // With `background` on, large members are checked and written by a
    // second thread while decoding goes on.
    explicit ArchiveReader(ByteReader& source, bool background = false);

    // The next member's header, or nothing after the last. Raises lha::Error:
    // NotAnArchive for data that does not start with a header, BadHeader.
    std::optional<Header> Next();

    // Decodes the current member. Raises lha::Error: BadData, CrcMismatch,
    // UnsupportedMethod, and what the writer raises.
    void Extract(ByteWriter& out);

private:
    void Decode(const Header& header, LimitedReader& data, ByteWriter& out);
    void SkipRest();

    ByteReader& source_;
    std::optional<Header> current_;
    uint64_t dataLeft_ = 0;  // bytes of the current member's data not yet read
    bool first_ = true;
    Decoder decoder_;
    std::unique_ptr<BackgroundWriter> background_;
};

}  // namespace lha
