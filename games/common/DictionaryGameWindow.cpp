#include "DictionaryGameWindow.h"

#include "platform/DataFolder.h"
#include "records/Services.h"

#include <QLabel>
#include <QLineEdit>

namespace kotohana {

DictionaryGameWindow::DictionaryGameWindow(const Services &services, ProgramState &state, GameDefinition definition,
                                           Dictionary dictionary, DictionaryPanel::Captions captions, QWidget *parent)
    : WordGameWindow(services, state, std::move(definition), parent)
    , m_dictionary(dictionary)
{
    m_panel = new DictionaryPanel(std::move(captions), playArea());
    setSidePanel(m_panel);
}

QStringList DictionaryGameWindow::readDictionary()
{
    return readDeliveredList(QString::fromUtf16(m_dictionary.fileName), QString::fromUtf16(m_dictionary.title));
}

QString DictionaryGameWindow::dictionaryPath() const
{
    return services().folder.path(QString::fromUtf16(m_dictionary.fileName));
}

void DictionaryGameWindow::loaded()
{
    const QStringList entries = readDictionary();
    m_panel->showListing(entries, entries.size());
    question()->clear();
    answerBox()->clear();
}

void DictionaryGameWindow::resetQuestion()
{
    m_panel->startChain();
    question()->clear();
    answerBox()->clear();
}

} // namespace kotohana
