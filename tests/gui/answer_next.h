#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace hoplot {

// Answers the modal dialog or box that the next command opens.
template <typename dialog_type> void answer_next(std::function<void(dialog_type&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<dialog_type*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

} // namespace hoplot
