#include "trace/ui/destination_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace hoplot {
namespace {

// Types into a fresh dialog, which must start empty, and presses a button; Enter for OK.
std::optional<std::string> answer(destination_history& history, const QString& typed,
                                  QDialogButtonBox::StandardButton button) {
    destination_dialog dialog(history);
    dialog.show();
    EXPECT_TRUE(dialog.combo()->currentText().isEmpty());
    QTest::keyClicks(dialog.combo(), typed);
    if (button == QDialogButtonBox::Ok)
        QTest::keyClick(dialog.combo(), Qt::Key_Return);
    else
        dialog.findChild<QDialogButtonBox*>()->button(button)->click();
    EXPECT_FALSE(dialog.isVisible());
    return dialog.destination();
}

TEST(destination_dialog, traces_a_web_address_s_host_and_offers_given_ones_again_newest_first) {
    destination_history history;
    EXPECT_EQ(answer(history, "https://www.example.org/index.html", QDialogButtonBox::Ok),
              "www.example.org");
    EXPECT_EQ(answer(history, "two words", QDialogButtonBox::Ok), "two words");
    EXPECT_EQ(answer(history, "cancelled.example", QDialogButtonBox::Cancel), std::nullopt);
    EXPECT_EQ(answer(history, "", QDialogButtonBox::Ok), std::nullopt);

    destination_dialog dialog(history);
    QStringList offered;
    for (int i = 0; i < dialog.combo()->count(); ++i)
        offered << dialog.combo()->itemText(i);
    EXPECT_EQ(offered, (QStringList{"two", "www.example.org"}));
}

} // namespace
} // namespace hoplot
