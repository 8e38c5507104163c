#include "base/ui/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>
#include <memory>

#include "base/show_message.h"

namespace hoplot {

void message_box_host::exec_box(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Hoplot"), text, QMessageBox::Ok, owner);
    box.exec();
}

message_box_host::message_box_host(QWidget* owner, box_function show_box)
    : owner_(owner), show_box_(std::move(show_box)) {
    previous_ = set_message_handler([this](const std::string& text) { show(text); });
}

message_box_host::~message_box_host() {
    close();
    set_message_handler(previous_);
}

void message_box_host::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    done_.notify_all();
}

void message_box_host::show(const std::string& text) {
    const QString message = QString::fromStdString(text);
    if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
        if (!closed_) show_box_(owner_, message);
        return;
    }
    auto waiting = std::make_shared<waiting_text>(waiting_text{message});
    {
        std::lock_guard lock(mutex_);
        if (closed_) return;
        waiting_.push_back(waiting);
    }
    // The text crosses under the lock; Qt's own event carries only the call, by name.
    QMetaObject::invokeMethod(this, "show_waiting", Qt::QueuedConnection);
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return waiting->shown || closed_; });
}

void message_box_host::show_waiting() {
    for (;;) {
        std::shared_ptr<waiting_text> next;
        {
            std::lock_guard lock(mutex_);
            if (closed_ || waiting_.empty()) return;
            next = waiting_.front();
            waiting_.pop_front();
        }
        if (owner_) show_box_(owner_, next->text);
        {
            std::lock_guard lock(mutex_);
            next->shown = true;
        }
        done_.notify_all();
    }
}

} // namespace hoplot
