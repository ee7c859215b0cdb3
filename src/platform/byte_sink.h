#pragma once

#include <string>
#include <string_view>

namespace tracciato {

// Where the bytes of a compiled file go as they are made: a file on disk,
// or memory when nothing is to be written.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void write(std::string_view bytes) = 0;

 protected:
  ByteSink() = default;
  ByteSink(const ByteSink&) = default;
  ByteSink& operator=(const ByteSink&) = default;
  ByteSink(ByteSink&&) = default;
  ByteSink& operator=(ByteSink&&) = default;
};

// Collects the bytes in a string.
class StringSink final : public ByteSink {
 public:
  void write(std::string_view bytes) override { bytes_.append(bytes); }
  std::string& bytes() { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace tracciato
