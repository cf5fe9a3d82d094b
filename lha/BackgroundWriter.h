#pragma once
// A writer that passes data on from a second thread, so that checking and
// writing one chunk overlaps decoding the next. Data is copied into one of two
// buffers; the thread empties the other. The thread lives as long as the
// object and can serve one target after another.

#include "lha/ByteIo.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace lha {

class BackgroundWriter : public ByteWriter {
public:
    explicit BackgroundWriter(size_t bufferSize = size_t{1} << 18);
    ~BackgroundWriter() override;
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Where the following data goes; the previous target must be finished.
    void Start(ByteWriter& target);
    void Write(const uint8_t* data, size_t size) override;
    // Waits until the target has all the data; raises what the target raised.
    // Once the target failed, further data is dropped until Finish.
    void Finish();

private:
    void Hand();  // gives the filled buffer to the thread
    void WaitIdle(std::unique_lock<std::mutex>& lock);
    void Run();

    std::vector<uint8_t> buffers_[2];
    size_t filling_ = 0;  // buffer being filled
    size_t used_ = 0;     // bytes in it
    ByteWriter* target_ = nullptr;

    std::mutex mutex_;
    std::condition_variable changed_;
    bool handed_ = false;  // a buffer waits for or is in the thread's hands
    size_t handedIndex_ = 0;
    size_t handedSize_ = 0;
    bool stop_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace lha
