#include "trace/ui/destination_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace hoplot {
namespace {

// Types into a fresh dialog and presses OK or Cancel; the dialog's result.
std::optional<std::string> answer(destination_history& history, const QString& typed,
                                  QDialogButtonBox::StandardButton button) {
    destination_dialog dialog(history);
    dialog.show();
    EXPECT_TRUE(dialog.combo()->currentText().isEmpty());
    QTest::keyClicks(dialog.combo(), typed);
    dialog.findChild<QDialogButtonBox*>()->button(button)->click();
    EXPECT_FALSE(dialog.isVisible());
    return dialog.destination();
}

TEST(destination_dialog, traces_a_web_address_s_host_and_offers_it_again_newest_first) {
    destination_history history;
    EXPECT_EQ(answer(history, "https://www.example.org/index.html", QDialogButtonBox::Ok),
              "www.example.org");
    EXPECT_EQ(answer(history, "192.0.2.10", QDialogButtonBox::Ok), "192.0.2.10");
    EXPECT_EQ(answer(history, "host.example:8080", QDialogButtonBox::Ok), "host.example:8080");
    EXPECT_EQ(answer(history, "two words", QDialogButtonBox::Ok), "two words");
    EXPECT_EQ(answer(history, "cancelled.example", QDialogButtonBox::Cancel), std::nullopt);
    EXPECT_EQ(answer(history, "", QDialogButtonBox::Ok), std::nullopt);

    destination_dialog dialog(history);
    QStringList offered;
    for (int i = 0; i < dialog.combo()->count(); ++i)
        offered << dialog.combo()->itemText(i);
    EXPECT_EQ(offered, (QStringList{"two", "host.example:8080", "192.0.2.10", "www.example.org"}));
}

TEST(destination_dialog, shows_the_instructions_and_names_its_controls) {
    destination_history history;
    destination_dialog dialog(history);
    EXPECT_EQ(dialog.windowTitle(), "Trace Destination");
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("Trace to"));
    EXPECT_EQ(texts.filter("(e.g. ").size(), 3);
    EXPECT_EQ(dialog.combo()->accessibleName(), "Trace to");
    EXPECT_EQ(dialog.combo()->lineEdit()->maxLength(), 254);
}

} // namespace
} // namespace hoplot
