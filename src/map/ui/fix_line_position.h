#pragma once

#include <cstddef>
#include <string>

#include "map/cities.h"

class QWidget;

namespace hoplot {

class output_window;
class trace_list_window;
class trace_store;

// A double click or Enter on output line `line`: the position dialog for its hop, owned by
// `owner`, offering the cities of the middle list. Yes stores the fix in the data directory's
// update.cache and shows the selected trace again; a status line opens nothing.
void fix_line_position(trace_store& store, output_window& output, trace_list_window& traces,
                       const city_lists& cities, const std::string& db_path, std::size_t line,
                       QWidget* owner);

} // namespace hoplot
