#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace hoplot {

// Runs tasks on up to `size` threads of its own, started as they are needed, each task as soon
// as a thread is free. The destructor drops the tasks not yet started and waits for the running
// ones: whoever hands it a task that may block must be able to make the task return first (a
// stop token the task watches, requested before the pool goes).
class task_pool {
  public:
    explicit task_pool(std::size_t size) : size_(size) {}
    ~task_pool();
    task_pool(const task_pool&) = delete;
    task_pool& operator=(const task_pool&) = delete;

    void run(std::function<void()> task);

  private:
    void serve();

    const std::size_t size_;
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> queued_;
    std::vector<std::thread> threads_;
    std::size_t idle_ = 0;
    bool closing_ = false;
};

} // namespace hoplot
