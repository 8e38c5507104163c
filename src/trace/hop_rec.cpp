#include "trace/hop_rec.h"

namespace hoplot {

bool hop_rec::is_status() const {
    return address == " " && (name == done_text || name == timed_out_text);
}

hop_rec make_status_row(const std::string& text, int colour) {
    hop_rec row;
    row.name = text;
    row.location.emplace(1, ' ');
    row.colour = colour;
    return row;
}

} // namespace hoplot
