#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace hoplot {

// Shows ShowMessage's texts in boxes owned by one window, always on the GUI thread: a call from
// another thread waits there until the box is dismissed, or until the window closes. Made on
// the GUI thread.
class message_box_host : public QObject {
    Q_OBJECT

  public:
    using box_function = std::function<void(QWidget* owner, const QString& text)>;

    // The modal box: caption "Hoplot", the text, OK only, no icon.
    static void exec_box(QWidget* owner, const QString& text);

    explicit message_box_host(QWidget* owner, box_function show_box = exec_box);
    // Restores the previous ShowMessage handler and releases any waiting thread.
    ~message_box_host();
    message_box_host(const message_box_host&) = delete;
    message_box_host& operator=(const message_box_host&) = delete;

    // From here on no box opens and waiting threads go on: the window is going away.
    void close();

  private:
    struct waiting_text {
        QString text;
        bool shown = false;
    };

    void show(const std::string& text);
    // On the GUI thread: the texts other threads wait with.
    Q_INVOKABLE void show_waiting();

    QPointer<QWidget> owner_;
    box_function show_box_;
    std::mutex mutex_;
    std::condition_variable done_;
    std::deque<std::shared_ptr<waiting_text>> waiting_;
    bool closed_ = false;
    std::function<void(const std::string&)> previous_;
};

} // namespace hoplot
