#pragma once

namespace hoplot {

// Makes ShowMessage show a modal message box: caption "Hoplot", OK only, no icon.
void install_message_box();

} // namespace hoplot
