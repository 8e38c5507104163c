#include "app/ui/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <string>

#include "support/message_log.h"

namespace hoplot {
namespace {

class help_window_test : public ::testing::Test {
  protected:
    void TearDown() override {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<help_window*>(widget)) widget->close();
        QApplication::processEvents();
    }

    static help_window* shown_window() {
        help_window* found = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<help_window*>(widget); window && window->isVisible())
                found = window;
        return found;
    }

    const std::string data = std::string(HOPLOT_TEST_SOURCE_DIR) + "/data/";
};

TEST_F(help_window_test, opens_once_at_the_contents_and_follows_a_link_by_keyboard) {
    help_window::show_contents(nullptr, data);
    help_window* window = shown_window();
    ASSERT_NE(window, nullptr);
    QTextBrowser* browser = window->browser();
    EXPECT_EQ(browser->source(), help_window::contents_url(data));
    EXPECT_EQ(window->windowTitle(), "Hoplot Help");

    browser->setFocus();
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    EXPECT_EQ(browser->source().fileName(), "window.html");
    QTest::keyClick(browser, Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(browser->source(), help_window::contents_url(data));

    browser->setSource(
        QUrl::fromLocalFile(browser->source().toLocalFile().replace("index.html", "tracing.html")));
    help_window::show_contents(nullptr, data);
    EXPECT_EQ(shown_window(), window) << "a second request raises the same window";
    EXPECT_EQ(browser->source(), help_window::contents_url(data));
}

// Every page is reachable from the contents and no link points at a missing page.
TEST_F(help_window_test, every_link_between_pages_leads_to_an_existing_page) {
    const QDir dir(QString::fromStdString(data + "help"));
    const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)(#[^\"]*)?\""));
    QStringList linked;
    for (const QString& page : dir.entryList({QStringLiteral("*.html")})) {
        QFile file(dir.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto match = link.globalMatch(text); match.hasNext();) {
            const QString target = match.next().captured(1);
            EXPECT_TRUE(QFileInfo::exists(dir.filePath(target)))
                << page.toStdString() << " -> " << target.toStdString();
            linked << target;
        }
    }
    for (const QString& page : dir.entryList({QStringLiteral("*.html")})) {
        if (page == "index.html") continue;
        EXPECT_TRUE(linked.contains(page)) << page.toStdString();
    }
}

TEST_F(help_window_test, missing_pages_are_reported_instead_of_an_empty_window) {
    test::message_log log;
    help_window::show_contents(nullptr, "/nonexistent/");
    EXPECT_EQ(log.messages,
              std::vector<std::string>{"Can't read file /nonexistent/help/index.html"});
    EXPECT_EQ(shown_window(), nullptr);
}

} // namespace
} // namespace hoplot
