#include "app/ui/help_window.h"

#include <QAction>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>

#include "base/show_message.h"
#include "base/ui/resources.h"

namespace hoplot {
namespace {

QPointer<help_window>& open_window() {
    static QPointer<help_window> window;
    return window;
}

QAction* add_action(QToolBar* bar, const QString& text, const QKeySequence& key) {
    QAction* action = bar->addAction(text);
    action->setShortcut(key);
    return action;
}

} // namespace

QUrl help_window::contents_url(const std::string& db_path) {
    return QUrl::fromLocalFile(QString::fromStdString(db_path + "help/index.html"));
}

help_window::help_window(QWidget* parent) : QMainWindow(parent, Qt::Window) {
    init_resources();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Hoplot Help"));
    setWindowIcon(QIcon(QStringLiteral(":/hoplot.svg")));
    resize(760, 600);

    browser_ = new QTextBrowser(this);
    browser_->setAccessibleName(QStringLiteral("Help page"));
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);

    QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setMovable(false);
    QAction* back = add_action(bar, QStringLiteral("&Back"), QKeySequence::Back);
    QAction* forward = add_action(bar, QStringLiteral("&Forward"), QKeySequence::Forward);
    QAction* home =
        add_action(bar, QStringLiteral("&Contents"), QKeySequence(Qt::ALT | Qt::Key_Home));
    QAction* close_window = new QAction(this);
    close_window->setShortcut(Qt::Key_Escape);
    addAction(close_window);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home, &QAction::triggered, browser_, &QTextBrowser::home);
    connect(close_window, &QAction::triggered, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Hoplot Help") : title);
    });
}

void help_window::show_contents(QWidget* parent, const std::string& db_path) {
    const QUrl contents = contents_url(db_path);
    if (!QFileInfo::exists(contents.toLocalFile())) {
        ShowMessage(format_message("Can't read file %s", contents.toLocalFile().toStdString()));
        return;
    }
    QPointer<help_window>& window = open_window();
    if (!window) window = new help_window(parent);
    window->browser_->setSource(contents);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace hoplot
