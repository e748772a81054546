#include "report/json_writer.h"

namespace quillmarten {

namespace {

// The length of the well-formed UTF-8 character at `at`, or 0 when there is none there.
std::size_t characterLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t offset) -> unsigned {
        return at + offset < text.size() ? static_cast<unsigned char>(text[at + offset]) : 0;
    };
    const unsigned lead = byte(0);
    if (lead < 0xC2 || lead > 0xF4) {
        return 0;
    }
    // Overlong forms, UTF-16 surrogates and code points above U+10FFFF show in the second byte.
    const unsigned lowest = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned highest = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (byte(1) < lowest || byte(1) > highest) {
        return 0;
    }
    for (std::size_t offset = 2; offset < length; ++offset) {
        if ((byte(offset) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

} // namespace

JsonWriter::JsonWriter(const std::vector<std::string>& columns, std::ostream& out) : out_(out) {
    for (const std::string& column : columns) {
        line_.clear();
        addString(column);
        keys_.push_back(line_ + ':');
    }
}

void JsonWriter::machine(const std::string& name) {
    line_ = keys_.front();
    addString(name);
    machinePair_ = line_;
}

void JsonWriter::row(const ReportRow& cells) {
    line_ = rows_++ == 0 ? "[\n  {" : ",\n  {";
    line_ += machinePair_;
    for (std::size_t column = 0; column < cells.size(); ++column) {
        line_ += ',';
        line_ += keys_[column + 1];
        if (cells[column].number) {
            line_ += cells[column].text;
        } else {
            addString(cells[column].text);
        }
    }
    line_ += '}';
    out_ << line_;
}

void JsonWriter::finish() {
    out_ << (rows_ == 0 ? "[]\n" : "\n]\n");
}

void JsonWriter::addString(std::string_view text) {
    constexpr std::string_view hexDigits = "0123456789abcdef";
    line_ += '"';
    for (std::size_t at = 0; at < text.size();) {
        const auto c = static_cast<unsigned char>(text[at]);
        if (c == '"' || c == '\\') {
            line_ += '\\';
            line_ += text[at++];
        } else if (c < 0x20) {
            line_ += "\\u00";
            line_ += hexDigits[c >> 4];
            line_ += hexDigits[c & 0xF];
            ++at;
        } else if (c < 0x80) {
            line_ += text[at++];
        } else if (const std::size_t length = characterLength(text, at); length > 0) {
            line_ += text.substr(at, length);
            at += length;
        } else {
            line_ += "\\ufffd";
            ++at;
        }
    }
    line_ += '"';
}

} // namespace quillmarten
