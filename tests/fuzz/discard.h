#pragma once
// An output stream that takes everything and keeps nothing, for what a
// command would print: the text is still formatted to the last character.
#include <ostream>
#include <streambuf>

class DiscardStream : public std::ostream {
public:
    DiscardStream() : std::ostream(&buffer_) {}

private:
    struct Buffer : std::streambuf {
        int_type overflow(int_type c) override { return traits_type::not_eof(c); }
        std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
    };
    Buffer buffer_;
};
