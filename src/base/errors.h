#pragma once
// The failure kinds of the system. Every failure is an exception that carries
// the message a user reads; each layer raises its own kind.

#include <stdexcept>
#include <string>

namespace quorvex {

// Base of every failure the system raises on purpose. The run and the passes
// raise it plainly ("Canceled by user", "Cannot create ...").
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The table file or its memo file is missing, unreadable or malformed; or
// one of an application's other data files (a compound index, a database
// container).
class ETableError : public Exception {
 public:
  using Exception::Exception;
};

// The two password checks at open.
class ETableEncryption : public ETableError {
 public:
  using ETableError::ETableError;
};

// Failures of the dataset layer (names, fields, navigation).
class EDatabaseError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace quorvex
