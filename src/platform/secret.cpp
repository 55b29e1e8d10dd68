#include "platform/secret.h"

namespace secret {
namespace {
ReleaseObserver g_observer = nullptr;
}

void SetReleaseObserver(ReleaseObserver observer) {
  g_observer = observer;
}

void Wipe(void* block, std::size_t bytes) {
  // Volatile stores: the compiler may not drop them as dead writes before the free.
  volatile unsigned char* p = static_cast<volatile unsigned char*>(block);
  for (std::size_t i = 0; i < bytes; ++i) p[i] = 0;
}

void NotifyRelease(const void* block, std::size_t bytes) {
  if (g_observer) g_observer(block, bytes);
}

}  // namespace secret
