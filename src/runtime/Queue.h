#pragma once
// The runtime's ordered record lists ("queues"): entries addressed from 1, and
// one entry buffer through which every entry goes in and out. A get by
// position or by key fills the buffer and makes that entry current; add and
// put take the buffer. A failed get sets the error code (ErrEntryNotFound) and
// leaves the buffer and the current position alone; a successful one clears it.
#include <algorithm>
#include <cstdint>
#include <deque>

#include "runtime/ErrorState.h"

namespace rt {

template <class Entry>
class Queue {
 public:
  // Orders two entries by their key fields: < 0, 0 or > 0.
  using Compare = int (*)(const Entry& a, const Entry& b);

  Entry buffer{};

  int32_t Records() const { return static_cast<int32_t>(entries_.size()); }
  // The position of the current entry, 0 when there is none.
  int32_t Pointer() const { return current_; }

  // Appends the buffer at the end; it becomes the current entry.
  void Add() {
    entries_.push_back(buffer);
    current_ = Records();
  }
  // Adds the buffer in key order: after every entry whose key is not greater.
  void Add(Compare compare) {
    auto at = std::upper_bound(entries_.begin(), entries_.end(), buffer,
                               [compare](const Entry& a, const Entry& b) { return compare(a, b) < 0; });
    current_ = static_cast<int32_t>(at - entries_.begin()) + 1;
    entries_.insert(at, buffer);
  }

  bool Get(int32_t position) {
    if (position < 1 || position > Records()) {
      SetError(ErrEntryNotFound);
      return false;
    }
    buffer = entries_[position - 1];
    current_ = position;
    ClearError();
    return true;
  }
  // Gets the first entry, in list order, whose key equals the buffer's.
  bool Get(Compare compare) {
    for (int32_t i = 0; i < Records(); ++i)
      if (compare(entries_[i], buffer) == 0) return Get(i + 1);
    SetError(ErrEntryNotFound);
    return false;
  }
  // Gets by key in a list kept in key order (binary search); the first of
  // equal entries wins, as with the linear get.
  bool GetSorted(Compare compare) {
    auto at = std::lower_bound(entries_.begin(), entries_.end(), buffer,
                               [compare](const Entry& a, const Entry& b) { return compare(a, b) < 0; });
    if (at == entries_.end() || compare(*at, buffer) != 0) {
      SetError(ErrEntryNotFound);
      return false;
    }
    return Get(static_cast<int32_t>(at - entries_.begin()) + 1);
  }

  // Writes the buffer over the current entry.
  bool Put() {
    if (current_ < 1 || current_ > Records()) {
      SetError(ErrEntryNotFound);
      return false;
    }
    entries_[current_ - 1] = buffer;
    ClearError();
    return true;
  }
  // Deletes the current entry; the position then names the entry after it.
  bool Delete() {
    if (current_ < 1 || current_ > Records()) {
      SetError(ErrEntryNotFound);
      return false;
    }
    entries_.erase(entries_.begin() + (current_ - 1));
    if (current_ > Records()) current_ = Records();
    ClearError();
    return true;
  }
  void Free() {
    entries_.clear();
    current_ = 0;
  }
  void Sort(Compare compare) {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [compare](const Entry& a, const Entry& b) { return compare(a, b) < 0; });
    current_ = 0;
  }

  // Read-only access for code that only looks (no buffer, no position change).
  const Entry& At(int32_t position) const { return entries_[position - 1]; }

 private:
  std::deque<Entry> entries_;  // a deque: dropping the first entry (a bounded history) is cheap
  int32_t current_ = 0;
};

}  // namespace rt
