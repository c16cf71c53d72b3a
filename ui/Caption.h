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

// The same for a control without a caption of its own on screen (one that stands beside the
// radio button naming it, or speaks for itself): a caption, hidden, that only a screen reader
// reads, from the control's accessible name.
inline void captionForScreenReaders(QWidget *control)
{
    caption(control->accessibleName(), control)->hide();
}

} // namespace kotohana
