#pragma once

#include <exception>
#include <string>
#include <utility>

// Errors of the form layer and its file stream. The setup's own logic raises
// none; these reach the application's standard exception display, which
// shows what() under the application's title. The message is a std::string
// of the program's own: std::runtime_error would keep it in the library's
// copy-on-write string, whose code Setup.exe would carry for it alone.
class EToolkitError : public std::exception {
  public:
    explicit EToolkitError(std::string message) : Message(std::move(message)) {}
    const char *what() const noexcept override { return Message.c_str(); }

  private:
    std::string Message;
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
