#ifndef MULTIPARTREADER_H
#define MULTIPARTREADER_H

#include <cstddef>
#include <functional>
#include <string>

// Reads a multipart/form-data body as it arrives, piece by piece, keeping no
// more than one part's header block and a boundary's length of data: each part
// is announced with its name and file name, then its content is handed on in
// pieces.
class MultipartReader
{
public:
    struct Part
    {
        std::string name;
        std::string filename;
    };

    // The boundary from a Content-Type header value, or empty when it names
    // no multipart form or no boundary.
    static std::string boundaryOf(const std::string &contentType);

    explicit MultipartReader(const std::string &boundary);

    std::function<void(const Part &)> onPart;
    std::function<void(const char *, std::size_t)> onData;

    // Takes the next bytes of the body; false once the form is found broken.
    bool feed(const char *data, std::size_t size);
    // Whether the closing boundary has been read.
    bool finished() const { return state == State::Done; }

private:
    enum class State { Preamble, Headers, Content, AfterBoundary, Done, Broken };

    bool parseHeaders(const std::string &block);

    std::string delimiter; // "\r\n--" + boundary
    std::string pending;
    State state = State::Preamble;
};

#endif // MULTIPARTREADER_H
