#pragma once

// Root of the class hierarchy; owners delete any object through it.
class CObject {
 public:
  virtual ~CObject() = default;
};
