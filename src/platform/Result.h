// How every layer reports failure: the value, or why there is none. A failure is a value like
// any other, so it cannot slip past a caller as an exception would, and the sentence the user
// finally reads travels with it.
#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <variant>

namespace quorvel {

struct Error {
  Error(std::error_code code, std::string message) : code(code), message(std::move(message)) {}
  Error(std::errc code, std::string message)
      : Error(std::make_error_code(code), std::move(message)) {}

  std::error_code code;  // for the program to test
  std::string message;   // for the user to read, e.g. "Permission denied"
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  // Only for a result that is ok().
  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  const T& operator*() const& { return value(); }
  const T* operator->() const { return &value(); }
  // Only for a result that is not ok().
  const Error& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : error_(std::move(error)) {}

  bool ok() const { return !error_; }
  explicit operator bool() const { return ok(); }
  // Only for a result that is not ok().
  const Error& error() const { return *error_; }

 private:
  std::optional<Error> error_;
};

}  // namespace quorvel
