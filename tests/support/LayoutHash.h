#pragma once
// A fingerprint of everything the engine decides for a job: every placed part with its position
// and footprint, every free rectangle in list order, every cut line in order, the cut length,
// the grid fields and the last part offered of every panel, the counts left to place, the grid
// split choice, and whether the run was refused and for which part. Two runs with the same
// fingerprint made the same layouts.

#include <cstdint>
#include <string>

#include "support/EngineRun.h"

namespace tranchex::test {

// 64-bit FNV-1a over the fields, each fed as a little-endian 64-bit word, so the value does not
// depend on the machine's byte order or on record padding.
class LayoutHasher {
 public:
  void Add(std::int64_t value);
  void Add(const TRect& r);
  void Add(const LIGNE& l);
  // The whole outcome of one run: the laid-out panels in order, the context and the refusal.
  void Add(const TestRun& run);
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 14695981039346656037ull;
};

std::uint64_t LayoutHash(const TestRun& run);

// The value as 16 hexadecimal digits.
std::string HashText(std::uint64_t hash);

}  // namespace tranchex::test
