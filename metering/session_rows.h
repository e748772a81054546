#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmarten {

// What a list that marks damaged records says of each in its fourth column.
inline constexpr std::string_view damagedNote = "damaged, not counted";

// The sessions a list shows, oldest first, each kept as the characters of its record: 40 bytes
// a session, so that a log of 100,000 sessions takes 4 MB and no text is made before the
// list asks to draw a row.
class SessionRows {
  public:
    // The note tells a damaged record from the others.
    enum class Column : std::uint8_t { start, stop, timeInUse, note };

    void clear() { rows_.clear(); }
    void reserve(std::size_t rows) { rows_.reserve(rows); }
    // Gives back what reserving more than was needed left unused.
    void trim();

    void add(std::string_view recordText, bool damaged);
    // The last row's record changed: the running session's record moves on with every tick.
    void replaceLast(std::string_view recordText);
    void removeLast() { rows_.pop_back(); }

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    bool isDamaged(std::size_t row) const { return rows_[row].damaged; }
    std::string cellText(std::size_t row, Column column) const;
    // The text one of the first three columns shows for a record's characters.
    static std::string recordCellText(std::string_view record, Column column);

  private:
    struct Row {
        std::array<char, 38> characters;
        std::uint8_t length;
        bool damaged;
    };
    static Row rowOf(std::string_view recordText, bool damaged);

    std::vector<Row> rows_;
};

} // namespace quillmarten
