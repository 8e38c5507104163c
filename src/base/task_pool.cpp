#include "base/task_pool.h"

namespace hoplot {

task_pool::~task_pool() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
        queued_.clear();
    }
    ready_.notify_all();
    for (std::thread& thread : threads_)
        thread.join();
}

void task_pool::run(std::function<void()> task) {
    {
        std::lock_guard lock(mutex_);
        queued_.push_back(std::move(task));
        if (queued_.size() > idle_ && threads_.size() < size_)
            threads_.emplace_back([this] { serve(); });
    }
    ready_.notify_one();
}

void task_pool::serve() {
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idle_;
        ready_.wait(lock, [this] { return closing_ || !queued_.empty(); });
        --idle_;
        if (closing_) return;
        std::function<void()> task = std::move(queued_.front());
        queued_.pop_front();
        lock.unlock();
        task();
        // Whatever the task holds goes here, outside the lock.
        task = nullptr;
        lock.lock();
    }
}

} // namespace hoplot
