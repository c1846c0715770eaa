// Reads a fuzzer's input as a few control bytes followed by data. Reading past the
// end gives zero bytes and empty text, so every input decodes to some case.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzcheck {

class ByteReader {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    std::string Take(std::size_t count) {
        count = std::min(count, size_ - pos_);
        if (count == 0) {
            return {};
        }
        std::string bytes(reinterpret_cast<const char*>(data_ + pos_), count);
        pos_ += count;
        return bytes;
    }

    std::string Rest() { return Take(size_ - pos_); }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Bytes as text a person can read in a failure report: printable ASCII as it is,
// everything else as \xHH.
inline std::string Printable(const std::string& bytes) {
    static const char* const kDigits = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            text += c;
        } else {
            text += "\\x";
            text += kDigits[byte >> 4];
            text += kDigits[byte & 0xF];
        }
    }
    return text;
}

}  // namespace fuzzcheck
