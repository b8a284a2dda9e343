#include "merger/mdl_lines.h"

namespace merger {

bool startsWith(std::string_view checkIn, std::string_view checkFor) {
    return checkIn.substr(0, checkFor.size()) == checkFor;
}

} // namespace merger
