#include "files/file_error.h"

#include <cctype>
#include <cstring>

std::string SystemReason(int errnum) {
    std::string text = std::strerror(errnum);
    if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text;
}
