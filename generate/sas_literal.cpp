#include "generate/sas_literal.h"

namespace kelvarion {

std::string sas_literal(std::string_view text) {
    std::string literal = "'";
    for (const char c : text) {
        literal += c;
        if (c == '\'') literal += '\'';
    }
    literal += '\'';
    return literal;
}

}  // namespace kelvarion
