#pragma once

namespace kotohana {

class Clock;
class DataFolder;
class MessageBoxes;
class RandomSource;
class RecordStore;

// What every window and rule needs from the world around it, handed in rather than reached
// through globals so that each test builds its own.
struct Services {
    const Clock &clock;
    RandomSource &random;
    MessageBoxes &messages;
    const DataFolder &folder;
    RecordStore &records; // データ.txt of that folder
};

} // namespace kotohana
