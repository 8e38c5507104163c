#include "map/ui/fix_line_position.h"

#include "map/ui/update_position_dialog.h"
#include "trace/output_row.h"
#include "trace/ui/output_window.h"
#include "trace/ui/trace_list_window.h"

namespace hoplot {
namespace {

// The dialog lists the cities of the second detail level.
constexpr std::size_t fix_city_level = 1;

} // namespace

void fix_line_position(trace_store& store, output_window& output, trace_list_window& traces,
                       const city_lists& cities, const std::string& db_path, std::size_t line,
                       QWidget* owner) {
    const auto current = store.current_trace();
    if (!current) return;
    const std::vector<hop_rec>& rows = store.traces()[*current].rows;
    const auto row =
        stored_row_of_line(line, static_cast<std::size_t>(output.line_count()), rows.size());
    if (!row) return;
    output.select_row(line);
    // A copy: a running trace may add rows while the dialog is open.
    const hop_rec hop = rows[*row];
    update_position_actions actions;
    actions.write = [&db_path](const position_fix& fix) { return append_update(db_path, fix); };
    actions.show_selected = [&traces] { traces.show_selected(); };
    run_update_position_dialog(hop, cities[fix_city_level], std::move(actions), owner);
}

} // namespace hoplot
