#include "PlayDisplay.h"

#include "ui/Picture.h"
#include "ui/Shape.h"
#include "ui/Theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kotohana {
namespace {

constexpr const char16_t *kCountdownWords[] = {u"よーい", u"せーの", u"スタート!"};

QLabel *valueLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(64);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMargin(2);
    QFont font = label->font();
    font.setPointSize(12);
    font.setBold(true);
    label->setFont(font);
    // "/秒" takes its glyph from a taller fallback font than the digits: the box is as high as
    // such a text from the start, so that the results of a finished play move nothing.
    label->setText(QStringLiteral("0/秒"));
    label->setFixedHeight(label->sizeHint().height());
    label->clear();
    return label;
}

} // namespace

PlayDisplay::PlayDisplay(QWidget *parent)
    : QWidget(parent)
{
    QLabel *clock = valueLabel(QStringLiteral("lblJikan"), this);
    m_labels[std::size_t(ResultLabel::Clock)] = clock;
    auto *barHolder = new QWidget(this);
    barHolder->setFixedSize(kBarWidth, 20);
    shpJikanK = new Shape(Shape::Kind::Rectangle, barHolder);
    shpJikanK->setObjectName(QStringLiteral("shpJikanK"));
    shpJikanK->setFillColor(QColor(110, 170, 230));
    shpJikanK->setGeometry(0, 0, kBarWidth, 20);
    shpJikanK->setAccessibleName(QStringLiteral("残り時間のバー"));
    auto *clockRow = new QHBoxLayout;
    clockRow->addWidget(new QLabel(QStringLiteral("時間"), this));
    clockRow->addWidget(clock);
    clockRow->addWidget(barHolder);
    clockRow->addStretch(1);

    auto *results = new QHBoxLayout;
    const struct {
        ResultLabel which;
        const char16_t *caption;
        const char16_t *name;
    } resultLabels[] = {{ResultLabel::Answers, u"解答数", u"lblMoji_T"},
                        {ResultLabel::Correct, u"正解", u"lblOk"},
                        {ResultLabel::Wrong, u"不正解", u"lblNg"},
                        {ResultLabel::Rate, u"正解率", u"lblRitu"},
                        {ResultLabel::Speed, u"タイプ数／秒", u"lblByou"}};
    for (const auto &[which, caption, name] : resultLabels) {
        auto *captionLabel = new QLabel(QString::fromUtf16(caption), this);
        QLabel *value = valueLabel(QString::fromUtf16(name), this);
        m_labels[std::size_t(which)] = value;
        m_captions[std::size_t(which)] = captionLabel;
        results->addWidget(captionLabel);
        results->addWidget(value);
        results->addSpacing(8);
    }
    label(ResultLabel::Speed)->setMinimumWidth(100);
    lblBest = new QLabel(QStringLiteral("自己ベスト！"), this);
    lblBest->setObjectName(QStringLiteral("lblBest"));
    lblBest->setToolTip(QStringLiteral("同じ条件でのこれまでの記録をすべて上回りました"));
    QFont bestFont = lblBest->font();
    bestFont.setPointSize(13);
    bestFont.setBold(true);
    lblBest->setFont(bestFont);
    setThemedText(*lblBest, Paint::Best);
    // Hidden, the label keeps its room: showing it at the end of a play moves nothing.
    QSizePolicy keepRoom = lblBest->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    lblBest->setSizePolicy(keepRoom);
    lblBest->hide();
    results->addSpacing(8);
    results->addWidget(lblBest);
    results->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(clockRow);
    layout->addLayout(results);
}

void PlayDisplay::setCaption(ResultLabel which, const QString &caption)
{
    m_captions[std::size_t(which)]->setText(caption);
}

void PlayDisplay::setBarWidth(int width)
{
    shpJikanK->setFixedWidth(width);
}

void PlayDisplay::clear()
{
    for (QLabel *label : m_labels)
        label->clear();
    lblBest->hide();
}

void PlayDisplay::showBest(bool best)
{
    lblBest->setVisible(best);
}

CountdownPictures::CountdownPictures(QWidget *parent)
    : QWidget(parent)
{
    auto *pictures = new QGridLayout(this);
    pictures->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        Picture *&picture = imgStart[std::size_t(i)];
        picture = new Picture(QStringLiteral(":/images/countdown_%1.svg").arg(i + 1), this);
        picture->setObjectName(QStringLiteral("imgStart%1").arg(i + 1));
        // The words each picture shows.
        picture->setAccessibleName(QString::fromUtf16(kCountdownWords[i]));
        picture->setFixedSize(110, 110);
        picture->hide();
        pictures->addWidget(picture, 0, 0);
    }
    setFixedSize(110, 110);
}

void CountdownPictures::showStep(int step)
{
    for (std::size_t i = 0; i < imgStart.size(); ++i)
        imgStart[i]->setVisible(int(i) + 1 == step);
}

} // namespace kotohana
