// window_clock [--title TITLE] COMMAND [ARG...]: starts the command on the X display of DISPLAY
// and prints the milliseconds from its exec to the first drawing into its first mapped normal
// top-level window (the main window, not a dialog or a splash), then ends it; with --title, to
// the first drawing after the window's title has become TITLE (a program that names what it
// shows in its title once it shows it). Drawing is seen through the DAMAGE extension, so the
// figure covers the picture the user sees, not only the window's frame. Exit status 1 when that
// did not happen within the time-out (HOPLOT_CLOCK_TIMEOUT_MS, default 20000).
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace {

using clock_type = std::chrono::steady_clock;

template <typename T> using reply_ptr = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    reply_ptr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(
                                                                 std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A window whose first (preferred) type is a normal application window, as a main window's is;
// a dialog names its own type first and the normal one only as a fallback.
bool is_normal_window(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t type_atom,
                      xcb_atom_t normal_atom) {
    reply_ptr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, window, type_atom, XCB_ATOM_ATOM, 0, 16), nullptr),
        &std::free);
    if (!reply) return false;
    const auto* types = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    return xcb_get_property_value_length(reply.get()) >= 4 && types[0] == normal_atom;
}

std::string window_title(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name_atom,
                         xcb_atom_t utf8_atom) {
    reply_ptr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, name_atom, utf8_atom, 0, 1024),
            nullptr),
        &std::free);
    if (!reply) return {};
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

pid_t start(char** command) {
    const pid_t child = fork();
    if (child == 0) {
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    return child;
}

void end(pid_t child) {
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
}

} // namespace

int main(int argc, char** argv) {
    std::optional<std::string> title;
    char** command = argv + 1;
    if (argc > 3 && std::string(argv[1]) == "--title") {
        title = argv[2];
        command = argv + 3;
    }
    if (!*command) {
        std::fprintf(stderr, "usage: window_clock [--title TITLE] COMMAND [ARG...]\n");
        return 2;
    }
    const char* limit = std::getenv("HOPLOT_CLOCK_TIMEOUT_MS");
    const auto timeout = std::chrono::milliseconds(limit ? std::atoi(limit) : 20000);
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "window_clock: no X display\n");
        return 2;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "window_clock: the X server has no DAMAGE extension\n");
        return 2;
    }
    std::free(xcb_damage_query_version_reply(
        connection, xcb_damage_query_version(connection, 1, 1), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t type_atom = atom(connection, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t normal_atom = atom(connection, "_NET_WM_WINDOW_TYPE_NORMAL");
    const xcb_atom_t name_atom = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8_atom = atom(connection, "UTF8_STRING");
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto started = clock_type::now();
    const pid_t child = start(command);
    // Every new top-level window is watched from its creation: its first drawing may follow
    // its mapping before this program has heard of the mapping.
    std::set<xcb_window_t> mapped_main;
    bool titled = !title;
    bool painted = false;
    while (!painted) {
        const auto left = timeout - (clock_type::now() - started);
        if (left <= clock_type::duration::zero()) break;
        xcb_generic_event_t* event = xcb_poll_for_event(connection);
        if (!event) {
            if (xcb_connection_has_error(connection)) break;
            pollfd wait{xcb_get_file_descriptor(connection), POLLIN, 0};
            poll(&wait, 1,
                 static_cast<int>(
                     std::chrono::duration_cast<std::chrono::milliseconds>(left).count() + 1));
            continue;
        }
        const std::uint8_t kind = event->response_type & 0x7F;
        if (kind == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (!created->override_redirect && created->parent == root) {
                xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                const std::uint32_t properties = XCB_EVENT_MASK_PROPERTY_CHANGE;
                xcb_change_window_attributes(connection, created->window, XCB_CW_EVENT_MASK,
                                             &properties);
                xcb_flush(connection);
            }
        } else if (kind == XCB_MAP_NOTIFY) {
            const auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (!mapped->override_redirect &&
                is_normal_window(connection, mapped->window, type_atom, normal_atom)) {
                mapped_main.insert(mapped->window);
                if (title)
                    titled = window_title(connection, mapped->window, name_atom, utf8_atom) ==
                             *title;
            }
        } else if (kind == XCB_PROPERTY_NOTIFY) {
            const auto* changed = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (title && changed->atom == name_atom && mapped_main.count(changed->window))
                titled = window_title(connection, changed->window, name_atom, utf8_atom) == *title;
        } else if (kind == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            painted = titled && mapped_main.count(drawn->drawable) != 0;
        }
        std::free(event);
    }
    const auto elapsed = clock_type::now() - started;
    end(child);
    xcb_disconnect(connection);
    if (!painted) {
        std::fprintf(stderr, "window_clock: %s showed no window%s\n", command[0],
                     title ? " with that title" : "");
        return 1;
    }
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(elapsed).count());
    return 0;
}
