#pragma once

#include <optional>
#include <stop_token>
#include <string>

#include "geolocation/resolve_location.h"
#include "platform/names.h"

namespace hoplot {

// The blocking look-ups of a trace: the destination's address, each hop's name and position
// (from the sources the trace started with). Each gives up as soon as its stop is requested.
// The engine is handed one; tests script it.
class hop_lookup {
  public:
    virtual ~hop_lookup() = default;
    virtual forward_result resolve_host(const std::string& name, address_family family,
                                        const std::stop_token& stop) = 0;
    virtual std::optional<std::string> reverse_lookup(const std::string& dotted,
                                                      const std::stop_token& stop) = 0;
    virtual resolution locate(std::string& host_name, const std::string& address,
                              const location_sources& sources, const std::stop_token& stop) = 0;
};

// The system resolver and the resolution pipeline.
class system_hop_lookup : public hop_lookup {
  public:
    forward_result resolve_host(const std::string& name, address_family family,
                                const std::stop_token& stop) override;
    std::optional<std::string> reverse_lookup(const std::string& dotted,
                                              const std::stop_token& stop) override;
    resolution locate(std::string& host_name, const std::string& address,
                      const location_sources& sources, const std::stop_token& stop) override;
};

} // namespace hoplot
