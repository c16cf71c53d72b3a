#pragma once

#include <QWidget>

#include <array>
#include <map>

class QLabel;

namespace kotohana {

class Picture;
class Shape;

// What a play shows besides its question: the clock with its time bar, the results (answers,
// correct, wrong, rate, speed) under their captions, and the mark of a personal best.
class PlayDisplay final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBarWidth = 420;

    explicit PlayDisplay(QWidget *parent = nullptr);

    // The result label of that name (lblMoji_T, lblOk, lblNg, lblRitu, lblByou) or the clock (lblJikan).
    QLabel *label(const char *name) const;
    void setCaption(const char *label, const QString &caption);
    void setBarWidth(int width);
    // Clears the results and hides the personal best.
    void clear();
    // "自己ベスト！" beside the results, or nothing.
    void showBest(bool best);

private:
    Shape *shpJikanK = nullptr;
    QLabel *lblBest = nullptr;
    std::map<QString, QLabel *> m_labels;
    std::map<QString, QLabel *> m_captions;
};

// The three countdown pictures, one shown at a time.
class CountdownPictures final : public QWidget
{
    Q_OBJECT

public:
    explicit CountdownPictures(QWidget *parent = nullptr);

    // Shows picture step (1 to 3); 0 hides them all.
    void showStep(int step);

private:
    std::array<Picture *, 3> imgStart{};
};

} // namespace kotohana
