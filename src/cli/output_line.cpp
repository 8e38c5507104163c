#include "cli/output_line.h"

namespace hoplot {

std::string output_line(const std::string& text) {
    return text + "\t\t\t";
}

std::string output_line(const hop_rec& row) {
    if (row.is_status()) return output_line(row.name);
    return row.name + "\t" + row.address + "\t" + row.location.value_or("") + "\t" + row.time;
}

} // namespace hoplot
