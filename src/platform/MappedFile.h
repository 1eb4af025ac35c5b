#pragma once
// A file's bytes mapped read-only into memory. Every pass of a job reads the same
// private copy of the PDF in its own copy of the document; read through a file
// they each ask the system for it 256 bytes at a time, some hundred thousand
// times for a book. Mapped, they share one set of pages and ask nothing.
#include <cstddef>
#include <memory>
#include <string>

namespace platform {

class MappedFile {
public:
    // Null when the file cannot be opened or mapped (an empty file among them).
    // Map only a file no other program changes while it is mapped: one cut short
    // under the mapping stops the process.
    static std::shared_ptr<const MappedFile> Open(const std::string& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const char* Data() const { return data_; }
    size_t Size() const { return size_; }

private:
    MappedFile(const char* data, size_t size) : data_(data), size_(size) {}
    const char* data_;
    size_t size_;
};

}  // namespace platform
