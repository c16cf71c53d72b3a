#pragma once

#include <QWidget>

#include <array>
#include <map>

class QLabel;

namespace kotohana {

class Picture;
class Shape;

// What a play shows besides its question: the clock with its time bar, and the results
// (answers, correct, wrong, rate, speed) under their captions.
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
    void clear();

private:
    Shape *shpJikanK = nullptr;
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
