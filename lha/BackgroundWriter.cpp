#include "lha/BackgroundWriter.h"

#include <utility>

namespace lha {

BackgroundWriter::BackgroundWriter() : thread_([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundWriter::Start(ByteWriter& target) { target_ = &target; }

void BackgroundWriter::Write(const uint8_t* data, size_t size) {
    if (size == 0) return;
    std::unique_lock<std::mutex> lock(mutex_);
    WaitIdle(lock);
    handed_ = data;
    handedSize_ = size;
    lock.unlock();
    changed_.notify_all();
}

void BackgroundWriter::Finish() {
    std::unique_lock<std::mutex> lock(mutex_);
    WaitIdle(lock);
    if (std::exception_ptr error = std::exchange(error_, nullptr)) std::rethrow_exception(error);
}

void BackgroundWriter::WaitIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return handed_ == nullptr; });
}

void BackgroundWriter::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return handed_ || stop_; });
        if (!handed_) return;
        const uint8_t* data = handed_;
        size_t size = handedSize_;
        bool failed = error_ != nullptr;
        lock.unlock();
        std::exception_ptr error;
        if (!failed) {
            try {
                target_->Write(data, size);
            } catch (...) {
                error = std::current_exception();
            }
        }
        lock.lock();
        if (error) error_ = error;
        handed_ = nullptr;
        changed_.notify_all();
    }
}

}  // namespace lha
