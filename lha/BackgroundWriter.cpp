#include "lha/BackgroundWriter.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lha {

BackgroundWriter::BackgroundWriter(size_t bufferSize)
    : buffers_{std::vector<uint8_t>(bufferSize), std::vector<uint8_t>(bufferSize)}, thread_([this] { Run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundWriter::Start(ByteWriter& target) {
    target_ = &target;
    used_ = 0;
}

void BackgroundWriter::Write(const uint8_t* data, size_t size) {
    while (size > 0) {
        std::vector<uint8_t>& buffer = buffers_[filling_];
        size_t part = std::min(size, buffer.size() - used_);
        std::memcpy(buffer.data() + used_, data, part);
        used_ += part;
        data += part;
        size -= part;
        if (used_ == buffer.size()) Hand();
    }
}

void BackgroundWriter::Finish() {
    if (used_ > 0) Hand();
    std::unique_lock<std::mutex> lock(mutex_);
    WaitIdle(lock);
    if (std::exception_ptr error = std::exchange(error_, nullptr)) std::rethrow_exception(error);
}

void BackgroundWriter::Hand() {
    std::unique_lock<std::mutex> lock(mutex_);
    WaitIdle(lock);
    handed_ = true;
    handedIndex_ = filling_;
    handedSize_ = used_;
    lock.unlock();
    changed_.notify_all();
    filling_ ^= 1;
    used_ = 0;
}

void BackgroundWriter::WaitIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !handed_; });
}

void BackgroundWriter::Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return handed_ || stop_; });
        if (!handed_) return;
        bool failed = error_ != nullptr;
        lock.unlock();
        std::exception_ptr error;
        if (!failed) {
            try {
                target_->Write(buffers_[handedIndex_].data(), handedSize_);
            } catch (...) {
                error = std::current_exception();
            }
        }
        lock.lock();
        if (error) error_ = error;
        handed_ = false;
        changed_.notify_all();
    }
}

}  // namespace lha
