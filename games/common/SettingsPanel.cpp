#include "SettingsPanel.h"

#include "GameDefinition.h"

#include "platform/Formats.h"
#include "ui/Caption.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace kotohana {

SettingsPanel::SettingsPanel(const GameDefinition &definition, QWidget *parent)
    : QGroupBox(QStringLiteral("ゲーム設定"), parent)
{
    setObjectName(QStringLiteral("fraSettei"));
    optMode[1] = new QRadioButton(QStringLiteral("秒数"), this);
    optMode[1]->setObjectName(QStringLiteral("optMode1"));
    optMode[0] = new QRadioButton(QStringLiteral("答数"), this);
    optMode[0]->setObjectName(QStringLiteral("optMode0"));
    m_optMode = new QButtonGroup(this);
    m_optMode->addButton(optMode[1], 1);
    m_optMode->addButton(optMode[0], 0);
    cboJikan = new QComboBox(this);
    cboJikan->setObjectName(QStringLiteral("cboJikan"));
    cboJikan->addItems(secondsLimits());
    cboKaisu = new QComboBox(this);
    cboKaisu->setObjectName(QStringLiteral("cboKaisu"));
    cboKaisu->addItems(answerLimits());
    cboJikan->setAccessibleName(QStringLiteral("秒数"));
    cboKaisu->setAccessibleName(QStringLiteral("答数"));
    // The lists stand beside the radio buttons that caption them.
    captionForScreenReaders(cboJikan);
    captionForScreenReaders(cboKaisu);

    auto *grid = new QGridLayout(this);
    grid->addWidget(optMode[1], 0, 0);
    grid->addWidget(cboJikan, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("秒"), this), 0, 2);
    grid->addWidget(optMode[0], 1, 0);
    grid->addWidget(cboKaisu, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("問"), this), 1, 2);
    if (!definition.modeNames.isEmpty()) {
        m_modeList = new QComboBox(this);
        m_modeList->setObjectName(QString::fromLatin1(definition.modeListName));
        m_modeList->addItems(definition.modeNames);
        m_modeList->setAccessibleName(QStringLiteral("モード"));
        grid->addWidget(caption(QStringLiteral("モード"), m_modeList), 2, 0);
        grid->addWidget(m_modeList, 2, 1, 1, 2);
        connect(m_modeList, &QComboBox::activated, this, &SettingsPanel::modeChanged);
    }

    connect(m_optMode, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (!checked)
            return; // the button losing its check reports nothing; the one gaining it does
        enableLimits();
        Q_EMIT timingChanged();
    });
    connect(cboJikan, &QComboBox::activated, this, &SettingsPanel::secondsChanged);
    connect(cboKaisu, &QComboBox::activated, this, &SettingsPanel::answersChanged);
}

void SettingsPanel::showSettings(const GameSettings &settings)
{
    const QSignalBlocker blockTiming(m_optMode);
    cboJikan->setCurrentText(QString::number(settings.seconds));
    cboKaisu->setCurrentText(QString::number(settings.answers));
    if (m_modeList)
        m_modeList->setCurrentText(settings.modeName);
    for (QRadioButton *button : optMode) {
        if (button->text() == settings.timingName)
            button->setChecked(true);
    }
    enableLimits();
}

TimingMode SettingsPanel::timing() const
{
    return optMode[0]->isChecked() ? TimingMode::Count : TimingMode::Time;
}

int SettingsPanel::seconds() const
{
    return int(Formats::numericValue(cboJikan->currentText()));
}

int SettingsPanel::answers() const
{
    return int(Formats::numericValue(cboKaisu->currentText()));
}

QString SettingsPanel::modeText() const
{
    return m_modeList ? m_modeList->currentText() : QString();
}

QString SettingsPanel::timingName() const
{
    return optMode[timing() == TimingMode::Count ? 0 : 1]->text();
}

void SettingsPanel::setPlaying(bool playing)
{
    m_playing = playing;
    enableLimits();
}

void SettingsPanel::enableLimits()
{
    optMode[0]->setEnabled(!m_playing);
    optMode[1]->setEnabled(!m_playing);
    cboJikan->setEnabled(!m_playing && timing() == TimingMode::Time);
    cboKaisu->setEnabled(!m_playing && timing() == TimingMode::Count);
}

} // namespace kotohana
