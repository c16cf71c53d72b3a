#include "SamplePalettes.h"

#include <utility>

namespace kotohana::sample {

QPalette darkPalette()
{
    QPalette p(QColor(0x35, 0x35, 0x35), QColor(0x24, 0x24, 0x24));
    const std::pair<QPalette::ColorRole, QColor> colours[] = {{QPalette::Window, QColor(0x24, 0x24, 0x24)},
                                                              {QPalette::WindowText, QColor(0xff, 0xff, 0xff)},
                                                              {QPalette::Base, QColor(0x1e, 0x1e, 0x1e)},
                                                              {QPalette::AlternateBase, QColor(0x2a, 0x2a, 0x2a)},
                                                              {QPalette::Text, QColor(0xff, 0xff, 0xff)},
                                                              {QPalette::Button, QColor(0x35, 0x35, 0x35)},
                                                              {QPalette::ButtonText, QColor(0xff, 0xff, 0xff)},
                                                              {QPalette::Highlight, QColor(0x35, 0x84, 0xe4)},
                                                              {QPalette::HighlightedText, QColor(0xff, 0xff, 0xff)},
                                                              {QPalette::PlaceholderText, QColor(0xa0, 0xa0, 0xa0)},
                                                              {QPalette::ToolTipBase, QColor(0x35, 0x35, 0x35)},
                                                              {QPalette::ToolTipText, QColor(0xff, 0xff, 0xff)},
                                                              {QPalette::Link, QColor(0x78, 0xae, 0xed)}};
    for (const auto &[role, colour] : colours)
        p.setColor(role, colour);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

QPalette highContrastPalette()
{
    QPalette p(Qt::white, Qt::black);
    const std::pair<QPalette::ColorRole, QColor> colours[] = {{QPalette::Window, Qt::black},
                                                              {QPalette::WindowText, Qt::white},
                                                              {QPalette::Base, Qt::black},
                                                              {QPalette::AlternateBase, Qt::black},
                                                              {QPalette::Text, Qt::white},
                                                              {QPalette::Button, Qt::black},
                                                              {QPalette::ButtonText, Qt::white},
                                                              {QPalette::Highlight, Qt::yellow},
                                                              {QPalette::HighlightedText, Qt::black},
                                                              {QPalette::PlaceholderText, Qt::white},
                                                              {QPalette::ToolTipBase, Qt::black},
                                                              {QPalette::ToolTipText, Qt::white},
                                                              {QPalette::Link, Qt::cyan}};
    for (const auto &[role, colour] : colours)
        p.setColor(role, colour);
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

} // namespace kotohana::sample
