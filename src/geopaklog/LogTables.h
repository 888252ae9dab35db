#pragma once
// The GEOPAK log tables of every tab.
namespace mardex {

struct LogTables {
};

} // namespace mardex
