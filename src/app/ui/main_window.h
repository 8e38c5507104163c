#pragma once

#include <QMainWindow>
#include <memory>

#include "app/commands.h"
#include "app/menu_state.h"
#include "app/window_request.h"
#include "base/loading_progress.h"
#include "base/settings.h"
#include "base/ui/message_box.h"
#include "map/map_view.h"
#include "map/view_history.h"
#include "trace/trace_document.h"
#include "trace/trace_engine.h"
#include "trace/trace_store.h"

class QLabel;
class QProgressBar;

namespace hoplot {

class command_actions;
class file_commands;
class information_box;
class map_window;
class output_window;
class overview_box;
class panel;
class rotation_controller;
class toolbar;
class trace_list_window;
class window_tracing;

// The program's window: the map, the output strip below it, the panel on the right and the
// status bar. Every command arrives here and is dispatched past its guards.
class main_window : public QMainWindow {
    Q_OBJECT

  public:
    // Builds the frame around a view whose data is loaded, advancing the loading dialog's bar.
    // values: the settings read at start, which the window keeps up to date and writes when it
    // closes. parts: what traces probe and look up with; tests script them.
    explicit main_window(settings values, map_view view = {}, loading_progress* progress = nullptr,
                         QWidget* parent = nullptr, engine_parts parts = system_engine_parts());
    ~main_window() override;

    // What the command line asked for at start: a trace file to open or a host to trace.
    void begin(const window_request& request);
    // The map's Medium and High levels, read off the GUI thread (map_window).
    void load_detail_levels();

    // Runs a command as the menu, a key or a toolbar button would.
    void run_command(command_id id);
    // Ends as Quit does, without asking about unsaved traces, whatever dialog is open: the
    // session is ending.
    void end_without_asking();

    map_view& view();
    const map_view& view() const;
    const view_history& history() const { return history_; }
    trace_store& store() { return store_; }
    const settings& current_settings() const { return settings_; }
    QString status_text() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_frame(loading_progress& progress, engine_parts parts);
    void restore_size();
    void lay_out_children();
    busy_state busy() const;
    program_state state() const;
    void refresh_menus();
    void set_status_text(const QString& text);
    void stop_what_runs();

    void push_and(void (*change)(map_view&, map_view_listener&));
    void connect_map();
    void toggle_feature(bool map_view::*flag);
    void new_file();
    void open_file();
    void start_trace();
    void trace_to(const std::string& destination);
    void undo();
    void redraw();
    void set_home_location();
    void show_home(const std::optional<coordinates>& home);

    void trace_started();
    void trace_ended();

    settings settings_;
    view_history history_;
    message_box_host messages_;
    // The traces outlive the file commands and the tracing that change them.
    trace_store store_;
    trace_document document_;
    std::unique_ptr<file_commands> files_;
    std::unique_ptr<window_tracing> tracing_;
    command_actions* actions_ = nullptr;
    map_window* map_ = nullptr;
    output_window* output_area_ = nullptr;
    trace_list_window* trace_list_ = nullptr;
    panel* panel_ = nullptr;
    toolbar* toolbar_ = nullptr;
    overview_box* overview_ = nullptr;
    information_box* information_ = nullptr;
    rotation_controller* rotation_ = nullptr;
    QLabel* status_label_ = nullptr;
    QLabel* probing_label_ = nullptr;
    QProgressBar* reading_bar_ = nullptr;
    bool first_size_ = true;
    bool ask_before_closing_ = true;
};

} // namespace hoplot
