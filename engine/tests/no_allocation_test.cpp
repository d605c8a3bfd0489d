#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>

#include "engine_test_support.h"

// Counts every allocation through the global operator new while enabled.
namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace kovalin {
namespace {

TEST(Calculate, AllocatesNothing) {
  auto methods = testing::AllMethods();
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> cell(0, 40);
  std::vector<tInputData> samples(1000);
  for (auto& s : samples)
    for (std::size_t i = 1; i <= 8; ++i) s.N[i] = cell(rng);

  g_allocations = 0;
  g_counting = true;
  for (const auto& s : samples)
    for (int i = 1; i <= kMethodCount; ++i) methods[i].Calculate(s);
  g_counting = false;
  EXPECT_EQ(g_allocations.load(), 0);
}

}  // namespace
}  // namespace kovalin
