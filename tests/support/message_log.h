#pragma once

#include <string>
#include <vector>

#include "base/show_message.h"

namespace hoplot::test {

// Records every message shown while it lives, then puts back the handler it replaced.
class message_log {
  public:
    std::vector<std::string> messages;

    message_log()
        : previous_(set_message_handler([this](const std::string& m) { messages.push_back(m); })) {}
    ~message_log() { set_message_handler(previous_); }
    message_log(const message_log&) = delete;
    message_log& operator=(const message_log&) = delete;

  private:
    message_handler previous_;
};

} // namespace hoplot::test
