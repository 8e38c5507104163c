#include "picture/render.h"

#include <QColor>
#include <QImage>
#include <filesystem>
#include <gtest/gtest.h>

#include "base/settings.h"
#include "geolocation/scratch_dir.h"
#include "support/message_log.h"

namespace hoplot {
namespace {

// Three hops in London, New York and Tokyo, placed by the hosts cache of a data directory whose
// maps are the shipped ones.
struct render_mode : ::testing::Test, test::message_log {
    scratch_dir data;
    settings values;

    render_mode() {
        std::filesystem::create_directory_symlink(
            std::filesystem::path(std::getenv("HOPLOT_TEST_SOURCE_DIR")) / "data" / "maps",
            data.path() + "maps");
        data.write("cache_files/hosts.cache", "192.0.2.1 london 51 30N 0 7W\n"
                                              "192.0.2.2 new-york 40 42N 74 0W\n"
                                              "192.0.2.3 tokyo 35 41N 139 41E\n");
        data.write("cache_files/networks.cache", "");
        data.write("t.trc", "1 example.com 4 0 london 192.0.2.1 10ms 0 new-york 192.0.2.2 80ms "
                            "0 tokyo 192.0.2.3 200ms 16711680 Done ");
        values.db_path = data.path();
        values.display_coastlines = 1;
    }

    QImage render(std::vector<std::string> extra) {
        const std::string out = data.path() + "out.png";
        std::vector<std::string> args{out};
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_EQ(run_render(args, values), 0);
        QImage image(QString::fromStdString(out));
        EXPECT_FALSE(image.isNull());
        return image;
    }
};

// Lines are antialiased: a pixel they cross only in part is a darker shade of their colour.
bool black(QColor c) {
    return c.rgb() == qRgb(0, 0, 0);
}
bool whitish(QColor c) {
    return c.red() > 120 && c.red() == c.green() && c.green() == c.blue();
}
bool red(QColor c) {
    return c.rgb() == qRgb(255, 0, 0);
}
bool reddish(QColor c) {
    return c.red() > 100 && c.green() < 40 && c.blue() < 40;
}
bool yellowish(QColor c) {
    return c.red() > 100 && c.green() > 100 && c.blue() < 60;
}

// Whether some pixel of the box around (x, y) satisfies the test.
bool any_near(const QImage& image, QPoint at, int dx, int dy, bool (*test)(QColor)) {
    for (int py = at.y() - dy; py <= at.y() + dy; ++py)
        for (int px = at.x() - dx; px <= at.x() + dx; ++px)
            if (image.valid(px, py) && test(image.pixelColor(px, py))) return true;
    return false;
}

// Flat map pixel of a longitude and latitude on the whole 831 by 572 world.
QPoint flat(double longitude, double latitude) {
    return {static_cast<int>((longitude + 180) / 360 * 831 + 0.5),
            static_cast<int>((90 - latitude) / 180 * 572 + 0.5)};
}

// A picture of any size holds the whole flat world at the largest scale of its own shape,
// centred on black: seas in the Pacific, the Atlantic and the Indian Ocean stay black, coasts of
// Mauritania at 20° N, Brazil at 10° S and Western Australia at 25° S are drawn, and the trace on
// top of them.
TEST_F(render_mode, the_flat_world_is_fitted_to_the_picture) {
    for (const QSize size : {QSize(1662, 1144), QSize(1000, 572), QSize(415, 400)}) {
        const double scale = std::min(size.width() / 831.0, size.height() / 572.0);
        const QPointF corner((size.width() - 831 * scale) / 2, (size.height() - 572 * scale) / 2);
        const auto at = [&](double lon, double lat) {
            return (QPointF(flat(lon, lat)) * scale + corner).toPoint();
        };
        const QImage image =
            render({"--size", std::to_string(size.width()) + "x" + std::to_string(size.height()),
                    "--open", data.path() + "t.trc"});
        ASSERT_EQ(image.size(), size);
        const QPoint london = at(-0.1167, 51.5), new_york = at(-74, 40.7);
        EXPECT_TRUE(any_near(image, london, 1, 1, red));
        EXPECT_TRUE(any_near(image, new_york, 1, 1, red));
        EXPECT_TRUE(any_near(image, (london + new_york) / 2, 1, 1, reddish)) << "the route line";
        // Tokyo's label lies east of a half-size picture's width in the world's own pixels.
        const int label_reach = static_cast<int>(30 * scale) + 2;
        EXPECT_TRUE(any_near(image, at(139.68, 35.68), label_reach, label_reach, yellowish));
        const int reach = static_cast<int>(8 * scale) + 1;
        for (const auto& [lon, lat] : {std::pair{-17.0, 20.0}, {-36.0, -10.0}, {114.0, -25.0}})
            EXPECT_TRUE(any_near(image, at(lon, lat), reach, 1, whitish))
                << "coast at " << lon << " in " << size.width() << "x" << size.height();
        for (const auto& [lon, lat] : {std::pair{-140.0, -10.0}, {-20.0, -30.0}, {80.0, -30.0}})
            EXPECT_TRUE(black(image.pixelColor(at(lon, lat)))) << "sea at " << lon;
        const auto margin_is_black = [&](QRect margin) {
            for (int y = margin.top(); y <= margin.bottom(); ++y)
                for (int x = margin.left(); x <= margin.right(); ++x)
                    if (!black(image.pixelColor(x, y))) return false;
            return true;
        };
        const int left = static_cast<int>(corner.x()) - 1, top = static_cast<int>(corner.y()) - 1;
        EXPECT_TRUE(margin_is_black({0, 0, std::max(left, 0), size.height()}));
        EXPECT_TRUE(margin_is_black({0, 0, size.width(), std::max(top, 0)}));
    }
}

// Globe Mode of the settings chooses the mode; --globe and --flat override it, the last winning.
TEST_F(render_mode, the_settings_choose_the_mode_unless_the_command_line_does) {
    const auto globe_drawn = [this](std::vector<std::string> args) {
        const QImage image = render(std::move(args));
        return image.pixelColor(image.width() / 2, image.height() / 2).blue() > 60;
    };
    values.globe_mode = 1;
    EXPECT_TRUE(globe_drawn({}));
    EXPECT_FALSE(globe_drawn({"--flat"}));
    EXPECT_FALSE(globe_drawn({"--globe", "--flat"}));
    values.globe_mode = 0;
    EXPECT_FALSE(globe_drawn({}));
    EXPECT_TRUE(globe_drawn({"--flat", "--globe"}));
}

// --fit shows the trace's extent: London and Paris, a few pixels apart on the whole world, lie
// far apart on the picture, both on it.
TEST_F(render_mode, fit_shows_the_region_of_the_trace) {
    data.write("cache_files/hosts.cache", "192.0.2.1 london 51 30N 0 7W\n"
                                          "192.0.2.4 paris 48 51N 2 21E\n");
    data.write("eu.trc", "1 eu 2 0 london 192.0.2.1 10ms 0 paris 192.0.2.4 20ms ");
    const auto red_extent = [](const QImage& image) {
        QRect extent;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (red(image.pixelColor(x, y))) extent |= QRect(x, y, 1, 1);
        return extent;
    };
    const QImage world = render({"--open", data.path() + "eu.trc"});
    EXPECT_EQ(world.size(), QSize(831, 572)); // the size without --size
    const QRect whole = red_extent(world);
    EXPECT_LT(std::max(whole.width(), whole.height()), 20);
    // 8.4 world pixels apart from north to south, with a margin of 10 above and below: about
    // 572 * 8.4 / 28.4 = 169 pixels apart on the picture.
    const QRect fitted = red_extent(render({"--open", data.path() + "eu.trc", "--fit"}));
    EXPECT_GT(fitted.height(), 160);
    EXPECT_TRUE(QRect(0, 0, 831, 572).contains(fitted));
    EXPECT_TRUE(messages.empty());
}

TEST_F(render_mode, refuses_bad_arguments_and_reports_what_it_cannot_read_or_write) {
    const std::vector<std::string> refused[] = {{},
                                                {"--globe"},
                                                {"a.png", "b.png"},
                                                {"a.png", "--open"},
                                                {"a.png", "--size", "0x10"},
                                                {"a.png", "--size", "100"},
                                                {"a.png", "--size", "100x20000"},
                                                {"a.png", "--size", "10x10x"},
                                                {"a.png", "--fit"},
                                                {"a.png", "--frobnicate"}};
    for (const auto& args : refused)
        EXPECT_EQ(run_render(args, values), 2) << args.size();
    testing::internal::CaptureStderr();
    EXPECT_EQ(run_render({"a.png", "--json"}, values), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "hoplot: --render does not take --json (hoplot --help shows the usage)\n");
    EXPECT_EQ(run_render({data.path() + "out.png", "--open", data.path() + "none.trc"}, values), 1);
    EXPECT_EQ(messages, std::vector<std::string>{"Can't read file none.trc"});
    messages.clear();
    const std::string unwritable = data.path() + "no/such/dir/out.png";
    EXPECT_EQ(run_render({unwritable}, values), 1);
    EXPECT_EQ(messages, std::vector<std::string>{"Can't write to file " + unwritable});
    messages.clear();
    std::filesystem::remove(data.path() + "maps");
    EXPECT_EQ(run_render({data.path() + "out.png"}, values), 1);
    EXPECT_EQ(messages,
              std::vector<std::string>{"Can't read the map data in " + data.path() + "maps/"});
}

} // namespace
} // namespace hoplot
