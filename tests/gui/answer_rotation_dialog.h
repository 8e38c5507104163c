#pragma once

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "map/ui/rotation_dialog.h"

namespace hoplot {

// Answers the direction dialog once it is open: Right and OK, or Cancel.
inline void answer_dialog(bool right) {
    QTimer::singleShot(0, [right] {
        auto* dialog = dynamic_cast<rotation_dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        if (!right) {
            buttons->button(QDialogButtonBox::Cancel)->click();
            return;
        }
        for (QRadioButton* radio : dialog->findChildren<QRadioButton*>())
            if (radio->text() == "Right") radio->click();
        buttons->button(QDialogButtonBox::Ok)->click();
    });
}

} // namespace hoplot
