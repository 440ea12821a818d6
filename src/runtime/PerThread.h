#pragma once
// One object of type T for each thread, made on the thread's first use.
//
// The Windows toolchain (mingw-w64) may free a thread_local object's storage
// before it runs the object's destructor when a thread ends, which corrupts
// the heap. There the object lives on the heap and is left to the system
// when the thread ends (a few bytes a thread); elsewhere it is an ordinary
// thread_local. `Tag` tells apart two objects of the same type.
namespace rt {

template <class T, class Tag = T>
T& PerThread() {
#ifdef _WIN32
  thread_local T* object = nullptr;
  if (!object) object = new T();
  return *object;
#else
  thread_local T object;
  return object;
#endif
}

}  // namespace rt
