#pragma once
// Byte streams between the codec and its surroundings: an archive is read from
// a ByteReader, decoded data goes to a ByteWriter. Implementations raise
// lha::Error (kinds Read and Write) when the medium fails.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lha {

class ByteReader {
public:
    virtual ~ByteReader() = default;
    // Reads up to `size` bytes; fewer only at the end of the data, 0 there.
    virtual size_t Read(uint8_t* buffer, size_t size) = 0;
    // Passes over `count` bytes; returns how many there were (fewer at the end).
    virtual uint64_t Skip(uint64_t count);
};

class ByteWriter {
public:
    virtual ~ByteWriter() = default;
    virtual void Write(const uint8_t* data, size_t size) = 0;
};

// Reads exactly `size` bytes or reports how many there were.
size_t ReadFully(ByteReader& reader, uint8_t* buffer, size_t size);

// A window of at most `limit` bytes of another reader: one member's data.
class LimitedReader : public ByteReader {
public:
    LimitedReader(ByteReader& source, uint64_t limit) : source_(source), left_(limit) {}
    size_t Read(uint8_t* buffer, size_t size) override;
    uint64_t Skip(uint64_t count) override;
    uint64_t Left() const noexcept { return left_; }

private:
    ByteReader& source_;
    uint64_t left_;
};

class MemoryReader : public ByteReader {
public:
    MemoryReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    explicit MemoryReader(const std::vector<uint8_t>& data) : MemoryReader(data.data(), data.size()) {}
    size_t Read(uint8_t* buffer, size_t size) override;
    uint64_t Skip(uint64_t count) override;

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

class MemoryWriter : public ByteWriter {
public:
    void Write(const uint8_t* data, size_t size) override { bytes.insert(bytes.end(), data, data + size); }
    std::vector<uint8_t> bytes;
};

// Discards what it is given (testing an archive).
class NullWriter : public ByteWriter {
public:
    void Write(const uint8_t*, size_t) override {}
};

}  // namespace lha
