#include "WordPlay.h"

namespace kotohana {

QString WordPlay::cleaned(const QString &typed)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\u3000' || c == u'\t'; };
    qsizetype first = 0;
    qsizetype last = typed.size();
    while (first < last && blank(typed[first]))
        ++first;
    while (last > first && blank(typed[last - 1]))
        --last;
    return typed.mid(first, last - first);
}

} // namespace kotohana
