#include "base/settings.h"

#include <QSettings>
#include <limits>

#include "base/settings_format.h"

namespace hoplot {
namespace {

const char* const organisation = "Varn Software";
const char* const application = "Hoplot";
const char* const group = "1.4";

class settings_key {
  public:
    settings_key() : store_(settings_format(), QSettings::UserScope, organisation, application) {
        store_.beginGroup(group);
    }
    ~settings_key() {
        store_.endGroup();
        store_.sync();
    }
    settings_key(const settings_key&) = delete;
    settings_key& operator=(const settings_key&) = delete;

    std::int32_t read_number(const char* name, std::int32_t fallback, bool store_fallback = true) {
        const QVariant stored = store_.value(name);
        if (stored.isValid()) {
            bool ok = false;
            const qlonglong value = stored.toString().trimmed().toLongLong(&ok);
            if (ok && value >= std::numeric_limits<std::int32_t>::min() &&
                value <= std::numeric_limits<std::int32_t>::max())
                return static_cast<std::int32_t>(value);
        }
        if (store_fallback) store_.setValue(name, fallback);
        return fallback;
    }

    std::string read_text(const char* name, const std::string& fallback, bool store_fallback) {
        const QVariant stored = store_.value(name);
        if (stored.isValid()) return stored.toByteArray().toStdString();
        if (store_fallback) store_.setValue(name, QString::fromStdString(fallback));
        return fallback;
    }

    void write_number(const char* name, std::int32_t value) { store_.setValue(name, value); }
    void write_text(const char* name, const std::string& value) {
        store_.setValue(name, QString::fromStdString(value));
    }
    std::string file_name() const { return store_.fileName().toStdString(); }

  private:
    QSettings store_;
};

std::string with_trailing_slash(std::string path) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

} // namespace

std::string settings_file() {
    return settings_key().file_name();
}

settings read_settings(std::optional<screen_size> screen, const std::string& data_dir) {
    settings_key key;
    settings values;
    // Without a screen the defaults of the sizes are only stand-ins, never stored.
    const bool store_sizes = screen.has_value();
    const screen_size size = screen.value_or(screen_size{});
    values.main_window_width = key.read_number("Main Window Width", size.width, store_sizes);
    values.main_window_height = key.read_number("Main Window Height", size.height, store_sizes);
    // The columns share the width beside the 205-pixel panel (an unsigned division).
    const auto column = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(values.main_window_width - 205) / values.output.size());
    for (std::size_t i = 0; i < values.output.size(); ++i) {
        const std::string name = "Output " + std::to_string(i);
        values.output[i] = key.read_number(name.c_str(), column, store_sizes);
    }
    values.rfc1876 = key.read_number("RFC 1876", 0);
    values.globe_mode = key.read_number("Globe Mode", 0);
    values.display_cities = key.read_number("Display Cities", 0);
    values.display_coastlines = key.read_number("Display Coastlines", 1);
    values.display_boundaries = key.read_number("Display Political Boundaries", 1);
    values.display_rivers = key.read_number("Display Rivers", 1);
    values.db_path = with_trailing_slash(key.read_text("DBPath", data_dir, false));
    values.geoip_database = key.read_text("GeoIP Database", "", true);
    values.use_geoip = key.read_number("Use GeoIP", 1);
    const std::int32_t family = key.read_number("Address Family", 0);
    values.address_family = family == 4 || family == 6 ? family : 0;
    values.home_location = key.read_text("Home Location", "", true);
    values.check_positions = key.read_number("Check Positions", 1);
    return values;
}

void write_settings(const settings& values) {
    settings_key key;
    key.write_number("Globe Mode", values.globe_mode);
    key.write_number("Display Cities", values.display_cities);
    key.write_number("Display Coastlines", values.display_coastlines);
    key.write_number("Display Political Boundaries", values.display_boundaries);
    key.write_number("Display Rivers", values.display_rivers);
    key.write_number("RFC 1876", values.rfc1876);
    key.write_number("Use GeoIP", values.use_geoip);
    key.write_number("Address Family", values.address_family);
    key.write_text("Home Location", values.home_location);
    key.write_number("Main Window Width", values.main_window_width);
    key.write_number("Main Window Height", values.main_window_height);
    for (std::size_t i = 0; i < values.output.size(); ++i)
        key.write_number(("Output " + std::to_string(i)).c_str(), values.output[i]);
}

} // namespace hoplot
