#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "geolocation/plausibility.h"
#include "geolocation/resolve_location.h"

namespace hoplot {

inline constexpr const char* done_text = "Done";
inline constexpr const char* timed_out_text = "Timed out. Retrying... ";

inline constexpr int black = 0x000000;
inline constexpr int red = 0x0000FF;
inline constexpr int blue = 0xFF0000;

// One row of a trace: a hop that answered, or a status line.
struct hop_rec {
    std::string name;                    // host name, dotted address, or the status text
    std::string address = " ";           // dotted address; " " for a status row
    std::optional<std::string> location; // location text, "Unresolved", or " " for a status row
    std::string time = " ";              // "%4dms"; " " for a status row
    int colour = black;                  // 0x00BBGGRR
    int kind = 0;                        // 1 when the position came from a DNS LOC record
    // Where the position came from; resolved anew whenever the row is placed, never saved.
    location_source source = location_source::none;
    // Who runs the address; looked up anew with the position, never saved.
    std::optional<as_network> network{};
    // The round trip a trace measured (`time` shows it in whole milliseconds); never saved, so
    // rows read from a file have none.
    std::optional<std::chrono::microseconds> rtt = std::nullopt;
    // What the pipeline answered, kept so that the position can be checked again; location,
    // kind and source show the answer the check chose. Never saved.
    resolution where{};
    // The position check's verdict, and in words why the position is doubted or what stood
    // in for it (empty when neither).
    position_verdict check{};
    std::string check_note{};

    // A row is a status row when its name is one of the two status texts and it has no address:
    // a hop that a PTR record names "Done" is still a hop.
    bool is_status() const;
};

hop_rec make_status_row(const std::string& text, int colour);

} // namespace hoplot
