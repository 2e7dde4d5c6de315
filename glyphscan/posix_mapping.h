// Ownership of a POSIX file descriptor and of a read-only mapping of a whole file.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>

namespace glyphscan {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

class Mapping {
  public:
    Mapping(int fd, std::size_t size) : size_(size) {
        void* address = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        data_ = address == MAP_FAILED ? nullptr : address;
    }
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;
    ~Mapping() {
        if (data_)
            munmap(data_, size_);
    }
    // Null when the mapping failed.
    const unsigned char* data() const { return static_cast<const unsigned char*>(data_); }

  private:
    void* data_ = nullptr;
    std::size_t size_;
};

} // namespace glyphscan
