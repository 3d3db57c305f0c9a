// The framework's errors. Handlers catch none of them; the dispatch points report them (see
// error_reporting.h), so every failure reaches the user as a message box while the program goes on.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// An index outside a list or string list.
class EListError : public Exception {
  public:
    using Exception::Exception;
};

// A form file that cannot be read: bad syntax, or an unknown class, property, handler or component.
class EReadError : public Exception {
  public:
    using Exception::Exception;
};

// A component name that is not an identifier or that another component of the owner already has.
class EComponentError : public Exception {
  public:
    using Exception::Exception;
};

// A registry operation that failed; the text names the key, the value and the cause.
class ERegistryException : public Exception {
  public:
    using Exception::Exception;
};

// A media file that cannot be opened or played.
class EMCIDeviceError : public Exception {
  public:
    using Exception::Exception;
};
