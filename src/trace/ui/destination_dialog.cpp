#include "trace/ui/destination_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/ui/resources.h"

namespace hoplot {
namespace {

const char* const examples[] = {
    "Numerical address (e.g. 192.0.2.10)",
    "Full site name (e.g. www.example.org)",
    "URL's (e.g. http://www.example.org)",
};

QLabel* make_label(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QFrame* make_bullet(QWidget* parent) {
    auto* bullet = new QFrame(parent);
    bullet->setFrameStyle(QFrame::Box | QFrame::Sunken);
    bullet->setFixedSize(6, 4);
    return bullet;
}

// The instructions and the three example lines with their bullets.
void add_instructions(QVBoxLayout* layout, QWidget* dialog) {
    layout->addWidget(make_label(QStringLiteral("Enter the name of the site you wish to trace to "
                                                "below. Valid names are in the form of:"),
                                 dialog));
    auto* list = new QGridLayout;
    list->setContentsMargins(24, 0, 0, 0);
    for (int row = 0; row < 3; ++row) {
        list->addWidget(make_bullet(dialog), row, 0, Qt::AlignVCenter);
        list->addWidget(make_label(QString::fromUtf8(examples[row]), dialog), row, 1);
    }
    layout->addLayout(list);
}

// The three choices of family, each with its setting's number as its id.
QGroupBox* make_family_choice(QButtonGroup* group, QWidget* dialog) {
    auto* box = new QGroupBox(QStringLiteral("Address family"), dialog);
    auto* row = new QHBoxLayout(box);
    const std::pair<const char*, address_family> choices[] = {
        {"&Automatic", address_family::automatic},
        {"IPv&4", address_family::ipv4},
        {"IPv&6", address_family::ipv6},
    };
    for (const auto& [label, family] : choices) {
        auto* button = new QRadioButton(QString::fromUtf8(label), box);
        group->addButton(button, static_cast<int>(family));
        row->addWidget(button);
    }
    return box;
}

} // namespace

destination_dialog::destination_dialog(destination_history& history, QWidget* parent)
    : QDialog(parent), history_(history), combo_(new QComboBox(this)),
      families_(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("Trace Destination"));
    auto* layout = new QVBoxLayout(this);
    add_instructions(layout, this);

    // The toolbar's Start Trace picture.
    QLabel* picture = picture_label(QStringLiteral(":/icons/start_trace.svg"), QSize(32, 32),
                                    QStringLiteral("Start Trace"), this);
    auto* label = new QLabel(QStringLiteral("Trace to"), this);
    label->setBuddy(combo_);
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    // The history is offered in the drop-down only: completing from it would turn "127.0.0.1"
    // into an earlier "127.0.0.10" (and, matching without case, Enter would pick an item).
    combo_->setCompleter(nullptr);
    combo_->setAccessibleName(QStringLiteral("Trace to"));
    combo_->lineEdit()->setMaxLength(static_cast<int>(max_destination_length));
    combo_->setMinimumContentsLength(24);
    for (const std::string& earlier : history_.newest_first())
        combo_->addItem(QString::fromStdString(earlier));
    combo_->setCurrentIndex(-1);
    combo_->clearEditText();

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* entry = new QHBoxLayout;
    entry->addWidget(picture);
    entry->addWidget(label);
    entry->addWidget(combo_, 1);
    entry->addWidget(buttons);
    layout->addLayout(entry);
    layout->addWidget(make_family_choice(families_, this));
    set_family(address_family::automatic);
    combo_->setFocus();
}

address_family destination_dialog::family() const {
    return static_cast<address_family>(families_->checkedId());
}

void destination_dialog::set_family(address_family family) {
    families_->button(static_cast<int>(family))->setChecked(true);
}

void destination_dialog::accept() {
    destination_ = trace_destination(combo_->currentText().toStdString());
    if (destination_) history_.add(*destination_);
    QDialog::accept();
}

std::optional<destination_choice> ask_destination(QWidget* parent, address_family family) {
    static destination_history history;
    destination_dialog dialog(history, parent);
    dialog.set_family(family);
    dialog.exec();
    if (!dialog.destination()) return std::nullopt;
    return destination_choice{*dialog.destination(), dialog.family()};
}

} // namespace hoplot
