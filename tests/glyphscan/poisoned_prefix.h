// A copy of an image's first bytes with every byte after them poisoned under
// AddressSanitizer, so that a reader's read outside the range stops the test.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NQ_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define NQ_ASAN 1
#endif
#ifdef NQ_ASAN
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif

namespace fonttest {

class PoisonedPrefix {
  public:
    PoisonedPrefix(const std::string& image, std::size_t size)
        : bytes_(image.begin(), image.end()), size_(size) {
        bytes_.push_back(0); // a poisoned byte even after the whole image
        ASAN_POISON_MEMORY_REGION(bytes_.data() + size_, bytes_.size() - size_);
    }
    PoisonedPrefix(const PoisonedPrefix&) = delete;
    PoisonedPrefix& operator=(const PoisonedPrefix&) = delete;
    ~PoisonedPrefix() { ASAN_UNPOISON_MEMORY_REGION(bytes_.data(), bytes_.size()); }

    const unsigned char* data() const { return bytes_.data(); }
    std::size_t size() const { return size_; }

  private:
    std::vector<unsigned char> bytes_;
    std::size_t size_;
};

} // namespace fonttest
