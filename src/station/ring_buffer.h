#pragma once
// A first-in, first-out buffer on one power-of-two array that doubles when full. LinkHealth
// keeps the recent arrivals of every TYPE in these: appending and dropping the oldest cost a
// few instructions and, once the buffer has grown to the busiest second seen, no allocation
// (a deque allocates and frees a block every few dozen entries).

#include <cstddef>
#include <utility>
#include <vector>

namespace tarvel::station {

template <typename T>
class RingBuffer {
 public:
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  // Element i counted from the oldest; i must be below size().
  const T& operator[](std::size_t i) const { return items_[(head_ + i) & mask_]; }
  const T& front() const { return (*this)[0]; }
  const T& back() const { return (*this)[size_ - 1]; }

  void push_back(const T& value) {
    if (size_ == items_.size()) Grow();
    items_[(head_ + size_) & mask_] = value;
    ++size_;
  }
  // Drops the oldest element; the buffer must not be empty.
  void pop_front() {
    head_ = (head_ + 1) & mask_;
    --size_;
  }
  // Empties the buffer and gives its memory back.
  void clear() { *this = RingBuffer(); }

  // The number of elements, counted from the oldest, for which `before(element)` holds; the
  // elements must be partitioned by it (all true first), as sorted times are by "t <= x".
  template <typename Pred>
  std::size_t PartitionPoint(Pred before) const {
    std::size_t lo = 0, hi = size_;
    while (lo < hi) {
      const std::size_t mid = lo + (hi - lo) / 2;
      if (before((*this)[mid])) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    return lo;
  }

 private:
  void Grow() {
    std::vector<T> bigger(items_.empty() ? 16 : 2 * items_.size());
    for (std::size_t i = 0; i < size_; ++i)
      bigger[i] = (*this)[i];
    items_ = std::move(bigger);
    head_ = 0;
    mask_ = items_.size() - 1;
  }

  std::vector<T> items_;
  std::size_t head_ = 0;
  std::size_t size_ = 0;
  std::size_t mask_ = 0;
};

}  // namespace tarvel::station
