#pragma once
// A writer that passes data on from a second thread, so that checking and
// writing one chunk overlaps decoding the next. It copies nothing: Write hands
// the caller's data to the thread, which reads it in place, and returns once
// the thread is done with the data of the previous Write. The thread lives as
// long as the object and can serve one target after another.

#include "lha/ByteIo.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace lha {

class BackgroundWriter : public ByteWriter {
public:
    BackgroundWriter();
    ~BackgroundWriter() override;
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Where the following data goes; the previous target must be finished.
    void Start(ByteWriter& target);
    // The caller leaves `data` unchanged until the next Write or Finish returns.
    void Write(const uint8_t* data, size_t size) override;
    // Waits until the target has all the data; raises what the target raised.
    // Once the target failed, further data is dropped until Finish.
    void Finish();

private:
    void WaitIdle(std::unique_lock<std::mutex>& lock);
    void Run();

    ByteWriter* target_ = nullptr;

    std::mutex mutex_;
    std::condition_variable changed_;
    const uint8_t* handed_ = nullptr;  // data that waits for or is in the thread's hands
    size_t handedSize_ = 0;
    bool stop_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace lha
