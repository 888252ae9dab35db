#pragma once
// The unit system of a document; the numbers are the ones the files and the
// report's "#System=" line hold.
namespace mardex {

enum class UnitSystem { English = 0, Metric = 1 };

inline int UnitNumber(UnitSystem u) { return u == UnitSystem::Metric ? 1 : 0; }
inline UnitSystem UnitOfNumber(int n) { return n == 1 ? UnitSystem::Metric : UnitSystem::English; }

} // namespace mardex
