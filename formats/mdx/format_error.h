#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace mdx {

// What is wrong with a model file and where: the chunk (or MDL block) being read and the byte
// offset (MDX) or line (MDL) at which reading stopped.
class FormatError : public std::runtime_error {
  public:
    FormatError(std::string where, std::size_t position, const std::string& message);
    const std::string& where() const { return where_; }
    std::size_t position() const { return position_; }

  private:
    std::string where_;
    std::size_t position_;
};

} // namespace mdx
