#include "app/ui/loading_dialog.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

#include "base/ui/resources.h"
#include "base/version.h"

namespace hoplot {
namespace {

constexpr int initial_maximum = 27;

} // namespace

loading_dialog::loading_dialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setAccessibleName(QStringLiteral("Loading Hoplot"));
    setFixedSize(450, 266);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(12, 10, 16, 16);
    column->addWidget(picture_label(QStringLiteral(":/pictures/logo.svg"), QSize(240, 64),
                                    QStringLiteral("Hoplot"), this),
                      0, Qt::AlignHCenter);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(program_version().c_str()), this);
    version->setAlignment(Qt::AlignRight);
    column->addWidget(version);
    column->addStretch();
    stage_ = new QLabel(QStringLiteral("Loading Maps...."), this);
    stage_->setObjectName(QStringLiteral("stage"));
    column->addWidget(stage_);
    bar_ = new QProgressBar(this);
    bar_->setAccessibleName(QStringLiteral("Loading progress"));
    bar_->setTextVisible(false);
    bar_->setRange(0, initial_maximum);
    bar_->setValue(0);
    column->addWidget(bar_);

    // Without a title bar the dialog draws its own edge.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(1, 1, 1, 1);
    row->addWidget(picture_label(QStringLiteral(":/pictures/side_picture.svg"), QSize(64, 264),
                                 QStringLiteral("Route picture"), frame));
    row->addLayout(column);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
}

void loading_dialog::set_stage(const std::string& text) {
    stage_->setText(QString::fromStdString(text));
    bar_->setValue(0);
    // The loading holds the GUI thread: let the new text and any first exposure paint now.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void loading_dialog::set_range(int maximum) {
    // An empty range would turn the bar into a busy indicator; an empty file shows an empty bar.
    const int top = std::max(maximum, 1);
    const int kept = std::clamp(bar_->value(), 0, top);
    bar_->setRange(0, top);
    bar_->setValue(kept);
}

void loading_dialog::advance() {
    // More steps than the range leave the bar full; QProgressBar repaints itself as it moves.
    bar_->setValue(std::min(bar_->value() + 1, bar_->maximum()));
}

late_loading_dialog::late_loading_dialog(std::chrono::milliseconds moment) : moment_(moment) {}

late_loading_dialog::~late_loading_dialog() = default;

// Once shown, the dialog takes each call as it comes; before that it starts from the stage and
// bar reached.
void late_loading_dialog::show_when_due() {
    if (std::chrono::steady_clock::now() - started_ < moment_) return;
    dialog_ = std::make_unique<loading_dialog>();
    dialog_->show();
    if (!stage_.empty()) dialog_->set_stage(stage_);
    if (maximum_ > 0) dialog_->set_range(maximum_);
    for (int step = 0; step < steps_; ++step)
        dialog_->advance();
}

void late_loading_dialog::set_stage(const std::string& text) {
    stage_ = text;
    steps_ = 0;
    if (dialog_)
        dialog_->set_stage(text);
    else
        show_when_due();
}

void late_loading_dialog::set_range(int maximum) {
    maximum_ = maximum;
    if (dialog_)
        dialog_->set_range(maximum);
    else
        show_when_due();
}

void late_loading_dialog::advance() {
    ++steps_;
    if (dialog_)
        dialog_->advance();
    else
        show_when_due();
}

} // namespace hoplot
