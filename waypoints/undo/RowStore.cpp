#include "waypoints/undo/RowStore.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

namespace tarvik::waypoints::undo {

namespace {

// Small enough that copying a block for one change is cheap, large enough
// that a copy of 100,000 rows' store is a few hundred pointers.
constexpr std::size_t kBlockRows = 512;
// Below this many rows an edit changes the blocks in place; above it the
// store is rebuilt in one pass.
constexpr std::size_t kRowByRowLimit = 64;

}  // namespace

std::string_view RowStore::Block::Row(std::size_t index) const {
  std::size_t begin = index == 0 ? 0 : ends[index - 1];
  return std::string_view(text).substr(begin, ends[index] - begin);
}

std::pair<std::size_t, std::size_t> RowStore::Locate(int index) const {
  if (index < 0 || index >= count_) throw std::out_of_range("row index");
  auto after = std::upper_bound(firsts_.begin(), firsts_.end(), index);
  std::size_t block = static_cast<std::size_t>(after - firsts_.begin()) - 1;
  return {block, static_cast<std::size_t>(index - firsts_[block])};
}

std::string_view RowStore::Row(int index) const {
  auto [block, row] = Locate(index);
  return blocks_[block]->Row(row);
}

std::vector<std::string_view> RowStore::Rows() const {
  std::vector<std::string_view> rows;
  rows.reserve(static_cast<std::size_t>(count_));
  for (const auto& block : blocks_) {
    for (std::size_t i = 0; i < block->Count(); ++i) rows.push_back(block->Row(i));
  }
  return rows;
}

RowStore::Block& RowStore::Own(std::size_t block) {
  // A count of one seen here was left by the last other owner's release,
  // which the fence orders before this store's writes.
  if (blocks_[block].use_count() > 1) blocks_[block] = std::make_shared<Block>(*blocks_[block]);
  else std::atomic_thread_fence(std::memory_order_acquire);
  return *blocks_[block];
}

void RowStore::Renumber(std::size_t from_block) {
  firsts_.resize(blocks_.size());
  for (std::size_t b = from_block; b < blocks_.size(); ++b) {
    firsts_[b] = b == 0 ? 0 : firsts_[b - 1] + static_cast<int>(blocks_[b - 1]->Count());
  }
}

void RowStore::Insert(int at, std::string_view row) {
  if (at < 0 || at > count_) throw std::out_of_range("row index");
  if (blocks_.empty()) {
    blocks_.push_back(std::make_shared<Block>());
    firsts_.push_back(0);
  }
  // At the very end the row goes into the last block.
  auto [b, i] = at == count_ ? std::pair{blocks_.size() - 1, blocks_.back()->Count()} : Locate(at);
  Block& block = Own(b);
  const std::size_t begin = i == 0 ? 0 : block.ends[i - 1];
  block.text.insert(begin, row);
  block.ends.insert(block.ends.begin() + static_cast<std::ptrdiff_t>(i),
                    static_cast<std::uint32_t>(begin + row.size()));
  for (std::size_t k = i + 1; k < block.ends.size(); ++k) {
    block.ends[k] += static_cast<std::uint32_t>(row.size());
  }
  if (block.Count() > 2 * kBlockRows) {
    auto second = std::make_shared<Block>();
    const std::uint32_t split = block.ends[kBlockRows - 1];
    second->text = block.text.substr(split);
    for (std::size_t k = kBlockRows; k < block.ends.size(); ++k) {
      second->ends.push_back(block.ends[k] - split);
    }
    block.text.resize(split);
    block.ends.resize(kBlockRows);
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b + 1), std::move(second));
  }
  ++count_;
  Renumber(b + 1);
}

void RowStore::Remove(int at) {
  auto [b, i] = Locate(at);
  Block& block = Own(b);
  const std::uint32_t begin = i == 0 ? 0 : block.ends[i - 1];
  const std::uint32_t length = block.ends[i] - begin;
  block.text.erase(begin, length);
  block.ends.erase(block.ends.begin() + static_cast<std::ptrdiff_t>(i));
  for (std::size_t k = i; k < block.ends.size(); ++k) block.ends[k] -= length;
  if (block.ends.empty()) blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
  --count_;
  Renumber(b);
}

template <class NextRow>
void RowStore::Rebuild(int count, NextRow next_row) {
  Blocks blocks;
  blocks.reserve(static_cast<std::size_t>(count) / kBlockRows + 1);
  for (int i = 0; i < count; ++i) {
    if (blocks.empty() || blocks.back()->Count() == kBlockRows) {
      blocks.push_back(std::make_shared<Block>());
    }
    Block& block = *blocks.back();
    block.text += next_row();
    block.ends.push_back(static_cast<std::uint32_t>(block.text.size()));
  }
  blocks_ = std::move(blocks);
  count_ = count;
  Renumber(0);
}

void RowStore::InsertAt(std::span<const int> at, std::span<const std::string> rows) {
  if (at.size() != rows.size()) throw std::invalid_argument("one index per row");
  if (at.size() <= kRowByRowLimit) {
    for (std::size_t i = 0; i < at.size(); ++i) Insert(at[i], rows[i]);
    return;
  }
  const RowStore old = *this;
  const int total = count_ + static_cast<int>(rows.size());
  std::size_t added = 0;
  int kept = 0;
  int index = 0;
  Rebuild(total, [&]() -> std::string_view {
    const int here = index++;
    if (added < at.size() && at[added] == here) return rows[added++];
    return old.Row(kept++);
  });
}

void RowStore::RemoveAt(std::span<const int> at) {
  if (at.size() <= kRowByRowLimit) {
    for (std::size_t i = at.size(); i-- > 0;) Remove(at[i]);
    return;
  }
  const RowStore old = *this;
  std::size_t removed = 0;
  int index = 0;
  Rebuild(count_ - static_cast<int>(at.size()), [&]() -> std::string_view {
    while (removed < at.size() && at[removed] == index) {
      ++removed;
      ++index;
    }
    return old.Row(index++);
  });
}

void RowStore::Assign(std::span<const std::string_view> rows) {
  std::size_t next = 0;
  Rebuild(static_cast<int>(rows.size()), [&] { return rows[next++]; });
}

}  // namespace tarvik::waypoints::undo
