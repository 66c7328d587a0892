#ifndef BOLTGEN_BASE_ERROR_H_
#define BOLTGEN_BASE_ERROR_H_

#include <string>
#include <utility>
#include <variant>

namespace boltgen {

// Every failure of the core: the one message the user is shown (naming the
// file, the line and the value where there is one) and the status the
// program ends with when the failure ends an unattended run.
struct Error {
  std::string message;
  int exit_status = 1;

  bool operator==(const Error&) const = default;
};

// The success of a step that has no value to hand back.
struct Done {
  bool operator==(const Done&) const = default;
};

// What every fallible step of the core returns: its value, or the error
// that stopped it. Checked before use: value() on an error is a programming
// error, caught by std::get.
template <typename T = Done>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const Error& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

}  // namespace boltgen

#endif  // BOLTGEN_BASE_ERROR_H_
