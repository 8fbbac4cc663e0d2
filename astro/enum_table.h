#pragma once
// Tables indexed by an enumeration: each row names its enumerator, and the rows stand in enumerator order, so that
// a row is found by the enumerator's value. This checks that order at compile time.

#include <cstddef>

namespace kalvora {

// Whether each row's enumerator (the member `key` of the row) equals the row's place in the table.
template <class Table, class Row, class Enum>
constexpr bool InEnumeratorOrder(const Table& table, Enum Row::*key) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (static_cast<std::size_t>(table[i].*key) != i) return false;
    }
    return true;
}

}  // namespace kalvora
