#include "WordPlay.h"

#include "platform/Formats.h"

namespace kotohana {

HistoryLayout wordHistory(bool withLevel, std::vector<int> answersFields)
{
    using Field = HistoryLayout::Field;
    HistoryLayout layout;
    layout.fields = {Field::Text,   Field::Text, Field::Number, Field::Number, Field::Number,
                     Field::Number, Field::Text, Field::Text,   Field::Text};
    layout.secondsField = WordField::Seconds;
    layout.answersFields = std::move(answersFields);
    layout.achievementField = WordField::Correct;
    if (withLevel) {
        layout.fields.push_back(Field::Text);
        layout.modeField = WordField::Level;
        layout.modeByFirstCharacter = true;
    }
    return layout;
}

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

HistoryRow WordPlay::wordFields(const QString &count, bool withLevel) const
{
    HistoryRow fields{count,
                      QString::number(cycle().correct()),
                      QString::number(cycle().wrong()),
                      QString::number(m_typed),
                      Formats::percent(cycle().correctRate()),
                      Formats::perSecond(speed()),
                      secondsField()};
    if (withLevel)
        fields.append(setup().mode.left(1));
    return fields;
}

} // namespace kotohana
