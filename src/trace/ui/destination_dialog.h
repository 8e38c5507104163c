#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "trace/destination.h"

class QComboBox;

namespace hoplot {

// "Trace Destination": the user types or picks the destination of a new trace; the history
// offers the earlier ones, newest first.
class destination_dialog : public QDialog {
    Q_OBJECT

  public:
    explicit destination_dialog(destination_history& history, QWidget* parent = nullptr);

    QComboBox* combo() const { return combo_; }
    // The host to trace once OK was pressed on a destination; none otherwise.
    const std::optional<std::string>& destination() const { return destination_; }

    void accept() override;

  private:
    destination_history& history_;
    QComboBox* combo_;
    std::optional<std::string> destination_;
};

// Runs the dialog with this run's history: the host to trace, a web address's host alone;
// nothing on Cancel or an empty field.
std::optional<std::string> ask_destination(QWidget* parent);

} // namespace hoplot
