#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "platform/ip_address.h"
#include "trace/destination.h"

class QButtonGroup;
class QComboBox;

namespace hoplot {

// "Trace Destination": the user types or picks the destination of a new trace; the history
// offers the earlier ones, newest first.
class destination_dialog : public QDialog {
    Q_OBJECT

  public:
    explicit destination_dialog(destination_history& history, QWidget* parent = nullptr);

    QComboBox* combo() const { return combo_; }
    // Which family a name with both kinds of address is traced over: Automatic, IPv4, IPv6.
    address_family family() const;
    void set_family(address_family family);
    // The host to trace once OK was pressed on a destination; none otherwise.
    const std::optional<std::string>& destination() const { return destination_; }

    void accept() override;

  private:
    destination_history& history_;
    QComboBox* combo_;
    QButtonGroup* families_;
    std::optional<std::string> destination_;
};

struct destination_choice {
    std::string host; // a web address's host alone
    address_family family;
};

// Runs the dialog with this run's history and `family` chosen: the host to trace and the family
// chosen for it (which becomes the Address Family setting); nothing on Cancel or an empty field.
std::optional<destination_choice> ask_destination(QWidget* parent, address_family family);

} // namespace hoplot
