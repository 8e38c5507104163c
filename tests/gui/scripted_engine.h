#pragma once

#include <deque>
#include <memory>
#include <thread>

#include "trace/trace_engine.h"

namespace hoplot::testing {

inline constexpr const char* router = "192.0.2.1";
inline constexpr const char* destination = "192.0.2.9";

// TTL 1 reaches the router and every later TTL the destination, at once.
class instant_prober : public prober {
  public:
    std::optional<probe_clock::time_point> send(const ip_address&, int ttl,
                                                std::uint16_t sequence) override {
        replies_.push_back({sequence, *parse_ip(ttl == 1 ? router : destination), {}});
        return probe_clock::now();
    }
    std::optional<probe_reply> receive(std::chrono::microseconds wait) override {
        if (replies_.empty()) std::this_thread::sleep_for(wait);
        if (replies_.empty()) return std::nullopt;
        probe_reply reply = replies_.front();
        reply.at = probe_clock::now();
        replies_.pop_front();
        return reply;
    }

  private:
    std::deque<probe_reply> replies_;
};

// Nobody answers: the trace runs until it is stopped or its probes time out.
class silent_prober : public prober {
  public:
    std::optional<probe_clock::time_point> send(const ip_address&, int, std::uint16_t) override {
        return probe_clock::now();
    }
    std::optional<probe_reply> receive(std::chrono::microseconds wait) override {
        std::this_thread::sleep_for(wait);
        return std::nullopt;
    }
};

// Names resolve only under .example; the router has a name and a place, the destination a place.
class example_lookup : public hop_lookup {
  public:
    forward_result resolve_host(const std::string& name, address_family,
                                const std::stop_token&) override {
        if (!name.ends_with(".example")) return {std::nullopt, "unknown"};
        return {destination, {}};
    }
    std::optional<std::string> reverse_lookup(const std::string& dotted,
                                              const std::stop_token&) override {
        if (dotted == router) return "router.example";
        return std::nullopt;
    }
    resolution locate(std::string&, const std::string& address, const location_sources&,
                      const std::stop_token&) override {
        if (address == router) return {"Here", {100, 200}, 0, location_source::cache};
        return {"There", {900, 400}, 0, location_source::cache};
    }
};

// An engine tracing through the two scripted hops, or into silence.
template <typename prober_type = instant_prober> engine_parts scripted_engine_parts() {
    return {[](const ip_address&) {
                return prober_opening{std::make_unique<prober_type>(), {}};
            },
            std::make_shared<example_lookup>(), probe_settings{}};
}

} // namespace hoplot::testing
