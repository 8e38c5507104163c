#pragma once

#include <QAccessible>
#include <QAction>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace hoplot {

// The child of the given type whose accessible name or text is the name.
template <typename widget> widget* named(const QWidget& parent, const QString& name) {
    for (widget* child : parent.findChildren<widget*>())
        if (child->accessibleName() == name || child->property("text").toString() == name)
            return child;
    ADD_FAILURE() << "no widget " << name.toStdString();
    return nullptr;
}

// The action whose text, before its shortcut, is the label.
inline QAction* find_action(const QWidget& parent, const QString& label) {
    for (QAction* action : parent.findChildren<QAction*>())
        if (action->text().section('\t', 0, 0) == label) return action;
    ADD_FAILURE() << "no action " << label.toStdString();
    return nullptr;
}

// What assistive technology hears as the widget's name.
inline QString heard_name(QObject* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The names of the captions assistive technology hears the widget labelled by.
inline QStringList heard_captions(QObject* widget) {
    QStringList names;
    for (const auto& [caption, relation] :
         QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label))
        names << caption->text(QAccessible::Name);
    return names;
}

} // namespace hoplot
