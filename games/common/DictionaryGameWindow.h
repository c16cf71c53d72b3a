#pragma once

#include "DictionaryPanel.h"
#include "WordGameWindow.h"

namespace kotohana {

// A word game over a dictionary file of the data folder (しりとり, バラバラ, 四熟虫喰): the
// dictionary's listing and this play's words in a DictionaryPanel at the right.
class DictionaryGameWindow : public WordGameWindow
{
    Q_OBJECT

public:
    struct Dictionary {
        const char16_t *fileName; // "しりとり辞書.txt"
        const char16_t *title; // the title of the messages about it: "しりとり辞書"
    };

    DictionaryGameWindow(const Services &services, ProgramState &state, GameDefinition definition, Dictionary dictionary,
                         DictionaryPanel::Captions captions, QWidget *parent = nullptr);

protected:
    // The dictionary's entries as the file holds them now (see readDeliveredList).
    QStringList readDictionary();
    QString dictionaryPath() const;
    DictionaryPanel &dictionaryPanel() const { return *m_panel; }

    // Lists the dictionary; the question and the answer start empty.
    void loaded() override;
    // The play's words start anew; the question and the answer start empty.
    void resetQuestion() override;

private:
    Dictionary m_dictionary;
    DictionaryPanel *m_panel = nullptr;
};

} // namespace kotohana
