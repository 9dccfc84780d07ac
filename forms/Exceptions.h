#pragma once

#include <stdexcept>
#include <string>

// Errors of the form layer and its file stream. The setup's own logic raises
// none; these reach the application's standard exception display.
class EToolkitError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file stream's file could not be created ("Cannot create file %s").
class EFCreateError : public EToolkitError {
  public:
    using EToolkitError::EToolkitError;
};

// A stream wrote fewer bytes than asked ("Stream write error").
class EWriteError : public EToolkitError {
  public:
    using EToolkitError::EToolkitError;
};
