#pragma once
// Any runtime list as the INI store's list operations see it: its number of
// entries, a get by position that fills its entry buffer, and an add of the
// buffer at the end. A list converts to this view where the store takes one,
// so the store itself stays one non-template class.
#include <cstdint>

#include "runtime/Queue.h"

namespace quibra {

class IniList {
 public:
  template <class Entry>
  IniList(rt::Queue<Entry>& queue)
      : list_(&queue),
        records_([](void* list) { return static_cast<rt::Queue<Entry>*>(list)->Records(); }),
        get_([](void* list, int32_t position) { return static_cast<rt::Queue<Entry>*>(list)->Get(position); }),
        add_([](void* list) { static_cast<rt::Queue<Entry>*>(list)->Add(); }) {}

  int32_t Records() const { return records_(list_); }
  bool Get(int32_t position) const { return get_(list_, position); }
  void Add() const { add_(list_); }

 private:
  void* list_;
  int32_t (*records_)(void*);
  bool (*get_)(void*, int32_t);
  void (*add_)(void*);
};

}  // namespace quibra
