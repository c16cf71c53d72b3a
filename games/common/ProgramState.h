#pragma once

#include <QString>

#include <any>
#include <map>
#include <typeindex>

namespace kotohana {

// Values shared by all windows for the whole run; they outlive every window.
struct ProgramState {
    int helpTourFlag = 1; // 1 = every page explains itself when it opens
    QString helpTourMessage; // what the next help-tour box shows
    QString userName;
    bool welcomeShown = false; // the welcome text is offered once per run
    int timingMode = 1; // 1 = plays of fixed seconds, 0 = of a fixed number of answers

    // What a game keeps from one opening of its window to the next for the rest of the run, in
    // a type of the game's own: empty at first, the same value however often the window opens.
    template <typename Kept>
    Kept &keptByGame()
    {
        std::any &kept = m_keptByGames[std::type_index(typeid(Kept))];
        if (!kept.has_value())
            kept = Kept{};
        return std::any_cast<Kept &>(kept);
    }

private:
    std::map<std::type_index, std::any> m_keptByGames;
};

} // namespace kotohana
