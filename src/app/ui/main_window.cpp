#include "app/ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <chrono>

#include "app/panel_layout.h"
#include "app/ui/about_dialog.h"
#include "app/ui/command_actions.h"
#include "app/ui/help_window.h"
#include "app/ui/panel.h"
#include "app/ui/toolbar.h"
#include "base/settings.h"
#include "base/show_message.h"
#include "geolocation/as_source.h"
#include "geolocation/geoip_source.h"
#include "geolocation/plausibility.h"
#include "map/ui/fix_line_position.h"
#include "map/ui/home_location_dialog.h"
#include "map/ui/information_box.h"
#include "map/ui/map_window.h"
#include "map/ui/overview_box.h"
#include "map/ui/rotation_controller.h"
#include "map/view_settings.h"
#include "platform/icmp_status.h"
#include "trace/bounded_resolver.h"
#include "trace/destination.h"
#include "trace/ui/destination_dialog.h"
#include "trace/ui/file_commands.h"
#include "trace/ui/output_window.h"
#include "trace/ui/trace_list_window.h"
#include "trace/ui/window_tracing.h"

namespace hoplot {
namespace {

constexpr int output_height = 120;
// How long showing a trace may wait for one hop's DNS LOC answer.
constexpr std::chrono::milliseconds loc_patience{200};

// Lays the frame out whenever the central area changes size.
class central_area : public QWidget {
  public:
    explicit central_area(std::function<void()> lay_out) : lay_out_(std::move(lay_out)) {}

  protected:
    void resizeEvent(QResizeEvent*) override { lay_out_(); }

  private:
    std::function<void()> lay_out_;
};

} // namespace

main_window::main_window(settings values, map_view view, loading_progress* progress,
                         QWidget* parent, engine_parts parts)
    : QMainWindow(parent), settings_(std::move(values)), messages_(this),
      store_(bounded_resolver(loc_patience, [this] { return app_location_sources(settings_); })) {
    setWindowTitle(QStringLiteral("Hoplot"));
    no_progress silent;
    map_ = new map_window(std::move(view), history_);
    build_frame(progress != nullptr ? *progress : silent, std::move(parts));
    connect_map();
    show_home(parse_home_location(settings_.home_location));
    history_.set_listener([this](bool) { refresh_menus(); });
    restore_size();
    refresh_menus();
}

// The size kept between runs is the normal geometry's, frame excluded, so that it comes back
// the same; never larger than the screen's available area, whatever screen it was kept on. (The
// frame is the window manager's, unknown until it has framed the window, and kept on the screen
// by it.)
void main_window::restore_size() {
    QSize size(settings_.main_window_width, settings_.main_window_height);
    if (const QScreen* shown_on = screen()) size = size.boundedTo(shown_on->availableSize());
    resize(size);
}

main_window::~main_window() = default;

void main_window::build_frame(loading_progress& progress, engine_parts parts) {
    progress.set_stage("Allocating Resources...");
    // The bar moves by four after each of the panel's and the window's pieces.
    const auto advance = [&progress] {
        for (int i = 0; i < 4; ++i)
            progress.advance();
    };
    auto* area = new central_area([this] { lay_out_children(); });
    setCentralWidget(area);
    output_area_ = new output_window(settings_.output, area);
    connect(output_area_, &output_window::widths_changed, this,
            [this](const output_widths& widths) { settings_.output = widths; });
    output_area_->set_network_note(as_source_notice());
    advance();
    overview_ = new overview_box(view().maps);
    advance();
    toolbar_ = new toolbar;
    advance();
    information_ = new information_box;
    advance();
    trace_list_ = new trace_list_window(store_, [this] { return view().trace_running; });
    advance();
    panel_ = new panel(overview_, toolbar_, information_, trace_list_, area);
    advance();
    rotation_ = new rotation_controller(
        view(), [this] { redraw(); }, this);
    connect(rotation_, &rotation_controller::started, this, &main_window::refresh_menus);
    connect(rotation_, &rotation_controller::stopped, this, &main_window::refresh_menus);
    map_->setParent(area);
    map_->set_trace_store(&store_);
    for (store_observer* window :
         std::initializer_list<store_observer*>{map_, output_area_, trace_list_, information_})
        store_.add_observer(*window);
    files_ = std::make_unique<file_commands>(
        store_, document_, this,
        [this] { setWindowTitle(QString::fromStdString(window_caption(document_))); },
        [this](bool opening) {
            view().opening = opening;
            refresh_menus();
        });
    tracing_ = std::make_unique<window_tracing>(store_, std::move(parts));
    connect(tracing_.get(), &window_tracing::started, this, &main_window::trace_started);
    connect(tracing_.get(), &window_tracing::status_changed, this, &main_window::set_status_text);
    connect(tracing_.get(), &window_tracing::ended, this, &main_window::trace_ended);
    connect(output_area_, &output_window::row_activated, this, [this](std::size_t line) {
        fix_line_position(store_, *output_area_, *trace_list_, *view().cities, settings_.db_path,
                          line, this);
    });

    actions_ = new command_actions(*this);
    connect(actions_, &command_actions::triggered, this, &main_window::run_command);
    connect(toolbar_, &toolbar::command_requested, this, &main_window::run_command);
    connect(toolbar_, &toolbar::stop_requested, this, &main_window::stop_what_runs);

    advance();
    status_label_ = new QLabel(QStringLiteral("Ready"));
    statusBar()->addWidget(status_label_, 1);
    const icmp_status probing = describe_icmp_socket(process_icmp_socket());
    probing_label_ = new QLabel(QString::fromStdString(probing.text));
    probing_label_->setToolTip(QString::fromStdString(probing.tooltip));
    // Heard as what it shows, "Raw ICMP" say, and then what that means.
    probing_label_->setAccessibleDescription(probing_label_->toolTip());
    statusBar()->addPermanentWidget(probing_label_);
    reading_bar_ = new QProgressBar;
    reading_bar_->setAccessibleName(QStringLiteral("Reading trace file"));
    reading_bar_->setFormat(QStringLiteral("Reading %p%"));
    reading_bar_->setMaximumWidth(200);
    reading_bar_->hide();
    statusBar()->addPermanentWidget(reading_bar_);
    files_->show_reading_on(reading_bar_);
}

void main_window::lay_out_children() {
    const int w = centralWidget()->width();
    const int h = centralWidget()->height();
    const int map_width = std::max(0, w - panel_width);
    const int map_height = std::max(0, h - output_height);
    map_->setGeometry(0, 0, map_width, map_height);
    output_area_->setGeometry(0, map_height, map_width, output_height);
    panel_->setGeometry(map_width, 0, panel_width, h);
}

void main_window::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isMinimized() || height() == 0) return;
    // The size the window opens with is not worth recording; every later one is.
    if (first_size_) {
        first_size_ = false;
        return;
    }
    settings_.main_window_width = normalGeometry().width();
    settings_.main_window_height = normalGeometry().height();
}

void main_window::closeEvent(QCloseEvent* event) {
    if (ask_before_closing_ && !files_->may_discard_traces()) {
        event->ignore();
        return;
    }
    settings_.globe_mode = view().globe_mode ? 1 : 0;
    settings_.display_cities = view().display_cities ? 1 : 0;
    settings_.display_coastlines = view().display_coastlines ? 1 : 0;
    settings_.display_boundaries = view().display_boundaries ? 1 : 0;
    settings_.display_rivers = view().display_rivers ? 1 : 0;
    write_settings(settings_);
    rotation_->stop();
    messages_.close();
    event->accept();
}

void main_window::end_without_asking() {
    ask_before_closing_ = false;
    close();
    // Ends the event loops of open dialogs too.
    QCoreApplication::quit();
}

busy_state main_window::busy() const {
    return {view().trace_running, view().rotating, view().opening};
}

program_state main_window::state() const {
    return {busy(),
            history_.empty(),
            view().globe_mode,
            view().display_cities,
            view().display_coastlines,
            view().display_boundaries,
            view().display_rivers,
            settings_.rfc1876 == 1,
            settings_.use_geoip != 0};
}

void main_window::refresh_menus() {
    actions_->apply(state());
}

QString main_window::status_text() const {
    return status_label_->text();
}

void main_window::set_status_text(const QString& text) {
    status_label_->setText(text);
}

void main_window::run_command(command_id id) {
    if (const auto refused = refusal(command(id), busy())) {
        ShowMessage(*refused);
        refresh_menus();
        return;
    }
    switch (id) {
    case command_id::new_file:
        new_file();
        break;
    case command_id::open_file:
        open_file();
        break;
    case command_id::save_file:
        files_->save();
        break;
    case command_id::save_file_as:
        files_->save_as();
        break;
    case command_id::print:
        break;
    case command_id::quit:
        close();
        break;
    case command_id::undo:
        undo();
        break;
    case command_id::reset_view:
        push_and(reset_view);
        break;
    case command_id::flat_map:
        push_and(set_flat_mode);
        break;
    case command_id::globe:
        push_and(set_globe_mode);
        break;
    case command_id::auto_rotation:
        history_.push(view());
        rotation_->ask_and_start(this);
        break;
    case command_id::stop_rotation:
        rotation_->stop();
        break;
    case command_id::cities:
        toggle_feature(&map_view::display_cities);
        break;
    case command_id::coastlines:
        toggle_feature(&map_view::display_coastlines);
        break;
    case command_id::boundaries:
        toggle_feature(&map_view::display_boundaries);
        break;
    case command_id::rivers:
        toggle_feature(&map_view::display_rivers);
        break;
    case command_id::start_trace:
        start_trace();
        break;
    case command_id::stop_trace:
        tracing_->stop();
        break;
    case command_id::clear_traces:
        store_.clear_traces();
        redraw();
        break;
    case command_id::use_rfc1876:
        settings_.rfc1876 = settings_.rfc1876 == 1 ? 0 : 1;
        break;
    case command_id::use_geoip:
        settings_.use_geoip = settings_.use_geoip != 0 ? 0 : 1;
        open_geoip_source(settings_);
        break;
    case command_id::set_home_location:
        set_home_location();
        break;
    case command_id::help:
        help_window::show_contents(this, settings_.db_path);
        break;
    case command_id::about:
        show_about_dialog(this, settings_.db_path);
        break;
    }
    refresh_menus();
}

void main_window::stop_what_runs() {
    switch (choose_stop(busy())) {
    case stop_choice::stop_trace:
        run_command(command_id::stop_trace);
        break;
    case stop_choice::stop_rotation:
        run_command(command_id::stop_rotation);
        break;
    case stop_choice::refuse:
        ShowMessage(stop_refusal(busy()));
        break;
    }
}

void main_window::push_and(void (*change)(map_view&, map_view_listener&)) {
    history_.push(view());
    change(view(), map_->view_listener());
    redraw();
    map_->update_scroll_bars();
}

void main_window::toggle_feature(bool map_view::*flag) {
    history_.push(view());
    view().*flag = !(view().*flag);
    redraw();
}

void main_window::new_file() {
    if (!files_->new_traces()) return;
    reset_view(view(), map_->view_listener());
    settings defaults;
    defaults.display_coastlines = defaults.display_boundaries = defaults.display_rivers = 1;
    take_display_flags(view(), defaults);
    history_.clear();
    redraw();
}

// Only a file whose traces replaced the held ones starts the view's history anew.
void main_window::open_file() {
    if (files_->open()) history_.clear();
}

void main_window::begin(const window_request& request) {
    if (!request.open_path.empty()) {
        if (files_->open(request.open_path)) history_.clear();
    } else if (const auto host = trace_destination(request.trace_destination)) {
        trace_to(*host);
    }
}

void main_window::load_detail_levels() {
    map_->load_detail_levels(settings_.db_path, [](const std::string& path) {
        // As at start: the program ends at once, with nothing saved.
        ShowMessage(format_message("Wrong data in file %s", path));
        QCoreApplication::exit(0);
    });
}

void main_window::start_trace() {
    const auto chosen =
        ask_destination(this, static_cast<address_family>(settings_.address_family));
    if (!chosen) return;
    settings_.address_family = static_cast<std::int32_t>(chosen->family);
    trace_to(chosen->host);
}

// The trace keeps the location options it starts with; a change applies to the next one.
void main_window::trace_to(const std::string& destination) {
    tracing_->start(destination, static_cast<address_family>(settings_.address_family),
                    app_location_sources(settings_));
    // Busy at once, not only when the trace's first call has come through the event loop.
    view().trace_running = true;
}

void main_window::trace_started() {
    output_area_->output_cleared();
    view().trace_running = true;
    refresh_menus();
}

void main_window::trace_ended() {
    view().trace_running = false;
    refresh_menus();
}

// The dialog lists the cities of the second detail level, as the position dialog does.
void main_window::set_home_location() {
    const auto chosen = ask_home_location(store_.home(), (*view().cities)[1], this);
    if (!chosen) return;
    settings_.home_location = *chosen ? home_location_text(**chosen) : std::string();
    show_home(*chosen);
    redraw();
}

// The house on the map, and the positions of the shown trace checked from there.
void main_window::show_home(const std::optional<coordinates>& home) {
    view().home = home ? std::optional(to_map_units(*home)) : std::nullopt;
    store_.set_home(home);
}

void main_window::undo() {
    history_.undo(view());
    map_->update_scroll_bars();
    redraw();
}

void main_window::redraw() {
    map_->redraw();
}

map_view& main_window::view() {
    return map_->view();
}
const map_view& main_window::view() const {
    return map_->view();
}

void main_window::connect_map() {
    connect(map_, &map_window::view_redrawn, this, [this] {
        information_->refresh(view());
        overview_->refresh(view());
        // A turning globe moves under a still mouse.
        const QPoint mouse = map_->viewport()->mapFromGlobal(QCursor::pos());
        if (map_->viewport()->rect().contains(mouse)) information_->set_mouse(view(), mouse);
    });
    connect(map_, &map_window::mouse_moved, this, [this](QPoint at) {
        information_->set_mouse(view(), at);
        overview_->set_mouse(view(), at);
    });
    connect(map_, &map_window::status_text, this, &main_window::set_status_text);
    connect(map_, &map_window::map_mode_checked, this, &main_window::refresh_menus);
    connect(map_, &map_window::hop_clicked, this, [this](std::size_t row) {
        const auto current = store_.current_trace();
        if (!current) return;
        // The time-out lines before a live trace's first hop are shown but not stored.
        const std::size_t stored = store_.traces()[*current].rows.size();
        const auto lines = static_cast<std::size_t>(output_area_->line_count());
        output_area_->select_row(row + (lines > stored ? lines - stored : 0));
    });
}

} // namespace hoplot
