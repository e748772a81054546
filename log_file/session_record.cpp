#include "log_file/session_record.h"

#include "basics/calendar.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quillmarten {

namespace {

constexpr std::uint16_t lengthOf(std::string_view bytes) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) |
                                      (static_cast<unsigned char>(bytes[1]) << 8));
}

constexpr bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') <= 9;
}

std::uint64_t eightBytesAt(std::string_view bytes, std::size_t at) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    return word;
}

// The value of `count` digits from character `first` (0-based).
constexpr int digitsValue(std::string_view digits, std::size_t first, std::size_t count) {
    int value = 0;
    for (std::size_t at = first; at < first + count; ++at) {
        value = value * 10 + (digits[at] - '0');
    }
    return value;
}

constexpr CalendarDate dateAt(std::string_view digits, std::size_t first) {
    return CalendarDate{digitsValue(digits, first, 4), digitsValue(digits, first + 4, 2),
                        digitsValue(digits, first + 6, 2)};
}

constexpr LocalTime momentAt(std::string_view digits, std::size_t first) {
    return LocalTime{dateAt(digits, first), digitsValue(digits, first + 8, 2),
                     digitsValue(digits, first + 10, 2), digitsValue(digits, first + 12, 2)};
}

// A long log is checked record by record at start, so a session's 38 characters are
// checked eight at a time, as five overlapping words: the characters 0-7, 8-15, 16-23, 24-31
// and 30-37.
constexpr std::array<std::size_t, 5> wordOffsets{0, 8, 16, 24, 30};

// A byte is a digit when its high half is 3 and adding 6 keeps it so.
constexpr bool allDigits(std::uint64_t word) {
    constexpr std::uint64_t highHalves = 0xF0F0F0F0F0F0F0F0u;
    constexpr std::uint64_t threes = 0x3030303030303030u;
    constexpr std::uint64_t sixes = 0x0606060606060606u;
    return (((word & highHalves) ^ threes) | (((word + sixes) & highHalves) ^ threes)) == 0;
}

// Eight digits as four two-digit numbers, each in the low byte of a 16-bit lane: ten times the
// first digit of each pair plus its second.
constexpr std::uint64_t pairValues(std::uint64_t eightDigits) {
    const std::uint64_t digits = eightDigits - 0x3030303030303030u;
    return (digits * 10 + (digits >> 8)) & 0x00FF00FF00FF00FFu;
}

constexpr std::uint64_t lanes(std::uint64_t first, std::uint64_t second, std::uint64_t third,
                              std::uint64_t fourth) {
    return first | second << 16 | third << 32 | fourth << 48;
}

constexpr int lane(std::uint64_t values, int index) {
    return static_cast<int>((values >> (16 * index)) & 0xFF);
}

// Whether each lane lies within the same lanes of `lowest` and `highest`. The values are below
// 100, so a lane's top bit changes only where a subtraction has to borrow.
constexpr bool withinLanes(std::uint64_t values, std::uint64_t lowest, std::uint64_t highest) {
    constexpr std::uint64_t tops = 0x8000800080008000u;
    return ((((values | tops) - lowest) & ((highest | tops) - values)) & tops) == tops;
}

// The lowest and highest value of each pair of digits, word by word: a start of yyyy mm dd
// hh nn ss, then a stop of the same, then the time in use, dddd hh nn ss.
constexpr std::array<std::uint64_t, 5> lowestPairs{
    lanes(0, 0, 1, 1), lanes(0, 0, 0, 0), lanes(0, 1, 1, 0), lanes(0, 0, 0, 0), lanes(0, 0, 0, 0)};
constexpr std::array<std::uint64_t, 5> highestPairs{lanes(99, 99, 12, 31), lanes(23, 59, 59, 99),
                                                    lanes(99, 12, 31, 23), lanes(59, 59, 99, 99),
                                                    lanes(99, 23, 59, 59)};

bool allZero(std::string_view bytes) {
    std::uint64_t any = 0;
    for (std::size_t at = 0; at < recordSize; at += 8) {
        any |= eightBytesAt(bytes, at);
    }
    return any == 0;
}

// No clock of Windows gives a moment before 1601-01-01, where its file times begin: a stamp
// before it was never written by the service, and would spread a session over millions of days.
constexpr int firstStampCentury = 16;
constexpr int firstStampYear = 1601;

bool isRealStampDate(const CalendarDate& date) {
    return date.year >= firstStampYear && isRealDate(date);
}

// Whether the century and year of a stamp, as two pairs of digits, may lie before its first year.
constexpr bool mayBeTooEarly(int century, int year) {
    return century < firstStampCentury || (century == firstStampCentury && year == 0);
}

void markDamaged(Record& record, RecordDamage damage) {
    record.kind = RecordKind::damaged;
    record.damage = damage;
}

// Each pair of digits in its range, then what the ranges cannot tell: the years before 1601 and
// days 29 to 31, which need the calendar.
RecordDamage checkSessionDigits(std::string_view digits) {
    std::array<std::uint64_t, 5> pairs{};
    bool inRange = true;
    for (std::size_t word = 0; word < pairs.size(); ++word) {
        const std::uint64_t characters = eightBytesAt(digits, wordOffsets[word]);
        if (!allDigits(characters)) {
            return RecordDamage::notADigit;
        }
        pairs[word] = pairValues(characters);
        inRange = inRange && withinLanes(pairs[word], lowestPairs[word], highestPairs[word]);
    }
    if (!inRange) {
        const bool startInRange = withinLanes(pairs[0], lowestPairs[0], highestPairs[0]) &&
                                  withinLanes(pairs[1], lowestPairs[1], highestPairs[1]);
        const bool stopInRange = withinLanes(pairs[2], lowestPairs[2], highestPairs[2]) &&
                                 lane(pairs[3], 0) <= 59 && lane(pairs[3], 1) <= 59;
        return !startInRange  ? RecordDamage::impossibleStart
               : !stopInRange ? RecordDamage::impossibleStop
                              : RecordDamage::impossibleTimeInUse;
    }
    const bool startNeedsCalendar =
        lane(pairs[0], 3) > 28 || mayBeTooEarly(lane(pairs[0], 0), lane(pairs[0], 1));
    const bool stopNeedsCalendar =
        lane(pairs[2], 2) > 28 || mayBeTooEarly(lane(pairs[1], 3), lane(pairs[2], 0));
    if (startNeedsCalendar && !isRealStampDate(dateAt(digits, 0))) {
        return RecordDamage::impossibleStart;
    }
    if (stopNeedsCalendar && !isRealStampDate(dateAt(digits, 14))) {
        return RecordDamage::impossibleStop;
    }
    return RecordDamage::none;
}

void decodeSessionText(Record& record) {
    const RecordDamage damage = checkSessionDigits(record.text);
    if (damage == RecordDamage::notADigit) {
        const auto bad = std::find_if_not(record.text.begin(), record.text.end(), isDigit);
        record.badCharacter = static_cast<std::uint8_t>(bad - record.text.begin() + 1);
    }
    if (damage == RecordDamage::none) {
        record.kind = RecordKind::session;
    } else {
        markDamaged(record, damage);
    }
}

} // namespace

Record decodeRecord(std::string_view bytes) {
    Record record;
    record.bytes = static_cast<std::uint8_t>(std::min(bytes.size(), recordSize));
    if (bytes.size() < 2) {
        markDamaged(record, RecordDamage::cutShort);
        return record;
    }
    record.lengthField = lengthOf(bytes);
    record.text = bytes.substr(2, std::min<std::size_t>(record.lengthField, sessionTextLength));
    if (bytes.size() < recordSize) {
        markDamaged(record, RecordDamage::cutShort);
    } else if (record.lengthField == 0) {
        if (!allZero(bytes)) {
            markDamaged(record, RecordDamage::strayBytes);
        }
    } else if (record.lengthField != sessionTextLength) {
        markDamaged(record, RecordDamage::wrongLength);
    } else {
        decodeSessionText(record);
    }
    return record;
}

LocalTime Record::start() const {
    return momentAt(text, 0);
}

LocalTime Record::stop() const {
    return momentAt(text, 14);
}

Duration Record::timeInUse() const {
    return Duration{digitsValue(text, 28, 4), digitsValue(text, 32, 2), digitsValue(text, 34, 2),
                    digitsValue(text, 36, 2)};
}

std::string encodeRecord(std::string_view text) {
    if (text.size() > sessionTextLength) {
        throw makeError(error_number::badRecordLength);
    }
    std::string bytes(recordSize, '\0');
    bytes[0] = static_cast<char>(text.size() & 0xFF);
    bytes[1] = static_cast<char>(text.size() >> 8);
    bytes.replace(2, text.size(), text);
    return bytes;
}

std::string sessionRecordText(std::string_view startStamp, std::string_view stopStamp,
                              const Duration& timeInUse) {
    std::string text(startStamp);
    text += stopStamp;
    text += storedDurationField(timeInUse);
    return text;
}

bool beginsSessionStartedAt(const Record& record, std::string_view startStamp) {
    return record.lengthField == sessionTextLength && record.text.starts_with(startStamp);
}

std::string damageReason(const Record& record) {
    switch (record.damage) {
    case RecordDamage::cutShort:
        return "cut short: " + std::to_string(record.bytes) + " of 40 bytes";
    case RecordDamage::strayBytes:
        return "a length of 0 with other bytes than zeros";
    case RecordDamage::wrongLength:
        return "a length of " + std::to_string(record.lengthField) + " instead of 38";
    case RecordDamage::notADigit:
        return "character " + std::to_string(record.badCharacter) + " is not a digit";
    case RecordDamage::impossibleStart:
        return "the start is not a real date and time";
    case RecordDamage::impossibleStop:
        return "the stop is not a real date and time";
    case RecordDamage::impossibleTimeInUse:
        return "the time in use is out of range";
    case RecordDamage::none:
        break;
    }
    return "not damaged";
}

std::int32_t damageErrorNumber(const Record& record) {
    const bool wrongSize = record.damage == RecordDamage::cutShort ||
                           record.damage == RecordDamage::strayBytes ||
                           record.damage == RecordDamage::wrongLength;
    return wrongSize ? error_number::badRecordLength : error_number::typeMismatch;
}

RaisedError damageError(const Record& record, std::int64_t slot) {
    const std::int32_t number = damageErrorNumber(record);
    return RaisedError(number, describeError(number) + " in record " + std::to_string(slot) + " (" +
                                   damageReason(record) + ")");
}

} // namespace quillmarten
