#pragma once

#include "platform/FileResult.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kotohana {

namespace TextFile {
struct Appended;
}

// How one game keeps its history file: the fields of a line in order (texts quoted, numbers
// bare) and which of them the filters of the history list look at.
struct HistoryLayout {
    enum class Field { Text, Number };

    std::vector<Field> fields;
    int secondsField = -1;          // holds e.g. "60秒"
    int modeField = -1;             // -1 for a game without a mode list
    int topicField = -1;            // 連想心理's topic; -1 for the other games
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
        bool ok = true;               // false when the file is there but cannot be read
        QString message;              // why, naming the file
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
