#include "platform/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::shared_ptr<const MappedFile> MappedFile::Open(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    void* data = MAP_FAILED;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        data = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);  // the mapping holds the file
    if (data == MAP_FAILED) return nullptr;
    return std::shared_ptr<const MappedFile>(
        new MappedFile(static_cast<const char*>(data), static_cast<size_t>(st.st_size)));
}

MappedFile::~MappedFile() { munmap(const_cast<char*>(data_), size_); }

}  // namespace platform
