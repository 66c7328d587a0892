#ifndef BOLTGEN_BASE_ERROR_H_
#define BOLTGEN_BASE_ERROR_H_

#include <string>
#include <utility>
#include <variant>

namespace boltgen {

// What a failure is, where its reader treats some failures apart.
enum class ErrorKind {
  kGeneral,
  // The length is too short for the pitch. Unattended runs report it as
  // fatal, in words batch jobs may match; in the window it is an ordinary
  // slip of the length box and reads as one.
  kBoltTooShort,
};

// Every failure of the core: the one message the user is shown (naming the
// file, the line and the value where there is one) and its kind.
struct Error {
  std::string message;
  ErrorKind kind = ErrorKind::kGeneral;

  bool operator==(const Error&) const = default;
};

// The error as every report but the window's shows it: a bolt too short for
// its pitch is marked fatal in front.
inline std::string ReportedText(const Error& error) {
  return error.kind == ErrorKind::kBoltTooShort ? "Fatal Error: " + error.message
                                                : error.message;
}

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
