// Rows of records kept per procedure record in one flat array. The builders fill procedure
// 1, 2, 3 ... in order, so each row is a contiguous slice.
#pragma once

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <span>
#include <vector>

#include "LargeArray.h"

namespace dualis {

template <class T>
class ProcRows {
  public:
    // Empties the rows and makes room for `items` records in all, so that adding them moves
    // nothing; the room left unfilled is never touched.
    void Clear(size_t items = 0) {
        items_ = LargeVector<T>();
        items_.reserve(items);
        ends_.assign(1, 0);
    }
    // Appends to the row of the procedure after the last closed one. The room ahead is
    // prefaulted a stretch at a time, as far as it is reached: rows often fill only part of it.
    void Add(const T& item) {
        if (items_.size() % kPrefaultItems == 0 && items_.size() < items_.capacity()) {
            const size_t stretch = std::min(kPrefaultItems, items_.capacity() - items_.size());
            Prefault(items_.data() + items_.size(), stretch * sizeof(T));
        }
        items_.push_back(item);
    }
    // Closes the open row; the next Add starts the following procedure's row.
    void EndProc() { ends_.push_back(items_.size()); }
    // The open row, for builders that revisit the entries made so far.
    std::span<T> OpenRow() { return {items_.data() + ends_.back(), items_.size() - ends_.back()}; }

    // Number of closed rows, i.e. of procedures built.
    int32_t Procs() const { return static_cast<int32_t>(ends_.size()) - 1; }
    // Row of procedure p (1-based); empty for a procedure not built.
    std::span<const T> Row(int32_t p) const {
        if (p < 1 || p >= static_cast<int32_t>(ends_.size())) return {};
        return {items_.data() + ends_[p - 1], ends_[p] - ends_[p - 1]};
    }
    int32_t Count(int32_t p) const { return static_cast<int32_t>(Row(p).size()); }

  private:
    static constexpr size_t kPrefaultItems = (size_t{256} << 10) / sizeof(T);
    LargeVector<T> items_;
    std::vector<size_t> ends_{0};  // ends_[p]: one past the last item of procedure p
};

}  // namespace dualis
