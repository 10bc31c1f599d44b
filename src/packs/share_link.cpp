#include "packs/share_link.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <vector>

#include "packs/text_printer.h"

namespace {

constexpr std::string_view kBase64Url = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

std::string Base64Url(const std::vector<unsigned char>& bytes) {
    std::string out;
    out.reserve((bytes.size() * 4 + 2) / 3);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t v = bytes[i] << 16 | bytes[i + 1] << 8 | bytes[i + 2];
        for (int shift : {18, 12, 6, 0}) out += kBase64Url[(v >> shift) & 63];
    }
    if (i + 1 == bytes.size()) {
        const uint32_t v = bytes[i] << 16;
        out += kBase64Url[v >> 18];
        out += kBase64Url[(v >> 12) & 63];
    } else if (i + 2 == bytes.size()) {
        const uint32_t v = bytes[i] << 16 | bytes[i + 1] << 8;
        for (int shift : {18, 12, 6}) out += kBase64Url[(v >> shift) & 63];
    }
    return out;
}

// False for a character outside base64url, or a length no encoding gives.
// Padding, which some tools add, is allowed at the end.
bool FromBase64Url(std::string_view text, std::vector<unsigned char>& bytes) {
    while (!text.empty() && text.back() == '=') text.remove_suffix(1);
    if (text.size() % 4 == 1) return false;
    std::array<int, 256> value;
    value.fill(-1);
    for (std::size_t i = 0; i < kBase64Url.size(); ++i) value[static_cast<unsigned char>(kBase64Url[i])] = static_cast<int>(i);
    bytes.clear();
    bytes.reserve(text.size() * 3 / 4);
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        const int v = value[static_cast<unsigned char>(c)];
        if (v < 0) return false;
        bits = bits << 6 | static_cast<uint32_t>(v);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes.push_back(static_cast<unsigned char>(bits >> count));
        }
    }
    return true;
}

// zlib's best compression with its default window and memory: fixed, so
// that the bytes do not depend on the machine.
std::vector<unsigned char> Deflate(std::string_view text) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
    std::vector<unsigned char> out(deflateBound(&z, static_cast<uLong>(text.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// Unpacks at most kMaxLinkTextBytes; the stream must end exactly at the end
// of the bytes, its check right.
bool Inflate(const std::vector<unsigned char>& bytes, std::string& text, std::string& error) {
    z_stream z{};
    if (inflateInit2(&z, 15) != Z_OK) {
        error = "cannot unpack the link (zlib could not start)";
        return false;
    }
    z.next_in = const_cast<Bytef*>(bytes.data());
    z.avail_in = static_cast<uInt>(bytes.size());
    text.clear();
    std::array<char, 1 << 16> chunk;
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(chunk.data());
        z.avail_out = static_cast<uInt>(chunk.size());
        status = inflate(&z, Z_NO_FLUSH);
        const std::size_t got = chunk.size() - z.avail_out;
        if (text.size() + got > kMaxLinkTextBytes) {
            inflateEnd(&z);
            error = "the link unpacks to more than " + std::to_string(kMaxLinkTextBytes >> 20) +
                    " MiB of level text; refused";
            return false;
        }
        text.append(chunk.data(), got);
        if (status == Z_BUF_ERROR && z.avail_in == 0) break;  // the bytes ran out before the stream's end
    }
    const bool whole = status == Z_STREAM_END && z.avail_in == 0;
    inflateEnd(&z);
    if (!whole) {
        error = status == Z_STREAM_END ? "the link is damaged: bytes after its end"
                : status == Z_BUF_ERROR  ? "the link is cut short: its level text ends early"
                                         : "the link is damaged: its level text does not unpack";
        return false;
    }
    return true;
}

// The part of the fragment after "level=" or "pack=", or false. Spaces and
// line ends around a pasted link are no part of it.
bool Payload(std::string_view link, LinkKind& kind, std::string_view& payload) {
    const std::size_t first = link.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return false;
    link = link.substr(first, link.find_last_not_of(" \t\r\n") + 1 - first);
    const std::size_t hash = link.find('#');
    if (hash == std::string_view::npos) return false;
    std::string_view rest = link.substr(hash + 1);
    while (!rest.empty()) {
        const std::size_t amp = rest.find('&');
        const std::string_view part = rest.substr(0, amp);
        if (part.substr(0, kLevelLinkKey.size()) == kLevelLinkKey) {
            kind = LinkKind::Level;
            payload = part.substr(kLevelLinkKey.size());
            return true;
        }
        if (part.substr(0, kPackLinkKey.size()) == kPackLinkKey) {
            kind = LinkKind::Pack;
            payload = part.substr(kPackLinkKey.size());
            return true;
        }
        if (amp == std::string_view::npos) break;
        rest = rest.substr(amp + 1);
    }
    return false;
}

}  // namespace

bool MakeShareLink(const LevelList& levels, LinkKind kind, std::string_view base, std::string& link,
                   std::string& error) {
    const std::string text = FormatLevelText(levels);
    if (text.size() > kMaxLinkTextBytes) {
        error = "the level text is " + std::to_string(text.size()) + " bytes, more than a link may carry (" +
                std::to_string(kMaxLinkTextBytes) + ")";
        return false;
    }
    const std::string_view key = kind == LinkKind::Level ? kLevelLinkKey : kPackLinkKey;
    link = std::string(base) + "#" + std::string(key) + Base64Url(Deflate(text));
    return true;
}

bool IsShareLink(std::string_view word) {
    LinkKind kind;
    std::string_view payload;
    return Payload(word, kind, payload);
}

bool ReadShareLink(std::string_view link, LinkKind& kind, std::string& text, std::string& error) {
    std::string_view payload;
    if (!Payload(link, kind, payload)) {
        error = "not a level link: its address has no #level= or #pack=";
        return false;
    }
    std::vector<unsigned char> bytes;
    if (payload.empty()) {
        error = "the link is cut short: nothing after its '='";
        return false;
    }
    if (!FromBase64Url(payload, bytes)) {
        error = "the link is damaged: it has characters no link is made of";
        return false;
    }
    return Inflate(bytes, text, error);
}

bool LevelsFromShareLink(std::string_view link, LevelList& levels, std::string& error) {
    LinkKind kind;
    std::string text;
    return ReadShareLink(link, kind, text, error) && LevelsFromLinkText(text, kind, levels, error);
}
