#include "multipartreader.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::size_t kMaxHeaderBlock = 8192;

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::string trimmed(const std::string &s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The quoted value of a parameter ("name", "filename") in a Content-Disposition
// value. The file name runs to the last quote, as senders put it in raw.
bool parameter(const std::string &value, const std::string &key, bool toLastQuote, std::string *out)
{
    const std::string lowered = lower(value);
    std::size_t at = 0;
    while ((at = lowered.find(key + "=\"", at)) != std::string::npos) {
        const bool wordStart = at == 0 || lowered[at - 1] == ';' || lowered[at - 1] == ' ' || lowered[at - 1] == '\t';
        if (wordStart)
            break;
        at += key.size();
    }
    if (at == std::string::npos)
        return false;
    const std::size_t start = at + key.size() + 2;
    const std::size_t end = toLastQuote ? value.rfind('"') : value.find('"', start);
    if (end == std::string::npos || end < start)
        return false;
    *out = value.substr(start, end - start);
    return true;
}

} // namespace

std::string MultipartReader::boundaryOf(const std::string &contentType)
{
    const std::string lowered = lower(contentType);
    if (lowered.compare(0, 19, "multipart/form-data") != 0)
        return std::string();
    const std::size_t at = lowered.find("boundary=");
    if (at == std::string::npos)
        return std::string();
    std::string boundary = contentType.substr(at + 9);
    boundary = boundary.substr(0, boundary.find(';'));
    boundary = trimmed(boundary);
    if (boundary.size() >= 2 && boundary.front() == '"' && boundary.back() == '"')
        boundary = boundary.substr(1, boundary.size() - 2);
    if (boundary.empty() || boundary.size() > 70)
        return std::string();
    return boundary;
}

// The body is read as if it started with a line break, so that its first
// boundary looks like every later one.
MultipartReader::MultipartReader(const std::string &boundary) : delimiter("\r\n--" + boundary), pending("\r\n") {}

bool MultipartReader::parseHeaders(const std::string &block)
{
    Part part;
    bool named = false;
    std::size_t start = 0;
    while (start < block.size()) {
        std::size_t end = block.find("\r\n", start);
        if (end == std::string::npos)
            end = block.size();
        const std::string line = block.substr(start, end - start);
        start = end + 2;
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            return false;
        if (lower(trimmed(line.substr(0, colon))) != "content-disposition")
            continue;
        const std::string value = trimmed(line.substr(colon + 1));
        if (lower(value).compare(0, 9, "form-data") != 0 || !parameter(value, "name", false, &part.name))
            return false;
        named = true;
        parameter(value, "filename", true, &part.filename);
    }
    if (!named)
        return false;
    if (onPart)
        onPart(part);
    return true;
}

bool MultipartReader::feed(const char *data, std::size_t size)
{
    if (state == State::Broken)
        return false;
    if (state == State::Done)
        return true;
    pending.append(data, size);
    for (;;) {
        switch (state) {
        case State::Preamble:
        case State::Content: {
            const std::size_t at = pending.find(delimiter);
            if (at == std::string::npos) {
                // Keep what could still be the start of a boundary.
                const std::size_t keep = std::min(pending.size(), delimiter.size() - 1);
                if (state == State::Content && onData && pending.size() > keep)
                    onData(pending.data(), pending.size() - keep);
                pending.erase(0, pending.size() - keep);
                return true;
            }
            if (state == State::Content && onData && at > 0)
                onData(pending.data(), at);
            pending.erase(0, at + delimiter.size());
            state = State::AfterBoundary;
            break;
        }
        case State::AfterBoundary:
            if (pending.size() < 2)
                return true;
            if (pending.compare(0, 2, "--") == 0) {
                state = State::Done;
                pending.clear();
                return true;
            }
            if (pending.compare(0, 2, "\r\n") != 0) {
                state = State::Broken;
                return false;
            }
            pending.erase(0, 2);
            state = State::Headers;
            break;
        case State::Headers: {
            std::size_t end = 0, skip = 0;
            if (pending.compare(0, 2, "\r\n") == 0) {
                skip = 2;
            } else {
                end = pending.find("\r\n\r\n");
                if (end == std::string::npos) {
                    if (pending.size() > kMaxHeaderBlock) {
                        state = State::Broken;
                        return false;
                    }
                    return true;
                }
                skip = end + 4;
            }
            if (end > kMaxHeaderBlock || !parseHeaders(pending.substr(0, end))) {
                state = State::Broken;
                return false;
            }
            pending.erase(0, skip);
            state = State::Content;
            break;
        }
        case State::Done:
            return true;
        case State::Broken:
            return false;
        }
    }
}
