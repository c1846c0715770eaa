#include "cli/TextFile.h"

#include <memory>

namespace cli {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

std::optional<std::string> ReadStream(std::FILE* stream, std::size_t limit) {
    std::string text;
    char buffer[4096];
    while (text.size() <= limit) {
        const std::size_t read = std::fread(buffer, 1, sizeof buffer, stream);
        text.append(buffer, read);
        if (read < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(stream) != 0) {
        return std::nullopt;
    }
    if (text.size() > limit + 1) {
        text.resize(limit + 1);
    }
    return text;
}

std::optional<std::string> ReadTextFile(const std::string& path, std::size_t limit) {
    const OwnedFile file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    return ReadStream(file.get(), limit);
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    OwnedFile file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    // Closing flushes; a full disk shows there.
    return std::fclose(file.release()) == 0 && written;
}

void WriteStream(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

}  // namespace cli
