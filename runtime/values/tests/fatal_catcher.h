// Turns fatal runtime errors into exceptions for the duration of a test.
#pragma once

#include <string>

#include "fatal.h"

struct FatalRaised {
  std::string text;
};

class FatalCatcher {
 public:
  FatalCatcher() : old_(rt::set_fatal_sink(&sink)) {}
  ~FatalCatcher() { rt::set_fatal_sink(old_); }
  FatalCatcher(const FatalCatcher&) = delete;
  FatalCatcher& operator=(const FatalCatcher&) = delete;

 private:
  static void sink(const std::string& text) { throw FatalRaised{text}; }
  rt::FatalSink old_;
};
