#include "metering/session_rows.h"

#include "metering/session_row.h"

#include <algorithm>

namespace quillmarten {

static_assert(sizeof(std::array<char, 38>) + 2 == 40);

SessionRows::Row SessionRows::rowOf(std::string_view recordText, bool damaged) {
    Row row;
    const std::size_t length = std::min(recordText.size(), row.characters.size());
    std::copy_n(recordText.begin(), length, row.characters.begin());
    std::fill(row.characters.begin() + static_cast<std::ptrdiff_t>(length), row.characters.end(),
              '\0');
    row.length = static_cast<std::uint8_t>(length);
    row.damaged = damaged;
    return row;
}

void SessionRows::trim() {
    if (rows_.capacity() - rows_.size() > rows_.size() / 8) {
        rows_.shrink_to_fit();
    }
}

void SessionRows::add(std::string_view recordText, bool damaged) {
    rows_.push_back(rowOf(recordText, damaged));
}

void SessionRows::replaceLast(std::string_view recordText) {
    rows_.back() = rowOf(recordText, false);
}

std::string SessionRows::cellText(std::size_t row, Column column) const {
    const Row& stored = rows_.at(row);
    if (column == Column::note) {
        return stored.damaged ? std::string(damagedNote) : "";
    }
    return recordCellText(std::string_view(stored.characters.data(), stored.length), column);
}

std::string SessionRows::recordCellText(std::string_view record, Column column) {
    switch (column) {
    case Column::start:
        return startTimeText(record);
    case Column::stop:
        return stopTimeText(record);
    case Column::timeInUse:
        return timeInUseText(record);
    case Column::note:
        break;
    }
    return {};
}

} // namespace quillmarten
