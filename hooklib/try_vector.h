// A growable array whose growth can fail without throwing. The library runs
// inside other programs and is built without exceptions: a std::vector that
// cannot grow would end the host program, where this one only reports the
// failure (and remembers it) so that the effect that needed it is skipped.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <type_traits>

namespace zrv {

// For tests: how many more growths may succeed on this thread before every
// one fails as if memory had run out; negative means no limit.
inline thread_local long t_growthsAllowed = -1;

template <typename T> class TryVector {
    static_assert(std::is_trivially_copyable<T>::value, "elements are moved as bytes");

public:
    TryVector() noexcept = default;
    ~TryVector() { std::free(data_); }
    TryVector(const TryVector& other) noexcept { copyFrom(other); }
    TryVector(TryVector&& other) noexcept { take(other); }
    TryVector& operator=(const TryVector& other) noexcept {
        if (this != &other) {
            size_ = 0;
            failed_ = false;
            copyFrom(other);
        }
        return *this;
    }
    TryVector& operator=(TryVector&& other) noexcept {
        if (this != &other) {
            std::free(data_);
            take(other);
        }
        return *this;
    }

    // False, and failed() from then on, when the memory cannot be had.
    bool reserve(std::size_t n) noexcept {
        if (n <= capacity_)
            return true;
        if (n > static_cast<std::size_t>(-1) / 2 / sizeof(T))
            return fail();
        if (t_growthsAllowed == 0)
            return fail();
        if (t_growthsAllowed > 0)
            --t_growthsAllowed;
        std::size_t grown = capacity_ ? capacity_ * 2 : 8;
        if (grown < n)
            grown = n;
        void* p = std::realloc(data_, grown * sizeof(T));
        if (!p)
            return fail();
        data_ = static_cast<T*>(p);
        capacity_ = grown;
        return true;
    }
    bool push_back(const T& value) noexcept {
        if (size_ == capacity_ && !reserve(size_ + 1))
            return false;
        data_[size_++] = value;
        return true;
    }
    bool append(const T* first, std::size_t n) noexcept {
        if (n == 0)
            return true;
        if (!reserve(size_ + n))
            return false;
        std::memcpy(static_cast<void*>(data_ + size_), first, n * sizeof(T));
        size_ += n;
        return true;
    }
    void truncate(std::size_t n) noexcept {
        if (n < size_)
            size_ = n;
    }
    void clear() noexcept { size_ = 0; }

    // Some growth failed: the contents are incomplete.
    bool failed() const noexcept { return failed_; }
    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    T* data() noexcept { return data_; }
    const T* data() const noexcept { return data_; }
    T* begin() noexcept { return data_; }
    T* end() noexcept { return data_ + size_; }
    const T* begin() const noexcept { return data_; }
    const T* end() const noexcept { return data_ + size_; }
    T& operator[](std::size_t i) noexcept { return data_[i]; }
    const T& operator[](std::size_t i) const noexcept { return data_[i]; }
    const T& front() const noexcept { return data_[0]; }
    T& back() noexcept { return data_[size_ - 1]; }
    const T& back() const noexcept { return data_[size_ - 1]; }

private:
    bool fail() noexcept {
        failed_ = true;
        return false;
    }
    void copyFrom(const TryVector& other) noexcept {
        failed_ = other.failed_;
        append(other.data_, other.size_);
    }
    void take(TryVector& other) noexcept {
        data_ = other.data_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        failed_ = other.failed_;
        other.data_ = nullptr;
        other.size_ = other.capacity_ = 0;
        other.failed_ = false;
    }

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool failed_ = false;
};

} // namespace zrv
