#pragma once

#include "platform/FileResult.h"

#include <QString>

namespace kotohana::bench {

// Writes a データ.txt of `count` plays as years of daily practice would leave it: several
// plays a day, all seven games, seconds-mode and answers-mode plays, the games' own summaries
// and now and then a user's diary; older lines rewritten (,"" endings), newer ones appended.
FileResult generateRecords(const QString &path, int count, unsigned seed);

} // namespace kotohana::bench
