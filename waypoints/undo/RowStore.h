#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik::waypoints::undo {

// The entire list's rows as the program keeps them beside the list box, in
// blocks of text that copies of the store share: a copy handed to another
// thread costs a pointer per block, and a change afterwards copies only the
// one block it touches. Reading rows back from a list box would cost a
// round trip each; a string per row an allocation each.
class RowStore {
 public:
  int Count() const { return count_; }
  // Valid until this store next changes.
  std::string_view Row(int index) const;
  // Every row in order, for filling a list box at once; valid as Row's.
  std::vector<std::string_view> Rows() const;

  void Insert(int at, std::string_view row);
  void Remove(int at);
  // `rows[i]` comes to stand at index `at[i]` of the result; `at` ascends.
  void InsertAt(std::span<const int> at, std::span<const std::string> rows);
  // Removes the rows at these indices of the store as it is; `at` ascends.
  void RemoveAt(std::span<const int> at);
  void Assign(std::span<const std::string_view> rows);

 private:
  struct Block {
    std::string text;
    std::vector<std::uint32_t> ends;  // where each row's text ends
    std::string_view Row(std::size_t index) const;
    std::size_t Count() const { return ends.size(); }
  };
  using Blocks = std::vector<std::shared_ptr<Block>>;

  // The block that holds row `index`, and the row's place in it.
  std::pair<std::size_t, std::size_t> Locate(int index) const;
  // The block, copied first when another store shares it.
  Block& Own(std::size_t block);
  void Renumber(std::size_t from_block);
  // Rebuilds every block from `next_row`, called once per row of the result.
  template <class NextRow>
  void Rebuild(int count, NextRow next_row);

  Blocks blocks_;
  std::vector<int> firsts_;  // the index of each block's first row
  int count_ = 0;
};

}  // namespace tarvik::waypoints::undo
