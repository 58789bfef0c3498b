#pragma once
// One way to report failure: an operation returns a Status (success, or a
// failure with a bilingual message and a code of its own subsystem) or a
// Result<T> (a value, or such a failure).
//
//   Result<SurveyDocument> read = ReadKvfFile(path);
//   if (!read) return read.Error();     // Status, message in both languages
//   SurveyDocument document = std::move(read).Value();
//
// The message is what the user reads; the code lets a caller tell failures
// apart without comparing texts (a loader error number, an exit code). A
// failure always carries a message: an empty one would read as success.
#include <utility>
#include <variant>

#include "core/text/BiText.h"

namespace kvf {

class Status {
 public:
  // Success.
  Status() = default;
  static Status Ok() { return Status(); }
  // A failure. REQUIRES: message is not empty in either language.
  static Status Failure(BiText message, int code = 1) { return Status(std::move(message), code); }

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  // 0 on success.
  int Code() const { return code_; }
  const BiText& Message() const { return message_; }
  // The message in the run's interface language; "" on success.
  QString Text() const { return message_.Get(); }

 private:
  Status(BiText message, int code) : failed_(true), code_(code), message_(std::move(message)) {}

  bool failed_ = false;
  int code_ = 0;
  BiText message_;
};

template <typename T>
class Result {
 public:
  // NOLINTBEGIN(google-explicit-constructor): a value or a failed status
  // converts implicitly, so that `return value;` and `return status;` read
  // naturally.
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  // REQUIRES: !status.ok().
  Result(Status status) : state_(std::in_place_index<1>, std::move(status)) {}
  // NOLINTEND(google-explicit-constructor)

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // REQUIRES: ok().
  const T& Value() const& { return std::get<0>(state_); }
  T& Value() & { return std::get<0>(state_); }
  T&& Value() && { return std::get<0>(std::move(state_)); }
  const T* operator->() const { return &Value(); }
  T* operator->() { return &Value(); }

  // Status::Ok() on success, else the failure.
  Status Error() const { return ok() ? Status::Ok() : std::get<1>(state_); }

 private:
  std::variant<T, Status> state_;
};

}  // namespace kvf
