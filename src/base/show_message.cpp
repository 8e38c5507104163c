#include "base/show_message.h"

#include <cstdio>
#include <mutex>

namespace hoplot {
namespace {

std::mutex handler_lock;

void print_to_stderr(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

message_handler& current_handler() {
    static message_handler handler = print_to_stderr;
    return handler;
}

} // namespace

void ShowMessage(const std::string& text) {
    message_handler handler;
    {
        std::lock_guard lock(handler_lock);
        handler = current_handler();
    }
    if (handler) handler(text);
}

message_handler set_message_handler(message_handler handler) {
    std::lock_guard lock(handler_lock);
    message_handler old = std::move(current_handler());
    current_handler() = handler ? std::move(handler) : print_to_stderr;
    return old;
}

std::string format_message(const std::string& pattern, const std::string& argument) {
    const auto at = pattern.find("%s");
    if (at == std::string::npos) return pattern;
    return pattern.substr(0, at) + argument + pattern.substr(at + 2);
}

} // namespace hoplot
