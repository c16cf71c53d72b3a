#pragma once

#include <QWidget>

#include <array>

class QLabel;

namespace kotohana {

class Picture;
class Shape;

// The clock and the results a play shows, each a label of its own (lblJikan, lblMoji_T, lblOk,
// lblNg, lblRitu, lblByou).
enum class ResultLabel { Clock, Answers, Correct, Wrong, Rate, Speed };

// What a play shows besides its question: the clock with its time bar, the results (answers,
// correct, wrong, rate, speed) under their captions, and the mark of a personal best.
class PlayDisplay final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kBarWidth = 420;

    explicit PlayDisplay(QWidget *parent = nullptr);

    QLabel *label(ResultLabel which) const { return m_labels[std::size_t(which)]; }
    // The caption beside a result (not the clock's).
    void setCaption(ResultLabel which, const QString &caption);
    void setBarWidth(int width);
    // Clears the results and hides the personal best.
    void clear();
    // "自己ベスト！" beside the results, or nothing.
    void showBest(bool best);

private:
    Shape *shpJikanK = nullptr;
    QLabel *lblBest = nullptr;
    std::array<QLabel *, 6> m_labels{};
    std::array<QLabel *, 6> m_captions{};
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
