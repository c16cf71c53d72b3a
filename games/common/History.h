#pragma once

#include "platform/FileResult.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

namespace kotohana {

namespace TextFile {
struct Appended;
}

// One field of a game's history line: how the file keeps it, where the play takes its text
// from, its column in the history list, and what the list's filters and the personal best make
// of it. A game lists every field of its line in one table, in the order of the line from the
// date on, and names the fields with an enum of the same order (inOrder() checks the two agree
// where the table is compiled): the history file, the list's columns and the play's fields of
// the line all come from that table.
struct HistoryColumn {
    enum class Kind { Text, Number }; // a quoted text, or a bare number
    // Where the play takes the field's text from.
    enum class Source {
        Stamp, // the date or the time, stamped by the save
        Answers, // the answers given
        Correct, // the right answers
        Wrong, // the wrong answers
        Rate, // the right answers of the answers given, "50.0%"
        Speed, // "1.20/秒"
        Seconds, // "60秒"; the seconds filter looks at it
        Mode, // the game mode; the mode filter looks at it
        ModeInitial, // the mode's first character alone; the mode filter compares first characters
        Topic, // 連想心理's topic; a personal best is a best of its topic
        Characters, // the characters typed, the speed's numerator in a word game
        Own, // the game's own: the play gives it
    };
    // What else looks at the field.
    enum Use : unsigned {
        None = 0,
        Answered = 1, // the answers filter: this field, or the sum of the fields marked so
        Best = 2, // what a play achieved, for its personal best: more is better; in count
                  // mode a play with as many is better in fewer seconds ...
        BestAlone = 4 // ... unless marked so: then it is judged by this field alone
    };

    int field;
    Kind kind;
    Source source;
    const char16_t *heading;
    int twips;
    Qt::AlignmentFlag align;
    unsigned uses = None;

    // The columns most games have, under their usual headings.
    static constexpr HistoryColumn date(int twips) { return text(0, Source::Stamp, u"日付", twips, Qt::AlignHCenter); }
    static constexpr HistoryColumn time(int twips) { return text(1, Source::Stamp, u"時間", twips, Qt::AlignHCenter); }
    static constexpr HistoryColumn correct(int field, int twips, unsigned uses)
    {
        return number(field, Source::Correct, u"ＯＫ", twips, uses);
    }
    static constexpr HistoryColumn wrong(int field, int twips, unsigned uses = None)
    {
        return number(field, Source::Wrong, u"ＮＧ", twips, uses);
    }
    static constexpr HistoryColumn rate(int field, int twips)
    {
        return text(field, Source::Rate, u"正解率", twips, Qt::AlignRight);
    }
    static constexpr HistoryColumn speed(int field, int twips)
    {
        return text(field, Source::Speed, u"秒当たり", twips, Qt::AlignRight);
    }
    static constexpr HistoryColumn seconds(int field, int twips, const char16_t *heading = u"秒数")
    {
        return text(field, Source::Seconds, heading, twips, Qt::AlignRight);
    }
    // Any other column: a number (right-aligned) or a text.
    static constexpr HistoryColumn number(int field, Source source, const char16_t *heading, int twips, unsigned uses = None)
    {
        return {field, Kind::Number, source, heading, twips, Qt::AlignRight, uses};
    }
    static constexpr HistoryColumn text(int field, Source source, const char16_t *heading, int twips, Qt::AlignmentFlag align)
    {
        return {field, Kind::Text, source, heading, twips, align};
    }
};
using HistoryTable = std::span<const HistoryColumn>;

// Whether each field of the table stands at its own number.
constexpr bool inOrder(HistoryTable table)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].field != int(i))
            return false;
    }
    return true;
}

// How one game keeps its history file: the fields of a line in order (texts quoted, numbers
// bare) and which of them the filters of the history list look at.
struct HistoryLayout {
    using Field = HistoryColumn::Kind;

    HistoryLayout() = default;
    // The layout of a game's table, which it keeps: the table must outlive it (a game's table
    // is a constant of the program).
    explicit HistoryLayout(HistoryTable table);

    HistoryTable columns; // the game's table; empty for a layout made without one
    std::vector<Field> fields;
    int secondsField = -1; // holds e.g. "60秒"
    int modeField = -1; // -1 for a game without a mode list
    int topicField = -1; // 連想心理's topic; -1 for the other games
    bool modeByFirstCharacter = false; // the file keeps only the mode's first character
    // The answers of a play: one field, or the sum of several (correct + wrong).
    std::vector<int> answersFields;
    // What a play achieved, for its personal best: its correct answers (連想心理: its new
    // answers). A time-mode play is judged by it; a count-mode play by it and then by its
    // seconds, unless achievementInCountMode says it is judged by this field alone.
    int achievementField = -1;
    bool achievementInCountMode = false;
};

using HistoryRow = QStringList; // the field texts of one line

// What the history list is narrowed to; an empty text does not narrow.
struct HistoryFilter {
    QString mode;
    QString seconds; // as in the seconds list: "60"
    QString answers; // as in the answers list: "20"
};

bool matches(const HistoryLayout &layout, const HistoryRow &row, const HistoryFilter &filter);

class HistoryFile final
{
public:
    HistoryFile(QString path, HistoryLayout layout);

    struct ReadResult {
        std::vector<HistoryRow> rows; // every line of the game's layout, oldest first
        bool ok = true; // false when the file is there but cannot be read
        QString message; // why, naming the file
    };
    // A missing file is an empty history.
    ReadResult readAll() const;
    FileResult append(const HistoryRow &row, TextFile::Appended *appended = nullptr) const;
    FileResult clear() const;

    const HistoryLayout &layout() const { return m_layout; }
    const QString &path() const { return m_path; }

private:
    QString m_path;
    HistoryLayout m_layout;
};

} // namespace kotohana
