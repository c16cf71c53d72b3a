#pragma once

#include <QLabel>

namespace kotohana {

// A caption made the label of the control it stands beside: a screen reader reads it with the
// control. That is how a list box is named where the platform gives the box's current entry
// as its name.
inline QLabel *caption(const QString &text, QWidget *control)
{
    auto *label = new QLabel(text, control->parentWidget());
    label->setBuddy(control);
    return label;
}

} // namespace kotohana
