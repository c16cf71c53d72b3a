#pragma once

#include "FakeClock.h"
#include "ScriptedMessageBoxes.h"
#include "SequenceRandom.h"

#include "platform/DataFolder.h"
#include "platform/RandomSource.h"
#include "records/RecordStore.h"
#include "records/Services.h"

#include <QTemporaryDir>

#include <memory>

namespace kotohana::test {

// A test's world: a data folder of its own, removed with the desk, and its データ.txt; a clock
// that stands still until the test moves it; draws of the test's choosing; message boxes
// answered from a script; and the services made of them. A test takes a fresh desk for each
// of its functions.
struct Desk {
    // Draws from a Mersenne Twister of that seed, reseeded from the fake clock.
    Desk(const QDateTime &now, std::uint64_t seed)
        : clock(now)
        , random(std::make_unique<MersenneRandomSource>(clock, seed))
    {
    }
    // Draws the values given, in turn.
    Desk(const QDateTime &now, QList<double> draws)
        : clock(now)
        , random(std::make_unique<SequenceRandom>(std::move(draws)))
    {
    }

    QString file(QStringView name) const { return folder.path(name); }

    QTemporaryDir dir;
    FakeClock clock;
    std::unique_ptr<RandomSource> random;
    ScriptedMessageBoxes messages;
    DataFolder folder{dir.path()};
    RecordStore records{folder.path(PlayRecordFile::kFileName)};
    Services services{clock, *random, messages, folder, records};
};

} // namespace kotohana::test
