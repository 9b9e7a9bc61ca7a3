#include "fields.h"

#include <cstdlib>

namespace kelvarion::driver {

Fields split_tabs(const std::string& line) {
    Fields fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(
            line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

Fields split_spaces(const std::string& text) {
    Fields words;
    size_t start = 0;
    while ((start = text.find_first_not_of(' ', start)) != std::string::npos) {
        size_t end = text.find(' ', start);
        words.push_back(text.substr(start, end - start));
        start = end;
    }
    return words;
}

DWORD to_ms(const std::string& field) { return DWORD(std::strtoul(field.c_str(), nullptr, 10)); }

int to_int(const std::string& field) { return std::atoi(field.c_str()); }

}  // namespace kelvarion::driver
